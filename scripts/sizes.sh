#!/usr/bin/env bash
# Checks what a dial-up user downloads and runs against its limits, and
# reports it as a test report of its own (sizes do not vary between machines,
# so they are tested, not benchmarked): Velocine.exe and its setup each at
# most their limit, and Velocine.exe importing only the DLLs it imports on
# every Windows from 95 on, so that no cut brings in another. The 32-bit
# build in build/win is what ships.
# Usage: scripts/sizes.sh RESULTS_FOLDER
set -uo pipefail
cd "$(dirname "$0")/.."
report=$1/sizes.xml
program=build/win/Velocine.exe
setup=build/win/VelocineSetup.exe

# What is checked: a name, the file, and its limit in bytes.
limits=("Velocine.exe $program $((256 * 1024))"
        "VelocineSetup.exe $setup 180000")
imports="ADVAPI32.dll COMCTL32.DLL GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll OLEAUT32.dll USER32.dll VERSION.dll"

failures=0
cases=""
check() {  # name, failure message (empty when it passed)
  cases+="  <testcase name=\"$1\" classname=\"Sizes\">"
  if [ -n "$2" ]; then
    failures=$((failures + 1))
    cases+="<failure message=\"$2\"/>"
    echo "sizes: $1: $2" >&2
  fi
  cases+="</testcase>"$'\n'
}

for limit in "${limits[@]}"; do
  read -r name file bytes <<<"$limit"
  size=$(stat -c %s "$file" 2>/dev/null || echo missing)
  if [ "$size" = missing ]; then
    check "$name" "$file is missing"
  elif [ "$size" -gt "$bytes" ]; then
    check "$name" "$file is $size bytes, over its limit of $bytes"
  else
    check "$name" ""
    echo "sizes: $name: $size bytes (limit $bytes)"
  fi
done

imported=$(i686-w64-mingw32-objdump -p "$program" 2>/dev/null |
  sed -n 's/.*DLL Name: //p' | sort -f | tr '\n' ' ' | sed 's/ $//')
if [ "$imported" = "$imports" ]; then
  check "Velocine.exe imports" ""
else
  check "Velocine.exe imports" "$program imports [$imported], not [$imports]"
fi

total=$((${#limits[@]} + 1))
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo "<testsuites tests=\"$total\" failures=\"$failures\" disabled=\"0\" errors=\"0\" name=\"sizes\">"
  echo "<testsuite name=\"Sizes\" tests=\"$total\" failures=\"$failures\" errors=\"0\">"
  printf '%s' "$cases"
  echo '</testsuite>'
  echo '</testsuites>'
} > "$report"
[ "$failures" -eq 0 ]
