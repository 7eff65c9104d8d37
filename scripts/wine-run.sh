#!/bin/bash
# Runs a Windows program under wine64 for the tests: a private prefix (made once, then
# reused), headless through Wine's null graphics driver, Japanese locale so that the
# ANSI code page is 932, quiet, and one persistent wineserver for the whole run.
#
#   wine-run.sh --prefix DIR [--32bit] PROGRAM [ARGS...]
#   wine-run.sh --prefix DIR --setup     (make the prefix and start the server only)
#   wine-run.sh --prefix DIR --stop      (end the persistent server)
set -euo pipefail

prefix=
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix=$2; shift 2 ;;
    # The tests leave out what the emulator cannot do (see tests/support/testsupport.h).
    --32bit) grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386 && export GENBA_EMULATED_32BIT=1
             shift ;;
    *) break ;;
  esac
done
[ -n "$prefix" ] || { echo "wine-run.sh: --prefix DIR is required" >&2; exit 2; }
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)

export WINEPREFIX=$prefix
export WINEDEBUG=${GENBA_WINEDEBUG:--all}
export WINEARCH=win64
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# No Mono or Gecko installers, no display.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
# The scratch area the tests may change; the runner's fixtures point into it.
export GENBA_SCRATCH_UNIX="$prefix/genba-scratch"

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

make_prefix() {
  "$WINE" wineboot --init </dev/null >/dev/null 2>&1
  "$WINESERVER" -w
  "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
  local font
  for font in "ＭＳ Ｐゴシック" "MS UI Gothic"; do
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d IPAPGothic /f </dev/null >/dev/null 2>&1
  done
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "ＭＳ ゴシック" /d IPAGothic /f </dev/null >/dev/null 2>&1
  install_marlett
  "$WINESERVER" -w
  # Fixtures the tests use: two UNC shares and a drive letter, all in the scratch area.
  mkdir -p "$GENBA_SCRATCH_UNIX/unc/genbasrv/share" "$GENBA_SCRATCH_UNIX/unc/genbasrv/data" \
           "$GENBA_SCRATCH_UNIX/drive-t" "$prefix/dosdevices/unc/genbasrv"
  ln -sfn "$GENBA_SCRATCH_UNIX/unc/genbasrv/share" "$prefix/dosdevices/unc/genbasrv/share"
  ln -sfn "$GENBA_SCRATCH_UNIX/unc/genbasrv/data" "$prefix/dosdevices/unc/genbasrv/data"
  ln -sfn "$GENBA_SCRATCH_UNIX/drive-t" "$prefix/dosdevices/t:"
}

# Caption buttons are drawn with Marlett, which Debian's Wine keeps only in its own data
# folder: the prefix gets a copy (prefixes made before this get it on their next run).
install_marlett() {
  local fonts="$prefix/drive_c/windows/Fonts" src=/usr/share/wine/fonts/marlett.ttf
  [ -f "$fonts/marlett.ttf" ] || [ ! -f "$src" ] && return 0
  mkdir -p "$fonts"
  cp "$src" "$fonts/.marlett.$$" && mv -f "$fonts/.marlett.$$" "$fonts/marlett.ttf"
}

ensure_prefix() {
  if [ -f "$prefix/.genba-ready" ]; then install_marlett; return 0; fi
  (
    flock 9
    if [ ! -f "$prefix/.genba-ready" ]; then
      make_prefix
      touch "$prefix/.genba-ready"
    fi
  ) 9>"$prefix.lock"
}

ensure_server() {
  # Started with its streams closed: otherwise it holds ctest's pipes open.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
}

ensure_prefix
case "${1:-}" in
  --setup) ensure_server; "$WINE" wineboot </dev/null >/dev/null 2>&1; exit 0 ;;
  --stop) "$WINESERVER" -k 2>/dev/null || true; exit 0 ;;
esac
ensure_server
# The program's streams go to files, not to the caller's pipes: Wine's desktop process,
# started by the first program that makes a window, inherits them and outlives the program,
# and a caller waiting for the pipes to close (ctest) would wait for the desktop.
out=$(mktemp "${TMPDIR:-/tmp}/genba-out.XXXXXX") err=$(mktemp "${TMPDIR:-/tmp}/genba-err.XXXXXX")
trap 'rm -f "$out" "$err"' EXIT
run() { rc=0; "$WINE" "$@" >"$out" 2>"$err" || rc=$?; }
run "$@"
# Wine's own start-up failures (its messages begin "wine: ") have been seen now and then
# right after the prefix started; the program never ran, so it is started once more.
if [ "$rc" -ne 0 ] && [ ! -s "$out" ] && grep -q '^wine: ' "$err"; then
  cat "$err" >&2
  echo "wine-run.sh: Wine did not start the program; starting it again" >&2
  sleep 1
  run "$@"
fi
cat "$out"; cat "$err" >&2
exit "$rc"
