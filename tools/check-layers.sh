#!/usr/bin/env bash
# Dependencies point one way: app -> skin, tray, shapes -> framework -> Win32.
# Fails (and names the lines) when an include goes against them.
set -uo pipefail
cd "$(dirname "$0")/.."

status=0
# forbid LAYER PATTERN: no source of LAYER includes a header matching PATTERN.
forbid() {
  local layer=$1 pattern=$2 found
  [ -d "$layer" ] || return 0
  found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]+\"($pattern)/" "$layer" \
    --include='*.h' --include='*.cpp' || true)
  if [ -n "$found" ]; then
    echo "layering: $layer/ must not include $pattern/:"
    echo "$found"
    status=1
  fi
}

forbid framework 'skin|tray|shapes|app'
forbid skin 'tray|shapes|app'
forbid tray 'skin|shapes|app'
forbid shapes 'skin|tray|app'
[ "$status" -eq 0 ] && echo "   layers ok"
exit "$status"
