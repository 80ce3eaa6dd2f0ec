# Tests built by a cross compiler (Windows, the browser) with Debian's doctest:
# its header is reached through a folder holding only it, so that no other
# Linux header can shadow one of the target platform's. Neither cross
# toolchain's threads offer std::mutex; the tests need none.
function(varn_doctest_include target)
  find_path(VARN_DOCTEST_DIR doctest/doctest.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
            REQUIRED)
  set(only ${PROJECT_BINARY_DIR}/doctest-only)
  if(NOT EXISTS ${only}/doctest)
    file(MAKE_DIRECTORY ${only})
    file(CREATE_LINK ${VARN_DOCTEST_DIR}/doctest ${only}/doctest SYMBOLIC)
  endif()
  target_include_directories(${target} SYSTEM PRIVATE ${only})
  target_compile_definitions(${target} PRIVATE DOCTEST_CONFIG_NO_MULTITHREADING)
endfunction()

# The shared placement rules checked on the scene tables, as this compiler builds them.
function(varn_cross_geometry_test)
  add_executable(test_geometry ${PROJECT_SOURCE_DIR}/tests/test_geometry.cpp)
  target_link_libraries(test_geometry PRIVATE varn_scenes)
  varn_doctest_include(test_geometry)
endfunction()
