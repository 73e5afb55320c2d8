#!/usr/bin/env bash
# Builds and tests everything, as CI does (.ci/run):
#   1. scripts/setup.sh (packages, Wine prefixes);
#   2. the native build with address and undefined-behaviour sanitizers (build/native) and its
#      tests: unit tests and the fuzz targets' seeds;
#   3. both Windows builds, 32-bit (build/win32) and 64-bit (build/win64), always;
#   4. their tests under Wine for every architecture this host runs (scripts/host-arches.sh),
#      each in a prefix of its own, on a virtual X display that this script starts and stops;
#      where the host runs no 32-bit code, the 32-bit build's static checks instead (label
#      "static"); where it runs both, the cross-architecture test (label "cross") last.
# With --private-cups (what CI uses) the Windows tests run on a host with real printers: setup
# installs a CUPS scheduler, and scripts/private-cups.sh runs one of the project's own for the
# tests (its own folder and socket, two queues), which Wine is pointed at with CUPS_SERVER; it
# is stopped at the end, and a last phase checks that its queues and its default, and the
# host's own default, are as they were before the tests.
# Every phase runs even when an earlier one failed (except what depends on a failed build); the
# exit status is non-zero when anything failed. A summary with the time of each phase and the
# architectures whose tests ran ends it. DLG_JOBS sets the parallel jobs (default 2).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
private_cups=no
for arg in "$@"; do
  case $arg in
    --private-cups) private_cups=yes ;;
    *) echo "usage: $0 [--private-cups]" >&2; exit 2 ;;
  esac
done
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

# run_ctest BUILD_DIR LOG_NAME [CTEST_ARGS...]: runs the tests, counts them, fails when none ran.
run_ctest() {
  local dir=$1 log=$logs/$2.ctest.log
  shift 2
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --output-log "$log" "$@"
  local rc=$?
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    echo "test.sh: no test ran in $dir $*" >&2
    return 1
  fi
  local failed total
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  tests_passed=$((tests_passed + total - failed))
  tests_failed=$((tests_failed + failed))
  phase_note="   $((total - failed)) passed, $failed failed"
  last_total=$total
  [ "$total" -gt 0 ] || return 1
  return $rc
}

# The virtual display, shared by both architectures, stopped by PID.
xvfb_pid=
start_display() {
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
}

# One architecture's Wine session: the server of its shared prefix, kept up for the whole run of
# its tests, in a subshell so that the architecture's environment stays there.
start_wine_server() (
  export DLG_WINEARCH=$1
  source scripts/wine-env.sh
  export WINEPREFIX=$DLG_WINEPREFIX_DEFAULT
  # A server left from an earlier run has no display: start afresh, persistent until the end.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -p >>"$WINEPREFIX.log" 2>&1 </dev/null
  # The first program starts Wine's background programs; they keep its output open, so it
  # must not be a test's (scripts/wine-run.sh).
  wine cmd /c exit >>"$WINEPREFIX.log" 2>&1 </dev/null
)

stop_wine_server() (
  export DLG_WINEARCH=$1
  source scripts/wine-env.sh
  WINEPREFIX=$DLG_WINEPREFIX_DEFAULT wineserver -k >/dev/null 2>&1 || true
  # The display and session the end-to-end tests keep for their own prefix.
  DLG_WINEPREFIX=$root/build/$1/wineprefix-gui scripts/wine-gui-run.sh --stop
)

# The private print scheduler: started in a short scratch folder (a socket's path is limited to
# about 100 characters), its CUPS_SERVER and queues exported for every Windows program after.
cups_folder=
start_private_cups() {
  cups_folder=$(mktemp -d /tmp/dlg-cups.XXXXXX) || return 1
  local settings line
  settings=$(scripts/private-cups.sh start "$cups_folder") || return 1
  while read -r line; do
    case $line in CUPS_SERVER=* | DLG_HOST_QUEUES=*) export "${line?}" ;; esac
  done <<<"$settings"
  echo "private print scheduler at $CUPS_SERVER, queues $DLG_HOST_QUEUES"
  print_state >"$logs/printers-before.txt"
}

# What no test may change: the private scheduler's queues and default, and the host's default.
print_state() {
  echo "private scheduler:"
  scripts/private-cups.sh state "$cups_folder"
  echo "host:"
  if command -v lpstat >/dev/null; then (unset CUPS_SERVER; lpstat -d 2>&1); else echo "no lpstat"; fi
}

