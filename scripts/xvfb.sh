# Sourced by the test and run scripts: a private Xvfb, started and stopped by its own PID.
# xvfb_start BUILD_DIR sets DISPLAY and records it in BUILD_DIR/xvfb.display.
xvfb_start() {
  local build=$1 fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" </dev/null >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  if [ ! -s "$fdfile" ]; then
    echo "tandrel: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(tr -d '\n' <"$fdfile")"
  rm -f "$fdfile"
  echo "$DISPLAY" >"$build/xvfb.display"
}

xvfb_stop() {
  local build=$1
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
  rm -f "$build/xvfb.display"
}

# Ends the prefix's Wine processes (and only those of this prefix).
wine_stop() {
  local prefix=$1
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -f "$prefix.keepalive.pid"
}
