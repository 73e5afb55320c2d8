#!/usr/bin/env bash
# Installs what the builds and their tests need, and prepares the Wine prefixes under build/:
# both mingw-w64 cross compilers always (both Windows builds are built on every host), and Wine
# for the architectures this host can run (scripts/host-arches.sh): wine32 and wine64 where it
# runs 32-bit code, wine64 alone where it runs only 64-bit code; the print system's library for
# each of those architectures, through which Wine lists the host's print queues.
#   --private-cups   also what scripts/private-cups.sh needs (the CUPS scheduler, the cups-pdf
#                    driver, lpadmin): scripts/test.sh --private-cups asks for it. Not installed
#                    otherwise: on a host that runs its own services, installing them starts a
#                    print system of the host's and gives it a PDF queue.
# Idempotent: a second run only checks, and takes a second or two.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
private_cups=no
for arg in "$@"; do
  case $arg in
    --private-cups) private_cups=yes ;;
    *) echo "usage: $0 [--private-cups]" >&2; exit 2 ;;
  esac
done

if ! arches=$("$root/scripts/host-arches.sh"); then
  echo "setup: this host runs neither 32-bit nor 64-bit x86 Linux programs, so Wine cannot run" \
       "any Windows program here" >&2
  exit 1
fi

need_packages=(cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine fonts-wine xvfb xauth x11-utils imagemagick bsdextrautils)
case " $arches " in *" win64 "*) need_packages+=(wine64 libcups2) ;; esac
case " $arches " in *" win32 "*) need_packages+=(wine32:i386 libcups2:i386) ;; esac
[ $private_cups = yes ] && need_packages+=(cups-daemon cups-client printer-driver-cups-pdf)

missing=()
for p in "${need_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: run as root to install packages" >&2; exit 1; }
    sudo=sudo
  fi
  export DEBIAN_FRONTEND=noninteractive
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Now that Wine is there, its own loaders must start for every architecture found above.
if ! loaders=$("$root/scripts/host-arches.sh" --loaders) || [ "$loaders" != "$arches" ]; then
  echo "setup: this host runs $arches code, but Wine's loaders start only for '${loaders:-none}'" >&2
  exit 1
fi
for arch in $arches; do
  DLG_WINEARCH=$arch "$root/scripts/wine-prefix.sh"
done
echo "setup: this host runs Windows programs of: $arches"
