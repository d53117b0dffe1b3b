#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. The exit code is the tests' result.
#
#   scripts/test.sh              the Debug build in build/test (what CI runs)
#   scripts/test.sh --sanitize   the same built with clang under AddressSanitizer and
#                                UndefinedBehaviorSanitizer in build/sanitize, leak detection on
#                                (not part of CI: slower)
set -euo pipefail
cd "$(dirname "$0")/.."

SANITIZE=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) SANITIZE=1 ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done

./scripts/deps.sh

JOBS=${JOBS:-$(nproc)}
if [ $SANITIZE -eq 1 ]; then
  BUILD_DIR=${BUILD_DIR:-build/sanitize}
  ./scripts/configure-sanitized.sh "$BUILD_DIR"
  # Leaks inside the system's font library are named in the suppression file; every other leak,
  # memory error or undefined behaviour fails its test.
  export ASAN_OPTIONS="detect_leaks=1"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1"
else
  BUILD_DIR=${BUILD_DIR:-build/test}
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
fi
cmake --build "$BUILD_DIR" --parallel "$JOBS"

export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$JOBS" --timeout 300
