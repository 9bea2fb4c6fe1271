// Corvala: one OpenGL window with polled input state, fixed-function render helpers, BMP and TGA
// texture slots, texture-font text and pickable 3D menus. Models live in model/CRVL_Model.h and
// model/CRVL_ModelAnimate.h.
#pragma once

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
