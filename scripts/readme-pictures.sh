#!/usr/bin/env bash
# Makes the pictures the README shows (docs/pictures/): Velocine as setup
# installs it on Windows 95 in English, its main window and two steps of the
# wizard, taken by the walk through every window under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh
results=$(mktemp -d)
xvfb-run -a -s "-screen 0 1024x768x24" \
  scripts/setup-tests.sh "$results" win95 --gtest_filter='TranslatedRun.*'
rm -rf "$results"

shots=build/screenshots
mkdir -p docs/pictures
cp "$shots/translated-win95-C-main.png" docs/pictures/main-window.png
cp "$shots/translated-win95-C-page2.png" docs/pictures/wizard-mtu.png
cp "$shots/translated-win95-C-page4.png" docs/pictures/wizard-receive-window.png
echo "README pictures: $(ls docs/pictures | tr '\n' ' ')"
