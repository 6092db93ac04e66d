#!/usr/bin/env bash
# Long fuzzing of the skin-file reader and the form-description reader, kept
# out of tools/test.sh. Each fuzzer runs for RUNS executions (default 10
# million) on a kept corpus, build/fuzz-long/NAME/corpus, which grows from run
# to run and starts from the committed seeds in tests/native/corpus/NAME; the
# executions of all runs on it add up in build/fuzz-long/NAME/executions-total.
# One fuzzer at a time, niced, so that others can still build. For each it
# reports executions, time, coverage (libFuzzer's cov and ft), the corpus and
# its minimized size, and findings (inputs in build/fuzz-long/NAME/artifacts).
# The minimized corpus is left in build/fuzz-long/NAME/minimized; copy it over
# the committed seeds only while it stays small.
#
#   tests/native/fuzz_long.sh [NAME...]     NAME: skin_reader, form_reader
#   RUNS=N                                   executions per fuzzer
#   BUILD=DIR                                native build with clang (build/native)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${RUNS:-10000000}
build=${BUILD:-build/native}
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(skin_reader form_reader)

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
nice -n 10 cmake --build "$build" --target "${names[@]/%/_fuzzer}" >/dev/null

# No 4 KB fill of every allocation, short allocation stacks, a small
# quarantine: ASan still checks every access, a quarter faster.
asan_options=${ASAN_OPTIONS:-max_malloc_fill_size=0:malloc_context_size=3:quarantine_size_mb=32}

size_of() { du -sb "$1" | cut -f1; }
count_of() { find "$1" -type f | wc -l; }

summary=()
status=0
for name in "${names[@]}"; do
  fuzzer=$build/${name}_fuzzer
  seeds=tests/native/corpus/$name
  work=build/fuzz-long/$name
  mkdir -p "$work/corpus" "$work/artifacts"
  log=$work/fuzz.log
  echo "== $name: $runs executions (log: $log)"
  started=$(date +%s)
  set +e
  # Costs that outweighed the readers themselves: the sanitizers keep the
  # process near 500 MB, and past half the memory limit libFuzzer purges its
  # allocator every second; and the entropic schedule's bookkeeping took half
  # of every run once coverage had settled.
  ASAN_OPTIONS=$asan_options nice -n 10 "$fuzzer" "$work/corpus" "$seeds" -runs="$runs" \
    -max_len=8192 -entropic=0 -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$work/artifacts/" \
    -print_final_stats=1 >"$log" 2>&1
  rc=$?
  set -e
  seconds=$(($(date +%s) - started))

  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log")
  last=$(grep -E ' cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)
  cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
  ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$last")
  # Runs on the kept corpus add up: the corpus carries what each run found.
  total=$(($(cat "$work/executions-total" 2>/dev/null || echo 0) + ${executed:-0}))
  echo "$total" >"$work/executions-total"

  rm -rf "$work/minimized"
  mkdir -p "$work/minimized"
  ASAN_OPTIONS=$asan_options nice -n 10 "$fuzzer" -merge=1 -max_len=8192 "$work/minimized" \
    "$work/corpus" "$seeds" >"$work/merge.log" 2>&1 || true

  findings=$(count_of "$work/artifacts")
  [ "$rc" -eq 0 ] && [ "$findings" -eq 0 ] || status=1
  line="$name: ${executed:-?} executions in ${seconds} s, cov ${cov:-?} ft ${ft:-?},"
  line+=" peak ${peak:-?} MB, corpus $(count_of "$work/corpus") files"
  line+=" ($(size_of "$work/corpus") bytes), minimized $(count_of "$work/minimized") files"
  line+=" ($(size_of "$work/minimized") bytes), exit $rc, findings $findings"
  line+="; $total executions on this corpus in all runs"
  echo "$line"
  summary+=("$line")
  if [ "$rc" -ne 0 ]; then
    grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -n 20 || true
  fi
done

echo "== summary"
for s in "${summary[@]}"; do echo "$s"; done
exit "$status"
