// CGdiObject and its typed wrappers: CPen, CBrush, CFont, CBitmap, CPalette
// and CRgn.  A wrapper owns its handle and deletes it when destroyed,
// unless the handle was taken back with Detach.
//
// FromHandle gives the wrapper that owns a handle in this thread (one that
// was created or attached here); for any other handle it makes a temporary
// wrapper that does not own the handle.  Temporary wrappers, of GDI objects
// and of device contexts alike, live until AfxDeleteTempGdiObjects, which
// the idle loop calls: a pointer from FromHandle or from CDC::SelectObject
// must not be kept across messages.
#pragma once

#include "framework/core/Object.h"
#include "framework/windows/Geometry.h"

#include <commctrl.h>

class CBitmap;
class CDC;

class CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject;

    CGdiObject() noexcept : m_hObject(NULL) {}
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    operator HGDIOBJ() const noexcept { return m_hObject; }
    HGDIOBJ GetSafeHandle() const noexcept { return m_hObject; }

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    // Takes ownership; FALSE when hObject is NULL.  The wrapper must be empty.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the handle; FALSE when there was none or GDI refused.
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();
};

class CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen() noexcept {}
    // These throw CMemoryException* when GDI cannot make the pen.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
         const DWORD* lpStyle = NULL);

    static CPen* FromHandle(HPEN hPen);
    operator HPEN() const noexcept { return (HPEN)m_hObject; }

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                   const DWORD* lpStyle = NULL);
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
    int GetLogPen(LOGPEN* pLogPen) const;
    int GetExtLogPen(EXTLOGPEN* pLogPen) const;
};

class CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() noexcept {}
    // These throw CMemoryException* when GDI cannot make the brush.
    explicit CBrush(COLORREF crColor);
    CBrush(int nIndex, COLORREF crColor);
    explicit CBrush(CBitmap* pBitmap);

    static CBrush* FromHandle(HBRUSH hBrush);
    operator HBRUSH() const noexcept { return (HBRUSH)m_hObject; }

    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    // A brush of a system colour: GDI owns it, so DeleteObject does nothing to it.
    BOOL CreateSysColorBrush(int nIndex);
    int GetLogBrush(LOGBRUSH* pLogBrush) const;
};

class CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    CFont() noexcept {}

    static CFont* FromHandle(HFONT hFont);
    operator HFONT() const noexcept { return (HFONT)m_hObject; }

    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                    BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    // nPointSize in tenths of a point, converted to the logical units of pDC
    // (of the screen when pDC is NULL).
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = NULL);
    // As CreatePointFont, with lfHeight in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = NULL);
    int GetLogFont(LOGFONT* pLogFont) const;
};

class CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() noexcept {}

    static CBitmap* FromHandle(HBITMAP hBitmap);
    operator HBITMAP() const noexcept { return (HBITMAP)m_hObject; }

    // From the resources of AfxGetResourceHandle().
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadOEMBitmap(UINT nIDBitmap);
    // A bitmap whose black, greys and white become the button colours of the
    // user's scheme, or the colours lpColorMap maps them to.
    BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP lpColorMap = NULL,
                          int nMapSize = 0);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
};

class CPalette : public CGdiObject
{
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() noexcept {}

    static CPalette* FromHandle(HPALETTE hPalette);
    operator HPALETTE() const noexcept { return (HPALETTE)m_hObject; }

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    UINT GetNearestPaletteIndex(COLORREF crColor) const;
    BOOL ResizePalette(UINT nNumEntries);
};

class CRgn : public CGdiObject
{
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn() noexcept {}

    static CRgn* FromHandle(HRGN hRgn);
    operator HRGN() const noexcept { return (HRGN)m_hObject; }

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
    void SetRectRgn(int x1, int y1, int x2, int y2);
    void SetRectRgn(LPCRECT lpRect);
    // Both regions must exist, and this one too: as ::CombineRgn, the result
    // type (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc);
    BOOL EqualRgn(const CRgn* pRgn) const;
    int OffsetRgn(int x, int y);
    int OffsetRgn(POINT point);
    int GetRgnBox(LPRECT lpRect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const;
    BOOL RectInRegion(LPCRECT lpRect) const;
};

// Deletes this thread's temporary wrappers of GDI objects and DCs (never
// their handles).
void AfxDeleteTempGdiObjects();
// How many temporary wrappers this thread holds now.
int AfxGetTempGdiObjectCount();

// The per-thread handle maps behind FromHandle, shared by CGdiObject and CDC.
namespace AfxGdiHandleMap
{
enum Kind { gdiObject, deviceContext };
CObject* LookupPermanent(Kind kind, void* hHandle);
void SetPermanent(Kind kind, void* hHandle, CObject* pObject);
// Only when hHandle is still mapped to pObject.
void RemovePermanent(Kind kind, void* hHandle, CObject* pObject);
// A permanent or temporary wrapper of hHandle, or NULL.
CObject* Lookup(Kind kind, void* hHandle);
// pfnRelease clears the wrapper's handle before the wrapper is deleted.
void AddTemporary(Kind kind, void* hHandle, CObject* pObject, void (*pfnRelease)(CObject*));
}
