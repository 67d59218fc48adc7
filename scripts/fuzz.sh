#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang++ in build-fuzz/ and runs
# each for SECONDS (default 60), starting from the seed corpus in
# fuzz/corpus/<harness>/. What a run finds is kept in build-fuzz/corpus/, and
# a failing input as build-fuzz/crash-* (or leak-*, timeout-*); after all
# have run, the script fails when any of them did. Under CI the random seed
# is fixed, so a run there repeats what was checked before it landed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
harnesses=(fuzz_numtext fuzz_textfiles fuzz_csv fuzz_ruleload fuzz_report fuzz_csvstream)

"$root/scripts/setup-debian.sh"
# Loudly: a fuzz run that quietly did nothing would pass.
command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is needed (apt-get install clang libclang-rt-14-dev)" >&2; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTAMRIK_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target "${harnesses[@]}"

failed=()
for h in "${harnesses[@]}"; do
  work="$build/corpus/$h"
  log="$build/$h.log"
  mkdir -p "$work"
  echo "== $h: $seconds s"
  # Inputs up to 12 KB reach past the 8 KB the file readers take.
  if (cd "$build" && "$build/bin/$h" -max_total_time="$seconds" ${CI:+-seed=1} -max_len=12288 -timeout=10 \
        -print_final_stats=1 "$work" "$root/fuzz/corpus/$h" >"$log" 2>&1); then
    grep -E "^stat::number_of_executed_units" "$log" || true
  else
    tail -n 40 "$log"
    failed+=("$h")
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz.sh: failed: ${failed[*]}; inputs in $build/crash-* (logs: $build/<harness>.log)" >&2
  exit 1
fi
