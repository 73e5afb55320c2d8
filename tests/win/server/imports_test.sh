#!/usr/bin/env bash
# dlgserver.exe is a program of the build's architecture, imports no common dialog library (it
# loads comdlg32 after its ready notice), carries no symbol table and stays small:
#   imports_test.sh OBJDUMP DLGSERVER.EXE BITS   (BITS: 32 or 64)
# It needs no Wine, so it runs on every host for both builds.
set -uo pipefail
objdump=$1 exe=$2 bits=$3
# The 32-bit build is the larger (its unwind tables): 534528 bytes once the modern dialog kept
# the classic one's start folder and laid the FSL row out itself.
max_size=$((544 * 1024))
dump=$("$objdump" -p "$exe") || { echo "cannot read $exe"; exit 1; }
format=$("$objdump" -f "$exe" | sed -n 's/.*file format //p')
expected_format=pei-i386
[ "$bits" = 64 ] && expected_format=pei-x86-64
echo "format: $format"
[ "$format" = "$expected_format" ] || { echo "FAIL: a $bits-bit build made a $format program"; exit 1; }
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
[ "$symbols" -eq 0 ] || { echo "FAIL: dlgserver.exe carries $symbols symbols"; exit 1; }
size=$(stat -c %s "$exe")
echo "size: $size bytes"
[ "$size" -le "$max_size" ] || { echo "FAIL: dlgserver.exe is over $max_size bytes"; exit 1; }
