#!/usr/bin/env bash
# The test driver itself works in this Wine desktop: screen size, registry
# round trips, the taskbar, display-mode queries.
. "$(dirname "$0")/lib.sh"

KEY='HKLM\Software\MoxelDriverTest'
drv reg-del "$KEY" >/dev/null 2>&1
on_exit "drv reg-del '$KEY' >/dev/null 2>&1"

assert_eq "1024 768" "$(drv screen)" "the virtual desktop is 1024 x 768"
assert_eq "1024 768 32" "$(drv mode)" "the current display mode is 1024 x 768 x 32"

check "REG_DWORD written" drv reg-set "$KEY" Number REG_DWORD 0x2a
assert_eq "REG_DWORD 42" "$(drv reg-get "$KEY" Number)" "REG_DWORD read back"
check "REG_BINARY written" drv reg-set "$KEY\\Nested" Flags REG_BINARY "01 00 00 ff"
assert_eq "REG_BINARY 01 00 00 ff" "$(drv reg-get "$KEY\\Nested" Flags)" "REG_BINARY read back"
check "REG_SZ written" drv reg-set "$KEY" Name REG_SZ "MOXEL Utility V1.1"
assert_eq "REG_SZ MOXEL Utility V1.1" "$(drv reg-get "$KEY" Name)" "REG_SZ read back"
assert_eq "1" "$(drv reg-exists "$KEY" Name)" "reg-exists finds the value"

check "a value is deleted" drv reg-del "$KEY" Name
drv reg-get "$KEY" Name >/dev/null
assert_eq "1" "$?" "reg-get of a deleted value exits 1"
check "the key tree is deleted" drv reg-del "$KEY"
assert_eq "0" "$(drv reg-exists "$KEY")" "the key is gone"

tray=$(drv find --class Shell_TrayWnd)
assert_eq "0" "$?" "the desktop has a Shell_TrayWnd"
assert_eq "Shell_TrayWnd" "$(drv class "$tray")" "class of the taskbar"
check "tray-windows lists the taskbar" bash -c "[[ \$1 == *Shell_TrayWnd* ]]" _ "$(drv tray-windows)"

drv find --title "no such window, surely" --timeout 300 >/dev/null
assert_eq "1" "$?" "find exits 1 when nothing matches"
drv frobnicate >/dev/null 2>&1
assert_eq "2" "$?" "an unknown command exits 2"

check "the desktop can be captured" drv capture-screen "$E2E_TMP/screen.bmp"
assert_eq "2359350" "$(stat -c %s "$E2E_TMP/screen.bmp")" "a 1024 x 768 x 24 bitmap"

echo "driver smoke test passed"
exit 0
