#!/bin/bash
# Installs what is missing, builds both Windows targets and the native sanitizer build,
# runs every test on x86_64 and on i686 (under 32-bit Wine), runs the consumer example on
# both, and the native tests. Non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
started=$SECONDS
phase() { echo "== $* (at $((SECONDS - started)) s)"; }

scripts/install-deps.sh

prefixes=()
stop_servers() {
  local p
  for p in "${prefixes[@]}"; do scripts/wine-run.sh --prefix "$p" --stop; done
}
trap stop_servers EXIT

for arch in x86_64 i686; do
  phase "build: mingw-$arch"
  cmake --preset "mingw-$arch" >/dev/null
  cmake --build --preset "mingw-$arch" -j"$jobs"

  prefix=$root/build/mingw-$arch/wineprefix
  prefixes+=("$prefix")
  scripts/wine-run.sh --prefix "$prefix" --setup

  phase "test: mingw-$arch under Wine"
  ctest --preset "mingw-$arch" -j"$jobs"

  phase "consumer example through the installed package: $arch"
  scripts/consumer.sh "$arch"
done

if [ -x scripts/native-test.sh ]; then
  phase "native: sanitizers and brief fuzzing"
  scripts/native-test.sh
fi
phase "all tests passed"
