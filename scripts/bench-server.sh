#!/usr/bin/env bash
# Benchmarks of the real server under Wine on a virtual display, printed side by side:
#   scripts/bench-server.sh [RUNS]
# start to ready notice (against a program that creates one hidden window and sends the notice),
# processor time during a 5-second wait for a request, run request to running notice and to the
# dialog visible, launch to the accepted reply of an open dialog (against the same dialog run
# in-process by inproc_open.exe), the size of dlgserver.exe. Median, min and max of RUNS
# (default 15). Builds what it needs first; DLG_WIN_BUILD and DLG_WINEPREFIX choose the build
# and the Wine prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DLG_WIN_BUILD:-$root/build/win32}
"$root/scripts/setup.sh" >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$build" -j2 --target dlgbench >&2
exec "$root/scripts/wine-gui-run.sh" "$build/bin/dlgbench.exe" "$@"
