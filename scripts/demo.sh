#!/usr/bin/env bash
# Shows the dialog server doing its job: builds what is missing, then runs the real
# dlgserver.exe through dlgrun under Wine with a sample open-dialog request, accepts a sample
# file, prints the exchange and the reply, and saves a screenshot of the dialog as it was shown.
#   scripts/demo.sh                 on a virtual display, the file chosen automatically
#   scripts/demo.sh --interactive   on your display ($DISPLAY): pick a file yourself
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
interactive=0
case "${1:-}" in
  --interactive) interactive=1 ;;
  "") ;;
  *) echo "usage: $0 [--interactive]" >&2; exit 2 ;;
esac

"$root/scripts/setup.sh" >&2
build=${DLG_WIN_BUILD:-$root/build/win32}
echo "demo: building dlgserver.exe and dlgrun.exe in $build" >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$build" -j2 --target dlgserver dlgrun >/dev/null

export DLG_WINEPREFIX=${DLG_WINEPREFIX:-$root/build/wineprefix-gui}
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
shot=$out/dialog.png
rm -f "$shot" "$out/reply.txt"
run_args=(--server "$(dirname "$build/bin/dlgrun.exe")/dlgserver.exe")
if [ $interactive = 1 ]; then
  : "${DISPLAY:?--interactive needs a display (DISPLAY is not set)}"
  export DLG_USE_DISPLAY=1
  export DLG_WINE_TIMEOUT=${DLG_WINE_TIMEOUT:-3600}
else
  # Leave the dialog up for a moment so the screenshot shows it, then type the name and accept.
  run_args+=(--auto 'wait=1500,file=report.txt,ok' --timeout 60)
fi

# The screenshot: wait for the dialog's window on the display dlgrun uses, then grab the screen.
take_screenshot() {
  local display=${DISPLAY:-}
  for _ in $(seq 150); do
    if [ $interactive = 0 ] && [ -s "$DLG_WINEPREFIX.xvfb" ]; then
      display=:$(cut -d' ' -f2 "$DLG_WINEPREFIX.xvfb")
    fi
    if [ -n "$display" ] && xwininfo -display "$display" -root -tree 2>/dev/null | grep -qF "\"$title\""; then
      sleep 0.7  # let it finish drawing
      import -display "$display" -window root "$shot" 2>/dev/null && return 0
    fi
    sleep 0.1
  done
  return 1
}
take_screenshot &
shooter=$!

set +e
"$root/scripts/wine-gui-run.sh" "$build/bin/dlgrun.exe" "${run_args[@]}" TOpenDialog - \
  <"$out/request.txt" >"$out/reply.txt" 2>"$out/exchange.txt"
status=$?
set -e
wait "$shooter" 2>/dev/null || true

echo "== exchange (dlgrun's standard error) =="
grep -v '^wine:' "$out/exchange.txt" || true
echo "== reply (exit status $status: 0 accepted, 1 cancelled, 2 no reply, 3 time-out) =="
tr -d '\r' <"$out/reply.txt"
if [ -s "$shot" ]; then
  echo "== screenshot of the dialog: $shot =="
else
  echo "== no screenshot was taken ==" >&2
fi
exit $status
