#!/usr/bin/env bash
# Builds the Windows build and packs its SDK as a ZIP (cmake/install.cmake says what it holds):
#   scripts/package.sh
# Prints the ZIP's path and what is in it. DLG_WIN_BUILD chooses the build (default build/win32),
# DLG_JOBS the parallel jobs (default 2).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DLG_WIN_BUILD:-$root/build/win32}
jobs=${DLG_JOBS:-2}
"$root/scripts/setup.sh" >&2

# Form descriptions are converted with a comptext of the build machine: the native build's, when
# it was built (as scripts/test.sh does).
host_comptext=()
[ -x "$root/build/native/tools/comptext" ] && host_comptext=(-DDLG_HOST_COMPTEXT="$root/build/native/tools/comptext")
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" "${host_comptext[@]}" >&2
cmake --build "$build" -j "$jobs" >&2

# cpack leaves the ZIP in the build folder and names it in its last lines.
(cd "$build" && cpack --config CPackConfig.cmake) >"$build/cpack.log" 2>&1 || {
  cat "$build/cpack.log" >&2
  echo "package: cpack failed" >&2
  exit 1
}
zip=$(sed -nE 's/^CPack: - package: (.*\.zip) generated\.$/\1/p' "$build/cpack.log" | tail -n 1)
if [ -z "$zip" ] || [ ! -f "$zip" ]; then
  cat "$build/cpack.log" >&2
  echo "package: cpack made no ZIP" >&2
  exit 1
fi

echo "$zip"
echo "$(unzip -Z1 "$zip" | grep -vc '/$') files, $(du -h "$zip" | cut -f1):"
unzip -l "$zip"
