#include <algorithm>
#include <cstdlib>
#include <vector>

#include "view/VertRuler.h"

#include "framework/windows/ScopedGdi.h"
#include "framework/windows/WndMessageMap.h"
#include "sheet/Sheet.h"
#include "sheet/document/TallyformDoc.h"
#include "view/RulerScale.h"
#include "view/TallyformView.h"

namespace
{
// How near an edge, in pixels, the pointer grabs it, and how far above
// the other band a dragged edge stops.
const int kEdgeGrip = 3;
const int kBandGap = 5;
}

IMPLEMENT_DYNAMIC(CVertRuler, CDialogBar)

BEGIN_MESSAGE_MAP(CVertRuler, CDialogBar)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
#ifndef EDITOR_BUILD
    // The editor cannot change a template: no band edge is dragged.
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
#endif
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CVertRuler::CVertRuler()
    : m_bDragging(0), m_bOnHeaderEdge(0), m_bOnTailEdge(0), m_nHeaderPos(0), m_nTailPos(0),
      m_nCursorY(-1)
{
}

// The bar's window goes with the control bar base.
CVertRuler::~CVertRuler()
{
    if (m_wndToolTip.m_hWnd != NULL)
        m_wndToolTip.DestroyWindow();
}

BOOL CVertRuler::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    if (!CDialogBar::Create(pParentWnd, nIDTemplate, nStyle, nID))
        return FALSE;
    // A bar without its tooltip still works.
    if (m_wndToolTip.Create(this, TTS_ALWAYSTIP))
        m_wndToolTip.AddTool(this, "Header");
    return TRUE;
}

void CVertRuler::ShowCursorLine(int y)
{
    MoveRulerCursorMark(this, FALSE, m_nCursorY, y);
}

BOOL CVertRuler::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.m_hWnd != NULL)
    {
        m_wndToolTip.RelayEvent(pMsg);
        m_wndToolTip.Activate(TRUE);
    }
    return CDialogBar::PreTranslateMessage(pMsg);
}

CString CVertRuler::GetTipText() const
{
    if (m_wndToolTip.m_hWnd == NULL)
        return CString();
    return m_wndToolTip.GetToolText(const_cast<CVertRuler*>(this));
}

void CVertRuler::SetTipText(LPCSTR lpszText)
{
    if (m_wndToolTip.m_hWnd != NULL)
        m_wndToolTip.UpdateTipText(lpszText, this);
}

CVertRuler::CBandFrame CVertRuler::GetBandFrame() const
{
    CBandFrame frame = {GetRulerView(this), 0, 0, 100};
    if (frame.pView == NULL)
        return frame;
    const CSheet* pSheet = frame.pView->GetSheet();
    frame.nZoom = frame.pView->GetZoom();
    frame.nScroll = frame.pView->GetDeviceScrollPosition().y;
    frame.nSheetHeight = (pSheet->m_rcBounds.bottom - pSheet->m_rcBounds.top) * frame.nZoom / 100;
    return frame;
}

void CVertRuler::UpdateBandPositions(const CBandFrame& frame)
{
    m_nHeaderPos = 0;
    m_nTailPos = 0;
    if (frame.pView == NULL)
        return;
    const CSheet* pSheet = frame.pView->GetSheet();
    m_nHeaderPos = pSheet->m_nHeaderBand * frame.nZoom / 100;
    m_nTailPos = pSheet->m_nTailBand * frame.nZoom / 100;
}

void CVertRuler::OnPaint()
{
    CRulerCanvas canvas(this);
    if (!canvas.IsReady())
        return;
    CBandFrame frame = GetBandFrame();
    UpdateBandPositions(frame);
    DrawBands(canvas.DC(), canvas.Size(), frame);
    DrawRulerScale(canvas.DC(), FALSE, canvas.Size(), frame.nScroll, 0, frame.nZoom);
    DrawRulerEdgeLines(canvas.DC(), FALSE, canvas.Size());
    if (m_nCursorY >= 0)
        DrawRulerCursorMark(canvas.DC(), FALSE, m_nCursorY, canvas.Size());
    canvas.Present();
}

void CVertRuler::DrawBands(CDC* pDC, CSize sizeClient, const CBandFrame& frame)
{
    // Without a view there is no sheet to show the bands of.
    if (frame.pView == NULL)
        return;
    int nWidth = sizeClient.cx - 5;
    int nEnd = frame.nSheetHeight - frame.nScroll;
    COLORREF clrBand = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->FillSolidRect(CRect(0, 0, nWidth, m_nHeaderPos - frame.nScroll), clrBand);
    if (m_nTailPos != 0)
    {
        pDC->FillSolidRect(CRect(0, nEnd - m_nTailPos, nWidth, nEnd), clrBand);
        return;
    }
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CScopedSelectObject select(*pDC, pen);
    pDC->MoveTo(0, nEnd);
    pDC->LineTo(nWidth, nEnd);
}

