// Projection set-ups, render-state switches and lights.
#pragma once
#include <cstdint>

namespace corvala {

// Initialised data the application may change before the routines that read them run.
extern float AMBIENTLIGHT[4];   // RGBA ambient colour SETGLLIGHT gives a light (0.5 grey)
extern float DIFFUSELIGHT[4];   // RGBA diffuse colour SETGLLIGHT gives a light (white)
extern float SPECULARLIGHT[4];  // RGBA specular colour SETGLLIGHT gives a light (white)
extern float LIGHTPOSITION[4];  // x, y, z, w last passed to PUTGLPOINTLIGHT or SETGLLIGHT
extern int32_t GL_MIN_FILTER;   // minification filter of the texture loaders (GL_LINEAR)
extern int32_t GL_MAG_FILTER;   // magnification filter of the texture loaders (GL_LINEAR)

void OPENGL_INIT(double ZFAR, double A, double R, double G, double B);  // 3D perspective and default render state
void OPENGL_I2D(double A, double R, double G, double B);                // 2D overlay, 4 units wide
void TWOSIDEON();                                                       // two-sided lighting on
void TWOSIDEOFF();                                                      // two-sided lighting off
void LIGHTINGON();                                                      // lighting on
void LIGHTINGOFF();                                                     // lighting off
void SETGLREFRACTIVE();                                                 // cull back faces, counter-clockwise front
void TRANSPARENTON();                                                   // blending on
void TRANSPARENTOFF();                                                  // blending off
void SETGLSPRITE(bool LIGHT);                                           // blended, no depth writes; additive if LIGHT
void SETGLSPRITE();                                                     // alpha test, alpha > 0.4 passes
void SETGLSPRITEOFF();                                                  // undoes both SETGLSPRITE overloads
void SETGLFILL();                                                       // both faces filled
void SETGLLINE(float SIZE);                                             // both faces as lines of width SIZE
void PUTGLPOINTLIGHT(uint32_t NLIGHT, float SIZE, float LX, float LY, float LZ,
                     float LVAL);                                          // moves a light; marker if SIZE != 0
void SETGLLIGHT(uint32_t NLIGHT, float L0, float L1, float L2, float L3);  // lighting and light on, colours, position

}  // namespace corvala
