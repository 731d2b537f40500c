#!/usr/bin/env bash
# Builds everything and runs every test: the portable tests natively (among
# them the replay of every fuzz target's seed corpus and the model's generated
# sequences), then the Windows tests under Wine on a virtual display. Ends
# with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
top=$PWD

scripts/setup.sh || exit 1
scripts/build.sh || exit 1

results=$top/build/results
rm -rf "$results"; mkdir -p "$results"

echo "== native tests"
build/native/unit_tests --gtest_output="xml:$results/native.xml" \
  --gtest_brief=1 || true

echo "== tests under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" scripts/wine-tests.sh "$results" || true

echo "== setup program under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" scripts/setup-tests.sh "$results" || true

echo "== summary"
scripts/summary.sh "$results"
