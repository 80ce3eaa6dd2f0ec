# 32-bit Windows (the shipped program).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VARN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
