#!/usr/bin/env bash
# Runs one Windows program under the build tree's Wine prefix. The first call starts a persistent
# wineserver and a do-nothing desktop program (stdio on /dev/null, so that no pipe of ours is held
# open by Wine's background processes); later calls then start in milliseconds.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
: "${TANDREL_BUILD_DIR:?}"
export WINEPREFIX=${TANDREL_WINEPREFIX:-$TANDREL_BUILD_DIR/wineprefix}
. "$here/wine-env.sh"
if [ -z "${DISPLAY:-}" ] && [ -f "$TANDREL_BUILD_DIR/xvfb.display" ]; then
  DISPLAY=$(cat "$TANDREL_BUILD_DIR/xvfb.display")
fi
export DISPLAY=${DISPLAY:?no X display: run the tests through scripts/test.sh}

keepalive="$TANDREL_BUILD_DIR/tests/support/wine-keepalive.exe"
pidfile="$WINEPREFIX.keepalive.pid"
(
  flock 9
  "$here/wine-prefix.sh" "$WINEPREFIX" 9>&-
  "$here/register-officesim.sh" "$TANDREL_BUILD_DIR" 9>&-
  if ! { [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; }; then
    # The server may have outlived its keep-alive (the keep-alive ends with its X display): -p
    # then exits with 2, as whenever a server runs for the prefix, and that server is used again.
    started=0
    wineserver -p </dev/null >/dev/null 2>&1 9>&- || started=$?
    if [ "$started" -ne 0 ] && [ "$started" -ne 2 ]; then
      echo "wine-exec: wineserver -p failed (exit $started) for $WINEPREFIX" >&2
      exit "$started"
    fi
    if [ -f "$keepalive" ]; then
      ready="$WINEPREFIX.keepalive.ready"
      rm -f "$ready"
      "$WINE" "$keepalive" "$(unix_to_wine_path "$ready")" </dev/null >/dev/null 2>&1 9>&- &
      echo $! >"$pidfile"
      for _ in $(seq 1 300); do
        [ -f "$ready" ] && break
        sleep 0.1
      done
    fi
  fi
) 9>"$WINEPREFIX.lock"

exec "$WINE" "$@"
