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
// than kMaxFileBytes; every data file the program reads is a small fraction of that. `no_file`, when given,
// tells a failure where FileExists would have said false (no regular file there) from one reading failed.
constexpr size_t kMaxFileBytes = size_t(1) << 30;
bool ReadWholeFile(const char* path, std::vector<uint8_t>& out, bool* no_file = nullptr);

// ---- bitmaps -----------------------------------------------------------------------------------
// Bytes in one row of a DIB `width` pixels wide at `bpp` bits a pixel: rows are whole 32-bit words.
constexpr int64_t DibStride(int64_t width, int bpp) { return (width * bpp + 31) / 32 * 4; }

// ---- readers over bytes in memory (what the file loaders do after reading the file) ------------
HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size);
HCURSOR LoadCursorFromMemory(const void* bytes, size_t size);

// ---- message boxes -----------------------------------------------------------------------------
bool MessageBoxWritesToStderr();          // no display: boxes are written to standard error instead
std::string Cp1252ToUtf8(const char* s);  // the program's 8-bit texts for the host

// ---- frame pacing ------------------------------------------------------------------------------
// Everything in the program moves per frame, so frames are presented at a fixed rate whatever the
// display does: vsync when the display runs at a whole multiple of the rate, our own timer otherwise.
constexpr double kDesignFps = 60.0;

struct Pacing {
    int swap_interval = 0;    // vsync: present every Nth refresh (0: vsync off)
    double fps = kDesignFps;  // our own timer's rate, also the fall-back when vsync does not pace (0: unpaced)
};
// `refresh_hz` is the display's rate (0 when unknown); `override_text` is WOBBLEFIN_FPS (null when unset):
// a rate in frames per second, or "display" to follow the display's own rate.
Pacing ChoosePacing(double refresh_hz, const char* override_text);
// Whether `frames` presents that took `seconds` in all were held back by a swap interval that should
// have made each last at least `period` seconds: a driver may accept the interval and never wait.
bool VsyncPaces(int frames, double seconds, double period);

// ---- keys --------------------------------------------------------------------------------------
// Keys Windows has no virtual-key code for arrive with kFirstPositionalKey + their SDL scancode, held to
// kLastPositionalKey: still inside the framework's key table (SETKEY, 0..500).
constexpr int kFirstPositionalKey = 0x100, kLastPositionalKey = 500;

// ---- the data set ------------------------------------------------------------------------------
// The folder the running executable lies in ("" when it cannot be told).
std::string ExecutableFolder();
// Where the data set is looked for, in order: the working directory, the executable's folder, then the
// installed data folder relative to it (share/wobblefin beside bin/ or above libexec/wobblefin/).
std::vector<std::string> DataFolderCandidates(const std::string& working_dir, const std::string& exe_dir);
// Changes into the first candidate that holds every one of `files` (program paths such as
// "modelli\\PesceRosso.md3") and returns it. When none does it stays put, writes one line on standard
// error naming where it looked, and returns "".
std::string EnterDataFolder(const std::vector<std::string>& candidates, const std::vector<const char*>& files);

// ---- fatal errors ------------------------------------------------------------------------------
// The one way a fatal error ends the program: a box where one can be shown, the text once on standard
// error, then the host's reason (what the driver or SDL said) when it gave one, and exit code 1.
[[noreturn]] void FatalError(const char* caption, const char* text);
// What the host said when a window, a GL visual or a context could not be had ("" when nothing failed).
std::string HostFailureReason();

}  // namespace win32
