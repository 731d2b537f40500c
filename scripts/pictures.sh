#!/usr/bin/env bash
# Checks that the tests left every picture the README lists, and reports it
# as a test report of its own: a test saves a picture only once its window
# has painted, so a missing picture is a window that never showed.
# Usage: scripts/pictures.sh SCREENSHOT_FOLDER REPORT.xml
set -uo pipefail
shots=$1
report=$2

pictures=(main-english main-language-file main-pseudo-language about-box
          alert-unknown-version alert-overwrite-question alert-reset-done
          closing-message keyboard-path-mtu main-skin-controls
          wizard-9x-modem-page8)
for page in 0 1 2 3 4 5 6 7; do pictures+=("wizard-nt-page$page"); done
for page in 0 1 2 3 4 5; do pictures+=("wizard-9x-modem-page$page"); done

failures=0
cases=""
for picture in "${pictures[@]}"; do
  cases+="  <testcase name=\"$picture\" classname=\"Pictures\">"
  if [ ! -s "$shots/$picture.png" ]; then
    failures=$((failures + 1))
    cases+="<failure message=\"$picture.png is missing\"/>"
    echo "pictures: $picture.png is missing" >&2
  fi
  cases+="</testcase>"$'\n'
done
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo "<testsuites tests=\"${#pictures[@]}\" failures=\"$failures\" disabled=\"0\" errors=\"0\" name=\"pictures\">"
  echo "<testsuite name=\"Pictures\" tests=\"${#pictures[@]}\" failures=\"$failures\" errors=\"0\">"
  printf '%s' "$cases"
  echo '</testsuite>'
  echo '</testsuites>'
} > "$report"
[ "$failures" -eq 0 ]
