// The test switches of the emulation: what platform/testing.h offers, over emul's own records.
#include "platform/emul/backend.h"
#include "platform/testing.h"

namespace win32 {
namespace testing {
namespace {
detail::TestSwitches& sw() { return detail::Switches(); }
// Loaded with any of the calls below, so that every ExtCreateRegion of a test is logged from the start.
const bool g_logging = (detail::Switches().log_region_calls = true);
}  // namespace

void RecordMessageBoxes(bool on) { sw().record_boxes = on; }
const std::vector<Box>& RecordedBoxes() {
    static std::vector<Box> boxes;
    boxes.clear();
    for (const auto& b : detail::RecordedBoxes()) boxes.push_back({b.caption, b.text});
    return boxes;
}
void ClearRecordedBoxes() { detail::RecordedBoxes().clear(); }
void AllowInvisibleDriver(bool on) { sw().allow_invisible_driver = on; }
void AcceptSwapIntervalAnyway(bool on) { sw().accept_swap_interval_anyway = on; }
void RefusePixelFormats(bool on) { sw().refuse_pixel_formats = on; }
void RefuseContexts(bool on) { sw().refuse_contexts = on; }
void RefuseMemoryDCs(bool on) { sw().refuse_memory_dcs = on; }
void LimitGlobalMemory(size_t bytes) { sw().global_memory_limit = bytes; }
void SetScreenSize(int w, int h) {
    sw().screen_w = w;
    sw().screen_h = h;
}

void PumpEvents() { backend::PumpEvents(); }
int QueuedMessages() { return detail::QueuedMessages(); }
void FlushMessages() { detail::FlushMessages(); }
void ResetClasses() { detail::ForgetClasses(); }
int LiveGdiObjects() { return detail::CountLiveGdiObjects(); }
int LiveMemoryDCs() { return detail::CountMemoryDCs(); }
int LiveGlobalBlocks() { return detail::CountGlobalBlocks(); }

const std::vector<RegionCall>& RegionCalls() {
    static std::vector<RegionCall> calls;
    calls.clear();
    (void)g_logging;
    for (const auto& c : detail::RegionCallLog()) calls.push_back({c.count, c.bytes});
    return calls;
}
void ClearRegionCalls() { detail::RegionCallLog().clear(); }

}  // namespace testing
}  // namespace win32
