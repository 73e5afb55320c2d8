#!/usr/bin/env bash
# The comptext command-line contract: exact bytes on success, exit 1 with "comptext: <message>"
# as the last line of standard error on failure (and OUT left alone), exit 2 for usage errors.
# Usage: comptext_cli_test.sh [RUNNER...] COMPTEXT   (RUNNER runs a Windows build under Wine)
set -u
comptext=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passed=0

check() {  # name expected actual
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failures=$((failures + 1))
    printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

run() {  # args... ; stdin from $work/in ; sets rc, out (hex), err_last
  "${comptext[@]}" "$@" <"$work/in" >"$work/out" 2>"$work/err"
  rc=$?
  out=$(od -An -tx1 -v "$work/out" | tr -d ' \n')
  err_last=$(tail -n 1 "$work/err" | tr -d '\r')
}

printf 'object X: TOpenDialog\nend\n' >"$work/in"
run to-binary
check "to-binary exit" 0 "$rc"
check "to-binary bytes" "545046300b544f70656e4469616c6f6701580000" "$out"

printf 'TPF0\x0bTOpenDialog\x01X\x00\x00' >"$work/in"
run to-text - -
check "to-text exit" 0 "$rc"
check "to-text bytes" "$(printf 'object X: TOpenDialog\r\nend\r\n' | od -An -tx1 -v | tr -d ' \n')" "$out"

printf 'object D: TOpenDialog\r\n  filename = '"'"'C:\\a.txt'"'"'\r\nend\r\n' >"$work/in"
run roundtrip topendialog
check "roundtrip exit" 0 "$rc"
check "roundtrip bytes" \
  "$(printf 'object D: TOpenDialog\r\n  FileEditStyle = fsEdit\r\n  FileName = '"'"'C:\\a.txt'"'"'\r\nend\r\n' | od -An -tx1 -v | tr -d ' \n')" \
  "$out"

# Files as IN and OUT.
cp "$work/in" "$work/request.txt"
: >"$work/in"
"${comptext[@]}" roundtrip TOpenDialog "$work/request.txt" "$work/reply.txt" </dev/null >/dev/null 2>&1
check "roundtrip to file exit" 0 "$?"
check "roundtrip to file" "$(printf 'object D: TOpenDialog\r\n  FileEditStyle = fsEdit\r\n  FileName = '"'"'C:\\a.txt'"'"'\r\nend\r\n')" \
  "$(cat "$work/reply.txt")"

# Failures: exit 1, the message as the last line, nothing written to OUT.
printf 'object D: TOpenDialog\n  Foo = 1\nend\n' >"$work/in"
echo keep >"$work/kept.txt"
run roundtrip TOpenDialog - "$work/kept.txt"
check "unknown property exit" 1 "$rc"
check "unknown property message" "comptext: Error reading D.Foo: Property does not exist" "$err_last"
check "failed run leaves OUT alone" "keep" "$(cat "$work/kept.txt")"

printf 'object D: TOpenDialog\n  X = \n' >"$work/in"
run to-binary
check "syntax error exit" 1 "$rc"
check "syntax error message" "comptext: Invalid property value on line 3" "$err_last"

printf 'TPF0\x0bTOpenDialog' >"$work/in"
run to-text
check "truncated binary exit" 1 "$rc"
check "truncated binary message" "comptext: Stream read error" "$err_last"

printf 'object D: TPrintDialog\n  Copies = 2\nend\n' >"$work/in"
run roundtrip TPrintDialog
check "no printer message" "comptext: Error reading D.Copies: There is no default printer currently selected" "$err_last"

run roundtrip TNoSuchDialog
check "unknown class exit" 1 "$rc"
check "unknown class message" "comptext: Class TNoSuchDialog not found" "$err_last"

run to-text "$work/does-not-exist"
check "missing input exit" 1 "$rc"

# Usage errors.
for args in "" "frobnicate" "roundtrip" "to-text a b c"; do
  # shellcheck disable=SC2086
  run $args
  check "usage exit for '$args'" 2 "$rc"
done

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
