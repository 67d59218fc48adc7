#!/bin/sh
# Runs a cross-built Windows program under Wine, for CMake and CTest
# (CMAKE_CROSSCOMPILING_EMULATOR): the MinGW runtime and Qt's DLLs on its
# path, in a Wine prefix of the build's own rather than ~/.wine, and without
# Wine's own messages, which would mix with the program's output.
set -e
triplet=x86_64-w64-mingw32
qt=${TAMRIK_WIN_QT:-$HOME/.cache/tamrik-win64-qt-6.4.2}
gcc_dlls=$(dirname "$($triplet-g++-posix -print-file-name=libstdc++-6.dll)")
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
WINEPATH="$(windows_path "$gcc_dlls");$(windows_path /usr/$triplet/lib);$(windows_path "$qt/bin")"
WINEPREFIX=${TAMRIK_WINEPREFIX:-$HOME/.cache/tamrik-win64-work/wine}
# No Mono or Gecko: a new prefix would otherwise ask to download them.
WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINEDEBUG=${WINEDEBUG:--all}
export WINEPATH WINEPREFIX WINEDLLOVERRIDES WINEDEBUG
exec wine "$@"
