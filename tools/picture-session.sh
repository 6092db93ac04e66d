# Sourced, from the top of the source tree, by the scripts that paint the
# README's pictures under Wine (tools/menu-pictures.sh,
# tools/titlebar-pictures.sh, tools/gallery.sh).

tools/install-deps.sh
. tools/wine-env.sh
mkdir -p build/logs

# build_for_pictures NAME TARGET...: configures build/$WINE_ARCH and builds the
# targets and the driver, logging to build/logs/build-NAME.log.
build_for_pictures() {
  local name=$1
  shift
  cmake -S . -B "build/$WINE_ARCH" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$WINE_ARCH.cmake" -DCMAKE_BUILD_TYPE=Release \
    >"build/logs/configure-$WINE_ARCH.log" 2>&1 ||
    { tail -n 40 "build/logs/configure-$WINE_ARCH.log"; exit 1; }
  cmake --build "build/$WINE_ARCH" --target "$@" MoxelDriver >"build/logs/build-$name.log" 2>&1 ||
    { tail -n 60 "build/logs/build-$name.log"; exit 1; }
}

# start_picture_session NAME: a private Xvfb with the prefix
# build/wineprefix-NAME-$WINE_ARCH (made when missing) and its desktop
# running; all of it is stopped when the script ends.
start_picture_session() {
  local name=$1
  xvfb_pid=""
  trap stop_picture_session EXIT
  start_private_xvfb 1024x768x24 build/logs/xvfb.log || { echo "could not start Xvfb"; exit 1; }
  export WINEPREFIX=$PWD/build/wineprefix-$name-$WINE_ARCH
  [ -f "$WINEPREFIX/system.reg" ] || tools/make-prefix.sh >build/logs/make-prefix.log 2>&1
  "$WINESERVER_CMD" -p10
  # Desktop and services first, so they do not hold on to the script's output.
  wine_cmd "build/$WINE_ARCH/tests/MoxelDriver.exe" screen </dev/null >/dev/null 2>&1
}

# paint_pictures NAME TARGET: builds the Windows program tests/skin/TARGET and
# runs it in a picture session with the emptied folder build/NAME, where it
# writes its pictures.
paint_pictures() {
  local name=$1 target=$2
  build_for_pictures "$name" "$target"
  start_picture_session "$name"
  local shots=$PWD/build/$name
  rm -rf "$shots"
  mkdir -p "$shots"
  wine_cmd "build/$WINE_ARCH/tests/skin/$target.exe" "Z:${shots//\//\\}" </dev/null \
    >"build/logs/$name.log" 2>&1
}

stop_picture_session() {
  set +e
  "$WINESERVER_CMD" -k >/dev/null 2>&1
  "$WINESERVER_CMD" -w >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
