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

. tools/picture-session.sh
build_picture_targets build-menu-pictures MenuPictures
start_picture_session menu-pictures

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
