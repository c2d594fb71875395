#include <algorithm>

#include "view/RulerScale.h"

#include "framework/docview/ControlBar.h"
#include "framework/docview/FrameWnd.h"
#include "framework/windows/Wnd.h"
#include "framework/windows/ScopedGdi.h"
#include "view/TallyformView.h"

namespace
{
// Label offset from its mark and the vertical labels' height, 0.1 mm.
const int kLabelGap = 5;
const int kVertLabelHeight = 30;

int PixelsToTenthMillimetres(const CDC* pDC, int nPixels, BOOL bHorz)
{
    CSize size(nPixels, nPixels);
    pDC->DPtoHIMETRIC(&size);
    return (bHorz ? size.cx : size.cy) / 10;
}

void DrawScaleLine(CDC* pDC, BOOL bHorz, int nPos, int nFrom, int nTo)
{
    if (bHorz)
    {
        pDC->MoveTo(nPos, nFrom);
        pDC->LineTo(nPos, nTo);
    }
    else
    {
        pDC->MoveTo(nFrom, nPos);
        pDC->LineTo(nTo, nPos);
    }
}

void DrawLabel(CDC* pDC, BOOL bHorz, int nPos, int nNumber, int nTextHeight)
{
    CString strNumber;
    strNumber.Format("%d", nNumber);
    if (bHorz)
    {
        pDC->TextOut(nPos + kLabelGap, 0, strNumber);
        return;
    }
    // Turned a quarter clockwise, the text runs down from its reference
    // point and its body lies left of it: the point goes one text height
    // in from the edge so the label starts just below its mark.
    pDC->TextOut(nTextHeight, nPos + kLabelGap, strNumber);
}

BOOL CreateLabelFont(CFont& font, BOOL bHorz)
{
#ifdef EDITOR_BUILD
    const char* const pszFace = "Arial";
#else
    const char* const pszFace = "Tahoma";
#endif
    if (bHorz)
        return font.CreatePointFont(200, pszFace);
    return font.CreateFont(-kVertLabelHeight, 0, -900, -900, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_LH_ANGLES,
                           DEFAULT_QUALITY, DEFAULT_PITCH, pszFace);
}
}

CRulerScale LayoutRulerScale(int nLength, int nScroll, int nStart, int nZoom, int nCmPixels)
{
    CRulerScale scale;
    if (nCmPixels <= 0)
        nCmPixels = 1;
    scale.nStep = std::max<int>(40 / nCmPixels, 1);
    scale.nSpacing = std::max<int>(scale.nStep * nZoom, 1);
    int nFirst = nScroll / scale.nSpacing;
    int nCount = nLength / scale.nSpacing + 1;
    int nPos = (nScroll > 0 ? nFirst * scale.nSpacing - nScroll : 0) + nStart;
    for (int i = 1; i <= nCount; ++i)
    {
        nPos += scale.nSpacing;
        int nIndex = nFirst + i;
        scale.marks.push_back({nPos, nIndex * scale.nStep, nIndex % 2 == 0});
    }
    return scale;
}

void SetTenthMillimetreMapping(CDC* pDC)
{
    // MM_LOMETRIC under Wine follows the screen's physical size, not its
    // logical dpi; 254 tenths of a millimetre to the inch.
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(254, 254);
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
}

