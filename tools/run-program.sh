#!/usr/bin/env bash
# Builds the program and starts it in the Wine virtual desktop, then saves a
# screenshot of the X screen to build/screenshot.png.
#
# With DISPLAY set the desktop opens there and the program keeps running
# (stop it with: kill PID, as printed). Without DISPLAY a private Xvfb is
# used and everything is stopped after the screenshot.
#   tools/run-program.sh [PROGRAM ARGS...]
#   SCREENSHOT_DELAY=1   seconds between the window showing and the picture
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

tools/install-deps.sh
. tools/wine-env.sh
mkdir -p build/logs

configure_windows() { # ARCH
  cmake -S . -B "build/$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$1.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"build/logs/configure-$1.log" 2>&1 ||
    { tail -n 40 "build/logs/configure-$1.log"; exit 1; }
}
build_windows() { # ARCH TARGET...
  local arch=$1
  shift
  echo "building $* for $arch"
  cmake --build "build/$arch" --target "$@" >"build/logs/build-$arch.log" 2>&1 ||
    { tail -n 60 "build/logs/build-$arch.log"; exit 1; }
}

configure_windows i686
build_windows i686 MoxelUtility
if [ "$WINE_ARCH" != i686 ]; then
  configure_windows "$WINE_ARCH"
  build_windows "$WINE_ARCH" MoxelUtility MoxelDriver
else
  build_windows i686 MoxelDriver
fi
program=$repo/build/$WINE_ARCH/MoxelUtility.exe
driver=$repo/build/$WINE_ARCH/tests/MoxelDriver.exe

xvfb_pid=""
program_pid=""
private_cleanup() {
  set +e
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  "$WINESERVER_CMD" -k >/dev/null 2>&1
  "$WINESERVER_CMD" -w >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}

if [ -n "${DISPLAY:-}" ]; then
  private=0
else
  private=1
  trap private_cleanup EXIT
  # The size of the Wine desktop, so the screenshot shows just that.
  start_private_xvfb 1024x768x24 build/logs/xvfb.log || { echo "could not start Xvfb"; exit 1; }
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "creating the Wine prefix $WINEPREFIX"
  tools/make-prefix.sh >build/logs/make-prefix.log 2>&1
fi

# Start Wine's desktop and services first, so that the program itself comes
# up at once and the picture catches its window before it hides to the tray.
"$WINESERVER_CMD" -p10
wine_cmd "$driver" screen </dev/null >/dev/null 2>&1

wine_cmd "$program" "$@" </dev/null >build/logs/program.log 2>&1 &
program_pid=$!
echo "started $program (pid $program_pid) on DISPLAY=$DISPLAY"

wine_cmd "$driver" find --title "MOXEL Utility V1.2 20080204" --visible --timeout 15000 \
  >/dev/null 2>&1 || echo "the main window did not show within 15 s"
sleep "${SCREENSHOT_DELAY:-1}"
/usr/bin/import -window root "$repo/build/screenshot.png"
echo "$repo/build/screenshot.png"

if [ "$private" = 0 ]; then
  echo "the program keeps running; stop it with: kill $program_pid"
fi
