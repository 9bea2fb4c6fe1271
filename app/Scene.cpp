#include <cmath>

#include "app/Scene.h"
#include "app/State.h"
#include "platform/gl/gl.h"

namespace wobblefin {

using namespace corvala;

namespace {

// A 32-bit phase that only grows stops moving once its steps fall below half a unit in the last place
// (POS.Y at 131072, after days of running): the fish would freeze. Both phases are therefore taken back
// by a whole number of periods of the bobbing and the wagging (2π·1024) before their steps lose more
// than a few per cent; the picture does not jump.
constexpr double kPhasePeriod = 2.0 * kPi * 1024.0;

float advance(float phase, double step) {
    double next = double(phase) + step;
    if (next >= kPhasePeriod) next -= kPhasePeriod;
    return float(next);
}

}  // namespace

void OPENGL_MOUSE2D() {}
void OPENGL_KEYBOARD() {}

void OPENGL_DRAW2D() {
    OPENGL_I2D(0, 0, 0, 0);
    TEXTURETGASELECTID(kFontSlot);
    LIGHTINGOFF();
    glColor3f(0.6f, 0.6f, 0.6f);
    if (SETINFO) {
        for (L = 0; L <= 11; ++L) ADDFONTSTRING(-180, float(100 - 10 * L), 0.01f, 1, INFOTXT[L]);
    }
    LIGHTINGON();
    OPENGL_INIT(100, 0, 0, 0, 0);
}

void PESCIOLINO() {
    glPushMatrix();
    glScalef(0.3f, 0.3f, 0.3f);
    glRotatef(90, 0, -1, 0);
    glRotatef(90, -1, 0, 0);
    PESCEMDL.PUTMODEL(kFishClockStep);
    glPopMatrix();
}

void OPENGL_DRAW() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    OPENGL_DRAW2D();
    OPENGL_MOUSE2D();
    OPENGL_KEYBOARD();

    // Camera, light and the buttons, which stand in the scene unturned.
    glTranslatef(0, -1, -30);
    PUTGLPOINTLIGHT(GL_LIGHT0, 0, 0, 5, 10, 0.1f);
    LIGHTINGOFF();
    MENU.DRAWMENUID(SOPRAON1, SOPRAOFF1, CLICKON5, PROCNULL, 0);
    MENU.DRAWMENUID(SOPRAON2, SOPRAOFF2, CLICKON6, PROCNULL, 1);
    MENU.DRAWMENUID(SOPRAON3, SOPRAOFF3, CLICKON7, PROCNULL, 2);
    MENU.DRAWMENUID(SOPRAON4, SOPRAOFF4, CLICKON8, CLICKOFF8, 3);
    MENU.DRAWMENUID(SOPRAON5, SOPRAOFF5, CLICKON9, PROCNULL, 4);
    MENU.DRAWMENUID(SOPRAON6, SOPRAOFF6, CLICKON10, PROCNULL, 5);
    MENU.DRAWMENUID(SOPRAON7, SOPRAOFF7, CLICKON11, PROCNULL, 6);
    MENU.DRAWMENUID(SOPRAON8, SOPRAOFF8, CLICKON12, PROCNULL, 7);
    MENU.DRAWMENUID(SOPRAON9, SOPRAOFF9, CLICKON13, PROCNULL, 8);
    MENU.ELEMENTSELECTON();
    LIGHTINGON();

    // The aquarium and the fish.
    glRotatef(25, 0, -1, 0);
    TEXTURETGASELECTID(kSkinSlot);
    if (TIMER[1] < kTailRunFrame && !CHECK[kShockMedium] && !CHECK[kShockStrong] && !CHECK[kHeat] && !CHECK[kCold])
        POS.Y = advance(POS.Y, 0.005);
    if (TIMER[1] > kTailRunFrame && !CHECK[kHeat] && !CHECK[kCold]) POS.X = advance(POS.X, 0.05);
    glPushMatrix();
    if (CHECK[kShockLight]) SCOSSA();
    if (CHECK[kShockMedium]) SCOSSA1();
    if (CHECK[kShockStrong]) SCOSSA2();
    if (CHECK[kVortex]) VORTICE();
    if (TIMER[2] < kVortexTiltFrames) glRotatef(30, 1, 0, 0);
    if (CHECK[kSquashDown]) SCHIACCIA();
    if (CHECK[kSquashSide]) SCHIACCIA1();
    if (CHECK[kHeat]) CALORE();
    glTranslatef(0, float(std::sin(double(POS.Y))), 0);
    const double swim = double(POS.X) + double(POS.Y);
    glRotatef(float(10 * std::sin(swim) * std::cos(swim)), 0, 1, 0);
    PESCIOLINO();
    PESCE.DRAWMENUID(PROCNULL, PROCNULL, CLICKON1, PROCNULL, 0);
    PESCE.DRAWMENUID(PROCNULL, PROCNULL, CLICKON2, PROCNULL, 1);
    PESCE.DRAWMENUID(PROCNULL, PROCNULL, CLICKON3, PROCNULL, 2);
    PESCE.DRAWMENUID(PROCNULL, PROCNULL, CLICKON4, PROCNULL, 3);
    PESCE.DRAWMENUID(PROCNULL, PROCNULL, CLICKON4, PROCNULL, 4);
    PESCE.DRAWMENUID(PROCNULL, PROCNULL, CLICKON4, PROCNULL, 5);
    PESCE.ELEMENTSELECTON();
    glPopMatrix();

    // Glass, water, and the wire frame; the render state ends as the frame found it.
    SETGLSPRITE(false);
    TRANSPARENTON();
    TEXTURETGASELECTID(kGlassSlot);
    QUAD(-10, -6, 10.5f, 10, -6, 10.5f, -10, 6, 10.5f, 10, 6, 10.5f);
    QUAD(10, -6, -10.5f, 10, -6, 10.5f, 10, 6, -10.5f, 10, 6, 10.5f);
    LIGHTINGOFF();
    TEXTURESELECTID(kWaterSlot);
    glColor3f(0.5f, 0.5f, 0.5f);
    QUAD2(-10, 5, -10.5f, 10, 5, -10.5f, -10, 5, 10.5f, 10, 5, 10.5f, 1.5f, 1);
    LIGHTINGON();
    TRANSPARENTOFF();
    SETGLSPRITEOFF();
    glDisable(GL_CULL_FACE);
    TEXTUREOFF();
    SETGLLINE(1.0f);
    CUBO(0, 0, 0, -10, -6, -10.5f, 10, 6, 10.5f, 1);
    SETGLFILL();
    TEXTUREON();
    glEnable(GL_CULL_FACE);
}

}  // namespace wobblefin
