#!/bin/bash
# The pure code natively (clang, AddressSanitizer, UndefinedBehaviorSanitizer, leaks):
# builds the native preset, runs its unit tests and the replay of the fuzz seeds and kept
# findings, then fuzzes every target briefly (GENBA_FUZZ_SECONDS each, default 3).
# Non-zero on any failure or finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
if ! command -v clang++ >/dev/null || ! have_pkg libclang-rt-14-dev || [ ! -f /usr/src/googletest/CMakeLists.txt ]; then
  scripts/install-deps.sh
fi

echo "== native: build (clang, ASan + UBSan, fuzz targets)"
cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"

echo "== native: unit tests and fuzz replay"
ctest --preset native

seconds=${GENBA_FUZZ_SECONDS:-3}
echo "== native: fuzzing each target for $seconds s"
scripts/fuzz.sh --build-dir build/native "$seconds"
