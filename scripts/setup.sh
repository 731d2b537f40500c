#!/usr/bin/env bash
# Installs what building, running and testing Velocine need on Debian 12.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev googletest
          g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32:i386 wine64 xvfb xauth x11-utils xdotool imagemagick
          clang libfuzzer-14-dev nsis
          # Wine's own fonts (Marlett for the title-bar buttons, Tahoma,
          # MS Sans Serif): Debian keeps them apart from wine, as a package
          # that --no-install-recommends leaves out.
          fonts-wine
          # A Japanese font, for windows drawn in code page 932.
          fonts-ipafont-gothic)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