void DrawRulerScale(CDC* pDC, BOOL bHorz, CSize sizeClient, int nScroll, int nStart, int nZoom)
{
    int nLength = PixelsToTenthMillimetres(pDC, bHorz ? sizeClient.cx : sizeClient.cy, bHorz);
    int nDepth =
        PixelsToTenthMillimetres(pDC, (bHorz ? sizeClient.cy : sizeClient.cx) - 5, !bHorz);
    int nScrollUnits = PixelsToTenthMillimetres(pDC, nScroll, bHorz);
    int nStartUnits = PixelsToTenthMillimetres(pDC, nStart, bHorz);
    CSize sizeCm(nZoom * 10, nZoom * 10);
    pDC->HIMETRICtoDP(&sizeCm);
    CRulerScale scale = LayoutRulerScale(nLength, nScrollUnits, nStartUnits, nZoom,
                                         bHorz ? sizeCm.cx : sizeCm.cy);

    CScopedSaveDC saved(*pDC);
    SetTenthMillimetreMapping(pDC);
    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    CFont font;
    CreateLabelFont(font, bHorz);
    CScopedSelectObject selectPen(*pDC, pen);
    CScopedSelectObject selectFont(*pDC, font);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextAlign(TA_LEFT | TA_TOP);
    TEXTMETRIC tm = {};
    pDC->GetTextMetrics(&tm);
    int nTextHeight = std::min<int>(tm.tmHeight, nDepth);
    for (const CRulerScaleMark& mark : scale.marks)
    {
        if (mark.bLabelled)
        {
            DrawScaleLine(pDC, bHorz, mark.nPos, 0, nDepth);
            DrawLabel(pDC, bHorz, mark.nPos, mark.nNumber, nTextHeight);
        }
        else
            DrawScaleLine(pDC, bHorz, mark.nPos, nDepth / 2, nDepth);
        if (scale.nStep == 1)
            for (int k = 0; k < 5; ++k)
                DrawScaleLine(pDC, bHorz, mark.nPos - k * scale.nSpacing / 5, nDepth * 3 / 4,
                              nDepth);
    }
}

void DrawRulerEdgeLines(CDC* pDC, BOOL bHorz, CSize sizeClient)
{
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    int nDepth = bHorz ? sizeClient.cy : sizeClient.cx;
    int nLength = bHorz ? sizeClient.cx : sizeClient.cy;
    CPen penThin(PS_SOLID, 1, clrFace);
    CPen penThick(PS_SOLID, 3, clrFace);
    {
        CScopedSelectObject select(*pDC, penThin);
        DrawScaleLine(pDC, !bHorz, nDepth - 5, 0, nLength);
    }
    CScopedSelectObject select(*pDC, penThick);
    DrawScaleLine(pDC, !bHorz, nDepth - 2, 0, nLength);
}

void DrawRulerCursorMark(CDC* pDC, BOOL bHorz, int nPos, CSize sizeClient)
{
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CScopedSelectObject select(*pDC, pen);
    int nOldRop = pDC->SetROP2(R2_XORPEN);
    DrawScaleLine(pDC, bHorz, nPos, 0, bHorz ? sizeClient.cy : sizeClient.cx);
    pDC->SetROP2(nOldRop);
}

void MoveRulerCursorMark(CWnd* pBar, BOOL bHorz, int& nStored, int nNew)
{
    if (pBar->GetSafeHwnd() == NULL)
        return;
    CRect rect;
    pBar->GetClientRect(&rect);
    CClientDC dc(pBar);
    if (nStored >= 0)
        DrawRulerCursorMark(&dc, bHorz, nStored, rect.Size());
    DrawRulerCursorMark(&dc, bHorz, nNew, rect.Size());
    nStored = nNew;
}

CRulerCanvas::CRulerCanvas(CWnd* pBar) : m_dcPaint(pBar), m_size(0, 0), m_hOld(NULL)
{
    CRect rect;
    pBar->GetClientRect(&rect);
    m_size = rect.Size();
    if (!m_dc.CreateCompatibleDC(&m_dcPaint) ||
        !m_bitmap.CreateCompatibleBitmap(&m_dcPaint, m_size.cx, m_size.cy))
        return;
    m_hOld = ::SelectObject(m_dc.m_hDC, m_bitmap.m_hObject);
    m_dc.FillSolidRect(0, 0, m_size.cx, m_size.cy, RGB(255, 255, 255));
}

CRulerCanvas::~CRulerCanvas()
{
    if (m_hOld != NULL)
        ::SelectObject(m_dc.m_hDC, m_hOld);
}

void CRulerCanvas::Present()
{
    if (IsReady())
        m_dcPaint.BitBlt(0, 0, m_size.cx, m_size.cy, &m_dc, 0, 0, SRCCOPY);
}

CTallyformView* GetRulerView(const CControlBar* pBar)
{
    CFrameWnd* pFrame = pBar->GetSafeHwnd() != NULL ? pBar->GetParentFrame() : NULL;
    if (pFrame == NULL)
        return NULL;
    CTallyformView* pView = dynamic_cast<CTallyformView*>(pFrame->GetActiveView());
    return pView != NULL && pView->GetSheet() != NULL ? pView : NULL;
}
