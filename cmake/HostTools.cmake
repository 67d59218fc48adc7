# The build runs two of its own programs: rawpixels (the emblems' pixels) and
# tamrik-ruledb (the rule database from data/). A cross build cannot run what
# it builds, so it names a native build of the same source (its build folder,
# or a folder holding both programs) and runs those instead:
#   cmake -S . -B build-host && cmake --build build-host --target rawpixels tamrik-ruledb
#   cmake -S . -B build-cross --toolchain ... -DTAMRIK_HOST_TOOLS_DIR=$PWD/build-host
set(TAMRIK_HOST_TOOLS_DIR "" CACHE PATH
    "Folder of native rawpixels and tamrik-ruledb to run at build time (a cross build); empty: the build makes them")

# Makes <target> an executable of the host's, <program> found in
# TAMRIK_HOST_TOOLS_DIR, for custom commands to run.
function(tamrik_import_host_tool target program)
  find_program(found ${program} PATHS ${TAMRIK_HOST_TOOLS_DIR} PATH_SUFFIXES bin tools/${program}
               NO_CACHE NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT found)
    message(FATAL_ERROR "TAMRIK_HOST_TOOLS_DIR: no ${program} in ${TAMRIK_HOST_TOOLS_DIR}")
  endif()
  add_executable(${target} IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${found})
endfunction()
