#!/usr/bin/env bash
# Draws the sample skin's pictures with the artwork generator and packs them
# with the skin-file tool into resources/skins/Copper.skin. Both steps are
# deterministic: running it again gives the same file.
#   tools/make-sample-skin.sh
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p build/logs
if [ ! -f build/native/build.ninja ]; then
  compilers=()
  if command -v clang >/dev/null && command -v clang++ >/dev/null; then
    compilers=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
  fi
  cmake -S . -B build/native -G Ninja "${compilers[@]}" >build/logs/configure-native.log 2>&1 ||
    { tail -n 40 build/logs/configure-native.log; exit 1; }
fi
cmake --build build/native --target skinfile >build/logs/build-skinfile.log 2>&1 ||
  { tail -n 40 build/logs/build-skinfile.log; exit 1; }

pictures=build/sample-skin
rm -rf "$pictures"
python3 tools/artwork/make_artwork.py --skin "$pictures"
mkdir -p resources/skins
build/native/skinfile pack resources/skins/Copper.skin "$pictures"
build/native/skinfile check resources/skins/Copper.skin
