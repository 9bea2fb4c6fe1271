// Regions, kept as bands of spans in one canonical form, so that equal areas have equal records.
#include <algorithm>
#include <cstring>

#include "platform/emul/emul.h"
#include "platform/emul/gdi_objects.h"

namespace win32 {
namespace {
using Spans = std::vector<Span>;

bool op_keeps(int mode, bool a, bool b) {
    switch (mode) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;  // RGN_COPY
    }
}

void append_span(Spans& out, int left, int right) {
    if (left >= right) return;
    if (!out.empty() && out.back().right >= left) out.back().right = std::max(out.back().right, right);
    else out.push_back({left, right});
}

// One row's spans combined: walk the sorted edges of both and keep the stretches the mode keeps.
Spans combine_spans(const Spans& a, const Spans& b, int mode) {
    std::vector<int> edges;
    for (const Span& s : a) edges.insert(edges.end(), {s.left, s.right});
    for (const Span& s : b) edges.insert(edges.end(), {s.left, s.right});
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    Spans out;
    size_t ia = 0, ib = 0;
    for (size_t k = 0; k + 1 < edges.size(); ++k) {
        const int x0 = edges[k], x1 = edges[k + 1];
        while (ia < a.size() && a[ia].right <= x0) ++ia;
        while (ib < b.size() && b[ib].right <= x0) ++ib;
        const bool in_a = ia < a.size() && a[ia].left <= x0;
        const bool in_b = ib < b.size() && b[ib].left <= x0;
        if (op_keeps(mode, in_a, in_b)) append_span(out, x0, x1);
    }
    return out;
}

bool same_spans(const Spans& a, const Spans& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const Span& p, const Span& q) {
               return p.left == q.left && p.right == q.right;
           });
}

void append_band(std::vector<Band>& out, int top, int bottom, Spans spans) {
    if (spans.empty() || top >= bottom) return;
    if (!out.empty() && out.back().bottom == top && same_spans(out.back().spans, spans)) {
        out.back().bottom = bottom;
        return;
    }
    out.push_back({top, bottom, std::move(spans)});
}

std::vector<Band> combine(const std::vector<Band>& a, const std::vector<Band>& b, int mode) {
    std::vector<int> edges;
    for (const Band& x : a) edges.insert(edges.end(), {x.top, x.bottom});
    for (const Band& x : b) edges.insert(edges.end(), {x.top, x.bottom});
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const Spans none;
    std::vector<Band> out;
    size_t ia = 0, ib = 0;
    for (size_t k = 0; k + 1 < edges.size(); ++k) {
        const int y0 = edges[k], y1 = edges[k + 1];
        while (ia < a.size() && a[ia].bottom <= y0) ++ia;
        while (ib < b.size() && b[ib].bottom <= y0) ++ib;
        const Spans& sa = ia < a.size() && a[ia].top <= y0 ? a[ia].spans : none;
        const Spans& sb = ib < b.size() && b[ib].top <= y0 ? b[ib].spans : none;
        append_band(out, y0, y1, combine_spans(sa, sb, mode));
    }
    return out;
}

