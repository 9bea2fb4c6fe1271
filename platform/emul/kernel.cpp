// Ticks and global memory blocks.
#include <cstring>
#include <map>
#include <memory>

#include "platform/emul/emul.h"

namespace win32 {
namespace {
struct Block {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
    bool movable = false;
    int locks = 0;
};
// Keyed by handle: a movable block's handle is its record, a fixed block's handle its memory, as on Windows.
std::map<HGLOBAL, std::unique_ptr<Block>> g_blocks;
bool allowed(size_t bytes) {
    const size_t limit = detail::Switches().global_memory_limit;
    return limit == 0 || bytes <= limit;
}

std::unique_ptr<uint8_t[]> fresh(size_t bytes, bool zero) {
    std::unique_ptr<uint8_t[]> p(new (std::nothrow) uint8_t[bytes ? bytes : 1]);
    if (p && zero) std::memset(p.get(), 0, bytes);
    return p;
}

Block* find(HGLOBAL h) {
    auto it = g_blocks.find(h);
    return it == g_blocks.end() ? nullptr : it->second.get();
}
}  // namespace

namespace detail {
int CountGlobalBlocks() { return int(g_blocks.size()); }
}  // namespace detail

DWORD GetTickCount() { return DWORD(host::MonotonicNs() / 1000000u); }

HGLOBAL GlobalAlloc(UINT flags, size_t bytes) {
    if (!allowed(bytes)) return nullptr;
    auto b = std::make_unique<Block>();
    b->data = fresh(bytes, flags & GMEM_ZEROINIT);
    if (!b->data) return nullptr;
    b->size = bytes;
    b->movable = (flags & GMEM_MOVEABLE) != 0;
    const HGLOBAL h = b->movable ? static_cast<HGLOBAL>(b.get()) : static_cast<HGLOBAL>(b->data.get());
    g_blocks[h] = std::move(b);
    return h;
}

HGLOBAL GlobalReAlloc(HGLOBAL h, size_t bytes, UINT flags) {
    auto it = g_blocks.find(h);
    if (it == g_blocks.end() || !allowed(bytes)) return nullptr;
    Block* b = it->second.get();
    if (bytes <= b->size) {  // shrinking never moves
        b->size = bytes;
        return h;
    }
    // Growing moves the memory: allowed for an unlocked movable block, or when the caller says so.
    if ((b->locks > 0 || !b->movable) && !(flags & GMEM_MOVEABLE)) return nullptr;
    auto data = fresh(bytes, false);
    if (!data) return nullptr;
    std::memcpy(data.get(), b->data.get(), b->size);
    if (flags & GMEM_ZEROINIT) std::memset(data.get() + b->size, 0, bytes - b->size);
    b->data = std::move(data);
    b->size = bytes;
    if (b->movable) return h;
    // A fixed block's handle is its address, which just changed.
    auto rec = std::move(it->second);
    g_blocks.erase(it);
    const HGLOBAL moved = rec->data.get();
    g_blocks[moved] = std::move(rec);
    return moved;
}

LPVOID GlobalLock(HGLOBAL h) {
    Block* b = find(h);
    if (!b) return nullptr;
    if (b->movable) ++b->locks;
    return b->data.get();
}

BOOL GlobalUnlock(HGLOBAL h) {
    Block* b = find(h);
    if (!b || b->locks == 0) return FALSE;
    return --b->locks > 0 ? TRUE : FALSE;
}

size_t GlobalSize(HGLOBAL h) {
    Block* b = find(h);
    return b ? b->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL h) { return g_blocks.erase(h) ? nullptr : h; }

}  // namespace win32
