#!/bin/bash
# Regenerates docs/screens/*.png: the library's dialogs on the demo's sample
# installation (scripts/demo.sh), painted headless by genbaenv-tool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/demo.sh --sample-only
build=${GENBA_DEMO_BUILD:-build/mingw-x86_64}
prefix=$root/build/demo/wineprefix
scripts/wine-run.sh --prefix "$prefix" --setup
trap 'scripts/wine-run.sh --prefix "$prefix" --stop' EXIT
mkdir -p docs/screens

# shot NAME DIALOG-ARGUMENTS...: docs/screens/NAME.png (Wine's Z: is the Linux root)
shot() {
  local name=$1
  shift
  local png="Z:${root//\//\\}\\docs\\screens\\$name.png"
  scripts/wine-run.sh --prefix "$prefix" "$root/$build/bin/genbaenv-tool.exe" dialog "$@" --screenshot "$png"
  echo "docs/screens/$name.png"
}

shot open open site.main --select '工程表.002'
shot save-typed save site.main '写真|.JPG|メモ|.TXT' --name '打合せメモ.TXT' --memo ''
shot save-numbered save site.main --name '工程表.002' --memo '工程表'
shot about about
# The compact box: application type 3 for the moment of the picture.
tool() { scripts/wine-run.sh --prefix "$prefix" "$root/$build/bin/genbaenv-tool.exe" "$@"; }
tool set user "" CurrentWork AppType --dword 3 >/dev/null
shot about-compact about --name 現場管理
tool del user "" CurrentWork AppType >/dev/null
shot file-open file-open --kind site.main
shot file-save file-save --kind site.main
shot pick-dir pick-dir --kind site.main --root 'C:\GenbaData'
shot pick-computer pick-computer
