#!/usr/bin/env bash
# Builds the readers' fuzz targets with clang and libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer (the sanitized build, build/sanitize) and runs each for a while, a few
# at a time. Not part of CI.
#
#   scripts/fuzz.sh [-t SECONDS] [-j JOBS] [-n] [TARGET ...]
#
# -t is the run time of each target (600 s by default), -j how many run at once (3), -n runs the
# targets as they are built, without configuring or building. Without names every target runs.
# Each target starts from its seed folders (tests/fixtures, read only) and keeps what it finds new
# in build/sanitize/corpus/<target>; an input that crashes, leaks or hangs is written to
# build/sanitize/findings/<target>/. One line per target goes to build/sanitize/fuzz.log: the
# target, its run time, the inputs executed and the findings. The exit code is 1 when any target
# found something.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH=600
JOBS=3
BUILD=1
while getopts "t:j:n" opt; do
  case $opt in
    t) SECONDS_EACH=$OPTARG ;;
    j) JOBS=$OPTARG ;;
    n) BUILD=0 ;;
    *) echo "usage: $0 [-t SECONDS] [-j JOBS] [-n] [TARGET ...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

BUILD_DIR=${BUILD_DIR:-build/sanitize}
if [ $BUILD -eq 1 ]; then ./scripts/configure-sanitized.sh "$BUILD_DIR"; fi

TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  for f in "$BUILD_DIR"/fuzz-targets/*; do TARGETS+=("$(basename "$f")"); done
fi
if [ $BUILD -eq 1 ]; then cmake --build "$BUILD_DIR" --parallel "$JOBS" --target "${TARGETS[@]}"; fi

export QT_QPA_PLATFORM=offscreen
# The system's font library keeps caches for the life of the process; those are not our leaks.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1"

run_one() {
  local name=$1 build=$2 secs=$3
  local work=$build/corpus/$name findings=$build/findings/$name log=$build/logs/$name.log
  mkdir -p "$work" "$findings" "$build/logs"
  local seeds=()
  while IFS= read -r dir; do [ -n "$dir" ] && seeds+=("$dir"); done <"$build/fuzz-targets/$name"
  local start=$(date +%s) rc=0
  "$build/$(cd "$build" && find . -name "$name" -type f -perm -u+x | head -1)" \
    -max_total_time="$secs" -timeout=25 -rss_limit_mb=2560 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "${seeds[@]}" >"$log" 2>&1 || rc=$?
  local took=$(($(date +%s) - start))
  local execs
  execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  local found
  found=$(find "$findings" -type f | wc -l)
  printf '%-34s %5ss %12s execs  %s findings  exit %s\n' "$name" "$took" "${execs:-?}" "$found" "$rc" \
    | tee -a "$build/fuzz.log"
  [ "$rc" -eq 0 ] && [ "$found" -eq 0 ]
}
export -f run_one

printf '%s\n' "${TARGETS[@]}" |
  xargs -P "$JOBS" -I{} bash -c 'run_one "$1" "$2" "$3"' _ {} "$BUILD_DIR" "$SECONDS_EACH"
