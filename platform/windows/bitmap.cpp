// LoadBitmapFromMemory on Windows: the file's own BITMAPINFO and bits, into a DIB section of its size.
// The shared reader checks the headers against the bytes; Windows decodes.
#include <algorithm>
#include <cstring>

#include "platform/emul/dib_reader.h"
#include "platform/host/host.h"
#include "platform/win32.h"

namespace win32 {
namespace {
constexpr uint64_t kMostColours = 256;  // Windows reads no longer table
}  // namespace

HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size) {
    const auto* p = static_cast<const uint8_t*>(bytes);
    DibHeader h;
    if (ReadDibHeader(p, size, h) || h.header_size < sizeof(BITMAPINFOHEADER)) return nullptr;
    if (h.compression != BI_RGB && h.compression != BI_BITFIELDS) return nullptr;  // LoadImageA's job
    // What CreateDIBSection reads of the BITMAPINFO: the header, BI_BITFIELDS' three masks (inside the
    // longer headers) and the colour table. All of it must be in the file.
    const uint64_t masks = h.compression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    const uint64_t colours = h.colours_used ? std::min<uint64_t>(h.colours_used, kMostColours)
                             : h.bits <= 8  ? uint64_t(1) << h.bits
                                            : 0;
    const uint64_t info =
        std::max<uint64_t>(h.header_size, sizeof(BITMAPINFOHEADER) + masks) + colours * sizeof(RGBQUAD);
    if (info > size - sizeof(BITMAPFILEHEADER)) return nullptr;
    void* bits = nullptr;
    const HBITMAP b = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(p + sizeof(BITMAPFILEHEADER)),
                                       DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!b || !bits) return nullptr;
    std::memcpy(bits, p + h.bits_offset, size_t(host::DibStride(h.width, h.bits) * h.height));
    return b;
}

}  // namespace win32
