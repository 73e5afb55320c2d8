# Sourced by the Wine scripts: the environment of one Windows architecture.
#   DLG_WINEARCH  win32 (default) or win64: the prefix's architecture and the loader
# Sets WINEARCH, the loader for 64-bit prefixes (scripts/wine64-bin first on PATH, so that
# wineboot and winepath use it too), and quiet defaults; DLG_WINEPREFIX_DEFAULT is the shared
# prefix of that architecture, build/wineprefix-<arch>.
dlg_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export DLG_WINEARCH=${DLG_WINEARCH:-win32}
case $DLG_WINEARCH in
  win32) ;;
  win64)
    export WINELOADER=/usr/lib/wine/wine64
    case ":$PATH:" in *":$dlg_root/scripts/wine64-bin:"*) ;; *) export PATH=$dlg_root/scripts/wine64-bin:$PATH ;; esac
    ;;
  *) echo "DLG_WINEARCH must be win32 or win64, not '$DLG_WINEARCH'" >&2; return 2 ;;
esac
export WINEARCH=$DLG_WINEARCH WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
DLG_WINEPREFIX_DEFAULT=$dlg_root/build/wineprefix-$DLG_WINEARCH
