#!/usr/bin/env bash
# Configures the sanitized build (AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets
# as libFuzzer programs) with clang in the folder given (build/sanitize by default). Used by
# scripts/test.sh --sanitize and scripts/fuzz.sh, which share the build.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "${1:-build/sanitize}" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-O1" -DFUZZ=ON -DBUILD_TESTING=ON >/dev/null
