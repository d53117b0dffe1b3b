#!/usr/bin/env bash
# Opens real windows: runs the GUI layer's tests under a virtual X server (Xvfb) with Qt's xcb
# platform, including the test that only runs where a real display exists. Needs the packages
# xvfb and xauth (apt-get install xvfb xauth). Builds the GUI test suite first if needed.
# Usage: scripts/gui-smoke.sh [gtest filter]    (default: every GUI test)
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "gui-smoke: xvfb-run is missing (apt-get install xvfb xauth)" >&2
  exit 2
fi

BUILD_DIR=${BUILD_DIR:-build/gui-smoke}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON >/dev/null
cmake --build "$BUILD_DIR" --parallel "${JOBS:-4}" --target gui_tests

FILTER=${1:-*}
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1024x768x24" \
  "$BUILD_DIR/tests/platform/gui/gui_tests" --gtest_filter="$FILTER"
