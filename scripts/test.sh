#!/bin/bash
# Installs what is missing, builds both Windows targets and the native sanitizer build,
# runs every test, and builds and runs the consumer example. Non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

scripts/install-deps.sh

echo "== build: mingw-x86_64"
cmake --preset mingw-x86_64 >/dev/null
cmake --build --preset mingw-x86_64 -j"$jobs"

echo "== build: mingw-i686 (build and link only)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 -j"$jobs"

prefix=$root/build/mingw-x86_64/wineprefix
scripts/wine-run.sh --prefix "$prefix" --setup
trap 'scripts/wine-run.sh --prefix "$prefix" --stop' EXIT

echo "== test: mingw-x86_64 under Wine"
ctest --preset mingw-x86_64

echo "== consumer example through the installed package"
scripts/consumer.sh

if [ -x scripts/native-test.sh ]; then
  echo "== native: sanitizers and brief fuzzing"
  scripts/native-test.sh
fi
echo "== all tests passed"
