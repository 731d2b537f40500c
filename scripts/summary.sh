#!/usr/bin/env bash
# Adds up the GoogleTest XML reports in a folder and prints the closing line
# "N passed, N failed"; exits non-zero when anything failed or nothing ran.
set -euo pipefail
dir=$1
tests=0; failures=0; errors=0
for report in "$dir"/*.xml; do
  [ -f "$report" ] || continue
  line=$(grep -m1 '<testsuites ' "$report")
  t=$(sed -E 's/.* tests="([0-9]+)".*/\1/' <<<"$line")
  f=$(sed -E 's/.* failures="([0-9]+)".*/\1/' <<<"$line")
  e=$(sed -E 's/.* errors="([0-9]+)".*/\1/' <<<"$line")
  s=$(sed -nE 's/.* disabled="([0-9]+)".*/\1/p' <<<"$line")
  tests=$((tests + t - ${s:-0})); failures=$((failures + f)); errors=$((errors + e))
  echo "  $(basename "$report" .xml): $t tests, $f failed"
done
failed=$((failures + errors))
echo "$((tests - failed)) passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$tests" -gt 0 ]
