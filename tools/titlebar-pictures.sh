#!/usr/bin/env bash
# Paints the main window's title bar under each of the five built-in styles
# (active above, inactive below) under Wine and combines the pictures into
# docs/titlebar.png.
#   tools/titlebar-pictures.sh
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
cmake --build "build/$WINE_ARCH" --target TitleBarPictures \
  >build/logs/build-titlebar-pictures.log 2>&1 ||
  { tail -n 60 build/logs/build-titlebar-pictures.log; exit 1; }

xvfb_pid=""
cleanup() {
  set +e
  "$WINESERVER_CMD" -k >/dev/null 2>&1
  "$WINESERVER_CMD" -w >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
start_private_xvfb 1024x768x24 build/logs/xvfb.log || { echo "could not start Xvfb"; exit 1; }
export WINEPREFIX=$repo/build/wineprefix-titlebar-pictures-$WINE_ARCH
[ -f "$WINEPREFIX/system.reg" ] || tools/make-prefix.sh >build/logs/make-prefix.log 2>&1

shots=$repo/build/titlebar-pictures
rm -rf "$shots"
mkdir -p "$shots"
wine_cmd "build/$WINE_ARCH/tests/skin/TitleBarPictures.exe" "Z:${shots//\//\\}" </dev/null \
  >build/logs/titlebar-pictures.log 2>&1
rows=()
for style in MacOS WinXP DeepBlue Protein BlueGlass; do
  [ -f "$shots/titlebar-$style.bmp" ] || { echo "no picture for $style"; exit 1; }
  convert -background white \
    \( -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 13 label:"$style" \
       -gravity west -extent 80x \) \
    "$shots/titlebar-$style.bmp" -gravity center +append -bordercolor white -border 8x6 \
    "$shots/row-$style.png"
  rows+=("$shots/row-$style.png")
done
convert -background white "${rows[@]}" -gravity west -append +repage docs/titlebar.png
echo "$repo/docs/titlebar.png"
