#!/usr/bin/env bash
# Registers the stand-in office servers of a build tree in its Wine prefix whenever they were rebuilt.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
build=$1
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
stamp="$WINEPREFIX/.tandrel-officesim"
for exe in "$build"/officesim/*.exe; do
  [ -f "$exe" ] || continue
  if [ ! -f "$stamp" ] || [ "$exe" -nt "$stamp" ]; then
    for s in "$build"/officesim/*.exe; do
      "$WINE" "$s" /RegServer </dev/null >/dev/null 2>&1
    done
    touch "$stamp"
    break
  fi
done
