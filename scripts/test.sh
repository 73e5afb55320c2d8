#!/usr/bin/env bash
# Builds and tests everything, as CI does (.ci/run):
#   1. scripts/setup.sh (packages, Wine prefix);
#   2. the native build with address and undefined-behaviour sanitizers (build/native) and its
#      tests: unit tests and the fuzz targets' seeds;
#   3. the Windows build (build/win32) and its tests under Wine, on a virtual X display that this
#      script starts and stops, with one Wine server kept up for the whole run.
# Every phase runs even when an earlier one failed (except what depends on a failed build); the
# exit status is non-zero when anything failed. A summary with the time of each phase ends it.
# DLG_JOBS sets the parallel jobs (default 2).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${DLG_JOBS:-2}
logs=$root/build/test-logs
mkdir -p "$logs"

summary=()
failures=0
tests_passed=0
tests_failed=0

# phase NAME COMMAND...: runs the command, records its outcome and wall time.
phase() {
  local name=$1
  shift
  echo
  echo "==> $name"
  local start=$SECONDS
  "$@"
  local rc=$?
  local took=$((SECONDS - start))
  local outcome=ok
  if [ $rc -ne 0 ]; then
    outcome="FAILED ($rc)"
    failures=$((failures + 1))
  fi
  summary+=("$(printf '  %-14s %-12s %4d s%s' "$name" "$outcome" "$took" "${phase_note:-}")")
  phase_note=
  return $rc
}

skip() {
  summary+=("$(printf '  %-14s %-12s' "$1" "skipped")")
}

# run_ctest BUILD_DIR: runs the tests, counts them, fails when none ran.
run_ctest() {
  local log=$logs/$(basename "$1").ctest.log
  ctest --test-dir "$1" -j "$jobs" --output-on-failure --output-log "$log"
  local rc=$?
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    echo "test.sh: no test ran in $1" >&2
    return 1
  fi
  local failed total
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  tests_passed=$((tests_passed + total - failed))
  tests_failed=$((tests_failed + failed))
  phase_note="   $((total - failed)) passed, $failed failed"
  [ "$total" -gt 0 ] || return 1
  return $rc
}

# The virtual display and the Wine server, stopped by PID (display) and by prefix (server).
export WINEPREFIX=${DLG_WINEPREFIX:-$root/build/wineprefix} WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
start_wine_session() {
  local displayfile=$logs/xvfb.display
  rm -f "$displayfile"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" \
    >"$logs/xvfb.log" 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$displayfile" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ! [ -s "$displayfile" ]; then
    echo "test.sh: Xvfb did not start (see $logs/xvfb.log)" >&2
    return 1
  fi
  export DISPLAY=:$(head -n1 "$displayfile")
  echo "display $DISPLAY (Xvfb pid $xvfb_pid)"
  # A server left from an earlier run has no display: start afresh, persistent until the end.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -p >>"$WINEPREFIX.log" 2>&1 </dev/null
  # The first program starts Wine's background programs; they keep its output open, so it
  # must not be a test's (scripts/wine-run.sh).
  wine cmd /c exit >>"$WINEPREFIX.log" 2>&1 </dev/null
}

stop_wine_session() {
  wineserver -k >/dev/null 2>&1 || true
  # The display and session the end-to-end tests keep for their own prefix.
  DLG_WINEPREFIX=$root/build/win32/wineprefix-gui scripts/wine-gui-run.sh --stop
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  fi
}
trap stop_wine_session EXIT
trap 'exit 130' INT TERM

total_start=$SECONDS

if phase setup scripts/setup.sh; then
  if phase "native build" bash -c "cmake -S . -B build/native -DDLG_SANITIZE=ON &&
                                   cmake --build build/native -j $jobs"; then
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
    phase "native tests" run_ctest build/native
  else
    skip "native tests"
  fi

  # The Windows build converts form descriptions with a comptext of the build machine: the
  # native build's, when it was built.
  host_comptext=
  [ -x build/native/tools/comptext ] && host_comptext=-DDLG_HOST_COMPTEXT=$root/build/native/tools/comptext
  if phase "win32 build" bash -c "cmake -S . -B build/win32 \
                                     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake $host_comptext &&
                                   cmake --build build/win32 -j $jobs"; then
    if phase "wine session" start_wine_session; then
      phase "win32 tests" run_ctest build/win32
    else
      skip "win32 tests"
    fi
    stop_wine_session
  else
    skip "wine session"
    skip "win32 tests"
  fi
else
  skip "everything else"
fi

echo
echo "summary (total $((SECONDS - total_start)) s):"
printf '%s\n' "${summary[@]}"
echo "tests: $tests_passed passed, $tests_failed failed"
if [ $failures -ne 0 ]; then
  echo "test.sh: FAILED ($failures phase(s))"
  exit 1
fi
echo "test.sh: all passed"
