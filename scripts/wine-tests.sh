#!/usr/bin/env bash
# Runs the Windows test executables under Wine (on the display it is given).
set -uo pipefail
cd "$(dirname "$0")/.."
results=$1
source scripts/wine-env.sh
source scripts/reports.sh
wine_prefix_ready
# Wine's own Windows version for the whole prefix; tests that need another
# choose it for the program they start.
wine_set_version default
export VELO_EXE=$(windows_path "$PWD/$VELO_WIN_DIR/Velocine.exe")
# The stand-in for the skin component that the tests register in the prefix.
export VELO_SKIN_DLL=$(windows_path "$PWD/$VELO_WINTEST_DIR/SkinStandIn.dll")
# Tests save pictures of the windows they show here; they become PNGs in
# build/screenshots.
shots=$PWD/build/screenshots
rm -rf "$shots"; mkdir -p "$shots"
export VELO_SCREENSHOTS=$(windows_path "$shots")
why="ended without a report"
wine_starts || why="Wine did not start"

# The text check measures each language file under the ANSI code page it is
# written in: it runs once per code page, under a locale that gives Wine
# that code page, and each at 96 dpi and at 120 ("Large Fonts").
text_fit_locales=(1252:C.UTF-8 1251:ru_RU.UTF-8 932:ja_JP.UTF-8)
export VELO_TEXT_FIT_CODE_PAGES="${text_fit_locales[*]%%:*}"
text_fit_dpis=(96 120)

# Inside Wine's own desktop window: without a window manager, closing a
# top-level window on the bare X display waits for the display each time.
run_tests() {  # report name, stage name, GoogleTest filter[, locale]
  local report=$results/$1.xml
  LC_ALL=${4:-${LC_ALL:-}} wine explorer /desktop=VelocineTests,1024x768 \
    "$VELO_WINTEST_DIR/wine_tests.exe" \
    --gtest_output="xml:$(windows_path "$report")" --gtest_brief=1 \
    --gtest_filter="$3"
  local result=$?
  wineserver -k 2>/dev/null
  wineserver -w
  require_report "$report" "$2" "$why (the tests' exit code: $result)" &&
    return $result
}

# Wine takes the dpi from LogPixels in the prefix's registry, so a dpi
# other than 96 has a prefix of its own beside the usual one, that only the
# text check's runs at that dpi use: no other run ever sees it.
text_fit_at() {  # dpi, code page, locale
  (
    export VELO_TEXT_FIT_DPI=$1
    if [ "$1" != 96 ]; then
      VELO_WINEPREFIX=$VELO_WINEPREFIX-${1}dpi
      source scripts/wine-env.sh
      wine_prefix_ready
      wine_set_version default
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$1" /f >/dev/null 2>&1
      wineserver -w
    fi
    run_tests "wine-text-fit-$2-${1}dpi" "Text check (code page $2, $1 dpi)" \
      '*TextFit*' "$3"
  )
}

status=0
run_tests wine "Windows tests" '-*TextFit*:MtuPath.*' || status=1
for dpi in "${text_fit_dpis[@]}"; do
  for entry in "${text_fit_locales[@]}"; do
    text_fit_at "$dpi" "${entry%%:*}" "${entry#*:}" || status=1
  done
done
scripts/mtu-path-tests.sh "$results" || status=1
tests/linelab/finder-test.sh "$results/line-lab-finder.xml" || status=1
for bitmap in "$shots"/*.bmp; do
  [ -f "$bitmap" ] && convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
scripts/pictures.sh "$shots" "$results/pictures.xml" || status=1
exit $status
