#!/usr/bin/env bash
# Hostile command lines: 200 argument lists generated from a fixed seed
# (empty, one to six arguments, huge and negative numbers, hex, spaces,
# non-ASCII, 10,000-character strings). Each start either ends its start-up
# tick with the display in a mode it offers, or shows the box "'X' is not a
# valid integer value." naming an argument; it never crashes or hangs, closes
# with exit code 0, and the stored settings keep their names, types and
# sizes. The single-instance rule allows one start at a time, so a run takes
# a subset chosen from the seed:
#   HOSTILE_SEED=N      the seed of the lists and the subset (default 13)
#   HOSTILE_COUNT=N     how many of the 200 to start (default 4)
#   HOSTILE_ALL=1       all 200
. "$(dirname "$0")/lib.sh"

seed=${HOSTILE_SEED:-13}
count=${HOSTILE_COUNT:-4}
[ "${HOSTILE_ALL:-0}" = 1 ] && count=200
keep_settings

long() { printf "%${2}s" "" | tr ' ' "$1"; }
# Arguments with what the program's conversion makes of them: "ok" a whole
# number in the signed 32-bit range, "bad" not one, "any" left open (hex and
# blanks: the program may take them or not, but must not fail otherwise).
tokens=(800 600 480 1024 768 32 16 0 1 -5 +600 2147483647 -2147483648 "$(long 0 9996)1024"
  "" abc 12abc - + 99999999999 2147483648 -2147483649 "ü800" "800é" "ß" "$(long A 10000)"
  "$(long 9 10000)" "8 00" " 800" "800 " '$1F' 0x320 0X1e '$' 0x -0x10)
kinds=(ok ok ok ok ok ok ok ok ok ok ok ok ok ok
  bad bad bad bad bad bad bad bad bad bad bad bad
  bad any any any any any any any any any)
