# Sourced by the scripts that paint pictures for the README under Wine
# (tools/menu-pictures.sh, tools/titlebar-pictures.sh), from the top of the
# source tree, after tools/wine-env.sh.

# build_picture_targets LOG TARGET...: configures build/$WINE_ARCH and builds
# the targets and the test driver; shows the end of the log and exits when
# either fails.
build_picture_targets() {
  local log=$1
  shift
  cmake -S . -B "build/$WINE_ARCH" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$WINE_ARCH.cmake" -DCMAKE_BUILD_TYPE=Release \
    >"build/logs/configure-$WINE_ARCH.log" 2>&1 ||
    { tail -n 40 "build/logs/configure-$WINE_ARCH.log"; exit 1; }
  cmake --build "build/$WINE_ARCH" --target "$@" MoxelDriver >"build/logs/$log.log" 2>&1 ||
    { tail -n 60 "build/logs/$log.log"; exit 1; }
}

# start_picture_session NAME: a private Xvfb, the prefix
# build/wineprefix-NAME-$WINE_ARCH (made when missing) and its server with the
# desktop running; all of it stopped when the script ends.
start_picture_session() {
  xvfb_pid=""
  trap stop_picture_session EXIT
  start_private_xvfb 1024x768x24 build/logs/xvfb.log || { echo "could not start Xvfb"; exit 1; }
  export WINEPREFIX=$PWD/build/wineprefix-$1-$WINE_ARCH
  [ -f "$WINEPREFIX/system.reg" ] || tools/make-prefix.sh >build/logs/make-prefix.log 2>&1
  "$WINESERVER_CMD" -p10
  # Desktop and services first, so they do not hold on to the script's output.
  wine_cmd "build/$WINE_ARCH/tests/MoxelDriver.exe" screen </dev/null >/dev/null 2>&1
}

stop_picture_session() {
  set +e
  "$WINESERVER_CMD" -k >/dev/null 2>&1
  "$WINESERVER_CMD" -w >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
