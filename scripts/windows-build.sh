#!/usr/bin/env bash
# Cross-builds what the Windows (x86_64, MinGW-w64) program needs, from Debian's
# own sources only, into caches outside the clone:
#   Qt 6.4.2 (Core, Gui, Widgets, PrintSupport, Test, the windows platform plugin)
#       -> $TAMRIK_WIN_QT   (default ~/.cache/tamrik-win64-qt-6.4.2)
#   SQLite (static) and GoogleTest
#       -> $TAMRIK_WIN_DEPS (default ~/.cache/tamrik-win64-deps)
# Sources and build trees go to $TAMRIK_WIN_WORK (default ~/.cache/tamrik-win64-work);
# a build that stopped half-way picks up where it stopped when run again.
# A prefix with its .complete stamp is reused as it stands.
#
# Usage: scripts/windows-build.sh [--qt-only | --deps-only | --all]
#   --qt-only    Qt only (about an hour on two cores)
#   --deps-only  SQLite and GoogleTest only
#   --all        (default) Qt, SQLite, GoogleTest, then the program and the
#                installer, which are not written yet
#
# Needs (Debian): g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix cmake
# ninja-build dpkg-dev tcl qt6-base-dev qt6-base-dev-tools libgtest-dev, and a
# deb-src entry for apt-get source.
set -euo pipefail

readonly QT_VERSION=6.4.2
readonly TRIPLET=x86_64-w64-mingw32
readonly JOBS=2

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly ROOT
readonly TOOLCHAIN_SRC="$ROOT/cmake/mingw-w64-x86_64.cmake"
readonly QT_PREFIX=${TAMRIK_WIN_QT:-$HOME/.cache/tamrik-win64-qt-$QT_VERSION}
readonly DEPS_PREFIX=${TAMRIK_WIN_DEPS:-$HOME/.cache/tamrik-win64-deps}
readonly WORK=${TAMRIK_WIN_WORK:-$HOME/.cache/tamrik-win64-work}
# Both caches must agree with what the toolchain file reads.
export TAMRIK_WIN_QT=$QT_PREFIX TAMRIK_WIN_DEPS=$DEPS_PREFIX

log() { printf '[windows-build %(%H:%M:%S)T] %s\n' -1 "$*" >&2; }
die() { log "error: $*"; exit 1; }
# Heavy steps give way to everyone else on the machine.
heavy() { nice -n 19 "$@"; }

