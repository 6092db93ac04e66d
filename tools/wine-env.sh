# Sourced by the scripts in tools/: chooses how Windows programs run here.
#
# The program is a 32-bit Windows executable and runs in a 32-bit Wine prefix.
# Some Linux kernels are booted without 32-bit support, and there 32-bit Wine
# cannot start at all; on such a host the same sources are built for 64-bit
# Windows and run in a 64-bit prefix instead. WINE_ARCH tells which.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ -z "${WINE_ARCH:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    WINE_ARCH=i686
  else
    WINE_ARCH=x86_64
  fi
fi
export WINE_ARCH

if [ "$WINE_ARCH" = i686 ]; then
  export WINEARCH=win32
  WINE_LOADER_CMD=/usr/lib/wine/wine
else
  export WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64
  WINE_LOADER_CMD=/usr/lib/wine/wine64
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$repo_root/build/wineprefix-$WINE_ARCH}
WINESERVER_CMD=/usr/bin/wineserver

wine_cmd() { "$WINE_LOADER_CMD" "$@"; }

# start_private_xvfb SCREEN LOG: starts Xvfb on the first free display from :90
# (SCREEN like 1024x768x24), sets DISPLAY and xvfb_pid; fails when none starts.
start_private_xvfb() {
  local screen=$1 log=$2 n
  xvfb_pid=""
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -nolisten tcp -noreset -screen 0 "$screen" >"$log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  return 1
}

# stop_private_desktop: ends the wineserver of this $WINEPREFIX (and with it
# the prefix's Wine processes) and the Xvfb that start_private_xvfb started.
stop_private_desktop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$WINESERVER_CMD" -k >/dev/null 2>&1
    "$WINESERVER_CMD" -w >/dev/null 2>&1
  fi
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  return 0
}

# stop_desktop_on_exit: when the script ends, however it ends, runs
# stop_private_desktop and keeps the script's exit status.
stop_desktop_on_exit() {
  xvfb_pid=""
  trap 'rc=$?; set +e; stop_private_desktop; exit "$rc"' EXIT
  trap 'exit 130' INT TERM
}
