#!/usr/bin/env bash
# dlgserver.exe imports no common dialog library (it loads comdlg32 after its ready notice) and
# carries no symbol table:
#   imports_test.sh OBJDUMP DLGSERVER.EXE
set -uo pipefail
objdump=$1 exe=$2
dump=$("$objdump" -p "$exe") || { echo "cannot read $exe"; exit 1; }
imports=$(grep 'DLL Name:' <<<"$dump" | awk '{print toupper($3)}' | sort | tr '\n' ' ')
echo "imports: $imports"
# The check reads the import table for real: the kernel is always there.
grep -qw KERNEL32.DLL <<<"$imports" || { echo "FAIL: no import table read"; exit 1; }
for dll in COMDLG32.DLL SHELL32.DLL COMCTL32.DLL; do
  if grep -qw "$dll" <<<"$imports"; then
    echo "FAIL: dlgserver.exe imports $dll"
    exit 1
  fi
done
symbols=$("$objdump" -t "$exe" 2>/dev/null | grep -c '^\[' || true)
echo "symbols: $symbols"
echo "size: $(stat -c %s "$exe") bytes"
