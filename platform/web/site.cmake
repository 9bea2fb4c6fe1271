# The site the web build leaves in ${CMAKE_BINARY_DIR}/site/, servable as it is: Wobblefin's page
# (index.html), and under examples/ a page per example with a list of them. Each page is shell/page.html
# filled in. A program's data is a package of Emscripten's file packager beside it (NAME.data), which its
# page fetches before the program starts; the model example shows Wobblefin's fish from Wobblefin's package.
set(WEB_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(WEB_SHELL ${CMAKE_CURRENT_LIST_DIR}/shell)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(web_packager ${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py)
set(web_link_flags -O2)
if(CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(web_link_flags)
endif()

# corvala_web_package(NAME [FILES FILE@PATH...] [FOLDERS FOLDER@PATH...]): NAME.data, and the code that puts
# its files at their paths before main (NAME.data.js), in ${CMAKE_BINARY_DIR}/packages/; a target NAME_package
# makes them. A folder goes in as shell/md3pack.js copies it, with its models' frames packed for the wire; the
# page restores them. What they hold is the build's data set, written before.
find_program(WEB_NODE NAMES nodejs node REQUIRED)
function(corvala_web_package name)
  cmake_parse_arguments(P "" "" "FILES;FOLDERS" ${ARGN})
  set(out ${CMAKE_BINARY_DIR}/packages)
  set(items ${P_FILES})
  set(mirror)
  foreach(item ${P_FOLDERS})
    string(FIND ${item} "@" at)
    string(SUBSTRING ${item} 0 ${at} source)
    string(SUBSTRING ${item} ${at} -1 path)
    get_filename_component(folder ${source} NAME)
    set(copy ${out}/${name}.files/${folder})
    list(APPEND mirror COMMAND ${WEB_NODE} ${WEB_SHELL}/md3pack.js ${source} ${copy})
    list(APPEND items ${copy}${path})
  endforeach()
  add_custom_command(
    OUTPUT ${out}/${name}.data ${out}/${name}.data.js
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${out}/${name}.files
    ${mirror}
    COMMAND ${Python3_EXECUTABLE} ${web_packager} ${out}/${name}.data --preload ${items} --js-output=${out}/${name}.data.js
    DEPENDS ${WOBBLEFIN_ASSET_OUTPUTS} ${WEB_SHELL}/md3pack.js assets
    COMMENT "Packing ${name}.data"
    VERBATIM)
  add_custom_target(${name}_package DEPENDS ${out}/${name}.data ${out}/${name}.data.js)
endfunction()

# corvala_web_page(TARGET PAGE TITLE [ENDED NAME] [PACKAGE NAME] [ARGUMENTS ARG...]): TARGET's page PAGE
# (relative to the site), with the package NAME its data; `ENDED` names the program in the notice at the end
# (else the window's title does).
function(corvala_web_page target page title)
  cmake_parse_arguments(P "" "ENDED;PACKAGE" "ARGUMENTS" ${ARGN})
  get_filename_component(folder ${WEB_SITE_DIR}/${page} DIRECTORY)
  set(base $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>)
  set(PAGE_DATA "")
  if(P_PACKAGE)
    set(loader ${CMAKE_BINARY_DIR}/packages/${P_PACKAGE}.data.js)
    target_link_options(${target} PRIVATE "SHELL:--pre-js ${loader}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${loader})
    add_dependencies(${target} ${P_PACKAGE}_package)
    file(RELATIVE_PATH PAGE_DATA ${folder} ${WEB_SITE_DIR}/${P_PACKAGE}.data)
    set_property(GLOBAL APPEND PROPERTY CORVALA_WEB_COPIES
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/packages/${P_PACKAGE}.data ${WEB_SITE_DIR})
  endif()
  target_link_options(${target} PRIVATE ${web_link_flags})
  file(READ ${WEB_SHELL}/md3pack.js PAGE_MD3PACK)
  set(PAGE_TITLE ${title})
  set(PAGE_ENDED_NAME "${P_ENDED}")
  set(PAGE_SCRIPT $<TARGET_FILE_NAME:${target}>)
  set(PAGE_WIDTH 800)
  set(PAGE_HEIGHT 600)
  set(arguments)
  foreach(a ${P_ARGUMENTS})
    list(APPEND arguments "\"${a}\"")
  endforeach()
  list(JOIN arguments ", " arguments)
  set(PAGE_ARGUMENTS "[${arguments}]")
  configure_file(${WEB_SHELL}/page.html ${CMAKE_BINARY_DIR}/pages/${target}.html.in @ONLY)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/pages/${target}.html INPUT ${CMAKE_BINARY_DIR}/pages/${target}.html.in)
  set_property(GLOBAL APPEND PROPERTY CORVALA_WEB_PROGRAMS ${target})
  set_property(GLOBAL APPEND PROPERTY CORVALA_WEB_COPIES
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${base}.js ${base}.wasm ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/pages/${target}.html ${WEB_SITE_DIR}/${page})
endfunction()

set(run ${WOBBLEFIN_RUN_DIR})
corvala_web_package(Wobblefin FOLDERS ${run}/modelli@/modelli ${run}/immagini@/immagini FILES ${run}/Wobblefin.ico@/Wobblefin.ico)
corvala_web_page(Wobblefin index.html Wobblefin ENDED Wobblefin PACKAGE Wobblefin)

# The font is read where the build's data set keeps it.
corvala_web_package(corvala_font FILES ${CORVALA_FONT}@${CORVALA_FONT})
set(examples)
foreach(example hello menu buttons model)
  string(SUBSTRING ${example} 0 1 first)
  string(TOUPPER ${first} first)
  string(SUBSTRING ${example} 1 -1 rest)
  if(example STREQUAL hello)
    set(data PACKAGE corvala_font)
  elseif(example STREQUAL model)
    set(data PACKAGE Wobblefin ARGUMENTS /modelli/ PesceRosso /modelli/PesceRosso.tga)
  else()
    set(data)
  endif()
  corvala_web_page(corvala_${example} examples/${example}.html "Corvala ${example}" ${data})
  string(APPEND examples "  <li><a href=\"${example}.html\">${first}${rest}</a></li>\n")
endforeach()
configure_file(${WEB_SHELL}/examples.html ${WEB_SITE_DIR}/examples/index.html @ONLY)

# The programs' files and pages go into the site once all of them are built.
get_property(programs GLOBAL PROPERTY CORVALA_WEB_PROGRAMS)
get_property(copies GLOBAL PROPERTY CORVALA_WEB_COPIES)
add_custom_target(site ALL ${copies} COMMENT "Writing the site into ${WEB_SITE_DIR}" VERBATIM)
add_dependencies(site ${programs})
