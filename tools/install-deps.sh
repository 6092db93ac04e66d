#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12, as root).
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
for p in cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
         mingw-w64-i686-dev mingw-w64-x86-64-dev googletest wine wine32:i386 wine64 \
         fonts-wine xvfb xauth x11-xserver-utils xdotool imagemagick clang zip unzip \
         libclang-rt-14-dev; do
  have "$p" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
