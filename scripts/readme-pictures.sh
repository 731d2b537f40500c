#!/usr/bin/env bash
# The pictures the README shows (docs/pictures/): Velocine as setup installs
# it on Windows 95 in English, its main window and two steps of the wizard,
# taken by the walk through every window under Wine. Each is kept with the
# texts its windows showed (NAME.txt).
#   scripts/readme-pictures.sh             makes them anew
#   scripts/readme-pictures.sh --check R   after a test run: fails, in the
#       report R, for each picture whose texts are no longer what the
#       program shows (then make them anew)
set -uo pipefail
cd "$(dirname "$0")/.."

# Each README picture and the picture of the walk it is made from.
pictures=(
  "main-window translated-win95-C-main"
  "wizard-mtu translated-win95-C-page2"
  "wizard-receive-window translated-win95-C-page4"
)
shots=build/screenshots
kept=docs/pictures

if [ "${1:-}" = --check ]; then
  source scripts/reports.sh
  for entry in "${pictures[@]}"; do
    read -r picture shot <<<"$entry"
    wrong=""
    if [ ! -f "$shots/$shot.txt" ]; then
      wrong="the test run left no $shot.txt"
    elif [ ! -f "$kept/$picture.txt" ]; then
      wrong="$kept/$picture.txt is missing"
    elif ! cmp -s "$shots/$shot.txt" "$kept/$picture.txt"; then
      wrong="the program now shows other texts than $kept/$picture.png:"
      wrong+=" $(diff "$kept/$picture.txt" "$shots/$shot.txt" | grep '^[<>]' | head -n 2 | paste -sd ' ' -)"
      wrong+=" (make them anew with scripts/readme-pictures.sh)"
    fi
    report_case ReadmePictures "$picture shows what the program shows" "$wrong"
  done
  report_write "$2" readme-pictures
  exit
fi

set -e
scripts/setup.sh
scripts/build.sh
results=$(mktemp -d)
xvfb-run -a -s "-screen 0 1024x768x24" \
  scripts/setup-tests.sh "$results" win95 --gtest_filter='TranslatedRun.*'
rm -rf "$results"
mkdir -p "$kept"
for entry in "${pictures[@]}"; do
  read -r picture shot <<<"$entry"
  cp "$shots/$shot.png" "$kept/$picture.png"
  cp "$shots/$shot.txt" "$kept/$picture.txt"
done
echo "README pictures: $(ls "$kept" | tr '\n' ' ')"
