# The Windows program: the same runtime and scene tables on the Windows API,
# cross-built with MinGW-w64 into one self-contained varns-house.exe (GUI
# subsystem, linked statically so that it imports only system DLLs), carrying
# the icon, the version record and a manifest that declares it DPI-aware.

enable_language(RC)

# The only code that knows the Windows API.
add_library(varn_win32 STATIC
  runtime/win32/accessible_item.cpp
  runtime/win32/accessible_scene.cpp
  runtime/win32/accessible_scene_actions.cpp
  runtime/win32/application.cpp
  runtime/win32/child_ids.cpp
  runtime/win32/gdi_resources.cpp
  runtime/win32/handle_count.cpp
  runtime/win32/high_contrast.cpp
  runtime/win32/item_painter.cpp
  runtime/win32/picture_box.cpp
  runtime/win32/scene_window.cpp
  runtime/win32/scene_window_items.cpp
  runtime/win32/scene_window_messages.cpp
  runtime/win32/scene_window_paint.cpp
  runtime/win32/text.cpp
  runtime/win32/win32_platform.cpp)
# Screen readers reach the scenes through Active Accessibility (oleacc) over
# COM (ole32, oleaut32): system DLLs, like the rest.
target_link_libraries(varn_win32 PUBLIC varn_runtime varn_resources oleacc ole32 oleaut32 user32
                                        gdi32 kernel32)

set(VARN_MANIFEST ${VARN_GENERATED_DIR}/varns-house.manifest)
configure_file(${PROJECT_SOURCE_DIR}/resources/win32/varns-house.manifest.in ${VARN_MANIFEST}
               @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/win32/manifest.rc.in
               ${VARN_GENERATED_DIR}/manifest.rc @ONLY)
set(varn_rc_files ${VARN_GENERATED_DIR}/varns-house.rc ${VARN_GENERATED_DIR}/manifest.rc)
set_source_files_properties(${VARN_GENERATED_DIR}/varns-house.rc PROPERTIES OBJECT_DEPENDS
  "${VARN_ICON_DIR}/varns-house-30001.bin;${VARN_ICON_DIR}/varns-house-30002.bin;${VARN_ICON_DIR}/varns-house-30003.bin;${VARN_ICON_DIR}/varns-house-group.bin")
set_source_files_properties(${VARN_GENERATED_DIR}/manifest.rc PROPERTIES OBJECT_DEPENDS
                            ${VARN_MANIFEST})

# wWinMain is the entry; nothing but system DLLs is needed at run time.
function(varn_windows_program name)
  add_executable(${name} WIN32 ${PROJECT_SOURCE_DIR}/app/win_main.cpp ${varn_rc_files})
  target_link_libraries(${name} PRIVATE varn_win32 varn_scenes)
  target_link_options(${name} PRIVATE -municode -static -static-libgcc -static-libstdc++)
endfunction()

varn_windows_program(varns-house)
install(TARGETS varns-house RUNTIME DESTINATION .)
# Only the shipped 32-bit exe is packaged.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  include(${PROJECT_SOURCE_DIR}/cmake/WindowsPackage.cmake)
endif()

if(BUILD_TESTING)
  # The program as shipped plus a test-only way to make one window operation
  # fail (VARN_FAIL_ON="Show Form2"), for the failure path end to end.
  varn_windows_program(varns-house-fault-injection)
  target_compile_definitions(varns-house-fault-injection PRIVATE VARN_FAULT_INJECTION)
  add_subdirectory(tests/windows)
endif()

# The Windows benchmark's yardstick, built with the same toolchain and flags
# (bench/run-windows.sh turns it on).
option(VARN_BUILD_BENCH "Build the benchmark's bare Windows program" OFF)
if(VARN_BUILD_BENCH)
  add_executable(bare_window_win32 WIN32 ${PROJECT_SOURCE_DIR}/bench/bare_window_win32.cpp
                                         ${VARN_GENERATED_DIR}/manifest.rc)
  target_include_directories(bare_window_win32 PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(bare_window_win32 PRIVATE user32 gdi32 kernel32)
  target_link_options(bare_window_win32 PRIVATE -municode -static -static-libgcc
                                                 -static-libstdc++)
  add_executable(desktop_keeper_win32 WIN32 ${PROJECT_SOURCE_DIR}/bench/desktop_keeper_win32.cpp)
  target_include_directories(desktop_keeper_win32 PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(desktop_keeper_win32 PRIVATE user32)
  target_link_options(desktop_keeper_win32 PRIVATE -municode -static)
endif()
