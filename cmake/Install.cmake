# Installation and packaging: the program, its desktop entry, its AppStream
# metainfo and its theme icons in the usual places below the prefix, all named
# by the application id so that the desktop can tie them together; and a
# Debian package holding the same files.

install(TARGETS varns-house RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VARN_GENERATED_DIR}/${VARN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VARN_GENERATED_DIR}/${VARN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS VARN_ICON_SIZES)
  install(FILES ${VARN_ICON_DIR}/hicolor/varns-house-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VARN_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VARN_INTERNAL_NAME})
set(CPACK_PACKAGE_VERSION ${VARN_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR ${VARN_COMPANY})
set(CPACK_PACKAGE_CONTACT "${VARN_COMPANY} <varns-house@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${VARN_DESCRIPTION})
# Package tools show the long description line by line as written.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A small point-and-click tour of a family house, drawn as plain top-down\n"
       "sketches. Each place is its own window: start at the title, step onto the\n"
       "street, walk into the house, find the TV, and try not to die.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps. Qt loads its
# window-system plugin at run time, which no link reveals, so that package is
# named here; the scene fonts have stand-ins in these two.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-dejavu-core")

include(CPack)
