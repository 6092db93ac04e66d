#!/usr/bin/env bash
# The skinned window as a user sees and works it: no system caption, a grey
# outline with inner strips in the background colour, the top rows of the
# MacOS title pictures, the MacOS tiles behind a transparent check box (all
# read back from the screen); dragging the title moves the window; Alt+Space
# opens the system menu below the title bar; the minimize button hides the
# window into the tray; the close button, a double click on the control box
# and the system menu's Close end the program with exit code 0.
. "$(dirname "$0")/lib.sh"

WS_CAPTION=0x00C00000
THEMES=$REPO_ROOT/resources/themes

# show_after_tick: starts the program and shows its window again once the
# start-up tick has hidden it, so nothing below races that tick.
show_after_tick() {
  start_program
  MAIN=$(wait_window --title "$MAIN_TITLE" --visible 20) || fail "no main window"
  wait_hidden "$MAIN" 15 || fail "the start-up tick did not hide the window"
  show_from_tray "$MAIN" || fail "a double-click on the tray icon did not show the window"
  # The pointer away from the window: nothing under it lights up.
  drv move 2 2 >/dev/null
  sleep 0.5
  read -r L T R B <<<"$(drv rect "$MAIN")"
}

windows_path() { "$WINE_LOADER_CMD" winepath -w "$1" 2>/dev/null; }

# screen_pixels X Y...: the screen's colours at the points, space-separated.
screen_pixels() { drv pixel "$@" | tr '\n' ' ' | sed 's/ $//'; }
# theme_pixels PICTURE X Y...: the colours of a theme picture at the points.
theme_pixels() {
  local file
  file=$(windows_path "$THEMES/$1.bmp")
  shift
  drv file-pixel "$file" "$@" | tr '\n' ' ' | sed 's/ $//'
}

reset_registry
show_after_tick
style=$(drv style "$MAIN" | cut -d' ' -f1)
assert_eq 0 $((style & WS_CAPTION)) "the window has no system caption"
assert_eq "$MAIN_TITLE" "$(drv text "$MAIN")" "its text is the caption"

# The frame, from the screen. W x H is the outer size.
W=$((R - L)); H=$((B - T))
grey=7f7f7f strip=e7e7e7
assert_eq "$grey $grey $grey $grey" \
  "$(settled "$grey $grey $grey $grey" 10 screen_pixels $L $((T + 1)) $L $((T + H / 2)) $((R - 1)) $((T + H / 2)) $((L + W / 2)) $((B - 1)))" \
  "a one-pixel grey outline (left, right, bottom)"
screenshot frame >/dev/null
assert_eq "$strip $strip $strip $strip $strip" \
  "$(screen_pixels $((L + 1)) $((T + 40)) $((L + 2)) $((T + 40)) $((R - 3)) $((T + 40)) $((R - 2)) $((T + 40)) $((L + W / 2)) $((B - 2)))" \
  "inner strips in the background colour"
assert_eq "$(theme_pixels MACOS_TITLE_CLIENT 0 0 0 1 0 2)" \
  "$(screen_pixels $((L + W / 2)) $T $((L + W / 2)) $((T + 1)) $((L + W / 2)) $((T + 2)))" \
  "the top strip holds the top rows of the title picture"

# The MacOS tiles show through the transparent check box, right of its caption.
frame=$(drv find-child "$MAIN" --class TskForm) || fail "no frame"
box=$(drv find-child "$MAIN" --class TskCheckBox --title "Enable Scaling") || fail "no check box"
read -r fl ft _ _ <<<"$(drv rect "$frame")"
read -r _ bt br _ <<<"$(drv rect "$box")"
x=$((br - 3))
points=() tiles=()
for y in $((bt + 2)) $((bt + 3)) $((bt + 4)) $((bt + 5)); do
  points+=("$x" "$y")
  tiles+=($(((x - fl) % 8)) $(((y - ft) % 8)))
done
assert_eq "$(theme_pixels MACOS_FORM_BACKGROUND "${tiles[@]}")" "$(screen_pixels "${points[@]}")" \
  "the tiled background shows through the transparent check box"

# Dragging the title moves the window with the pointer.
drv drag $((L + 200)) $((T + 10)) $((L + 160)) $((T + 40)) >/dev/null
moved="$((L - 40)) $((T + 30)) $((R - 40)) $((B + 30))"
assert_eq "$moved" "$(settled "$moved" 10 drv rect "$MAIN")" \
  "dragging the title moves the window"
read -r L T R B <<<"$(drv rect "$MAIN")"

# Alt+Space: the system menu, one title bar height (20) below the top edge.
drv key alt+space >/dev/null
menu=$(drv find --class '#32768' --visible --timeout 5000) || fail "Alt+Space opened no menu"
read -r ml mt _ _ <<<"$(drv rect "$menu")"
assert_eq "$L $((T + 20))" "$ml $mt" "the system menu opens at the left edge below the title bar"
drv key escape >/dev/null
drv wait-hidden "$menu" 3000 >/dev/null || fail "Escape did not close the system menu"

# The minimize button (the title bar is 270 wide from x = 3; close at 250,
# minimize at 232, pictures 17 x 17 from y = 1): into the tray.
drv click $((L + 3 + 232 + 8)) $((T + 3 + 1 + 8)) >/dev/null
check "the minimize button hides the window into the tray" wait_hidden "$MAIN" 5
check "the tray icon stays" wait_own_tray_icons 1
check "a double-click on the tray icon brings it back" show_from_tray "$MAIN"

# The close button.
drv move 2 2 >/dev/null
sleep 0.3
drv click $((L + 3 + 250 + 8)) $((T + 3 + 1 + 8)) >/dev/null
assert_eq 0 "$(program_exit_code 15)" "the close button ends the program with exit code 0"

# A double click on the control box (x = 4, one pixel higher than the others).
show_after_tick
drv click $((L + 3 + 4 + 8)) $((T + 3 + 0 + 8)) double >/dev/null
assert_eq 0 "$(program_exit_code 15)" "a double click on the control box ends the program"

# Close in the system menu.
show_after_tick
drv key alt+space >/dev/null
menu=$(drv find --class '#32768' --visible --timeout 5000) || fail "Alt+Space opened no menu"
drv key 0x43 >/dev/null # C
assert_eq 0 "$(program_exit_code 15)" "Close in the system menu ends the program"
echo "PASS"
