# What an installation holds beside the programs and fonts, and the Debian
# package built from it (make package).
set(PKG ${CMAKE_CURRENT_LIST_DIR})
set(PKG_OUT ${CMAKE_BINARY_DIR}/packaging)

# The release histories are written by hand; their newest entry must be this version.
file(STRINGS ${PKG}/changelog changelog_top LIMIT_COUNT 1)
file(READ ${PKG}/${DOSBER_ID}.metainfo.xml metainfo)
if(NOT changelog_top MATCHES "^dosber \\(${PROJECT_VERSION}\\) "
   OR NOT metainfo MATCHES "<releases>[ \n]*<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "packaging/changelog and the metainfo's <releases> need an entry for ${PROJECT_VERSION} first")
endif()

install(FILES ${PKG}/${DOSBER_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PKG}/${DOSBER_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PKG}/icons/${DOSBER_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PKG}/icons/${DOSBER_ID}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)

# The copyright file in Debian's format, from the licence texts themselves:
# each line of a text indented by one space, an empty line as " .".
function(copyrightbody file var)
  file(READ ${file} text)
  string(STRIP "${text}" text)
  string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " text "${text}")
  set(${var} " ${text}" PARENT_SCOPE)
endfunction()
copyrightbody(${CMAKE_SOURCE_DIR}/LICENSE DOSBER_LICENSE_TEXT)
copyrightbody(${PKG}/dejavu-license.txt DEJAVU_LICENSE_TEXT)
configure_file(${PKG}/copyright.in ${PKG_OUT}/copyright @ONLY)
install(FILES ${PKG_OUT}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages and the changelog, compressed as Debian keeps them (-n: no
# time stamp in the file, so that a rebuild gives the same bytes).
configure_file(${PKG}/man/dosber.1.in ${PKG_OUT}/dosber.1 @ONLY)
configure_file(${PKG}/man/dosber-cli.1.in ${PKG_OUT}/dosber-cli.1 @ONLY)
configure_file(${PKG}/changelog ${PKG_OUT}/changelog COPYONLY)
set(compressed)
foreach(file dosber.1 dosber-cli.1 changelog)
  add_custom_command(OUTPUT ${PKG_OUT}/${file}.gz
    COMMAND gzip -9 -n -f -k ${PKG_OUT}/${file}
    DEPENDS ${PKG_OUT}/${file})
  list(APPEND compressed ${PKG_OUT}/${file}.gz)
endforeach()
add_custom_target(compressed-docs ALL DEPENDS ${compressed})
install(FILES ${PKG_OUT}/dosber.1.gz ${PKG_OUT}/dosber-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PKG_OUT}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# --- the Debian package ---------------------------------------------------------
set(DOSBER_MAINTAINER "The dosber developers <dosber@users.noreply.github.com>"
  CACHE STRING "Maintainer of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dosber)
set(CPACK_PACKAGE_VENDOR "The dosber developers")
set(CPACK_PACKAGE_CONTACT "${DOSBER_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "look up the wage records of an old DOS payroll program")
set(CPACK_PACKAGE_DESCRIPTION "\
dosber shows the wage records that an old DOS payroll program kept for the
years 1992 to 2005. It reads the archive the DOS program left behind, per
year and company, exactly as it is and never writes into it.

A window lists a company's employment records in Hungarian alphabetical
order, with a name filter and the details of the selected record, and
writes the wage card (Karton) of an employment as a PDF file: person
data, month-by-month days, hours, earnings, taxes and contributions, and
absences. A search finds a person in every year and company of the archive.

The command dosber-cli offers the same operations for batch work: lists as
JSON or CSV, and wage cards in bulk. The user interface is Hungarian.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open opens the card in the desktop's PDF application.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS pdf-viewer)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
