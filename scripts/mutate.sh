#!/usr/bin/env bash
# Mutation check of the tests: applies each fault of a list (default scripts/mutations.txt) alone
# to a scratch copy of the working tree, rebuilds there incrementally and runs the tests that
# must catch it. A fault survives when they all still pass. One fault a line:
#   FILE ||| TEXT ||| REPLACEMENT                      the native build's tests must catch it
#   FILE ||| TEXT ||| REPLACEMENT ||| win: TEST...     these Windows test programs (CTest names)
#                                                      must, run under Wine; TEST:FILTER runs
#                                                      only the program's tests the GoogleTest
#                                                      filter matches
# Windows faults use the Windows build the host runs (the 32-bit one where it runs 32-bit code,
# else the 64-bit one; DLG_WINEARCH chooses). Prints caught or survived per fault and a summary;
# exits 1 if any fault survived or could not be applied. Not part of CI (a run with the Windows
# faults took 44 minutes from nothing on two cores, most of it building): run it before calling a
# suite done.
#   scripts/mutate.sh [LIST] [-- CTEST-ARGS...]   (CTEST-ARGS go to the native runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"
list=${1:-$root/scripts/mutations.txt}
[[ $# -gt 0 ]] && shift
[[ ${1:-} == -- ]] && shift
scratch=$root/build/mutate
tree=$scratch/tree
build=$scratch/native
jobs=${JOBS:-2}

# A fresh copy of the tracked and new files; the build directories are kept for incremental builds.
rm -rf "$tree"
mkdir -p "$tree"
(cd "$root" && git ls-files -co --exclude-standard -z | grep -zv '^build/' | tar -cf - --null -T -) |
  tar -xf - -C "$tree"
# A run that did not end cleanly may have left objects built from a fault: build everything anew.
if [[ ! -f $scratch/clean ]]; then
  find "$tree" -type f -exec touch {} +
fi
rm -f "$scratch/clean"
cmake -S "$tree" -B "$build" -DDLG_SANITIZE=ON >"$scratch/configure.log"
echo "mutate: building the unchanged copy"
cmake --build "$build" -j"$jobs" >"$scratch/build.log" 2>&1 || { echo "mutate: the unchanged copy does not build"; exit 2; }
ctest --test-dir "$build" --timeout 120 "$@" >"$scratch/test.log" 2>&1 ||
  { echo "mutate: the unchanged copy fails its tests (see $scratch/test.log)"; exit 2; }

# The Windows build, set up at the first Windows fault.
arch= winbuild=
windows_tests() {  # windows_tests TEST[:FILTER]...: runs these CTest tests of the Windows build,
  local test filter  # each only its GoogleTest cases FILTER matches when given; stops at a failure
  : >"$scratch/wintest.log"
  for test in "$@"; do
    filter='*'
    [[ $test == *:* ]] && filter=${test#*:}
    GTEST_FILTER=$filter ctest --test-dir "$winbuild" --timeout 300 -R "^${test%%:*}\$" >>"$scratch/wintest.log" 2>&1 ||
      return 1
  done
}
prepare_windows() {
  [[ -n $winbuild ]] && return 0
  arch=$(dlg_run_arch)
  winbuild=$scratch/$arch
  echo "mutate: building the unchanged copy for Windows ($arch)"
  cmake -S "$tree" -B "$winbuild" -DCMAKE_TOOLCHAIN_FILE="$(dlg_toolchain "$arch")" \
    -DDLG_HOST_COMPTEXT="$build/tools/comptext" >"$scratch/winconfigure.log" 2>&1
  cmake --build "$winbuild" -j"$jobs" >"$scratch/winbuild.log" 2>&1 ||
    { echo "mutate: the unchanged copy does not build for Windows"; exit 2; }
  # Every program a Windows fault names must pass on the unchanged copy.
  local named
  named=$(sed -n 's/.*||| win: *//p' "$list" | tr ' ' '\n' | sed 's/:.*//' | sort -u | xargs)
  windows_tests $named || { echo "mutate: the unchanged copy fails $named (see $scratch/wintest.log)"; exit 2; }
}

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
# The list is read on its own descriptor: what the tests start (Wine) reads standard input.
while IFS= read -r line <&3 || [[ -n $line ]]; do
  [[ -z ${line// } || $line == \#* ]] && continue
  file=${line%% ||| *}
  rest=${line#* ||| }
  find=${rest%% ||| *}
  rest=${rest#* ||| }
  repl=${rest%% ||| win:*}
  tests=
  [[ $rest == *" ||| win:"* ]] && tests=$(xargs <<<"${rest#* ||| win:}")
  total=$((total + 1))
  label="$file: '$find' -> '$repl'"
  [[ -n $tests ]] && prepare_windows
  cp "$tree/$file" "$scratch/original"
  if ! apply "$tree/$file" "$find" "$repl" 2>"$scratch/apply.log"; then
    broken+=("$label ($(cat "$scratch/apply.log"))")
    echo "[$total] NOT APPLIED $label"
    continue
  fi
  if [[ -n $tests ]]; then
    if ! cmake --build "$winbuild" -j"$jobs" >"$scratch/winbuild.log" 2>&1; then
      result="caught (does not build)"
    elif windows_tests $tests; then
      result="SURVIVED ($tests, $arch)"
    else
      result="caught by $(grep -E '^\s+[0-9]+ - ' "$scratch/wintest.log" | awk '{print $3}' | paste -sd, -) ($arch)"
    fi
  elif ! cmake --build "$build" -j"$jobs" >"$scratch/build.log" 2>&1; then
    result="caught (does not build)"
  elif ctest --test-dir "$build" --timeout 120 "$@" >"$scratch/test.log" 2>&1; then
    result="SURVIVED"
  else
    result="caught by $(grep -E '^\s+[0-9]+ - ' "$scratch/test.log" | awk '{print $3}' | paste -sd, -)"
  fi
  if [[ $result == SURVIVED* ]]; then survived+=("$label"); else caught=$((caught + 1)); fi
  echo "[$total] $result: $label"
  cp "$scratch/original" "$tree/$file"
done 3<"$list" </dev/null
cmake --build "$build" -j"$jobs" >"$scratch/build.log" 2>&1 || true
[[ -n $winbuild ]] && { cmake --build "$winbuild" -j"$jobs" >"$scratch/winbuild.log" 2>&1 || true; }
touch "$scratch/clean"

echo
echo "mutate: $total faults, $caught caught, ${#survived[@]} survived, ${#broken[@]} not applied"
for s in "${survived[@]}"; do echo "  survived: $s"; done
for b in "${broken[@]}"; do echo "  not applied: $b"; done
[[ ${#survived[@]} -eq 0 && ${#broken[@]} -eq 0 ]]
