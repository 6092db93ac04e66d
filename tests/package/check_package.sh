#!/usr/bin/env bash
# The release zip holds one folder named after the program's version with the
# 32-bit program as built (stripped), the README's user part with Windows line
# ends, and every file of resources/skins; nothing else.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
check() { # MESSAGE COMMAND...
  local message=$1
  shift
  if ! "$@"; then
    echo "FAIL: $message"
    failures=$((failures + 1))
  fi
}

zip_file=$(PACKAGE_DIR=$out tools/package.sh | tail -n 1)

# The version text of the resource, less its trailing zero parts, names the zip.
file_version=$(sed -n 's/.*VALUE "FileVersion", "\([0-9.]*\).*/\1/p' resources/app.rc)
version=$file_version
while [[ $version =~ ^[0-9]+\.[0-9]+(\.[0-9]+)*\.0$ ]]; do version=${version%.0}; done
name=MoxelUtility-$version
check "the zip is named after the version $file_version" test "$zip_file" = "$out/$name.zip"

expected=("$name/" "$name/MoxelUtility.exe" "$name/README.txt")
if compgen -G "resources/skins/*" >/dev/null; then
  expected+=("$name/skins/")
  for skin in resources/skins/*; do expected+=("$name/skins/$(basename "$skin")"); done
fi
listed=$(unzip -Z1 "$zip_file" | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
check "the zip holds exactly: ${expected[*]} (it holds: $(echo $listed))" test "$listed" = "$wanted"

unzip -q "$zip_file" -d "$out/unpacked"
folder=$out/unpacked/$name
# Strip stamps the file with the time it ran, and the header's checksum
# follows: compare all but those two fields.
i686-w64-mingw32-strip -o "$out/built-stripped.exe" build/i686/MoxelUtility.exe
pe=$(od -An -tu4 -j60 -N4 "$out/built-stripped.exe" | tr -d ' ')
same_but_stamp() { # A B
  [ "$(stat -c %s "$1")" = "$(stat -c %s "$2")" ] || return 1
  local stamp=$((pe + 9)) sum=$((pe + 89)) # 1-based offsets of the two fields
  [ "$(cmp -l "$1" "$2" | awk -v t=$stamp -v c=$sum \
    '!($1 >= t && $1 < t + 4) && !($1 >= c && $1 < c + 4)' | wc -l)" = 0 ]
}
check "the program is the i686 build, stripped" \
  same_but_stamp "$folder/MoxelUtility.exe" "$out/built-stripped.exe"
pe=$(od -An -tu4 -j60 -N4 "$folder/MoxelUtility.exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$folder/MoxelUtility.exe" | tr -d ' ')
check "the program is a 32-bit x86 executable (machine $machine)" test "$machine" = 014c
for skin in resources/skins/*; do
  [ -e "$skin" ] || continue
  check "$(basename "$skin") is copied as it is" cmp -s "$skin" "$folder/skins/$(basename "$skin")"
done

readme=$folder/README.txt
check "every line of README.txt ends in CRLF" test "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")"
user_part=$(sed -n '/^<!-- user part/,/^<!-- end of the user part/p' README.md | sed '1d;$d')
check "README.txt is the README's user part" test "$(tr -d '\r' <"$readme")" = "$user_part"
for heading in "Command line" "What it writes in the registry" "Removing the autostart entry"; do
  check "README.txt tells: $heading" grep -q "^### $heading" "$readme"
done

[ "$failures" -eq 0 ] && echo "the release zip holds what it should"
exit "$failures"
