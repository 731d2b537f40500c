#!/usr/bin/env bash
# Builds Velocine and runs it under Wine as the chosen Windows (default XP):
#   scripts/run.sh [win95|win98|winme|nt40|win2k|winxp|win2003|vista|default]
# Without a display it runs on a virtual one, saves a screenshot to
# build/screenshots/ and ends. Each registry layout has a prefix of its own,
# made with a realistic machine laid out as that Windows lays it out
# (scripts/machines/: 95/98/Me, NT 4.0, or 2000/XP/2003 and later), so the
# wizard has values to show; the program changes nothing outside it.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
version=${1:-winxp}

case $version in
  win95|win98|winme) machine=9x ;;
  nt40) machine=nt40 ;;
  *) machine=nt5 ;;
esac

scripts/setup.sh
VELO_WINEPREFIX=${VELO_WINEPREFIX:-$top/build/wineprefix-run-$machine}
source scripts/wine-env.sh
windows_bits_line
scripts/build.sh program

wine_prefix_ready
wine_set_version "$version"

# Seeded again whenever the machine's file changes.
seeded=$WINEPREFIX/.velocine-machine-$machine-$(cksum <"scripts/machines/$machine.reg" | cut -d' ' -f1)
if [ ! -f "$seeded" ]; then
  wine regedit /S "$(winepath -w "scripts/machines/$machine.reg")"
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
