#!/usr/bin/env bash
# Shows the dialog server doing its job: builds what is missing, then runs the real
# dlgserver.exe through dlgrun under Wine:
#   1. a sample open-dialog request: accepts a sample file;
#   2. the FSL open dialog over a sample data folder and its association INI: selects a data
#      file with an FSL file, then one without, accepts, and answers the missing-FSL warning;
#      then the open and FSL requests and a save request in the modern file dialog.
#   3. the colour and font dialogs with the sample requests of scripts/samples/;
#   4. the print dialog over the host's default print queue where it has one (Wine lists the
#      host's queues in every prefix), else over a test printer that prints to a file; it says
#      which printer it used.
# Prints each request, the exchange and the reply, and saves screenshots in build/demo/
# (dialog.png, fsl-dialog.png, fsl-warning.png, color-dialog.png, font-dialog.png,
# print-dialog.png; the open, save and FSL dialogs in the modern style: dialog-modern.png,
# save-dialog-modern.png, fsl-dialog-modern.png, fsl-warning-modern.png). It uses the build the
# host can run: the 32-bit one (build/win32) where the host runs 32-bit code, else the 64-bit
# one (build/win64); DLG_WINEARCH=win32|win64 chooses.
#   scripts/demo.sh                 on a virtual display, everything chosen automatically
#   scripts/demo.sh --interactive   on your display ($DISPLAY): you choose
#   scripts/demo.sh --private-cups  with a print scheduler of its own (scripts/private-cups.sh):
#                                   the print dialog over its queues, as on a host with printers
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
interactive=0
setup_args=()
for arg in "$@"; do
  case $arg in
    --interactive) interactive=1 ;;
    --private-cups) setup_args+=(--private-cups) ;;
    *) echo "usage: $0 [--interactive] [--private-cups]" >&2; exit 2 ;;
  esac
done

