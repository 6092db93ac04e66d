#!/usr/bin/env bash
# The program in the notification area: its icon, the double-click that shows
# the window, the tray menu on a right-button press, a hyphen row that does
# nothing, the Num Lock indicator following the key, and "&Exit".
. "$(dirname "$0")/lib.sh"

# tip_count TEXT: how many tray tooltips read TEXT. The shell keeps the
# tooltips of icons that are gone (earlier runs), so tests look at changes.
tip_count() { drv tray-tips | grep -cx "$1"; }

# wait_tip_count TEXT N: waits (5 s) until N tooltips read TEXT.
wait_tip_count() {
  local i
  for i in $(seq 50); do
    [ "$(tip_count "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# click_menu_row MENU INDEX: clicks the INDEX-th of the tray menu's nine rows
# (all rows are text rows of one height; the frame is a few pixels wide).
click_menu_row() {
  local left top right bottom row_height
  read -r left top right bottom <<<"$(drv rect "$1")"
  row_height=$(((bottom - top - 6) / 9))
  drv click $(((left + right) / 2)) $((top + 3 + $2 * row_height + row_height / 2)) >/dev/null
  drv wait-hidden "$1" 2000 >/dev/null 2>&1
}

reset_registry
start_program
icon=$(icon_window TrayIcon1) || fail "no icon window for TrayIcon1"
main=$(wait_window --title "$MAIN_TITLE" --visible 20) || fail "no main window"
wait_hidden "$main" 10 >/dev/null || fail "the start-up tick did not hide the window"

check "the program shows one icon in the notification area" wait_own_tray_icons 1
app=$(app_window) || fail "no application window"
check "no taskbar button while the window sits in the tray" wait_taskbar "$app" 0

tray_message TrayIcon1 0x0203
check "a double-click on the icon shows the window" wait_shown "$main" 5
assert_eq 1 "$(drv visible "$app")" "the application window is restored with it"
check "and its taskbar button is back" wait_taskbar "$app" 1

# Minimize to tray: the window and its taskbar button go, the icon stays.
drv post "$main" WM_SYSCOMMAND 0xF020 0 >/dev/null
check "a minimize hides the window into the tray" wait_hidden "$main" 5
check "a minimize drops the taskbar button" wait_taskbar "$app" 0
check "the icon stays" wait_own_tray_icons 1
tray_message TrayIcon1 0x0203
check "a double-click brings the window back" wait_shown "$main" 5
check "with its taskbar button" wait_taskbar "$app" 1

menu=$(open_tray_menu) || fail "a right-button press did not open the tray menu"
echo "ok: the tray menu opens on the press"
mode_before=$(drv mode)
check "the first hyphen row closes the menu" click_menu_row "$menu" 3
sleep 0.5
check "the program goes on" program_running
assert_eq "$mode_before" "$(drv mode)" "the display mode is unchanged"
assert_eq 1 "$(drv visible "$main")" "the window is still shown"

# Tick "Show Num Lock" in the window's check group.
on_before=$(tip_count "Num Lock ON")
off_before=$(tip_count "Num Lock OFF")
numlock_item=$(drv find-child "$main" --title "Show Num Lock") || fail "no 'Show Num Lock' item"
drv post "$numlock_item" 0x0201 1 0x00050005 >/dev/null
drv post "$numlock_item" 0x0202 0 0x00050005 >/dev/null
if wait_tip_count "Num Lock ON" $((on_before + 1)); then
  first="Num Lock ON" second="Num Lock OFF" first_count=$((on_before + 1)) second_count=$off_before
elif wait_tip_count "Num Lock OFF" $((off_before + 1)); then
  first="Num Lock OFF" second="Num Lock ON" first_count=$((off_before + 1)) second_count=$on_before
else
  fail "ticking 'Show Num Lock' brought no indicator"
fi
echo "ok: the Num Lock indicator shows '$first'"
check "the indicator stands beside the program's icon" wait_own_tray_icons 2
drv key 0x90 >/dev/null
check "Num Lock toggled: the hint reads '$second'" wait_tip_count "$second" $((second_count + 1))
assert_eq $((first_count - 1)) "$(tip_count "$first")" "and no longer '$first'"
drv key 0x90 >/dev/null
check "toggled back: the hint reads '$first'" wait_tip_count "$first" "$first_count"
screenshot tray-indicators >/dev/null

icons=$(own_tray_icons | cut -d' ' -f1)
menu=$(open_tray_menu) || fail "the tray menu did not open again"
choose_in_menu "$menu" 0x45 || fail "'&Exit' could not be chosen"
assert_eq 0 "$(program_exit_code 10)" "'&Exit' ends the program with exit code 0"
PROGRAM_PID=""
for icon in $icons; do
  assert_eq 0 "$(drv tray-has "$icon")" "icon $icon left the notification area"
  assert_eq 0 "$(drv exists "$icon")" "its icon window is gone"
done

echo "tray end-to-end test passed"
exit 0
