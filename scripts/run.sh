#!/usr/bin/env bash
# Builds Velocine and its setup, installs it with its setup and runs it
# under Wine as the chosen Windows (default XP):
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
  wine regedit /S "$(windows_path "scripts/machines/$machine.reg")"
  wineserver -w
  touch "$seeded"
fi
# Velocine as a user has it: installed by its setup, silently, which puts
# every language file and flag in its Lang folder and preselects the
# language of this Windows; a setup of a newer build installs over it, in
# the folder setup proposes to a new user.
wine reg delete 'HKCU\Software\Velocine' /v AppPath /f >/dev/null 2>&1 || true
if [ -n "${DISPLAY:-}" ]; then
  wine "$VELO_WIN_DIR/VelocineSetup.exe" /S
else
  xvfb-run -a -s "-screen 0 1024x768x24" \
    wine "$VELO_WIN_DIR/VelocineSetup.exe" /S
fi
wineserver -w
installed=$(wine reg query 'HKCU\Software\Velocine' /v AppPath |
  sed -n 's/.*REG_SZ[[:space:]]*//p' | tr -d '\r')
[ -n "$installed" ] || { echo "setup did not install Velocine" >&2; exit 1; }
exe="$installed\Velocine.exe"

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
echo "Velocine (installed from $VELO_WIN_DIR/VelocineSetup.exe in $installed) ran as $version under Wine; screenshot: $shot"
