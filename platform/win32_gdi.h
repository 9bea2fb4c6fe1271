// GDI: bitmaps and device-independent bitmaps, memory device contexts, palettes, regions, global memory.
// Included by win32.h; declared in namespace win32.
#pragma once

namespace win32 {

}  // namespace win32
