#!/usr/bin/env bash
# Builds the benchmarks optimised, without sanitizers (build/bench), and runs them. Arguments
# are passed to each benchmark program (e.g. --benchmark_filter=RoundTrip).
#   scripts/bench.sh [BENCHMARK OPTIONS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${DLG_JOBS:-2}

"$root/scripts/setup.sh"
cmake -S . -B build/bench -DDLG_BENCH=ON -DDLG_SANITIZE=OFF -DDLG_FUZZ=OFF \
  -DCMAKE_BUILD_TYPE=Release >build/bench-configure.log 2>&1 ||
  { cat build/bench-configure.log; exit 1; }

status=0
for source in tests/bench/bench_*.cpp; do
  target=$(basename "$source" .cpp)
  cmake --build build/bench -j "$jobs" --target "$target"
  echo
  echo "==> $target"
  build/bench/tests/bench/"$target" "$@" || status=1
done
exit $status
