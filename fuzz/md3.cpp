// Fuzzes the MD3 reader, then draws whatever it left in the model. The model starts out holding a
// small valid file, so rejected inputs are drawn with old arrays under a header that describes them.
#include <cstddef>
#include <cstdint>

#include "corvala/model/CRVL_Model.h"
#include "platform/gl/tracer/gltrace.h"
#include "tests/model/md3_builder.h"

namespace {

corvala::TGLMD3MODEL base_model() {
    md3test::Model mm = md3test::one_triangle();
    mm.frames = 2;
    mm.tags_per_frame = 1;
    mm.tags.resize(2);
    md3test::Surface& s = mm.surfaces[0];
    s.frames = 2;
    s.vertices.insert(s.vertices.end(), s.vertices.begin(), s.vertices.end());
    const std::vector<uint8_t> bytes = md3test::build(mm).bytes;
    corvala::TGLMD3MODEL m{};
    corvala::load_md3_from_memory(m, bytes.data(), bytes.size());
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const corvala::TGLMD3MODEL base = [] {
        gltrace::stop();  // no context: the tracer would only record, and the record would only grow
        corvala::INITNORMALS();
        return base_model();
    }();
    corvala::TGLMD3MODEL m = base;
    corvala::load_md3_from_memory(m, data, size);

    // A link back to the model itself, as a careless caller might attach one.
    if (!m.LINKS.empty()) m.LINKS[0] = &m;
    m.FRAME = m.ENDFRAME;
    m.NEXTFRAME = m.STARTFRAME;
    m.POLL = 0.5f;
    m.DRAWSKELETON(m);
    // One frame past what the header claims, wrapping at the top like any other counter.
    const int32_t past = int32_t(uint32_t(m.HEADER.NUMBONEFRAMES) + 1u);
    m.PUTMODELINT(past, m.HEADER.NUMBONEFRAMES, 1.0);
    return 0;
}
