# Helpers for the end-to-end tests; source it from tests/e2e/e2e_*.sh.
#
# The caller (tools/test.sh through ctest) has already started an X server
# (DISPLAY), created the Wine prefix and started its wineserver. ctest passes
#   DRIVER_EXE   the MoxelDriver.exe of the test build
#   PROGRAM_EXE  the MoxelUtility.exe of the test build
#   REPO_ROOT    the source tree
# Times given to these helpers are in seconds.

set -uo pipefail

: "${REPO_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
# shellcheck source=../../tools/wine-env.sh
. "$REPO_ROOT/tools/wine-env.sh"

APP_TITLE="MOXEL Utility V1.1"
MAIN_TITLE="MOXEL Utility V1.2 20080204"
SETTINGS_KEY='HKLM\Software\MOXEL Utility'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

PROGRAM_PID=""
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/moxel-e2e.XXXXXX")
_e2e_exit_hooks=()

# The driver's commands that only look (a capture rewrites the same file).
_DRV_QUERIES=" find find-child text visible exists rect client owner parent class style pid
  foreground children windows-of-pid tray-windows wait-shown wait-hidden wait-gone pids reg-get
  reg-exists reg-values screen mode modes pixel file-pixel tray-icons tray-tips tray-has tray-own
  taskbar-buttons keystate capture capture-screen capture-rect "

# Runs the driver; prints its output, returns its exit code. Now and then a
# Wine process aborts in the system's dynamic loader after its program has
# ended ("Inconsistency detected by ld.so", exit status 127; once in 20 full
# runs here): the output is complete but the driver's own exit status is
# lost, so a command that only looks is asked again. Output goes through
# files, not pipes: a first call may start Wine's services, which keep what
# they inherit open.
drv() {
  [ -n "${DRIVER_EXE:-}" ] || { echo "DRIVER_EXE is not set" >&2; return 2; }
  case "$_DRV_QUERIES" in
    *[[:space:]]"${1:-}"[[:space:]]*) ;;
    *) wine_cmd "$DRIVER_EXE" "$@"; return ;;
  esac
  local out err rc
  out=$(mktemp "${TMPDIR:-/tmp}/moxel-drv.XXXXXX") || return 2
  err=$(mktemp "${TMPDIR:-/tmp}/moxel-drv.XXXXXX") || { rm -f "$out"; return 2; }
  for _ in 1 2 3; do
    wine_cmd "$DRIVER_EXE" "$@" >"$out" 2>"$err"
    rc=$?
    [ "$rc" -eq 127 ] && grep -q "Inconsistency detected by ld.so" "$err" || break
  done
  cat "$out"
  cat "$err" >&2
  rm -f "$out" "$err"
  return "$rc"
}

# on_exit CMD...: runs CMD when the script ends, however it ends.
on_exit() { _e2e_exit_hooks+=("$*"); }

