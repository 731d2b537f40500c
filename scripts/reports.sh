# Sourced by the stages of the test run. Each stage leaves GoogleTest-style
# XML reports in the results folder, which scripts/summary.sh adds up; a
# stage that checks things itself writes its report with report_case and
# report_write, and every stage vouches for the reports it must leave with
# require_report, so a stage that never ran shows as a failure, never as
# fewer tests.

velo_report_cases=""
velo_report_tests=0
velo_report_failures=0

# The replacements are quoted: bash 5.2 reads an unquoted "&" in one as
# the text it replaces.
xml_escape() {
  local text=${1//&/"&amp;"}
  text=${text//</"&lt;"}; text=${text//>/"&gt;"}; text=${text//\"/"&quot;"}
  printf '%s' "$text"
}

# One test case of a report; it failed when a message is given.
testcase_xml() {  # class, name[, failure message]
  printf '  <testcase name="%s" classname="%s">' "$(xml_escape "$2")" "$(xml_escape "$1")"
  [ -n "${3:-}" ] && printf '<failure message="%s"/>' "$(xml_escape "$3")"
  printf '</testcase>\n'
}

write_report() {  # report file, suite name, tests, failures, test cases
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo "<testsuites tests=\"$3\" failures=\"$4\" disabled=\"0\" errors=\"0\" name=\"$(xml_escape "$2")\">"
    echo "<testsuite name=\"$(xml_escape "$2")\" tests=\"$3\" failures=\"$4\" errors=\"0\">"
    printf '%s' "$5"
    echo '</testsuite>'
    echo '</testsuites>'
  } >"$1"
}

# One test of the report being written; it failed when a message is given.
report_case() {  # class, name[, failure message]
  velo_report_tests=$((velo_report_tests + 1))
  velo_report_cases+=$(testcase_xml "$@")$'\n'
  if [ -n "${3:-}" ]; then
    velo_report_failures=$((velo_report_failures + 1))
    echo "$1: $2: $3" >&2
  fi
}

# Writes the tests given since the last report; fails when one failed.
report_write() {  # report file, suite name
  write_report "$1" "$2" "$velo_report_tests" "$velo_report_failures" \
    "$velo_report_cases"
  local failures=$velo_report_failures
  velo_report_cases="" velo_report_tests=0 velo_report_failures=0
  [ "$failures" -eq 0 ]
}

# The number of tests a report counts; nothing when it is missing or is not
# a finished report.
report_tests() {  # report file
  sed -nE '/<testsuites /{s/.* tests="([0-9]+)".*/\1/p;q}' "$1" 2>/dev/null
}

# A stage's report that is missing, unfinished or counts no test is replaced
# by one failed test that names the stage and why.
require_report() {  # report file, stage name, why it may be missing
  local tests why
  tests=$(report_tests "$1")
  [ -n "$tests" ] && [ "$tests" -gt 0 ] && return 0
  why="$2: $3"
  [ -f "$1" ] && why="$2: its report counts no test"
  echo "$why" >&2
  write_report "$1" "$2" 1 1 "$(testcase_xml Stages "$why" "$why")"$'\n'
  return 1
}