"$root/scripts/setup.sh" "${setup_args[@]}" >&2
if [ ${#setup_args[@]} -gt 0 ]; then
  cups_folder=$(mktemp -d /tmp/dlg-cups.XXXXXX)
  trap '"$root/scripts/private-cups.sh" stop "$cups_folder"; rm -rf "$cups_folder"' EXIT
  cups_server=$("$root/scripts/private-cups.sh" start "$cups_folder" | sed -n 's/^CUPS_SERVER=//p')
  export CUPS_SERVER=$cups_server
  echo "demo: a print scheduler of its own at $CUPS_SERVER" >&2
fi
source "$root/scripts/arch.sh"
export DLG_WINEARCH
DLG_WINEARCH=$(dlg_run_arch)
build=$root/build/$DLG_WINEARCH
echo "demo: the $DLG_WINEARCH build ($([ "$DLG_WINEARCH" = win64 ] && echo 64 || echo 32)-bit dlgserver.exe)," \
     "building dlgserver.exe and dlgrun.exe in $build" >&2
mkdir -p "$root/build"
dlg_build_targets "$DLG_WINEARCH" dlgserver dlgrun add_test_printer 2>"$root/build/demo-build.log" ||
  { cat "$root/build/demo-build.log" >&2; echo "demo: the build failed" >&2; exit 1; }

export DLG_WINEPREFIX=${DLG_WINEPREFIX:-$root/build/wineprefix-gui-$DLG_WINEARCH}
"$root/scripts/wine-prefix.sh" >&2
out=$root/build/demo
mkdir -p "$out" "$DLG_WINEPREFIX/drive_c/demo"
printf 'Quarterly figures\r\n' >"$DLG_WINEPREFIX/drive_c/demo/report.txt"
printf 'a;b\r\n1;2\r\n' >"$DLG_WINEPREFIX/drive_c/demo/data.csv"
printf 'notes\r\n' >"$DLG_WINEPREFIX/drive_c/demo/notes.txt"
title='Dialog server demo: open a file'
printf '%s\r\n' "object SampleDialog: TOpenDialog" \
  "  Filter = 'Text files (*.txt)|*.txt|All files (*.*)|*.*'" \
  "  InitialDir = 'C:\\demo'" \
  "  Options = [ofHideReadOnly, ofFileMustExist]" \
  "  Title = '$title'" \
  "end" >"$out/request.txt"

echo "== request (component text sent with code 1025) =="
tr -d '\r' <"$out/request.txt"
if [ $interactive = 1 ]; then
  : "${DISPLAY:?--interactive needs a display (DISPLAY is not set)}"
  export DLG_USE_DISPLAY=1
  export DLG_WINE_TIMEOUT=${DLG_WINE_TIMEOUT:-3600}
fi

# screenshot TITLE FILE [DELAY]: waits for a window titled TITLE on the display dlgrun uses,
# lets it settle for DELAY seconds (default 0.7), then grabs the screen into FILE.
screenshot() {
  local title=$1 file=$2 delay=${3:-0.7} display=${DISPLAY:-}
  rm -f "$file"
  for _ in $(seq 150); do
    if [ $interactive = 0 ] && [ -s "$DLG_WINEPREFIX.xvfb" ]; then
      display=:$(cut -d' ' -f2 "$DLG_WINEPREFIX.xvfb")
    fi
    if [ -n "$display" ] && xwininfo -display "$display" -root -tree 2>/dev/null | grep -qF "\"$title"; then
      sleep "$delay"
      import -display "$display" -window root "$file" 2>/dev/null && return 0
    fi
    sleep 0.1
  done
  return 1
}

# run_demo CLASS REQUEST NAME: runs dlgrun with the request (and $auto_steps unless
# interactive), prints the exchange and the reply; the exit status is dlgrun's.
run_demo() {
  local class=$1 request=$2 name=$3 status
  local args=(--server "$(dirname "$build/bin/dlgrun.exe")/dlgserver.exe")
  [ $interactive = 1 ] || args+=(--auto "$auto_steps" --timeout 60)
  set +e
  "$root/scripts/wine-gui-run.sh" "$build/bin/dlgrun.exe" "${args[@]}" "$class" - \
    <"$request" >"$out/$name-reply.txt" 2>"$out/$name-exchange.txt"
  status=$?
  set -e
  echo "== exchange (dlgrun's standard error) =="
  grep -v '^wine:' "$out/$name-exchange.txt" || true
  echo "== reply (exit status $status: 0 accepted, 1 cancelled, 2 no reply, 3 time-out) =="
  tr -d '\r' <"$out/$name-reply.txt"
  return $status
}

# shown_demo CLASS REQUEST NAME [SHOT TITLE DELAY]...: run_demo, while build/demo/SHOT.png is
# taken of the window titled TITLE, DELAY seconds after it shows; a failed run's exit status is
# left in $status.
shown_demo() {
  local class=$1 request=$2 name=$3 shooters=()
  shift 3
  while [ $# -ge 3 ]; do
    screenshot "$2" "$out/$1.png" "$3" &
    shooters+=($!)
    shift 3
  done
  run_demo "$class" "$request" "$name" || status=$?
  wait "${shooters[@]}" 2>/dev/null || true
}

# Leave the dialog up for a moment so the screenshot shows it, then type the name and accept.
auto_steps='wait=1500,file=report.txt,ok'
status=0
shown_demo TOpenDialog "$out/request.txt" open "dialog" "$title" 0.7

# The FSL open dialog: data files, an FSL file elsewhere, and the association section, whose
# keys are the data files' short (8.3) paths (names that are 8.3 already are their own short
# form).
fsl_dir=$DLG_WINEPREFIX/drive_c/demo/fsl
mkdir -p "$fsl_dir/Labels"
for f in "Run1.dat" "Run2.dat" "Labels/Run 1 labels.fsl"; do printf 'data\r\n' >"$fsl_dir/$f"; done
printf '[FSLAssociations]\r\nC:\\demo\\fsl\\Run1.dat=C:\\demo\\fsl\\Labels\\Run 1 labels.fsl\r\n' >"$fsl_dir/assoc.ini"
fsl_title='Dialog server demo: open a data file'
printf '%s\r\n' "object DataDialog: TFSL16OpenDialog" \
  "  Filter = 'Data files (*.dat)|*.dat|All files (*.*)|*.*'" \
  "  InitialDir = 'C:\\demo\\fsl'" \
  "  Title = '$fsl_title'" \
  "  IniFile = 'C:\\demo\\fsl\\assoc.ini'" \
  "  IniFileSection = 'FSLAssociations'" \
  "  FSLHelpContext = 120" \
  "end" >"$out/fsl-request.txt"
echo
echo "== FSL open dialog: request =="
tr -d '\r' <"$out/fsl-request.txt"
echo "== association section ($fsl_dir/assoc.ini) =="
tr -d '\r' <"$fsl_dir/assoc.ini"
# Run1.dat shows its FSL file from the section; Run2.dat has none, so accepting it warns.
auto_steps='select=Run1.dat,showfsl,wait=2000,select=Run2.dat,ok,wait=2000,nofsl'
shown_demo TFSL16OpenDialog "$out/fsl-request.txt" fsl \
  "fsl-dialog" "$fsl_title" 1.2 "fsl-warning" "No FSL file selected for" 0.7

# The same open and FSL requests, and a save request, in the modern file dialog (chosen here
# by the environment; dlgserver.ini beside the server chooses it for every client): the same
# steps, the same replies.
echo
echo "== the modern file dialog (DLG_FILE_DIALOG_STYLE=modern) =="
export DLG_FILE_DIALOG_STYLE=modern
auto_steps='wait=1500,file=report.txt,ok'
shown_demo TOpenDialog "$out/request.txt" open-modern "dialog-modern" "$title" 0.7
save_title='Dialog server demo: save a file'
printf '%s\r\n' "object SaveDialog: TSaveDialog" \
  "  DefaultExt = 'txt'" \
  "  Filter = 'Text files (*.txt)|*.txt|All files (*.*)|*.*'" \
  "  InitialDir = 'C:\\demo'" \
  "  Options = [ofOverwritePrompt, ofHideReadOnly]" \
  "  Title = '$save_title'" \
  "end" >"$out/save-request.txt"
echo "== TSaveDialog: request =="
tr -d '\r' <"$out/save-request.txt"
auto_steps='wait=1500,file=new report,ok'
shown_demo TSaveDialog "$out/save-request.txt" save-modern "save-dialog-modern" "$save_title" 0.7
auto_steps='select=Run1.dat,showfsl,wait=2000,select=Run2.dat,ok,wait=2000,nofsl'
shown_demo TFSL16OpenDialog "$out/fsl-request.txt" fsl-modern \
  "fsl-dialog-modern" "$fsl_title" 1.2 "fsl-warning-modern" "No FSL file selected for" 0.7
unset DLG_FILE_DIALOG_STYLE

# The colour and font dialogs with the sample requests: a basic colour is clicked; a face, a
# style and a size are chosen.
for kind in color font; do
  class=$([ $kind = color ] && echo TColorDialog || echo TFontDialog)
  echo
  echo "== $class: request =="
  tr -d '\r' <"$root/scripts/samples/${kind}_dialog.txt"
  auto_steps=$([ $kind = color ] && echo 'basic=13,wait=1500,ok' ||
               echo 'face=Courier,style=Bold,size=16,wait=1500,ok')
  caption=$([ $kind = color ] && echo 'Color' || echo 'Font')
  shown_demo "$class" "$root/scripts/samples/${kind}_dialog.txt" "$kind" "$kind-dialog" "$caption" 1.0
done

# The print dialog over the host's default print queue (its first one when it has no default),
# chosen by name; on a host without queues over a printer that prints to a file (added to the
# demo prefix; adding it again changes nothing). Three copies of pages 2 to 5.
"$root/scripts/wine-gui-run.sh" "$build/bin/add_test_printer.exe" >/dev/null 2>&1 || true
printer=
if command -v lpstat >/dev/null; then
  printer=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
  [ -n "$printer" ] || printer=$(lpstat -e 2>/dev/null | head -n1)
fi
if [ -n "$printer" ]; then
  echo
  echo "== the print dialog over the print queue $printer${CUPS_SERVER:+ (scheduler at $CUPS_SERVER)} =="
else
  printer='Dialog Test Printer'
  echo
  echo "== the print dialog over a test printer that prints to a file (the host has no print queue) =="
fi
printf '%s\r\n' "object PrintDialog: TPrintDialog" "  Copies = 1" "  MinPage = 1" "  MaxPage = 12" \
  "  Options = [poPageNums]" "end" >"$out/print-request.txt"
echo "== TPrintDialog: request =="
tr -d '\r' <"$out/print-request.txt"
auto_steps="printer=$printer,copies=3,pages=2-5,wait=1500,ok"
shown_demo TPrintDialog "$out/print-request.txt" print "print-dialog" "Print" 1.0
used=$(sed -n 's/^dlgrun: step: printer //p' "$out/print-exchange.txt")
echo "== the print dialog used the printer ${used:-$printer (it could not be chosen)} =="

for shot in dialog fsl-dialog fsl-warning dialog-modern save-dialog-modern fsl-dialog-modern fsl-warning-modern \
  color-dialog font-dialog print-dialog; do
  if [ -s "$out/$shot.png" ]; then
    echo "== screenshot: $out/$shot.png =="
  else
    echo "== no screenshot $shot.png was taken ==" >&2
  fi
done
exit $status