std::vector<Band> from_rects(const RECT* rects, size_t n) {
    std::vector<int> edges;
    for (size_t i = 0; i < n; ++i) {
        if (rects[i].left >= rects[i].right || rects[i].top >= rects[i].bottom) continue;
        edges.insert(edges.end(), {int(rects[i].top), int(rects[i].bottom)});
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<Spans> rows(edges.empty() ? 0 : edges.size() - 1);
    for (size_t i = 0; i < n; ++i) {
        const RECT& r = rects[i];
        if (r.left >= r.right || r.top >= r.bottom) continue;
        size_t k = size_t(std::lower_bound(edges.begin(), edges.end(), int(r.top)) - edges.begin());
        for (; k < rows.size() && edges[k] < r.bottom; ++k) rows[k].push_back({int(r.left), int(r.right)});
    }
    std::vector<Band> out;
    for (size_t k = 0; k < rows.size(); ++k) {
        std::sort(rows[k].begin(), rows[k].end(), [](const Span& p, const Span& q) { return p.left < q.left; });
        Spans merged;
        for (const Span& s : rows[k]) append_span(merged, s.left, s.right);
        append_band(out, edges[k], edges[k + 1], std::move(merged));
    }
    return out;
}

int kind_of(const GdiRegion& r) {
    if (r.bands.empty()) return NULLREGION;
    return r.bands.size() == 1 && r.bands[0].spans.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT bounds_of(const GdiRegion& r) {
    if (r.bands.empty()) return RECT{0, 0, 0, 0};
    RECT box{r.bands.front().spans.front().left, r.bands.front().top, r.bands.front().spans.back().right,
             r.bands.back().bottom};
    for (const Band& b : r.bands) {
        box.left = std::min<LONG>(box.left, b.spans.front().left);
        box.right = std::max<LONG>(box.right, b.spans.back().right);
    }
    return box;
}

HRGN make_region(std::vector<Band> bands) {
    auto r = std::make_unique<GdiRegion>();
    r->bands = std::move(bands);
    return static_cast<HRGN>(gdi_register(std::move(r)));
}
}  // namespace

namespace detail {
std::vector<RegionCall>& RegionCallLog() {
    static std::vector<RegionCall> log;
    return log;
}
}  // namespace detail

bool region_contains(const GdiRegion& r, int x, int y) {
    auto band = std::upper_bound(r.bands.begin(), r.bands.end(), y, [](int v, const Band& b) { return v < b.bottom; });
    if (band == r.bands.end() || band->top > y) return false;
    auto span =
        std::upper_bound(band->spans.begin(), band->spans.end(), x, [](int v, const Span& s) { return v < s.right; });
    return span != band->spans.end() && span->left <= x;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    const RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    return make_region(from_rects(&r, 1));
}

HRGN ExtCreateRegion(const XFORM* xform, DWORD bytes, const RGNDATA* data) {
    if (xform && (xform->eM11 != 1 || xform->eM12 != 0 || xform->eM21 != 0 || xform->eM22 != 1 || xform->eDx != 0 ||
                  xform->eDy != 0))
        return nullptr;  // only the identity transform
    if (!data || bytes < sizeof(RGNDATAHEADER)) return nullptr;
    RGNDATAHEADER h;
    std::memcpy(&h, data, sizeof h);
    if (detail::Switches().log_region_calls) detail::RegionCallLog().push_back({h.nCount, bytes});
    if (h.dwSize < sizeof(RGNDATAHEADER) || h.dwSize > bytes || h.iType != RDH_RECTANGLES) return nullptr;
    if (uint64_t(h.nCount) * sizeof(RECT) > uint64_t(bytes - h.dwSize)) return nullptr;
    std::vector<RECT> rects(h.nCount);
    if (h.nCount) std::memcpy(rects.data(), reinterpret_cast<const char*>(data) + h.dwSize, h.nCount * sizeof(RECT));
    return make_region(from_rects(rects.data(), rects.size()));
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
    GdiRegion* d = gdi_region(dst);
    const GdiRegion* a = gdi_region(src1);
    const GdiRegion* b = mode == RGN_COPY ? a : gdi_region(src2);
    if (!d || !a || !b || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    if (mode == RGN_COPY) d->bands = a->bands;
    else d->bands = combine(a->bands, b->bands, mode);
    return kind_of(*d);
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
    const GdiRegion* r = gdi_region(rgn);
    return r && region_contains(*r, x, y) ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
    const GdiRegion* ra = gdi_region(a);
    const GdiRegion* rb = gdi_region(b);
    if (!ra || !rb || ra->bands.size() != rb->bands.size()) return FALSE;
    for (size_t i = 0; i < ra->bands.size(); ++i) {
        const Band &p = ra->bands[i], &q = rb->bands[i];
        if (p.top != q.top || p.bottom != q.bottom || !same_spans(p.spans, q.spans)) return FALSE;
    }
    return TRUE;
}

int GetRgnBox(HRGN rgn, RECT* out) {
    const GdiRegion* r = gdi_region(rgn);
    if (!r || !out) return RGN_ERROR;
    *out = bounds_of(*r);
    return kind_of(*r);
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    GdiRegion* r = gdi_region(rgn);
    if (!r) return RGN_ERROR;
    for (Band& b : r->bands) {
        b.top += dy;
        b.bottom += dy;
        for (Span& s : b.spans) {
            s.left += dx;
            s.right += dx;
        }
    }
    return kind_of(*r);
}

DWORD GetRegionData(HRGN rgn, DWORD bytes, RGNDATA* out) {
    const GdiRegion* r = gdi_region(rgn);
    if (!r) return 0;
    std::vector<RECT> rects;
    for (const Band& b : r->bands)
        for (const Span& s : b.spans) rects.push_back(RECT{s.left, b.top, s.right, b.bottom});
    const DWORD need = DWORD(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    if (!out) return need;
    if (bytes < need) return 0;
    RGNDATAHEADER h{};
    h.dwSize = sizeof h;
    h.iType = RDH_RECTANGLES;
    h.nCount = DWORD(rects.size());
    h.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    h.rcBound = bounds_of(*r);
    std::memcpy(out, &h, sizeof h);
    if (!rects.empty()) std::memcpy(reinterpret_cast<char*>(out) + sizeof h, rects.data(), rects.size() * sizeof(RECT));
    return need;
}

}  // namespace win32
