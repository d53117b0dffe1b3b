#!/usr/bin/env bash
# Opens real windows: runs the GUI layer's tests under a virtual X server (Xvfb) with Qt's xcb
# platform, including the test that only runs where a real display exists, then drags cells from
# one grid program to another with the real pointer. Needs the packages xvfb and xauth, and xdotool
# for the drag (apt-get install xvfb xauth xdotool). Builds what it runs first if needed.
# Usage: scripts/gui-smoke.sh [gtest filter]    (default: every GUI test)
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "gui-smoke: xvfb-run is missing (apt-get install xvfb xauth)" >&2
  exit 2
fi

BUILD_DIR=${BUILD_DIR:-build/gui-smoke}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON >/dev/null
cmake --build "$BUILD_DIR" --parallel "${JOBS:-4}" --target gui_tests grid_drag_peer

FILTER=${1:-*}
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1024x768x24" \
  "$BUILD_DIR/tests/platform/gui/gui_tests" --gtest_filter="$FILTER"

# A drag between two programs: one grid program drags its selected cells with the real pointer
# (xdotool) into another grid program, through the window system's drag and drop.
if ! command -v xdotool >/dev/null 2>&1; then
  echo "gui-smoke: xdotool is missing (apt-get install xdotool): the drag between programs is skipped" >&2
  exit 0
fi
PEER="$BUILD_DIR/tests/components/grid/grid_drag_peer"
OUT=$(mktemp)
rm -f "$OUT"
export PEER OUT
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  "$PEER" target 500 100 "$OUT" & target=$!
  "$PEER" source 100 100 & source=$!
  # Both windows are up when xdotool finds them.
  for _ in $(seq 100); do
    [ "$(xdotool search --name "grid drag" 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.1
  done
  sleep 0.5
  # Press on the selected cell (1, 1) of the source, move in steps to cell (1, 1) of the target,
  # release there.
  xdotool mousemove 196 136 mousedown 1
  for x in 206 226 260 320 400 480 560 590 596; do xdotool mousemove "$x" 136; sleep 0.1; done
  sleep 0.3
  xdotool mouseup 1
  for _ in $(seq 100); do [ -s "$OUT" ] && break; sleep 0.1; done
  kill "$source" "$target" 2>/dev/null
  wait
  true
'
got=$(cat "$OUT" 2>/dev/null || true)
rm -f "$OUT"
if [ "$got" != "a1 b1 a2 b2" ]; then
  echo "gui-smoke: the drag between two programs failed: the target holds \"$got\"" >&2
  exit 1
fi
echo "gui-smoke: the drag between two programs carried \"$got\""
