#!/usr/bin/env bash
# Installs what is missing, builds the configurator (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh

BUILD_DIR=${BUILD_DIR:-build/release}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target KP31A08

PROGRAM_DIR="$BUILD_DIR/main"
# The program keeps reading whatever "eep.xml" its catalogue folder holds; a fresh folder gets
# the small default catalogue shipped with the sources.
if [ -f data/eep.xml ] && [ ! -f "$PROGRAM_DIR/CAT_EnOcean/eep.xml" ]; then
  mkdir -p "$PROGRAM_DIR/CAT_EnOcean"
  cp data/eep.xml "$PROGRAM_DIR/CAT_EnOcean/eep.xml"
fi

exec "$PROGRAM_DIR/KP31A08" "$@"
