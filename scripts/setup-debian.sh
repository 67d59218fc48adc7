#!/usr/bin/env bash
# Installs what building, running and testing Tamrik needs on Debian 12, and
# nothing when it is all there already. Packages named as arguments are
# installed with the rest (package-test.sh adds lintian).
set -euo pipefail

# qt6-tools-dev and qt6-l10n-tools: CMake's LinguistTools and lrelease, which
# build the Thai translation of Qt's own texts. clang and libclang-rt-14-dev:
# libFuzzer, for scripts/fuzz.sh. libxlsxwriter-dev: the class workbook of
# tamrik-calc; python3-openpyxl: the test that reads it back.
packages=(build-essential cmake libgtest-dev qt6-base-dev qt6-tools-dev qt6-l10n-tools libsqlite3-dev mdbtools-dev
          libxlsxwriter-dev python3-openpyxl
          pkg-config fonts-thai-tlwg xvfb xauth imagemagick poppler-utils x11-utils xdotool
          clang libclang-rt-14-dev "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# Root (CI, a container) has no sudo to call and needs none.
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
