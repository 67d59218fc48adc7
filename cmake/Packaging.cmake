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

set(TAMRIK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tamrik)
# A native package (no Debian revision): its changelog is changelog.gz.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${CMAKE_BINARY_DIR}/changelog
          ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${TAMRIK_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamrik)
set(CPACK_PACKAGE_VENDOR "Tamrik maintainers")
set(CPACK_PACKAGE_CONTACT "Tamrik maintainers <maintainers@users.noreply.c-seed-73062506.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
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
