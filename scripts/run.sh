#!/usr/bin/env bash
# Builds Tandrel and starts it under Wine with the stand-in office servers registered: on the
# current X display; or, when there is none, on a private Xvfb, where a scripted job converts
# demo documents through the window and screenshots of it are saved in out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup-deps.sh"
. "$root/scripts/wine-env.sh"
. "$root/scripts/xvfb.sh"

if host_runs_32bit; then arch=win32; else arch=win64; fi
build="$root/build/$arch"
# The prefix's keep-alive program and the scripted job are built with the tests.
cmake --preset "$arch" -DTANDREL_BUILD_TESTS=ON >/dev/null
cmake --build --preset "$arch" --target tandrel wine-keepalive officesim tandrel-demo

export TANDREL_BUILD_DIR=$build TANDREL_WINEPREFIX=$build/run-prefix
"$root/scripts/make-demo-docs.sh" "$TANDREL_WINEPREFIX"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "tandrel: starting on display $DISPLAY ($arch build)"
  "$root/scripts/wine-exec.sh" "$build/src/tandrel.exe" </dev/null >/dev/null 2>&1 || true
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
echo "tandrel: no X display here, so a scripted job runs Tandrel on a private Xvfb ($DISPLAY, $arch build)"

user_dir=
for d in "$TANDREL_WINEPREFIX"/drive_c/users/*/; do
  [ "$(basename "$d")" = Public ] || user_dir=${d%/}
done
user=$(basename "$user_dir")
output="$user_dir/Documents/tandrel-output"
shots="$build/demo-shots"
rm -rf "$shots"
mkdir -p "$shots" "$root/out"
echo "tandrel: converting the Word documents of 转换示例\\乗务安排 and 转换示例\\年度报告.doc with the mouse and keyboard"
if ! "$root/scripts/wine-exec.sh" "$build/scripts/demo/tandrel-demo.exe" \
  "$(unix_to_wine_path "$build/src/tandrel.exe")" "C:\\users\\$user\\Documents\\tandrel-output" \
  "$(unix_to_wine_path "$shots")" </dev/null >"$build/demo.log" 2>&1; then
  echo "tandrel: the scripted job did not finish; its output:" >&2
  cat "$build/demo.log" >&2
  exit 1
fi

# In the order they were taken.
for shot in $(ls -tr "$shots"/*.bmp); do
  convert "$shot" "$root/out/$(basename "${shot%.bmp}").png"
  echo "tandrel: screenshot out/$(basename "${shot%.bmp}").png"
done
echo "tandrel: converted files in $output"
if [ -s "$output/qorconvert.log" ]; then
  echo "tandrel: failed conversions listed in $output/qorconvert.log"
else
  echo "tandrel: log $output/qorconvert.log (empty: every conversion succeeded)"
fi
