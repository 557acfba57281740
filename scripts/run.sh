#!/usr/bin/env bash
# Builds Tandrel and starts it under Wine with the stand-in office servers registered: on the
# current X display, or on a private Xvfb (with a screenshot in out/) when there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup-deps.sh"
. "$root/scripts/wine-env.sh"
. "$root/scripts/xvfb.sh"

if host_runs_32bit; then arch=win32; else arch=win64; fi
build="$root/build/$arch"
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" --target tandrel wine-keepalive officesim

export TANDREL_BUILD_DIR=$build TANDREL_WINEPREFIX=$build/run-prefix
launch() { "$root/scripts/wine-exec.sh" "$build/src/tandrel.exe" </dev/null >/dev/null 2>&1; }
[ -x "$root/scripts/make-demo-docs.sh" ] && "$root/scripts/make-demo-docs.sh" "$TANDREL_WINEPREFIX"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "tandrel: starting on display $DISPLAY ($arch build)"
  launch || true
  wine_stop "$TANDREL_WINEPREFIX"
  exit 0
fi

unset DISPLAY
cleanup() {
  wine_stop "$TANDREL_WINEPREFIX"
  xvfb_stop "$build"
}
trap cleanup EXIT
xvfb_start "$build"
echo "tandrel: no X display here, so Tandrel runs on a private Xvfb ($DISPLAY, $arch build)"
launch &
window=
for _ in $(seq 1 300); do
  window=$(xdotool search --name '批量转换工具' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
mkdir -p "$root/out"
sleep 1
if [ -n "$window" ]; then
  import -window "$window" "$root/out/tandrel.png"
else
  import -window root "$root/out/tandrel.png"
fi
echo "tandrel: screenshot of the window saved as out/tandrel.png"
if [ -t 0 ]; then
  echo "tandrel: press Enter to end the program"
  read -r _
fi
