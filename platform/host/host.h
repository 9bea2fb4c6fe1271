// Host services of our own, beside the Win32 surface: what a program on Corvala needs from the system
// that Windows itself does not offer in this form. Each has a POSIX implementation (files_posix.cpp,
// system_posix.cpp, and the executable's path in a file per system: executable_linux.cpp); the rest is
// portable and is built on every system.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

// ---- files and paths ---------------------------------------------------------------------------
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

// The folder the running executable lies in ("" when it cannot be told).
std::string ExecutableFolder();
// Its file name, without the folder and without ".exe" ("" when it cannot be told).
std::string ExecutableName();
// Makes `folder` the working directory; false when it cannot be entered.
bool EnterFolder(const std::string& folder);

// ---- bitmaps -----------------------------------------------------------------------------------
// Bytes in one row of a DIB `width` pixels wide at `bpp` bits a pixel: rows are whole 32-bit words.
constexpr int64_t DibStride(int64_t width, int bpp) { return (width * bpp + 31) / 32 * 4; }

// ---- the data folder ---------------------------------------------------------------------------
// Where a program's data set is looked for, in order: the working directory, the executable's folder,
// then the installed data folder relative to it: share/`program` beside bin/, or above libexec/`program`/.
std::vector<std::string> DataFolderCandidates(const std::string& working_dir, const std::string& exe_dir,
                                              const std::string& program);
// Changes into the first candidate that holds every one of `files` (program paths such as
// "modelli\\PesceRosso.md3") and returns it. When none does it stays put, tells (below) in one line
// where it looked, and returns "".
std::string EnterDataFolder(const std::vector<std::string>& candidates, const std::vector<const char*>& files);

// ---- text --------------------------------------------------------------------------------------
// The program's texts are 8-bit Windows-1252; the host's are UTF-8.
std::string Cp1252ToUtf8(const char* s);
// The Unicode code point of a Windows-1252 byte; 0 for the five bytes the code page leaves undefined.
uint32_t Cp1252CodePoint(unsigned char c);
// The Windows-1252 byte of a Unicode code point; -1 when the code page has none.
int Cp1252Byte(uint32_t code_point);
// Whether two names are the same with ASCII letters taken without regard to case, as Windows compares
// class names and as file and tag names are matched; other bytes must be equal.
bool EqualIgnoringCase(const char* a, const char* b);

// ---- notices -----------------------------------------------------------------------------------
// Tells the person running the program something that does not end it: one line on standard error, and a
// box where the program has no standard error (a Windows GUI program started from Explorer or a shortcut).
void Notice(const std::string& line);

// ---- fatal errors ------------------------------------------------------------------------------
// The one way a fatal error ends the program: the text once on standard error, then the host's reason
// (what the driver or the windowing system said) when it gave one, a box where one can be shown, and
// exit code 1.
[[noreturn]] void FatalError(const char* caption, const char* text);
// True while FatalError shows its box, for a backend whose box may be ended from outside: then the
// program ends with exit code 1 however the box ends.
bool FatalErrorShowing();
// What the system said when a window, a GL visual or a context could not be had ("" when nothing failed).
std::string FailureReason();
void NoteFailure(const std::string& reason);  // "" forgets it
// A display to show windows and boxes on; without one, a fatal error goes to standard error alone, once,
// with no box tried. Not the host's question: Windows always has one (system_windows.cpp), and under the
// emulation the backend answers (emul/backend.h).
bool HaveDisplay();

// ---- time --------------------------------------------------------------------------------------
uint64_t MonotonicNs();            // a clock that never goes back, in nanoseconds
void SleepUntilNs(uint64_t when);  // on that clock

// ---- frame pacing ------------------------------------------------------------------------------
// Everything a Corvala program moves, it moves per frame, so frames are presented at a fixed rate
// whatever the display does: vsync when the display runs at a whole multiple of the rate, our own
// timer otherwise.
constexpr double kDesignFps = 60.0;

struct Pacing {
    int swap_interval = 0;    // vsync: present every Nth refresh (0: vsync off)
    double fps = kDesignFps;  // our own timer's rate, also the fall-back when vsync does not pace (0: unpaced)
};
// What a program asks for: the design rate on every display, the display's own rate (vsync), a number
// of frames a second timed by us, or no pacing at all (tests, benchmarks).
enum class PaceMode { Design, Display, Rate, Unpaced };
// `refresh_hz` is the display's rate (0 when unknown); `fps` counts for PaceMode::Rate only.
Pacing ChoosePacing(double refresh_hz, PaceMode mode, double fps = 0);
// The mode a text asks for ("display", or a rate from 1 to 1000 frames a second); false for anything else.
bool ParsePaceMode(const char* text, PaceMode& mode, double& fps);
// Whether `frames` presents that took `seconds` in all were held back by a swap interval that should
// have made each last at least `period` seconds: a driver may accept the interval and never wait.
bool VsyncPaces(int frames, double seconds, double period);
// Our own timer: when the present asked for at `now_ns` goes out, given when the next one is due (`next_ns`,
// 0 before the first), which it moves a period on. A present more than a period late starts the timer over
// from now: after a stall the frames keep their pace instead of bursting to catch up.
uint64_t TimerPresentNs(uint64_t& next_ns, uint64_t now_ns, uint64_t period_ns);

// ---- the system's turn -------------------------------------------------------------------------
// What a desktop process takes for granted and a browser page does not. On the desktop SwapBuffers
// presents at once and PaceFrame holds the loop to its rate itself, by the policy above. Where the system
// presents on a clock of its own (a browser's animation frame), the loop keeps its shape and gives the
// system a turn once a frame instead: this waits for that clock's next frame, while the last one is shown
// and the system's events come in, and returns true. On the desktop it returns false at once.
bool WaitForSystemFrame();
// Whether the program may start threads of its own. Where it may not, work meant to run beside the main
// thread runs in line, with the same result.
bool HaveThreads();

}  // namespace host
