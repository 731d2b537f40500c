#!/usr/bin/env bash
# Builds everything: the portable code and its tests natively (with
# sanitizers), Velocine.exe, and the test executables that run under Wine.
# "scripts/build.sh program" builds Velocine.exe alone.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
jobs=$(nproc)

configure() {  # folder, cmake arguments...
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
}

configure build/native -DCMAKE_BUILD_TYPE=Debug -DVELO_RESULTS_DIR="$top/build/results"
configure build/win -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DVELO_MINGW_THREADS=win32
configure build/wintest -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DVELO_MINGW_THREADS=posix \
  -DVELO_WINE_TESTS=ON

dirs=(build/native build/win build/wintest)
[ "${1:-}" = program ] && dirs=(build/win)
for dir in "${dirs[@]}"; do
  cmake --build "$dir" -j "$jobs"
done
