#!/usr/bin/env bash
# Writes the release: build/MoxelUtility-<version>.zip with one folder that
# holds the 32-bit program, README.txt (the README's user part) and the
# sample skins of resources/skins. The version is the program's own, read
# from the version info of resources/app.rc.
#
#   tools/package.sh            builds build/i686/MoxelUtility.exe if missing
#   PACKAGE_DIR=DIR             write the zip there instead of build/
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
out_dir=${PACKAGE_DIR:-$repo/build}

# FILEVERSION 1, 2, 0, 0 gives 1.2; parts after the second show only when set.
version=$(sed -n 's/^[[:space:]]*FILEVERSION[[:space:]]*//p' resources/app.rc | head -n 1 |
  tr -d ' \r' | awk -F, 'NF == 4 {
    v = $1 "." $2; if ($3 != 0 || $4 != 0) v = v "." $3; if ($4 != 0) v = v "." $4; print v }')
[ -n "$version" ] || { echo "no FILEVERSION in resources/app.rc" >&2; exit 1; }
name=MoxelUtility-$version

program=build/i686/MoxelUtility.exe
if [ ! -f "$program" ]; then
  tools/install-deps.sh
  mkdir -p build/logs
  echo "building $program"
  { cmake -S . -B build/i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release && cmake --build build/i686 --target MoxelUtility; } \
    >build/logs/package-build.log 2>&1 || { tail -n 40 build/logs/package-build.log; exit 1; }
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name"
# Users get the program without its symbol table (a third of its size); the
# build keeps it for debugging and for the size benchmark's breakdown.
i686-w64-mingw32-strip -o "$stage/$name/MoxelUtility.exe" "$program"
# The user part is kept in the README only, so the two cannot drift apart;
# Windows' own editor wants CRLF line ends.
sed -n '/^<!-- user part/,/^<!-- end of the user part/p' README.md | sed '1d;$d' |
  sed 's/$/\r/' >"$stage/$name/README.txt"
[ -s "$stage/$name/README.txt" ] || { echo "README.md has no user part" >&2; exit 1; }
if compgen -G "resources/skins/*" >/dev/null; then
  mkdir -p "$stage/$name/skins"
  cp resources/skins/* "$stage/$name/skins/"
fi

mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)
zip_file=$out_dir/$name.zip
rm -f "$zip_file"
(cd "$stage" && zip -q -r -X "$zip_file" "$name")
echo "$zip_file"
