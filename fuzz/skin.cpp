// Fuzzes the .skin reader: whatever the text, every entry names a surface and a bare image file name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "corvala/model/CRVL_Model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const corvala::SkinEntry& e : corvala::parse_skin(text)) {
        if (e.surface.empty() || e.image.empty()) std::abort();
        if (e.image.find_first_of("/\\\r\n") != std::string::npos) std::abort();
    }
    return 0;
}
