/// @file
/// The status bar an application can ask for with SHOWSTATUSBAR.
#pragma once
#include <cstdint>

#include "CRVL_Window.h"

namespace corvala {

extern HWND AWND;               ///< the handle last created by CREATESTATUSBAR
extern char FILENAME[261];      ///< the initial text, "Percorso file"
extern int32_t MAXSTATUSITEM;   ///< number of parts, 1..20; set by the application
extern int32_t STATUSITEM[21];  ///< right edge of part 1..20 in client pixels ([0] unused)
extern int32_t EDGES[21];       ///< the copy handed to the control ([0] unused)

HWND CREATESTATUSBAR(HWND PARENT);  ///< creates the bar on PARENT with its parts; 0 on failure

}  // namespace corvala
