/// @file
/// Projection set-ups, render-state switches and lights.
#pragma once
#include <cstdint>

namespace corvala {

/// @name Initialised data the application may change before the routines that read them run
///@{
extern float AMBIENTLIGHT[4];   ///< RGBA ambient colour SETGLLIGHT gives a light (0.5 grey)
extern float DIFFUSELIGHT[4];   ///< RGBA diffuse colour SETGLLIGHT gives a light (white)
extern float SPECULARLIGHT[4];  ///< RGBA specular colour SETGLLIGHT gives a light (white)
extern float LIGHTPOSITION[4];  ///< x, y, z, w last passed to PUTGLPOINTLIGHT or SETGLLIGHT
extern int32_t GL_MIN_FILTER;   ///< minification filter of the texture loaders (GL_LINEAR)
extern int32_t GL_MAG_FILTER;   ///< magnification filter of the texture loaders (GL_LINEAR)
///@}

/// 3D set-up: 45-degree vertical field of view at the window's aspect, near plane 0.1, far plane ZFAR; clear
/// colour R, G, B with alpha A (alpha comes first); depth test (LEQUAL), normals normalised, colour white at
/// alpha 0.5; the modelview matrix reset.
void OPENGL_INIT(double ZFAR, double A, double R, double G, double B);
/// 2D overlay: x from -2 to 2, y from -2 * HEIGHT / WIDTH to the same above; clear colour as OPENGL_INIT's.
void OPENGL_I2D(double A, double R, double G, double B);
void TWOSIDEON();              ///< two-sided lighting on
void TWOSIDEOFF();             ///< two-sided lighting off
void LIGHTINGON();             ///< lighting on
void LIGHTINGOFF();            ///< lighting off
void SETGLREFRACTIVE();        ///< cull back faces, counter-clockwise front
void TRANSPARENTON();          ///< blending on
void TRANSPARENTOFF();         ///< blending off
void SETGLSPRITE(bool LIGHT);  ///< blended, no depth writes; additive if LIGHT
void SETGLSPRITE();            ///< alpha test, alpha > 0.4 passes
void SETGLSPRITEOFF();         ///< undoes both SETGLSPRITE overloads
void SETGLFILL();              ///< both faces filled
void SETGLLINE(float SIZE);    ///< both faces as lines of width SIZE pixels
/// Moves light NLIGHT (GL_LIGHT0 ...) to (LX, LY, LZ) with w = LVAL (0: a direction); a marker of SIZE if not 0.
void PUTGLPOINTLIGHT(uint32_t NLIGHT, float SIZE, float LX, float LY, float LZ, float LVAL);
/// Lighting and light NLIGHT on, with AMBIENTLIGHT, DIFFUSELIGHT and SPECULARLIGHT, at (L0, L1, L2, L3) in eye
/// coordinates when the modelview matrix is the identity (L3 = 0: a direction). Lit surfaces take their
/// colour from the material, not from glColor: glEnable(GL_COLOR_MATERIAL) makes glColor show.
void SETGLLIGHT(uint32_t NLIGHT, float L0, float L1, float L2, float L3);

}  // namespace corvala
