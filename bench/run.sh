#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the scoring steps and the
# engine with Google Benchmark, the start-up against a bare Qt window, and
# tamrik-calc over generated data with hyperfine (COHORT=200000 for the whole
# national cohort; 10000 by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
"$root/scripts/setup-debian.sh"
for p in libbenchmark-dev hyperfine sqlite3 python3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need="${need:-} $p"
done
if [ -n "${need:-}" ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y -qq --no-install-recommends $need
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTAMRIK_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target bench_scoring bench_engine bench_startup bench_startup_floor ruledb_data \
  tamrik-calc tamrik-ruledb
cd "$build"
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" ./bin/bench_scoring
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" taskset -c 0 ./bin/bench_engine
export QT_QPA_PLATFORM=offscreen
hyperfine -N --warmup 5 --runs 50 ./bin/bench_startup_floor ./bin/bench_startup

# --all over 32,767 faculties (the most page 1 can count) against reading the
# same tables once with the sqlite3 shell.
gen="$build/generated"
mkdir -p "$gen"
# Its codes past 9999 take five digits, which `tamrik-ruledb check` refuses
# (page 1's code box holds four), so this database is built and not checked;
# tamrik-calc reads every code all the same.
python3 "$root/bench/generate.py" ruledb "$root/data" "$gen/f32767" 32767
rm -f "$gen/f32767.mdb" && ./bin/tamrik-ruledb build "$gen/f32767" -o "$gen/f32767.mdb" >/dev/null
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
