#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. The exit code is the tests' result.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh

BUILD_DIR=${BUILD_DIR:-build/test}
JOBS=$(nproc)

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
cmake --build "$BUILD_DIR" --parallel "$JOBS"

export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$JOBS" --timeout 300
