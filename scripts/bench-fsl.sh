#!/usr/bin/env bash
# The association lookup's cost per selection change, under Wine, for INI sections of 10, 100
# and 1000 entries:
#   scripts/bench-fsl.sh [RUNS]
# Builds fslbench.exe first when needed (DLG_WIN_BUILD, default build/win32) and runs it in
# that build's own Wine prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DLG_WIN_BUILD:-$root/build/win32}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$build" -j2 --target fslbench >&2
export DLG_WINEPREFIX=${DLG_WINEPREFIX:-$build/wineprefix}
exec "$root/scripts/wine-run.sh" "$build/bin/fslbench.exe" "$@"
