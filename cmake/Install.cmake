# Installation and packaging: the game in games/ below the prefix (/usr/games
# in the package, as Debian keeps its games), its manual page, its desktop
# entry, its AppStream metainfo and its theme icons in the usual places, all
# named by the application id so that the desktop can tie them together, and
# the copyright and changelog that a Debian package carries; and a Debian
# package holding the same files.

set(VARN_GAMES_DIR games)
set(VARN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${VARN_INTERNAL_NAME})
set(VARN_CONTACT "${VARN_COMPANY} <varns-house@example.org>")
# The package's own revision of the program's version: its changelog tells
# what changed in the packaging of this version.
set(VARN_DEB_RELEASE 1)
set(VARN_DEB_VERSION ${VARN_VERSION_TEXT}-${VARN_DEB_RELEASE})

# Folders made by the installation get the same mode whatever the umask, so
# that the package holds the same bytes whoever builds it.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS varns-house RUNTIME DESTINATION ${VARN_GAMES_DIR})

# The desktop entry's Exec line names the program where it is installed, so
# it is written at installation, when the prefix is known (Resources.cmake).
install(CODE "set(VARN_DESKTOP_TEMPLATE \"${VARN_GENERATED_DIR}/${VARN_APP_ID}.desktop.in\")
  set(VARN_DESKTOP_ENTRY \"${CMAKE_INSTALL_DATADIR}/applications/${VARN_APP_ID}.desktop\")
  set(VARN_PROGRAM \"${VARN_GAMES_DIR}/${VARN_INTERNAL_NAME}\")")
install(CODE [[
  set(VARN_EXEC "${CMAKE_INSTALL_PREFIX}/${VARN_PROGRAM}")
  # A path with a space or another character the entry's format reserves is quoted.
  if(VARN_EXEC MATCHES "[^-A-Za-z0-9_./+]")
    set(VARN_EXEC "\"${VARN_EXEC}\"")
  endif()
  set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VARN_DESKTOP_ENTRY}")
  message(STATUS "Installing: ${entry}")
  # Its mode is fixed, not copied from the template, whose mode follows the
  # umask of whoever checked out the source.
  configure_file("${VARN_DESKTOP_TEMPLATE}" "${entry}" @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
]])

install(FILES ${VARN_GENERATED_DIR}/${VARN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS VARN_ICON_SIZES)
  install(FILES ${VARN_ICON_DIR}/hicolor/varns-house-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VARN_APP_ID}.png)
endforeach()

# The manual page, the copyright and the changelog. The page and the
# changelog are installed compressed as Debian wants them: at gzip's best,
# without a name or time in the header, so that the same text always gives
# the same bytes.
string(REGEX MATCH "[0-9][0-9][0-9][0-9]" VARN_COPYRIGHT_YEAR "${VARN_COPYRIGHT}")
execute_process(COMMAND date --utc --rfc-email --date "${VARN_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE VARN_DEB_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(man_page ${VARN_GENERATED_DIR}/${VARN_INTERNAL_NAME}.6)
set(changelog ${VARN_GENERATED_DIR}/changelog.Debian)
configure_file(${PROJECT_SOURCE_DIR}/resources/man/varns-house.6.in ${man_page} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${changelog} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/copyright.in
               ${VARN_GENERATED_DIR}/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/lintian-overrides.in
               ${VARN_GENERATED_DIR}/lintian-overrides @ONLY)
foreach(file IN ITEMS ${man_page} ${changelog})
  execute_process(COMMAND gzip -9 --no-name --stdout ${file} OUTPUT_FILE ${file}.gz
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${VARN_GENERATED_DIR}/copyright ${changelog}.gz DESTINATION ${VARN_DOC_DIR})
# Each tag the package checker need not report, with the reason why.
install(FILES ${VARN_GENERATED_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${VARN_INTERNAL_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VARN_INTERNAL_NAME})
set(CPACK_PACKAGE_VERSION ${VARN_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR ${VARN_COMPANY})
set(CPACK_PACKAGE_CONTACT ${VARN_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${VARN_DESCRIPTION})
# Package tools show the long description line by line as written.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A small point-and-click tour of a family house, drawn as plain top-down\n"
       "sketches. Each place is its own window: start at the title, step onto the\n"
       "street, walk into the house, find the TV, and try not to die.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE ${VARN_DEB_RELEASE})
# The file is named by the program's version, as people know it and as the
# README says to install it; the package's own Version field adds the revision.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE deb_architecture
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(CPACK_DEBIAN_FILE_NAME ${VARN_INTERNAL_NAME}_${VARN_VERSION_TEXT}_${deb_architecture}.deb)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps. Qt loads its
# window-system plugin at run time, which no link reveals, so those packages
# are named here: the X plugin (qt6-qpa-plugins), which the tour uses on X and
# in Wayland sessions that offer XWayland, as GNOME's and KDE's do; and the
# Wayland plugin, needed only where no X server is offered. The scenes are
# drawn in Liberation Sans and Liberation Serif (fonts-liberation2), the
# stand-ins whose metrics the captions' line breaks are laid out for; any
# other family wraps them otherwise, so the package cannot do without them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
