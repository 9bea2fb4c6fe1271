// Shaped three-state picture buttons: windows of class "IMAGEBUTTON".
#pragma once
#include <cstdint>
#include <string>

#include "window/CRVL_Window.h"

namespace corvala {

constexpr const char* SZHOVERCLASS = "IMAGEBUTTON";

LRESULT HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_);  // the class procedure

}  // namespace corvala
