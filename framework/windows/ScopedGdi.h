// Scoped GDI wrappers: each undoes in its destructor what its constructor
// did, so drawing code needs no hand-written cleanup on every return path.
#pragma once

#include "framework/windows/Dc.h"

// Saves the DC's whole state and restores it at the end of the scope.
class CScopedSaveDC
{
public:
    explicit CScopedSaveDC(HDC hDC) : m_hDC(hDC), m_nSaved(::SaveDC(hDC)) {}
    explicit CScopedSaveDC(CDC& dc) : CScopedSaveDC(dc.m_hDC) {}
    ~CScopedSaveDC()
    {
        if (m_nSaved != 0)
            ::RestoreDC(m_hDC, m_nSaved);
    }
    CScopedSaveDC(const CScopedSaveDC&) = delete;
    CScopedSaveDC& operator=(const CScopedSaveDC&) = delete;

    // 0 when SaveDC failed (then nothing is restored).
    int GetSavedState() const { return m_nSaved; }

private:
    HDC m_hDC;
    int m_nSaved;
};

// Selects an object into a DC and selects back the one it replaced at the
// end of the scope.  The object must outlive the guard.
class CScopedSelectObject
{
public:
    CScopedSelectObject(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hOld(hObject != NULL ? ::SelectObject(hDC, hObject) : NULL)
    {
    }
    CScopedSelectObject(CDC& dc, CGdiObject& object)
        : CScopedSelectObject(dc.m_hDC, object.m_hObject)
    {
    }
    CScopedSelectObject(CDC& dc, CGdiObject* pObject)
        : CScopedSelectObject(dc.m_hDC, pObject != NULL ? pObject->m_hObject : NULL)
    {
    }
    ~CScopedSelectObject()
    {
        if (m_hOld != NULL && m_hOld != HGDI_ERROR)
            ::SelectObject(m_hDC, m_hOld);
    }
    CScopedSelectObject(const CScopedSelectObject&) = delete;
    CScopedSelectObject& operator=(const CScopedSelectObject&) = delete;

    // FALSE when the selection failed (then nothing is selected back).
    BOOL IsSelected() const { return m_hOld != NULL && m_hOld != HGDI_ERROR; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Selects a palette and selects back the previous one at the end of the scope.
class CScopedSelectPalette
{
public:
    CScopedSelectPalette(HDC hDC, HPALETTE hPalette, BOOL bForceBackground)
        : m_hDC(hDC), m_hOld(::SelectPalette(hDC, hPalette, bForceBackground)),
          m_bForceBackground(bForceBackground)
    {
    }
    ~CScopedSelectPalette()
    {
        if (m_hOld != NULL)
            ::SelectPalette(m_hDC, m_hOld, m_bForceBackground);
    }
    CScopedSelectPalette(const CScopedSelectPalette&) = delete;
    CScopedSelectPalette& operator=(const CScopedSelectPalette&) = delete;

private:
    HDC m_hDC;
    HPALETTE m_hOld;
    BOOL m_bForceBackground;
};

// Owns a raw GDI object handle and deletes it at the end of the scope.
class CScopedGdiObject
{
public:
    explicit CScopedGdiObject(HGDIOBJ hObject = NULL) : m_hObject(hObject) {}
    ~CScopedGdiObject()
    {
        if (m_hObject != NULL)
            ::DeleteObject(m_hObject);
    }
    CScopedGdiObject(const CScopedGdiObject&) = delete;
    CScopedGdiObject& operator=(const CScopedGdiObject&) = delete;

    HGDIOBJ Get() const { return m_hObject; }
    HGDIOBJ Release()
    {
        HGDIOBJ hObject = m_hObject;
        m_hObject = NULL;
        return hObject;
    }

private:
    HGDIOBJ m_hObject;
};

// A memory DC compatible with hDC (the screen when NULL), deleted at the end
// of the scope.
class CScopedMemoryDC
{
public:
    explicit CScopedMemoryDC(HDC hDC) : m_hDC(::CreateCompatibleDC(hDC)) {}
    ~CScopedMemoryDC()
    {
        if (m_hDC != NULL)
            ::DeleteDC(m_hDC);
    }
    CScopedMemoryDC(const CScopedMemoryDC&) = delete;
    CScopedMemoryDC& operator=(const CScopedMemoryDC&) = delete;

    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// The metrics of the font a window draws its text in (its WM_GETFONT
// font, the DC's own without one); FALSE when they cannot be read.
inline BOOL GetWindowFontMetrics(HWND hWnd, TEXTMETRICA& tm)
{
    HDC hDC = ::GetDC(hWnd);
    if (hDC == NULL)
        return FALSE;
    BOOL bRead;
    {
        CScopedSelectObject select(hDC, reinterpret_cast<HGDIOBJ>(::SendMessageA(hWnd, WM_GETFONT, 0, 0)));
        bRead = ::GetTextMetricsA(hDC, &tm);
    }
    ::ReleaseDC(hWnd, hDC);
    return bRead;
}

// A 32-bit top-down DIB section of cx by cy pixels, whose bits (alpha
// included) can be read and written at *ppBits; NULL on failure.
inline HBITMAP CreateTopDownDib(HDC hDC, int cx, int cy, void** ppBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    *ppBits = NULL;
    return ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, ppBits, NULL, 0);
}
