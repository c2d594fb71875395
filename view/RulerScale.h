// The centimetre scale of the rulers and the drawing both rulers share:
// the scale, the inner edge lines and the XOR cursor mark.
#pragma once

#include <vector>

#include "framework/windows/Dc.h"

class CControlBar;
class CWnd;
class CTallyformView;

struct CRulerScaleMark
{
    int nPos;           // 0.1 mm from the ruler's start
    int nNumber;        // the centimetres it stands for
    BOOL bLabelled;     // even marks: full depth and numbered
};

struct CRulerScale
{
    int nStep;          // whole centimetres from one mark to the next
    int nSpacing;       // 0.1 mm from one mark to the next
    std::vector<CRulerScaleMark> marks;
};

// The marks along nLength (0.1 mm) scrolled by nScroll (0.1 mm) at nZoom
// per cent, the first position offset by nStart; nCmPixels is the pixel
// length of 1 cm at that zoom.
CRulerScale LayoutRulerScale(int nLength, int nScroll, int nStart, int nZoom, int nCmPixels);

// 0.1 mm logical units on pDC from its logical dpi (y downwards), so they
// agree with the framework's pixel and HIMETRIC conversions.
void SetTenthMillimetreMapping(CDC* pDC);

// Draws the scale of a ruler of client size sizeClient on pDC (pixels on
// entry and on return): along x when bHorz, scrolled by nScroll pixels,
// starting nStart pixels in.
void DrawRulerScale(CDC* pDC, BOOL bHorz, CSize sizeClient, int nScroll, int nStart, int nZoom);

// The button-face lines along a ruler's inner edge (1 pixel at 5 from the
// edge, 3 pixels at 2 from it).
void DrawRulerEdgeLines(CDC* pDC, BOOL bHorz, CSize sizeClient);

// The XOR cursor mark: a vertical line at x (bHorz) or a horizontal line
// at y over the whole client rectangle; drawing it twice removes it.
void DrawRulerCursorMark(CDC* pDC, BOOL bHorz, int nPos, CSize sizeClient);

// Removes the mark drawn at nStored (when 0 or more), draws one at nNew
// and stores it.
void MoveRulerCursorMark(CWnd* pBar, BOOL bHorz, int& nStored, int nNew);

// For a ruler's WM_PAINT: a white bitmap of its client size to paint into,
// copied to the window by Present, so the ruler never shows half drawn.
class CRulerCanvas
{
public:
    explicit CRulerCanvas(CWnd* pBar);
    ~CRulerCanvas();
    CRulerCanvas(const CRulerCanvas&) = delete;
    CRulerCanvas& operator=(const CRulerCanvas&) = delete;

    BOOL IsReady() const { return m_hOld != NULL; }
    CDC* DC() { return &m_dc; }
    CSize Size() const { return m_size; }
    void Present();

private:
    CPaintDC m_dcPaint;
    CSize m_size;
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hOld;
};

// The sheet view of the frame the bar belongs to, or NULL.
CTallyformView* GetRulerView(const CControlBar* pBar);
