# A page for a program built over the web backend, and the package of files it reads: what this
# repository's site is made of (site.cmake) and what find_package(Corvala) gives a project built with
# emcmake. The page is shell/page.html filled in; a package is Emscripten's file packager's, NAME.data,
# which the page fetches before the program starts, and NAME.data.js, which puts its files in place.
include_guard(GLOBAL)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(CORVALA_WEB_SHELL ${CMAKE_CURRENT_LIST_DIR}/shell)
set(CORVALA_WEB_PACKAGES ${CMAKE_BINARY_DIR}/packages)

# corvala_web_package(NAME [FILES FILE@PATH...] [FOLDERS FOLDER@PATH...] [DEPENDS ...]): NAME.data and
# NAME.data.js in ${CORVALA_WEB_PACKAGES}, made by a target NAME_package, each FILE at PATH in the program's
# file system. A folder goes in as shell/md3pack.js copies it, with its models' frames packed for the wire;
# the page restores them. DEPENDS: what makes the files, when the build does.
function(corvala_web_package name)
  cmake_parse_arguments(P "" "" "FILES;FOLDERS;DEPENDS" ${ARGN})
  set(out ${CORVALA_WEB_PACKAGES})
  set(items ${P_FILES})
  set(sources)
  foreach(item ${P_FILES})
    string(REGEX REPLACE "@[^@]*$" "" source ${item})
    list(APPEND sources ${source})
  endforeach()
  set(mirror)
  if(P_FOLDERS)
    find_program(CORVALA_WEB_NODE NAMES nodejs node REQUIRED)
  endif()
  foreach(item ${P_FOLDERS})
    string(FIND ${item} "@" at)
    string(SUBSTRING ${item} 0 ${at} source)
    string(SUBSTRING ${item} ${at} -1 path)
    get_filename_component(folder ${source} NAME)
    set(copy ${out}/${name}.files/${folder})
    list(APPEND mirror COMMAND ${CORVALA_WEB_NODE} ${CORVALA_WEB_SHELL}/md3pack.js ${source} ${copy})
    list(APPEND items ${copy}${path})
  endforeach()
  add_custom_command(
    OUTPUT ${out}/${name}.data ${out}/${name}.data.js
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${out}/${name}.files
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    ${mirror}
    COMMAND ${Python3_EXECUTABLE} ${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py ${out}/${name}.data
            --preload ${items} --js-output=${out}/${name}.data.js
    DEPENDS ${sources} ${P_DEPENDS} ${CORVALA_WEB_SHELL}/md3pack.js
    COMMENT "Packing ${name}.data"
    VERBATIM)
  add_custom_target(${name}_package DEPENDS ${out}/${name}.data ${out}/${name}.data.js)
endfunction()

# corvala_web_page(TARGET [TITLE TITLE] [ENDED NAME] [PACKAGE NAME] [DATA URL] [ARGUMENTS ARG...] [EXTRA FILE]):
# NAME.html beside TARGET's NAME.js, its page. The package NAME is the program's files, copied beside the page
# after each build, or fetched from DATA (a URL relative to the page) when given. `ENDED` names the program in
# the notice at the end (else the window's title does); ARGUMENTS are its command line; EXTRA is HTML of the
# program's own put at the end of the page's body.
function(corvala_web_page target)
  cmake_parse_arguments(P "" "TITLE;ENDED;PACKAGE;DATA;EXTRA" "ARGUMENTS" ${ARGN})
  set(PAGE_DATA "${P_DATA}")
  if(P_PACKAGE)
    set(loader ${CORVALA_WEB_PACKAGES}/${P_PACKAGE}.data.js)
    target_link_options(${target} PRIVATE "SHELL:--pre-js ${loader}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${loader})
    add_dependencies(${target} ${P_PACKAGE}_package)
    if(NOT P_DATA)
      set(PAGE_DATA ${P_PACKAGE}.data)
      add_custom_command(TARGET ${target} POST_BUILD COMMAND ${CMAKE_COMMAND} -E copy_if_different
                         ${CORVALA_WEB_PACKAGES}/${P_PACKAGE}.data $<TARGET_FILE_DIR:${target}> VERBATIM)
    endif()
  endif()
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_link_options(${target} PRIVATE -O2)
  endif()
  file(READ ${CORVALA_WEB_SHELL}/md3pack.js PAGE_MD3PACK)
  set(PAGE_EXTRA "")
  if(P_EXTRA)
    file(READ ${P_EXTRA} PAGE_EXTRA)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${P_EXTRA})
  endif()
  set(PAGE_TITLE ${target})
  if(P_TITLE)
    set(PAGE_TITLE ${P_TITLE})
  endif()
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
  set(template ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}.html.in)
  configure_file(${CORVALA_WEB_SHELL}/page.html ${template} @ONLY)
  file(GENERATE OUTPUT $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.html INPUT ${template})
endfunction()
