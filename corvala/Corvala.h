/// @file
/// Corvala: one OpenGL window with polled input state, a status bar and image buttons, fixed-function
/// render helpers, BMP and TGA texture slots, texture-font text, pickable 3D menus, and MD3 models
/// with animated characters. Including this header brings in the whole framework, and OpenGL 1.1 and
/// GLU for the program's own drawing (the framework leaves plain GL calls to it).
#pragma once
// From the build's GL provider, which the framework's calls go to as well.
#include "platform/gl/gl.h"

#include "CRVL_TextParse.h"
#include "model/CRVL_MD3File.h"
#include "model/CRVL_Model.h"
#include "model/CRVL_ModelAnimate.h"
#include "render/CRVL_Pick.h"
#include "render/CRVL_Primitives.h"
#include "render/CRVL_Render.h"
#include "render/CRVL_Text.h"
#include "render/CRVL_Vector.h"
#include "texture/CRVL_TGA.h"
#include "texture/CRVL_Texture.h"
#include "window/CRVL_HoverButton.h"
#include "window/CRVL_StatusBar.h"
#include "window/CRVL_Window.h"
