#!/usr/bin/env bash
# Benchmarks of the real server under Wine on a virtual display, printed side by side:
#   scripts/bench-server.sh [RUNS [first | pairs [P] | styles [P] | against SERVER [P]]]
# start to ready notice (against a program that creates one hidden window and sends the notice),
# processor time and memory during a 5-second wait for a request (with and without the warm-up),
# run request to running notice and to the dialog visible, launch to the accepted reply of an
# open dialog (against the same dialog run in-process by inproc_open.exe), the first dialog from
# the decision to show it to the dialog visible (the server idle 1000, 500 and 200 ms after its
# host form appeared and sent the request at once, with and without the warm-up, against a
# running program's first GetOpenFileNameA in inproc_first.exe), the size of dlgserver.exe.
# Median, min and max of RUNS (default 15); `first` measures the first dialog only; `pairs [P]`
# compares the server with its in-process yardsticks in P (default 3) alternating pairs of RUNS
# runs a side (round trip; first dialog with the request at once and after 500 ms idle), and
# prints each pair's ratio and their median; `styles [P]` does the same for the modern file
# dialog: its first dialog (server idle 500 ms) against the classic one's, and against a running
# program's first modern dialog (idle 500 ms, and the request at once); `against SERVER [P]`
# compares the server with another build of it (SERVER: the Windows path of its dlgserver.exe,
# e.g. Z:\tmp\old\build\win64\bin\dlgserver.exe built from an earlier commit) in the same
# three comparisons as `pairs`.
# Runs on every Windows architecture the host runs (or DLG_WINEARCH alone), each build against
# the in-process references of its own architecture, under a heading that names it. Builds what
# it needs first (build/win32, build/win64); DLG_WINEPREFIX chooses the Wine prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"
"$root/scripts/setup.sh" >&2
arches=${DLG_WINEARCH:-$("$root/scripts/host-arches.sh")}
for arch in $arches; do
  dlg_build_targets "$arch" dlgbench
  echo "== $arch build =="
  DLG_WINEARCH=$arch "$root/scripts/wine-gui-run.sh" "$root/build/$arch/bin/dlgbench.exe" "$@"
done
