#!/usr/bin/env bash
# Builds the Debian package as it is shipped: a build of its own (build-deb/, or BUILD_DIR) with
# Debian's hardening flags and without tests, then cpack, then lintian when it is installed.
#     scripts/package.sh          # writes build-deb/tarvo-import_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-deb}"
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_DPKG_BUILDFLAGS=ON \
  -DTARVO_TESTS=OFF -DTARVO_BENCH=OFF "${launcher[@]}" "$@"
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack > /dev/null)
deb="$(ls "$build"/tarvo-import_*.deb)"
echo "$deb"
if command -v lintian > /dev/null; then
  lintian --pedantic --fail-on error,warning "$deb"
fi
