# The site the web build leaves in ${CMAKE_BINARY_DIR}/site/, servable as it is: Wobblefin's page
# (index.html), and under examples/ a page per example with a list of them. Each page is shell/page.html
# filled in; each program's data is packed beside it by emcc (NAME.data) and fetched by the page first.
set(WEB_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(WEB_SHELL ${CMAKE_CURRENT_LIST_DIR}/shell)
set(web_release_flags -O2)
if(CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(web_release_flags)
endif()

# corvala_web_page(TARGET PAGE TITLE [ENDED NAME] [DATA FILE@PATH...] [ARGUMENTS ARG...]): TARGET's page
# PAGE (relative to the site) with the files it reads packed at the paths it reads them from.
function(corvala_web_page target page title)
  cmake_parse_arguments(P "" "ENDED" "DATA;ARGUMENTS" ${ARGN})
  get_filename_component(folder ${WEB_SITE_DIR}/${page} DIRECTORY)
  set(base $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>)
  set(copies ${base}.js ${base}.wasm)
  set(PAGE_DATA "")
  foreach(item ${P_DATA})
    target_link_options(${target} PRIVATE "SHELL:--preload-file ${item}")
    string(REGEX REPLACE "@.*" "" source ${item})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${source})
  endforeach()
  if(P_DATA)
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
      set(name ${target})
    endif()
    set(PAGE_DATA ${name}.data)
    list(APPEND copies ${base}.data)
  endif()
  target_link_options(${target} PRIVATE ${web_release_flags})
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
    COMMAND ${CMAKE_COMMAND} -E copy ${copies} ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/pages/${target}.html ${WEB_SITE_DIR}/${page})
endfunction()

set(run ${WOBBLEFIN_RUN_DIR})
corvala_web_page(Wobblefin index.html Wobblefin ENDED Wobblefin
  DATA ${run}/modelli@/modelli ${run}/immagini@/immagini ${run}/Wobblefin.ico@/Wobblefin.ico)

# The examples read the font where the build's data set keeps it, and the model example its arguments.
set(examples)
foreach(example hello menu buttons model)
  string(SUBSTRING ${example} 0 1 first)
  string(TOUPPER ${first} first)
  string(SUBSTRING ${example} 1 -1 rest)
  set(data ${CORVALA_FONT}@${CORVALA_FONT})
  set(arguments)
  if(example STREQUAL model)
    list(APPEND data ${run}/modelli@/modelli)
    set(arguments /modelli/ PesceRosso /modelli/PesceRosso.tga)
  endif()
  corvala_web_page(corvala_${example} examples/${example}.html "Corvala ${example}" DATA ${data} ARGUMENTS ${arguments})
  add_dependencies(corvala_${example} assets)
  string(APPEND examples "  <li><a href=\"${example}.html\">${first}${rest}</a></li>\n")
endforeach()
configure_file(${WEB_SHELL}/examples.html ${WEB_SITE_DIR}/examples/index.html @ONLY)

# The programs' files and pages go into the site once all of them are built.
get_property(programs GLOBAL PROPERTY CORVALA_WEB_PROGRAMS)
get_property(copies GLOBAL PROPERTY CORVALA_WEB_COPIES)
add_custom_target(site ALL ${copies} COMMENT "Writing the site into ${WEB_SITE_DIR}" VERBATIM)
add_dependencies(site ${programs})
