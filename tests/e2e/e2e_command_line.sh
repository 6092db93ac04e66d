#!/usr/bin/env bash
# The command line of the start-up tick: the scale argument counts from two
# arguments on, the mode only with exactly four; a bad number is reported and
# leaves the window shown.
. "$(dirname "$0")/lib.sh"

# run_with ARGS...: a fresh start with ARGS; MAIN is its window once shown.
run_with() {
  reset_registry
  start_program "$@"
  MAIN=$(wait_window --title "$MAIN_TITLE" --visible 20) || fail "main window not shown ($*)"
}
reg_value() { drv reg-get "$SETTINGS_KEY" "$1" 2>/dev/null || echo none; }
end_run() { stop_program >/dev/null; }

run_with
wait_hidden "$MAIN" 10 || fail "no arguments: the start-up tick did not hide the window"
assert_eq "1024 768 32" "$(drv mode)" "no arguments: mode unchanged"
assert_eq none "$(reg_value Width)" "no arguments: no mode stored"
assert_eq none "$(reg_value scaling)" "no arguments: scaling not stored"
end_run

run_with 0
wait_hidden "$MAIN" 10 || fail "lone 0: window not hidden"
assert_eq none "$(reg_value scaling)" "lone 0: ignored"
assert_eq "1024 768 32" "$(drv mode)" "lone 0: mode unchanged"
end_run

run_with 1 800 600 32
wait_hidden "$MAIN" 10 || fail "1 800 600 32: window not hidden"
assert_eq "800 600 32" "$(drv mode)" "1 800 600 32: display switched"
assert_eq "800 600" "$(drv screen)" "1 800 600 32: virtual desktop resized"
assert_eq "REG_DWORD 1" "$(reg_value scaling)" "1 800 600 32: scaling on"
assert_eq "REG_DWORD 800" "$(reg_value Width)" "1 800 600 32: Width"
assert_eq "REG_DWORD 600" "$(reg_value Height)" "1 800 600 32: Height"
assert_eq "REG_DWORD 32" "$(reg_value Bits)" "1 800 600 32: Bits"
end_run

run_with 0 1024 768 16
wait_hidden "$MAIN" 10 || fail "0 1024 768 16: window not hidden"
# The case before left 800 x 600. Wine's virtual desktop takes 16 bits per
# pixel but reports 32 back, so the depth shows only in the stored value.
assert_eq "1024 768" "$(drv screen)" "0 1024 768 16: display switched"
assert_eq "REG_DWORD 0" "$(reg_value scaling)" "0 1024 768 16: scaling off"
assert_eq "REG_DWORD 16" "$(reg_value Bits)" "0 1024 768 16: Bits"
end_run

run_with 1 800 480 abc
box=$(drv find --class '#32770' --title "$APP_TITLE" --visible --timeout 10000) || fail "1 800 480 abc: no error box"
drv find-child "$box" --class Static --title "'abc' is not a valid integer value." >/dev/null ||
  fail "1 800 480 abc: error text: $(drv children "$box")"
assert_eq 1 "$(drv visible "$MAIN")" "1 800 480 abc: window stays shown"
assert_eq "REG_DWORD 1" "$(reg_value scaling)" "1 800 480 abc: scaling switched before the error"
assert_eq none "$(reg_value Width)" "1 800 480 abc: no mode set"
assert_eq "1024 768 32" "$(drv mode)" "1 800 480 abc: mode unchanged"
drv close "$box" >/dev/null
end_run

run_with 1 800 600 32 x
wait_hidden "$MAIN" 10 || fail "five arguments: window not hidden"
assert_eq "REG_DWORD 1" "$(reg_value scaling)" "five arguments: scaling switched"
assert_eq none "$(reg_value Width)" "five arguments: no mode"
assert_eq "1024 768 32" "$(drv mode)" "five arguments: mode unchanged"
end_run
