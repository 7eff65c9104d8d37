#!/bin/bash
# The planted-fault run: proof that the tests catch the faults they are there for.
#
#   scripts/faults.sh [ID...]     every fault of tests/faults (or the ones named)
#   scripts/faults.sh --list      the faults, one line each
#
# Each tests/faults/<id>.patch starts with a few header lines, then a patch against the
# source (as `git diff` writes it):
#   Fault: what goes wrong
#   Targets: CMake targets to rebuild (one DLL or one test program, not the tree)
#   Tests: the test programs to run
#   Filter: a gtest filter (optional)
#   Timeout: seconds for each test program, for a fault that hangs (optional)
#
# The source is copied into build/faults/src and built once (x86_64, tests on, -O1) in
# build/faults/build. For each fault the script applies its patch there, rebuilds the
# targets and the test programs, runs the programs under a timeout (a hang counts as
# caught), reverts the patch and prints one line: caught or survived, by which test,
# how long. The exit status is non-zero when a fault survived or could not be planted.
# Needs what scripts/test.sh installs; it never calls scripts/test.sh itself.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
faultdir=$root/tests/faults
work=$root/build/faults
src=$work/src
bld=$work/build
prefix=$work/wineprefix
timeout_s=${GENBA_FAULT_TIMEOUT:-240}
jobs=$(nproc)

# git apply, kept from finding the repository around the scratch tree.
papply() { (cd "$src" && GIT_CEILING_DIRECTORIES=$work git apply "$@"); }
header() { sed -n "s/^$2: *//p;/^diff --git/q" "$1" | head -n 1; }

if [ "${1:-}" = "--list" ]; then
  for f in "$faultdir"/*.patch; do
    printf '%-34s %s\n' "$(basename "$f" .patch)" "$(header "$f" Fault)"
  done
  exit 0
fi

# A copy of the source as it stands, uncommitted changes included; the faults are read
# from the copy too, so that editing the tree during a run changes nothing of it. A file
# copied gets the time of the copy: with the source's own time, one older than the
# scratch build's objects (a file put back as it was) would not be rebuilt.
mkdir -p "$src"
git ls-files -co --exclude-standard -z | grep -zv '^build/' |
  rsync -a --no-times --checksum --delete-missing-args --from0 --files-from=- ./ "$src"/
faultdir=$src/tests/faults

ids=("$@")
if [ ${#ids[@]} -eq 0 ]; then
  for f in "$faultdir"/*.patch; do ids+=("$(basename "$f" .patch)"); done
fi

# Optimised lightly and without debug information: each fault relinks a DLL and a test
# program, and that is most of a fault's time.
echo "faults: building the scratch tree (x86_64, tests on)"
cmake -S "$src" -B "$bld" --toolchain "$src/cmake/toolchain-mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELEASE=-O1 -DNDEBUG" \
  -DGENBA_BUILD_TESTS=ON >/dev/null || exit 2
cmake --build "$bld" -j"$jobs" >"$work/build.log" 2>&1 || { tail -n 30 "$work/build.log"; exit 2; }

scripts/wine-run.sh --prefix "$prefix" --setup
trap 'scripts/wine-run.sh --prefix "$prefix" --stop' EXIT

results=$work/results.txt
: >"$results"
survived=0
broken=0
start_all=$(date +%s)

run_one() {
  local id=$1 file=$faultdir/$1.patch
  local targets tests filter limit t0 verdict="SURVIVED" by=""
  [ -f "$file" ] || { echo "no such fault: $id"; return 2; }
  targets=$(header "$file" Targets)
  tests=$(header "$file" Tests)
  filter=$(header "$file" Filter)
  limit=$(header "$file" Timeout)
  t0=$(date +%s)
  if ! papply "$file" 2>"$work/apply.log"; then
    printf 'BROKEN    %-34s the patch does not apply: %s\n' "$id" "$(head -n 1 "$work/apply.log")"
    return 2
  fi
  # shellcheck disable=SC2086
  if ! cmake --build "$bld" -j"$jobs" --target $targets $tests >"$work/fault-build.log" 2>&1; then
    verdict="BROKEN"
    by="(does not build)"
  else
    local t out status
    for t in $tests; do
      out=$work/$id.$t.log
      local args=()
      [ -n "$filter" ] && args+=("--gtest_filter=$filter")
      timeout -k 10 "${limit:-$timeout_s}" scripts/wine-run.sh --prefix "$prefix" "$bld/bin/$t.exe" "${args[@]}" \
        >"$out" 2>&1 </dev/null
      status=$?
      if [ $status -eq 124 ] || [ $status -eq 137 ]; then
        verdict="caught"
        by="$t (hang)"
        break
      elif [ $status -ne 0 ]; then
        verdict="caught"
        by=$(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_./]*' "$out" | sed 's/\[  FAILED  \] //')
        by="${by:-$t (exit $status)}"
        break
      fi
    done
  fi
  if ! papply -R "$file" 2>"$work/apply.log"; then
    echo "faults: $id could not be taken out again; the scratch tree is no longer the source" >&2
    exit 2
  fi
  printf '%-9s %-34s %-60s %4ss\n' "$verdict" "$id" "$by" "$(( $(date +%s) - t0 ))" | tee -a "$results"
  case "$verdict" in
    caught) return 0 ;;
    SURVIVED) return 1 ;;
    *) return 2 ;;
  esac
}

for id in "${ids[@]}"; do
  run_one "$id"
  case $? in
    1) survived=$((survived + 1)) ;;
    2) broken=$((broken + 1)) ;;
  esac
done

# Leave the scratch tree as the source is, for the next run.
cmake --build "$bld" -j"$jobs" >"$work/build.log" 2>&1
total=${#ids[@]}
echo "faults: $((total - survived - broken)) of $total caught, $survived survived, $broken broken," \
  "$(( $(date +%s) - start_all ))s; results in build/faults/results.txt"
[ $survived -eq 0 ] && [ $broken -eq 0 ]