void CVertRuler::OnMouseMove(UINT, CPoint point)
{
#ifdef EDITOR_BUILD
    CBandFrame frame = GetBandFrame();
    if (frame.pView != NULL)
        ShowBandTip(point.y, frame);
#else
    ShowCursorLine(point.y);
    CBandFrame frame = GetBandFrame();
    if (frame.pView == NULL)
        return;
    if (!m_bDragging)
    {
        HitTestEdges(point.y, frame);
        return;
    }
    DragEdge(point.y, frame);
    ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
    WriteBandPositions();
    Invalidate(TRUE);
    UpdateWindow();
#endif
}

void CVertRuler::ShowBandTip(int y, const CBandFrame& frame)
{
    int nSheet = frame.nSheetHeight;
    int nScroll = frame.nScroll;
    // Near a band edge the tip keeps what it said.
    if (std::abs(y + nScroll - m_nHeaderPos) <= kEdgeGrip ||
        std::abs(y + nScroll - (nSheet - m_nTailPos)) <= kEdgeGrip)
        return;
    m_bOnHeaderEdge = 0;
    m_bOnTailEdge = 0;
    if (y < m_nHeaderPos - nScroll)
        SetTipText("Header");
    else if (y < nSheet - m_nTailPos - nScroll)
        SetTipText("Body");
    else if (y < nSheet - nScroll)
        SetTipText("Tail");
    else
        SetTipText("");
}

void CVertRuler::DragEdge(int y, const CBandFrame& frame)
{
    int nSheet = frame.nSheetHeight;
    // Stopping short of the other band never gives a negative height, even
    // when the other band already fills the sheet.
    if (m_bOnHeaderEdge)
    {
        m_nHeaderPos = std::max<int>(frame.nScroll + y, 0);
        if (m_nHeaderPos + m_nTailPos >= nSheet)
            m_nHeaderPos = std::max<int>(nSheet - m_nTailPos - kBandGap, 0);
        SetTipText("Change report header position");
    }
    if (m_bOnTailEdge)
    {
        m_nTailPos = std::max<int>(nSheet - frame.nScroll - y, 0);
        if (m_nTailPos + m_nHeaderPos >= nSheet)
            m_nTailPos = std::max<int>(nSheet - m_nHeaderPos - kBandGap, 0);
        SetTipText("Change report tail position");
    }
}

void CVertRuler::HitTestEdges(int y, const CBandFrame& frame)
{
    int nSheet = frame.nSheetHeight;
    int nScroll = frame.nScroll;
    m_bOnHeaderEdge = 0;
    m_bOnTailEdge = 0;
    if (std::abs(y + nScroll - m_nHeaderPos) <= kEdgeGrip)
    {
        m_bOnHeaderEdge = 1;
        ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
        SetTipText("Change report header position");
    }
    else if (std::abs(y + nScroll - (nSheet - m_nTailPos)) <= kEdgeGrip)
    {
        m_bOnTailEdge = 1;
        ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
        SetTipText("Change report tail position");
    }
    else if (y < m_nHeaderPos - nScroll)
        SetTipText("Header");
    else if (y >= nSheet - nScroll)
        SetTipText("");
    else if (y >= nSheet - m_nTailPos - nScroll)
        SetTipText("Tail");
    else
        SetTipText("Body");
}

void CVertRuler::OnLButtonDown(UINT, CPoint)
{
    if (!m_bOnHeaderEdge && !m_bOnTailEdge)
        return;
    m_bDragging = 1;
    SetCapture();
}

void CVertRuler::OnLButtonUp(UINT, CPoint)
{
    if (!m_bOnHeaderEdge && !m_bOnTailEdge)
        return;
    ReleaseCapture();
    m_bDragging = 0;
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    WriteBandPositions();
}

LRESULT CVertRuler::OnCaptureChanged(WPARAM wParam, LPARAM lParam)
{
    // The capture taken away (a menu, another window) ends a drag whose
    // button-up will never come; the edge stays where it was dragged.
    if ((HWND)lParam != m_hWnd)
        m_bDragging = 0;
    return CDialogBar::OnCaptureChanged(wParam, lParam);
}

void CVertRuler::WriteBandPositions()
{
    CTallyformView* pView = GetRulerView(this);
    if (pView == NULL)
        return;
    CSheet* pSheet = pView->GetSheet();
    int nZoom = pView->GetZoom();
    // Only the dragged band is written, and only when its edge has left the
    // place the stored height shows at: rewriting a height through the
    // zoom's rounding would change it without a move.
    BOOL bChanged = FALSE;
    auto write = [&](BYTE bDragged, int nPos, LONG& nHeight) {
        LONG nNew = (LONG)nPos * 100 / nZoom;
        if (bDragged && nPos != nHeight * nZoom / 100 && nNew != nHeight)
        {
            nHeight = nNew;
            bChanged = TRUE;
        }
    };
    write(m_bOnTailEdge, m_nTailPos, pSheet->m_nTailBand);
    write(m_bOnHeaderEdge, m_nHeaderPos, pSheet->m_nHeaderBand);
    if (bChanged)
        pView->GetDocument()->SetModifiedFlag(TRUE);
}

HBRUSH CVertRuler::OnCtlColor(CDC*, CWnd*, UINT)
{
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}
