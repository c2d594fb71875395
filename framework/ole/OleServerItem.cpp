#include "framework/ole/OleServerItem.h"

#include "framework/ole/OleServerDoc.h"
#include "framework/windows/Dc.h"

IMPLEMENT_DYNAMIC(COleServerItem, CCmdTarget)
IMPLEMENT_DYNAMIC(CDocObjectServerItem, COleServerItem)

COleServerItem::COleServerItem(COleServerDoc* pServerDoc, BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete), m_pDocument(pServerDoc)
{
}

COleServerItem::~COleServerItem()
{
    if (m_pDocument != NULL)
        m_pDocument->OnItemDeleted(this);
}

BOOL COleServerItem::OnGetExtent(DVASPECT, CSize&)
{
    return FALSE;
}

HGLOBAL COleServerItem::GetMetafilePicture()
{
    CSize size(0, 0);
    if (!OnGetExtent(DVASPECT_CONTENT, size))
        size = CSize(3000, 3000);
    HDC hMetaDC = CreateMetaFileA(NULL);
    if (hMetaDC == NULL)
        return NULL;
    BOOL bDrawn;
    {
        CDC dc;
        dc.Attach(hMetaDC);
        bDrawn = OnDraw(&dc, size);
        dc.Detach();
    }
    HMETAFILE hMF = CloseMetaFile(hMetaDC);
    if (hMF == NULL || !bDrawn)
    {
        if (hMF != NULL)
            DeleteMetaFile(hMF);
        return NULL;
    }
    HGLOBAL hPict = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, sizeof(METAFILEPICT));
    METAFILEPICT* pPict = hPict != NULL ? static_cast<METAFILEPICT*>(GlobalLock(hPict)) : NULL;
    if (pPict == NULL)
    {
        if (hPict != NULL)
            GlobalFree(hPict);
        DeleteMetaFile(hMF);
        return NULL;
    }
    pPict->mm = MM_ANISOTROPIC;
    pPict->xExt = size.cx;
    pPict->yExt = size.cy;
    pPict->hMF = hMF;
    GlobalUnlock(hPict);
    return hPict;
}
