#include "window/CRVL_StatusBar.h"

#include <cstring>

namespace corvala {

using namespace win32;

HWND AWND = nullptr;
char FILENAME[261];
int32_t MAXSTATUSITEM = 0;
int32_t STATUSITEM[21];
int32_t EDGES[21];

HWND CREATESTATUSBAR(HWND PARENT) {
    std::memset(FILENAME, 0, sizeof FILENAME);
    std::strcpy(FILENAME, "Percorso file");
    AWND = win32::CreateStatusWindowA(0x50000000, FILENAME, PARENT, 30482);
    if (AWND) {
        // The tables hold 20 parts; a larger count is held to them rather than read past their end.
        const int32_t count = MAXSTATUSITEM > 20 ? 20 : MAXSTATUSITEM;
        for (int32_t I = 1; I <= count; ++I) EDGES[I] = STATUSITEM[I];
        win32::SendMessageA(AWND, SB_SETPARTS, win32::WPARAM(count < 0 ? 0 : count),
                            reinterpret_cast<win32::LPARAM>(&EDGES[1]));
    }
    return AWND;
}

}  // namespace corvala
