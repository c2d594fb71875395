#include "framework/windows/Dc.h"

#include "framework/core/Exception.h"

#include <stdlib.h>

namespace
{

void ReleaseDeviceContext(CObject* pObject)
{
    CDC* pDC = static_cast<CDC*>(pObject);
    pDC->m_hDC = NULL;
    pDC->m_hAttribDC = NULL;
}

// A size as the distance between two converted points.
void ConvertSize(HDC hDC, LPSIZE lpSize, BOOL (WINAPI* pfnConvert)(HDC, LPPOINT, int))
{
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    pfnConvert(hDC, pts, 2);
    lpSize->cx = abs((int)(pts[1].x - pts[0].x));
    lpSize->cy = abs((int)(pts[1].y - pts[0].y));
}

}

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::~CDC()
{
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == NULL)
        return NULL;
    CObject* pFound = AfxGdiHandleMap::Lookup(AfxGdiHandleMap::deviceContext, hDC);
    if (pFound != NULL)
        return static_cast<CDC*>(pFound);
    CDC* pDC = new CDC;
    pDC->m_hDC = pDC->m_hAttribDC = hDC;
    AfxGdiHandleMap::AddTemporary(AfxGdiHandleMap::deviceContext, hDC, pDC,
                                  ReleaseDeviceContext);
    return pDC;
}

BOOL CDC::Attach(HDC hDC)
{
    ASSERT(m_hDC == NULL);
    if (hDC == NULL)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    AfxGdiHandleMap::SetPermanent(AfxGdiHandleMap::deviceContext, hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
        AfxGdiHandleMap::RemovePermanent(AfxGdiHandleMap::deviceContext, hDC, this);
    m_hDC = m_hAttribDC = NULL;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput,
                              (const DEVMODEA*)lpInitData));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    return Attach(::CreateICA(lpszDriverName, lpszDeviceName, lpszOutput,
                              (const DEVMODEA*)lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC != NULL ? pDC->m_hDC : NULL));
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return ::RestoreDC(m_hDC, nSavedDC);
}

int CDC::StartDoc(LPDOCINFOA lpDocInfo)
{
    return ::StartDocA(m_hDC, lpDocInfo);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}

int CDC::SetAbortProc(ABORTPROC lpfn)
{
    return ::SetAbortProc(m_hDC, lpfn);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return static_cast<CPen*>(SelectObject(static_cast<CGdiObject*>(pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return static_cast<CBrush*>(SelectObject(static_cast<CGdiObject*>(pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return static_cast<CFont*>(SelectObject(static_cast<CGdiObject*>(pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return static_cast<CBitmap*>(SelectObject(static_cast<CGdiObject*>(pBitmap)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == NULL || pObject->m_hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->m_hObject));
}

int CDC::SelectObject(CRgn* pRgn)
{
    return (int)(INT_PTR)::SelectObject(m_hDC, pRgn->GetSafeHandle());
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    if (hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, hObject));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return CPalette::FromHandle(
        ::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle((HPALETTE)::GetCurrentObject(m_hDC, OBJ_PAL));
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return ::SetTextColor(m_hDC, crColor);
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hAttribDC);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return ::SetBkColor(m_hDC, crColor);
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hAttribDC);
}

int CDC::SetBkMode(int nBkMode)
{
    return ::SetBkMode(m_hDC, nBkMode);
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hAttribDC);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return ::SetTextAlign(m_hDC, nFlags);
}

UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(m_hAttribDC);
}

int CDC::SetROP2(int nDrawMode)
{
    return ::SetROP2(m_hDC, nDrawMode);
}

int CDC::GetROP2() const
{
    return ::GetROP2(m_hAttribDC);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return ::SetStretchBltMode(m_hDC, nStretchMode);
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    return ::SetPolyFillMode(m_hDC, nPolyFillMode);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    CPoint point;
    ::SetBrushOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::SetBrushOrg(POINT point)
{
    return SetBrushOrg(point.x, point.y);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return ::IntersectClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ::ExcludeClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return ::SelectClipRgn(m_hDC, pRgn != NULL ? (HRGN)pRgn->m_hObject : NULL);
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return ::ExtSelectClipRgn(m_hDC, pRgn != NULL ? (HRGN)pRgn->m_hObject : NULL, nMode);
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    return ::GetClipBox(m_hDC, lpRect);
}

BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return ::RectVisible(m_hDC, lpRect);
}

int CDC::SetMapMode(int nMapMode)
{
    return ::SetMapMode(m_hDC, nMapMode);
}

int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hAttribDC);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    CPoint point;
    ::SetWindowOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::SetWindowOrg(POINT point)
{
    return SetWindowOrg(point.x, point.y);
}

CPoint CDC::GetWindowOrg() const
{
    CPoint point;
    ::GetWindowOrgEx(m_hAttribDC, &point);
    return point;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    CSize size;
    ::SetWindowExtEx(m_hDC, cx, cy, &size);
    return size;
}

CSize CDC::SetWindowExt(SIZE size)
{
    return SetWindowExt(size.cx, size.cy);
}

CSize CDC::GetWindowExt() const
{
    CSize size;
    ::GetWindowExtEx(m_hAttribDC, &size);
    return size;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    CPoint point;
    ::SetViewportOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::SetViewportOrg(POINT point)
{
    return SetViewportOrg(point.x, point.y);
}

CPoint CDC::GetViewportOrg() const
{
    CPoint point;
    ::GetViewportOrgEx(m_hAttribDC, &point);
    return point;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    CSize size;
    ::SetViewportExtEx(m_hDC, cx, cy, &size);
    return size;
}

CSize CDC::SetViewportExt(SIZE size)
{
    return SetViewportExt(size.cx, size.cy);
}

CSize CDC::GetViewportExt() const
{
    CSize size;
    ::GetViewportExtEx(m_hAttribDC, &size);
    return size;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    CPoint point;
    ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &point);
    return point;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    CPoint point;
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &point);
    return point;
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    ::LPtoDP(m_hAttribDC, lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    ::LPtoDP(m_hAttribDC, (LPPOINT)lpRect, 2);
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    ConvertSize(m_hAttribDC, lpSize, ::LPtoDP);
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    ::DPtoLP(m_hAttribDC, lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    ::DPtoLP(m_hAttribDC, (LPPOINT)lpRect, 2);
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    ConvertSize(m_hAttribDC, lpSize, ::DPtoLP);
}

void CDC::HIMETRICtoDP(LPSIZE lpSize) const
{
    // 2540 hundredths of a millimetre to the inch.
    lpSize->cx = abs(::MulDiv(lpSize->cx, ::GetDeviceCaps(m_hAttribDC, LOGPIXELSX), 2540));
    lpSize->cy = abs(::MulDiv(lpSize->cy, ::GetDeviceCaps(m_hAttribDC, LOGPIXELSY), 2540));
}

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const
{
    lpSize->cx = abs(::MulDiv(lpSize->cx, 2540, ::GetDeviceCaps(m_hAttribDC, LOGPIXELSX)));
    lpSize->cy = abs(::MulDiv(lpSize->cy, 2540, ::GetDeviceCaps(m_hAttribDC, LOGPIXELSY)));
}

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd)
{
    if (!Attach(::BeginPaint(hWnd, &m_ps)))
        AfxThrowMemoryException();
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd)
{
    if (!Attach(::GetDC(hWnd)))
        AfxThrowMemoryException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(HWND hWnd) : m_hWnd(hWnd)
{
    if (!Attach(::GetWindowDC(hWnd)))
        AfxThrowMemoryException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
