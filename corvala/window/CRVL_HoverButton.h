/// @file
/// Shaped three-state picture buttons: windows of class "IMAGEBUTTON", with the bitmap loader and the
/// region builder that serve them.
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

constexpr const char* SZHOVERCLASS = "IMAGEBUTTON";  ///< the buttons' window class

/// Window properties of a button.
///@{
constexpr const char* NORMALBMP = "NORMALBITMAP";       ///< memory DC with the normal-state bitmap
constexpr const char* HOVERBMP = "HOVERBITMAP";         ///< the same for the hover state
constexpr const char* PRESSBMP = "PRESSBITMAP";         ///< the same for the pressed state
constexpr const char* HOVERMODE = "HOVERMODEBYTE";      ///< the state: 1 normal, 2 hover, 3 pressed
constexpr const char* BUTTONRGN = "HOVERBUTTONREGION";  ///< the opaque shape, for hit tests
///@}

constexpr int32_t ALLOC_UNIT = 100;  ///< rectangles per growth step of the region builder's buffer

extern std::string BMPTYPE;  ///< prefix of the button bitmap files: BMPTYPE + "N"/"H"/"P" + ".BMP"

/// The "IMAGEBUTTON" class procedure: WND the button, IMSG the message with its WPARAM_ and LPARAM_.
LRESULT HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_);
/// FILENAME: a BMP file; PAL receives its palette (0 for true-colour files). A DIB section; 0 on failure.
HBITMAP LOADBMPFROMFILE(const char* FILENAME, HPALETTE& PAL);
/// BMPNAME: a BMP file; TRANSCOLOR: the colour cut away (0x00BBGGRR), and with it each colour whose channels
/// are at most TOLERANCE above TRANSCOLOR's.
/// The region of the other pixels, in the picture's coordinates; 0 on failure.
HRGN BITMAPTOREGION(const char* BMPNAME, COLORREF TRANSCOLOR, BYTE TOLERANCE);

}  // namespace corvala
