#!/usr/bin/env bash
# Builds the benchmarks in Release, runs them and prints the bounds, each a
# ratio taken within this one run (docs/performance.md says what they mean):
#  - the start-up (main window alone, and the whole program with its splash)
#    against a window showing one Thai label, in time (hyperfine) and peak
#    memory (GNU time);
#  - tamrik-calc --all over 9,999 generated faculties, text against the
#    sqlite3 shell reading the same tables, and --json against text;
#  - a score edited in the all-faculties window at 9,999 faculties: every
#    faculty evaluated and ranked, against the bare evaluation of every one;
#  - the all-faculties window at 9,999 faculties: opening it, a score edited
#    (also against the bare evaluation), a key in the name filter;
#  - a cohort of COHORT applicants (200,000 unless set) x 1,000 faculties,
#    --batch --top 4 --jobs 2.
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
gen="$build/generated"
mkdir -p "$gen"

# A generated year of 9,999 faculties, checked as a real year's data is.
python3 "$root/bench/generate.py" ruledb "$root/data" "$gen/f9999" 9999
rm -f "$gen/f9999.mdb"
./bin/tamrik-ruledb build "$gen/f9999" -o "$gen/f9999.mdb" >/dev/null
./bin/tamrik-ruledb check "$gen/f9999.mdb"

TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" ./bin/bench_scoring
# The start-up's checks (whole file, tables, content digest, or the values without one) over 9,999 faculties.
TAMRIK_RULE_DB="$gen/f9999.mdb" ./bin/bench_scoring --benchmark_filter='Open|Digest|ValueChecks'
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" taskset -c 0 ./bin/bench_engine
TAMRIK_RULE_DB="$gen/f9999.mdb" taskset -c 0 ./bin/bench_engine --benchmark_filter='Every' \
  --benchmark_out="$gen/engine9999.csv" --benchmark_out_format=csv
export QT_QPA_PLATFORM=offscreen
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" ./bin/bench_allfaculties

# Peak resident memory in kB: the median of 21 runs.
peak_rss() {
  for _ in $(seq 21); do /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n1; done |
    sort -n | awk '{v[NR] = $1} END {print v[(NR + 1) / 2]}'
}
# The median wall time in ms of a command that hyperfine timed into $1, by
# the command or the name it was given (a command with commas needs a name).
median_ms() { awk -F, -v c="$2" '$1 == c {printf "%.1f", $4 * 1000}' "$1"; }
# Its mean CPU time (user and system) in ms: on a shared machine, what the
# program itself spent.
cpu_ms() { awk -F, -v c="$2" '$1 == c {printf "%.1f", ($5 + $6) * 1000}' "$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
bounds=()
bound() {  # what, measured, unit, most
  bounds+=("$(awk -v w="$1" -v m="$2" -v u="$3" -v b="$4" \
    'BEGIN {printf "%-66s %9s %-2s %6s %-2s %s", w, m, u, b, u, (m + 0 <= b + 0 ? "met" : "NOT MET")}')")
}

programs=(bench_startup_floor bench_startup_thai_floor bench_startup bench_startup_splash)
hyperfine -N --warmup 5 --runs 50 --export-csv startup.csv "${programs[@]/#/./bin/}"
echo
printf '%-26s %10s %10s %12s %10s\n' program "median ms" "x Thai" "peak RSS kB" "x Thai"
floor_ms=$(median_ms startup.csv ./bin/bench_startup_thai_floor)
floor_kb=$(peak_rss ./bin/bench_startup_thai_floor)
for p in "${programs[@]}"; do
  ms=$(median_ms startup.csv "./bin/$p")
  kb=$(peak_rss "./bin/$p")
  printf '%-26s %10s %10s %12s %10s\n' "$p" "$ms" "$(ratio "$ms" "$floor_ms")" "$kb" "$(ratio "$kb" "$floor_kb")"
  case "$p" in
    bench_startup) what="start-up, main window alone" ;;
    bench_startup_splash) what="start-up, whole program with its splash" ;;
    *) continue ;;
  esac
  bound "$what: time / Thai-label floor" "$(ratio "$ms" "$floor_ms")" x 1.45
  bound "$what: peak memory / Thai-label floor" "$(ratio "$kb" "$floor_kb")" x 1.2
done

