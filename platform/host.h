// Host services of our own that Windows never had; the rest of platform/ stands in for Windows itself.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace win32 {

// ---- files -------------------------------------------------------------------------------------
// Maps a program path ("immagini\vetro.tga") onto the host: backslashes become '/', then an exact
// lookup, then a case-insensitive match per path component. Returns the converted path when nothing
// matches, so callers see an ordinary missing file.
std::string MapPath(const char* path);
bool FileExists(const char* path);  // a regular file at the mapped path

// Every reader of a whole file comes through here: the mapped path, one size limit, one way to fail.
// False (and `out` empty) when the file cannot be opened or read, is not a regular file or is larger
// than kMaxFileBytes; every data file the program reads is a small fraction of that.
constexpr size_t kMaxFileBytes = size_t(1) << 30;
bool ReadWholeFile(const char* path, std::vector<uint8_t>& out);

// ---- bitmaps -----------------------------------------------------------------------------------
// Bytes in one row of a DIB `width` pixels wide at `bpp` bits a pixel: rows are whole 32-bit words.
constexpr int64_t DibStride(int64_t width, int bpp) { return (width * bpp + 31) / 32 * 4; }

// ---- readers over bytes in memory (what the file loaders do after reading the file) ------------
HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size);
HCURSOR LoadCursorFromMemory(const void* bytes, size_t size);

// ---- message boxes -----------------------------------------------------------------------------
bool MessageBoxWritesToStderr();          // no display: boxes are written to standard error instead
std::string Cp1252ToUtf8(const char* s);  // the program's 8-bit texts for the host

}  // namespace win32
