#!/usr/bin/env bash
# Creates a fresh Wine prefix whose default desktop is a 1024 x 768 virtual
# desktop (only there do the taskbar and a notification area exist).
# Needs DISPLAY. Runs serially: parallel first starts of one prefix race.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wine_cmd wineboot -i >/dev/null 2>&1 || true
"$WINESERVER_CMD" -w
reg() { wine_cmd reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# Tests that change machine-wide settings run only where they find this mark:
# in a prefix made here, never on a real machine.
reg 'HKLM\Software\MOXEL Utility Test Prefix' /v Marker /d 'made by tools/make-prefix.sh'
"$WINESERVER_CMD" -k || true
"$WINESERVER_CMD" -w || true
echo "$WINEPREFIX"
