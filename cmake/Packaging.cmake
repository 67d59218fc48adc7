# The Debian package: `cmake --build build --target package` writes
# tamrik_<version>_amd64.deb. Everything the install rules put under the
# prefix goes in; what only the package needs (icons, manual pages, the
# copyright and changelog) is installed here.

# tamrik-calc and tamrik-ruledb install themselves (tools/).

# The icon at the hicolor sizes, drawn from the emblem's shapes at build time.
find_program(TAMRIK_CONVERT convert)
set(TAMRIK_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
if(TAMRIK_CONVERT)
  set(icon_files)
  foreach(size 48 64 128 256)
    list(APPEND icon_files ${TAMRIK_ICON_DIR}/${size}x${size}/apps/tamrik.png)
  endforeach()
  list(APPEND icon_files ${TAMRIK_ICON_DIR}/scalable/apps/tamrik.svg)
  add_custom_command(
    OUTPUT ${icon_files}
    COMMAND sh ${PROJECT_SOURCE_DIR}/resources/images/make-emblem.sh --icons ${TAMRIK_ICON_DIR}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/images/make-emblem.sh
    COMMENT "Drawing the desktop icon"
    VERBATIM)
  add_custom_target(desktop_icons ALL DEPENDS ${icon_files})
  install(DIRECTORY ${TAMRIK_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
else()
  message(WARNING "ImageMagick's convert not found: the desktop icon is left out of the install")
endif()

# Manual pages, compressed as Debian wants them (-n: no name or time stamp,
# so the package is reproducible). Every page in docs/man goes in.
file(GLOB TAMRIK_MAN_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/*.1)
set(man_gz)
foreach(page ${TAMRIK_MAN_PAGES})
  get_filename_component(name ${page} NAME)
  set(gz ${CMAKE_BINARY_DIR}/man/${name}.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${page} ${gz}
    DEPENDS ${page}
    VERBATIM)
  list(APPEND man_gz ${gz})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_gz})
install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Who answers for the package: its control file, changelog and copyright
# file. No maintainer's address is on record, so the default is the author of
# the commit being built; a release sets the real one.
set(maintainer "Tamrik maintainers <maintainers@users.noreply.c-seed-73062506.example>")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} log -1 "--format=%an <%ae>"
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE author OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_failed ERROR_QUIET)
  if(NOT git_failed AND author)
    set(maintainer "${author}")
  endif()
endif()
set(TAMRIK_MAINTAINER "${maintainer}" CACHE STRING "The package's maintainer: Name <address>")

# The changelog in Debian's form from packaging/changelog.in, whose first entry
# must be this version: a new version needs its line of what changed.
set(changes_file ${PROJECT_SOURCE_DIR}/packaging/changelog.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changes_file})
file(STRINGS ${changes_file} change_lines)
set(changelog "")
set(first_version "")
set(entry_end "")
foreach(line IN LISTS change_lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  elseif(line MATCHES "^([^ ]+) (.+)$")
    if(NOT first_version)
      set(first_version ${CMAKE_MATCH_1})
    endif()
    string(APPEND changelog "${entry_end}tamrik (${CMAKE_MATCH_1}) unstable; urgency=medium\n\n")
    set(entry_end "\n -- ${TAMRIK_MAINTAINER}  ${CMAKE_MATCH_2}\n\n")
    set(bullet "  * ")
  elseif(line MATCHES "^ +(.+)$" AND entry_end)
    string(APPEND changelog "${bullet}${CMAKE_MATCH_1}\n")
    set(bullet "    ")
  else()
    message(FATAL_ERROR "${changes_file}: cannot read the line '${line}'")
  endif()
endforeach()
if(NOT first_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${changes_file} starts with version '${first_version}', not ${PROJECT_VERSION}: "
                      "add an entry saying what ${PROJECT_VERSION} changed")
endif()
string(APPEND changelog "${entry_end}")
string(REGEX REPLACE "\n\n$" "\n" changelog "${changelog}")

set(TAMRIK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tamrik)
# A native package (no Debian revision): its changelog is changelog.gz.
file(WRITE ${CMAKE_BINARY_DIR}/changelog "${changelog}")
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${CMAKE_BINARY_DIR}/changelog
          ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${TAMRIK_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamrik)
set(CPACK_PACKAGE_VENDOR "Tamrik maintainers")
set(CPACK_PACKAGE_CONTACT "${TAMRIK_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps: libsqlite3-0,
# Qt, and libxlsxwriter4 for tamrik-calc's workbook (built with
# libxlsxwriter-dev, which scripts/setup-debian.sh installs).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Thai text needs a Thai face; the program maps its faces onto these.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-thai-tlwg)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Thai university admission score calculator")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tamrik works out, for one faculty of one university, the composite
admission score that the faculty's rule gives for an applicant's subject
scores, GPA and PR, and sets it beside last year's highest and lowest
admitted score of that faculty. The interface is in Thai.
.
The bundled rule data are a sample in the shape of academic year 2543.")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
