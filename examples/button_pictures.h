// The example's button pictures, written as BMP files at start-up.
#pragma once
#include <string>

namespace example {

// Writes PREFIX + "N.BMP", "H.BMP" and "P.BMP" for a round "play" button or a square "stop" button
// (magenta where the button is cut away). False when a file cannot be written.
bool WriteButtonPictures(const std::string& prefix, bool play);

// A new, empty folder in the system's temporary folder whose name starts with `stem`; "" when none
// can be made.
std::string FreshFolder(const std::string& stem);

}  // namespace example
