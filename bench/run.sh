#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the scoring steps with
# Google Benchmark; the start-up (main window alone, and the whole program with
# its splash) against two floors, a bare Qt window and the same window with
# one Thai label, timed with hyperfine, peak memory with GNU time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
"$root/scripts/setup-debian.sh"
for p in libbenchmark-dev hyperfine time; do
  dpkg-query -W -f="${Status}" "$p" 2>/dev/null | grep -q "install ok installed" || need="${need:-} $p"
done
if [ -n "${need:-}" ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y -qq --no-install-recommends $need
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTAMRIK_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target bench_scoring bench_startup bench_startup_floor bench_startup_thai_floor \
  bench_startup_splash ruledb_data
cd "$build"
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" ./bin/bench_scoring
export QT_QPA_PLATFORM=offscreen
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
