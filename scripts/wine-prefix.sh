#!/usr/bin/env bash
# Prepares the project's own Wine prefix (build/wineprefix-<arch>, or $DLG_WINEPREFIX) for
# unattended runs: no window manager wait, no crash dialog, Wine's own fonts, no Mono/Gecko
# installers. DLG_WINEARCH (win32, the default, or win64) is the prefix's architecture.
# Idempotent: a prefix that carries the stamp of this configuration is left alone (well under a
# second). Safe to call from several processes at once (the first one does the work).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
prefix=${DLG_WINEPREFIX:-$DLG_WINEPREFIX_DEFAULT}
# Raise this when the configuration below changes, so existing prefixes are redone; a prefix of
# the other architecture is redone too.
stamp_version=2
stamp=$prefix/.dlg-prefix-v$stamp_version-$WINEARCH

# The prefix must belong to the user running wine; a prefix left by another user is redone.
if [ -f "$stamp" ] && [ -O "$prefix" ]; then
  exit 0
fi

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ -f "$stamp" ] && [ -O "$prefix" ]; then
  exit 0  # another process finished it while we waited
fi

export WINEPREFIX=$prefix WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY  # booting needs no display, and must not open windows
start=$(date +%s%N)
echo "wine-prefix: creating $prefix ($WINEARCH)"
if [ -e "$prefix" ]; then
  wineserver -k >/dev/null 2>&1 9>&- || true
  rm -rf "$prefix"
fi

# Wine's first start leaves background programs running that keep its standard output and
# error, and every other open file: send the output to a log, never to a pipe, and close the
# lock for them.
log=$prefix.log
wineboot -i >"$log" 2>&1 </dev/null 9>&-

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"mscoree"=""
"mshtml"=""
REG
wine regedit /S "$(winepath -w "$reg" 2>/dev/null 9>&-)" >>"$log" 2>&1 </dev/null 9>&-

fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/* "$fonts/"

# Stopping the server writes the registry to disk; only then does the prefix count as done.
wineserver -k >>"$log" 2>&1 9>&- || true
touch "$stamp"
echo "wine-prefix: ready in $(( ($(date +%s%N) - start) / 1000000 )) ms"
