// Message boxes: a real modal box where there is a display, standard error where there is none,
// and a recorder for tests (a box under Xvfb would wait for a click that never comes). The fatal-error
// path lives here too, so that box, standard error and exit code are decided in one place.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/internal.h"
#include "platform/testing.h"
#include "platform/win32.h"

namespace win32 {
namespace {
bool g_record = false;
std::vector<testing::Box> g_boxes;
std::string g_failure;
}  // namespace

// The program's texts are Windows-1252; SDL wants UTF-8.

std::string Cp1252ToUtf8(const char* s) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s ? s : ""); *p; ++p) {
        uint32_t cp = detail::Cp1252CodePoint(*p);
        if (cp == 0) cp = 0xFFFD;  // the bytes the code page leaves undefined
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

namespace testing {
void RecordMessageBoxes(bool on) { g_record = on; }
const std::vector<Box>& RecordedBoxes() { return g_boxes; }
void ClearRecordedBoxes() { g_boxes.clear(); }
}  // namespace testing

bool MessageBoxWritesToStderr() { return !g_record && !detail::HaveDisplay(); }

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (g_record) {
        g_boxes.push_back({caption ? caption : "", text ? text : ""});
        return IDOK;
    }
    const std::string t = Cp1252ToUtf8(text), c = Cp1252ToUtf8(caption);
    if (!detail::HaveDisplay() || SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, c.c_str(), t.c_str(), nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    }
    return IDOK;
}

namespace detail {
void NoteFailure(const std::string& reason) { g_failure = reason; }
}  // namespace detail

std::string HostFailureReason() { return g_failure; }

void FatalError(const char* caption, const char* text) {
    const std::string t = Cp1252ToUtf8(text), c = Cp1252ToUtf8(caption);
    const std::string reason = HostFailureReason();
    // A terminal or a log gets the text once, before a box waits for its click. Without a display
    // there is no box, and the reason joins the text on one line.
    if (reason.empty()) std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    else if (!detail::HaveDisplay()) std::fprintf(stderr, "%s: %s (%s)\n", c.c_str(), t.c_str(), reason.c_str());
    else std::fprintf(stderr, "%s: %s\n%s\n", c.c_str(), t.c_str(), reason.c_str());
    std::fflush(stderr);
    if (g_record) {
        g_boxes.push_back({caption ? caption : "", text ? text : ""});
    } else if (detail::HaveDisplay()) {
        const std::string shown = reason.empty() ? t : t + "\n\n" + reason;
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, c.c_str(), shown.c_str(), nullptr);
    }
    std::exit(1);
}

}  // namespace win32
