#!/usr/bin/env bash
# Builds Velocine and runs it under Wine as the chosen Windows (default XP):
#   scripts/run.sh [win95|win98|winme|nt40|win2k|winxp|win2003|vista|default]
# Without a display it runs on a virtual one, saves a screenshot to
# build/screenshots/ and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
version=${1:-winxp}

scripts/setup.sh
scripts/build.sh program

VELO_WINEPREFIX=${VELO_WINEPREFIX:-$top/build/wineprefix-run}
source scripts/wine-env.sh
wine_prefix_ready
wine_set_version "$version"

exe=$(winepath -w "$top/build/win/Velocine.exe")

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
echo "Velocine ran as $version under Wine; screenshot: $shot"
