#!/usr/bin/env bash
# Mutation check of the native tests: applies each fault of a list (default
# scripts/mutations.txt; one per line, "file ||| text ||| replacement") alone to a scratch copy
# of the working tree, rebuilds the native tests there incrementally and runs them. A fault
# survives when every test still passes. Prints the survivors and a summary; exits 1 if any
# fault survived or could not be applied. Not part of CI: run it before calling a suite done.
#   scripts/mutate.sh [LIST] [-- CTEST-ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=${1:-$root/scripts/mutations.txt}
[[ $# -gt 0 ]] && shift
[[ ${1:-} == -- ]] && shift
scratch=$root/build/mutate
tree=$scratch/tree
build=$scratch/native
jobs=${JOBS:-2}

# A fresh copy of the tracked and new files; the build directory is kept for incremental builds.
rm -rf "$tree"
mkdir -p "$tree"
(cd "$root" && git ls-files -co --exclude-standard -z | grep -zv '^build/' | tar -cf - --null -T -) |
  tar -xf - -C "$tree"
cmake -S "$tree" -B "$build" -DDLG_SANITIZE=ON >"$scratch/configure.log"
echo "mutate: building the unchanged copy"
cmake --build "$build" -j"$jobs" >"$scratch/build.log" 2>&1 || { echo "mutate: the unchanged copy does not build"; exit 2; }
ctest --test-dir "$build" --timeout 120 "$@" >"$scratch/test.log" 2>&1 ||
  { echo "mutate: the unchanged copy fails its tests (see $scratch/test.log)"; exit 2; }

# apply FILE FIND REPLACE: replaces the single occurrence, "\n" standing for a line break.
apply() {
  python3 - "$@" <<'PY'
import sys
path, find, repl = sys.argv[1], sys.argv[2].replace('\\n', '\n'), sys.argv[3].replace('\\n', '\n')
text = open(path).read()
if text.count(find) != 1:
    sys.exit(f"found {text.count(find)} times")
open(path, 'w').write(text.replace(find, repl))
PY
}

total=0 caught=0 survived=() broken=()
while IFS= read -r line || [[ -n $line ]]; do
  [[ -z ${line// } || $line == \#* ]] && continue
  file=${line%% ||| *}
  rest=${line#* ||| }
  find=${rest%% ||| *}
  repl=${rest#* ||| }
  total=$((total + 1))
  label="$file: '$find' -> '$repl'"
  cp "$tree/$file" "$scratch/original"
  if ! apply "$tree/$file" "$find" "$repl" 2>"$scratch/apply.log"; then
    broken+=("$label ($(cat "$scratch/apply.log"))")
    echo "[$total] NOT APPLIED $label"
    continue
  fi
  if ! cmake --build "$build" -j"$jobs" >"$scratch/build.log" 2>&1; then
    result="caught (does not build)"
    caught=$((caught + 1))
  elif ctest --test-dir "$build" --timeout 120 "$@" >"$scratch/test.log" 2>&1; then
    result="SURVIVED"
    survived+=("$label")
  else
    result="caught by $(grep -E '^\s+[0-9]+ - ' "$scratch/test.log" | awk '{print $3}' | paste -sd, -)"
    caught=$((caught + 1))
  fi
  echo "[$total] $result: $label"
  cp "$scratch/original" "$tree/$file"
done <"$list"
cmake --build "$build" -j"$jobs" >"$scratch/build.log" 2>&1 || true

echo
echo "mutate: $total faults, $caught caught, ${#survived[@]} survived, ${#broken[@]} not applied"
for s in "${survived[@]}"; do echo "  survived: $s"; done
for b in "${broken[@]}"; do echo "  not applied: $b"; done
[[ ${#survived[@]} -eq 0 && ${#broken[@]} -eq 0 ]]
