// Fuzzes the animation.cfg reader, then selects every animation number it could hold and runs the
// character's clock over each, so whatever ranges the file produced are stepped through and drawn.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvala/model/CRVL_ModelAnimate.h"
#include "platform/gl/tracer/gltrace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        gltrace::stop();  // no context: the tracer would only record, and the record would only grow
        return true;
    }();
    (void)quiet;
    corvala::QUAKE3ANIMATION character{};
    corvala::load_anim_from_text(character, std::string(reinterpret_cast<const char*>(data), size));
    for (int32_t n = -1; n <= corvala::Q3_MAX_ANIMATIONS + 1; ++n) {
        character.SELECTMODELANIM(n);
        for (int i = 0; i < 3; ++i) character.PUTMODEL(75.0f * 1000);
    }
    return 0;
}