need_tools() {
  local missing=() t
  for t in "$TRIPLET-gcc-posix" "$TRIPLET-g++-posix" "$TRIPLET-windres" "$TRIPLET-ar" \
           cmake ninja dpkg-source tclsh /usr/lib/qt6/libexec/moc; do
    command -v "$t" >/dev/null || missing+=("$t")
  done
  ((${#missing[@]} == 0)) || die "missing tools: ${missing[*]} (see the header of this script)"
}

# Unpacks Debian's source package $1 under $WORK/src once and prints its folder.
debian_source() {
  local pkg=$1 dir=$WORK/src/$1 found
  if [[ ! -f $dir/.unpacked ]]; then
    log "fetching Debian source of $pkg"
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get source "$pkg" >&2) \
      || die "apt-get source $pkg failed: it needs a 'Types: deb-src' entry in /etc/apt/sources.list.d"
    touch "$dir/.unpacked"
  fi
  found=$(find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  [[ -n $found ]] || die "no unpacked source under $dir"
  printf '%s\n' "$found"
}

# ---------------------------------------------------------------- Qt ----

build_qt() {
  # Qt bakes the toolchain's path into its qt-cmake, so the copy it uses
  # lives in the prefix, not in a clone that may go away; refreshed each run
  # so that qt-cmake follows changes to the toolchain.
  mkdir -p "$QT_PREFIX/toolchain"
  cp "$TOOLCHAIN_SRC" "$QT_PREFIX/toolchain/"
  if [[ -f $QT_PREFIX/.complete ]]; then
    log "Qt: reusing $QT_PREFIX"
    return
  fi
  local src build=$WORK/qt-build
  src=$(debian_source qt6-base)
  grep -q "$QT_VERSION" "$src/.cmake.conf" || die "$src is not Qt $QT_VERSION"

  if [[ ! -f $build/build.ninja ]]; then
    log "Qt: configuring in $build"
    # Debian's host moc/rcc/uic are the same 6.4.2. The dfsg tarball has no
    # wintab header, hence no tablet events. OpenGL stays on: without it the
    # 6.4.2 windows platform plugin does not compile.
    heavy cmake -S "$src" -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/toolchain/mingw-w64-x86_64.cmake" \
      -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" \
      -DCMAKE_BUILD_TYPE=Release \
      -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
      -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
      -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
      -DFEATURE_tabletevent=OFF \
      -DFEATURE_pkg_config=OFF \
      -DFEATURE_testlib=ON -DFEATURE_printsupport=ON -DFEATURE_widgets=ON \
      -DFEATURE_opengl=ON
  fi
  log "Qt: building (-j$JOBS, niced)"
  heavy cmake --build "$build" --parallel "$JOBS"
  log "Qt: installing into $QT_PREFIX"
  cmake --install "$build"
  [[ -x $QT_PREFIX/bin/qt-cmake ]] || die "Qt installed without bin/qt-cmake"
  [[ -f $QT_PREFIX/plugins/platforms/qwindows.dll ]] || die "Qt installed without the windows platform plugin"
  date -u +%FT%TZ > "$QT_PREFIX/.complete"
  log "Qt: done"
}

# ------------------------------------------------------------ SQLite ----

build_sqlite() {
  if [[ -f $DEPS_PREFIX/.sqlite-complete ]]; then
    log "SQLite: reusing $DEPS_PREFIX"
    return
  fi
  local src amal=$WORK/sqlite-amalgamation obj=$WORK/sqlite-obj
  src=$(debian_source sqlite3)

  # Debian ships the canonical tree; its makefile (host cc and tclsh) makes
  # the single sqlite3.c that is then compiled for Windows.
  if [[ ! -f $amal/sqlite3.c ]]; then
    log "SQLite: making the amalgamation"
    rm -rf "$amal" && mkdir -p "$amal"
    (cd "$amal" && heavy "$src/configure" --disable-tcl >/dev/null \
      && heavy make -j"$JOBS" sqlite3.c sqlite3.h >/dev/null)
  fi

  log "SQLite: compiling for $TRIPLET"
  rm -rf "$obj" && mkdir -p "$obj" "$DEPS_PREFIX/lib" "$DEPS_PREFIX/include"
  heavy "$TRIPLET-gcc-posix" -O2 -c "$amal/sqlite3.c" -o "$obj/sqlite3.o" \
    -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION
  rm -f "$DEPS_PREFIX/lib/libsqlite3.a"
  "$TRIPLET-ar" rcs "$DEPS_PREFIX/lib/libsqlite3.a" "$obj/sqlite3.o"
  cp "$amal/sqlite3.h" "$amal/sqlite3ext.h" "$DEPS_PREFIX/include/" 2>/dev/null \
    || cp "$amal/sqlite3.h" "$DEPS_PREFIX/include/"
  date -u +%FT%TZ > "$DEPS_PREFIX/.sqlite-complete"
  log "SQLite: done"
}

# -------------------------------------------------------- GoogleTest ----

build_gtest() {
  if [[ -f $DEPS_PREFIX/.gtest-complete ]]; then
    log "GoogleTest: reusing $DEPS_PREFIX"
    return
  fi
  # libgtest-dev carries Debian's googletest source; the source package is
  # the fallback when it is not installed.
  local src=/usr/src/googletest build=$WORK/gtest-build
  [[ -f $src/CMakeLists.txt ]] || src=$(debian_source googletest)

  log "GoogleTest: building from $src"
  heavy cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_SRC" \
    -DCMAKE_INSTALL_PREFIX="$DEPS_PREFIX" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -DBUILD_SHARED_LIBS=OFF \
    -Dgtest_disable_pthreads=OFF
  heavy cmake --build "$build" --parallel "$JOBS"
  cmake --install "$build"
  date -u +%FT%TZ > "$DEPS_PREFIX/.gtest-complete"
  log "GoogleTest: done"
}

# ------------------------------------------------------ later stages ----

# TODO: cross-build the program with the toolchain file and the deps prefix,
# run the tests under Wine, and gather the DLLs beside tamrik.exe. The build
# runs tamrik-ruledb and rawpixels through Wine, so it needs WINEPATH naming
# the MinGW runtime folders and $QT_PREFIX/bin.
build_program() {
  log "TODO: the program's Windows build is not written yet"
  exit 3
}

# TODO: make the NSIS installer from the gathered folder.
build_installer() {
  log "TODO: the Windows installer is not written yet"
  exit 3
}

main() {
  local mode=${1:---all}
  need_tools
  mkdir -p "$WORK"
  case $mode in
    --qt-only) build_qt ;;
    --deps-only) build_sqlite; build_gtest ;;
    --all) build_qt; build_sqlite; build_gtest; build_program; build_installer ;;
    -h|--help) sed -n '2,21p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' ;;
    *) die "unknown option: $mode (try --help)" ;;
  esac
}

main "$@"
