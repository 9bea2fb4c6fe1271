# The SDL backend: SDL2 for windows, events, GL contexts and boxes, SDL2_image for icons and cursors,
# FreeType for child windows' text, and Xlib where SDL runs on X11. None of them is seen outside this folder.
find_package(SDL2 REQUIRED)
find_package(SDL2_image REQUIRED)
find_package(Freetype REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)

set(CORVALA_BACKEND_SOURCES composite.cpp dialog.cpp events.cpp gdi_bitmap.cpp input.cpp opengl.cpp surface_text.cpp
                            video.cpp window.cpp)
set(CORVALA_BACKEND_EMULATED ON)  # under the Win32 emulation of emul/
set(CORVALA_BACKEND_TESTING_SOURCES testing.cpp)
set(CORVALA_BACKEND_LIBRARIES SDL2::SDL2 SDL2_image::SDL2_image OpenGL::GL OpenGL::GLX Freetype::Freetype
                              ${CMAKE_DL_LIBS})
# find_dependency() lines of CorvalaConfig.cmake, and the Requires: of corvala.pc.
set(CORVALA_BACKEND_PACKAGES "SDL2" "SDL2_image" "Freetype")
set(CORVALA_BACKEND_PKGCONFIG "sdl2 SDL2_image freetype2")

# What SDL leaves to the system (native.h): X11's and Linux's own files where they are, else fallbacks
# that leave it to SDL alone.
find_package(X11)
if(X11_FOUND)
  list(APPEND CORVALA_BACKEND_SOURCES x11.cpp)
  list(APPEND CORVALA_BACKEND_LIBRARIES X11::X11)
  list(APPEND CORVALA_BACKEND_PACKAGES "X11")
  string(APPEND CORVALA_BACKEND_PKGCONFIG " x11")
else()
  list(APPEND CORVALA_BACKEND_SOURCES x11_fallback.cpp)
endif()
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  list(APPEND CORVALA_BACKEND_SOURCES linux.cpp)
else()
  list(APPEND CORVALA_BACKEND_SOURCES linux_fallback.cpp)
endif()
