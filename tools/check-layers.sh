#!/usr/bin/env bash
# Dependencies point one way: app -> skin, tray, shapes -> framework -> Win32.
# The skin preview (preview/) stands beside the program: on skin, shapes and
# framework, never on app/ or tray/, and nothing includes it.
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

forbid framework 'skin|tray|shapes|app|preview'
forbid skin 'tray|shapes|app|preview'
forbid tray 'skin|shapes|app|preview'
forbid shapes 'skin|tray|app|preview'
forbid app 'preview'
forbid preview 'app|tray'
[ "$status" -eq 0 ] && echo "   layers ok"
exit "$status"
