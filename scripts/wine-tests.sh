#!/usr/bin/env bash
# Runs the Windows test executables under Wine (on the display it is given).
set -uo pipefail
cd "$(dirname "$0")/.."
results=$1
source scripts/wine-env.sh
wine_prefix_ready
# Wine's own Windows version for the whole prefix; tests that need another
# choose it for the program they start.
wine_set_version default
export VELO_EXE=$(winepath -w "$PWD/build/win/Velocine.exe")
# The stand-in for the skin component that the tests register in the prefix.
export VELO_SKIN_DLL=$(winepath -w "$PWD/build/wintest/SkinStandIn.dll")
# Tests save pictures of the windows they show here; they become PNGs in
# build/screenshots.
shots=$PWD/build/screenshots
rm -rf "$shots"; mkdir -p "$shots"
export VELO_SCREENSHOTS=$(winepath -w "$shots")

# Inside Wine's own desktop window: without a window manager, closing a
# top-level window on the bare X display waits for the display each time.
wine explorer /desktop=VelocineTests,1024x768 build/wintest/wine_tests.exe --gtest_output="xml:$(winepath -w "$results/wine.xml")" \
  --gtest_brief=1
status=$?
wineserver -k 2>/dev/null
for bitmap in "$shots"/*.bmp; do
  [ -f "$bitmap" ] && convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
scripts/pictures.sh "$shots" "$results/pictures.xml"
exit $status
