/// @file
/// The TGA reader over bytes: type 2 (uncompressed) and type 10 (run-length coded) true-colour files of
/// 24 or 32 bits. It keeps no state, shows nothing and needs neither GL nor the platform: a refusal comes
/// back as a reason, which LOADTGA and its steps turn into the box the user sees.
#pragma once
#include <cstddef>
#include <cstdint>

namespace corvala {

/// Why a file was refused; TgaFaultText gives the box's text for each.
enum class TgaFault : uint8_t {
    None,
    FileHeader,     ///< fewer than 12 bytes
    WrongType,      ///< the first 12 bytes are neither type 2's nor type 10's; the one box captioned "Invalid Image"
    InfoHeader,     ///< fewer than the 6 bytes that give the sides and depth
    BadSpec,        ///< a side of 0, or neither 24 nor 32 bits a pixel
    NoMemory,       ///< the picture's buffer could not be had
    ImageData,      ///< type 2's pixels, or a raw packet's, end early
    RleHeader,      ///< a packet's header is missing
    RunPixel,       ///< a run packet's pixel is missing
    TooManyPixels,  ///< a packet runs past the last pixel
};

/// The box's text for a fault ("" for None).
const char* TgaFaultText(TgaFault fault);

/// What the reader made of a file: the picture, or a fault and the name of the file it was read from.
struct TgaRead {
    uint32_t width = 0;         ///< from the sides-and-depth bytes, once read (also when refused after it)
    uint32_t height = 0;        ///< likewise
    uint32_t bpp = 0;           ///< likewise: 24 or 32 once accepted
    uint8_t* pixels = nullptr;  ///< R, G, B (, A) rows in file order, std::malloc'd for the caller; nullptr on a fault
    TgaFault fault = TgaFault::None;  ///< why not
    const char* file = "";            ///< the name the caller gave, for its report
};

/// A whole file's bytes.
TgaRead ReadTga(const uint8_t* bytes, size_t size, const char* file);
/// What follows a file's first 12 bytes (sides and depth, then pixels), of type 10 when `run_length`.
TgaRead ReadTgaBody(const uint8_t* bytes, size_t size, bool run_length, const char* file);

}  // namespace corvala
