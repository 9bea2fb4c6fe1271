# The site the web build leaves in ${CMAKE_BINARY_DIR}/site/, servable as it is: Wobblefin's page
# (index.html), and under examples/ a page per example with a list of them, made as pages.cmake makes any
# program's (the installed framework's too). A program's data is a package in the site's top folder
# (NAME.data), which its page fetches before the program starts; the model example shows Wobblefin's fish
# from Wobblefin's package.
set(WEB_SITE_DIR ${CMAKE_BINARY_DIR}/site)
include(${CMAKE_CURRENT_LIST_DIR}/pages.cmake)

# site_page(TARGET PAGE TITLE [corvala_web_page's arguments]): TARGET's page as PAGE (relative to the site),
# with its package, if any, fetched from the site's top folder, where one copy of each goes.
function(site_page target page title)
  cmake_parse_arguments(P "" "PACKAGE" "" ${ARGN})
  get_filename_component(folder ${WEB_SITE_DIR}/${page} DIRECTORY)
  set(data)
  if(P_PACKAGE)
    file(RELATIVE_PATH url ${folder} ${WEB_SITE_DIR}/${P_PACKAGE}.data)
    set(data PACKAGE ${P_PACKAGE} DATA ${url})
    set_property(GLOBAL APPEND PROPERTY CORVALA_WEB_COPIES
      COMMAND ${CMAKE_COMMAND} -E copy ${CORVALA_WEB_PACKAGES}/${P_PACKAGE}.data ${WEB_SITE_DIR})
  endif()
  corvala_web_page(${target} TITLE ${title} ${data} ${P_UNPARSED_ARGUMENTS})
  set(base $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>)
  set_property(GLOBAL APPEND PROPERTY CORVALA_WEB_PROGRAMS ${target})
  set_property(GLOBAL APPEND PROPERTY CORVALA_WEB_COPIES
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${base}.js ${base}.wasm ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${base}.html ${WEB_SITE_DIR}/${page})
endfunction()

set(run ${WOBBLEFIN_RUN_DIR})
set(made DEPENDS ${WOBBLEFIN_ASSET_OUTPUTS} assets)
corvala_web_package(Wobblefin FOLDERS ${run}/modelli@/modelli ${run}/immagini@/immagini FILES ${run}/Wobblefin.ico@/Wobblefin.ico
                    ${made})
site_page(Wobblefin index.html Wobblefin ENDED Wobblefin PACKAGE Wobblefin)

# The font is read where the build's data set keeps it.
corvala_web_package(corvala_font FILES ${CORVALA_FONT}@${CORVALA_FONT} ${made})
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
  site_page(corvala_${example} examples/${example}.html "Corvala ${example}" ${data})
  string(APPEND examples "  <li><a href=\"${example}.html\">${first}${rest}</a></li>\n")
endforeach()
# The viewer opens the small player md3view_sample writes, as a game's archive holds one; the sample is
# written by the build machine's md3view_sample, as the data set is by its assetgen.
if(TARGET corvala-md3view)
  set(MD3VIEW_SAMPLE "" CACHE FILEPATH "md3view_sample built for the build machine")
  if(NOT EXISTS "${MD3VIEW_SAMPLE}")
    message(FATAL_ERROR "The viewer's page needs MD3VIEW_SAMPLE, md3view_sample of a native build "
                        "(or -DCORVALA_MD3VIEW=OFF)")
  endif()
  set(sample ${CMAKE_BINARY_DIR}/md3view/sample.pk3)
  add_custom_command(OUTPUT ${sample} COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/md3view
                     COMMAND ${MD3VIEW_SAMPLE} --pk3 ${sample} DEPENDS ${MD3VIEW_SAMPLE}
                     COMMENT "Writing the viewer's sample player" VERBATIM)
  corvala_web_package(md3view FILES ${CORVALA_FONT}@${CORVALA_FONT} ${sample}@/md3view/sample.pk3 DEPENDS ${sample}
                      ${WOBBLEFIN_ASSET_OUTPUTS} assets)
  site_page(corvala-md3view examples/md3view.html "corvala-md3view" PACKAGE md3view
            ARGUMENTS /md3view/sample.pk3 robot EXTRA ${CORVALA_WEB_SHELL}/md3view.html)
  string(APPEND examples "  <li><a href=\"md3view.html\">corvala-md3view</a>, the MD3 viewer</li>\n")
endif()
configure_file(${CORVALA_WEB_SHELL}/examples.html ${WEB_SITE_DIR}/examples/index.html @ONLY)

# The programs' files and pages go into the site once all of them are built.
get_property(programs GLOBAL PROPERTY CORVALA_WEB_PROGRAMS)
get_property(copies GLOBAL PROPERTY CORVALA_WEB_COPIES)
add_custom_target(site ALL ${copies} COMMENT "Writing the site into ${WEB_SITE_DIR}" VERBATIM)
add_dependencies(site ${programs})
