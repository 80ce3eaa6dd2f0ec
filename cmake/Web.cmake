# The tour in a web browser: the same runtime and scene tables on the page's
# own elements, compiled to WebAssembly with Emscripten, and a static site
# (site/ in the build folder) that any static host can serve: the page, one
# script, one WebAssembly module, the stylesheet, the icons, the web app
# manifest and the service worker that keeps it all for offline play. The page
# and stylesheet come with the title window written in, and every text file
# and the module with its precompressed .br and .gz.

# The only code that knows the browser: the windows built of page elements,
# which reach the page only through dom.h, and the page itself behind it.
add_library(varn_web_elements STATIC
  runtime/web/application.cpp
  runtime/web/item_elements.cpp
  runtime/web/scene_window.cpp
  runtime/web/title_glyphs.cpp
  runtime/web/web_platform.cpp
  runtime/web/window_frame.cpp)
target_link_libraries(varn_web_elements PUBLIC varn_runtime varn_resources)
add_library(varn_web STATIC runtime/web/dom.cpp runtime/web/dom_adoption.cpp
  runtime/web/dom_showing.cpp)
target_link_libraries(varn_web PUBLIC varn_web_elements)

# The same windows on a recording back end of dom.h, run by Node.js while the
# site is built: it writes the title window into the page and its stylesheet.
add_executable(title_page tools/title_page.cpp runtime/web/dom_markup.cpp)
target_link_libraries(title_page PRIVATE varn_web_elements varn_scenes)
target_link_options(title_page PRIVATE -fexceptions -sENVIRONMENT=node -sNODERAWFS=1)
find_program(VARN_NODE node REQUIRED)
# Debian's brotli for the precompressed .br files; gzip -n for the .gz ones,
# with no name or time in them, so that each build writes the same bytes.
find_program(VARN_BROTLI brotli REQUIRED)
find_program(VARN_GZIP gzip REQUIRED)

