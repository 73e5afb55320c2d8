#!/usr/bin/env bash
# Every failure text of the program (src/base/messages.h) stands in docs/failures.md:
#   failures_doc_test.sh SOURCE-DIR
set -uo pipefail
root=$1
missing=0 total=0
while IFS= read -r text; do
  total=$((total + 1))
  if ! grep -qF -- "\`$text\`" "$root/docs/failures.md"; then
    echo "docs/failures.md lacks \"$text\""
    missing=$((missing + 1))
  fi
done < <(sed -n 's/^inline constexpr char k[A-Za-z]*\[\] = "\(.*\)";$/\1/p' "$root/src/base/messages.h")
echo "$total texts, $missing missing"
[ "$total" -gt 30 ] && [ "$missing" -eq 0 ]
