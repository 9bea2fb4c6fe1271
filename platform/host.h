// The host services of ours that Windows never had, beside the Windows subset in win32.h.
#pragma once
#include <string>
#include <vector>

namespace win32 {

// ---- keys --------------------------------------------------------------------------------------
// Keys Windows has no virtual-key code for arrive with kFirstPositionalKey + their SDL scancode, held to
// kLastPositionalKey: still inside the framework's key table (SETKEY, 0..500).
constexpr int kFirstPositionalKey = 0x100, kLastPositionalKey = 500;

}  // namespace win32