printers_kept() {
  print_state >"$logs/printers-after.txt"
  cat "$logs/printers-after.txt"
  diff -u "$logs/printers-before.txt" "$logs/printers-after.txt"
}

stop_private_cups() {
  if [ -n "$cups_folder" ]; then
    scripts/private-cups.sh stop "$cups_folder"
    rm -rf "$cups_folder"
    cups_folder=
  fi
}

stop_everything() {
  stop_private_cups
  for arch in win32 win64; do stop_wine_server "$arch" 2>/dev/null; done
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  fi
}
trap stop_everything EXIT
trap 'exit 130' INT TERM

# arch_tests ARCH [CTEST_ARGS...]: the architecture's tests in its own Wine session.
arch_tests() {
  local arch=$1
  shift
  start_wine_server "$arch" || { echo "test.sh: the $arch Wine server did not start" >&2; return 1; }
  run_ctest "build/$arch" "$arch" "$@"
  local rc=$?
  stop_wine_server "$arch"
  return $rc
}

ran=()  # "win32 (N tests)" for each architecture whose tests ran
total_start=$SECONDS

setup_args=()
[ $private_cups = yes ] && setup_args+=(--private-cups)
if phase setup scripts/setup.sh "${setup_args[@]}"; then
  arches=$(scripts/host-arches.sh)
  echo "this host runs Windows programs of: $arches"
  runs() { [[ " $arches " == *" $1 "* ]]; }

  if phase "native build" bash -c "cmake -S . -B build/native -DDLG_SANITIZE=ON &&
                                   cmake --build build/native -j $jobs"; then
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
    phase "native tests" run_ctest build/native native
  else
    skip "native tests"
  fi

  # The Windows builds convert form descriptions with a comptext of the build machine: the
  # native build's, when it was built.
  host_comptext=
  [ -x build/native/tools/comptext ] && host_comptext=-DDLG_HOST_COMPTEXT=$root/build/native/tools/comptext
  built=()
  for arch in win32 win64; do
    toolchain=cmake/mingw-i686.cmake
    [ $arch = win64 ] && toolchain=cmake/mingw-x86_64.cmake
    phase "$arch build" bash -c "cmake -S . -B build/$arch -DCMAKE_TOOLCHAIN_FILE=$toolchain $host_comptext &&
                                 cmake --build build/$arch -j $jobs" && built+=($arch)
  done
  is_built() { [[ " ${built[*]} " == *" $1 "* ]]; }

  display=no
  phase "display" start_display && display=yes
  if [ $private_cups = yes ] && ! phase "print system" start_private_cups; then
    # Without it the print tests would run over the test printer alone: stop rather than pass.
    display=no
  fi
  for arch in win32 win64; do
    if ! is_built $arch; then
      skip "$arch tests"
    elif ! runs $arch; then
      # Nothing of this build can run here; what needs no Wine still runs.
      phase "$arch static" run_ctest build/$arch "$arch-static" -L static
      ran+=("$arch: static checks only (this host runs no $arch code)")
    elif [ $display = no ]; then
      skip "$arch tests"
    else
      if phase "$arch tests" arch_tests $arch -LE cross; then
        ran+=("$arch: $last_total tests")
      else
        ran+=("$arch: $last_total tests, some failed")
      fi
      # What the print tests saw (win_commdlg says it; CTest keeps every test's output there).
      seen=$(grep -aom1 "printers: .*" "build/$arch/Testing/Temporary/LastTest.log" 2>/dev/null | tr -d '\r')
      [ -n "$seen" ] && ran+=("$arch $seen")
    fi
  done
  if runs win32 && runs win64 && is_built win32 && is_built win64 && [ $display = yes ]; then
    phase "cross-arch" arch_tests win64 -L cross && ran+=("cross-architecture: $last_total tests")
  else
    ran+=("cross-architecture: not run (needs a host that runs both, and both builds)")
  fi
  if [ -n "$cups_folder" ]; then
    phase "printers kept" printers_kept
    stop_private_cups
  fi
else
  skip "everything else"
fi

echo
echo "summary (total $((SECONDS - total_start)) s):"
printf '%s\n' "${summary[@]}"
echo "tests: $tests_passed passed, $tests_failed failed"
for line in "${ran[@]}"; do echo "  $line"; done
if [ $failures -ne 0 ]; then
  echo "test.sh: FAILED ($failures phase(s))"
  exit 1
fi
echo "test.sh: all passed"
