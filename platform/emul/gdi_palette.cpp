// Logical palettes. The display is true colour, so a palette only matters as a colour table.
#include "platform/emul/backend.h"
#include "platform/emul/gdi_objects.h"

namespace win32 {

HPALETTE CreatePalette(const LOGPALETTE* pal) {
    if (!pal || pal->palVersion != 0x300 || pal->palNumEntries == 0) return nullptr;
    auto p = std::make_unique<GdiPalette>();
    p->entries.assign(pal->palPalEntry, pal->palPalEntry + pal->palNumEntries);
    return static_cast<HPALETTE>(gdi_register(std::move(p)));
}

HPALETTE CreateHalftonePalette(HDC h) {
    if (!detail::FindDC(h)) return nullptr;
    // The static colours at both ends, a 6 x 6 x 6 colour cube and a grey ramp between them.
    const GdiPalette* system = gdi_palette(stock_palette());
    auto p = std::make_unique<GdiPalette>();
    p->entries.assign(system->entries.begin(), system->entries.begin() + 10);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) p->entries.push_back({BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0});
    for (int i = 1; i <= 20; ++i) {
        const BYTE v = BYTE(i * 255 / 21);
        p->entries.push_back({v, v, v, 0});
    }
    p->entries.insert(p->entries.end(), system->entries.begin() + 10, system->entries.end());
    return static_cast<HPALETTE>(gdi_register(std::move(p)));
}

UINT GetPaletteEntries(HPALETTE h, UINT start, UINT count, PALETTEENTRY* out) {
    const GdiPalette* p = gdi_palette(h);
    if (!p) return 0;
    if (!out) return UINT(p->entries.size());
    UINT n = 0;
    for (; n < count && start + n < p->entries.size(); ++n) out[n] = p->entries[start + n];
    return n;
}

}  // namespace win32