[ ${#tokens[@]} = ${#kinds[@]} ] || fail "the token table is out of step"
# The settings every start begins with; a mode argument that cannot be
# taken must leave them alone.
stored=(scaling=1 CapLock=1 NumLock=0 ScrollLock=0 Width=1024 Height=768 Bits=32)
expected_shape=$(for s in "${stored[@]}"; do echo "${s%%=*} REG_DWORD 4"; done | sort)
offered_modes=$(drv modes)

# Deterministic lists: list L takes its length and its tokens from the seed.
RANDOM=$seed
lists=()
for l in $(seq 0 199); do
  n=$((RANDOM % 7))
  # Four arguments is the form that converts; give it a fair share.
  [ $((RANDOM % 3)) = 0 ] && n=4
  picks=""
  for _ in $(seq $n); do
    # Tokens 7 and 8 are the scale arguments "0" and "1".
    if [ $((RANDOM % 4)) = 0 ]; then picks+="$((7 + RANDOM % 2)) "; else picks+="$((RANDOM % ${#tokens[@]})) "; fi
  done
  lists+=("$n:$picks")
done
chosen=$(seq 0 199 | awk -v seed="$seed" -v count="$count" \
  'BEGIN { srand(seed) } { print rand() "\t" $1 }' | sort -n | head -n "$count" | cut -f2 | sort -n)

describe() { # ARGS...: the arguments, shortened for the log
  local a out=""
  for a in "$@"; do
    if [ ${#a} -gt 20 ]; then out+="[${a:0:4}...x${#a}] "; else out+="[$a] "; fi
  done
  echo "${out:-(none)}"
}
# unsigned TEXT: a decimal argument as a REG_DWORD reads back.
unsigned() {
  local digits=${1#[-+]} value
  value=$((10#$digits))
  [ "${1:0:1}" = - ] && value=$((-value))
  echo $(((value + 4294967296) % 4294967296))
}

# Each start begins from the same settings, written in one step: a busy
# machine makes every driver call slow.
start_reg=$E2E_TMP/start.reg
{
  printf 'REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\Software\\MOXEL Utility]\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\MOXEL Utility]\r\n'
  for s in "${stored[@]}"; do printf '"%s"=dword:%08x\r\n' "${s%%=*}" "${s#*=}"; done
} >"$start_reg"

# box_text BOX: the message of the program's error box.
box_text() { drv text "$(drv find-child "$1" --class Static --all | tail -n 1)"; }

ran=0 mode_now="1024 768 32"
for l in $chosen; do
  n=${lists[$l]%%:*}
  args=() argkinds=()
  for p in ${lists[$l]#*:}; do args+=("${tokens[$p]}"); argkinds+=("${kinds[$p]}"); done
  what="list $l $(describe "${args[@]}")"

  [ "$mode_now" = "1024 768 32" ] || drv set-mode 1024 768 32 >/dev/null
  wine_cmd reg import "$start_reg" >/dev/null 2>&1 || fail "$what: could not store the starting settings"

  # What the start-up tick must do: the box names the first argument that is
  # not a whole number, in the order bits, height, width.
  expect=hidden named="" open=0
  if [ "$n" = 4 ]; then
    for i in 3 2 1; do
      case ${argkinds[$i]} in
        bad) expect=box named=${args[$i]}; break ;;
        any) open=1 ;;
      esac
    done
  fi

  start_program "${args[@]}" >/dev/null
  # Shown when the message loop starts, about three seconds before the tick.
  main=$(wait_window --title "$MAIN_TITLE" --visible 30) || fail "$what: the main window never showed"
  outcome=""
  if [ "$open" = 0 ] && [ "$expect" = box ]; then
    box=$(drv find --class '#32770' --title "$APP_TITLE" --visible --timeout 30000) && outcome=box
  elif [ "$open" = 0 ]; then
    wait_hidden "$main" 30 && outcome=hidden
  else
    for _ in $(seq 300); do
      if box=$(drv find --class '#32770' --title "$APP_TITLE" --visible 2>/dev/null); then
        outcome=box; break
      fi
      [ "$(drv visible "$main" 2>/dev/null)" = 0 ] && { outcome=hidden; break; }
      program_running || break
      sleep 0.1
    done
  fi
  program_running || fail "$what: the program ended (status $(program_exit_code 1))"
  [ -n "$outcome" ] || fail "$what: the start-up tick neither ended nor reported; expected $expect"

  if [ "$outcome" = box ]; then
    text=$(box_text "$box")
    [ "$n" = 4 ] || fail "$what: a box although no mode was given: '${text:0:80}'"
    matched=""
    for i in 3 2 1; do
      [ "$text" = "'${args[$i]}' is not a valid integer value." ] && { matched=$i; break; }
    done
    [ -n "$matched" ] || fail "$what: unexpected box text '${text:0:80}'"
    if [ "$open" = 0 ] && [ "${args[$matched]}" != "$named" ]; then
      fail "$what: the box names '${args[$matched]:0:20}', expected '${named:0:20}'"
    fi
    assert_eq 1 "$(drv visible "$main")" "$what: the window stays shown behind the box"
    assert_eq "1024 768 32" "$(drv mode)" "$what: no mode set"
    drv close "$box" >/dev/null
  else
    if box=$(drv find --class '#32770' --title "$APP_TITLE" --visible 2>/dev/null); then
      fail "$what: the window hid and a box shows: '$(box_text "$box")'"
    fi
    mode_now=$(drv mode)
    grep -qx "$mode_now" <<<"$offered_modes" || fail "$what: the display is in a mode it does not offer: $mode_now"
    if [ "$n" = 4 ] && [ "$open" = 0 ]; then
      assert_eq "REG_DWORD $(unsigned "${args[1]}")" \
        "$(drv reg-get "$SETTINGS_KEY" Width)" "$what: Width stored as given"
    fi
  fi
  assert_eq "$expected_shape" "$(drv reg-values "$SETTINGS_KEY" | sort)" "$what: the settings keep their names, types and sizes"
  assert_eq 0 "$(stop_program 20)" "$what: closes with exit code 0"
  PROGRAM_PID=""
  ran=$((ran + 1))
done
echo "PASS: $ran of 200 lists (seed $seed)"
