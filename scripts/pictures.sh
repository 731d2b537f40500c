#!/usr/bin/env bash
# Checks that the tests left every picture the README lists, and reports it
# as a test report of its own: a test saves a picture only once its window
# has painted, so a missing picture is a window that never showed.
# Usage: scripts/pictures.sh SCREENSHOT_FOLDER REPORT.xml
set -uo pipefail
source "$(dirname "$0")/reports.sh"
shots=$1
report=$2

pictures=(main-english main-language-file main-pseudo-language about-box
          alert-unknown-version alert-overwrite-question alert-reset-done
          closing-message keyboard-path-mtu main-skin-controls
          wizard-9x-modem-page8)
for page in 0 1 2 3 4 5 6 7; do pictures+=("wizard-nt-page$page"); done
for page in 0 1 2 3 4 5; do pictures+=("wizard-9x-modem-page$page"); done
# At 120 dpi: every step in English, the path MTU step in every language.
for page in 0 1 2 3 4 5 6 7 8; do pictures+=("wizard-120dpi-English-page$page"); done
for file in "$(dirname "$0")"/../res/Lang/*.ini; do
  language=$(basename "$file" .ini)
  [ "$language" = English ] || pictures+=("wizard-120dpi-${language//[^[:alnum:]]/}-page2")
done

for picture in "${pictures[@]}"; do
  missing=""
  [ -s "$shots/$picture.png" ] || missing="$picture.png is missing"
  report_case Pictures "$picture" "$missing"
done
report_write "$report" pictures