# --all over 9,999 faculties against reading the same tables once with the
# sqlite3 shell; with --json every faculty below its range works out `needed`.
applicant=(--scores 01=75,02=68.5,03=80,04=55 --gpa 3.25 --pr 85.5)
floor="sqlite3 $gen/f9999.mdb -init $root/bench/read-rule-tables.sql .quit"
text="./bin/tamrik-calc --db $gen/f9999.mdb --all ${applicant[*]}"
hyperfine -N --warmup 2 --runs 20 --export-csv all.csv -n floor "$floor" -n text "$text" -n json "$text --json"
floor_ms=$(median_ms all.csv floor)
text_ms=$(median_ms all.csv text)
json_ms=$(median_ms all.csv json)
bound "--all, 9,999 faculties, text / sqlite3 reading the tables" "$(ratio "$text_ms" "$floor_ms")" x 3
bound "--all, 9,999 faculties, --json / text" "$(ratio "$json_ms" "$text_ms")" x 1.3
bounds+=("$(printf '%-66s %9s %-2s' "  the same in CPU time: text / sqlite3, --json / text" \
  "$(ratio "$(cpu_ms all.csv text)" "$(cpu_ms all.csv floor)"), $(ratio "$(cpu_ms all.csv json)" "$(cpu_ms all.csv text)")" x)")

# A score edited in the all-faculties window, as bench_engine timed it above.
engine_ms() { awk -F, -v b="\"$1\"" '$1 == b {printf "%.3f", $4 / 1000}' "$gen/engine9999.csv"; }
bare_ms=$(engine_ms BM_ScoreEveryFaculty)
rank_ms=$(engine_ms BM_RankEveryFaculty)
bounds+=("$(printf '%-66s %9s %-2s' "every faculty of 9,999 evaluated, bare (bench_engine)" "$bare_ms" ms)")
bound "a score edited, 9,999 faculties: evaluated and ranked" "$rank_ms" ms 16
bound "a score edited, 9,999 faculties: ranked / bare evaluation" "$(ratio "$rank_ms" "$bare_ms")" x 3

# The all-faculties window itself at 9,999 faculties, on the core bench_engine
# had, in CPU time, on a 1366x768 screen: opening it, a score edited (every
# faculty evaluated again and re-ranked, the table and the details updated;
# and a score typed with the window shown and painted), a key in the filter.
QT_QPA_PLATFORM="offscreen:configfile=$root/bench/screen-1366x768.json" \
  TAMRIK_RULE_DB="$gen/f9999.mdb" taskset -c 0 ./bin/bench_allfaculties \
  --benchmark_out="$gen/window9999.csv" --benchmark_out_format=csv
window_ms() {
  awk -F, -v b="\"$1\"" '$1 == b {printf "%.3f", $4 / ($5 == "ms" ? 1 : $5 == "us" ? 1000 : 1000000)}' \
    "$gen/window9999.csv"
}
edit_ms=$(window_ms BM_ScoreEdited)
bound "the window, 9,999 faculties: opened" "$(window_ms BM_OpenWindow)" ms 100
bound "the window, 9,999 faculties: a score edited" "$edit_ms" ms 16
bound "the window, 9,999 faculties: a score edited / bare evaluation" "$(ratio "$edit_ms" "$bare_ms")" x 3
bound "the window, 9,999 faculties: a score edited, shown and painted" "$(window_ms BM_ScoreEditedAndPainted)" ms 16
bound "the window, 9,999 faculties: a key in the name filter" "$(window_ms BM_FilterKeystroke)" ms 4

# A national cohort: applicants x 1,000 faculties, the best four each, both cores.
cohort=${COHORT:-200000}
python3 "$root/bench/generate.py" ruledb "$root/data" "$gen/f1000" 1000
rm -f "$gen/f1000.mdb" && ./bin/tamrik-ruledb build "$gen/f1000" -o "$gen/f1000.mdb" >/dev/null
python3 "$root/bench/generate.py" applicants "$gen/applicants.csv" "$cohort"
batch="./bin/tamrik-calc --db $gen/f1000.mdb --batch $gen/applicants.csv --top 4 --jobs 2 -o $gen/results.csv"
hyperfine -N --runs 1 --export-csv cohort.csv "$batch"
bound "a cohort of $cohort x 1,000 faculties, --top 4 --jobs 2" \
  "$(awk -v ms="$(median_ms cohort.csv "$batch")" 'BEGIN {printf "%.1f", ms / 1000}')" s 120

echo
echo "Bounds ($(nproc) cores, $(uptime | sed 's/.*load average/load average/'))"
printf '%s\n' "${bounds[@]}"
