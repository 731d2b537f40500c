#!/usr/bin/env bash
# Tests of how the test run counts: a stage that leaves no report, or a
# report that cannot be read or counts nothing, shows as failed tests, never
# as fewer tests; skipped tests are told apart from passed ones. Writes its
# own report.
# Usage: tests/scripts/reports-test.sh REPORT.xml
set -uo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
source scripts/reports.sh
report=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A GoogleTest report of N tests, F of them failed and S skipped.
gtest_report() {  # file, tests, failures, skipped
  {
    echo "<testsuites tests=\"$2\" failures=\"$3\" disabled=\"0\" errors=\"0\" name=\"AllTests\">"
    local i
    for ((i = 0; i < $2; i++)); do
      if ((i < $3)); then
        echo "<testcase name=\"T$i\" status=\"run\" result=\"completed\" classname=\"S\">"
        echo "<failure message=\"no\" type=\"\"/></testcase>"
      elif ((i < $3 + $4)); then
        echo "<testcase name=\"T$i\" status=\"run\" result=\"skipped\" classname=\"S\"><skipped/></testcase>"
      else
        echo "<testcase name=\"T$i\" status=\"run\" result=\"completed\" classname=\"S\"/>"
      fi
    done
    echo "</testsuites>"
  } >"$1"
}

# The failure of a summary that did not end as expected, or nothing.
expect_summary() {  # folder, closing line, exit status wanted, text it must show
  local output status
  output=$(scripts/summary.sh "$1" 2>&1); status=$?
  local last=${output##*$'\n'}
  [ "$last" = "$2" ] || { echo "ended '$last', not '$2'."; return; }
  [ "$status" -eq "$3" ] || { echo "exit status $status, not $3."; return; }
  [ -z "${4:-}" ] || grep -qF "$4" <<<"$output" || echo "does not show '$4'."
}

case_folder() {  # name: a new empty results folder
  mkdir -p "$work/$1"; echo "$work/$1"
}

dir=$(case_folder counts)
gtest_report "$dir/native.xml" 5 1 0
gtest_report "$dir/wine.xml" 4 0 2
report_case Summary "skipped tests are neither passed nor failed" \
  "$(expect_summary "$dir" "6 passed, 1 failed, 2 skipped" 1 "failed: S.T0")"

dir=$(case_folder all-passed)
gtest_report "$dir/native.xml" 3 0 0
report_case Summary "a run whose tests all passed succeeds" \
  "$(expect_summary "$dir" "3 passed, 0 failed" 0)"

dir=$(case_folder missing)
gtest_report "$dir/native.xml" 3 0 0
require_report "$dir/wine.xml" "Windows tests" "Wine did not start" 2>/dev/null
report_case Summary "a stage without its report counts as a failed test named after it" \
  "$(expect_summary "$dir" "3 passed, 1 failed" 1 "Windows tests: Wine did not start")"

dir=$(case_folder empty)
gtest_report "$dir/native.xml" 3 0 0
: >"$dir/cut-short.xml"
gtest_report "$dir/none-ran.xml" 0 0 0
require_report "$dir/none-ran.xml" "Text check" "ended without a report" 2>/dev/null
report_case Summary "an empty report, or one that counts no test, is a failure" \
  "$(expect_summary "$dir" "3 passed, 2 failed" 1 "Text check: its report counts no test")"

# A failure message as a test's log may give it: the report holds it in
# an attribute, escaped as XML wants.
line=$(testcase_xml Quoted "a message" "the log says 'a \"b\" <c> & d'.")
wrong=""
[[ "$line" == *"<failure message=\"the log says 'a &quot;b&quot; &lt;c&gt; &amp; d'.\"/>"* ]] ||
  wrong="the report holds: $line"
report_case Reports "a failure message with quotes, <, > and & is escaped" "$wrong"

# The Windows stages with a Wine that starts nothing: a copy of the scripts
# (they clean the folders they use), and every Wine command exiting 1.
tree=$work/tree
mkdir -p "$tree/bin" "$tree/results" "$tree/tests"
cp -r scripts "$tree/"
cp -r tests/linelab "$tree/tests/"
for command in wine wine-stable wine64 wineserver wineboot winepath; do
  printf '#!/bin/sh\nexit 1\n' >"$tree/bin/$command"
  chmod +x "$tree/bin/$command"
done
PATH=$tree/bin:$PATH VELO_WINDOWS_BITS=32 VELO_WINEPREFIX=$tree/prefix \
  "$tree/scripts/wine-tests.sh" "$tree/results" >/dev/null 2>&1
PATH=$tree/bin:$PATH VELO_WINDOWS_BITS=32 \
  "$tree/scripts/setup-tests.sh" "$tree/results" >/dev/null 2>&1
stages=$(ls "$tree/results" | wc -l)
wrong=$(expect_summary "$tree/results" "0 passed, $(cat "$tree"/results/*.xml |
  grep -o '<failure' | wc -l) failed" 1 "Windows tests: Wine did not start")
[ "$stages" -eq 19 ] ||
  wrong+="$stages reports, not 19 (7 Windows test runs, 2 on the MTU path, the finder on the line lab, pictures, 8 setup runs)."
[ "$(grep -c '<failure message="Wine did not start"' \
  "$tree"/results/line-lab-finder.xml)" -eq 4 ] ||
  wrong+="the finder on the line lab does not say on each of its 4 lines why it failed."
grep -q "Setup tests (nt40-ja): Wine did not start" "$tree"/results/setup-nt40-ja.xml ||
  wrong+="the setup run on NT 4.0 does not say why it failed."
report_case Stages "without Wine, every Windows stage leaves failed tests, not fewer tests" "$wrong"

report_write "$report" test-scripts
