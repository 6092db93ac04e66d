#!/usr/bin/env bash
# The finished window as a user sees it, read back from the screen: "V1.2" in
# red at the top left of the frame and the credit line in blue beside it,
# each centred across its label's box (0 to 57 and 48 to 177, both 16 to 46
# down the frame), with the Apply button to their right.
. "$(dirname "$0")/lib.sh"

windows_path() { "$WINE_LOADER_CMD" winepath -w "$1" 2>/dev/null; }

# ink_box FILE COLOUR MAX_X: the bounding box "left top right bottom" of the
# pixels of that colour (as ImageMagick names it, e.g. #FF0000) left of MAX_X.
ink_box() {
  convert "$1" txt:- | awk -v colour="$2" -v max="$3" -F'[,: ]+' '
    $0 ~ colour { x = $1; y = $2; if (x >= max) next
      if (n++ == 0) { l = x; t = y; r = x; b = y }
      if (x < l) l = x; if (x > r) r = x; if (y < t) t = y; if (y > b) b = y }
    END { if (n) print l, t, r + 1, b + 1; else print "none" }'
}

# centred LEFT RIGHT BOX_LEFT BOX_RIGHT: the ink's middle lies within 2 pixels
# of the box's middle.
centred() {
  local twice_ink=$(($1 + $2)) twice_box=$(($3 + $4))
  [ $((twice_ink - twice_box)) -le 4 ] && [ $((twice_box - twice_ink)) -le 4 ]
}

reset_registry
start_program
MAIN=$(main_after_tick) || fail "the window did not show and hide at the start-up tick"
show_from_tray "$MAIN" || fail "a double-click on the tray icon did not show the window"
FRAME=$(drv find-child "$MAIN" --class TskForm) || fail "no frame on the window"
read -r X Y _ _ <<<"$(drv rect "$FRAME")"

# The top of the frame, read again until the window has reached the screen
# (a window shown again from the tray can take a moment to be drawn there).
shot=$E2E_TMP/labels.bmp
for _ in $(seq 40); do
  drv capture-rect "$X" "$Y" 270 60 "$(windows_path "$shot")" >/dev/null || fail "no capture"
  read -r rl rt rr rb <<<"$(ink_box "$shot" '#FF0000' 184)"
  [ "$rl" != none ] && break
  sleep 0.25
done
read -r bl bt br bb <<<"$(ink_box "$shot" '#0000FF' 184)"
[ "$rl" != none ] || fail "no red text on the frame"
[ "$bl" != none ] || fail "no blue text left of the Apply button"

check "\"V1.2\" lies inside its box (ink $rl $rt $rr $rb)" \
  test "$rl" -gt 0 -a "$rr" -lt 57 -a "$rt" -gt 16 -a "$rb" -lt 46
check "\"V1.2\" is centred across its box" centred "$rl" "$rr" 0 57
check "the credit line lies inside its box (ink $bl $bt $br $bb)" \
  test "$bl" -gt 48 -a "$br" -lt 177 -a "$bt" -gt 16 -a "$bb" -lt 46
check "the credit line is centred across its box" centred "$bl" "$br" 48 177
check "the credit line starts right of \"V1.2\"" test "$bl" -gt "$rr"
assert_eq 0 "$(stop_program)" "the program exits cleanly"
exit 0
