#include "framework/ole/OleResizeBar.h"

#include <algorithm>

#include "framework/ole/OleIPFrameWnd.h"
#include "framework/windows/Dc.h"
#include "framework/windows/ScopedGdi.h"
#include "framework/windows/WndMessageMap.h"

IMPLEMENT_DYNAMIC(COleResizeBar, CWnd)

BEGIN_MESSAGE_MAP(COleResizeBar, CWnd)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace
{

const int kHandle = COleResizeBar::kBorderWidth + 2;

} // namespace

COleResizeBar::COleResizeBar() : m_nTracking(0), m_ptStart(0, 0)
{
}

BOOL COleResizeBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    CRect rect(0, 0, 0, 0);
    if (pParentWnd != NULL && pParentWnd->GetSafeHwnd() != NULL)
        pParentWnd->GetClientRect(&rect);
    LPCSTR lpszClass = AfxRegisterWndClass(0, NULL, NULL);
    return CWnd::Create(lpszClass, NULL, dwStyle, rect, pParentWnd, nID);
}

UINT COleResizeBar::HitTestEdges(CPoint point) const
{
    CRect rect;
    GetClientRect(&rect);
    if (!rect.PtInRect(point))
        return 0;
    UINT nEdges = 0;
    if (point.x < rect.left + kBorderWidth)
        nEdges |= kLeft;
    else if (point.x >= rect.right - kBorderWidth)
        nEdges |= kRight;
    if (point.y < rect.top + kBorderWidth)
        nEdges |= kTop;
    else if (point.y >= rect.bottom - kBorderWidth)
        nEdges |= kBottom;
    return nEdges;
}

void COleResizeBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    // A diagonal hatch in the border, solid handles at the corners and the
    // middles of the edges.
    {
        CScopedGdiObject hatch(::CreateHatchBrush(HS_BDIAGONAL, ::GetSysColor(COLOR_WINDOWFRAME)));
        CScopedSaveDC save(dc);
        ::SetBkMode(dc.m_hDC, OPAQUE);
        ::SetBkColor(dc.m_hDC, ::GetSysColor(COLOR_WINDOW));
        const RECT edges[4] = {
            { rect.left, rect.top, rect.right, rect.top + kBorderWidth },
            { rect.left, rect.bottom - kBorderWidth, rect.right, rect.bottom },
            { rect.left, rect.top, rect.left + kBorderWidth, rect.bottom },
            { rect.right - kBorderWidth, rect.top, rect.right, rect.bottom },
        };
        for (const RECT& edge : edges)
            ::FillRect(dc.m_hDC, &edge, (HBRUSH)hatch.Get());
    }

    HBRUSH hHandle = ::GetSysColorBrush(COLOR_WINDOWFRAME);
    const int xs[3] = { rect.left, (rect.left + rect.right - kHandle) / 2, rect.right - kHandle };
    const int ys[3] = { rect.top, (rect.top + rect.bottom - kHandle) / 2, rect.bottom - kHandle };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
        {
            if (i == 1 && j == 1)
                continue;
            RECT handle = { xs[i], ys[j], xs[i] + kHandle, ys[j] + kHandle };
            ::FillRect(dc.m_hDC, &handle, hHandle);
        }
}

BOOL COleResizeBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT)
{
    if (pWnd != this || nHitTest != HTCLIENT)
        return (BOOL)Default();
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    UINT nEdges = HitTestEdges(point);
    LPCSTR lpszCursor = IDC_ARROW;
    if ((nEdges & (kLeft | kTop)) == (kLeft | kTop) || (nEdges & (kRight | kBottom)) == (kRight | kBottom))
        lpszCursor = IDC_SIZENWSE;
    else if ((nEdges & (kRight | kTop)) == (kRight | kTop) || (nEdges & (kLeft | kBottom)) == (kLeft | kBottom))
        lpszCursor = IDC_SIZENESW;
    else if (nEdges & (kLeft | kRight))
        lpszCursor = IDC_SIZEWE;
    else if (nEdges & (kTop | kBottom))
        lpszCursor = IDC_SIZENS;
    ::SetCursor(::LoadCursorA(NULL, lpszCursor));
    return TRUE;
}

void COleResizeBar::OnLButtonDown(UINT, CPoint point)
{
    m_nTracking = HitTestEdges(point);
    if (m_nTracking == 0)
        return;
    m_ptStart = point;
    ClientToScreen(&m_ptStart);
    SetCapture();
}

void COleResizeBar::OnLButtonUp(UINT, CPoint point)
{
    if (m_nTracking == 0)
        return;
    UINT nEdges = m_nTracking;
    m_nTracking = 0;
    ReleaseCapture();
    ClientToScreen(&point);
    int dx = point.x - m_ptStart.x;
    int dy = point.y - m_ptStart.y;
    if (dx == 0 && dy == 0)
        return;

    // The frame's new rectangle in its parent's coordinates.
    CWnd* pParent = GetParent();
    COleIPFrameWnd* pFrame = dynamic_cast<COleIPFrameWnd*>(pParent);
    if (pFrame == NULL)
        return;
    CRect rect;
    pFrame->GetWindowRect(&rect);
    HWND hOuter = ::GetParent(pFrame->m_hWnd);
    ::MapWindowPoints(NULL, hOuter, reinterpret_cast<POINT*>(&rect), 2);
    if (nEdges & kLeft)
        rect.left = std::min<int>(rect.left + dx, rect.right - 2 * kBorderWidth);
    if (nEdges & kRight)
        rect.right = std::max<int>(rect.right + dx, rect.left + 2 * kBorderWidth);
    if (nEdges & kTop)
        rect.top = std::min<int>(rect.top + dy, rect.bottom - 2 * kBorderWidth);
    if (nEdges & kBottom)
        rect.bottom = std::max<int>(rect.bottom + dy, rect.top + 2 * kBorderWidth);
    pFrame->OnResizeBarTracked(rect);
}
