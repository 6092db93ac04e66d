#!/usr/bin/env bash
# A stored value of the wrong type ("Width" as the string 1024): the start-up
# tick shows the settings store's box with its exact text and stops there;
# the window stays shown and usable, and no stored value changes or goes.
# (Every value in every wrong shape: tests/app/SettingsTest.cpp.)
. "$(dirname "$0")/lib.sh"

keep_settings
store_settings scaling=1 NumLock=1 Height=768 Bits=32
drv reg-set "$SETTINGS_KEY" Width REG_SZ 1024 >/dev/null
before=$(settings_snapshot)

start_program
main=$(wait_window --title "$MAIN_TITLE" 20) || fail "no main window"
box=$(drv find --class '#32770' --title "$APP_TITLE" --visible --timeout 20000) || fail "no error box"
# The box adds a full stop only after a character that sorts after ".";
# the closing quote sorts before it.
drv find-child "$box" --class Static --title "Failed to get data for 'Width'" >/dev/null ||
  fail "the box's text: $(for c in $(drv find-child "$box" --class Static --all); do drv text "$c"; done)"
echo "ok: the box reads \"Failed to get data for 'Width'\""
assert_eq 1 "$(drv visible "$main")" "the window stays shown"
assert_eq "$before" "$(settings_snapshot)" "no stored value changed or went"
drv close "$box" >/dev/null
check "the box closes" wait_gone "$box" 5
check "the window stays shown after the box" test "$(drv visible "$main")" = 1
check "the program goes on" program_running
check "its icon stays in the notification area" wait_own_tray_icons 2 10
assert_eq "$before" "$(settings_snapshot)" "still nothing changed"
assert_eq 0 "$(stop_program)" "the program exits cleanly"
echo "PASS"
