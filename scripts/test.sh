#!/usr/bin/env bash
# Builds Tandrel (32-bit and 64-bit) and runs the whole test suite under Wine on a private Xvfb.
# Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup-deps.sh"
. "$root/scripts/xvfb.sh"

. "$root/scripts/wine-env.sh"

# Tests run on the 32-bit build where this machine can run 32-bit programs, else on the
# 64-bit one; the other build is compiled too, so both keep building.
if host_runs_32bit; then tested=win32 other=win64; else tested=win64 other=win32; fi
echo "tandrel: testing the $tested build"
build="$root/build/$tested"
cmake --preset "$tested" -DTANDREL_BUILD_TESTS=ON >/dev/null
cmake --build --preset "$tested"
if [ -z "${TANDREL_TEST_QUICK:-}" ]; then
  cmake --preset "$other" -DTANDREL_BUILD_TESTS=OFF >/dev/null
  cmake --build --preset "$other" --target tandrel tandrelc
fi

prefix="$build/wineprefix"
cleanup() {
  wine_stop "$prefix"
  xvfb_stop "$build"
}
trap cleanup EXIT
xvfb_start "$build"

status=0
ctest --test-dir "$build" --output-on-failure "$@" || status=$?

mkdir -p "$root/out"
for shot in "$build"/tests/*/*.bmp; do
  [ -f "$shot" ] && convert "$shot" "$root/out/$(basename "${shot%.bmp}").png" 2>/dev/null || true
done
exit $status
