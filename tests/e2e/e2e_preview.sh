#!/usr/bin/env bash
# The skin preview from outside: the sample skin file shown and written as a
# picture with its side and bottom border images; a malformed and a missing
# file get the reader's error in a box, after which the preview shows
# DeepBlue; every built-in style by name; an unknown name gets the usage box.
. "$(dirname "$0")/lib.sh"

[ -n "${PREVIEW_EXE:-}" ] && [ -f "$PREVIEW_EXE" ] || fail "PREVIEW_EXE is not built: '${PREVIEW_EXE:-}'"
PROGRAM_EXE=$PREVIEW_EXE
TITLE="Skin Preview"

winpath() { echo "Z:${1//\//\\}"; }

# bmp_size FILE: "WIDTH HEIGHT" from the bitmap file's header.
bmp_size() {
  local w h
  w=$(od -An -t d4 -j 18 -N 4 "$1" | tr -d ' ')
  h=$(od -An -t d4 -j 22 -N 4 "$1" | tr -d ' ')
  echo "$w ${h#-}"
}

# pixel FILE X Y: "rrggbb" of the picture file.
pixel() { drv file-pixel "$(winpath "$1")" "$2" "$3" | tr -d '\r'; }

# box_text BOX: the text of the message box (its Static children that have text).
box_text() {
  local child
  for child in $(drv find-child "$1" --class Static --all); do
    drv text "$child" | tr -d '\r'
  done | sed '/^$/d'
}

# run_preview NAME ARGS...: runs the preview to its end and leaves the picture
# in $E2E_TMP/NAME.bmp; SHOT is set to it.
run_preview() {
  local name=$1
  shift
  SHOT=$E2E_TMP/$name.bmp
  start_program "$@" --shot "$(winpath "$SHOT")"
}

# The sample skin: the picture shows the skin's left border image (its dark
# outer column) down both sides, the bottom image along the bottom edge, and
# the file's background colour inside.
sample=$REPO_ROOT/resources/skins/Copper.skin
run_preview copper "$(winpath "$sample")"
assert_eq 0 "$(program_exit_code 60)" "the sample skin is shown, the picture written, exit code 0"
[ -s "$SHOT" ] || fail "no picture of the sample skin"
read -r W H <<<"$(bmp_size "$SHOT")"
assert_eq 46220a "$(pixel "$SHOT" 0 $((H / 2)))" "the left edge shows the skin's side image"
assert_eq 46220a "$(pixel "$SHOT" $((W - 1)) $((H / 2)))" "the right edge shows the side image turned round"
assert_eq 46220a "$(pixel "$SHOT" $((W / 2)) $((H - 1)))" "the bottom edge shows the skin's bottom image"
assert_eq "$(pixel "$SHOT" 2 $((H / 2)))" "$(pixel "$SHOT" $((W - 3)) $((H / 2)))" \
  "the right edge is the left image turned round, column for column"
[ "$(pixel "$SHOT" 2 $((H / 2)))" != 46220a ] || fail "the side image is more than its outer column"
assert_eq ece4d8 "$(pixel "$SHOT" $((W / 2)) $((H - 10)))" "the client area has the file's background colour"

# A malformed file: the magic is right, the first record lies past the end.
bad=$E2E_TMP/broken.skin
printf 'Quvelto_TB\0\0\x18\0\0\0\0\0\0\0\xe8\x03\0\0' >"$bad"
run_preview broken "$(winpath "$bad")"
box=$(drv find --class '#32770' --title "$TITLE" --visible --timeout 20000) || fail "malformed file: no error box"
text=$(box_text "$box")
assert_eq "Invalid skin file \"$(winpath "$bad")\": the first entry record at offset 1000 lies outside 0..24." \
  "$text" "malformed file: the box shows the reader's error"
drv close "$box" >/dev/null
assert_eq 1 "$(program_exit_code 30)" "malformed file: exit code 1 once the box is closed"
read -r W H <<<"$(bmp_size "$SHOT")"
assert_eq 000000 "$(pixel "$SHOT" 0 $((H / 2)))" "malformed file: the preview falls back to DeepBlue's border"
assert_eq e8e8e8 "$(pixel "$SHOT" $((W / 2)) $((H - 10)))" "malformed file: and to DeepBlue's background"

missing=$E2E_TMP/none.skin
run_preview missing "$(winpath "$missing")"
box=$(drv find --class '#32770' --title "$TITLE" --visible --timeout 20000) || fail "missing file: no error box"
assert_eq "Cannot open file \"$(winpath "$missing")\"" "$(box_text "$box")" "missing file: the box names the file"
drv close "$box" >/dev/null
assert_eq 1 "$(program_exit_code 30)" "missing file: exit code 1 once the box is closed"
read -r W H <<<"$(bmp_size "$SHOT")"
assert_eq e8e8e8 "$(pixel "$SHOT" $((W / 2)) $((H - 10)))" "missing file: the preview shows DeepBlue"

# Each built-in style: its border colour on the left edge and its background
# (MacOS and Protein tile a pattern of two colours) inside.
while read -r style border backgrounds; do
  run_preview "$style" --style "$style"
  assert_eq 0 "$(program_exit_code 60)" "--style $style: the picture is written, exit code 0"
  read -r W H <<<"$(bmp_size "$SHOT")"
  assert_eq "$border" "$(pixel "$SHOT" 0 $((H / 2)))" "--style $style: the border colour"
  background=$(pixel "$SHOT" $((W / 2)) $((H - 10)))
  [[ " $backgrounds " == *" $background "* ]] || fail "--style $style: background $background, not one of $backgrounds"
  echo "ok: --style $style: the background"
done <<'STYLES'
MacOS 7f7f7f eeeeee e2e2e2
WinXP 002cc8 efebde
DeepBlue 000000 e8e8e8
Protein 000000 fbfbfb f0f1f7
BlueGlass 000000 e7e7e7
STYLES

# An unknown style: the usage box, no preview window, exit code 2.
start_program --style Aqua
box=$(drv find --class '#32770' --title "$TITLE" --visible --timeout 20000) || fail "unknown style: no usage box"
text=$(box_text "$box")
assert_eq 'Unknown style "Aqua".' "$(head -n 1 <<<"$text")" "unknown style: the box names it"
grep -q 'MacOS, WinXP, DeepBlue, Protein, BlueGlass' <<<"$text" || fail "unknown style: the box lists the styles: $text"
echo "ok: unknown style: the box lists the styles"
drv close "$box" >/dev/null
assert_eq 2 "$(program_exit_code 30)" "unknown style: exit code 2 once the box is closed"
exit 0
