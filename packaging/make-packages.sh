#!/usr/bin/env bash
# Makes the release files from built programs: the MSI of the 32-bit programs, a portable zip
# per architecture, and SHA256SUMS over them. scripts/package.sh calls it after the release
# builds; the packaging test calls it on the test build's programs.
# Usage: make-packages.sh VERSION WIN32_DIR X64_DIR OUT_DIR
#   each *_DIR holds tandrel.exe and tandrelc.exe; VERSION has four fields (1.0.0.1).
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 VERSION WIN32_DIR X64_DIR OUT_DIR" >&2; exit 2; }
version=$1 win32=$2 x64=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
# Fixed for ever: it tells Windows Installer that every Tandrel package is the same product.
upgrade_code='{2971C130-E054-493E-90A1-7027AF726A3D}'
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "bad version: $version" >&2; exit 2; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$out"
out=$(cd "$out" && pwd)

# Text files for Windows: CRLF line ends; the read-me in UTF-8 with a byte-order mark, which
# Notepad needs to tell it from the ANSI code page.
windows_text() {
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$1"
}
stage_programs() {
  local from=$1 to=$2 strip=$3
  mkdir -p "$to"
  for exe in tandrel.exe tandrelc.exe; do
    [ -f "$from/$exe" ] || { echo "missing $from/$exe" >&2; exit 1; }
    "$strip" -o "$to/$exe" "$from/$exe"
  done
  { printf '\xef\xbb\xbf'; windows_text "$here/README.txt"; } >"$to/README.txt"
  windows_text "$root/LICENSE" >"$to/LICENSE.txt"
}

make_zip() {
  local arch=$1 from=$2 strip=$3 name="Tandrel-$version-$1"
  stage_programs "$from" "$stage/$name" "$strip"
  rm -f "$out/$name.zip"
  (cd "$stage" && zip -q -X -r "$out/$name.zip" "$name")
}

# SQL run on the MSI after the code page is set; text as UTF-8, stored as code page 936.
msi_sql() {
  msibuild "$1" -q "$2"
}

make_msi() {
  local msi="$out/Tandrel-$version.msi" dir="$stage/msi"
  stage_programs "$win32" "$dir" i686-w64-mingw32-strip
  cp "$root/src/res/tandrel.ico" "$dir/"
  (cd "$dir" && wixl -a x86 -D Version="$version" -D UpgradeCode="$upgrade_code" -o "$stage/tandrel.msi" "$here/tandrel.wxs")
  # wixl writes no code page (strings then follow the building machine's locale) and cannot
  # store Chinese text; a database of code page 936 takes it through SQL.
  printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$stage/_ForceCodepage.idt"
  (cd "$stage" && msibuild tandrel.msi -i _ForceCodepage.idt)
  msi_sql "$stage/tandrel.msi" "UPDATE Property SET Value = 'Tandrel 批量转换工具' WHERE Property = 'ProductName'"
  msi_sql "$stage/tandrel.msi" "UPDATE Property SET Value = 'Tandrel 软件工作室' WHERE Property = 'Manufacturer'"
  msi_sql "$stage/tandrel.msi" "UPDATE Shortcut SET Name = 'TANDREL|批量转换工具', Description = '在 Microsoft Office 与 Qor 格式之间批量转换文档' WHERE Shortcut = 'StartMenuShortcut'"
  # The install folder on the system PATH, and only that part taken away again on uninstall:
  # Windows Installer edits the variable itself, at any length. First rather than last, because
  # Wine's installer takes an entry at the end away but leaves its ";" behind (one more with each
  # upgrade); the folder holds no program that could hide another one.
  msi_sql "$stage/tandrel.msi" "CREATE TABLE Environment (Environment CHAR(72) NOT NULL, Name CHAR(255) NOT NULL LOCALIZABLE, Value CHAR(255) LOCALIZABLE, Component_ CHAR(72) NOT NULL PRIMARY KEY Environment)"
  msi_sql "$stage/tandrel.msi" "INSERT INTO Environment (Environment, Name, Value, Component_) VALUES ('PathEntry', '=-*PATH', '[INSTALLDIR];[~]', 'ConsoleProgram')"
  msi_sql "$stage/tandrel.msi" "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('RemoveEnvironmentStrings', 3300)"
  msi_sql "$stage/tandrel.msi" "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('WriteEnvironmentStrings', 5200)"
  # Windows Installer compares three of the four version fields: a build that differs only in
  # the fourth replaces the installed one too (the upgrade's upper bound taken inclusive), so
  # that it never ends up installed beside it.
  # (Attributes is part of the row's key, so the row is written again.)
  msi_sql "$stage/tandrel.msi" "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'"
  msi_sql "$stage/tandrel.msi" "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('$upgrade_code', '$version', 513, 'WIX_UPGRADE_DETECTED')"
  mv "$stage/tandrel.msi" "$msi"
}

make_msi
make_zip win32 "$win32" i686-w64-mingw32-strip
make_zip x64 "$x64" x86_64-w64-mingw32-strip
(cd "$out" && sha256sum "Tandrel-$version.msi" "Tandrel-$version-win32.zip" \
  "Tandrel-$version-x64.zip" >SHA256SUMS)
echo "tandrel: packages of $version in $out"
