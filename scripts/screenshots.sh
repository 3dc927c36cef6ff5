#!/usr/bin/env bash
# Renders the windows of the desktop program (headless) into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target gui_tests
TARVO_SCREENSHOT_DIR="$PWD/docs" QT_QPA_PLATFORM=offscreen build/tests/gui_tests --gtest_filter='Screenshots.*'
