#include "framework/windows/Dc.h"

namespace
{

// The frame of lpRect size thick, as a region; NULL when it has none.
HRGN CreateFrameRgn(LPCRECT lpRect, SIZE size)
{
    CRect rectInner(lpRect);
    rectInner.DeflateRect(size);
    rectInner.IntersectRect(rectInner, lpRect);
    HRGN hRgn = ::CreateRectRgnIndirect(lpRect);
    HRGN hRgnInner = ::CreateRectRgnIndirect(rectInner);
    if (hRgn != NULL && hRgnInner != NULL)
        ::CombineRgn(hRgn, hRgn, hRgnInner, RGN_XOR);
    if (hRgnInner != NULL)
        ::DeleteObject(hRgnInner);
    return hRgn;
}

HBRUSH CreateHalftoneBrush()
{
    WORD grayPattern[8];
    for (int i = 0; i < 8; i++)
        grayPattern[i] = (WORD)(0x5555 << (i & 1));
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, grayPattern);
    if (hBitmap == NULL)
        return NULL;
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

// Inverts the region's pixels through hBrush.
void InvertRgnWithBrush(HDC hDC, HRGN hRgn, HBRUSH hBrush)
{
    int nSaved = ::SaveDC(hDC);
    ::ExtSelectClipRgn(hDC, hRgn, RGN_AND);
    RECT rect;
    ::GetClipBox(hDC, &rect);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATINVERT);
    ::SelectObject(hDC, hOldBrush);
    ::RestoreDC(hDC, nSaved);
}

}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    CSize size;
    ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str, str.GetLength());
}

CSize CDC::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    CSize size;
    ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    CSize size;
    ::GetTextExtentPoint32A(m_hDC, str, str.GetLength(), &size);
    return size;
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
                               LPINT lpnTabStopPositions) const
{
    DWORD dwExtent = ::GetTabbedTextExtentA(m_hAttribDC, lpszString, nCount, nTabPositions,
                                            lpnTabStopPositions);
    return CSize((int)LOWORD(dwExtent), (int)HIWORD(dwExtent));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions,
                               LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent(str, str.GetLength(), nTabPositions, lpnTabStopPositions);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetricsA(m_hAttribDC, lpMetrics);
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
    return ::GetTextFaceA(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
    char szFace[LF_FACESIZE];
    int nResult = ::GetTextFaceA(m_hAttribDC, LF_FACESIZE, szFace);
    rString = nResult > 0 ? szFace : "";
    return nResult;
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return ::TextOutA(m_hDC, x, y, str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
                     UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                     LPINT lpDxWidths)
{
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, str, str.GetLength(), lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCWSTR lpszString,
                     UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextA(m_hDC, str, str.GetLength(), lpRect, nFormat);
}

int CDC::DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // An opaque empty text fills without needing a brush.
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(rect, clr);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}

void CDC::InvertRect(LPCRECT lpRect)
{
    ::InvertRect(m_hDC, lpRect);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // The top-right and bottom-left corner pixels belong to the bottom-right colour.
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    ::DrawFocusRect(m_hDC, lpRect);
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast,
                       CBrush* pBrush, CBrush* pBrushLast)
{
    HBRUSH hHalftone = NULL;
    if (pBrush == NULL || (lpRectLast != NULL && pBrushLast == NULL))
        hHalftone = CreateHalftoneBrush();
    HBRUSH hBrush = pBrush != NULL ? (HBRUSH)pBrush->m_hObject : hHalftone;
    HBRUSH hBrushLast = pBrushLast != NULL ? (HBRUSH)pBrushLast->m_hObject : hHalftone;

    HRGN hRgnNew = lpRect != NULL ? CreateFrameRgn(lpRect, size) : NULL;
    HRGN hRgnLast = lpRectLast != NULL ? CreateFrameRgn(lpRectLast, sizeLast) : NULL;
    if (hRgnLast != NULL && hRgnNew != NULL && hBrush == hBrushLast) {
        // With one brush, pixels in both frames would be inverted twice:
        // inverting the difference alone erases the old and draws the new.
        ::CombineRgn(hRgnNew, hRgnNew, hRgnLast, RGN_XOR);
        InvertRgnWithBrush(m_hDC, hRgnNew, hBrush);
    } else {
        if (hRgnLast != NULL)
            InvertRgnWithBrush(m_hDC, hRgnLast, hBrushLast);
        if (hRgnNew != NULL)
            InvertRgnWithBrush(m_hDC, hRgnNew, hBrush);
    }
    if (hRgnNew != NULL)
        ::DeleteObject(hRgnNew);
    if (hRgnLast != NULL)
        ::DeleteObject(hRgnLast);
    if (hHalftone != NULL)
        ::DeleteObject(hHalftone);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    return ::DrawIcon(m_hDC, point.x, point.y, hIcon);
}

CPoint CDC::MoveTo(int x, int y)
{
    CPoint point;
    ::MoveToEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return ::LineTo(m_hDC, point.x, point.y);
}

CPoint CDC::GetCurrentPosition() const
{
    CPoint point;
    ::GetCurrentPositionEx(m_hAttribDC, &point);
    return point;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    return ::Polygon(m_hDC, lpPoints, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::SetPixel(POINT point, COLORREF crColor)
{
    return ::SetPixel(m_hDC, point.x, point.y, crColor);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, x, y, crColor);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return ::GetPixel(m_hDC, point.x, point.y);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != NULL ? pSrcDC->m_hDC : NULL, xSrc,
                    ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != NULL ? pSrcDC->m_hDC : NULL,
                        xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

int CDC::StretchDIBits(int x, int y, int nWidth, int nHeight, int xSrc, int ySrc,
                       int nSrcWidth, int nSrcHeight, const void* lpBits,
                       const BITMAPINFO* lpBitsInfo, UINT nUsage, DWORD dwRop)
{
    return ::StretchDIBits(m_hDC, x, y, nWidth, nHeight, xSrc, ySrc, nSrcWidth, nSrcHeight,
                           lpBits, lpBitsInfo, nUsage, dwRop);
}
