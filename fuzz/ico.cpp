// The icon and cursor file reader behind LoadCursorFromFileA.
#include <cstddef>
#include <cstdint>

#include "platform/emul/backend.h"
#include "platform/host/host.h"
#include "platform/win32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (win32::HICON icon = win32::LoadCursorFromMemory(data, size)) win32::DestroyIcon(icon);
    return 0;
}
