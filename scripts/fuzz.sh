#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (build/fuzz, with address and undefined-
# behaviour sanitizers) and runs each for SECONDS (default 60) on a scratch copy of its seed
# corpus, so the seeds in tests/fuzz/corpus stay as they are. Prints per target how long it ran
# and whether it found anything; a finding's input is kept under build/fuzz/findings/<target>/.
# All targets share one dictionary of component text words (tests/fuzz/component_text.dict).
#   scripts/fuzz.sh [SECONDS]
# Exit status 1 when any target found something or failed to build.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
jobs=${DLG_JOBS:-2}

"$root/scripts/setup.sh" || exit 1

cmake -S . -B build/fuzz -DDLG_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >build/fuzz-configure.log 2>&1 ||
  { cat build/fuzz-configure.log; exit 1; }

targets=()
for source in tests/fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done

results=()
status=0
for target in "${targets[@]}"; do
  echo "==> $target"
  if ! cmake --build build/fuzz -j "$jobs" --target "$target"; then
    results+=("$(printf '  %-22s %s' "$target" "BUILD FAILED")")
    status=1
    continue
  fi
  scratch=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  rm -rf "$scratch"
  mkdir -p "$scratch" "$findings"
  cp tests/fuzz/corpus/"$target"/* "$scratch"/
  log=build/fuzz/$target.log
  start=$SECONDS
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
    build/fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -dict=tests/fuzz/component_text.dict -artifact_prefix="$findings/" \
    "$scratch" >"$log" 2>&1
  rc=$?
  took=$((SECONDS - start))
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || true)
  if [ $rc -eq 0 ]; then
    outcome="nothing found"
  else
    outcome="FOUND SOMETHING (exit $rc): $(ls "$findings" | head -3 | tr '\n' ' ')see $log"
    status=1
    grep -E 'ERROR|fuzz finding|terminate|SUMMARY' "$log" | head -5
  fi
  results+=("$(printf '  %-22s %4d s  %10s runs  %s' "$target" "$took" "${runs:-?}" "$outcome")")
done

echo
echo "fuzz summary (${seconds} s per target):"
printf '%s\n' "${results[@]}"
exit $status
