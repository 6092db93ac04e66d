#!/usr/bin/env bash
# The program's benchmarks in one report, each figure with its goal and
# whether it holds:
#   size      the i686 program's bytes (statically linked)
#   startup   process start to the first painted main window, beside a
#             minimal program that shows one empty window (StartupBench)
#   idle      the indicators' CPU beside bare 50 ms timer programs, and the
#             Num Lock press-to-tray latency (IndicatorBench)
#   memory    private bytes, GDI and USER objects over indicator ticks with
#             the lock keys pressed and over show/hide cycles (LongRunBench)
# Builds what it needs, starts a private Xvfb and a fresh Wine prefix of its
# own (build/wineprefix-bench-<arch>) and stops both by pid. Not a test:
# figures vary with the machine's other load, so the timed ones are ratios to
# yardsticks run in the same rounds.
#
#   tests/bench/run.sh [--full] [--only NAME]...
#     --full       the long run at full length: 600 s (12,000 ticks) and
#                  1,000 show/hide cycles (default 60 s and 100 cycles)
#     --only NAME  run only the named parts (size, startup, idle, memory)
#   STARTUP_ROUNDS=10 IDLE_SECONDS=30 IDLE_ROUNDS=3 PRESSES=10
#   LONG_SECONDS=60 LONG_CYCLES=100 override the lengths.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD

long_seconds=${LONG_SECONDS:-60}
long_cycles=${LONG_CYCLES:-100}
parts=()
while [ $# -gt 0 ]; do
  case $1 in
    --full) long_seconds=${LONG_SECONDS:-600} long_cycles=${LONG_CYCLES:-1000}; shift ;;
    --only) parts+=("$2"); shift 2 ;;
    *) echo "usage: $0 [--full] [--only size|startup|idle|memory]..." >&2; exit 2 ;;
  esac
done
[ ${#parts[@]} -gt 0 ] || parts=(size startup idle memory)
wanted() { [[ " ${parts[*]} " == *" $1 "* ]]; }

. tools/wine-env.sh
export WINEPREFIX=$repo/build/wineprefix-bench-$WINE_ARCH
build=$repo/build/$WINE_ARCH
log_dir=$repo/build/logs
mkdir -p "$log_dir"
report=$log_dir/bench-report.log
: >"$report"
# say TEXT...: one line of the report, kept for the summary at the end.
say() { echo "$*" | tee -a "$report"; }
# run_bench COMMAND...: runs a benchmark, its lines going into the report.
run_bench() { "$@" </dev/null | tee -a "$report"; }

configure() { # ARCH
  [ -f "build/$1/build.ninja" ] && return 0
  cmake -S . -B "build/$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$1.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$log_dir/bench-configure-$1.log"
}

say "benchmarks of $(git describe --always --dirty) ($(git log -1 --format=%cs)), Wine $WINE_ARCH"

if wanted size; then
  configure i686
  cmake --build build/i686 --target MoxelUtility >"$log_dir/bench-build-i686.log"
  exe=build/i686/MoxelUtility.exe
  bytes=$(stat -c %s "$exe")
  say "== size"
  verdict=met
  [ "$bytes" -le 1048576 ] || verdict=MISSED
  say "i686 MoxelUtility.exe: $bytes bytes, goal <= 1 MiB (1048576): $verdict"
  # The build keeps the symbol table and the runtime's debug sections; what
  # a user would be given is the file without them.
  i686-w64-mingw32-strip -o "$log_dir/MoxelUtility-stripped.exe" "$exe"
  stripped=$(stat -c %s "$log_dir/MoxelUtility-stripped.exe")
  verdict=met
  [ "$stripped" -le 1048576 ] || verdict=MISSED
  say "the same stripped of symbols and debug sections: $stripped bytes, goal <= 1 MiB: $verdict"
  if [ "$verdict" = MISSED ]; then
    say "what the file holds (bytes):"
    i686-w64-mingw32-objdump -h "$exe" | while read -r _ name size _; do
      if [[ $name == .* ]]; then printf '  %-16s %8d\n' "$name" $((16#$size)); fi
    done | tee -a "$report"
    say "code by origin (bytes of sized symbols in .text):"
    i686-w64-mingw32-nm --size-sort -S -C "$exe" | while read -r _ size kind name; do
      [[ $kind == [Tt] ]] || continue
      case $name in
        *StaticClassInfo*) echo "property tables (StaticClassInfo) $((16#$size))" ;;
        std::* | __gnu_cxx* | __cxxabiv1* | operator* | d_* | __gxx*) echo "C++ library $((16#$size))" ;;
        _* | [a-z]* | .*) echo "C runtime and start-up $((16#$size))" ;;
        *) echo "the program's own classes $((16#$size))" ;;
      esac
    done | awk '{ n = $NF; $NF = ""; sum[$0] += n } END { for (k in sum) printf "  %8d %s\n", sum[k], k }' |
      sort -rn | tee -a "$report"
    say "resources (.rsrc): the five built-in themes' pictures $(cat resources/themes/*.bmp | wc -c)," \
      "the program icon $(stat -c %s resources/MoxelUtility.ico)"
  fi
fi

wanted startup || wanted idle || wanted memory || { say "done"; exit 0; }

configure "$WINE_ARCH"
cmake --build "$build" --target MoxelUtility MoxelDriver IndicatorBench MinimalTray StartupBench \
  MinimalWindow LongRunBench >"$log_dir/bench-build.log"

stop_desktop_on_exit
start_private_xvfb 1280x1024x24 "$log_dir/bench-xvfb.log" || { echo "could not start Xvfb"; exit 1; }
echo "Xvfb on $DISPLAY (pid $xvfb_pid), prefix $WINEPREFIX"
tools/make-prefix.sh >"$log_dir/bench-make-prefix.log" 2>&1
"$WINESERVER_CMD" -p
# The desktop and the system services start with the first program; they must
# not inherit this script's output.
wine_cmd "$build/tests/MoxelDriver.exe" screen </dev/null >/dev/null 2>&1

if wanted startup; then
  say "== start-up"
  run_bench wine_cmd "$build/tests/bench/StartupBench.exe" "$build/MoxelUtility.exe" \
    "$build/tests/bench/MinimalWindow.exe" "${STARTUP_ROUNDS:-10}"
fi
if wanted idle; then
  say "== idle cost"
  run_bench wine_cmd "$build/tests/bench/IndicatorBench.exe" "$build/MoxelUtility.exe" \
    "$build/tests/bench/MinimalTray.exe" "${IDLE_SECONDS:-30}" "${IDLE_ROUNDS:-3}" "${PRESSES:-10}"
fi
if wanted memory; then
  say "== memory and handles"
  run_bench wine_cmd "$build/tests/bench/LongRunBench.exe" "$build/MoxelUtility.exe" \
    "$long_seconds" "$long_cycles"
fi

echo "== summary (also in build/logs/bench-report.log)"
grep -E 'goal|benchmarks of' "$report"
