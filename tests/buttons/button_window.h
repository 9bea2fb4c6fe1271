// The framework window of this test program: with a status bar of three parts.
#pragma once

namespace testsupport {

void EnsureButtonWindow();    // the window with its status bar, created once
void SetButtonWindowParts();  // the part layout it was created with: 200, 500, -1

}  // namespace testsupport
