// Host services of our own that Windows never had; the rest of platform/ stands in for Windows itself.
#pragma once
#include <cstddef>
#include <string>

#include "platform/win32.h"

namespace win32 {

// ---- files -------------------------------------------------------------------------------------
// Maps a program path ("immagini\vetro.tga") onto the host: backslashes become '/', then an exact
// lookup, then a case-insensitive match per path component. Returns the converted path when nothing
// matches, so callers see an ordinary missing file.
std::string MapPath(const char* path);
bool FileExists(const char* path);  // a regular file at the mapped path

// ---- readers over bytes in memory (what the file loaders do after reading the file) ------------
HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size);
HCURSOR LoadCursorFromMemory(const void* bytes, size_t size);

// ---- message boxes -----------------------------------------------------------------------------
bool MessageBoxWritesToStderr();          // no display: boxes are written to standard error instead
std::string Cp1252ToUtf8(const char* s);  // the program's 8-bit texts for the host

}  // namespace win32
