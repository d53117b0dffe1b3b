#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them (all, or the one named: scripts/bench.sh grid).
# Not part of CI; no test asserts a time. Extra arguments go to every benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh bench

BUILD_DIR=${BUILD_DIR:-build/bench}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCH=ON >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

NAME=""
if [ $# -gt 0 ] && [[ "$1" != -* ]]; then NAME=$1; shift; fi

export QT_QPA_PLATFORM=offscreen
found=0
for b in "$BUILD_DIR"/bench/*_bench; do
  [ -x "$b" ] || continue
  if [ -n "$NAME" ] && [ "$(basename "$b")" != "${NAME}_bench" ]; then continue; fi
  found=1
  echo "== $(basename "$b")"
  "$b" "$@"
done
if [ $found -eq 0 ]; then
  echo "bench: no benchmark program${NAME:+ named ${NAME}_bench}" >&2
  exit 2
fi
