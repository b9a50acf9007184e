#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix of its own whose display DPI (registry
# LogPixels) is DPI. The prefix is made once beside the build's shared one, which stays at
# 96 DPI for every other test; its Wine server is stopped afterwards.
# Usage: at-dpi.sh DPI PROGRAM.exe [ARGS...]   (LUMETTA_BINARY_DIR: the build folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$(cd "$here/../../../scripts" && pwd)
dpi=$1
export WINEPREFIX="${LUMETTA_BINARY_DIR:?}/wineprefix-dpi$dpi"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LUMETTA_EXPECT_DPI=$dpi

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  exec "$scripts/with-xvfb" "$0" "$@"
fi
shift

"$scripts/wine-prefix"
exec 9>"$WINEPREFIX.dpi-lock"
flock 9
if [ ! -f "$WINEPREFIX/.lumetta-dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wineserver -w
  touch "$WINEPREFIX/.lumetta-dpi"
fi

rc=0
wine "$@" || rc=$?
wineserver -k >/dev/null 2>&1 || true
exit $rc
