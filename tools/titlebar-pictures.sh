#!/usr/bin/env bash
# Paints the main window's title bar under each of the five built-in styles
# (active above, inactive below) under Wine and combines the pictures into
# docs/titlebar.png.
#   tools/titlebar-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

. tools/picture-session.sh
paint_pictures titlebar-pictures TitleBarPictures
shots=$repo/build/titlebar-pictures
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
