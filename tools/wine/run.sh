#!/bin/sh
# Runs a Windows program of the build tree under Wine, in the build tree's
# prefix and display (started on first use).
#   run.sh <state-dir> <program.exe> [args...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
state=$1
shift
WINE_BIN=${WINE_BIN:-/usr/lib/wine}
"$here/session.sh" start "$state"
state=$(cd "$state" && pwd)
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=":$(tr -d '[:space:]' <"$state/display")"
exec "$WINE_BIN/wine64" "$@"
