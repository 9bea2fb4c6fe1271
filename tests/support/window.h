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

// Real pointer events for the framework window, as SDL would deliver them (client coordinates).
void PushMouseMotion(int x, int y, unsigned buttons = 0);       // buttons: SDL's mask of those held
void PushMouseButton(bool down, int x, int y, int button = 1);  // SDL's numbering: 1 left, 3 right
// A real key event: SDL's scancode (the key's position) and keycode (what the layout makes of it),
// whether it is an auto-repeat, and the modifier state SDL reports with it.
void PushKey(bool down, int scancode, int keycode, bool repeat = false, int mods = 0);

// Clears the framework's input state and the message queue (between tests that post messages).
void ResetInput();

}  // namespace testsupport
