# What Windows users install: the shipped 32-bit exe in an MSI, built here by
# wixl (msitools) from resources/win32/varns-house.wxs.in, and in a portable
# zip that CPack makes, the exe beside a short README.txt. Target `msi` writes
# varns-house-1.01-win32.msi; `cpack` in this build folder the zip of the
# same name.

find_program(VARN_WIXL wixl REQUIRED DOC "wixl, from Debian's package of that name")
find_program(VARN_MSIBUILD msibuild REQUIRED DOC "msibuild, from Debian's package msitools")
find_program(VARN_MSIINFO msiinfo REQUIRED DOC "msiinfo, from Debian's package msitools")
# Needed only to build with SOURCE_DATE_EPOCH set (cmake/BuildMsi.cmake).
find_file(VARN_LIBFAKETIME libfaketime.so.1
          PATHS /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/faketime /usr/lib/faketime
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH DOC "libfaketime, from Debian's package of that name")

set(VARN_PACKAGE_NAME ${VARN_INTERNAL_NAME}-${VARN_VERSION_TEXT}-win32)

# Windows Installer reads a version as numbers: major (to 255), minor (to
# 255), build (to 65535), and compares them field by field to decide an
# upgrade. "1.01.0" is read as 1.1.0, the project's version; since the text
# always has two minor digits, every later text gives a larger number
# (1.02.0, 1.10.0, 2.00.0), and the list of installed programs shows the
# version as people know it, 1.01, and not 1.1.
set(VARN_MSI_VERSION ${VARN_VERSION_TEXT}.0)
# Never change these: the upgrade code ties every version of the product
# together, so that a later MSI replaces an installed earlier one; the
# component's id is that of the installed exe and its shortcut.
set(VARN_MSI_UPGRADE_CODE 69AED658-5675-41C3-81F4-09094F83B9E8)
set(VARN_MSI_COMPONENT_GUID C34C8B3A-92F8-4A34-927F-59D0CABB45D5)
# The product code names one version: derived from the upgrade code and the
# version, it is the same in every build of a version and new in every version.
string(UUID VARN_MSI_PRODUCT_CODE NAMESPACE ${VARN_MSI_UPGRADE_CODE} NAME ${VARN_MSI_VERSION}
       TYPE SHA1 UPPER)

# wixl packs a copy of the exe, dated by the source date when one is given.
set(VARN_MSI_STAGED_EXE ${VARN_GENERATED_DIR}/msi/${VARN_INTERNAL_NAME}.exe)

# wixl takes no absolute source paths: they are written relative to the
# folder of the generated WiX source, where it looks them up.
set(VARN_WXS ${VARN_GENERATED_DIR}/varns-house.wxs)
file(RELATIVE_PATH VARN_MSI_EXE ${VARN_GENERATED_DIR} ${VARN_MSI_STAGED_EXE})
file(RELATIVE_PATH VARN_MSI_ICON ${VARN_GENERATED_DIR} ${VARN_ICON_DIR}/varns-house.ico)
configure_file(${PROJECT_SOURCE_DIR}/resources/win32/varns-house.wxs.in ${VARN_WXS} @ONLY)

set(VARN_MSI ${PROJECT_BINARY_DIR}/${VARN_PACKAGE_NAME}.msi)
add_custom_command(
  OUTPUT ${VARN_MSI}
  COMMAND ${CMAKE_COMMAND} -DWIXL=${VARN_WIXL} -DMSIBUILD=${VARN_MSIBUILD} -DMSIINFO=${VARN_MSIINFO}
          -DLIBFAKETIME=${VARN_LIBFAKETIME} -DWXS=${VARN_WXS} -DEXE=$<TARGET_FILE:varns-house>
          -DSTAGED_EXE=${VARN_MSI_STAGED_EXE} -DMSI=${VARN_MSI}
          -DUPGRADE_CODE=${VARN_MSI_UPGRADE_CODE} -P ${PROJECT_SOURCE_DIR}/cmake/BuildMsi.cmake
  DEPENDS ${VARN_WXS} varns-house ${VARN_ICON_DIR}/varns-house.ico
          ${PROJECT_SOURCE_DIR}/cmake/BuildMsi.cmake
  COMMENT "Building the installer ${VARN_PACKAGE_NAME}.msi")
add_custom_target(msi ALL DEPENDS ${VARN_MSI})

# The portable zip: a folder holding the exe and README.txt, written with
# Windows line ends so that every Notepad shows it as lines.
configure_file(${PROJECT_SOURCE_DIR}/resources/win32/README.txt.in
               ${VARN_GENERATED_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${VARN_GENERATED_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${VARN_INTERNAL_NAME})
set(CPACK_PACKAGE_VERSION ${VARN_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR ${VARN_COMPANY})
set(CPACK_PACKAGE_FILE_NAME ${VARN_PACKAGE_NAME})
include(CPack)
