// CDC, a device context, and the window DCs CPaintDC, CClientDC and
// CWindowDC that get and give back their DC in constructor and destructor.
// m_hAttribDC is kept equal to m_hDC: the framework draws and queries the
// same DC.  A CDC deletes its DC when destroyed unless it was detached; the
// window DCs release theirs instead.
#pragma once

#include "framework/core/String.h"
#include "framework/windows/GdiObject.h"

class CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    HDC m_hDC;
    HDC m_hAttribDC;
    // Set by the print loop's DCs; drawing code asks IsPrinting.
    BOOL m_bPrinting;

    CDC() noexcept : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE) {}
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const noexcept { return m_hDC; }
    HDC GetSafeHdc() const noexcept { return m_hDC; }
    static CDC* FromHandle(HDC hDC);
    // Takes ownership; FALSE when hDC is NULL.
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();

    BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                  const void* lpInitData);
    BOOL CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                  const void* lpInitData);
    // A memory DC like pDC, or like the screen when pDC is NULL.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL IsPrinting() const noexcept { return m_bPrinting; }

    int SaveDC();
    BOOL RestoreDC(int nSavedDC);

    // A print job on a printer DC; each returns what the GDI call returns
    // (above 0 on success).
    int StartDoc(LPDOCINFOA lpDocInfo);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    int SetAbortProc(ABORTPROC lpfn);
    int GetDeviceCaps(int nIndex) const;

    // Each returns the object it replaced (a temporary wrapper unless this
    // thread owns it), or NULL on failure.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    // Selects the region as the clip region: the region type, or ERROR.
    int SelectObject(CRgn* pRgn);
    CGdiObject* SelectStockObject(int nIndex);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    UINT SetTextAlign(UINT nFlags);
    UINT GetTextAlign() const;
    int SetROP2(int nDrawMode);
    int GetROP2() const;
    int SetStretchBltMode(int nStretchMode);
    int SetPolyFillMode(int nPolyFillMode);
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT point);

    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    CSize GetTextExtent(LPCWSTR lpszString, int nCount) const;
    CSize GetOutputTextExtent(const CString& str) const;
    CSize GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
                              LPINT lpnTabStopPositions) const;
    CSize GetTabbedTextExtent(const CString& str, int nTabPositions,
                              LPINT lpnTabStopPositions) const;
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
    int GetTextFace(int nCount, LPTSTR lpszFacename) const;
    int GetTextFace(CString& rString) const;
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                    LPINT lpDxWidths);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                    LPINT lpDxWidths);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCWSTR lpszString, UINT nCount,
                    LPINT lpDxWidths);
    // The text's height in logical units, or 0 on failure; nCount -1 for a
    // '\0'-terminated string.
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    int DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);

    // Both leave the background colour set to clr.
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void InvertRect(LPCRECT lpRect);
    // One-pixel edges: the top and left in clrTopLeft, the right and bottom in clrBottomRight.
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
    void DrawFocusRect(LPCRECT lpRect);
    // Inverts the frame of lpRect size thick, erasing the frame of lpRectLast
    // (sizeLast thick) in the same pass; lpRectLast NULL draws only.  The
    // brushes default to a halftone pattern.
    void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast,
                      CBrush* pBrush = NULL, CBrush* pBrushLast = NULL);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon);

    // The previous current position.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);

    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF SetPixel(POINT point, COLORREF crColor);
    BOOL SetPixelV(int x, int y, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const;

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    // The number of scan lines copied, 0 on failure.
    int StretchDIBits(int x, int y, int nWidth, int nHeight, int xSrc, int ySrc, int nSrcWidth,
                      int nSrcHeight, const void* lpBits, const BITMAPINFO* lpBitsInfo,
                      UINT nUsage, DWORD dwRop);

    // The clipping calls return the new clip region's type, or ERROR.
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect);
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect);
    // pRgn NULL removes the clip region.
    int SelectClipRgn(CRgn* pRgn);
    int SelectClipRgn(CRgn* pRgn, int nMode);
    int GetClipBox(LPRECT lpRect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(LPCRECT lpRect) const;

    int SetMapMode(int nMapMode);
    int GetMapMode() const;
    // Each setter returns the previous value.
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point);
    CPoint GetWindowOrg() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size);
    CSize GetWindowExt() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point);
    CPoint GetViewportOrg() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size);
    CSize GetViewportExt() const;
    CPoint OffsetWindowOrg(int nWidth, int nHeight);
    CPoint OffsetViewportOrg(int nWidth, int nHeight);

    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    // A size converts as a distance: both members come out non-negative.
    void LPtoDP(LPSIZE lpSize) const;
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;
    void DPtoLP(LPSIZE lpSize) const;
    // Between hundredths of a millimetre and device pixels (non-negative).
    void HIMETRICtoDP(LPSIZE lpSize) const;
    void DPtoHIMETRIC(LPSIZE lpSize) const;
};

class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    PAINTSTRUCT m_ps;

    explicit CPaintDC(HWND hWnd);
    // Any window class with GetSafeHwnd (a CWnd); a literal NULL picks the HWND form.
    template <class TWnd>
    explicit CPaintDC(TWnd* pWnd) : CPaintDC(pWnd != NULL ? pWnd->GetSafeHwnd() : (HWND)NULL)
    {
    }
    virtual ~CPaintDC();

protected:
    HWND m_hWnd;
};

class CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    // hWnd NULL gives a DC of the whole screen.
    explicit CClientDC(HWND hWnd);
    // Any window class with GetSafeHwnd (a CWnd); a literal NULL picks the HWND form.
    template <class TWnd>
    explicit CClientDC(TWnd* pWnd) : CClientDC(pWnd != NULL ? pWnd->GetSafeHwnd() : (HWND)NULL)
    {
    }
    virtual ~CClientDC();

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    // hWnd NULL gives a DC of the whole screen.
    explicit CWindowDC(HWND hWnd);
    // Any window class with GetSafeHwnd (a CWnd); a literal NULL picks the HWND form.
    template <class TWnd>
    explicit CWindowDC(TWnd* pWnd) : CWindowDC(pWnd != NULL ? pWnd->GetSafeHwnd() : (HWND)NULL)
    {
    }
    virtual ~CWindowDC();

protected:
    HWND m_hWnd;
};
