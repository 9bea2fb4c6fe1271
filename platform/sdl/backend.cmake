# The SDL backend: SDL2 for windows, events, GL contexts and boxes, SDL2_image for icons and cursors,
# FreeType for child windows' text, and Xlib where SDL runs on X11. None of them is seen outside this folder.
find_package(SDL2 REQUIRED)
find_package(SDL2_image REQUIRED)
find_package(Freetype REQUIRED)

# The children's composite over the GL picture is shared with the other backends that present through GL.
set(CORVALA_BACKEND_SOURCES ../emul/composite.cpp dialog.cpp events.cpp input.cpp opengl.cpp surface_text.cpp video.cpp window.cpp)
set(CORVALA_BACKEND_EMULATED ON)  # under the Win32 emulation of emul/
set(CORVALA_BACKEND_TESTING_SOURCES testing.cpp)
set(CORVALA_BACKEND_LIBRARIES SDL2::SDL2 SDL2_image::SDL2_image Freetype::Freetype ${CMAKE_DL_LIBS})
# SDL opens the system's GL itself for the context; the program's GL calls go to this provider.
set(CORVALA_BACKEND_GL system)
# What an installed copy asks for: the find_dependency() lines of CorvalaConfig.cmake, the Requires: of
# corvala.pc, the Depends: of the Debian package libcorvala-dev.
set(CORVALA_BACKEND_PACKAGES "SDL2" "SDL2_image" "Freetype")
set(CORVALA_BACKEND_PKGCONFIG "sdl2 SDL2_image freetype2")
set(CORVALA_BACKEND_DEBIAN_DEPENDS libsdl2-dev libsdl2-image-dev libfreetype-dev)
set(CORVALA_BACKEND_HEADERS)
set(CORVALA_BACKEND_HOST posix)
set(CORVALA_BACKEND_SHOWS ON)
set(CORVALA_BACKEND_TEST_LIBRARIES SDL2::SDL2)  # its own tests feed it SDL's events

# What SDL leaves to the system (native.h): X11's and Linux's own files where they are, else fallbacks
# that leave it to SDL alone.
find_package(X11)
if(X11_FOUND)
  list(APPEND CORVALA_BACKEND_SOURCES x11.cpp)
  list(APPEND CORVALA_BACKEND_LIBRARIES X11::X11)
  list(APPEND CORVALA_BACKEND_PACKAGES "X11")
  string(APPEND CORVALA_BACKEND_PKGCONFIG " x11")
  list(APPEND CORVALA_BACKEND_DEBIAN_DEPENDS libx11-dev)
else()
  list(APPEND CORVALA_BACKEND_SOURCES x11_fallback.cpp)
endif()
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  list(APPEND CORVALA_BACKEND_SOURCES linux.cpp)
else()
  list(APPEND CORVALA_BACKEND_SOURCES linux_fallback.cpp)
endif()
