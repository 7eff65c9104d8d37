#!/bin/bash
# Builds the benchmarks and runs them under Wine, one line each:
#   NAME ratio R target T
# R is the benchmark's time over its baseline's, both measured in the same run.
#
#   scripts/bench.sh [NAME...]      (default: every bench/NAME_bench.cpp)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=build/bench
prefix=$build/wineprefix

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in bench/*_bench.cpp; do
    n=$(basename "$f")
    names+=("${n%_bench.cpp}")
  done
fi

cmake --preset mingw-x86_64 -B "$build" -DGENBA_BUILD_BENCH=ON -DGENBA_BUILD_TESTS=OFF >/dev/null
targets=()
for n in "${names[@]}"; do targets+=("bench_$n"); done
cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null

scripts/wine-run.sh --prefix "$prefix" --setup
trap 'scripts/wine-run.sh --prefix "$prefix" --stop' EXIT
status=0
for n in "${names[@]}"; do
  line=$(scripts/wine-run.sh --prefix "$prefix" "$build/bin/bench_$n.exe" | tr -d '\r' | grep "^$n ratio" || true)
  if [ -z "$line" ]; then
    echo "$n ratio ? target ? (no result)"
    status=1
  else
    echo "$line"
  fi
done
exit $status
