#!/usr/bin/env bash
# Start-up and the single-instance rule: the window appears centred on the
# desktop, the start-up tick hides it about three seconds later while the
# process keeps running, a second copy ends at once without a window of its
# own, and after the first copy ends a new one starts normally.
. "$(dirname "$0")/lib.sh"

reset_registry
start_program
main=$(wait_window --title "$MAIN_TITLE" --visible 20) || fail "the main window did not appear"
shown_at=$(now_ms)

read -r left top right bottom <<<"$(drv rect "$main")"
read -r sw sh <<<"$(drv screen)"
width=$((right - left)); height=$((bottom - top))
assert_eq "$((sw / 2 - width / 2)) $((sh / 2 - height / 2))" "$left $top" "the window is centred"
read -r cw ch <<<"$(drv client "$main")"
check "the client area shows the whole 270 x 217 layout" test "$cw" -ge 270 -a "$ch" -ge 217

app=$(app_window) || fail "no application window titled $APP_TITLE"
assert_eq "$app" "$(drv owner "$main")" "the application window owns the main window"

wait_hidden "$main" 10 || fail "the start-up tick did not hide the window"
hidden_after=$(($(now_ms) - shown_at))
check "hidden about 3 s after start (took ${hidden_after} ms)" \
  test "$hidden_after" -gt 1500 -a "$hidden_after" -lt 6000
check "the process keeps running with the window hidden" program_running
check "the taskbar button goes with the window" wait_taskbar "$app" 0

# A second copy: ends at once with exit code 0 and opens no window.
start=$(date +%s)
wine_cmd "$PROGRAM_EXE" >"$E2E_TMP/second.log" 2>&1
assert_eq "0" "$?" "the second copy ends with exit code 0"
check "the second copy ended at once" test $(( $(date +%s) - start )) -lt 10
assert_eq "1" "$(drv find --title "$MAIN_TITLE" >/dev/null && echo 1)" "still exactly the first copy's window"
check "the first copy still runs" program_running

# Resizing is undone at once.
drv resize "$main" 500 400 >/dev/null
assert_eq "$left $top $right $bottom" "$(drv rect "$main")" "the outer size is held"

assert_eq "0" "$(stop_program)" "the first copy ends with exit code 0"

# The mutex went with the first copy: a new start runs normally.
start_program
main=$(wait_window --title "$MAIN_TITLE" --visible 20) || fail "a new start after the first copy ended shows no window"
assert_eq "0" "$(stop_program)" "the new copy ends normally"
echo "PASS"
