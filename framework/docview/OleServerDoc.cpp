#include "framework/docview/OleServerDoc.h"

IMPLEMENT_DYNAMIC(COleServerDoc, COleDocument)

namespace
{
LONG g_nOleLockCount = 0;
}

COleServerDoc::COleServerDoc() : m_bEmbedded(FALSE)
{
}

void AfxOleLockApp()
{
    InterlockedIncrement(&g_nOleLockCount);
}

void AfxOleUnlockApp()
{
    ASSERT(g_nOleLockCount > 0);
    InterlockedDecrement(&g_nOleLockCount);
}

BOOL AfxOleCanExitApp()
{
    return InterlockedCompareExchange(&g_nOleLockCount, 0, 0) == 0;
}
