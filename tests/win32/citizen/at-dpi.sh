#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix of its own whose display DPI (registry
# LogPixels) is DPI, on a virtual screen of its own sized for that DPI. The prefix is made once beside the build's shared one, which stays at
# 96 DPI for every other test; its Wine server is stopped afterwards.
# Usage: at-dpi.sh DPI PROGRAM.exe [ARGS...]   (LUMETTA_BINARY_DIR: the build folder)
# With LUMETTA_DPI_SHOT=OUT.png the program is left running for LUMETTA_DPI_SHOT_WAIT seconds
# (default 10), then the screen is captured to OUT.png, trimmed to what is not background, and
# the program is ended: how the README's pictures at 150 % are made.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$(cd "$here/../../../scripts" && pwd)
dpi=$1
# The Wine of the program's own architecture, with this prefix in place of the shared one.
arch=$("$scripts/pe-arch" "${2:-}")
[ -n "$arch" ] && export LUMETTA_WIN_ARCH="$arch" LUMETTA_WIN_ARCH_DECIDED=1
export LUMETTA_WINEPREFIX="${LUMETTA_BINARY_DIR:?}/wineprefix-dpi$dpi"
# shellcheck source=../../../scripts/wine-env
. "$scripts/wine-env"
export LUMETTA_EXPECT_DPI=$dpi

# A screen of its own, as large in inches as the usual 1024 x 768 one at 96 DPI: a window made
# for this DPI fits on it as its 96-DPI self fits there (the system keeps a window within the
# screen, so a small screen would cut a scaled form short).
if [ -z "${LUMETTA_DPI_SCREEN:-}" ]; then
  export LUMETTA_DPI_SCREEN=1 LUMETTA_SCREEN="$((1024 * dpi / 96))x$((768 * dpi / 96))x24"
  exec "$scripts/with-xvfb" "$0" "$@"
fi
shift

"$scripts/wine-prefix"
exec 9>"$WINEPREFIX.dpi-lock"
flock 9
if [ ! -f "$WINEPREFIX/.lumetta-dpi" ]; then
  "$LUMETTA_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  # The server writes the registry as it ends; it may have been started to stay (with-xvfb),
  # so it is told to end rather than waited for.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.lumetta-dpi"
fi

rc=0
if [ -n "${LUMETTA_DPI_SHOT:-}" ]; then
  "$LUMETTA_WINE" "$@" >/dev/null 2>&1 &
  sleep "${LUMETTA_DPI_SHOT_WAIT:-10}"
  import -window root "$LUMETTA_DPI_SHOT" && convert "$LUMETTA_DPI_SHOT" -trim +repage "$LUMETTA_DPI_SHOT" || rc=$?
else
  "$LUMETTA_WINE" "$@" || rc=$?
fi
wineserver -k >/dev/null 2>&1 || true
exit $rc
