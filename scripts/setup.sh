#!/usr/bin/env bash
# Installs what building, running and testing Velocine need on Debian 12.
# Idempotent: does nothing when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libgtest-dev googletest
          g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32:i386 wine64 xvfb xauth x11-utils xdotool imagemagick
          clang libfuzzer-14-dev nsis
          # Wine's own fonts (Marlett for the title-bar buttons, Tahoma,
          # MS Sans Serif): Debian keeps them apart from wine, as a package
          # that --no-install-recommends leaves out.
          fonts-wine
          # A Japanese font, for windows drawn in code page 932.
          fonts-ipafont-gothic
          # Network namespaces and the router's rule for the MTU path test.
          iproute2 nftables)
# The compiler of the 64-bit twins, for a host that runs Windows programs
# that way: which way is told only once 32-bit Wine is installed.
twin_packages=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)

install_missing() {  # packages...
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

install_missing "${packages[@]}"
source scripts/windows-bits.sh
[ "$VELO_WINDOWS_BITS" = 64 ] && install_missing "${twin_packages[@]}"
exit 0
