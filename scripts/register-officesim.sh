#!/usr/bin/env bash
# Registers the stand-in office servers of a build tree in its Wine prefix whenever they were rebuilt.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
build=$1
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
stamp="$WINEPREFIX/.tandrel-officesim"
keepalive_pid="$WINEPREFIX.keepalive.pid"
for exe in "$build"/officesim/*.exe; do
  [ -f "$exe" ] || continue
  if [ ! -f "$stamp" ] || [ "$exe" -nt "$stamp" ]; then
    for s in "$build"/officesim/*.exe; do
      "$WINE" "$s" /RegServer </dev/null >/dev/null 2>&1
    done
    # Without the prefix's persistent wineserver, the registration started a passing one: let it
    # end, or the persistent one that scripts/wine-exec.sh starts next could not start.
    if ! { [ -f "$keepalive_pid" ] && kill -0 "$(cat "$keepalive_pid")" 2>/dev/null; }; then
      wineserver -w
    fi
    touch "$stamp"
    break
  fi
done
