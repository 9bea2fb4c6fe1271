# The SDL backend: SDL2 for windows, events, GL contexts and boxes, SDL2_image for icons and cursors,
# Xlib for its error handler, FreeType for child windows' text. None of them is seen outside this folder.
find_package(SDL2 REQUIRED)
find_package(SDL2_image REQUIRED)
find_package(X11 REQUIRED)
find_package(Freetype REQUIRED)

set(CORVALA_BACKEND_SOURCES composite.cpp dialog.cpp events.cpp gdi_bitmap.cpp input.cpp opengl.cpp surface_text.cpp
                            video.cpp window.cpp)
set(CORVALA_BACKEND_EMULATED ON)  # under the Win32 emulation of emul/
set(CORVALA_BACKEND_TESTING_SOURCES testing.cpp)
set(CORVALA_BACKEND_LIBRARIES SDL2::SDL2 SDL2_image::SDL2_image Freetype::Freetype X11::X11 ${CMAKE_DL_LIBS})
# SDL opens the system's GL itself for the context; the program's GL calls go to this provider.
set(CORVALA_BACKEND_GL system)
# find_dependency() lines of CorvalaConfig.cmake, and the Requires: of corvala.pc.
set(CORVALA_BACKEND_PACKAGES "SDL2" "SDL2_image" "Freetype" "X11")
set(CORVALA_BACKEND_PKGCONFIG "sdl2 SDL2_image freetype2 x11")
