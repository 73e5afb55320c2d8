#!/usr/bin/env bash
# Benchmarks of the real server under Wine on a virtual display, printed side by side:
#   scripts/bench-server.sh [RUNS [first]]
# start to ready notice (against a program that creates one hidden window and sends the notice),
# processor time and memory during a 5-second wait for a request (with and without the warm-up),
# run request to running notice and to the dialog visible, launch to the accepted reply of an
# open dialog (against the same dialog run in-process by inproc_open.exe), the first dialog from
# the decision to show it to the dialog visible (the server idle 1000, 500 and 200 ms after its
# host form appeared and sent the request at once, with and without the warm-up, against a
# running program's first GetOpenFileNameA in inproc_first.exe), the size of dlgserver.exe.
# Median, min and max of RUNS (default 15); `first` measures the first dialog only. Builds what
# it needs first; DLG_WIN_BUILD and DLG_WINEPREFIX choose the build and the Wine prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DLG_WIN_BUILD:-$root/build/win32}
"$root/scripts/setup.sh" >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$build" -j2 --target dlgbench >&2
exec "$root/scripts/wine-gui-run.sh" "$build/bin/dlgbench.exe" "$@"
