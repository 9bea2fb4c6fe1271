// Driving the real program loop turn by turn, and finding where things are drawn.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/win32.h"

namespace scene {

// Starts Wobblefin (window, render set-up, assets, menus) once per test program, in the run folder.
void EnsureStarted();
// Puts the application state back to its start values and empties the message queue.
void Reset();
// One loop turn: clear, one message, the frame, then `inspect` (back buffer still holding the frame), swap.
void Frame(const std::function<void()>& inspect = nullptr);
void Frames(int n);
// Posts a mouse message at client pixel (x, y).
void Post(win32::UINT msg, int x, int y);

struct Pixel {
    int x = 0, y = 0;  // client coordinates, y down
};
// Where a point of the scene frame (after the camera translation) lands in the client area.
Pixel ProjectScene(float x, float y, float z);
// Where a point of the fish's frame (aquarium turn and the current swim motion, no effects) lands.
Pixel ProjectFish(float x, float y, float z);
// Colour of client pixel p in the back buffer, 0xRRGGBB.
uint32_t ClientPixel(Pixel p);
int ClientHeight();

}  // namespace scene
