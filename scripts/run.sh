#!/usr/bin/env bash
# Sets up, builds and starts Tamrik on the bundled rule data. Without a display
# it runs the program under Xvfb and leaves a screenshot of the start-up in the
# build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target tamrik

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/bin/tamrik"
fi

echo "No display: running Tamrik under Xvfb for a few seconds and taking a screenshot."
shot="$build/startup.png"
xvfb-run -a -s "-screen 0 1024x700x24" bash -c '
  "$1" & pid=$!
  sleep 4
  import -window root "$2"
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
' _ "$build/bin/tamrik" "$shot"
echo "Screenshot of the start-up: $shot"
