#!/usr/bin/env bash
# Opens a skinned popup menu in each of the five built-in styles under Wine,
# takes a picture of each open menu and combines them into docs/menus.png.
#   tools/menu-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

tools/install-deps.sh
. tools/wine-env.sh
mkdir -p build/logs

cmake -S . -B "build/$WINE_ARCH" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$WINE_ARCH.cmake" -DCMAKE_BUILD_TYPE=Release \
  >"build/logs/configure-$WINE_ARCH.log" 2>&1 ||
  { tail -n 40 "build/logs/configure-$WINE_ARCH.log"; exit 1; }
cmake --build "build/$WINE_ARCH" --target MenuPictures MoxelDriver \
  >"build/logs/build-menu-pictures.log" 2>&1 ||
  { tail -n 60 build/logs/build-menu-pictures.log; exit 1; }

xvfb_pid=""
cleanup() {
  set +e
  "$WINESERVER_CMD" -k >/dev/null 2>&1
  "$WINESERVER_CMD" -w >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
start_private_xvfb 1024x768x24 build/logs/xvfb.log || { echo "could not start Xvfb"; exit 1; }
export WINEPREFIX=$repo/build/wineprefix-menu-pictures-$WINE_ARCH
[ -f "$WINEPREFIX/system.reg" ] || tools/make-prefix.sh >build/logs/make-prefix.log 2>&1
"$WINESERVER_CMD" -p10
# Desktop and services first, so they do not hold on to this script's output.
wine_cmd "build/$WINE_ARCH/tests/MoxelDriver.exe" screen </dev/null >/dev/null 2>&1

shots=$repo/build/menu-pictures
rm -rf "$shots"
mkdir -p "$shots"
wine_cmd "build/$WINE_ARCH/tests/skin/MenuPictures.exe" "Z:${shots//\//\\}" </dev/null \
  >build/logs/menu-pictures.log 2>&1
labelled=()
for style in MacOS WinXP DeepBlue Protein BlueGlass; do
  [ -f "$shots/menu-$style.bmp" ] || { echo "no picture for $style"; exit 1; }
  convert "$shots/menu-$style.bmp" "$shots/menu-$style.png"
  labelled+=(-label "$style" "$shots/menu-$style.png")
done
montage -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 13 "${labelled[@]}" \
  -tile 5x1 -geometry +10+10 -background white docs/menus.png
echo "$repo/docs/menus.png"
