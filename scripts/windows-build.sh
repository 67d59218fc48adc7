#!/usr/bin/env bash
# Tamrik for 64-bit Windows, cross-built on Debian 12 with Debian's packages
# only, tested under Wine, and packaged. What the program needs is built from
# Debian's own sources into caches outside the clone:
#   Qt 6.4.2 (Core, Gui, Widgets, PrintSupport, Test, the windows platform plugin)
#       -> $TAMRIK_WIN_QT   (default ~/.cache/tamrik-win64-qt-6.4.2)
#   SQLite (static) and GoogleTest
#       -> $TAMRIK_WIN_DEPS (default ~/.cache/tamrik-win64-deps)
# Sources and build trees go to $TAMRIK_WIN_WORK (default ~/.cache/tamrik-win64-work);
# a build that stopped half-way picks up where it stopped when run again.
# A prefix with its .complete stamp is reused as it stands.
# Then, in the clone: build-host (rawpixels, tamrik-ruledb and tamrik-calc for
# this machine), build-win (the programs and the window-free tests for
# Windows), dist/tamrik-<version>-win64/ (the portable folder, its DLLs found
# by walking the imports), dist/tamrik-<version>-win64.zip and
# dist/tamrik-<version>-setup.exe (NSIS).
#
# Usage: scripts/windows-build.sh [--all | --qt-only | --deps-only | --program | --package | --ci | --screenshots]
#   --all          (default) Qt, SQLite, GoogleTest, the program, its tests under
#                  Wine, the comparison with the Linux tamrik-calc, the zip,
#                  the installer, and the portable copy run from a Thai folder
#   --qt-only      Qt only (about 65 minutes on two cores under load)
#   --deps-only    SQLite, libxlsxwriter and GoogleTest only
#   --program      the program and its tests, no packages
#   --package      the zip and the installer from the last --program, and
#                  their checks under Wine
#   --ci           as --all when the Qt cache is complete; otherwise says that
#                  it skipped everything and succeeds (CI does not build Qt)
#   --screenshots  pages 1 and 4 under Wine after a scripted run, into docs/
#
# Needs Debian 12 with a deb-src entry (for apt-get source); the set-up
# installs the packages (scripts/setup-debian.sh and the list below).
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
readonly HOST_BUILD=$ROOT/build-host
readonly WIN_BUILD=$ROOT/build-win
readonly DIST=$ROOT/dist
readonly WINE_RUN=$ROOT/cmake/wine-run.sh
export WINE_RUN
# The Wine prefix cmake/wine-run.sh runs in, built once and kept.
export TAMRIK_WINEPREFIX=${TAMRIK_WINEPREFIX:-$WORK/wine}
# Both caches must agree with what the toolchain file reads.
export TAMRIK_WIN_QT=$QT_PREFIX TAMRIK_WIN_DEPS=$DEPS_PREFIX

log() { printf '[windows-build %(%H:%M:%S)T] %s\n' -1 "$*" >&2; }
die() { log "error: $*"; exit 1; }
# Heavy steps give way to everyone else on the machine.
heavy() { nice -n 10 "$@"; }

# What only the Windows build needs, on top of what the Linux build does.
readonly WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                           ninja-build dpkg-dev tcl qt6-base-dev-tools libz-mingw-w64-dev wine wine64 nsis zip unzip
                           fonts-thai-tlwg xvfb xauth xdotool openbox imagemagick ccache)

setup() {
  "$ROOT/scripts/setup-debian.sh" "${WINDOWS_PACKAGES[@]}"
}

