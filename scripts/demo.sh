#!/bin/bash
# The environment tool on a sample installation: installs what is missing, builds
# genbaenv-tool, makes a sample installation of the suite in a Wine prefix of its own
# (build/demo/wineprefix) and shows its environment, paths, sites and files the way
# every application of the suite sees them. Safe to run again: the sample is remade.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# --- what the build needs ------------------------------------------------------
if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null 2>&1; then
  sudo scripts/install-deps.sh
else
  scripts/install-deps.sh
fi

# --- the tool --------------------------------------------------------------------
build=${GENBA_DEMO_BUILD:-build/mingw-x86_64}   # another build folder of the same preset may be given
mkdir -p build/demo
echo "== building genbaenv-tool ($build; log in build/demo/build.log)"
if ! { cmake --preset mingw-x86_64 -B "$build" && cmake --build "$build" -j"$(nproc)" --target genbaenv-tool; } \
      >build/demo/build.log 2>&1; then
  tail -30 build/demo/build.log
  echo "demo: the build failed; see build/demo/build.log" >&2
  exit 1
fi

prefix=$root/build/demo/wineprefix
scripts/wine-run.sh --prefix "$prefix" --setup
trap 'scripts/wine-run.sh --prefix "$prefix" --stop' EXIT
tool() { scripts/wine-run.sh --prefix "$prefix" "$root/$build/bin/genbaenv-tool.exe" "$@"; }

# --- the sample installation -------------------------------------------------------
echo "== making the sample installation in $prefix"
drive_c=$prefix/drive_c
rm -rf "$drive_c/GenbaOffice" "$drive_c/GenbaData" "$drive_c/users/Public/INFO"
# Registry of the sample: start from nothing (the keys are absent the first time).
tool del machine "" "" --key >/dev/null 2>&1 || true
tool del user "" "" --key >/dev/null 2>&1 || true

# The five homes. The suite's folders below them are named by the path kinds.
for d in Program/PROG Program/MAIN Program/GENBA System/SYSTEM System/FORM System/USERDATA \
         Help/GENBAHLP Temp; do
  mkdir -p "$drive_c/GenbaOffice/$d"
done
# A data path: numbered folders (branches) holding numbered sites; the extension
# carries the number, the rest of the name is the name users see.
data=$drive_c/GenbaData
site=$data/東京支店.001/新宿駅前ビル新築工事.001
mkdir -p "$site/MAIN" "$site/CAD" "$site/BACKUP" \
         "$data/東京支店.001/渋谷ﾀﾜｰ改修.002/MAIN" \
         "$data/大阪支店.002/梅田再開発.001/MAIN" \
         "$data/ﾃｽﾄ用.01A"
# Numbered files of the site: the name before the extension is each file's memo.
printf '見積 一式\r\n' >"$site/MAIN/見積書(第2版).001"
printf '工程\r\n' >"$site/MAIN/工程表.002"
printf '安全\r\n' >"$site/MAIN/安全書類.003"
printf 'ﾘｽﾄ\r\n' >"$site/MAIN/図面ﾘｽﾄ.00A"
printf 'jpeg\r\n' >"$site/MAIN/外観写真.JPG"
printf '施主打合せ: 5/20 10時\r\n' >"$site/MAIN/打合せメモ.TXT"

# Homes and the server setting in the machine's setup section, through the library.
setup=SetupLocal
tool set machine "$setup" "" HomeProgram --str 'C:\GenbaOffice\Program' >/dev/null
tool set machine "$setup" "" HomeSystem --str 'C:\GenbaOffice\System' >/dev/null
tool set machine "$setup" "" HomeData --str 'C:\GenbaData' >/dev/null
tool set machine "$setup" "" HomeHelp --str 'C:\GenbaOffice\Help' >/dev/null
tool set machine "$setup" "" HomeTemp --str 'C:\GenbaOffice\Temp' >/dev/null
tool set machine "$setup" "" ServerQMS --str '*' >/dev/null
# A per-user override: this user keeps the system forms (system.form, 02040000) elsewhere.
mkdir -p "$drive_c/users/Public/帳票"
tool set user "" Environ 02040000 --str 'C:\users\Public\帳票'
# The current work: the data path, folder 1 (東京支店), site 1.
tool work set --data 'C:\GenbaData' --folder 1 --site 1 >/dev/null
# Version information: the installation's addition to every program's version line, and
# what installed components tell the version box, one INI file each in the INFO folder
# beside the program's PROG folder or beside the (here redirected) system forms folder.
# The suite's INI files are CP932.
cp932() { iconv -f UTF-8 -t CP932; }
mkdir -p "$drive_c/GenbaOffice/Program/INFO" "$drive_c/users/Public/INFO"
printf '[Version]\r\nAddString=SP1\r\n[Information]\r\nSupport=ｻﾎﾟｰﾄ窓口 03-1234-5678 (平日 9:00-17:00)\r\n' |
  cp932 >"$drive_c/GenbaOffice/Program/PROG/VERSION.INF"
printf '[Information]\r\n積算ﾓｼﾞｭｰﾙ=Version 3.2.1~ﾗｲｾﾝｽ 10 ﾕｰｻﾞｰ\r\n帳票ﾃﾞｻﾞｲﾅ=Version 1.8\r\n' |
  cp932 >"$drive_c/GenbaOffice/Program/INFO/積算.INF"
printf '[Information]\r\nPlotter=HP DesignJet T830~Port USB001\r\n' | cp932 >"$drive_c/users/Public/INFO/plotter.INF"

# scripts/screens.sh paints the dialogs on the sample: it needs nothing more.
[ "${1:-}" = "--sample-only" ] && exit 0

# --- the environment, as every application sees it ----------------------------------
run() {
  local shown=() a
  for a in "$@"; do
    if [[ $a =~ ^[A-Za-z0-9._+=:/-]+$ ]]; then shown+=("$a"); else shown+=("'$a'"); fi
  done
  echo
  echo "\$ genbaenv-tool ${shown[*]}"
  tool "$@"
}
run show
run paths
run tree
run files site.main
run files site.main '写真|.JPG|メモ|.TXT'
run path site.main system.form+VQA --json
run version
echo
echo "== done. The tool itself: $build/bin/genbaenv-tool.exe (run it with"
echo "   scripts/wine-run.sh --prefix build/demo/wineprefix $build/bin/genbaenv-tool.exe --help)"
echo "   Pictures of the library's dialogs on this sample: docs/screens (scripts/screens.sh makes them anew)."
