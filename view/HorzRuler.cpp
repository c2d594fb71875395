#include <vector>

#include "view/HorzRuler.h"

#include "framework/windows/ScopedGdi.h"
#include "framework/windows/WndMessageMap.h"
#include "view/RulerScale.h"
#include "view/TallyformView.h"

IMPLEMENT_DYNAMIC(CHorzRuler, CDialogBar)

BEGIN_MESSAGE_MAP(CHorzRuler, CDialogBar)
    ON_WM_PAINT()
#ifndef EDITOR_BUILD
    // The editor's mark follows the pointer over the view only.
    ON_WM_MOUSEMOVE()
#endif
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CHorzRuler::CHorzRuler() : m_nCursorX(-1) {}

// The bar's window goes with the control bar base.
CHorzRuler::~CHorzRuler() {}

void CHorzRuler::ShowCursorLine(int x)
{
    CRect rect;
    GetClientRect(&rect);
    MoveRulerCursorMark(this, TRUE, m_nCursorX, x + rect.Height());
}

void CHorzRuler::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rect;
    GetClientRect(&rect);
    if (point.x > rect.Height())
        MoveRulerCursorMark(this, TRUE, m_nCursorX, point.x);
}

HBRUSH CHorzRuler::OnCtlColor(CDC*, CWnd*, UINT)
{
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CHorzRuler::OnPaint()
{
    CRulerCanvas canvas(this);
    if (!canvas.IsReady())
        return;
    CSize size = canvas.Size();
    CTallyformView* pView = GetRulerView(this);
    int nZoom = pView != NULL ? pView->GetZoom() : 100;
    int nScroll = pView != NULL ? pView->GetDeviceScrollPosition().x : 0;
    DrawRulerScale(canvas.DC(), TRUE, size, nScroll, size.cy, nZoom);
    DrawRulerEdgeLines(canvas.DC(), TRUE, size);
    DrawCorner(canvas.DC(), size.cy);
    if (m_nCursorX >= 0)
        DrawRulerCursorMark(canvas.DC(), TRUE, m_nCursorX, size);
    canvas.Present();
}

void CHorzRuler::DrawCorner(CDC* pDC, int nHeight)
{
    CRect rectCorner(0, 0, nHeight, nHeight);
    pDC->FillSolidRect(&rectCorner, ::GetSysColor(COLOR_BTNFACE));
    pDC->Draw3dRect(&rectCorner, ::GetSysColor(COLOR_BTNSHADOW),
                    ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect rectInner(1, 1, nHeight - 1, nHeight - 1);
    pDC->Draw3dRect(&rectInner, ::GetSysColor(COLOR_BTNHIGHLIGHT),
                    ::GetSysColor(COLOR_BTNSHADOW));
    CFont font;
#ifdef EDITOR_BUILD
    font.CreatePointFont(80, "Arial");
#else
    font.CreatePointFont(120, "Tahoma");
#endif
    CScopedSelectObject selectFont(*pDC, font);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText("cm", -1, &rectCorner, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
