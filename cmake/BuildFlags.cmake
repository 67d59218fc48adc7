# Compiler and linker flags, each set behind an option. The defaults build
# with GCC or Clang for an ELF system (Debian) as the package has always been
# built; a cross build or another compiler turns off what it cannot take, e.g.
# -DTAMRIK_HARDENING=OFF -DTAMRIK_LEAN=OFF.

set(tamrik_gnu_like OFF)
if(CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
  set(tamrik_gnu_like ON)
endif()
set(tamrik_gnu_elf OFF)
if(tamrik_gnu_like AND CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
  set(tamrik_gnu_elf ON)
endif()

option(TAMRIK_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TAMRIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
option(TAMRIK_FUZZ "Build the libFuzzer harnesses in fuzz/ (clang++ only; scripts/fuzz.sh)" OFF)
if(TAMRIK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TAMRIK_FUZZ needs clang++ (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

option(TAMRIK_WARNINGS "Compile with -Wall -Wextra" ${tamrik_gnu_like})
if(TAMRIK_WARNINGS)
  add_compile_options(-Wall -Wextra)
endif()

# One executable over static libraries: nothing is exported, libraries that
# nothing calls are not loaded, functions nothing calls are left out (each in
# its own section, collected by the linker), and -O2 keeps the code that
# start-up pages in smaller than -O3 does.
option(TAMRIK_LEAN "Hidden symbols, -O2 for Release, unused functions and libraries left out of the link"
       ${tamrik_gnu_elf})
if(TAMRIK_LEAN)
  set(CMAKE_CXX_VISIBILITY_PRESET hidden)
  set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)
  string(REPLACE "-O3" "-O2" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
  add_link_options(LINKER:--as-needed LINKER:-O1)
  # Not under the sanitizers and the fuzzer, whose own sections it would have to keep.
  if(NOT TAMRIK_SANITIZE AND NOT TAMRIK_FUZZ)
    add_compile_options(-ffunction-sections -fdata-sections)
    add_link_options(LINKER:--gc-sections)
  endif()
endif()

# Checked library calls as Debian builds them (needs optimisation, so not in
# Debug). Every symbol is bound at load, read-only after it: measured, the
# start takes no longer for it.
option(TAMRIK_HARDENING "_FORTIFY_SOURCE=2 outside Debug, and linked with -z relro -z now" ${tamrik_gnu_elf})
if(TAMRIK_HARDENING)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
