#!/usr/bin/env bash
# Runs the skin-file reader fuzzer for a bounded time (FUZZ_SECONDS, default
# 60) on seeds made with the skin-file tool, and reports the executions run.
# Usage: run_fuzz.sh FUZZER SKINFILE WORKDIR
set -euo pipefail
fuzzer=$1 tool=$2 work=$3
seconds=${FUZZ_SECONDS:-60}

rm -rf "$work/seeds" "$work/src"
mkdir -p "$work/seeds" "$work/corpus" "$work/src" "$work/artifacts"

# Seed folders: one element, every kind, a picture, duplicates, an empty chain.
mk() { mkdir -p "$work/src/$1"; cat > "$work/src/$1/entries.txt"; }
mk one <<<'FormBorderWidthInt int 2'
mk kinds <<'T'
FormBackgroundColor color 231,231,231
FormBorderColor color 0x7F7F7F
ButtonTransparentBool bool true
TitleBarButtonTransparentBool bool false
FormRoundCornerInt int -3
Author text made by the seed script
T
mk picture <<<'FormMinWidthInt int 130'
"$tool" picture "$work/src/picture/ButtonImage.bmp" 6 3 '#3973C4'
"$tool" picture "$work/src/picture/CheckBoxImage.bmp" 4 1 231,231,231
mk duplicates <<'T'
FormBorderWidthInt int 1
formborderwidthint int 3
MenuFontColor color #000000
T
mk empty < /dev/null
for dir in "$work"/src/*/; do
  name=$(basename "$dir")
  "$tool" pack "$work/seeds/$name.skin" "$dir"
done

log="$work/fuzz.log"
set +e
"$fuzzer" "$work/corpus" "$work/seeds" \
  -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=512 -timeout=5 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 >"$log" 2>&1
status=$?
set -e
grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$log" || true
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
  echo "fuzzer failed (exit $status); log: $log, inputs in $work/artifacts/"
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "skin reader fuzzing: ${runs:-?} executions in ${seconds} s, no failure"
