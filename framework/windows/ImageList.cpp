#include "framework/windows/ImageList.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/Dc.h"
#include "framework/windows/GdiObject.h"
#include "framework/windows/HandleMap.h"
#include "framework/windows/ScopedGdi.h"
#include "framework/windows/Wnd.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

CHandleMap<HIMAGELIST, CImageList, &CImageList::m_hImageList>& ImageLists()
{
    static CHandleMap<HIMAGELIST, CImageList, &CImageList::m_hImageList> map;
    return map;
}

} // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return ImageLists().FromHandle(hImageList);
}

void CImageList::DeleteTempMap()
{
    ImageLists().DeleteTemporary();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == NULL || m_hImageList != NULL)
        return FALSE;
    m_hImageList = hImageList;
    ImageLists().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    ImageLists().RemovePermanent(hImageList, this);
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    // Built by hand into a 24-bit list: Wine's ImageList_LoadImage makes
    // every pixel of a palette bitmap transparent, leaving only the colours
    // that the mask's inversion happens to show.
    CScopedGdiObject bitmap(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID),
                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm = {};
    if (bitmap.Get() == NULL || cx <= 0 || ::GetObject(bitmap.Get(), sizeof(bm), &bm) == 0)
        return FALSE;
    HIMAGELIST hImageList = ImageList_Create(cx, bm.bmHeight, ILC_COLOR24 | ILC_MASK,
                                             bm.bmWidth / cx, nGrow);
    if (hImageList == NULL)
        return FALSE;
    if (ImageList_AddMasked(hImageList, (HBITMAP)bitmap.Get(), crMask) < 0)
    {
        ImageList_Destroy(hImageList);
        return FALSE;
    }
    return Attach(hImageList);
}

BOOL CImageList::DeleteImageList()
{
    HIMAGELIST hImageList = Detach();
    return hImageList != NULL && ImageList_Destroy(hImageList);
}

int CImageList::GetImageCount() const
{
    return ImageList_GetImageCount(m_hImageList);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(),
                         pbmMask != NULL ? (HBITMAP)pbmMask->GetSafeHandle() : NULL);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

int CImageList::Add(HICON hIcon)
{
    return ImageList_AddIcon(m_hImageList, hIcon);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(),
                             pbmMask != NULL ? (HBITMAP)pbmMask->GetSafeHandle() : NULL);
}

BOOL CImageList::Remove(int nImage)
{
    return ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return ImageList_SetBkColor(m_hImageList, cr);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

BOOL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}

BOOL CImageList::DragMove(CPoint pt)
{
    return ImageList_DragMove(pt.x, pt.y);
}

BOOL CImageList::DragShowNolock(BOOL bShow)
{
    return ImageList_DragShowNolock(bShow);
}

BOOL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock->GetSafeHwnd());
}

void CImageList::EndDrag()
{
    ImageList_EndDrag();
}
