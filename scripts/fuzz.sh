#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer (the program's own code too) and runs each for
# SECONDS (60 when not given), starting from its seed corpus in
# fuzz/corpus/<name>; each shows its final coverage ("cov:"). Inputs that
# fail are kept in build/fuzz/findings/<name>/. Ends with "N targets, N
# findings".
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

scripts/setup.sh >/dev/null || exit 1
build=build/fuzz
[ -f "$build/build.ninja" ] || CXX=clang++ cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELO_FUZZ=ON >/dev/null || exit 1

targets=(language_file number_text flag_header user_machine regedit_file)
cmake --build "$build" -j "$(nproc)" \
  --target "${targets[@]/#/fuzz_}" || exit 1

findings=0
for name in "${targets[@]}"; do
  work=$build/corpus/$name; found=$build/findings/$name
  mkdir -p "$work" "$found"
  echo "== $name, $seconds s"
  "$build/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$found/" "$work" "fuzz/corpus/$name" \
    >"$build/$name.log" 2>&1
  grep -E "^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::new_units_added|finding|==[0-9]+==ERROR|SUMMARY)" \
    "$build/$name.log" | sed 's/^/   /'
  count=$(find "$found" -type f | wc -l)
  echo "   $count findings"
  findings=$((findings + count))
done
echo "${#targets[@]} targets, $findings findings"
[ "$findings" -eq 0 ]
