// The SDL backend's message boxes: a real modal box where there is a display, standard error where
// there is none, and a record for tests (a box under Xvfb would wait for a click that never comes).
#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/emul/emul.h"

namespace win32 {
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (detail::Switches().record_boxes) {
        detail::RecordedBoxes().push_back({caption ? caption : "", text ? text : ""});
        return IDOK;
    }
    const std::string t = host::Cp1252ToUtf8(text), c = host::Cp1252ToUtf8(caption);
    if (!host::HaveDisplay() || SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, c.c_str(), t.c_str(), nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    }
    return IDOK;
}

}  // namespace win32
