# Builds the MSI with wixl so that the same sources give the same bytes:
#   cmake -DWIXL=… -DMSIBUILD=… -DMSIINFO=… -DLIBFAKETIME=… -DWXS=… -DEXE=… -DSTAGED_EXE=…
#         -DMSI=… -DUPGRADE_CODE=… -P BuildMsi.cmake
# wixl stamps the summary's creation and save times with its own clock, dates
# the cabinet's entry by the exe's file time and draws a random package code.
# With SOURCE_DATE_EPOCH in the environment, wixl runs on a clock stopped at
# that time (libfaketime, in UTC) and packs a copy of the exe (STAGED_EXE, the
# file the WiX source names) dated then. The package code, which must differ
# between any two different packages, is then derived from the content: the
# MSI with a nil code is hashed, and the code is a name-based UUID of that hash.

cmake_path(GET STAGED_EXE PARENT_PATH staged_dir)
file(MAKE_DIRECTORY ${staged_dir})
file(COPY_FILE ${EXE} ${STAGED_EXE})

set(wixl_command ${WIXL} --arch x86 --output ${MSI} ${WXS})
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch STREQUAL "")
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be seconds since 1970, not '${epoch}'")
  endif()
  if(NOT EXISTS "${LIBFAKETIME}")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is set, but libfaketime (Debian's package faketime), "
                        "which runs wixl at that time, is missing")
  endif()
  execute_process(COMMAND date --utc --date @${epoch} "+%Y-%m-%d %H:%M:%S" OUTPUT_VARIABLE date
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND touch --date @${epoch} ${STAGED_EXE} COMMAND_ERROR_IS_FATAL ANY)
  # The library itself rather than the faketime wrapper, which misreads a
  # date inside another faked clock: this one is stopped, in UTC, so that the
  # creation and save times agree and the cabinet's local dates are UTC ones.
  set(wixl_command ${CMAKE_COMMAND} -E env --unset=FAKETIME_SHARED TZ=UTC
                   LD_PRELOAD=${LIBFAKETIME} "FAKETIME=${date}" ${wixl_command})
endif()
cmake_path(GET WXS PARENT_PATH wxs_dir)
execute_process(COMMAND ${wixl_command} WORKING_DIRECTORY ${wxs_dir} COMMAND_ERROR_IS_FATAL ANY)

# msibuild -s rewrites the subject, author, template and package code; the
# first three are written back as wixl made them.
# Read in a locale whose field names are the English ones, in UTF-8.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${MSIINFO} suminfo ${MSI}
                OUTPUT_VARIABLE summary COMMAND_ERROR_IS_FATAL ANY)
foreach(field Subject Author Template)
  if(NOT summary MATCHES "\n${field}: ([^\n]*)")
    message(FATAL_ERROR "msiinfo shows no ${field} in ${MSI}")
  endif()
  set(${field} "${CMAKE_MATCH_1}")
endforeach()
function(set_package_code code)
  execute_process(COMMAND ${MSIBUILD} ${MSI} -s "${Subject}" "${Author}" "${Template}" "{${code}}"
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
set_package_code(00000000-0000-0000-0000-000000000000)
file(SHA256 ${MSI} content)
string(UUID code NAMESPACE ${UPGRADE_CODE} NAME ${content} TYPE SHA1 UPPER)
set_package_code(${code})
