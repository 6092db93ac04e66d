#!/usr/bin/env bash
# The theme gallery in the README: the main window as the program shows it
# (MacOS, the only style it has), and the skin preview under each of the five
# built-in styles and with the sample skin file, all taken from the real
# programs under Wine in a private desktop; combined into docs/gallery.png.
#   tools/gallery.sh
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

. tools/picture-session.sh
build_for_pictures gallery MoxelUtility SkinPreview
start_picture_session gallery
build=$repo/build/$WINE_ARCH
driver() { wine_cmd "$build/tests/MoxelDriver.exe" "$@" </dev/null; }
winpath() { echo "Z:${1//\//\\}"; }

shots=$repo/build/gallery
rm -rf "$shots"
mkdir -p "$shots"

# The main window shows for about three seconds before it hides in the tray.
wine_cmd "$build/MoxelUtility.exe" </dev/null >build/logs/gallery-program.log 2>&1 &
main=$(driver find --title "MOXEL Utility V1.2 20080204" --visible --timeout 20000 | tr -d '\r') ||
  { echo "the main window did not show"; exit 1; }
sleep 1
driver capture "$main" "$(winpath "$shots/main.bmp")" >/dev/null
driver close "$main" >/dev/null || true

looks=(MacOS WinXP DeepBlue Protein BlueGlass Copper.skin)
for look in "${looks[@]}"; do
  if [ "$look" = Copper.skin ]; then
    source=$(winpath "$repo/resources/skins/Copper.skin")
  else
    source="--style $look"
  fi
  # shellcheck disable=SC2086 # the style option is two words
  wine_cmd "$build/SkinPreview.exe" $source --shot "$(winpath "$shots/$look.bmp")" </dev/null \
    >>build/logs/gallery-preview.log 2>&1 || { echo "the preview of $look failed"; exit 1; }
done

tiles=(-label "MoxelUtility.exe" "$shots/main.bmp")
for look in "${looks[@]}"; do
  tiles+=(-label "SkinPreview $look" "$shots/$look.bmp")
done
montage -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 13 -background white \
  "${tiles[@]}" -tile 4x -geometry +10+8 docs/gallery.png
echo "$repo/docs/gallery.png"
