// The SDL backend's message boxes: a real modal box where there is a display, standard error where
// there is none, and a record for tests (a box under Xvfb would wait for a click that never comes).
// A box can be answered with Enter or Escape, and a signal that ends the program ends it with a box up
// (native.h's ShowErrorBox).
#include <cstdio>
#include <string>

#include "platform/emul/backend.h"
#include "platform/sdl/native.h"

namespace win32 {

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (detail::Switches().record_boxes) {
        detail::RecordedBoxes().push_back({caption ? caption : "", text ? text : ""});
        return IDOK;
    }
    const std::string t = host::Cp1252ToUtf8(text), c = host::Cp1252ToUtf8(caption);
    // The fatal-error path's box ends the program with exit code 1 whatever ends the box; that path has
    // written its text on standard error already, so a box that cannot be shown adds nothing there.
    const bool fatal = host::FatalErrorShowing();
    if ((!backend::HaveDisplay() || !sdl::ShowErrorBox(c, t, fatal)) && !fatal)
        std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    return IDOK;
}

}  // namespace win32
