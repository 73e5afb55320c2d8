#!/usr/bin/env bash
# Runs a Windows program that shows windows under Wine, on a virtual display:
#   scripts/wine-gui-run.sh PROGRAM.exe [ARGS...]
# Its own prefix (DLG_WINEPREFIX, default build/wineprefix-gui-<arch>) and its own Xvfb, shared by every
# run for that prefix: a prefix's Wine session (wineserver, explorer) lives on one display, so
# the display must outlive the session. The Xvfb and the prefix's wineserver are stopped
# DLG_XVFB_LINGER seconds (default 30) after the last run ended. With DLG_USE_DISPLAY=1 the
# caller's $DISPLAY is used instead (to watch or take part). Time limit and exit status as for
# scripts/wine-run.sh, which this calls. `scripts/wine-gui-run.sh --stop` stops the prefix's
# display and Wine session at once (scripts/test.sh does, at its end).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export DLG_WINEPREFIX=${DLG_WINEPREFIX:-$root/build/wineprefix-gui-${DLG_WINEARCH:-win32}}
prefix=$DLG_WINEPREFIX
linger=${DLG_XVFB_LINGER:-30}

if [ $# -eq 0 ]; then
  echo "usage: $0 PROGRAM.exe [ARGS...] | --stop" >&2
  exit 2
fi
if [ "$1" = --stop ]; then
  if [ -s "$prefix.xvfb" ]; then
    read -r pid _ <"$prefix.xvfb" || true
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  fi
  exit 0
fi

if [ "${DLG_USE_DISPLAY:-0}" != 1 ]; then
  mkdir -p "$(dirname "$prefix")" "$prefix.runs"
  state=$prefix.xvfb
  touch "$prefix.runs/$$"
  trap 'rm -f "$prefix.runs/$$"; touch "$state.used"' EXIT
  (
    flock 9
    pid= display=
    [ -s "$state" ] && read -r pid display <"$state"
    if [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; then
      # A Wine session left from an earlier display would keep using that display.
      WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
      rm -f "$state" "$state.display"
      touch "$state.used"
      # The keeper: Xvfb, stopped with the prefix's session once no run has used it for $linger s.
      setsid bash -c '
        state=$1 prefix=$2 linger=$3
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state.display" >/dev/null 2>&1 &
        x=$!
        for _ in $(seq 100); do [ -s "$state.display" ] && break; sleep 0.1; done
        echo "$x $(cat "$state.display")" >"$state"
        while kill -0 "$x" 2>/dev/null; do
          sleep 5
          for r in "$prefix.runs"/*; do
            [ -e "$r" ] && ! kill -0 "${r##*/}" 2>/dev/null && rm -f "$r"
          done
          if [ -z "$(ls -A "$prefix.runs")" ] &&
             [ $(( $(date +%s) - $(stat -c %Y "$state.used") )) -ge "$linger" ]; then
            WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
            kill "$x"
            break
          fi
        done
        rm -f "$state" "$state.display"
      ' dlg-xvfb "$state" "$prefix" "$linger" </dev/null >/dev/null 2>&1 9>&- &
      for _ in $(seq 150); do [ -s "$state" ] && break; sleep 0.1; done
    fi
  ) 9>"$prefix.xvfb.lock"
  if ! read -r _ display <"$state" 2>/dev/null || [ -z "$display" ]; then
    echo "wine-gui-run: no virtual display" >&2
    exit 1
  fi
  export DISPLAY=:$display
fi

"$root/scripts/wine-run.sh" "$@"
