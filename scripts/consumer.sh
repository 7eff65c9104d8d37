#!/bin/bash
# Installs a Windows build (x86_64 unless named), builds examples/consumer against the
# installed package through find_package, and runs it under Wine.
#   consumer.sh [x86_64|i686]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
build=$root/build/mingw-$arch
install=$build/install
emulator=()
[ "$arch" = i686 ] && emulator=(--32bit)
cmake --install "$build" --prefix "$install" >/dev/null
cbuild=$root/build/consumer-$arch
cmake -S "$root/examples/consumer" -B "$cbuild" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
  -DCMAKE_PREFIX_PATH="$install" >/dev/null
cmake --build "$cbuild"
out=$("$root/scripts/wine-run.sh" --prefix "$build/wineprefix" "${emulator[@]}" "$cbuild/consumer.exe")
echo "$out"
tr -d '\r' <<<"$out" | grep -q '^consumer: ok$'
