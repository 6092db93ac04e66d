#!/usr/bin/env bash
# Stored settings at start, Apply with and without a chosen row, a tray mode
# command, and the autostart entry (vendor tool replaced, path quoted).
. "$(dirname "$0")/lib.sh"

reg_value() { drv reg-get "$SETTINGS_KEY" "$1" 2>/dev/null || echo none; }
run_value() { drv reg-get "$RUN_KEY" "$1" 2>/dev/null || echo none; }
# click_child MAIN CLASS [TITLE]: a left click posted to a control of the window.
click_child() {
  local args=(--class "$2") child
  [ $# -ge 3 ] && args+=(--title "$3")
  child=$(drv find-child "$1" "${args[@]}") || fail "no $2 $3"
  drv post "$child" WM_LBUTTONDOWN 1 0x00050005 >/dev/null
  drv post "$child" WM_LBUTTONUP 0 0x00050005 >/dev/null
}
start_shown() {
  start_program "$@"
  MAIN=$(wait_window --title "$MAIN_TITLE" --visible 20) || fail "main window not shown"
}
windows_path() { "$WINE_LOADER_CMD" winepath -w "$1" 2>/dev/null; }

# Settings stored before the start are applied by the start-up tick.
reset_registry
drv reg-set "$SETTINGS_KEY" scaling REG_DWORD 1 >/dev/null
drv reg-set "$SETTINGS_KEY" Width REG_DWORD 800 >/dev/null
drv reg-set "$SETTINGS_KEY" Height REG_DWORD 600 >/dev/null
drv reg-set "$SETTINGS_KEY" Bits REG_DWORD 16 >/dev/null
start_shown
wait_hidden "$MAIN" 10 || fail "stored mode: window not hidden"
assert_eq "800 600" "$(drv screen)" "stored mode applied at start"
assert_eq "REG_DWORD 16" "$(reg_value Bits)" "stored mode written back"
assert_eq none "$(run_value "MOXEL Utility")" "no autostart entry made by the load"
stop_program >/dev/null
drv set-mode 1024 768 32 >/dev/null

# Apply without a row. A bad mode argument ends the start-up tick early, so
# the window stays shown for as long as this takes.
reset_registry
start_shown 1 800 480 abc
box=$(drv find --class '#32770' --title "$APP_TITLE" --visible --timeout 10000) || fail "no error box"
drv close "$box" >/dev/null
click_child "$MAIN" TskCheckGroupButton "Show Num Lock"
click_child "$MAIN" TskButton Apply
sleep 0.5
assert_eq 1 "$(drv visible "$MAIN")" "Apply without a row: window stays shown"
assert_eq "REG_DWORD 0" "$(reg_value scaling)" "Apply without a row: scaling stored"
assert_eq "REG_DWORD 1" "$(reg_value NumLock)" "Apply without a row: indicators stored"
assert_eq "REG_DWORD 0" "$(reg_value CapLock)" "Apply without a row: unticked indicator stored"
assert_eq none "$(reg_value Width)" "Apply without a row: no mode"
assert_eq "1024 768" "$(drv screen)" "Apply without a row: display unchanged"

# Apply with a row and scaling ticked.
click_child "$MAIN" TskRadioGroupButton 800x600x32
click_child "$MAIN" TskCheckBox "Enable Scaling"
click_child "$MAIN" TskButton Apply
assert_eq "800 600" "$(settled "800 600" 15 drv screen)" "Apply with row 1: display switched"
assert_eq "REG_DWORD 1" "$(reg_value scaling)" "Apply with row 1: scaling on"
assert_eq 0 "$(drv visible "$MAIN")" "Apply with row 1: window hidden"
check "Apply with row 1: the taskbar button goes too" wait_taskbar "$(app_window)" 0
assert_eq "REG_DWORD 800 REG_DWORD 600 REG_DWORD 32" \
  "$(echo $(reg_value Width) $(reg_value Height) $(reg_value Bits))" "Apply with row 1: mode stored"

# A tray mode command: "&5  800x600x16" ticks scaling and chooses row 4.
click_child "$MAIN" TskCheckBox "Enable Scaling" # untick
drv set-mode 1024 768 32 >/dev/null
menu=$(open_tray_menu) || fail "no tray menu"
choose_in_menu "$menu" 0x35 || fail "the 5 key did not run a menu row"
assert_eq "800 600" "$(settled "800 600" 15 drv screen)" "tray command 5: display switched"
assert_eq "REG_DWORD 1" "$(reg_value scaling)" "tray command 5: scaling turned on"
assert_eq "REG_DWORD 16" "$(reg_value Bits)" "tray command 5: 16 bits stored"
assert_eq 0 "$(drv visible "$MAIN")" "tray command 5: window hidden"

# Autostart: ticked replaces the vendor's tray tool, unticked removes ours.
drv reg-set "$RUN_KEY" Korbtray REG_SZ 'C:\korbtray.exe' >/dev/null
click_child "$MAIN" TskCheckBox "Startup with Windows"
click_child "$MAIN" TskButton Apply
ours="REG_SZ $(windows_path "$PROGRAM_EXE")"
assert_eq "$ours" "$(settled "$ours" 10 run_value "MOXEL Utility")" "autostart ticked: our path"
assert_eq none "$(run_value Korbtray)" "autostart ticked: vendor tool removed"
click_child "$MAIN" TskCheckBox "Startup with Windows"
click_child "$MAIN" TskButton Apply
assert_eq none "$(settled none 10 run_value "MOXEL Utility")" "autostart unticked: entry removed"
stop_program >/dev/null

# A path with a space is written in quotes, so Windows cannot split it.
spaced="$E2E_TMP/Program Files/MoxelUtility.exe"
mkdir -p "$(dirname "$spaced")" && cp "$PROGRAM_EXE" "$spaced"
PROGRAM_EXE=$spaced
reset_registry
start_shown
# The start-up tick sets the box from the registry; a first start from a new
# folder can be slow, so tick it only after the tick, shown again from the tray.
wait_hidden "$MAIN" 20 || fail "the start-up tick did not hide the window"
show_from_tray "$MAIN" || fail "a double click on the icon did not show the window"
click_child "$MAIN" TskCheckBox "Startup with Windows"
click_child "$MAIN" TskButton Apply
quoted="REG_SZ \"$(windows_path "$spaced")\""
assert_eq "$quoted" "$(settled "$quoted" 10 run_value "MOXEL Utility")" "autostart path with a space is quoted"
stop_program >/dev/null
reset_registry
