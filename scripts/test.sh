#!/usr/bin/env bash
# Builds everything and runs every test: the portable tests natively (among
# them the replay of every fuzz target's seed corpus and the model's generated
# sequences), the checks of the shipped files and of the page of registry
# values, then the Windows tests and the setup program under Wine on a
# virtual display (on a host without 32-bit Wine, on their 64-bit twins).
# Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
top=$PWD

scripts/setup.sh || exit 1
source scripts/windows-bits.sh
windows_bits_line
scripts/build.sh || exit 1

results=$top/build/results
rm -rf "$results"; mkdir -p "$results"
source scripts/reports.sh

echo "== native tests"
build/native/unit_tests --gtest_output="xml:$results/native.xml" \
  --gtest_brief=1
require_report "$results/native.xml" "Native tests" "ended without a report"

echo "== the line lab"
tests/linelab/profiles-test.sh "$results/line-lab.xml"

echo "== the shipped files"
scripts/shipped-files.sh "$results/shipped-files.xml"

echo "== the page of the registry values"
scripts/registry-values.sh --check "$results/registry-values.xml"

echo "== the test scripts"
tests/scripts/reports-test.sh "$results/test-scripts.xml"
tests/scripts/setup-test.sh "$results/setup-decisions.xml"
require_report "$results/setup-decisions.xml" "Set-up decisions" "ended without a report"

echo "== tests under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" scripts/wine-tests.sh "$results"

echo "== setup program under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" scripts/setup-tests.sh "$results"

echo "== the README's pictures"
scripts/readme-pictures.sh --check "$results/readme-pictures.xml"

echo "== summary"
windows_bits_line
scripts/summary.sh "$results"
