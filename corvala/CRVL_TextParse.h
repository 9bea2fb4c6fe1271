/// @file
/// Numbers out of text files' lines, as animation.cfg holds them.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvala {

/// The string-to-integer conversion failed: the text is not a decimal 32-bit integer.
struct EConvertError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// Takes the integer in front of the first SPACE in S and removes it and one character after it from S.
/// Throws EConvertError (S unchanged) when the text before SPACE is not an integer or SPACE is absent.
int32_t EXTRACTVALUEFROMSTRING(const std::string& SPACE, std::string& S);

}  // namespace corvala
