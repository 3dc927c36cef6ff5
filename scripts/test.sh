#!/usr/bin/env bash
# Builds and runs every test. With --sanitize: in build-asan/ with address and undefined-behaviour
# sanitizers, without the benchmarks and the desktop program (Qt's own libraries are not instrumented).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--sanitize" ]; then
  export BUILD_DIR=build-asan
  bash scripts/build.sh -DTARVO_SANITIZE=ON -DTARVO_BENCH=OFF -DTARVO_GUI=OFF
else
  bash scripts/build.sh
fi
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
