#!/usr/bin/env bash
# Tests VelocineSetup.exe under Wine: for each Windows version, a fresh
# prefix of its own, set to that version and to a locale whose language
# setup should preselect; the silent and interactive tests run there.
#   scripts/setup-tests.sh RESULTS_FOLDER [VERSION [GTEST_ARGUMENTS...]]
# (on the display it is given); with VERSION, only that run.
set -uo pipefail
cd "$(dirname "$0")/.."
top=$PWD
results=$1
only=${2:-}
shift $(($# < 2 ? $# : 2))

# version  locale  language setup preselects
runs=(
  "win95 C.UTF-8 English"
  "win98 de_DE.UTF-8 Deutsch"
  "nt40 ja_JP.UTF-8 Nihongo"
  "winxp ru_RU.UTF-8 Russkiy"
)

# One newly made prefix, copied for each run, so that every run starts from
# the state of a fresh one without paying for its creation each time.
template=$top/build/wineprefix-setup-fresh
rm -rf "$template"
VELO_WINEPREFIX=$template source scripts/wine-env.sh
wine_prefix_ready
wineserver -k 2>/dev/null

shots=$top/build/screenshots
mkdir -p "$shots"
status=0
for run in "${runs[@]}"; do
  read -r version locale language <<<"$run"
  [ -n "$only" ] && [ "$only" != "$version" ] && continue
  prefix=$top/build/wineprefix-setup-$version
  rm -rf "$prefix"
  cp -a "$template" "$prefix"
  export WINEPREFIX=$prefix
  wine_set_version "$version"
  export VELO_SETUP=$(winepath -w "$top/build/win/VelocineSetup.exe")
  export VELO_LANG_SOURCE=$(winepath -w "$top/res/Lang")
  export VELO_SCREENSHOTS=$(winepath -w "$shots")
  export VELO_SETUP_VERSION=$version VELO_EXPECTED_LANGUAGE=$language
  LC_ALL=$locale wine explorer /desktop=VelocineSetup,1024x768 \
    build/wintest/setup_tests.exe --gtest_brief=1 "$@" \
    --gtest_output="xml:$(winepath -w "$results/setup-$version.xml")" || status=1
  wineserver -k 2>/dev/null
  # A run that ended without its report counts as a failure.
  if [ ! -f "$results/setup-$version.xml" ]; then
    echo '<testsuites tests="1" failures="1" disabled="0" errors="0">' \
      >"$results/setup-$version.xml"
    status=1
  fi
  rm -rf "$prefix"
done
rm -rf "$template"
for bitmap in "$shots"/setup-*.bmp; do
  [ -f "$bitmap" ] && convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
exit $status
