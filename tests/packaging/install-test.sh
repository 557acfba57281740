#!/usr/bin/env bash
# The release files made from this build tree's programs (scripts/package.sh makes the real ones
# from release builds): the zips' listings and checksums here, then the installer in a fresh Wine
# prefix of its own, where packaging_install_tests.exe installs, upgrades and uninstalls it.
# Usage: install-test.sh BUILD_DIR VERSION NEXT_VERSION
set -euo pipefail
build=$1 version=$2 next=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"
if [ -z "${DISPLAY:-}" ] && [ -f "$build/xvfb.display" ]; then
  DISPLAY=$(cat "$build/xvfb.display")
fi
export DISPLAY=${DISPLAY:?no X display: run the tests through scripts/test.sh}

work="$build/tests/packaging/install"
export WINEPREFIX="$work/prefix"
failed=1
cleanup() {
  wineserver -k 2>/dev/null || true
  # The prefix is kept after a failure, to look into.
  if [ "$failed" -eq 0 ]; then rm -rf "$WINEPREFIX"; fi
}
trap cleanup EXIT
wineserver -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work/programs"
cp "$build/src/tandrel.exe" "$build/src/cli/tandrelc.exe" "$work/programs/"
"$root/packaging/make-packages.sh" "$version" "$work/programs" "$work/programs" "$work/dist" >/dev/null
"$root/packaging/make-packages.sh" "$next" "$build/tests/packaging/next" \
  "$build/tests/packaging/next" "$work/next" >/dev/null

failed=0
fail() {
  echo "FAILED: $*" >&2
  failed=1
}
(cd "$work/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS"
for arch in win32 x64; do
  name="Tandrel-$version-$arch"
  expected=$(printf '%s\n' "$name/" "$name/LICENSE.txt" "$name/README.txt" "$name/tandrel.exe" \
    "$name/tandrelc.exe")
  listed=$(unzip -Z1 "$work/dist/$name.zip" | LC_ALL=C sort)
  [ "$listed" = "$expected" ] || fail "$name.zip holds:"$'\n'"$listed"
done

"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
status=0
TANDREL_MSI=$(unix_to_wine_path "$work/dist/Tandrel-$version.msi") \
  TANDREL_VERSION=$version \
  TANDREL_NEXT_MSI=$(unix_to_wine_path "$work/next/Tandrel-$next.msi") \
  TANDREL_NEXT_VERSION=$next \
  "$WINE" "$build/tests/packaging/packaging_install_tests.exe" </dev/null >"$work/test.log" 2>&1 ||
  status=$?
cat "$work/test.log"
[ "$status" -eq 0 ] || fail "packaging_install_tests exited with $status"
exit $failed
