#!/usr/bin/env bash
# Opens a skinned popup menu in each of the five built-in styles under Wine,
# takes a picture of each open menu and combines them into docs/menus.png.
#   tools/menu-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

. tools/picture-session.sh
paint_pictures menu-pictures MenuPictures
shots=$repo/build/menu-pictures
labelled=()
for style in MacOS WinXP DeepBlue Protein BlueGlass; do
  [ -f "$shots/menu-$style.bmp" ] || { echo "no picture for $style"; exit 1; }
  convert "$shots/menu-$style.bmp" "$shots/menu-$style.png"
  labelled+=(-label "$style" "$shots/menu-$style.png")
done
montage -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 13 "${labelled[@]}" \
  -tile 5x1 -geometry +10+10 -background white docs/menus.png
echo "$repo/docs/menus.png"
