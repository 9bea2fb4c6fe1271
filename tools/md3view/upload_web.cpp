// The page's side of the viewer's uploads (upload_web.h), in the page's JavaScript.
#include "upload_web.h"

#include <emscripten.h>

namespace {
EM_JS(int, web_take_upload, (char* path, int size), {
    var queue = Module.md3viewQueue;
    if (!queue || !queue.length) return 0;
    var next = queue.shift();
    if (lengthBytesUTF8(next) + 1 > size) return -1;
    stringToUTF8(next, path, size);
    return 1;
});
EM_JS(void, web_upload_opened, (const char* text, int failed), {
    if (Module.md3viewOpened) Module.md3viewOpened(UTF8ToString(text), !!failed);
});
}  // namespace

namespace md3view {

bool TakeUpload(std::string& path) {
    char buffer[4096];
    for (;;) {
        const int got = web_take_upload(buffer, int(sizeof buffer));
        if (got == 0) return false;
        if (got > 0) {
            path = buffer;
            return true;
        }
        SayOpened("the file's name is too long", true);  // and the next one, if any, is taken
    }
}

void SayOpened(const std::string& text, bool failed) { web_upload_opened(text.c_str(), failed ? 1 : 0); }

}  // namespace md3view
