# `make package`: Debian packages, one per install component.
#   wobblefin        the program: launcher, data set, menu entry, icon
#   libcorvala-dev   the framework: headers, static libraries, CMake and pkg-config files, the font,
#                    the examples' sources, the reference, corvala-md3view
# Runtime dependencies of the programs in them are computed by dpkg-shlibdeps; a -dev package also
# needs the headers its own headers and libraries need, which no tool can compute.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wobblefin)
set(CPACK_PACKAGE_VENDOR "Wobblefin developers")
set(CPACK_PACKAGE_CONTACT "Wobblefin developers <wobblefin@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/wobblefin")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program sdk)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")

# What is loaded at run time rather than linked, which dpkg-shlibdeps cannot see: SDL opens libGL.so.1
# (the GLX dispatch, libgl1, with Mesa's GLX behind it), and Mesa opens its driver, recommended as
# Debian's games do (a system with a vendor's driver needs no Mesa one).
set(wobblefin_gl_runtime "libgl1, libglx-mesa0")
set(wobblefin_gl_driver libgl1-mesa-dri)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME wobblefin)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "${wobblefin_gl_runtime}")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS ${wobblefin_gl_driver})
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "Interactive aquarium toy with an animated goldfish
Wobblefin shows an aquarium with a goldfish in one OpenGL window. Hold the left
mouse button on a tool button (electric shocks, a vortex, squashes, heat and
cold) or on the fish, and the fish answers.")

set(CPACK_DEBIAN_SDK_PACKAGE_NAME libcorvala-dev)
set(CPACK_DEBIAN_SDK_PACKAGE_SECTION libdevel)
# The backend's -dev packages (its backend.cmake names them), GL's and pkg-config, and what is loaded at run time.
set(sdk_depends ${CORVALA_BACKEND_DEBIAN_DEPENDS} libgl-dev libglu1-mesa-dev pkg-config ${wobblefin_gl_runtime})
list(JOIN sdk_depends ", " CPACK_DEBIAN_SDK_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_SDK_PACKAGE_RECOMMENDS ${wobblefin_gl_driver})
set(CPACK_DEBIAN_SDK_DESCRIPTION "Corvala, a small OpenGL framework, and its MD3 model viewer
One OpenGL window with polled input state, a status bar and image buttons,
fixed-function render helpers, BMP and TGA textures, texture-font text,
pickable 3D menus, and MD3 models with animated characters. Static libraries,
headers, a CMake package and a pkg-config file, the font image, the examples'
sources, an HTML reference, and corvala-md3view, a viewer for Quake III-format
characters.")

# Every Debian package carries its copyright file and its changelog.
set(debian_changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${debian_changelog}
                   COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/changelog > ${debian_changelog}
                   DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(debian_changelog ALL DEPENDS ${debian_changelog})
foreach(component program sdk)
  string(TOUPPER ${component} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${debian_changelog}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

include(CPack)
