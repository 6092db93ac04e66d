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
