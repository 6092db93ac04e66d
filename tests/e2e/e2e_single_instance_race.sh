#!/usr/bin/env bash
# Ten copies started at the same moment: the named mutex lets exactly one run
# on; the nine others end with exit code 0 without a window, a tray icon or a
# registry write of their own.
. "$(dirname "$0")/lib.sh"

COPIES=10
keep_settings
# A stored state for the losers to leave alone; the winner's start-up tick
# writes back the very same values (the mode is the current one).
store_settings scaling=0 CapLock=0 Width=1024 Height=768 Bits=32
before=$(settings_snapshot)
drv kill-exe "$(basename "$PROGRAM_EXE")" >/dev/null 2>&1 || true

# Each copy waits for the starting gun, then starts; its exit status lands in
# copy.N.status.
gun=$E2E_TMP/go
pids=()
for n in $(seq $COPIES); do
  (
    while [ ! -e "$gun" ]; do sleep 0.01; done
    "$WINE_LOADER_CMD" "$PROGRAM_EXE" >>"$E2E_TMP/copy.$n.log" 2>&1
    echo $? >"$E2E_TMP/copy.$n.status.tmp"
    mv "$E2E_TMP/copy.$n.status.tmp" "$E2E_TMP/copy.$n.status"
  ) &
  pids+=($!)
done
# Whatever happens below, no copy outlives the test.
on_exit 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; drv kill-exe "$(basename "$PROGRAM_EXE")" >/dev/null 2>&1'
sleep 0.5
touch "$gun"

# ended: how many copies have ended so far.
ended() { ls "$E2E_TMP"/copy.*.status 2>/dev/null | wc -l; }
# A loaded machine starts ten Wine processes slowly: up to two minutes.
for _ in $(seq 1200); do
  [ "$(ended)" -ge $((COPIES - 1)) ] && break
  sleep 0.1
done
assert_eq $((COPIES - 1)) "$(ended)" "all copies but one end"
codes=$(cat "$E2E_TMP"/copy.*.status | sort | uniq -c | awk '{print $1 "x" $2}')
assert_eq "$((COPIES - 1))x0" "$codes" "the copies that end do so with exit code 0"

main=$(main_after_tick 30) || fail "the copy that runs on showed no main window that its start-up tick hid"
assert_eq 1 "$(drv find --title "$MAIN_TITLE" --all | wc -l)" "exactly one main window"
# A loser waiting in a box ("MOXEL Utility is Running!!") would show here.
assert_eq 1 "$(drv pids "$(basename "$PROGRAM_EXE")" | wc -l)" "exactly one copy keeps running"
check "exactly one tray icon of the program" wait_own_tray_icons 1
sleep 1
assert_eq 1 "$(own_tray_icons | wc -l)" "and no second one comes"
assert_eq "$before" "$(settings_snapshot)" "the stored settings are as they were"

drv close "$main" >/dev/null
for _ in $(seq 200); do
  [ "$(ended)" -eq $COPIES ] && break
  sleep 0.1
done
assert_eq "${COPIES}x0" "$(cat "$E2E_TMP"/copy.*.status | sort | uniq -c | awk '{print $1 "x" $2}')" \
  "the running copy ends with exit code 0 when closed"
echo "PASS"
