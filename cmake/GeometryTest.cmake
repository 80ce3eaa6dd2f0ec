# The shared placement rules checked on the scene tables (tests/test_geometry.cpp),
# built by a cross compiler: the doctest header comes from Debian's package,
# reached through a folder holding only it, so that no other Linux header can
# shadow one of the target platform's.
function(varn_cross_geometry_test)
  find_path(VARN_DOCTEST_DIR doctest/doctest.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
            REQUIRED)
  set(only ${CMAKE_CURRENT_BINARY_DIR}/doctest-only)
  file(MAKE_DIRECTORY ${only})
  file(CREATE_LINK ${VARN_DOCTEST_DIR}/doctest ${only}/doctest SYMBOLIC)
  add_executable(test_geometry ${PROJECT_SOURCE_DIR}/tests/test_geometry.cpp)
  target_include_directories(test_geometry SYSTEM PRIVATE ${only})
  target_link_libraries(test_geometry PRIVATE varn_scenes)
  # Neither cross toolchain's threads offer std::mutex; the test needs none.
  target_compile_definitions(test_geometry PRIVATE DOCTEST_CONFIG_NO_MULTITHREADING)
endfunction()
