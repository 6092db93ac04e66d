#!/usr/bin/env bash
# Builds everything and runs every test: the Windows unit and end-to-end tests
# under Wine in a private X server, then the native tests.
#
#   tools/test.sh                 what CI runs
#   TEST_DISPLAY=:0 tools/test.sh use that X display instead of a private Xvfb
#   TEST_WINEPREFIX=DIR           Wine prefix to (re)create for the run
#                                 (default build/wineprefix-test-<arch>)
#   CTEST_ARGS="-R e2e_"          extra arguments for the Windows ctest run
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
started=$(date +%s)

log_dir=$repo/build/logs
mkdir -p "$log_dir"

step() { echo "== $* ($(($(date +%s) - started)) s)"; }

# run_logged NAME COMMAND...: keeps long tool output in build/logs and shows
# its end only when the command fails.
run_logged() {
  local name=$1
  shift
  if ! "$@" >"$log_dir/$name.log" 2>&1; then
    tail -n 80 "$log_dir/$name.log"
    echo "FAILED: $name (full log: $log_dir/$name.log)"
    return 1
  fi
  local warnings
  warnings=$(grep -c 'warning:' "$log_dir/$name.log" || true)
  echo "   $name ok, $warnings warnings (log: build/logs/$name.log)"
}

step "installing dependencies"
tools/install-deps.sh

step "checking the layering"
tools/check-layers.sh

. tools/wine-env.sh
export WINEPREFIX=${TEST_WINEPREFIX:-$repo/build/wineprefix-test-$WINE_ARCH}
echo "   Wine: $WINE_ARCH ($WINE_LOADER_CMD), prefix $WINEPREFIX"

configure_windows() { # ARCH
  cmake -S . -B "build/$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$1.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DMOXEL_WARNINGS_AS_ERRORS=ON
}

# The product is the 32-bit program; it is always built. Where tests run in
# 64-bit Wine the same sources are built for x86_64 too, tests included.
step "building i686 (the product)"
run_logged configure-i686 configure_windows i686
if [ "$WINE_ARCH" = i686 ]; then
  run_logged build-i686 cmake --build build/i686
else
  run_logged build-i686 cmake --build build/i686 --target MoxelUtility
  step "building $WINE_ARCH (runs the tests)"
  run_logged "configure-$WINE_ARCH" configure_windows "$WINE_ARCH"
  run_logged "build-$WINE_ARCH" cmake --build "build/$WINE_ARCH"
fi
test_build=$repo/build/$WINE_ARCH

step "building native"
native_compilers=()
if command -v clang >/dev/null && command -v clang++ >/dev/null; then
  native_compilers=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
fi
run_logged configure-native cmake -S . -B build/native -G Ninja "${native_compilers[@]}" \
  -DMOXEL_WARNINGS_AS_ERRORS=ON
run_logged build-native cmake --build build/native

# ---- the desktop the Windows tests run in ----
stop_desktop_on_exit

if [ -n "${TEST_DISPLAY:-}" ]; then
  export DISPLAY=$TEST_DISPLAY
else
  step "starting Xvfb"
  start_private_xvfb 1280x1024x24 "$log_dir/xvfb.log" || { echo "could not start Xvfb"; exit 1; }
  echo "   Xvfb on $DISPLAY (pid $xvfb_pid)"
fi

step "creating the Wine prefix"
# A server left from an interrupted run would keep serving the old prefix.
if [ -d "$WINEPREFIX" ]; then
  "$WINESERVER_CMD" -k >/dev/null 2>&1 || true
  "$WINESERVER_CMD" -w >/dev/null 2>&1 || true
fi
run_logged make-prefix tools/make-prefix.sh
# One server for the whole run: every test process then starts quickly.
"$WINESERVER_CMD" -p
# The first Windows program starts the desktop and the system services, which
# keep running and would inherit (and hold open) the output pipe of whichever
# test came first; start them here with nothing to inherit.
wine_cmd "$test_build/tests/MoxelDriver.exe" screen </dev/null >/dev/null 2>&1 || {
  echo "the Wine desktop does not start"
  exit 1
}

# ---- tests ----
status=0
summaries=()
total_passed=0
total_failed=0
# run_ctest NAME DIR ARGS...: runs one suite, remembers its summary line.
run_ctest() {
  local name=$1 dir=$2
  shift 2
  local out=$log_dir/ctest-$name.log rc=0
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$out" || rc=$?
  [ "$rc" -eq 0 ] || status=1
  local line
  line=$(grep -E '^[0-9]+% tests passed' "$out" | tail -n 1 || true)
  summaries+=("$name: ${line:-no summary (ctest exited $rc)}")
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    total_failed=$((total_failed + BASH_REMATCH[1]))
    total_passed=$((total_passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
}

step "Windows tests ($WINE_ARCH, under Wine)"
# shellcheck disable=SC2086
run_ctest "windows-$WINE_ARCH" "$test_build" -j2 --no-tests=error ${CTEST_ARGS:-}

native_count=$(cd build/native && ctest -N 2>/dev/null | sed -n 's/^Total Tests: //p')
if [ "${native_count:-0}" -gt 0 ]; then
  step "native tests"
  run_ctest native build/native -j2
else
  summaries+=("native: no tests")
fi

step "done"
for s in "${summaries[@]}"; do echo "$s"; done
echo "total: $total_passed passed, $total_failed failed"
exit "$status"
