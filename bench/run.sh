#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the scoring steps with
# Google Benchmark, the start-up against a bare Qt window with hyperfine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
"$root/scripts/setup-debian.sh"
for p in libbenchmark-dev hyperfine; do
  dpkg-query -W -f="${Status}" "$p" 2>/dev/null | grep -q "install ok installed" || need="${need:-} $p"
done
if [ -n "${need:-}" ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y -qq --no-install-recommends $need
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTAMRIK_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target bench_scoring bench_allfaculties bench_startup bench_startup_floor ruledb_data
cd "$build"
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" ./bin/bench_scoring
export QT_QPA_PLATFORM=offscreen
TAMRIK_RULE_DB="$build/bin/ScoreRule.mdb" ./bin/bench_allfaculties
hyperfine -N --warmup 5 --runs 50 ./bin/bench_startup_floor ./bin/bench_startup
