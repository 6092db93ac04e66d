#!/usr/bin/env bash
# Runs a fuzzer for a bounded time on the committed seeds and reports the
# executions run. New inputs go to WORKDIR/corpus, never into the seeds.
# Usage: run_fuzz.sh FUZZER SEEDS WORKDIR SECONDS [libFuzzer options...]
# FUZZ_SECONDS in the environment overrides SECONDS.
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=${FUZZ_SECONDS:-$4}
shift 4
name=$(basename "$work")

mkdir -p "$work/corpus" "$work/artifacts"
log="$work/fuzz.log"
set +e
"$fuzzer" "$work/corpus" "$seeds" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=5 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$@" >"$log" 2>&1
status=$?
set -e
grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$log" || true
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
  echo "$name: fuzzer failed (exit $status); log: $log, inputs in $work/artifacts/"
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "$name fuzzing: ${runs:-?} executions in ${seconds} s, no failure"
