#!/usr/bin/env bash
# Benchmarks of the real server under Wine on a virtual display, printed side by side:
#   scripts/bench-server.sh [RUNS]
# start to ready notice (against a program that only sends the notice), processor time during a
# 5-second wait for a request, run request to running notice. Builds what it needs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DLG_WIN_BUILD:-$root/build/win32}
"$root/scripts/setup.sh" >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$build" -j2 --target dlgbench >&2
exec "$root/scripts/wine-gui-run.sh" "$build/bin/dlgbench.exe" "$@"
