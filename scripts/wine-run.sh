#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix, with a time limit:
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]
# The Windows builds' CTest uses this as its emulator (cmake/mingw-common.cmake), with
# DLG_WINEARCH (win32 or win64, see scripts/wine-env.sh) set to the build's architecture; the
# prefix is DLG_WINEPREFIX, or build/wineprefix-<arch>.
#
# The first wine of a session starts background programs (services, explorer, ...) that inherit
# its standard output and error and keep them open; CTest reads a test's output from a pipe and
# would wait for them forever. So when no server is running for the prefix, this starts one
# (persistent for DLG_WINESERVER_LINGER seconds after the last program ends) and a trivial
# program with its output sent to a log; only then the program itself, which starts nothing.
#
# DLG_WINE_TIMEOUT (seconds, default 600) limits the program's run; past it the program is
# killed and the exit status is 124.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh" || exit 2
export WINEPREFIX=${DLG_WINEPREFIX:-$DLG_WINEPREFIX_DEFAULT}

if [ $# -eq 0 ]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

"$root/scripts/wine-prefix.sh" >&2 || exit 1

# The server and the background programs outlive this script: they must not inherit the lock.
(
  flock 9
  if wineserver -p"${DLG_WINESERVER_LINGER:-60}" >>"$WINEPREFIX.log" 2>&1 </dev/null 9>&-; then
    wine cmd /c exit >>"$WINEPREFIX.log" 2>&1 </dev/null 9>&-
  fi
) 9>"$WINEPREFIX.server.lock"

exec timeout --kill-after=10 "${DLG_WINE_TIMEOUT:-600}" wine "$@"
