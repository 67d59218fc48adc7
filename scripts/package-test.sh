#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it on this
# machine, starts the installed programs as an ordinary user (the window under
# Xvfb), and removes the package again, checking that nothing of it is left in
# /usr. Run as root (it installs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-package"

[ "$(id -u)" -eq 0 ] || { echo "package-test.sh installs a package: run it as root" >&2; exit 2; }
"$root/scripts/setup-debian.sh" lintian
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2
rm -f "$build"/tamrik_*.deb
cmake --build "$build" --target package
deb=$(ls "$build"/tamrik_*_amd64.deb)
# Every tag shown, down to the info level; an error or a warning fails.
lintian --display-level ">=info" --fail-on error,warning "$deb" || { echo "FAIL: lintian" >&2; exit 1; }

work=$(mktemp -d)
chmod 755 "$work"
display=""
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A clean start: an earlier copy would hide a missing file.
dpkg-query -W -f='${Status}' tamrik 2>/dev/null | grep -q "install ok installed" &&
  apt-get remove --purge -y -qq tamrik >/dev/null
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
dpkg -L tamrik >"$work/files"
for f in /usr/bin/tamrik /usr/bin/tamrik-calc /usr/bin/tamrik-ruledb /usr/share/tamrik/ScoreRule.mdb; do
  [ -e "$f" ] || fail "$f is not installed"
done
[ ! -e /usr/lib/tamrik ] || fail "/usr/lib/tamrik is still installed"

# The installed folders are writable only by root, so the programs run as an
# ordinary user, who must get param.opt and the entries file in their own
# data folder.
user_home="$work/home"
mkdir -p "$user_home/run"
chmod 700 "$user_home/run"
chown -R nobody:nogroup "$user_home"
# Xvfb picks a free display itself and names it once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
display=":$(head -n1 "$work/display")"

# A command, not a function: started in the background, its own pid is the
# program's, which xdotool looks for.
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
  env -i HOME="$user_home" XDG_RUNTIME_DIR="$user_home/run" DISPLAY="$display" PATH=/usr/bin:/bin LANG=C.UTF-8)
"${as_user[@]}" /usr/bin/tamrik &
app_pid=$!
window=""
for _ in $(seq 100); do
  window=$(DISPLAY="$display" xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1) && [ -n "$window" ] && break
  kill -0 "$app_pid" 2>/dev/null || fail "tamrik ended at start-up"
  sleep 0.1
done
[ -n "$window" ] || fail "no tamrik window came up"
echo "window up: $(DISPLAY="$display" xdotool getwindowname "$window")"
data="$user_home/.local/share/Tamrik"
for f in param.opt TamrikTemp.tmp; do
  [ -f "$data/$f" ] || fail "$data/$f was not written"
  [ "$(stat -c %U "$data/$f")" = nobody ] || fail "$data/$f does not belong to the user"
done
for f in param.opt TamrikTemp.tmp; do
  [ ! -e "/usr/bin/$f" ] && [ ! -e "/usr/share/tamrik/$f" ] || fail "the program wrote $f into an installed folder"
done
kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=""

# tamrik-calc finds the installed rule database by itself.
"${as_user[@]}" /usr/bin/tamrik-calc --version
"${as_user[@]}" /usr/bin/tamrik-calc --faculty 1 --score 01=70 >"$work/found.txt" || fail "tamrik-calc did not find its database"
"${as_user[@]}" /usr/bin/tamrik-calc --faculty 1 --score 01=70 --db /usr/share/tamrik/ScoreRule.mdb >"$work/named.txt"
[ -s "$work/found.txt" ] && cmp -s "$work/found.txt" "$work/named.txt" || fail "tamrik-calc read another database"

apt-get remove --purge -y -qq tamrik >/dev/null
left=0
while read -r f; do
  case $f in /usr/*) ;; *) continue ;; esac
  [ -e "$f" ] || [ -L "$f" ] || continue
  # A folder another package shares (/usr/share/man/man1, ...) stays.
  [ -d "$f" ] && dpkg -S "$f" >/dev/null 2>&1 && continue
  echo "left behind: $f" >&2
  left=1
done <"$work/files"
[ "$left" -eq 0 ] || fail "the package left files in /usr"
echo "package test passed: $(basename "$deb")"
