#!/usr/bin/env bash
# Runs the keyboard-indicator benchmark: builds the program, the benchmark and
# its yardsticks, starts a private Xvfb and a fresh Wine prefix of its own
# (build/wineprefix-bench-<arch>), and prints the program's CPU time beside
# the minimal programs' as ratios, then the Num Lock press-to-tray latency.
# Not a test; figures vary with the machine's other load.
#
#   tests/bench/run.sh [SECONDS [ROUNDS [PRESSES]]]    defaults 30 3 10
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
seconds=${1:-30}
rounds=${2:-3}
presses=${3:-10}

. tools/wine-env.sh
export WINEPREFIX=$repo/build/wineprefix-bench-$WINE_ARCH
build=$repo/build/$WINE_ARCH
log_dir=$repo/build/logs
mkdir -p "$log_dir"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$WINE_ARCH.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$log_dir/bench-configure.log"
fi
cmake --build "$build" --target MoxelUtility MoxelDriver IndicatorBench MinimalTray \
  >"$log_dir/bench-build.log"

stop_desktop_on_exit

start_private_xvfb 1280x1024x24 "$log_dir/bench-xvfb.log" || { echo "could not start Xvfb"; exit 1; }
echo "Xvfb on $DISPLAY (pid $xvfb_pid), prefix $WINEPREFIX"
tools/make-prefix.sh >"$log_dir/bench-make-prefix.log" 2>&1
"$WINESERVER_CMD" -p
# The desktop and the system services start with the first program; they must
# not inherit this script's output.
wine_cmd "$build/tests/MoxelDriver.exe" screen </dev/null >/dev/null 2>&1

wine_cmd "$build/tests/bench/IndicatorBench.exe" "$build/MoxelUtility.exe" \
  "$build/tests/bench/MinimalTray.exe" "$seconds" "$rounds" "$presses" </dev/null
