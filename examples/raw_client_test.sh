#!/usr/bin/env bash
# Runs examples/raw_client.exe against the real server, one line per case:
#   raw_client_test.sh WINE-GUI-RUN RAW_CLIENT.exe WORK-DIR
set -u
run=$1 client=$2 work=$3
mkdir -p "$work"
failures=0

# label | command-line class | request text (\r\n for CR LF) | answer | exit status | in the output
cases=(
  "accepted|TColorDialog|object Colors: TColorDialog\r\n  HelpContext = 12\r\nend\r\n|ok|0|object Colors: TColorDialog\r\n  Ctl3D = True\r\n  HelpContext = 12\r\n"
  "cancelled|TColorDialog|object Colors: TColorDialog\r\nend\r\n|cancel|1|object Colors: TColorDialog\r\n"
  "the class in the text plays no part|TColorDialog|object Colors: TNoSuchDialog\r\nend\r\n|cancel|1|object Colors: TColorDialog\r\n"
  "unknown command-line class: failure report|TNoSuchDialog|object Colors: TColorDialog\r\nend\r\n|ok|2|failure: Class TNoSuchDialog not found."
  "reserved name: failure report|TColorDialog|object OpenDialog1: TColorDialog\r\nend\r\n|ok|2|failure: A component named OpenDialog1 already exists."
)
for entry in "${cases[@]}"; do
  IFS='|' read -r label class request answer status expected <<<"$entry"
  printf '%b' "$request" >"$work/request.txt"
  "$run" "$client" "$class" "Z:${work//\//\\}\\request.txt" "$answer" \
    >"$work/out.txt" 2>"$work/err.txt" </dev/null
  got=$?
  # The reply must end in CR LF and hold the expected lines; a failure's text is on stderr.
  if [ "$got" != "$status" ]; then
    echo "FAIL $label: exit $got, expected $status"; cat "$work/err.txt"; failures=$((failures + 1)); continue
  fi
  if ! perl -0777 -e '$w = shift; $all = join "", map { local @ARGV = ($_); <> } @ARGV; exit(index($all, $w) < 0)' \
       "$(printf '%b' "$expected")" "$work/out.txt" "$work/err.txt"; then
    echo "FAIL $label: no \"$expected\" in"; cat "$work/out.txt" "$work/err.txt"; failures=$((failures + 1)); continue
  fi
  if [ "$status" -le 1 ] && [ "$(tail -c 5 "$work/out.txt" | od -An -c | tr -d ' ')" != 'end\r\n' ]; then
    echo "FAIL $label: the reply does not end with \"end\" CR LF"; failures=$((failures + 1)); continue
  fi
  echo "ok   $label"
done
[ "$failures" -eq 0 ]
