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

. tools/picture-session.sh
build_picture_targets build-titlebar-pictures TitleBarPictures
start_picture_session titlebar-pictures

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
