#!/bin/sh
# Starts or stops the Wine session of a build tree: an Xvfb display and a
# persistent wineserver over a Wine prefix kept in <state-dir>/prefix.
# Long-lived children must not inherit the lock's descriptor (9), or they
# would hold the lock for as long as they live.
#   session.sh start|stop <state-dir>
set -eu
action=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
WINE_BIN=${WINE_BIN:-/usr/lib/wine}
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_alive() {
  [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start() {
  if ! xvfb_alive; then
    rm -f "$state/display"
    # -displayfd picks a free display number and writes it when ready.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
      3>"$state/display.tmp" 9>&- >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    i=0
    while [ ! -s "$state/display.tmp" ]; do
      i=$((i + 1))
      [ $i -lt 200 ] || { echo "Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
      sleep 0.05
    done
    mv "$state/display.tmp" "$state/display"
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$state/display")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE_BIN/wine64" wineboot --init >"$state/wineboot.log" 2>&1 9>&- || true
  fi
  # A persistent wineserver; it refuses to start when one already runs.
  if "$WINE_BIN/wineserver" -p 9>&- >/dev/null 2>&1 </dev/null; then
    # Bring up Wine's own services (desktop, device manager) now, detached from
    # any caller's output: a test's output pipe must close when the test ends.
    "$WINE_BIN/wine64" cmd.exe /c exit 9>&- >/dev/null 2>&1 </dev/null || true
  fi
}

stop() {
  "$WINE_BIN/wineserver" -k 2>/dev/null || true
  if xvfb_alive; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; fi
  rm -f "$state/xvfb.pid" "$state/display"
}

lock="$state/session.lock"
case "$action" in
  start) exec 9>"$lock"; flock 9; start ;;
  stop) exec 9>"$lock"; flock 9; stop ;;
  *) echo "usage: $0 start|stop <state-dir>" >&2; exit 2 ;;
esac
