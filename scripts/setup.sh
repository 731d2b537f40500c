#!/usr/bin/env bash
# Installs what building, running and testing Velocine need on Debian 12.
# Idempotent: does nothing when everything is already there.
#
# A package mirror can be mid-sync on the day a machine sets up: a failed
# "apt-get update" is tried again a few times and then set-up goes on with
# the package lists apt has. Only a package that cannot be installed stops
# set-up, named with apt's reason; 32-bit Wine is the one exception, as the
# tests can run as 64-bit twins without it (scripts/windows-bits.sh says
# so in the line that tells which way a run goes). On a host that runs
# 64-bit code only, nothing of the i386 architecture is ever asked for.
set -uo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libgtest-dev googletest
          g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine64 xvfb xauth x11-utils xdotool imagemagick
          clang libfuzzer-14-dev nsis
          # Wine's own fonts (Marlett for the title-bar buttons, Tahoma,
          # MS Sans Serif): Debian keeps them apart from wine, as a package
          # that --no-install-recommends leaves out.
          fonts-wine
          # A Japanese font, for windows drawn in code page 932.
          fonts-ipafont-gothic
          # Network namespaces and the router's rule for the MTU path test.
          iproute2 nftables)
wine32=wine32:i386
# The compiler of the 64-bit twins, for a host that runs Windows programs
# that way.
twin_packages=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)
update_tries=3
: "${VELO_APT_RETRY_PAUSE:=15}"

source scripts/host-bits.sh
state=build/setup
mkdir -p "$state"
wine32_refused=$state/wine32-refused
export DEBIAN_FRONTEND=noninteractive

installed() {  # package
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'
}

missing_of() {  # packages...: prints those not installed
  local package
  for package in "$@"; do installed "$package" || echo "$package"; done
}

# apt-get update at most once a run, tried again while the mirror is having
# a bad moment; past the last try the lists apt already has are used.
lists_updated=
update_package_lists() {
  [ -n "$lists_updated" ] && return 0
  lists_updated=yes
  local try output
  for ((try = 1; try <= update_tries; try++)); do
    output=$(apt-get update -qq 2>&1) && return 0
    echo "setup: apt-get update failed (try $try of $update_tries): $(grep -m1 '^E:' <<<"$output")"
    ((try < update_tries)) && sleep "$VELO_APT_RETRY_PAUSE"
  done
  echo "setup: going on with the package lists apt has"
}

# apt's reason why a package cannot be installed, on one line: what it says
# when asked to install that package alone, without installing anything.
refusal_of() {  # package
  apt-get install -s --no-install-recommends "$1" 2>&1 |
    grep -E '^E:| : (Pre-)?Depends:|^ +(Depends|Breaks|Conflicts):' |
    sed -E 's/^ +//' | paste -sd ' ' -
}

# Installs the packages, all or none. On failure install_failure holds,
# on one line, each package that apt cannot install with its reason, or
# apt's own words when none can be singled out.
install_failure=
install_all() {  # packages...
  [ $# -eq 0 ] && return 0
  echo "setup: installing $*"
  update_package_lists
  local log=$state/apt-install.log
  apt-get install -y -qq --no-install-recommends "$@" >"$log" 2>&1 && return 0
  local package reason
  install_failure=
  for package in "$@"; do
    reason=$(refusal_of "$package")
    [ -n "$reason" ] && install_failure+="${install_failure:+; }$reason"
  done
  [ -n "$install_failure" ] ||
    install_failure="apt-get install: $(grep -m1 '^E:' "$log" || tail -n 1 "$log")"
  return 1
}

# Set-up stops when a package it needs cannot be installed.
install_needed() {  # packages...
  install_all $(missing_of "$@") && return 0
  echo "setup: cannot install what Velocine needs: $install_failure" >&2
  exit 1
}

install_needed "${packages[@]}"

twins_needed=
if [ "$VELO_HOST_BITS" = 32 ]; then
  if installed "$wine32"; then
    rm -f "$wine32_refused"
  else
    dpkg --print-foreign-architectures | grep -qx i386 || {
      dpkg --add-architecture i386
      lists_updated=  # the i386 lists are new
    }
    if install_all "$wine32"; then
      rm -f "$wine32_refused"
    else
      echo "$install_failure" >"$wine32_refused"
      echo "setup: 32-bit Wine could not be installed: $(cat "$wine32_refused");" \
        "the Windows tests run as 64-bit twins"
      twins_needed=yes
    fi
  fi
else
  twins_needed=yes
fi
[ "${VELO_WINDOWS_BITS:-}" = 64 ] && twins_needed=yes
[ -n "$twins_needed" ] && install_needed "${twin_packages[@]}"
exit 0
