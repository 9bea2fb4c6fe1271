// Wobblefin's application state, its assets and pick menus, and the textured quads everyone draws with.
#pragma once
#include <cstdint>
#include <string>

#include "corvala/Corvala.h"
#include "corvala/model/CRVL_ModelAnimate.h"

namespace wobblefin {

using corvala::QUAKE3ANIMATION;
using corvala::TGLVECTOR;
using corvala::TMENU3D;

extern QUAKE3ANIMATION PESCEMDL;  // the fish: one MD3 model with its animation table
extern TMENU3D PESCE;             // the six pick regions on the fish (nose, eyes, tail)
extern TMENU3D MENU;              // the nine buttons (eight tools and the info button)
extern TGLVECTOR POS;             // swim phase: X and Y advance per frame
extern int32_t TIMER[3];          // [0], [1] frames the tail is held; [2] frames since the vortex was let go
extern bool CHECK[8];             // the eight tool switches, on while their button is held
extern int32_t I;                 // effect phase, advanced by the moving effects
extern int32_t L;                 // line index of the info panel loop
extern bool SETINFO;              // the info panel is shown
extern std::string INFOTXT[12];   // text of the info panel

// The eight tools by their switch in CHECK; button k + 1 of MENU, image slot k + 1, turns tool k on.
constexpr int kShockLight = 0, kShockMedium = 1, kShockStrong = 2, kVortex = 3, kSquashDown = 4, kSquashSide = 5,
              kHeat = 6, kCold = 7;

// TGA image slots besides the nine buttons' (1 to 9, in MENU's order), and the one BMP slot.
constexpr int32_t kSkinSlot = 0, kGlassSlot = 10, kFontSlot = 11;
constexpr int32_t kWaterSlot = 0;

// Frame counts of the tail and the vortex (TIMER): the tail's first held frame, the held frame from which
// the fish runs (and swims on rather than bobs), and the frames the fish stays tilted after the vortex.
constexpr int32_t kTailFirstFrame = 1, kTailRunFrame = 75, kVortexTiltFrames = 120;
constexpr float kFishClockStep = 75;  // the fish's animation clock advances this much a frame

// Pick names of the fish regions and of the buttons.
extern int32_t NASO, OCCHIO1, OCCHIO2, CODA1, CODA2, CODA3;
extern int32_t SCOSSA_0, SCOSSA_1, SCOSSA_2, VORTICE_, SCHIACCIA_0, SCHIACCIA_1, SCALDA, RAFFREDDA;
extern int32_t INFO;

void OPENGL_CREATELIST();  // loads images and the fish, builds both pick menus, primes TIMER[2]
void OPENGL_TEXTURE();     // the thirteen image loads, in order
void StartFishLoad();      // starts OPENGL_CREATELIST's fish load on a thread of its own (where the host has
                           // threads); it then waits for it
void AREACLICK();          // pick shape of a fish region: a sphere of radius 0.75
void AREAPULSANTE();       // pick shape of a button: its 1.6 x 1.6 square
void QUAD(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3, float X4, float Y4,
          float Z4);  // flat quad with the whole bound image, both faces lit
void QUAD2(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3, float X4, float Y4,
           float Z4, float TU, float TV);  // the same with the image repeated TU x TV times

// Advances a frame counter by one without ever passing the 32-bit limit (a run of years stays defined).
void count_up(int32_t& counter);

}  // namespace wobblefin