_e2e_cleanup() {
  local rc=$?
  local hook
  for hook in "${_e2e_exit_hooks[@]}"; do eval "$hook" || true; done
  if [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
    kill "$PROGRAM_PID" 2>/dev/null
    sleep 0.5
    kill -9 "$PROGRAM_PID" 2>/dev/null || true
  fi
  # A test may have switched the display mode; leave the desktop as found.
  if [ -n "${DRIVER_EXE:-}" ] && [ "$(drv mode 2>/dev/null)" != "1024 768 32" ]; then
    drv set-mode 1024 768 32 >/dev/null 2>&1 || true
  fi
  rm -rf "$E2E_TMP"
  exit "$rc"
}

# Should this be the first Windows program of the session, Wine starts its
# desktop and services now, and they must not inherit the pipe of a `$(drv
# ...)`: that command substitution would never end.
drv screen </dev/null >/dev/null 2>&1

# The tests reset the program's registry keys and switch the display: only in
# a prefix made by tools/make-prefix.sh, which marks it so, never elsewhere.
HARNESS_MARK_KEY='HKLM\Software\MOXEL Utility Test Prefix'
# Asked up to three times: one failed start of the driver (a repeat run once
# got no output at all here) is no answer about the prefix, while a marker
# that is missing or wrong reads so every time.
_harness_mark=""
for _ in 1 2 3; do
  _harness_mark=$(drv reg-get "$HARNESS_MARK_KEY" Marker 2>/dev/null)
  _harness_rc=$?
  [ "$_harness_mark" = "REG_SZ made by tools/make-prefix.sh" ] && break
  sleep 0.5
done
if [ "$_harness_mark" != "REG_SZ made by tools/make-prefix.sh" ]; then
  echo "FAIL: refused: end-to-end tests change machine-wide settings and run only in a Wine" \
    "prefix made by tools/make-prefix.sh ($HARNESS_MARK_KEY has no Marker; the driver" \
    "answered '$_harness_mark', exit status $_harness_rc; WINEPREFIX=${WINEPREFIX:-})" >&2
  rm -rf "$E2E_TMP"
  exit 1
fi

trap _e2e_cleanup EXIT

# fail MESSAGE: reports and ends the test.
fail() {
  echo "FAIL: $*" >&2
  if [ -s "$E2E_TMP/program.log" ]; then
    echo "--- program output ---" >&2
    tail -n 40 "$E2E_TMP/program.log" >&2
  fi
  exit 1
}

# assert_eq EXPECTED ACTUAL MESSAGE
assert_eq() {
  if [ "$1" == "$2" ]; then
    echo "ok: $3"
  else
    fail "$3: expected '$1', got '$2'"
  fi
}

# check MESSAGE COMMAND...: passes when the command succeeds.
check() {
  local message=$1
  shift
  if "$@"; then echo "ok: $message"; else fail "$message"; fi
}

# settled EXPECTED SECONDS COMMAND...: runs the command until it prints
# EXPECTED or the time is up, and prints what it printed last. What the screen
# shows follows a window's state after the program has painted, which takes a
# while on a busy machine: `assert_eq "$x" "$(settled "$x" 10 cmd ...)" ...`.
settled() {
  local expected=$1 deadline=$(($(date +%s) + $2)) out
  shift 2
  while :; do
    out=$("$@")
    if [ "$out" == "$expected" ] || [ "$(date +%s)" -ge "$deadline" ]; then break; fi
    sleep 0.2
  done
  printf '%s\n' "$out"
}

# now_ms: milliseconds since the epoch, for timing with plain shell
# arithmetic: t0=$(now_ms); ...; elapsed=$(( $(now_ms) - t0 )).
now_ms() { date +%s%3N; }

# start_program ARGS...: starts the program in the background. PROGRAM_PID is
# the wine process, stopped when the script ends; its exit status lands in a
# file, so program_exit_code works from a subshell too.
start_program() {
  [ -n "${PROGRAM_EXE:-}" ] && [ -f "$PROGRAM_EXE" ] || fail "PROGRAM_EXE is not built: '${PROGRAM_EXE:-}'"
  ! program_running || fail "start_program: the program is already running"
  # A program left over from an earlier test would answer instead of ours.
  drv kill-exe "$(basename "$PROGRAM_EXE")" >/dev/null 2>&1 || true
  rm -f "$E2E_TMP/program.pid" "$E2E_TMP/program.status"
  (
    "$WINE_LOADER_CMD" "$PROGRAM_EXE" "$@" >>"$E2E_TMP/program.log" 2>&1 &
    echo $! >"$E2E_TMP/program.pid"
    wait $!
    echo $? >"$E2E_TMP/program.status.tmp"
    mv "$E2E_TMP/program.status.tmp" "$E2E_TMP/program.status"
  ) &
  local i
  for i in $(seq 50); do
    [ -s "$E2E_TMP/program.pid" ] && break
    sleep 0.1
  done
  PROGRAM_PID=$(cat "$E2E_TMP/program.pid")
  echo "started $(basename "$PROGRAM_EXE") $* (pid $PROGRAM_PID)"
}

# program_running: succeeds while the started program has not ended.
program_running() { [ -n "$PROGRAM_PID" ] && [ ! -e "$E2E_TMP/program.status" ]; }

# program_exit_code [TIMEOUT]: waits (default 30 s) for the program to end
# and prints its exit status; fails when it is still running.
program_exit_code() {
  local timeout=${1:-30} waited=0
  [ -n "$PROGRAM_PID" ] || { echo "program_exit_code: nothing started" >&2; return 1; }
  while [ ! -e "$E2E_TMP/program.status" ]; do
    if [ "$waited" -ge $((timeout * 10)) ]; then
      echo "program_exit_code: still running after ${timeout}s" >&2
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  cat "$E2E_TMP/program.status"
}

# wait_window [--title T] [--class C] [--visible] [TIMEOUT]: prints the handle
# of the first top-level window of the program's own process that matches
# (default wait 15 s).
wait_window() {
  # Only the program's own windows: other tests' windows may bear its titles.
  local args=(--exe "$(basename "$PROGRAM_EXE")") timeout=15
  while [ $# -gt 0 ]; do
    case $1 in
      --title | --class | --pid) args+=("$1" "$2"); shift 2 ;;
      --visible) args+=("$1"); shift ;;
      *) timeout=$1; shift ;;
    esac
  done
  drv find "${args[@]}" --timeout $((timeout * 1000))
}

