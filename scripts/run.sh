#!/usr/bin/env bash
# Builds Velocine and runs it under Wine as the chosen Windows (default XP):
#   scripts/run.sh [win95|win98|winme|nt40|win2k|winxp|win2003|vista|default]
# Without a display it runs on a virtual one, saves a screenshot to
# build/screenshots/ and ends. A new prefix gets a realistic machine of the
# chosen family (scripts/machines/), so the wizard has values to show; the
# program changes nothing outside that prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
version=${1:-winxp}

scripts/setup.sh
VELO_WINEPREFIX=${VELO_WINEPREFIX:-$top/build/wineprefix-run}
source scripts/wine-env.sh
windows_bits_line
scripts/build.sh program

wine_prefix_ready
wine_set_version "$version"

case $version in win95|win98|winme) family=9x ;; *) family=nt ;; esac
seeded=$WINEPREFIX/.velocine-machine-$family
if [ ! -f "$seeded" ]; then
  wine regedit /S "$(winepath -w "scripts/machines/$family.reg")"
  wineserver -w
  touch "$seeded"
fi
# The language files lie beside the program, as installed.
rm -rf "$VELO_WIN_DIR/Lang"
[ -d res/Lang ] && cp -r res/Lang "$VELO_WIN_DIR/Lang"
wine reg add 'HKCU\Software\Velocine' /v AppPath /d "$(winepath -w "$VELO_WIN_DIR")" /f >/dev/null

exe=$(winepath -w "$top/$VELO_WIN_DIR/Velocine.exe")

if [ -n "${DISPLAY:-}" ]; then
  wine explorer /desktop=Velocine,1024x768 "$exe"
  exit 0
fi

mkdir -p build/screenshots
shot=$top/build/screenshots/main-$version.png
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine explorer /desktop=Velocine,1024x768 "$1" &
  sleep 8
  import -window root "$2"
  wineserver -k' _ "$exe" "$shot"
echo "Velocine ($VELO_WIN_DIR/Velocine.exe) ran as $version under Wine; screenshot: $shot"
