#!/usr/bin/env bash
# Prepares a private Wine prefix for Tandrel, once: headless-friendly registry settings and fonts.
# Usage: wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
stamp_version=3
stamp="$prefix/.tandrel-prefix"

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_version" ]; then
  exit 0
fi

. "$here/wine-env.sh"
export WINEPREFIX=$prefix
mkdir -p "$prefix"
echo "tandrel: preparing the Wine prefix $prefix (takes a few seconds, once)" >&2
"$WINE" wineboot -i </dev/null >/dev/null 2>&1
"$WINE" regedit /S "$(unix_to_wine_path "$here/wine-settings.reg")" </dev/null >/dev/null 2>&1
# Debian's Wine never reads its own font folder; without marlett caption buttons draw as letters.
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in /usr/share/wine/fonts/marlett.ttf /usr/share/fonts/truetype/wine/marlett.ttf; do
  [ -f "$f" ] && cp -f "$f" "$fonts/" && break
done
wineserver -w
echo "$stamp_version" >"$stamp"
