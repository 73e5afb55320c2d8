#!/usr/bin/env bash
# Builds the Windows builds and packs the SDK of each as a ZIP (cmake/install.cmake says what it
# holds), one per architecture: dlgserver-<version>-win32.zip for 32-bit programs and
# dlgserver-<version>-win64.zip for 64-bit ones. Both are made on every host: building needs
# only the cross compilers.
#   scripts/package.sh [win32|win64]...   (default: both)
# Prints each ZIP's path and what is in it. The builds are build/win32 and build/win64;
# DLG_JOBS sets the parallel jobs (default 2).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"
jobs=${DLG_JOBS:-2}
arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(win32 win64)
for arch in "${arches[@]}"; do dlg_toolchain "$arch" >/dev/null || exit 2; done
"$root/scripts/setup.sh" >&2

for arch in "${arches[@]}"; do
  build=$root/build/$arch
  dlg_configure_build "$arch" "$build"
  cmake --build "$build" -j "$jobs" >&2

  # cpack leaves the ZIP in the build folder and names it in its last lines.
  (cd "$build" && cpack --config CPackConfig.cmake) >"$build/cpack.log" 2>&1 || {
    cat "$build/cpack.log" >&2
    echo "package: cpack failed for $arch" >&2
    exit 1
  }
  zip=$(sed -nE 's/^CPack: - package: (.*\.zip) generated\.$/\1/p' "$build/cpack.log" | tail -n 1)
  if [ -z "$zip" ] || [ ! -f "$zip" ]; then
    cat "$build/cpack.log" >&2
    echo "package: cpack made no ZIP for $arch" >&2
    exit 1
  fi

  echo "$zip"
  echo "$arch: $(unzip -Z1 "$zip" | grep -vc '/$') files, $(du -h "$zip" | cut -f1):"
  unzip -l "$zip"
done
