#!/usr/bin/env bash
# The page of what Velocine writes where on each Windows release, and on
# which of Microsoft's texts each place rests (docs/registry-values.md),
# made from the program's location tables by the native build's
# registry_values_page.
#   scripts/registry-values.sh             writes the page anew
#   scripts/registry-values.sh --check R   after a build: fails, in the
#       report R, when the checked-in page is not what the tables give
#       (then write it anew)
set -uo pipefail
cd "$(dirname "$0")/.."
maker=build/native/registry_values_page
page=docs/registry-values.md

if [ "${1:-}" = --check ]; then
  source scripts/reports.sh
  wrong=""
  if [ ! -x "$maker" ]; then
    wrong="the build left no $maker"
  elif ! made=$("$maker"); then
    wrong="$maker failed"
  elif [ ! -f "$page" ]; then
    wrong="$page is missing (write it with scripts/registry-values.sh)"
  elif [ "$made" != "$(cat "$page")" ]; then
    wrong="$page is not what the location tables give:"
    wrong+=" $(diff "$page" <(printf '%s\n' "$made") | grep '^[<>]' | head -n 2 | paste -sd ' ' -)"
    wrong+=" (write it anew with scripts/registry-values.sh)"
  fi
  report_case RegistryValues "$page is what the location tables give" "$wrong"
  report_write "$2" registry-values
  exit
fi

[ -x "$maker" ] || { echo "build first: scripts/build.sh" >&2; exit 1; }
"$maker" >"$page.new" && mv "$page.new" "$page"
