#!/usr/bin/env bash
# The shell loses its icons (as when it restarts): the program's icons are
# deleted from outside with the windows and ids they were added with, then
# "TaskbarCreated" is broadcast. Every icon that was visible, the program's
# own and each ticked indicator, comes back with its hint; one that was
# hidden stays away.
. "$(dirname "$0")/lib.sh"

keep_settings
# The current mode stored: the program's hint reads it, and nothing switches.
store_settings Width=1024 Height=768 Bits=32 CapLock=1 NumLock=1 ScrollLock=0

start_program
main=$(main_after_tick) || fail "no main window that the start-up tick hid"
check "the program's icon and the two ticked indicators show" wait_own_tray_icons 3 20
scroll=$(icon_window TextTrayIcon3) || fail "no icon window for TextTrayIcon3"

# The shell keeps the tooltips of icons that are gone, so hints are judged
# by how many tooltips carry them: each icon added anew adds one.
hint_count() { drv tray-tips | grep -cxE "$1"; }
hints=("1024x768x32" "Num Lock O(N|FF)" "Cap Lock O(N|FF)" "Scroll Lock O(N|FF)")
counts=()
for hint in "${hints[@]}"; do counts+=("$(hint_count "$hint")"); done

icons=$(own_tray_icons | cut -d' ' -f1)
for icon in $icons; do
  drv tray-delete "$icon" >/dev/null || fail "the shell would not delete icon $icon"
done
assert_eq 0 "$(own_tray_icons | wc -l)" "the shell shows none of the program's icons"

drv broadcast reg:TaskbarCreated 0 0 >/dev/null || fail "could not broadcast TaskbarCreated"
check "the three icons come back" wait_own_tray_icons 3 20
for icon in $icons; do
  assert_eq 1 "$(drv tray-has "$icon")" "icon $icon is in the notification area again"
done
for i in 0 1 2; do
  check "'${hints[$i]}' is shown again" test "$(hint_count "${hints[$i]}")" -gt "${counts[$i]}"
done
assert_eq 0 "$(drv tray-has "$scroll")" "the unticked Scroll Lock indicator stays away"
assert_eq "${counts[3]}" "$(hint_count "${hints[3]}")" "and its hint with it"

sleep 1
assert_eq 3 "$(own_tray_icons | wc -l)" "the indicator ticks keep exactly those icons"
assert_eq 0 "$(stop_program)" "the program exits cleanly"
for icon in $icons; do
  assert_eq 0 "$(drv tray-has "$icon")" "icon $icon left with the program"
done
echo "PASS"
