#!/usr/bin/env bash
# Builds everything: the portable code and its tests natively (with
# sanitizers), Velocine.exe and its setup, and the test executables that run
# under Wine; on a host that runs Windows programs as 64-bit twins
# (scripts/windows-bits.sh), the twins of everything that must run too.
# "scripts/build.sh program" builds the program and its setup alone (and
# their twins).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
jobs=$(nproc)
source scripts/windows-bits.sh

# A folder is configured once, and anew from nothing when its arguments
# change (a folder left by an older build names files that may be gone).
configure() {  # folder, cmake arguments...
  local dir=$1; shift
  local stamp=$dir/configured-with
  [ -f "$dir/build.ninja" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$*" ] && return
  rm -rf "$dir"
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  echo "$*" >"$stamp"
}
configure_windows() {  # folder, i686|x86_64, win32|posix, cmake arguments...
  local dir=$1 arch=$2 threads=$3; shift 3
  configure "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake \
    -DVELO_MINGW_ARCH="$arch" -DVELO_MINGW_THREADS="$threads" "$@"
}

# The shipped files are the 32-bit ones, built on every host.
configure build/native -DCMAKE_BUILD_TYPE=Debug -DVELO_RESULTS_DIR="$top/build/results"
configure_windows build/win i686 win32 -DCMAKE_BUILD_TYPE=MinSizeRel
if [ "$VELO_WINDOWS_BITS" = 32 ]; then
  configure_windows build/wintest i686 posix -DCMAKE_BUILD_TYPE=Debug \
    -DVELO_WINE_TESTS=ON
  dirs=(build/native build/win build/wintest)
  program_dirs=(build/win)
else
  configure_windows build/win64 x86_64 win32 -DCMAKE_BUILD_TYPE=MinSizeRel
  configure_windows build/wintest64 x86_64 posix -DCMAKE_BUILD_TYPE=Debug \
    -DVELO_WINE_TESTS=ON
  dirs=(build/native build/win build/win64 build/wintest64)
  program_dirs=(build/win build/win64)
fi

if [ "${1:-}" = program ]; then
  for dir in "${program_dirs[@]}"; do
    cmake --build "$dir" -j "$jobs" --target Velocine VelocineSetup
  done
  exit 0
fi
for dir in "${dirs[@]}"; do
  cmake --build "$dir" -j "$jobs"
done
