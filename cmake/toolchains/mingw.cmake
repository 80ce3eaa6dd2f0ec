# Cross-compiling for Windows with Debian's MinGW-w64 toolchain. Included by
# the per-architecture toolchain files, which set VARN_MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VARN_MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${VARN_MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${VARN_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VARN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Optimised for size: the program waits on its user, never on its own code,
# and under Wine every page of the image is read into memory when it starts.
# Unused functions are left out of the image.
set(varn_release_flags "-Os -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_C_FLAGS_RELEASE "${varn_release_flags}" CACHE STRING "C flags of a release build")
set(CMAKE_CXX_FLAGS_RELEASE "${varn_release_flags}" CACHE STRING "C++ flags of a release build")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--gc-sections")
# Given no source date (SOURCE_DATE_EPOCH), the linker would stamp the exe
# with the time it links it; told to leave the stamp out, it links the same
# source to the same bytes at any time.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--no-insert-timestamp")
endif()
