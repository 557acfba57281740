#!/usr/bin/env bash
# Installs, once, every Debian package that building, testing, running and packaging Tandrel
# needs.
set -euo pipefail

packages=(
  cmake make python3
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64
  googletest
  wine wine32:i386 wine64
  xvfb xauth x11-apps xdotool imagemagick
  fonts-wqy-microhei fonts-wine
  locales
  wixl msitools zip unzip
)

need_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "tandrel: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root dpkg --add-architecture i386
  fi
  # A mirror can fail for a moment; try again before giving up.
  for attempt in 1 2 3; do
    if need_root apt-get update -qq &&
      need_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null; then
      break
    fi
    [ "$attempt" -lt 3 ] || { echo "tandrel: could not install ${missing[*]}" >&2; exit 1; }
    sleep 10
  done
fi

# Wine's ANSI code page follows the locale: zh_CN.UTF-8 gives code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "tandrel: generating the zh_CN.UTF-8 locale"
  need_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | need_root tee -a /etc/locale.gen >/dev/null
  need_root locale-gen >/dev/null
fi