need_tools() {
  local missing=() t
  for t in "$TRIPLET-gcc-posix" "$TRIPLET-g++-posix" "$TRIPLET-windres" "$TRIPLET-ar" \
           "$TRIPLET-objdump" "$TRIPLET-strip" cmake ninja dpkg-source tclsh /usr/lib/qt6/libexec/moc wine \
           wineserver makensis zip unzip xvfb-run xdotool openbox import convert; do
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

# True, and says so, when the stamp $1 of the part $2 is there.
already_built() {
  [[ -f $1 ]] || return 1
  log "$2: reusing $(dirname "$1")"
}

# ---------------------------------------------------------------- Qt ----

build_qt() {
  # Qt bakes the toolchain's path into its qt-cmake, so the copy it uses
  # lives in the prefix, not in a clone that may go away; refreshed each run
  # so that qt-cmake follows changes to the toolchain.
  mkdir -p "$QT_PREFIX/toolchain"
  cp "$TOOLCHAIN_SRC" "$ROOT/cmake/wine-run.sh" "$QT_PREFIX/toolchain/"
  already_built "$QT_PREFIX/.complete" Qt && return
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
  already_built "$DEPS_PREFIX/.sqlite-complete" SQLite && return
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

# ---------------------------------------------------- libxlsxwriter ----

# tamrik-calc's class workbook; zlib comes from Debian's libz-mingw-w64-dev.
build_xlsxwriter() {
  already_built "$DEPS_PREFIX/.xlsxwriter-complete" libxlsxwriter && return
  local src build=$WORK/xlsxwriter-build
  src=$(debian_source libxlsxwriter)
  log "libxlsxwriter: building from $src"
  heavy cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_SRC" \
    -DCMAKE_INSTALL_PREFIX="$DEPS_PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DUSE_SYSTEM_MINIZIP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF >/dev/null
  heavy cmake --build "$build" --parallel "$JOBS"
  cmake --install "$build" >/dev/null
  date -u +%FT%TZ > "$DEPS_PREFIX/.xlsxwriter-complete"
  log "libxlsxwriter: done"
}

# -------------------------------------------------------- GoogleTest ----

build_gtest() {
  already_built "$DEPS_PREFIX/.gtest-complete" GoogleTest && return
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

# ----------------------------------------------------------- program ----

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# rawpixels and tamrik-ruledb run at build time: the cross build runs these
# native ones (cmake/HostTools.cmake). tamrik-calc is the Linux side of the
# comparison.
build_host_tools() {
  log "host tools: building in $HOST_BUILD"
  cmake -S "$ROOT" -B "$HOST_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "${launcher[@]}" >/dev/null
  heavy cmake --build "$HOST_BUILD" --parallel "$JOBS" --target rawpixels tamrik-ruledb tamrik-calc ruledb_data
}

build_program() {
  [[ -f $QT_PREFIX/.complete && -f $DEPS_PREFIX/.sqlite-complete && -f $DEPS_PREFIX/.gtest-complete
     && -f $DEPS_PREFIX/.xlsxwriter-complete ]] \
    || die "the Qt, SQLite, libxlsxwriter and GoogleTest caches are not complete: run without --program first"
  build_host_tools
  log "program: cross-building in $WIN_BUILD"
  # -z relro/now and --as-needed are ELF linker options; _FORTIFY_SOURCE
  # would need libssp.
  cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_SRC" \
    -DCMAKE_BUILD_TYPE=Release \
    -DTAMRIK_HARDENING=OFF -DTAMRIK_LEAN=OFF -DTAMRIK_WARNINGS=ON \
    -DTAMRIK_HOST_TOOLS_DIR="$HOST_BUILD" \
    -DBUILD_TESTING=ON "${launcher[@]}" >/dev/null
  heavy cmake --build "$WIN_BUILD" --parallel "$JOBS"
  [[ -f $WIN_BUILD/bin/tamrik.exe ]] || die "no tamrik.exe was built"
  # Not a pipe into grep -q: objdump's broken pipe would fail it under pipefail.
  [[ $("$TRIPLET-objdump" -p "$WIN_BUILD/bin/tamrik.exe") == *"(Windows GUI)"* ]] \
    || die "tamrik.exe is not a window (GUI-subsystem) program"
}

# The window-free tests under Wine (cmake/wine-run.sh).
test_program() {
  log "tests: under Wine"
  # One Wine server for the whole run, up before the first test: a test that
  # started as the last one's server was going away lost its connection to it
  # ("recvmsg: Connection reset by peer") and failed without running. Wine's
  # own services start with it here, away from the tests' output, which CTest
  # reads to its end.
  mkdir -p "$TAMRIK_WINEPREFIX"
  WINEPREFIX=$TAMRIK_WINEPREFIX wineserver -p
  "$WINE_RUN" wineboot >/dev/null 2>&1 </dev/null
  local status=0
  ctest --test-dir "$WIN_BUILD" -j"$JOBS" --output-on-failure --timeout 300 || status=$?
  wine_stop
  return "$status"
}

# tamrik-calc for Windows and for Linux over the same scores, parameters and
# their own builds of the bundled data: the same bytes once CR LF is LF.
# Windows reads its copies under a Thai folder name.
compare_calc() {
  local work=$WIN_BUILD/calc-compare/ข้อมูล args
  rm -rf "$WIN_BUILD/calc-compare" && mkdir -p "$work"
  cp "$WIN_BUILD/bin/ScoreRule.mdb" "$work/"
  printf 'maxminScQor43\r\n2.4397771456\r\n0.5519077994\r\n' > "$work/param.opt"
  args=(--param "$work/param.opt" --scores 01=75,02=68.5,03=80,04=55.25,05=90,06=62,07=71,08=49.5,09=66
        --gpa 3.25 --pr 88.5 --all --json)
  "$HOST_BUILD/bin/tamrik-calc" --db "$HOST_BUILD/bin/ScoreRule.mdb" "${args[@]}" > "$work/linux.json"
  "$WINE_RUN" "$WIN_BUILD/bin/tamrik-calc.exe" --db "Z:$work/ScoreRule.mdb" "${args[@]/$work/Z:$work}" \
    | tr -d '\r' > "$work/windows.json"
  if ! cmp -s "$work/linux.json" "$work/windows.json"; then
    diff "$work/linux.json" "$work/windows.json" | head -20 >&2
    die "tamrik-calc --all --json differs between Linux and Windows (in $work)"
  fi
  log "tamrik-calc --all --json: Linux and Windows give the same $(wc -c < "$work/linux.json") bytes"
  # A class's workbook, which the library writes through a named temporary file there.
  printf 'id,gpa,pr,01,02,03,04\r\nA,3.00,50,70,60,80,55\r\nB,2.50,80,40,90,65,70\r\n' > "$work/class.csv"
  "$WINE_RUN" "$WIN_BUILD/bin/tamrik-calc.exe" --db "Z:$work/ScoreRule.mdb" --batch "Z:$work/class.csv" \
    -o "Z:$work/class.xlsx" || die "tamrik-calc.exe made no workbook"
  unzip -p "$work/class.xlsx" xl/workbook.xml | grep -q '<sheet ' || die "$work/class.xlsx is not a workbook"
  log "tamrik-calc --batch -o class.xlsx: a workbook of $(wc -c < "$work/class.xlsx") bytes"
}

# ---------------------------------------------------------- packages ----

version() { sed -n 's/^project(Tamrik VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"; }

# Where the DLLs the programs import come from; anything else they import is
# Windows' own (KERNEL32, USER32, msvcrt...).
dll_folders() {
  dirname "$("$TRIPLET-g++-posix" -print-file-name=libstdc++-6.dll)"
  printf '%s\n' "/usr/$TRIPLET/lib" "$QT_PREFIX/bin"
}

# Copies into $1 every DLL that the PE files $2... import, and theirs in turn.
copy_imports() {
  local dest=$1 file dll found folder
  shift
  local queue=("$@")
  while ((${#queue[@]})); do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    while read -r dll; do
      [[ -e $dest/$dll ]] && continue
      found=
      while read -r folder; do
        found=$(find "$folder" -maxdepth 1 -iname "$dll" -print -quit)
        [[ -n $found ]] && break
      done < <(dll_folders)
      [[ -n $found ]] || continue
      # Debian's MinGW runtime carries its debugging symbols (libstdc++ 23 MB).
      "$TRIPLET-strip" --strip-unneeded -o "$dest/$dll" "$found"
      queue+=("$dest/$dll")
    done < <("$TRIPLET-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
  done
}

# The licences of everything the package carries, in one file Windows' Notepad reads.
write_notices() {
  local out=$1 title file
  {
    printf 'Tamrik %s for Windows: what it carries, and under which licences.\n\n' "$(version)"
    while IFS='|' read -r title file; do
      printf '==== %s\n\n' "$title"
      cat "$file"
      printf '\n\n'
    done <<EOF2
Tamrik|$ROOT/LICENSE
The Thai faces Loma, Garuda and Norasi (fonts/, from Debian's fonts-thai-tlwg; GPL with the font exception: documents made with them are not covered)|/usr/share/doc/fonts-tlwg-loma-ttf/copyright
Qt 6 (Qt6*.dll, platforms/, styles/; LGPL-3, built from Debian's qt6-base source)|/usr/share/doc/libqt6core6/copyright
The GCC runtime (libstdc++-6.dll, libgcc_s_seh-1.dll; GPL-3 with the GCC Runtime Library Exception)|/usr/share/doc/gcc-mingw-w64-base/copyright
MinGW-w64 and winpthreads (libwinpthread-1.dll)|/usr/share/doc/mingw-w64-x86-64-dev/copyright
SQLite (compiled into the programs; public domain)|/usr/share/doc/libsqlite3-0/copyright
libxlsxwriter with its minizip (compiled into tamrik-calc.exe; BSD-2-Clause, zlib)|/usr/share/doc/libxlsxwriter-dev/copyright
zlib (zlib1.dll; the zlib licence)|/usr/share/doc/libz-mingw-w64-dev/copyright
EOF2
  } | sed 's/$/\r/' > "$out"
}

# dist/tamrik-<version>-win64/: what runs from a USB stick as it is.
gather() {
  local folder=$DIST/tamrik-$(version)-win64 exe
  log "package: gathering $folder"
  rm -rf "$folder" && mkdir -p "$folder/platforms" "$folder/styles" "$folder/fonts"
  for exe in tamrik tamrik-calc tamrik-ruledb; do
    "$TRIPLET-strip" -o "$folder/$exe.exe" "$WIN_BUILD/bin/$exe.exe"
  done
  cp "$WIN_BUILD/bin/ScoreRule.mdb" "$folder/"
  cp "$WIN_BUILD/src/app/tamrik.ico" "$folder/"
  "$TRIPLET-strip" --strip-unneeded -o "$folder/platforms/qwindows.dll" "$QT_PREFIX/plugins/platforms/qwindows.dll"
  "$TRIPLET-strip" --strip-unneeded -o "$folder/styles/qwindowsvistastyle.dll" \
    "$QT_PREFIX/plugins/styles/qwindowsvistastyle.dll"
  copy_imports "$folder" "$folder"/*.exe "$folder"/platforms/*.dll "$folder"/styles/*.dll
  # Only the faces the program may load (src/uikit/thaifaces.cpp).
  cp /usr/share/fonts/truetype/tlwg/{Loma,Loma-Bold,Garuda,Garuda-Bold,Norasi,Norasi-Bold}.ttf "$folder/fonts/"
  write_notices "$folder/NOTICES.txt"
  log "package: $(find "$folder" -maxdepth 1 -name '*.dll' | wc -l) DLLs: $(cd "$folder" && ls ./*.dll | tr '\n' ' ')"
}

make_zip() {
  local name=tamrik-$(version)-win64
  rm -f "$DIST/$name.zip"
  (cd "$DIST" && zip -q -r -9 "$name.zip" "$name")
  log "package: $DIST/$name.zip ($(du -h "$DIST/$name.zip" | cut -f1))"
}

make_installer() {
  local folder=$DIST/tamrik-$(version)-win64 list=$WIN_BUILD/uninstall-files.nsh out
  out=$DIST/tamrik-$(version)-setup.exe
  # The uninstaller deletes these by name, deepest first.
  (cd "$folder" && find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
   find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') > "$list"
  heavy makensis -V2 -DVERSION="$(version)" -DSOURCE="$folder" -DFILES="$list" -DOUTFILE="$out" \
    "$ROOT/packaging/windows/tamrik.nsi" >&2
  log "package: $out ($(du -h "$out" | cut -f1))"
}

# -------------------------------------------------- under Wine's window ----

# Runs "$@" with a virtual screen of 1024x768 and a window manager, so that
# Wine's windows come up as on a desktop.
on_screen() {
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c 'openbox >/dev/null 2>&1 & "$@"' _ "$@"
}

# Ends every program of the build's Wine prefix, or waits until they have ended.
wine_stop() { WINEPREFIX=$TAMRIK_WINEPREFIX wineserver -k 2>/dev/null || true; }
wine_wait() { WINEPREFIX=$TAMRIK_WINEPREFIX timeout 120 wineserver -w || true; }

# Starts the Windows program $1 on a virtual screen and waits, up to a minute,
# until every file named after it exists; then ends it. Fails when one is missing.
run_until_files() {
  local exe=$1 file
  shift
  export SHOT
  on_screen bash -c '
    exe=$1; shift
    "$WINE_RUN" "$exe" & pid=$!
    for _ in $(seq 60); do
      missing=0
      for f in "$@"; do [[ -f $f ]] || missing=1; done
      ((missing)) || break
      sleep 1
    done
    import -window root "$SHOT" 2>/dev/null || true
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  ' _ "$exe" "$@"
  wine_stop
  for file in "$@"; do
    [[ -f $file ]] || die "$(basename "$exe") made no $file (screen at $SHOT)"
  done
}

# The zip unpacked into a folder whose path holds Thai: tamrik.exe starts
# there and makes its files beside itself (the folder is writable).
check_portable() {
  local name=tamrik-$(version)-win64 place
  place="$WIN_BUILD/portable/ทดลอง ตำหรับ"
  rm -rf "$WIN_BUILD/portable" && mkdir -p "$place"
  unzip -q "$DIST/$name.zip" -d "$place"
  log "portable: starting $place/$name/tamrik.exe under Wine"
  SHOT=$WIN_BUILD/portable.png run_until_files "$place/$name/tamrik.exe" "$place/$name/TamrikTemp.tmp" "$place/$name/param.opt"
  log "portable: the entries file and param.opt were made in $place/$name"
  # tamrik-calc finds the rule database beside itself, under the Thai name.
  "$WINE_RUN" "$place/$name/tamrik-calc.exe" --faculty 0001 --scores 01=70,02=70 --json > "$WIN_BUILD/portable-calc.json" \
    || die "the portable tamrik-calc.exe failed: $(cat "$WIN_BUILD/portable-calc.json")"
  grep -q '"faculty": "0001"' "$WIN_BUILD/portable-calc.json" || die "the portable tamrik-calc.exe gave no figures"
  log "portable: tamrik-calc.exe reads the rule database beside it"
}

# Windows' own folders inside the build's Wine prefix.
wine_folder() {
  case $1 in
    programs) printf '%s\n' "$TAMRIK_WINEPREFIX/drive_c/Program Files/Tamrik" ;;
    startmenu) printf '%s\n' "$TAMRIK_WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tamrik" ;;
  esac
}

# The installer, silently, under Wine: the program, its Start-menu entry and
# uninstaller land; the uninstaller takes them away and leaves a file the
# user made in the same folder.
check_installer() {
  local setup=$DIST/tamrik-$(version)-setup.exe programs startmenu
  programs=$(wine_folder programs)
  startmenu=$(wine_folder startmenu)
  rm -rf "$programs" "$startmenu"
  log "installer: installing silently under Wine"
  "$WINE_RUN" "$setup" /S
  wine_wait
  local f
  for f in tamrik.exe ScoreRule.mdb Qt6Widgets.dll platforms/qwindows.dll fonts/Loma.ttf NOTICES.txt uninstall.exe; do
    [[ -f $programs/$f ]] || die "the installer did not put $f in $programs"
  done
  [[ -f $startmenu/Tamrik.lnk ]] || die "the installer made no Start-menu entry in $startmenu"
  printf 'maxminScQor43\r\n' > "$programs/param.opt"
  log "installer: uninstalling silently"
  # The uninstaller runs from a copy of itself in %TEMP%: wait for that too.
  "$WINE_RUN" "$programs/uninstall.exe" /S
  wine_wait
  [[ -f $programs/param.opt ]] || die "the uninstaller took the user's param.opt"
  [[ ! -e $programs/tamrik.exe && ! -e $programs/uninstall.exe && ! -e $programs/platforms ]] \
    || die "the uninstaller left the program in $programs"
  [[ ! -e $startmenu ]] || die "the uninstaller left the Start-menu entry"
  log "installer: installs, makes the Start-menu entry, uninstalls and leaves the user's file"
  rm -rf "$programs"
}

# ---------------------------------------------------------------- main ----

stage() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  log "$name: $((SECONDS - start)) s"
}

program_and_tests() {
  stage "program" build_program
  stage "tests under Wine" test_program
  stage "tamrik-calc comparison" compare_calc
}

packages() {
  stage "portable folder" gather
  stage "zip" make_zip
  stage "installer" make_installer
  stage "portable copy in a Thai folder" check_portable
  stage "installer under Wine" check_installer
}

main() {
  local mode=${1:---all}
  case $mode in
    -h|--help) sed -n '2,/^set -euo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//'; return ;;
    --ci)
      if [[ ! -f $QT_PREFIX/.complete ]]; then
        echo "Windows build SKIPPED: no complete Qt cache in $QT_PREFIX (scripts/windows-build.sh --qt-only builds it, about 65 minutes)"
        return 0
      fi ;;
  esac
  setup
  need_tools
  mkdir -p "$WORK"
  case $mode in
    --qt-only) stage "Qt" build_qt ;;
    --deps-only) build_sqlite; build_xlsxwriter; build_gtest ;;
    --program) program_and_tests ;;
    --package) packages ;;
    --screenshots) "$ROOT/scripts/windows-screenshots.sh" ;;
    --all|--ci) stage "Qt" build_qt; build_sqlite; build_xlsxwriter; build_gtest; program_and_tests; packages ;;
    *) die "unknown option: $mode (try --help)" ;;
  esac
}

main "$@"
