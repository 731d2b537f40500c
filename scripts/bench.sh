#!/usr/bin/env bash
# Runs the benchmarks and prints their figures: start-up time and memory of
# Velocine.exe under Wine beside a minimal dialog program and one that loads
# what Velocine must load, what each start-up step costs, the program's size
# and the DLLs it imports, the settings store's cost per operation, and what
# each receive window does for a download on the line lab's lines, with
# the MTU finder's probes, seconds and round trip on each.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
runs=${1:-10}

scripts/setup.sh
scripts/build.sh
# Figures come from an optimised build without sanitizers.
[ -f build/bench-native/build.ninja ] ||
  cmake -S . -B build/bench-native -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELO_SANITIZE=OFF -DVELO_RESULTS_DIR="$top/build/results" >/dev/null
cmake --build build/bench-native -j "$(nproc)"

echo "== Velocine.exe"
size=$(stat -c %s build/win/Velocine.exe)
echo "  size: $size bytes ($((size / 1024)) KiB; limit 262,144 bytes, checked by the test run)"
echo "  imports: $(i686-w64-mingw32-objdump -p build/win/Velocine.exe |
  sed -n 's/.*DLL Name: //p' | sort -f | tr '\n' ' ')"

# What a dial-up user downloads: the setup program, beside what it holds.
echo "== VelocineSetup.exe"
setup=$(stat -c %s build/win/VelocineSetup.exe)
languages=$(cat res/Lang/* | wc -c)
echo "  size: $setup bytes ($((setup / 1024)) KiB); it holds Velocine.exe" \
  "($((size / 1024)) KiB) and $(ls res/Lang | wc -l) language files and flags" \
  "($((languages / 1024)) KiB), compressed"
echo "  download on a 56K modem (about 5 KiB/s): $((setup / 5120 + 1)) s;" \
  "the aim is 180,000 bytes, about 35 s"

VELO_WINEPREFIX=${VELO_WINEPREFIX:-$top/build/wineprefix-bench}
source scripts/wine-env.sh
# Under Wine: the program, its setup and the floors of one width, the one
# this host runs.
windows_bits_line
wine_prefix_ready
wine_set_version winxp

# Velocine as a user has it: installed by its setup, which leaves AppPath
# and the language in the registry and every language file and flag in the
# Lang folder; the program reads them all before its window shows.
xvfb-run -a -s "-screen 0 1024x768x24" wine "$VELO_WIN_DIR/VelocineSetup.exe" /S
installed=$(wine reg query 'HKCU\Software\Velocine' /v AppPath |
  sed -n 's/.*REG_SZ[[:space:]]*//p' | tr -d '\r')
echo "== start-up under Wine (Velocine installed in $installed," \
  "$(ls "$(winepath -u "$installed")/Lang" | wc -l) files in its Lang folder)"
xvfb-run -a -s "-screen 0 1024x768x24" \
  wine explorer /desktop=VelocineBench,1024x768 "$VELO_WIN_DIR/startup_bench.exe" \
  "$installed\Velocine.exe" \
  "$(windows_path "$VELO_WIN_DIR/MinimalDialog.exe")" \
  "$(windows_path "$VELO_WIN_DIR/LoadedDialog.exe")" "$runs"

for bench in build/bench-native/*_bench; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench") (native, in-memory registry)"
  "$bench"
done
# On a display: the start-up steps open the main window.
for bench in "$VELO_WINTEST_DIR"/*_bench.exe; do
  [ -f "$bench" ] || continue
  echo "== $(basename "$bench" .exe) (under Wine, real registry)"
  xvfb-run -a -s "-screen 0 1024x768x24" \
    wine explorer /desktop=VelocineBench,1024x768 "$bench"
done
wineserver -k 2>/dev/null || true

# On the line lab's lines (network namespaces; root): never fails the bench.
echo "== receive windows on the line lab (a download with the receiver's" \
  "window held to each)"
LINE_BENCH_VELOCINE="$(winepath -u "$installed")/Velocine.exe" \
  bench/line-windows.sh build/bench-native || echo "  the line bench did not finish"