# wait_hidden HWND TIMEOUT / wait_shown HWND TIMEOUT / wait_gone HWND TIMEOUT
wait_hidden() { drv wait-hidden "$1" $((${2:-10} * 1000)); }
wait_shown() { drv wait-shown "$1" $((${2:-10} * 1000)); }
wait_gone() { drv wait-gone "$1" $((${2:-10} * 1000)); }

# wait_tray_icons N [TIMEOUT]: waits (default 10 s) until the notification
# area shows at least N icons; prints their centres "x y", rightmost first.
wait_tray_icons() { drv tray-icons --wait "$1" --timeout $((${2:-10} * 1000)); }

# main_window / app_window: handles of the program's windows (empty if none).
main_window() { drv find --title "$MAIN_TITLE" --exe "$(basename "$PROGRAM_EXE")" 2>/dev/null; }
app_window() { drv find --title "$APP_TITLE" --exe "$(basename "$PROGRAM_EXE")" 2>/dev/null; }

# own_tray_icons: the program's own icons in the notification area, "HWND NAME"
# a line (other programs' icons never count).
own_tray_icons() { drv tray-own "$(basename "$PROGRAM_EXE")"; }

# wait_own_tray_icons N [TIMEOUT]: waits (default 10 s) until the program
# shows exactly N icons.
wait_own_tray_icons() {
  local i
  for i in $(seq $((${2:-10} * 10))); do
    [ "$(own_tray_icons | wc -l)" -eq "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# taskbar_shows HWND: 1 when the taskbar shows a button for that window, else 0.
taskbar_shows() { drv taskbar-buttons | grep -c "^$1 "; }

# wait_taskbar HWND 0|1 [TIMEOUT]: waits (default 5 s) for the shell to show
# or drop the window's taskbar button (it follows the window asynchronously).
wait_taskbar() {
  local i
  for i in $(seq $((${3:-5} * 10))); do
    [ "$(taskbar_shows "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

TRAY_MESSAGE=0x0800

# icon_window NAME: the hidden window the shell reports the named icon's mouse actions to.
icon_window() { drv find --class MoxelTrayIconWindow --title "$1" --timeout 10000; }

# tray_message NAME MOUSE_MESSAGE: what the shell posts when the mouse acts on the icon.
tray_message() { drv post "$(icon_window "$1")" $TRAY_MESSAGE 0 "$2" >/dev/null; }

# open_tray_menu: a right-button press on the program's icon; prints the menu window.
# A press that lands while the program is busy elsewhere is tried again.
open_tray_menu() {
  local attempt
  for attempt in 1 2 3; do
    tray_message TrayIcon1 0x0204
    drv find --class '#32768' --visible --timeout 3000 && return 0
  done
  return 1
}

# choose_in_menu VK...: types into the open menu (retried once: the first key
# can arrive before the menu has the keyboard).
choose_in_menu() {
  local menu=$1 attempt key
  shift
  for attempt in 1 2; do
    for key in "$@"; do drv key "$key" >/dev/null; done
    drv wait-hidden "$menu" 2000 >/dev/null 2>&1 && return 0
  done
  return 1
}

# main_after_tick [SECONDS]: waits (default 20 s each) for the main window to
# show and then for the start-up tick to hide it, and prints the window. A
# window found before it first shows is not yet visible either, so waiting
# only for "hidden" would race the tick.
main_after_tick() {
  local timeout=${1:-20} main
  main=$(wait_window --title "$MAIN_TITLE" --visible "$timeout") || return 1
  wait_hidden "$main" "$timeout" || return 1
  echo "$main"
}

# show_from_tray HWND: a double click on the program's icon; waits (5 s) for
# the main window HWND to show.
show_from_tray() {
  tray_message TrayIcon1 0x0203
  wait_shown "$1" 5
}

# stop_program [TIMEOUT]: closes the main window (WM_CLOSE), waits for the
# program to end (default 10 s), then kills it. Prints the exit status, so
# `code=$(stop_program)` works.
stop_program() {
  local timeout=${1:-10} hwnd
  [ -n "$PROGRAM_PID" ] || return 0
  if program_running; then
    hwnd=$(main_window) && drv close "$hwnd" >/dev/null
    if ! program_exit_code "$timeout" >/dev/null 2>&1; then
      echo "stop_program: no exit after ${timeout}s, killing pid $PROGRAM_PID" >&2
      kill "$PROGRAM_PID" 2>/dev/null
      program_exit_code 5 >/dev/null 2>&1 || kill -9 "$PROGRAM_PID" 2>/dev/null
    fi
  fi
  program_exit_code 5
}

# reset_registry: removes what the program keeps in the registry, so each
# test starts from a first run (in the harness's prefix: see the mark above).
reset_registry() {
  drv reg-del "$SETTINGS_KEY" >/dev/null 2>&1 || true
  drv reg-del "$RUN_KEY" "MOXEL Utility" >/dev/null 2>&1 || true
  drv reg-del "$RUN_KEY" "Korbtray" >/dev/null 2>&1 || true
}

# screenshot NAME: saves the virtual desktop as $E2E_ARTIFACTS/NAME.bmp
# (default build dir of the tests: ./e2e-artifacts) and prints the path.
screenshot() {
  local dir=${E2E_ARTIFACTS:-$PWD/e2e-artifacts}
  mkdir -p "$dir"
  drv capture-screen "$dir/$1.bmp" && echo "$dir/$1.bmp"
}

# keep_settings: the program's settings key, as found now, is put back when
# the script ends: the tests that store odd values leave nothing behind.
keep_settings() {
  local saved=$E2E_TMP/settings.reg
  rm -f "$saved"
  if drv reg-exists "$SETTINGS_KEY" >/dev/null 2>&1; then
    wine_cmd reg export "$SETTINGS_KEY" "$saved" /y >/dev/null 2>&1 ||
      fail "keep_settings: could not save $SETTINGS_KEY"
  fi
  on_exit _restore_settings
}
_restore_settings() {
  drv reg-del "$SETTINGS_KEY" >/dev/null 2>&1
  [ -f "$E2E_TMP/settings.reg" ] && wine_cmd reg import "$E2E_TMP/settings.reg" >/dev/null 2>&1
  return 0
}

# settings_snapshot: every value of the settings key as "NAME TYPE SIZE =
# TYPE DATA", sorted, so that a changed type, size or content and a value
# that went or came all show as a difference.
settings_snapshot() {
  local name type size
  drv reg-values "$SETTINGS_KEY" 2>/dev/null | sort | while read -r name type size; do
    echo "$name $type $size = $(drv reg-get "$SETTINGS_KEY" "$name" 2>/dev/null)"
  done
}

# error_box_text: the text of the program's error box (captioned with the
# application title), waiting up to TIMEOUT seconds (default 10) for it;
# prints "HWND TEXT" and fails when none shows.
error_box() {
  local box text
  box=$(drv find --class '#32770' --title "$APP_TITLE" --visible --timeout $((${1:-10} * 1000))) || return 1
  text=$(drv find-child "$box" --class Static --all 2>/dev/null | while read -r child; do
    drv text "$child"
  done | grep -v '^$' | head -n 1)
  echo "$box $text"
}

# store_settings NAME=NUMBER...: a first run's registry (reset_registry) with
# these settings stored as REG_DWORD values.
store_settings() {
  local setting
  reset_registry
  for setting in "$@"; do
    drv reg-set "$SETTINGS_KEY" "${setting%%=*}" REG_DWORD "${setting#*=}" >/dev/null ||
      fail "store_settings: could not store $setting"
  done
}

# wait_stored NAME "TYPE DATA" [TIMEOUT]: waits (default 10 s) until the
# setting reads so.
wait_stored() {
  local i
  for i in $(seq $((${3:-10} * 10))); do
    [ "$(drv reg-get "$SETTINGS_KEY" "$1" 2>/dev/null)" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}
