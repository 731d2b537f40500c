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

# Windows version, locale, which tests (all, or the walk through every
# window), the language setup's own pages speak there (NSIS's name) and the
# one setup preselects for Velocine. The first four install and uninstall on
# both families; the others walk the remaining languages on the remaining
# versions.
runs=(
  "win95 C.UTF-8 * English English"
  "win98 de_DE.UTF-8 * German Deutsch"
  "nt40 ja_JP.UTF-8 * Japanese Nihongo"
  "winxp ru_RU.UTF-8 * Russian Russkiy"
  "winme fr_FR.UTF-8 TranslatedRun.* French Francais"
  "win2k es_ES.UTF-8 TranslatedRun.* Spanish Espanol"
  "win2003 it_IT.UTF-8 TranslatedRun.* Italian Italiano"
  "winxp pt_BR.UTF-8 TranslatedRun.* PortugueseBR Portugues (Brasil)"
)
# What setup says, as it is built: its own lines, and NSIS's translations
# of its standard pages.
nsis_texts="$(makensis -HDRINFO | sed -n 's/.*NSISDIR=\([^,]*\).*/\1/p')/Contrib/Language files"

# One newly made prefix, copied for each run, so that every run starts from
# the state of a fresh one without paying for its creation each time.
VELO_WINEPREFIX=$top/build/wineprefix-setup-fresh source scripts/wine-env.sh
source scripts/reports.sh
template=$WINEPREFIX
rm -rf "$template"
wine_prefix_ready
why="ended without a report"
wine_starts || why="Wine did not start"
wineserver -k 2>/dev/null

shots=$top/build/screenshots
mkdir -p "$shots"
status=0
for run in "${runs[@]}"; do
  read -r version locale tests setup_language language <<<"$run"
  [ -n "$only" ] && [ "$only" != "$version" ] && continue
  name=$version-${locale%%[._]*}
  prefix=$template-$name
  rm -rf "$prefix"
  cp -a "$template" "$prefix"
  export WINEPREFIX=$prefix
  wine_set_version "$version"
  export VELO_SETUP=$(windows_path "$top/$VELO_WIN_DIR/VelocineSetup.exe")
  export VELO_LANG_SOURCE=$(windows_path "$top/res/Lang")
  export VELO_SETUP_TEXTS=$(windows_path "$top/installer/Lang")
  export VELO_NSIS_TEXTS=$(windows_path "$nsis_texts")
  export VELO_SETUP_LANGUAGE=$setup_language
  export VELO_SCREENSHOTS=$(windows_path "$shots")
  export VELO_SETUP_VERSION=$version VELO_EXPECTED_LANGUAGE=$language
  export VELO_SETUP_RUN=$name
  LC_ALL=$locale wine explorer /desktop=VelocineSetup,1024x768 \
    "$VELO_WINTEST_DIR/setup_tests.exe" --gtest_brief=1 --gtest_filter="$tests" "$@" \
    --gtest_output="xml:$(windows_path "$results/setup-$name.xml")" || status=1
  wineserver -k 2>/dev/null
  require_report "$results/setup-$name.xml" "Setup tests ($name)" "$why" ||
    status=1
  rm -rf "$prefix"
done
rm -rf "$template"
for bitmap in "$shots"/setup-*.bmp "$shots"/translated-*.bmp; do
  [ -f "$bitmap" ] && convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
exit $status
