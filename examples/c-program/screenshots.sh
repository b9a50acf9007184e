#!/usr/bin/env bash
# Takes the README's pictures of the example: skinned (the one call) and native (--native),
# each on a virtual screen of its own under Wine.
# Usage: examples/c-program/screenshots.sh BIN_DIR OUT_DIR   (e.g. build/win32/bin docs/screenshots)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
shoot() {  # NAME ARGS...
  local name=$1
  shift
  "$root/scripts/with-xvfb" bash -c '
    . "'"$root"'/scripts/wine-env"
    cd "'"$bin"'"
    "$LUMETTA_WINE" explorer /desktop=example,960x440 SkinExample.exe "$@" &
    sleep 6
    import -window root -crop 960x440+0+0 +repage "'"$out/$name"'.png"
    kill %1 2>/dev/null || true
  ' shoot "$@"
  echo "$out/$name.png"
}
shoot example-skinned
shoot example-native --native
