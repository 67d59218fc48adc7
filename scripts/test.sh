#!/usr/bin/env bash
# Sets up, builds and runs every test through CTest. With TAMRIK_SANITIZE=1
# the whole build uses AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup-debian.sh"
if [ "${TAMRIK_SANITIZE:-0}" = 1 ]; then
  build="$root/build-sanitize"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTAMRIK_SANITIZE=ON >/dev/null
else
  build="$root/build-test"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2
