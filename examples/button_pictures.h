// The example's button pictures, written as BMP files at start-up.
#pragma once
#include <string>

namespace example {

// Writes PREFIX + "N.BMP", "H.BMP" and "P.BMP" for a round "play" button or a square "stop" button
// (magenta where the button is cut away). False when a file cannot be written.
bool WriteButtonPictures(const std::string& prefix, bool play);

}  // namespace example
