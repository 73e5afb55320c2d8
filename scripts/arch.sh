# Sourced by the scripts that build and run one Windows build: which architecture, which
# toolchain file, which build folder.
#   dlg_toolchain ARCH   the toolchain file of win32 or win64
#   dlg_run_arch         DLG_WINEARCH when set, else win32 (the product) where the host runs
#                        32-bit code, else win64; fails when the host runs neither
#   dlg_configure_build ARCH BUILD_DIR
#   dlg_build_targets ARCH TARGET...   configures build/ARCH when needed, builds the targets
dlg_toolchain() {
  case $1 in
    win32) echo "$dlg_root/cmake/mingw-i686.cmake" ;;
    win64) echo "$dlg_root/cmake/mingw-x86_64.cmake" ;;
    *) echo "unknown architecture '$1' (win32 or win64)" >&2; return 2 ;;
  esac
}

dlg_run_arch() {
  if [ -n "${DLG_WINEARCH:-}" ]; then
    echo "$DLG_WINEARCH"
    return
  fi
  local arches
  arches=$("$dlg_root/scripts/host-arches.sh") || {
    echo "this host runs no Windows architecture under Wine" >&2
    return 1
  }
  case " $arches " in *" win32 "*) echo win32 ;; *) echo win64 ;; esac
}

# dlg_configure_build ARCH BUILD_DIR: configures the build when it has not been (with the native
# comptext when there is one, as scripts/test.sh does).
dlg_configure_build() {
  [ -f "$2/CMakeCache.txt" ] && return 0
  local host_comptext=()
  [ -x "$dlg_root/build/native/tools/comptext" ] && host_comptext=(-DDLG_HOST_COMPTEXT="$dlg_root/build/native/tools/comptext")
  cmake -S "$dlg_root" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$(dlg_toolchain "$1")" "${host_comptext[@]}" >&2
}
dlg_build_targets() {
  local arch=$1
  shift
  dlg_configure_build "$arch" "$dlg_root/build/$arch" >/dev/null
  cmake --build "$dlg_root/build/$arch" -j2 --target "$@" >&2
}
dlg_root=${dlg_root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
