#include <vector>

#include "view/HorzRuler.h"

#include "framework/windows/ScopedGdi.h"
#include "framework/windows/WndMessageMap.h"
#include "view/RulerScale.h"
#include "view/TallyformView.h"

IMPLEMENT_DYNAMIC(CHorzRuler, CDialogBar)

BEGIN_MESSAGE_MAP(CHorzRuler, CDialogBar)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
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
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(&dc) ||
        !bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height()))
        return;
    CScopedSelectObject selectBitmap(dcMem, bitmap);
    dcMem.FillSolidRect(&rect, RGB(255, 255, 255));
    CTallyformView* pView = GetRulerView(this);
    int nZoom = pView != NULL ? pView->GetZoom() : 100;
    int nScroll = pView != NULL ? pView->GetDeviceScrollPosition().x : 0;
    DrawRulerScale(&dcMem, TRUE, rect.Size(), nScroll, rect.Height(), nZoom);
    DrawRulerEdgeLines(&dcMem, TRUE, rect.Size());
    DrawCorner(&dcMem, rect.Height());
    if (m_nCursorX >= 0)
        DrawRulerCursorMark(&dcMem, TRUE, m_nCursorX, rect.Size());
    dc.BitBlt(0, 0, rect.Width(), rect.Height(), &dcMem, 0, 0, SRCCOPY);
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
    font.CreatePointFont(120, "Tahoma");
    CScopedSelectObject selectFont(*pDC, font);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText("cm", -1, &rectCorner, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
