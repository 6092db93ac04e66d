#!/usr/bin/env bash
# The theme gallery in the README: for each of the five built-in styles and
# the sample skin file, the program's main window (painted by
# MainWindowPictures.exe from the program's own form description, since the
# program keeps no style setting) beside the skin preview, all taken under
# Wine in a private desktop; combined into docs/gallery.png, one labelled tile
# per look, two tiles a row.
#   tools/gallery.sh
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

. tools/picture-session.sh
build_for_pictures gallery MainWindowPictures SkinPreview
start_picture_session gallery
build=$repo/build/$WINE_ARCH
winpath() { echo "Z:${1//\//\\}"; }

shots=$repo/build/gallery
rm -rf "$shots"
mkdir -p "$shots"
skin=$repo/resources/skins/Copper.skin

# One process paints the main window in every look: main-<look>.bmp.
wine_cmd "$build/tests/app/MainWindowPictures.exe" "$(winpath "$shots")" "$(winpath "$skin")" \
  </dev/null >build/logs/gallery-main.log 2>&1 ||
  { echo "the main window pictures failed"; cat build/logs/gallery-main.log; exit 1; }

looks=(MacOS WinXP DeepBlue Protein BlueGlass Copper.skin)
for look in "${looks[@]}"; do
  if [ "$look" = Copper.skin ]; then
    source=$(winpath "$skin")
  else
    source="--style $look"
  fi
  # shellcheck disable=SC2086 # the style option is two words
  wine_cmd "$build/SkinPreview.exe" $source --shot "$(winpath "$shots/preview-$look.bmp")" \
    </dev/null >>build/logs/gallery-preview.log 2>&1 || { echo "the preview of $look failed"; exit 1; }
done

font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
tiles=()
for look in "${looks[@]}"; do
  for picture in "$shots/main-$look.bmp" "$shots/preview-$look.bmp"; do
    [ -f "$picture" ] || { echo "no picture $picture"; exit 1; }
  done
  # The look's name above, the main window and the preview side by side.
  convert -background white \
    \( -font "$font" -pointsize 15 label:"$look" \) \
    \( "$shots/main-$look.bmp" -size 14x1 xc:white "$shots/preview-$look.bmp" \
       -gravity north +append \) \
    -gravity west -splice 0x0 -append -bordercolor white -border 12x10 "$shots/tile-$look.png"
  tiles+=("$shots/tile-$look.png")
done
rows=()
for ((i = 0; i < ${#tiles[@]}; i += 2)); do
  convert -background white "${tiles[$i]}" "${tiles[$((i + 1))]}" -gravity north +append \
    "$shots/row-$i.png"
  rows+=("$shots/row-$i.png")
done
convert -background white "${rows[@]}" -gravity west -append +repage docs/gallery.png
echo "$repo/docs/gallery.png"
