# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads,
# so std::thread and std::mutex work). Used for Qt itself, SQLite, GoogleTest
# and the program; scripts/windows-build.sh fills the cache prefixes below.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAMRIK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAMRIK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAMRIK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TAMRIK_MINGW_TRIPLET}-windres)

# The cache prefixes, overridable the same way the build script overrides them.
if(DEFINED ENV{TAMRIK_WIN_QT})
  set(TAMRIK_WIN_QT "$ENV{TAMRIK_WIN_QT}")
else()
  set(TAMRIK_WIN_QT "$ENV{HOME}/.cache/tamrik-win64-qt-6.4.2")
endif()
if(DEFINED ENV{TAMRIK_WIN_DEPS})
  set(TAMRIK_WIN_DEPS "$ENV{TAMRIK_WIN_DEPS}")
else()
  set(TAMRIK_WIN_DEPS "$ENV{HOME}/.cache/tamrik-win64-deps")
endif()

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TAMRIK_MINGW_TRIPLET} ${TAMRIK_WIN_QT} ${TAMRIK_WIN_DEPS})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)

# Programs (moc, rcc, uic) come from the build machine; headers, libraries and
# packages only from the Windows roots, never from the Linux ones.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config would otherwise hand out the Linux .pc files (libmdb, say).
set(ENV{PKG_CONFIG_LIBDIR} "${TAMRIK_WIN_DEPS}/lib/pkgconfig:/usr/${TAMRIK_MINGW_TRIPLET}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Tests and tools built here run under Wine, with the DLLs they need found.
find_program(TAMRIK_WINE NAMES wine wine64)
if(TAMRIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
endif()
