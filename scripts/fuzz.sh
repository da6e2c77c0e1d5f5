#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz/ (clang-14's libFuzzer with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs every target for a
# bounded time, from its seed corpus fuzz/corpus/<target>/. Prints, per
# target, the executions run, the time taken and the coverage reached; exits
# non-zero when any target finds a fault (crash, sanitizer report, timeout,
# out of memory), whose input is left in build-fuzz/fuzz-artifacts/<target>/
# with the log beside it.
#
# usage: scripts/fuzz.sh [seconds-per-target]   (default 30)
#        FUZZ_TARGETS="dialogue vbrun_parse" scripts/fuzz.sh 60   (some targets only)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build="$root/build-fuzz"

# Each target with the largest input it is given (bytes).
all_targets="record_fields:4096 element_list:4096 connection_matrix:8192 matrix_derivation:8192
  file_ordering:16384 library:16384 bracket_codes:4096 table_data:4096 answer_log:4096 dialogue:16384
  terminal:16384 vbrun_parse:16384 vbrun_files:8192 vbrun_module:32768 xmile_reader:32768"

mkdir -p "$build"
CC=${CC:-clang-14} CXX=${CXX:-clang++-14} \
  cmake -S "$root" -B "$build" -DKORVA_FUZZ=ON -DKORVA_TESTS=OFF > "$build/configure.log" 2>&1 ||
  { cat "$build/configure.log"; exit 2; }
cmake --build "$build" -j"$(nproc)" > "$build/build.log" 2>&1 || { tail -n 50 "$build/build.log"; exit 2; }

status=0
for entry in $all_targets; do
  target=${entry%%:*}
  max_len=${entry##*:}
  if [ -n "${FUZZ_TARGETS:-}" ] && ! [[ " $FUZZ_TARGETS " == *" $target "* ]]; then continue; fi
  fuzzer="$build/fuzz/${target}_fuzz"
  corpus="$build/fuzz-corpus/$target"  # what this machine found; the seeds stay as they are
  artifacts="$build/fuzz-artifacts/$target"
  log="$artifacts/fuzz.log"
  mkdir -p "$corpus" "$artifacts"
  options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len="$max_len"
           -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "$root/fuzz/dicts/$target.dict" ] && options+=(-dict="$root/fuzz/dicts/$target.dict")
  rc=0
  start=$SECONDS
  "$fuzzer" "${options[@]}" "$corpus" "$root/fuzz/corpus/$target" > "$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -aE '^#[0-9]+' "$log" | tail -n 1 | grep -aoE 'cov: [0-9]+ ft: [0-9]+' || true)
  printf '%-18s %10s executions in %4ss  %s\n' "$target" "${runs:-?}" "$((SECONDS - start))" "${coverage:-}"
  if [ "$rc" -ne 0 ]; then
    status=1
    echo "  FINDING (exit $rc), log $log:" >&2
    grep -aE 'ERROR:|SUMMARY:|korva fuzz entry:|runtime error:|Test unit written|ALARM|out-of-memory' "$log" |
      head -n 12 | sed 's/^/    /' >&2 || true
  fi
done
exit "$status"