# The site's own fonts: Debian's Liberation Sans and Serif (fonts-liberation2),
# the families the desktop layers draw the scenes' fonts in, cut down to Basic
# Latin (all the scenes' text) as WOFF2 with fontTools (Debian's fonttools and
# python3-brotli), without kerning or other layout features, as the desktops
# set the words. The subset keeps the source's own timestamps, so each build
# writes the same bytes.
find_file(VARN_LIBERATION_SANS LiberationSans-Regular.ttf
          PATHS /usr/share/fonts/truetype/liberation2 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
find_file(VARN_LIBERATION_SERIF LiberationSerif-Regular.ttf
          PATHS /usr/share/fonts/truetype/liberation2 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
find_file(VARN_LIBERATION_LICENCE copyright PATHS /usr/share/doc/fonts-liberation2
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# Each cut in two by tools/site_fonts.py: the served title's characters and the rest.
set(VARN_WEB_FONTS fonts/LiberationSans-Regular-title.woff2 fonts/LiberationSans-Regular.woff2
                   fonts/LiberationSerif-Regular-title.woff2 fonts/LiberationSerif-Regular.woff2)

set(VARN_SITE_DIR ${PROJECT_BINARY_DIR}/site)
set(web_sources ${PROJECT_SOURCE_DIR}/runtime/web)

# A small program: 1 MiB of memory to start with (it grows if ever needed), a
# 64 KiB stack, no file system, and no code made at run time, so that the page
# runs under a content security policy that forbids eval.
set(VARN_WEB_LINK_OPTIONS
  -fexceptions
  -sENVIRONMENT=web
  -sINITIAL_MEMORY=1048576
  -sTOTAL_STACK=65536
  -sALLOW_MEMORY_GROWTH=1
  -sMALLOC=emmalloc
  -sFILESYSTEM=0
  -sDYNAMIC_EXECUTION=0
  -sTEXTDECODER=2
  -sINCOMING_MODULE_JS_API=[])

find_program(VARN_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(VARN_WEB_CACHE "varns-house-${VARN_VERSION_TEXT}")
# The app's background colour while it starts, and behind the home-screen icon.
set(VARN_WEB_BACKGROUND c0c0c0)

# A web program, <name>.js and <name>.wasm, in `folder` with a whole site
# around it: its page, the stylesheet, the icons (the title-bar sizes as they
# are, and the app's 192 and 512 px icons scaled up from the 32 px image pixel
# by pixel), the web app manifest and the service worker.
function(varn_web_site name folder)
  add_executable(${name} ${PROJECT_SOURCE_DIR}/app/web_main.cpp)
  target_link_libraries(${name} PRIVATE varn_web varn_scenes)
  # The module loader goes first in the script: the program's own fetch of its
  # module, whose response the service worker's cache then takes.
  set(loader ${CMAKE_CURRENT_BINARY_DIR}/${name}-loader.js)
  configure_file(${web_sources}/site/module_loader.js.in ${loader} @ONLY)
  target_link_options(${name} PRIVATE ${VARN_WEB_LINK_OPTIONS} "SHELL:--pre-js ${loader}"
                      -sINCOMING_MODULE_JS_API=[instantiateWasm] ${ARGN})
  set_target_properties(${name} PROPERTIES LINK_DEPENDS ${loader})
  set_target_properties(${name} PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${folder})
  set(VARN_WEB_SCRIPT ${name}.js)
  set(VARN_WEB_MODULE ${name}.wasm)
  set(page_in ${CMAKE_CURRENT_BINARY_DIR}/${name}-index.html)
  configure_file(${web_sources}/site/index.html.in ${page_in} @ONLY)
  # The page and stylesheet with the title window in them, and the fonts cut
  # for that title.
  list(TRANSFORM VARN_WEB_FONTS PREPEND ${folder}/ OUTPUT_VARIABLE fonts)
  add_custom_command(
    OUTPUT ${folder}/index.html ${folder}/style.css ${fonts}
    COMMAND ${VARN_NODE} --no-experimental-fetch $<TARGET_FILE:title_page> ${page_in}
            ${folder}/index.html ${web_sources}/site/style.css ${folder}/style.css
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/fonts
    COMMAND ${VARN_PYTHON3} ${PROJECT_SOURCE_DIR}/tools/site_fonts.py ${folder}/index.html
            ${folder}/style.css ${folder}/fonts ${VARN_LIBERATION_SANS} ${VARN_LIBERATION_SERIF}
    DEPENDS title_page ${page_in} ${web_sources}/site/style.css
            ${PROJECT_SOURCE_DIR}/tools/site_fonts.py ${VARN_LIBERATION_SANS}
            ${VARN_LIBERATION_SERIF}
    COMMENT "Writing the title window into ${name}'s page, and cutting the fonts for it")
  configure_file(${web_sources}/site/manifest.webmanifest.in ${folder}/manifest.webmanifest @ONLY)
  configure_file(${web_sources}/site/press_keeper.js ${folder}/press-keeper.js COPYONLY)
  set(icons)
  foreach(size 16 32)
    configure_file(${VARN_ICON_DIR}/hicolor/varns-house-${size}.png ${folder}/icon-${size}.png
                   COPYONLY)
  endforeach()
  # 180 px: the home-screen icon of an iPhone or iPad, opaque on the background.
  set(background_180 ${VARN_WEB_BACKGROUND})
  foreach(size 180 192 512)
    add_custom_command(
      OUTPUT ${folder}/icon-${size}.png
      COMMAND ${VARN_PYTHON3} ${VARN_ICON_DIR}/scaled_png.py ${size} ${folder}/icon-${size}.png
              ${background_${size}}
      DEPENDS ${VARN_ICON_DIR}/scaled_png.py ${VARN_ICON_DIR}/pixel_art.py
              ${VARN_ICON_DIR}/formats.py
      COMMENT "Scaling the icon to ${size} px")
    list(APPEND icons ${folder}/icon-${size}.png)
  endforeach()
  add_custom_target(${name}_icons ALL DEPENDS ${icons})
  configure_file(${VARN_LIBERATION_LICENCE} ${folder}/fonts/LICENSE-Liberation.txt COPYONLY)
  set(files index.html press-keeper.js ${name}.js ${name}.wasm style.css icon-16.png icon-32.png icon-180.png
            icon-192.png icon-512.png manifest.webmanifest ${VARN_WEB_FONTS})
  list(JOIN files "\", \"" VARN_WEB_FILES)
  set(VARN_WEB_FILES "\"./\", \"${VARN_WEB_FILES}\"")
  configure_file(${web_sources}/site/sw.js.in ${folder}/sw.js @ONLY)
  # Every text file and the module precompressed beside it, for a host that
  # serves .br or .gz files as they are (docs/web.md).
  set(compressed)
  foreach(file index.html press-keeper.js ${name}.js ${name}.wasm style.css manifest.webmanifest
                sw.js)
    # The linker's files are known by their target alone.
    set(source ${folder}/${file})
    if(file MATCHES "^${name}\\.")
      set(source ${name})
    endif()
    add_custom_command(
      OUTPUT ${folder}/${file}.br ${folder}/${file}.gz
      COMMAND ${VARN_BROTLI} --quality=11 --force --output=${folder}/${file}.br ${folder}/${file}
      COMMAND ${VARN_GZIP} -9 --no-name --force --keep ${folder}/${file}
      DEPENDS ${source}
      COMMENT "Compressing ${file}")
    list(APPEND compressed ${folder}/${file}.br ${folder}/${file}.gz)
  endforeach()
  # The site is whole only with its icons and fonts: the service worker
  # fetches every file it lists and installs only if all of them are there.
  add_custom_target(${name}_site ALL DEPENDS ${compressed})
  add_dependencies(${name}_site ${name}_icons)
endfunction()

varn_web_site(varns-house ${VARN_SITE_DIR})

if(BUILD_TESTING)
  # The program as shipped plus a test-only way to make one page operation
  # fail (index.html?fail=Show%20Form2), in a site of its own beside the real one.
  set(VARN_FAULT_SITE_DIR ${PROJECT_BINARY_DIR}/site-fault-injection)
  varn_web_site(varns-house-fault-injection ${VARN_FAULT_SITE_DIR}
                "SHELL:--pre-js ${web_sources}/fault_environment.js"
                -sINCOMING_MODULE_JS_API=[preRun,instantiateWasm])
  target_compile_definitions(varns-house-fault-injection PRIVATE VARN_FAULT_INJECTION)
  add_subdirectory(tests/web)
endif()

# The browser benchmark's yardstick (bench/run-web.sh): a bare page with one
# window and one button, built with the same options into a folder of its own,
# with its own page and the site's stylesheet and title-bar icon. Off by default.
option(VARN_BUILD_BENCH "Build the bare page the browser benchmark measures the site against" OFF)
if(VARN_BUILD_BENCH)
  set(bare_dir ${PROJECT_BINARY_DIR}/bare-page)
  add_executable(bare-page bench/bare_page.cpp)
  target_link_options(bare-page PRIVATE ${VARN_WEB_LINK_OPTIONS})
  set_target_properties(bare-page PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${bare_dir})
  configure_file(bench/bare_page.html ${bare_dir}/index.html COPYONLY)
  configure_file(${web_sources}/site/style.css ${bare_dir}/style.css COPYONLY)
  configure_file(${VARN_ICON_DIR}/hicolor/varns-house-16.png ${bare_dir}/icon-16.png COPYONLY)
endif()
