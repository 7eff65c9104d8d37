#!/bin/bash
# Runs every input of the given folders once through a fuzz target (no fuzzing);
# folders that do not exist are skipped. Non-zero when an input fails.
set -euo pipefail
bin=$1
shift
inputs=()
for dir in "$@"; do
  [ -d "$dir" ] || continue
  while IFS= read -r -d '' f; do inputs+=("$f"); done < <(find "$dir" -type f ! -name '.*' -print0 | sort -z)
done
if [ ${#inputs[@]} -eq 0 ]; then
  echo "replay: no inputs"
  exit 0
fi
echo "replay: ${#inputs[@]} inputs through $(basename "$bin")"
exec "$bin" -runs=1 "${inputs[@]}"
