#!/usr/bin/env bash
# Builds both architectures in release mode and writes the release files to dist/:
# Tandrel-<version>.msi (the 32-bit programs), Tandrel-<version>-win32.zip and -x64.zip (portable)
# and SHA256SUMS. The version is the one of project(... VERSION ...) in CMakeLists.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup-deps.sh"

version=$(sed -n 's/^project(Tandrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "tandrel: no version in CMakeLists.txt" >&2; exit 1; }

for arch in i686 x86_64; do
  build="$root/build/release-$arch"
  cmake -S "$root" -B "$build" --toolchain "$root/cmake/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTANDREL_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target tandrel tandrelc
  mkdir -p "$build/programs"
  cp "$build/src/tandrel.exe" "$build/src/cli/tandrelc.exe" "$build/programs/"
done

"$root/packaging/make-packages.sh" "$version" "$root/build/release-i686/programs" \
  "$root/build/release-x86_64/programs" "$root/dist"
ls -l "$root/dist"
