/// @file
/// Solid primitives: textured line pairs, boxes and spheres, all through the vertex path.
#pragma once
#include <cstdint>

namespace corvala {

void LINEFREE(float TX1, float TY1, float TX2, float TY2, float X1, float Y1, float Z1, float X2, float Y2, float Z2,
              bool TEXTURE);  ///< two vertices inside the caller's GLBEGIN/GLEND, texture coordinates if TEXTURE
void CUBO(float X, float Y, float Z, float X1, float Y1, float Z1, float X2, float Y2, float Z2,
          float TSIZE);  ///< box (X1,Y1,Z1)-(X2,Y2,Z2) moved by (X,Y,Z), texture 0..TSIZE per face
void SFERA(float PX, float PY, float PZ, float RADIUS, int32_t NUMCIRCLE, int32_t NUMLINE,
           float TSIZE);  ///< sphere of NUMLINE strips, NUMCIRCLE segments around, texture divided by TSIZE

}  // namespace corvala
