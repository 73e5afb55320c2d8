#!/usr/bin/env bash
# Prints the Windows architectures this host can run under Wine, found by trying: "win32 win64"
# where it executes 32-bit and 64-bit x86 Linux programs, "win64" where it runs only 64-bit user
# code (there the 32-bit Wine fails with "Exec format error"). Prints nothing and exits 1 where
# it runs neither. DLG_HOST_ARCHES overrides the answer (e.g. DLG_HOST_ARCHES=win64 to act as a
# 64-bit-only host).
#   scripts/host-arches.sh [--loaders]   --loaders also requires Wine's own loaders to start
set -uo pipefail
if [ -n "${DLG_HOST_ARCHES:-}" ]; then
  echo "$DLG_HOST_ARCHES"
  exit 0
fi

# The smallest Linux programs that exit 0: i386 and x86-64 (as, then ld -s -n -N).
probe_i386=f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAABwAAAAAAAAADQAIAABACgAAwACAAEAAABUAAAAVIAECFSABAgJAAAACQAAAAcAAAABAAAAuAEAAAAx282AAC5zaHN0cnRhYgAudGV4dAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAALAAAAAQAAAAcAAABUgAQIVAAAAAkAAAAAAAAAAAAAAAEAAAAAAAAAAQAAAAMAAAAAAAAAAAAAAF0AAAARAAAAAAAAAAAAAAABAAAAAAAAAA==
probe_x86_64=f0VMRgIBAQAAAAAAAAAAAAIAPgABAAAAeABAAAAAAABAAAAAAAAAAJgAAAAAAAAAAAAAAEAAOAABAEAAAwACAAEAAAAHAAAAeAAAAAAAAAB4AEAAAAAAAHgAQAAAAAAACQAAAAAAAAAJAAAAAAAAAAEAAAAAAAAAuDwAAAAx/w8FAC5zaHN0cnRhYgAudGV4dAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAACwAAAAEAAAAHAAAAAAAAAHgAQAAAAAAAeAAAAAAAAAAJAAAAAAAAAAAAAAAAAAAAAQAAAAAAAAAAAAAAAAAAAAEAAAADAAAAAAAAAAAAAAAAAAAAAAAAAIEAAAAAAAAAEQAAAAAAAAAAAAAAAAAAAAEAAAAAAAAAAAAAAAAAAAA=

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
runs() {  # runs NAME BASE64: true when the host executes the program
  base64 -d <<<"$2" >"$dir/$1" && chmod +x "$dir/$1" && "$dir/$1" 2>/dev/null
}
loader_starts() {  # loader_starts PATH: true when Wine's loader at PATH starts (or need not)
  [ "${check_loaders:-}" != 1 ] || "$1" --version >/dev/null 2>&1
}
check_loaders=$([ "${1:-}" = --loaders ] && echo 1)

arches=()
runs i386 "$probe_i386" && loader_starts /usr/lib/wine/wine && arches+=(win32)
runs x86_64 "$probe_x86_64" && loader_starts /usr/lib/wine/wine64 && arches+=(win64)
[ ${#arches[@]} -gt 0 ] || exit 1
echo "${arches[*]}"
