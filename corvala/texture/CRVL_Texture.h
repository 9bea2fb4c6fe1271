/// @file
/// BMP textures and the BMP slot table.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvala {

constexpr int32_t TEXTUREID2_LAST = 500;          ///< last slot of the BMP slot table
extern uint32_t TEXTUREID2[TEXTUREID2_LAST + 1];  ///< GL texture name of each BMP slot, 0 while empty

/// BMP file BMPFILE into slot NUM (0..500), left bound. The texture's first row (t = 0) is the picture's
/// bottom row, whatever order the file stores: drawn upright with t = 0 at the bottom of the quad.
void TEXTURELOADID(const char* BMPFILE, int32_t NUM);
void TEXTURESELECTID(int32_t NUM);         ///< binds BMP slot NUM
void TEXTUREON();                          ///< glEnable(GL_TEXTURE_2D)
void TEXTUREOFF();                         ///< glDisable(GL_TEXTURE_2D)
int32_t GETBMPDEPTH(const char* BMPFILE);  ///< bits per pixel, 0 if unusable
void SWAPRGB(void* DATA, int32_t SIZE);    ///< swaps bytes 0 and 2 of SIZE 3-byte groups
void ADDMIPMAPSTEXTURE(int32_t FORMAT, int32_t WIDTH, int32_t HEIGHT, const uint8_t* BITS);  ///< mipmaps, 24 or 32 bpp
const char* LastLoadError();  ///< the last texture or model load that failed, "FILE: why"; "" until one fails
/// Off by default, as the loaders are silent. On, every texture, model or animation.cfg load that fails from
/// then on is also told as one line on standard error, "corvala: FILE: why", each failure of a load on its own
/// (a character's .md3 and its animation.cfg both); LastLoadError keeps only the last.
void ReportLoadFailures(bool on);

/// The depth probe over a file's bytes (GETBMPDEPTH reads the file and calls this).
int32_t bmp_depth_from_memory(const uint8_t* data, size_t size);
/// What LastLoadError answers from now on: `file`, then why it was not loaded.
void note_load_failure(const std::string& file, const std::string& why);
/// Notes a decoded picture that cannot become a texture because no GL context is current (no window yet).
void note_if_no_context(const std::string& file);
/// Whether a minification filter samples mipmaps.
bool is_mipmap_filter(int32_t filter);
/// Stops the program: a slot number outside a table is a programming error.
[[noreturn]] void slot_range_error(const char* table, int32_t num, int32_t last);

}  // namespace corvala
