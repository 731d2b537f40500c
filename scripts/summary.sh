#!/usr/bin/env bash
# Adds up the GoogleTest XML reports in a folder and prints the closing line
# "N passed, N failed" (", N skipped" when tests were skipped, each with its
# reason in the reports); exits non-zero when anything failed or nothing ran.
# A report that cannot be read counts as a failed test.
set -uo pipefail
dir=$1
passed=0; failed=0; skipped=0
attribute() {  # name, line: its number, 0 when absent
  local value
  value=$(sed -nE "s/.* $1=\"([0-9]+)\".*/\1/p" <<<"$2")
  echo "${value:-0}"
}
for report in "$dir"/*.xml; do
  [ -f "$report" ] || continue
  name=$(basename "$report" .xml)
  line=$(grep -m1 '<testsuites ' "$report")
  tests=$(attribute tests "$line")
  if [ -z "$line" ]; then
    echo "  $name: unreadable report, counted as 1 failed"
    failed=$((failed + 1))
    continue
  fi
  f=$(( $(attribute failures "$line") + $(attribute errors "$line") ))
  d=$(attribute disabled "$line")
  s=$(grep -c 'result="skipped"' "$report")
  passed=$((passed + tests - d - f - s)); failed=$((failed + f))
  skipped=$((skipped + s))
  note=""; [ "$s" -gt 0 ] && note=", $s skipped"
  echo "  $name: $tests tests, $f failed$note"
  # The failed tests by name: the line of a test case comes before its failure.
  grep -B1 '<failure' "$report" |
    sed -nE 's/.*<testcase name="([^"]*)".* classname="([^"]*)".*/    failed: \2.\1/p' |
    uniq
done
note=""; [ "$skipped" -gt 0 ] && note=", $skipped skipped"
echo "$passed passed, $failed failed$note"
[ "$failed" -eq 0 ] && [ $((passed + skipped)) -gt 0 ]
