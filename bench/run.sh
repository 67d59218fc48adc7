#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the scoring steps, the
# engine and the all-faculties window with Google Benchmark; the start-up (main
# window alone, and the whole program with its splash) against two floors, a
# bare Qt window and the same window with one Thai label, timed with hyperfine,
# peak memory with GNU time; tamrik-calc over generated data with hyperfine
# (COHORT=200000 for the whole national cohort; 10000 by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
"$root/scripts/setup-debian.sh"
for p in libbenchmark-dev hyperfine time sqlite3 python3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need="${need:-} $p"
done
if [ -n "${need:-}" ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y -qq --no-install-recommends $need
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTAMRIK_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target bench_scoring bench_engine bench_allfaculties bench_startup bench_startup_floor \
  bench_startup_thai_floor bench_startup_splash ruledb_data tamrik-calc tamrik-ruledb
cd "$build"
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" ./bin/bench_scoring
# The start-up's checks (whole file, tables, content digest, or the values without one) over 9,999 faculties.
mkdir -p "$build/generated"
python3 "$root/bench/generate.py" ruledb "$root/data" "$build/generated/f9999" 9999
rm -f "$build/generated/f9999.mdb"
./bin/tamrik-ruledb build "$build/generated/f9999" -o "$build/generated/f9999.mdb" --no-check >/dev/null
TAMRIK_RULE_DB="$build/generated/f9999.mdb" ./bin/bench_scoring --benchmark_filter='Open|Digest|ValueChecks'
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" taskset -c 0 ./bin/bench_engine
export QT_QPA_PLATFORM=offscreen
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" ./bin/bench_allfaculties
programs=(bench_startup_floor bench_startup_thai_floor bench_startup bench_startup_splash)
hyperfine -N --warmup 5 --runs 50 --export-csv startup.csv "${programs[@]/#/./bin/}"

# Peak resident memory in kB: the median of 21 runs.
peak_rss() {
  for _ in $(seq 21); do /usr/bin/time -f %M "$1" 2>&1 >/dev/null | tail -n1; done |
    sort -n | awk '{v[NR] = $1} END {print v[(NR + 1) / 2]}'
}
median_ms() { awk -F, -v c="./bin/$1" '$1 == c {printf "%.1f", $4 * 1000}' startup.csv; }
echo
printf '%-26s %10s %10s %12s %10s\n' program "median ms" "x Thai" "peak RSS kB" "x Thai"
floor_ms=$(median_ms bench_startup_thai_floor)
floor_kb=$(peak_rss ./bin/bench_startup_thai_floor)
for p in "${programs[@]}"; do
  ms=$(median_ms "$p")
  kb=$(peak_rss "./bin/$p")
  printf '%-26s %10s %10s %12s %10s\n' "$p" "$ms" "$(awk -v a="$ms" -v b="$floor_ms" 'BEGIN {printf "%.2f", a / b}')" \
    "$kb" "$(awk -v a="$kb" -v b="$floor_kb" 'BEGIN {printf "%.2f", a / b}')"
done

# --all over 32,767 faculties (the most page 1 can count) against reading the
# same tables once with the sqlite3 shell.
gen="$build/generated"
mkdir -p "$gen"
# Its codes past 9999 take five digits, which `tamrik-ruledb check` refuses
# (page 1's code box holds four), so this database is built and not checked;
# tamrik-calc reads every code all the same.
python3 "$root/bench/generate.py" ruledb "$root/data" "$gen/f32767" 32767
rm -f "$gen/f32767.mdb" && ./bin/tamrik-ruledb build "$gen/f32767" -o "$gen/f32767.mdb" --no-check >/dev/null
hyperfine -N --warmup 2 --runs 10 \
  "sqlite3 $gen/f32767.mdb -init $root/bench/read-rule-tables.sql .quit" \
  "./bin/tamrik-calc --db $gen/f32767.mdb --all --scores 01=75,02=68.5,03=80,04=55 --gpa 3.25 --pr 85.5"

# A national cohort: applicants x 1,000 faculties, the best four each, both cores.
cohort=${COHORT:-10000}
python3 "$root/bench/generate.py" ruledb "$root/data" "$gen/f1000" 1000
rm -f "$gen/f1000.mdb" && ./bin/tamrik-ruledb build "$gen/f1000" -o "$gen/f1000.mdb" >/dev/null
./bin/tamrik-ruledb check "$gen/f1000.mdb"
python3 "$root/bench/generate.py" applicants "$gen/applicants.csv" "$cohort"
hyperfine -N --runs 1 \
  "./bin/tamrik-calc --db $gen/f1000.mdb --batch $gen/applicants.csv --top 4 --jobs 2 -o $gen/results.csv"
