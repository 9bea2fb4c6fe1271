# corvala_ship_assets(TARGET FILE_OR_FOLDER...): what a program reads at run time travels with it, so it
# runs wherever it is copied or installed. After every build each file (the font: ${CORVALA_FONT}) and each
# folder (with its name) is copied beside the executable. Installed, they go where the installed program
# finds them again: beside it on Windows (into CMAKE_INSTALL_BINDIR, where install(TARGETS) puts the
# program), into the program's data folder share/NAME on other systems (NAME the executable's file name).
# CORVALA_ASSETS_DESTINATION, when set, is the install folder instead; CORVALA_ASSETS_INSTALL set to OFF
# leaves the install alone. FindFont and host::DataFolderCandidates look in exactly these places.
function(corvala_ship_assets target)
  include(GNUInstallDirs)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  if(CORVALA_ASSETS_DESTINATION)
    set(destination ${CORVALA_ASSETS_DESTINATION})
  elseif(WIN32)
    set(destination ${CMAKE_INSTALL_BINDIR})
  else()
    set(destination ${CMAKE_INSTALL_DATADIR}/${name})
  endif()
  foreach(item ${ARGN})
    get_filename_component(item ${item} ABSOLUTE)
    get_filename_component(item_name ${item} NAME)
    if(IS_DIRECTORY ${item})
      add_custom_command(TARGET ${target} POST_BUILD COMMAND ${CMAKE_COMMAND} -E copy_directory ${item}
                                                             $<TARGET_FILE_DIR:${target}>/${item_name})
      set(kind DIRECTORY)
    else()
      # A file the build makes itself need not be there yet when this is configured.
      add_custom_command(TARGET ${target} POST_BUILD COMMAND ${CMAKE_COMMAND} -E copy_if_different ${item}
                                                             $<TARGET_FILE_DIR:${target}>)
      set(kind FILES)
    endif()
    if(NOT DEFINED CORVALA_ASSETS_INSTALL OR CORVALA_ASSETS_INSTALL)
      install(${kind} ${item} DESTINATION ${destination})
    endif()
  endforeach()
endfunction()
