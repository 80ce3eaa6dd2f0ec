# The program's identity: the product header, the Windows resource script
# (icon and version record), the desktop entry, the AppStream metainfo and the
# window icon compiled into the Qt layer. The version and the description come
# from VARN_VERSION_TEXT and VARN_DESCRIPTION in the top-level CMakeLists.txt;
# everything else that names the program is set here, once.

set(VARN_APP_ID "io.github.varnshouse.VarnsHouse")
set(VARN_PRODUCT_NAME "Varn's House")
set(VARN_INTERNAL_NAME "varns-house")
set(VARN_COMPANY "Varn family")
set(VARN_COPYRIGHT "Copyright (C) 2026 Varn family")
set(VARN_RELEASE_DATE "2026-12-08")
set(VARN_ICON_DIR ${PROJECT_SOURCE_DIR}/resources/icon)
set(VARN_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
set(VARN_ICON_SIZES 16 32 48 64 128 256)

# The version is written as major.minor with two minor digits: "1.01" is
# version 1.1, the form the project() line and the version record's numbers use.
if(NOT VARN_VERSION_TEXT MATCHES "^([0-9]+)\\.([0-9][0-9])$")
  message(FATAL_ERROR "VARN_VERSION_TEXT must look like 1.01, not '${VARN_VERSION_TEXT}'")
endif()
math(EXPR VARN_VERSION_MAJOR "${CMAKE_MATCH_1}")
math(EXPR VARN_VERSION_MINOR "${CMAKE_MATCH_2}")
if(NOT "${VARN_VERSION_MAJOR}.${VARN_VERSION_MINOR}" VERSION_EQUAL
   "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
  message(FATAL_ERROR "VARN_VERSION_TEXT ${VARN_VERSION_TEXT} disagrees with the project "
                      "version ${PROJECT_VERSION}")
endif()

configure_file(${PROJECT_SOURCE_DIR}/resources/product.h.in ${VARN_GENERATED_DIR}/product.h
               @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/varns-house.rc.in
               ${VARN_GENERATED_DIR}/varns-house.rc @ONLY)
# The desktop entry starts the program by its installed path, known only when
# installing (cmake --install --prefix, or CPack): its Exec line keeps
# @VARN_EXEC@ here, for the installation to fill in (cmake/Install.cmake).
set(VARN_EXEC "@VARN_EXEC@")
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/varns-house.desktop.in
               ${VARN_GENERATED_DIR}/${VARN_APP_ID}.desktop.in @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/varns-house.metainfo.xml.in
               ${VARN_GENERATED_DIR}/${VARN_APP_ID}.metainfo.xml @ONLY)

# Every scene window shows the icon; the window system picks the size. Only
# the sizes a title bar or task switcher uses: each window hands every size it
# holds to the window system, so the large ones would cost each window build
# time and memory for nothing. The theme keeps all sizes. They are compiled in
# as bare pixels, so that start-up decodes no picture.
foreach(size 16 32 48 64)
  set(header ${VARN_GENERATED_DIR}/window_icon_${size}.h)
  add_custom_command(
    OUTPUT ${header}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${VARN_ICON_DIR}/window/varns-house-${size}.rgba
            -DOUTPUT=${header} -DNAME=kWindowIcon${size}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${VARN_ICON_DIR}/window/varns-house-${size}.rgba
            ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding the ${size} px window icon")
  target_sources(varn_resources PRIVATE ${header})
endforeach()
