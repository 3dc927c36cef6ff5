#!/usr/bin/env bash
# Builds and runs every test. With --sanitize: in build-asan/ with address and undefined-behaviour
# sanitizers, without the benchmarks and the desktop program (Qt's own libraries are not instrumented).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--sanitize" ]; then
  export BUILD_DIR=build-asan
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  bash scripts/build.sh -DTARVO_SANITIZE=ON -DTARVO_BENCH=OFF -DTARVO_GUI=OFF
else
  bash scripts/build.sh
fi
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
