#!/usr/bin/env bash
# Shows what the server does with a request, minus the dialog: `comptext roundtrip` turns sample
# requests (scripts/samples/) into the replies the server would send for an open, a font and a
# colour dialog, then `comptext to-binary` shows the binary component form of one sample as a
# hex dump and `comptext to-text` turns it back into text.
#   scripts/demo-comptext.sh   (scripts/demo.sh shows the server itself)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
samples=scripts/samples

"$root/scripts/setup.sh"
if ! [ -f build/native/CMakeCache.txt ]; then
  cmake -S . -B build/native >/dev/null
fi
cmake --build build/native -j "${DLG_JOBS:-2}" --target comptext >/dev/null
comptext=build/native/tools/comptext

# Component text uses CR LF line ends: show them as plain line ends.
show() { tr -d '\r'; }

for pair in TOpenDialog:open_dialog.txt TFontDialog:font_dialog.txt \
            TColorDialog:color_dialog.txt; do
  class=${pair%%:*}
  request=$samples/${pair#*:}
  echo
  echo "=== request: $request"
  show <"$request"
  echo "=== reply: comptext roundtrip $class $request"
  "$comptext" roundtrip "$class" "$request" | show ||
    echo "(comptext failed: the message above is its report)"
done

request=$samples/font_dialog.txt
echo
echo "=== binary form: comptext to-binary $request | hexdump -C"
"$comptext" to-binary "$request" | hexdump -C
echo "=== and back: comptext to-binary $request | comptext to-text"
"$comptext" to-binary "$request" | "$comptext" to-text | show
