#!/bin/bash
# Fuzzes every target of the pure code for SECONDS each (libFuzzer, with AddressSanitizer
# and UndefinedBehaviorSanitizer) and keeps every input that makes a target fail as a
# regression test in fuzz/regressions/<target>/, which the native ctest replays.
#   scripts/fuzz.sh SECONDS [TARGET...]                 builds the native-fuzz preset
#   scripts/fuzz.sh --build-dir DIR SECONDS [TARGET...]  uses fuzz targets already built
# Targets: cstring pathops netnames extnum wildcard (default: all). Non-zero on a finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build=
if [ "${1:-}" = "--build-dir" ]; then
  build=$2
  shift 2
fi
if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]] || [ "$1" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [--build-dir DIR] SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(cstring pathops netnames extnum wildcard)

if [ -z "$build" ]; then
  build=$root/build/native-fuzz
  cmake --preset native-fuzz >/dev/null
  cmake --build --preset native-fuzz -j"$(nproc)"
fi
build=$(cd "$build" && pwd)

failed=()
for t in "${targets[@]}"; do
  bin=$build/bin/fuzz_$t
  if [ ! -x "$bin" ]; then
    echo "fuzz: no target $t in $build" >&2
    exit 2
  fi
  work=$build/fuzz-work/$t
  rm -rf "$work/artifacts"
  mkdir -p "$work/corpus" "$work/artifacts"
  dirs=("$work/corpus" "fuzz/corpus/$t")   # new inputs go to the first, never to the seeds
  [ -d "fuzz/regressions/$t" ] && dirs+=("fuzz/regressions/$t")

  start=$(date +%s)
  rc=0
  # libFuzzer stops itself after the time; the outer bound only guards against a hang.
  timeout --signal=KILL $((seconds + 120)) "$bin" -max_total_time="$seconds" -timeout=10 -max_len=4096 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts/" "${dirs[@]}" \
    >"$work/log" 2>&1 || rc=$?
  runs=$(grep -oE '^stat::number_of_executed_units: *[0-9]+' "$work/log" | grep -oE '[0-9]+$' || echo "?")
  found=("$work"/artifacts/*)
  if [ $rc -ne 0 ] || [ -e "${found[0]}" ]; then
    mkdir -p "fuzz/regressions/$t"
    for f in "${found[@]}"; do
      [ -e "$f" ] && cp "$f" "fuzz/regressions/$t/"
    done
    echo "fuzz: $t FAILED (exit $rc) after $(( $(date +%s) - start )) s; kept:" >&2
    for f in "${found[@]}"; do [ -e "$f" ] && echo "  fuzz/regressions/$t/$(basename "$f")" >&2; done
    grep -E 'ERROR|property failed|  at |runtime error|SUMMARY' "$work/log" | head -20 >&2 || true
    echo "  full log: $work/log" >&2
    failed+=("$t")
  else
    echo "fuzz: $t ok, $runs runs in $(( $(date +%s) - start )) s"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}; replay with ctest -R fuzz_replay" >&2
  exit 1
fi
