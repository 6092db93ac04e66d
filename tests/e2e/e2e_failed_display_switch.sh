#!/usr/bin/env bash
# A display switch that fails: the tray menu's "&3  800x480x32" on a desktop
# that does not offer 800 x 480 (Wine's). The display stays as it was, the
# stored choices are all still there (the mode as requested), and the window
# and the tray go on working.
. "$(dirname "$0")/lib.sh"

drv modes | grep -qx "800 480 32" && { echo "SKIP: this display offers 800 x 480"; exit 0; }
keep_settings
store_settings scaling=0 CapLock=1 NumLock=0 ScrollLock=0 Width=1024 Height=768 Bits=32
mode_before=$(drv mode)

start_program
main=$(main_after_tick) || fail "no main window that the start-up tick hid"
check "the program's icon and the Caps Lock indicator show" wait_own_tray_icons 2 20

# The shell keeps the tooltips of icons gone before: count new ones.
hints_before=$(drv tray-tips | grep -cx "800x480x32")
menu=$(open_tray_menu) || fail "the tray menu did not open"
choose_in_menu "$menu" 0x33 || fail "'&3  800x480x32' could not be chosen"
# The command ends by storing the mode it asked for.
wait_stored Height "REG_DWORD 480" || fail "the requested mode was not stored"
sleep 1
assert_eq "$mode_before" "$(drv mode)" "the display keeps its mode"
assert_eq "$(printf '%s\n' "Bits REG_DWORD 4 = REG_DWORD 32" "CapLock REG_DWORD 4 = REG_DWORD 1" \
  "Height REG_DWORD 4 = REG_DWORD 480" "NumLock REG_DWORD 4 = REG_DWORD 0" \
  "ScrollLock REG_DWORD 4 = REG_DWORD 0" "Width REG_DWORD 4 = REG_DWORD 800" \
  "scaling REG_DWORD 4 = REG_DWORD 1")" "$(settings_snapshot)" \
  "every choice is still stored: the requested mode, scaling on, the indicators as they were"
check "the program goes on" program_running
assert_eq 2 "$(own_tray_icons | wc -l)" "its icons stay in the notification area"
assert_eq $((hints_before + 1)) "$(drv tray-tips | grep -cx "800x480x32")" "the hint names the requested mode"

show_from_tray "$main" || fail "a double-click on the icon does not show the window"
echo "ok: the window shows from the tray"
drv find-child "$main" --title Apply >/dev/null || fail "the window has lost its Apply button"
drv post "$main" WM_SYSCOMMAND 0xF020 0 >/dev/null
check "a minimize hides it into the tray again" wait_hidden "$main" 5
menu=$(open_tray_menu) || fail "the tray menu does not open any more"
choose_in_menu "$menu" 0x32 || fail "'&2  800x600x32' could not be chosen"
wait_stored Height "REG_DWORD 600" || fail "the mode 800 x 600 was not stored"
assert_eq "REG_DWORD 800" "$(drv reg-get "$SETTINGS_KEY" Width)" "a mode the display offers is taken after it"
assert_eq "800 600 32" "$(drv mode)" "and the display is in it"
assert_eq 0 "$(stop_program)" "the program exits cleanly"
echo "PASS"
