#!/usr/bin/env bash
# The association lookup's cost per selection change, under Wine, for INI sections of 10, 100
# and 1000 entries, on every Windows architecture the host runs (or DLG_WINEARCH alone):
#   scripts/bench-fsl.sh [RUNS]
# Builds fslbench.exe first when needed (build/win32, build/win64) and runs each in that build's
# own Wine prefix, under a heading that names the architecture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"
arches=${DLG_WINEARCH:-$("$root/scripts/host-arches.sh")}
for arch in $arches; do
  dlg_build_targets "$arch" fslbench
  echo "== $arch build =="
  DLG_WINEARCH=$arch DLG_WINEPREFIX=${DLG_WINEPREFIX:-$root/build/$arch/wineprefix} \
    "$root/scripts/wine-run.sh" "$root/build/$arch/bin/fslbench.exe" "$@"
done
