#!/bin/bash
# Installs the x86_64 build, builds examples/consumer against the installed package
# through find_package, and runs it under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/mingw-x86_64
install=$build/install
cmake --install "$build" --prefix "$install" >/dev/null
cbuild=$root/build/consumer
cmake -S "$root/examples/consumer" -B "$cbuild" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DCMAKE_PREFIX_PATH="$install" >/dev/null
cmake --build "$cbuild"
out=$("$root/scripts/wine-run.sh" --prefix "$build/wineprefix" "$cbuild/consumer.exe")
echo "$out"
tr -d '\r' <<<"$out" | grep -q '^consumer: ok$'
