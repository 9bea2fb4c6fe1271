// A real framework window with a current OpenGL context for tests that draw or pick.
#pragma once
#include <cstdint>

namespace testsupport {

// Creates the framework's one window (800 x 600 outer, like the program) once per test program and
// leaves its context current; later calls return at once. Swap pacing is switched off.
void EnsureWindow();

// The pixel at (x, y) of the back buffer, y counted from the bottom of the drawable (GL convention),
// as 0xRRGGBB.
uint32_t ReadPixel(int x, int y);

// Whether this GL reads the depth buffer back (OpenGL ES does not, so our own GL over it cannot).
bool CanReadDepth();

// Real pointer input for the framework window, through the platform's own events (client coordinates).
void PushMouseMotion(int x, int y, unsigned keys = 0);  // keys: MK_LBUTTON, MK_RBUTTON, MK_MBUTTON held
void PushMouseButton(bool down, int x, int y, bool right = false);

// Clears the framework's input state and the message queue (between tests that post messages).
void ResetInput();

}  // namespace testsupport
