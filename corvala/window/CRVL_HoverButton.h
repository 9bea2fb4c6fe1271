// Shaped three-state picture buttons: windows of class "IMAGEBUTTON", with the bitmap loader and the
// region builder that serve them.
#pragma once
#include <cstdint>
#include <string>

#include "CRVL_Window.h"

namespace corvala {

using win32::BYTE;
using win32::COLORREF;
using win32::HBITMAP;
using win32::HPALETTE;
using win32::HRGN;

constexpr const char* SZHOVERCLASS = "IMAGEBUTTON";

// Window properties of a button.
constexpr const char* NORMALBMP = "NORMALBITMAP";       // memory DC with the normal-state bitmap
constexpr const char* HOVERBMP = "HOVERBITMAP";         // the same for the hover state
constexpr const char* PRESSBMP = "PRESSBITMAP";         // the same for the pressed state
constexpr const char* HOVERMODE = "HOVERMODEBYTE";      // the state: 1 normal, 2 hover, 3 pressed
constexpr const char* BUTTONRGN = "HOVERBUTTONREGION";  // the opaque shape, for hit tests

constexpr int32_t ALLOC_UNIT = 100;  // rectangles per growth step of the region builder's buffer

extern std::string BMPTYPE;  // prefix of the button bitmap files: BMPTYPE + "N"/"H"/"P" + ".BMP"

LRESULT HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_);  // the class procedure
HBITMAP LOADBMPFROMFILE(const char* FILENAME, HPALETTE& PAL);                     // DIB section + palette; 0 on failure
HRGN BITMAPTOREGION(const char* BMPNAME, COLORREF TRANSCOLOR,
                    BYTE TOLERANCE);  // the non-transparent pixels; 0 on failure

}  // namespace corvala
