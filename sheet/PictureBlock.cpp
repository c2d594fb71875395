#include "sheet/PictureBlock.h"

#include <unordered_map>

namespace
{

struct BlockEntry
{
    LONG nRefs;
    SIZE_T cb;
};

typedef std::unordered_map<void*, BlockEntry> BlockTable;

// Never destroyed: cells of static objects may release blocks after the
// table would otherwise be gone.
BlockTable& Table()
{
    static BlockTable* pTable = new BlockTable;
    return *pTable;
}

PFN_PICTUREBLOCKALLOC g_pfnAlloc = GlobalAlloc;
PFN_PICTUREBLOCKFREE g_pfnFree = GlobalFree;

} // namespace

HGLOBAL PictureBlockAlloc(SIZE_T cb)
{
    if (cb == 0)
        return NULL;
    HGLOBAL hBlock = g_pfnAlloc(GMEM_FIXED, cb);
    if (hBlock == NULL)
        return NULL;
    Table()[hBlock] = BlockEntry{1, cb};
    return hBlock;
}

void PictureBlockAddRef(HGLOBAL hBlock)
{
    if (hBlock == NULL)
        return;
    BlockTable::iterator it = Table().find(hBlock);
    if (it != Table().end())
        ++it->second.nRefs;
}

void PictureBlockRelease(HGLOBAL hBlock)
{
    if (hBlock == NULL)
        return;
    BlockTable::iterator it = Table().find(hBlock);
    if (it == Table().end())
        return;
    if (--it->second.nRefs > 0)
        return;
    Table().erase(it);
    g_pfnFree(hBlock);
}

LONG PictureBlockRefCount(HGLOBAL hBlock)
{
    if (hBlock == NULL)
        return 0;
    BlockTable::const_iterator it = Table().find(hBlock);
    return it != Table().end() ? it->second.nRefs : 0;
}

SIZE_T PictureBlockSize(HGLOBAL hBlock)
{
    if (hBlock == NULL)
        return 0;
    BlockTable::const_iterator it = Table().find(hBlock);
    return it != Table().end() ? it->second.cb : 0;
}

SIZE_T PictureBlockLiveCount()
{
    return Table().size();
}

void SetPictureBlockAllocator(PFN_PICTUREBLOCKALLOC pfnAlloc, PFN_PICTUREBLOCKFREE pfnFree)
{
    g_pfnAlloc = pfnAlloc != NULL ? pfnAlloc : GlobalAlloc;
    g_pfnFree = pfnFree != NULL ? pfnFree : GlobalFree;
}
