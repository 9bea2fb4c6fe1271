#include "tests/support/systems.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {

bool UnderWine() {
#ifdef _WIN32
    // Wine's ntdll exports its version; Windows' does not.
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
#else
    return false;
#endif
}

}  // namespace testsupport
