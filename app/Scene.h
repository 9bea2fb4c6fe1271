// One frame of Wobblefin, and the callbacks and effects the frame runs.
#pragma once

namespace wobblefin {

void OPENGL_DRAW();      // draws one complete frame and drives the interaction
void OPENGL_DRAW2D();    // the info panel overlay; ends back in the perspective view
void OPENGL_MOUSE2D();   // per-frame mouse hook (empty)
void OPENGL_KEYBOARD();  // per-frame keyboard hook (empty)
void PESCIOLINO();       // the fish model in its fixed orientation

// Hover callbacks of MENU: the button image bright (hovered) or at 60 %.
void SOPRAON1();
void SOPRAON2();
void SOPRAON3();
void SOPRAON4();
void SOPRAON5();
void SOPRAON6();
void SOPRAON7();
void SOPRAON8();
void SOPRAON9();
void SOPRAOFF1();
void SOPRAOFF2();
void SOPRAOFF3();
void SOPRAOFF4();
void SOPRAOFF5();
void SOPRAOFF6();
void SOPRAOFF7();
void SOPRAOFF8();
void SOPRAOFF9();

// Click callbacks: fish regions (1..4), tools (5..12), info (13); CLICKOFF8 counts the vortex after-effect.
void CLICKON1();
void CLICKON2();
void CLICKON3();
void CLICKON4();
void CLICKON5();
void CLICKON6();
void CLICKON7();
void CLICKON8();
void CLICKON9();
void CLICKON10();
void CLICKON11();
void CLICKON12();
void CLICKON13();
void CLICKOFF8();

// Effect transforms applied to the fish while a tool is on.
void SCOSSA();      // shock 1: jumps on a circle of radius 1/15
void SCOSSA1();     // shock 2: radius 1/10
void SCOSSA2();     // shock 3: radius 1/6
void VORTICE();     // circles at radius 4, 3 degrees a frame, tilted 25 degrees
void SCHIACCIA();   // squashed to 60 % of its height
void SCHIACCIA1();  // narrowed to 60 % along x
void CALORE();      // circles at radius 6, 2.5 degrees a frame

}  // namespace wobblefin
