#include <cmath>

#include "app/Scene.h"
#include "app/State.h"
#include "platform/gl/gl.h"

namespace wobblefin {

using namespace corvala;

namespace {

// I only feeds angles and offsets. It wraps at a multiple of 720 steps, the common period of the vortex
// and heat angles (3·I, I/2 and 2.5·I degrees), so those stay continuous; and below 2^23 / 2.5, so every
// one of them, 2.5·I the largest, is exact in the 32-bit floats OpenGL receives (a float holds halves
// exactly only below 2^23).
constexpr int32_t kPhaseWrap = 720 * 4660;
static_assert(2.5 * (kPhaseWrap - 1) < (1 << 23), "the heat angle must stay exact in a float");

void advance_phase() {
    const int64_t next = (int64_t(I) + 1) % kPhaseWrap;
    I = int32_t(next < 0 ? next + kPhaseWrap : next);
}

void button(int32_t slot, float brightness) {
    glColor3f(brightness, brightness, brightness);
    TEXTURETGASELECTID(slot);
    QUAD(-0.8f, 0.8f, 0, 0.8f, 0.8f, 0, -0.8f, -0.8f, 0, 0.8f, -0.8f, 0);
}

constexpr int32_t kNoAnimation = -1;

void tool(int k, int32_t held_animation) {
    if (LEFTMOUSEDOWN) {
        CHECK[k] = true;
        if (held_animation != kNoAnimation) PESCEMDL.SELECTMODELANIM(held_animation);
    } else {
        CHECK[k] = false;
        if (held_animation != kNoAnimation) PESCEMDL.SELECTMODELANIM(Q3_LEGS_WALK);
    }
}

void region(int32_t held_animation) { PESCEMDL.SELECTMODELANIM(LEFTMOUSEDOWN ? held_animation : Q3_LEGS_WALK); }

void shake(double divisor) {
    advance_phase();
    glTranslatef(float(std::cos(double(I)) / divisor), float(std::sin(double(I)) / divisor), 0);
}

}  // namespace

void SOPRAON1() { button(1, 1.0f); }
void SOPRAON2() { button(2, 1.0f); }
void SOPRAON3() { button(3, 1.0f); }
void SOPRAON4() { button(4, 1.0f); }
void SOPRAON5() { button(5, 1.0f); }
void SOPRAON6() { button(6, 1.0f); }
void SOPRAON7() { button(7, 1.0f); }
void SOPRAON8() { button(8, 1.0f); }
void SOPRAON9() { button(9, 1.0f); }
void SOPRAOFF1() { button(1, 0.6f); }
void SOPRAOFF2() { button(2, 0.6f); }
void SOPRAOFF3() { button(3, 0.6f); }
void SOPRAOFF4() { button(4, 0.6f); }
void SOPRAOFF5() { button(5, 0.6f); }
void SOPRAOFF6() { button(6, 0.6f); }
void SOPRAOFF7() { button(7, 0.6f); }
void SOPRAOFF8() { button(8, 0.6f); }
void SOPRAOFF9() { button(9, 0.6f); }

void CLICKON5() { tool(kShockLight, kNoAnimation); }
void CLICKON6() { tool(kShockMedium, Q3_LEGS_LANDB); }
void CLICKON7() { tool(kShockStrong, Q3_LEGS_LANDB); }
void CLICKON8() {
    TIMER[2] = LEFTMOUSEDOWN ? kVortexTiltFrames : 0;
    tool(kVortex, Q3_LEGS_LANDB);
}
void CLICKON9() { tool(kSquashDown, Q3_BOTH_DEATH1); }
void CLICKON10() { tool(kSquashSide, Q3_BOTH_DEATH1); }
void CLICKON11() { tool(kHeat, Q3_LEGS_LANDB); }
void CLICKON12() { tool(kCold, Q3_LEGS_LANDB); }

void CLICKOFF8() { count_up(TIMER[2]); }

void CLICKON13() {
    if (!LEFTMOUSEDOWN) SETINFO = !SETINFO;
}

void CLICKON1() { region(Q3_LEGS_TURN); }
void CLICKON2() { region(Q3_LEGS_IDLE); }
void CLICKON3() { region(Q3_LEGS_IDLECR); }

void CLICKON4() {
    count_up(TIMER[0]);
    count_up(TIMER[1]);
    if (LEFTMOUSEDOWN) {
        if (TIMER[0] == kTailFirstFrame) PESCEMDL.SELECTMODELANIM(Q3_LEGS_LANDB);
        if (TIMER[1] == kTailRunFrame) PESCEMDL.SELECTMODELANIM(Q3_LEGS_RUN);
    } else {
        PESCEMDL.SELECTMODELANIM(Q3_LEGS_WALK);
        TIMER[0] = 0;
        TIMER[1] = 0;
    }
}

void SCOSSA() { shake(15); }
void SCOSSA1() { shake(10); }
void SCOSSA2() { shake(6); }

void VORTICE() {
    advance_phase();
    glRotatef(float(3 * int64_t(I)), 0, -1, 0);
    glTranslatef(4, 0, 0);
    glRotatef(float(I / 2.0), 0, -1, 0);
    glRotatef(25, 1, 0, 0);
}

void SCHIACCIA() { glScalef(1, 0.6f, 1); }
void SCHIACCIA1() { glScalef(0.6f, 1, 1); }

void CALORE() {
    advance_phase();
    glRotatef(float(2.5 * I), 0, -1, 0);
    glTranslatef(6, 0, 0);
}

}  // namespace wobblefin
