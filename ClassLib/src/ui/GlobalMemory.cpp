// Global memory blocks kept in a table, so that every handle can be checked.
#include <ClassLib/Ole/GlobalMemory.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct Block
{
    unsigned char* data = nullptr;
    SIZE_T size = 0;
    UINT flags = 0;
    UINT locks = 0;
};

struct Table
{
    std::mutex mutex;
    // Key: the handle. Moveable blocks are keyed by their Block object, fixed ones by data.
    std::unordered_map<const void*, std::unique_ptr<Block>> blocks;
    std::unordered_map<const void*, const void*> handleOfData;
};

Table& TheTable()
{
    static Table* t = new Table;  // outlives every static that may still free a block
    return *t;
}

unsigned char* NewData(SIZE_T n, bool zero)
{
    // Zero-size blocks still get a unique data address.
    void* p = zero ? std::calloc(n ? n : 1, 1) : std::malloc(n ? n : 1);
    return static_cast<unsigned char*>(p);
}

Block* Find(Table& t, HGLOBAL h)
{
    auto it = t.blocks.find(h);
    return it == t.blocks.end() ? nullptr : it->second.get();
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    if (dwBytes > PC_GLOBAL_MAX_BYTES)
        return nullptr;
    auto block = std::make_unique<Block>();
    block->data = NewData(dwBytes, (uFlags & GMEM_ZEROINIT) != 0);
    if (!block->data)
        return nullptr;
    block->size = dwBytes;
    block->flags = uFlags & ~(GMEM_ZEROINIT | GMEM_MODIFY);
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    const void* key = (uFlags & GMEM_MOVEABLE) ? static_cast<const void*>(block.get())
                                                : static_cast<const void*>(block->data);
    t.handleOfData[block->data] = key;
    t.blocks[key] = std::move(block);
    return const_cast<void*>(key);
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    Block* b = Find(t, hMem);
    if (!b)
        return nullptr;
    if (uFlags & GMEM_MODIFY) {
        if ((uFlags & GMEM_MOVEABLE) && !(b->flags & GMEM_MOVEABLE)) {
            // A fixed block becomes moveable: it gets a handle of its own.
            auto owned = std::move(t.blocks[hMem]);
            t.blocks.erase(hMem);
            owned->flags = (owned->flags & ~GMEM_DISCARDABLE) | GMEM_MOVEABLE | (uFlags & GMEM_DISCARDABLE);
            const void* key = owned.get();
            t.handleOfData[owned->data] = key;
            t.blocks[key] = std::move(owned);
            return const_cast<void*>(key);
        }
        b->flags = (b->flags & ~GMEM_DISCARDABLE) | (uFlags & GMEM_DISCARDABLE);
        return hMem;
    }
    if (dwBytes > PC_GLOBAL_MAX_BYTES)
        return nullptr;
    if (!(b->flags & GMEM_MOVEABLE) && !(uFlags & GMEM_MOVEABLE)) {
        // A fixed block may not move unless the caller allows it: it can only shrink.
        if (dwBytes > b->size)
            return nullptr;
        b->size = dwBytes;
        return hMem;
    }
    unsigned char* fresh = NewData(dwBytes, false);
    if (!fresh)
        return nullptr;
    const SIZE_T keep = dwBytes < b->size ? dwBytes : b->size;
    if (keep)
        std::memcpy(fresh, b->data, keep);
    if (dwBytes > keep && (uFlags & GMEM_ZEROINIT))
        std::memset(fresh + keep, 0, dwBytes - keep);
    t.handleOfData.erase(b->data);
    std::free(b->data);
    b->data = fresh;
    b->size = dwBytes;
    if (b->flags & GMEM_MOVEABLE) {
        t.handleOfData[fresh] = hMem;
        return hMem;
    }
    // A fixed block's handle is its data, which has moved.
    auto owned = std::move(t.blocks[hMem]);
    t.blocks.erase(hMem);
    t.handleOfData[fresh] = fresh;
    t.blocks[fresh] = std::move(owned);
    return fresh;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (!hMem)
        return nullptr;
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.blocks.find(hMem);
    if (it == t.blocks.end())
        return hMem;
    t.handleOfData.erase(it->second->data);
    std::free(it->second->data);
    t.blocks.erase(it);
    return nullptr;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    Block* b = Find(t, hMem);
    if (!b)
        return nullptr;
    if (b->flags & GMEM_MOVEABLE) {
        if (b->locks < GMEM_LOCKCOUNT)
            ++b->locks;
    }
    return b->data;
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    Block* b = Find(t, hMem);
    if (!b || b->locks == 0)
        return FALSE;
    --b->locks;
    return b->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    Block* b = Find(t, hMem);
    return b ? b->size : 0;
}

UINT GlobalFlags(HGLOBAL hMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    Block* b = Find(t, hMem);
    if (!b)
        return GMEM_INVALID_HANDLE;
    UINT high = (b->flags & GMEM_DISCARDABLE) ? 0x0100u : 0u;
    if (b->flags & GMEM_DDESHARE)
        high |= 0x2000u;
    return high | (b->locks & GMEM_LOCKCOUNT);
}

HGLOBAL GlobalHandle(LPCVOID pMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.handleOfData.find(pMem);
    return it == t.handleOfData.end() ? nullptr : const_cast<void*>(it->second);
}

size_t AfxGlobalBlockCount()
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.blocks.size();
}

HGLOBAL AfxGlobalFromBytes(const void* pData, SIZE_T nBytes, UINT uFlags)
{
    HGLOBAL h = GlobalAlloc(uFlags & ~GMEM_ZEROINIT, nBytes);
    if (!h)
        return nullptr;
    if (nBytes) {
        void* p = GlobalLock(h);
        std::memcpy(p, pData, nBytes);
        GlobalUnlock(h);
    }
    return h;
}
