#!/usr/bin/env bash
# Checks the files a user gets, as built, without running them (so on every
# host, also where 32-bit programs cannot run): Velocine.exe and its setup
# are 32-bit programs that Windows 95 and NT 4.0 load, the program imports
# only the system DLLs it always has, neither is larger than a dial-up user
# should have to download, and setup is the ANSI one that runs on 95/98/Me.
# Writes a test report.
# Usage: scripts/shipped-files.sh REPORT.xml
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/reports.sh
report=$1
program=build/win/Velocine.exe
setup=build/win/VelocineSetup.exe
# 256 KiB for the program, 264 KiB for setup; sizes do not vary between
# machines, so these are plain checks.
program_limit=262144
setup_limit=270336
imports="advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll user32.dll version.dll"

# A check's failure, or nothing when the headers say what they must.
expect_header() {  # file, its headers (objdump -p), wanted line as a pattern
  grep -Eq "$3" <<<"$2" || printf '%s: no "%s" in its headers. ' "$1" "$3"
}
program_headers=$(i686-w64-mingw32-objdump -p "$program" 2>/dev/null)
setup_headers=$(i686-w64-mingw32-objdump -p "$setup" 2>/dev/null)

for file in "$program" "$setup"; do
  name=$(basename "$file")
  [ "$file" = "$program" ] && h=$program_headers || h=$setup_headers
  report_case ShippedFiles "$name is a 32-bit program" \
    "$(expect_header "$file" "$h" 'file format pei-i386')"
  report_case ShippedFiles "$name runs on Windows 95 and NT 4.0 (subsystem 4.0, GUI)" \
    "$(expect_header "$file" "$h" '^MajorSubsystemVersion[[:space:]]+4$')$(
       expect_header "$file" "$h" '^MinorSubsystemVersion[[:space:]]+0$')$(
       expect_header "$file" "$h" '^Subsystem[[:space:]]+00000002')"
done
found=$(sed -n 's/.*DLL Name: //p' <<<"$program_headers" | tr 'A-Z' 'a-z' |
        sort | tr '\n' ' ' | sed 's/ $//')
wrong=""
[ "$found" = "$imports" ] || wrong="Velocine.exe imports '$found', not '$imports'"
report_case ShippedFiles "Velocine.exe imports the nine system DLLs and no other" "$wrong"
for entry in "$program:$program_limit" "$setup:$setup_limit"; do
  file=${entry%:*} limit=${entry##*:}
  name=$(basename "$file")
  size=$(stat -c %s "$file" 2>/dev/null || echo missing)
  over=""
  [ "$size" != missing ] && [ "$size" -le "$limit" ] ||
    over="$name is $size bytes, over its limit of $limit."
  report_case ShippedFiles "$name is at most $limit bytes" "$over"
done
ansi=$(expect_header "$setup" "$setup_headers" '[[:space:]]CreateFileA$')
grep -Eq '[[:space:]]CreateFileW$' <<<"$setup_headers" &&
  ansi+="$setup imports CreateFileW."
report_case ShippedFiles "VelocineSetup.exe is the ANSI setup" "$ansi"
report_write "$report" shipped-files
