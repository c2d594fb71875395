#include "framework/docview/ScrollView.h"

#include <limits.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = { 0, 0 };

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
END_MESSAGE_MAP()

namespace {

// The fixed mapping modes scale; the others count as pixels here.
BOOL IsScaledMapMode(int nMapMode)
{
    return nMapMode != MM_TEXT && nMapMode != MM_ISOTROPIC && nMapMode != MM_ANISOTROPIC;
}

// Converts points between the logical units of nMapMode and screen pixels.
void ConvertPoint(int nMapMode, POINT& pt, BOOL bToDevice)
{
    if (!IsScaledMapMode(nMapMode))
        return;
    CWindowDC dc(static_cast<HWND>(NULL));
    dc.SetMapMode(nMapMode);
    if (bToDevice)
        dc.LPtoDP(&pt);
    else
        dc.DPtoLP(&pt);
}

CSize LogicalToDevice(int nMapMode, SIZE size)
{
    CSize result(size.cx > 0 ? size.cx : 0, size.cy > 0 ? size.cy : 0);
    if (!IsScaledMapMode(nMapMode))
        return result;
    CWindowDC dc(static_cast<HWND>(NULL));
    dc.SetMapMode(nMapMode);
    dc.LPtoDP(&result);
    return result;
}

} // namespace

CScrollView::CScrollView()
    : m_nMapMode(MM_TEXT), m_bInUpdateBars(FALSE), m_nWheelRemainder(0)
{
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(sizeTotal.cx > 0 ? sizeTotal.cx : 0, sizeTotal.cy > 0 ? sizeTotal.cy : 0);
    m_totalDev = LogicalToDevice(nMapMode, m_totalLog);
    m_pageDev = LogicalToDevice(nMapMode, sizePage);
    m_lineDev = LogicalToDevice(nMapMode, sizeLine);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_lineDev.cx < 1)
        m_lineDev.cx = 1;
    if (m_lineDev.cy < 1)
        m_lineDev.cy = 1;
    if (m_hWnd != NULL)
        UpdateBars();
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    if (m_hWnd == NULL)
        return CPoint(0, 0);
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    ConvertPoint(m_nMapMode, pt, FALSE);
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    ConvertPoint(m_nMapMode, pt, TRUE);
    CPoint ptNow = GetDeviceScrollPosition();
    CSize limit = GetScrollLimit();
    LONG x = pt.x < 0 ? 0 : (pt.x > limit.cx ? limit.cx : pt.x);
    LONG y = pt.y < 0 ? 0 : (pt.y > limit.cy ? limit.cy : pt.y);
    OnScrollBy(CSize(x - ptNow.x, y - ptNow.y), TRUE);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    pDC->SetMapMode(m_nMapMode);
    if (pInfo == NULL && !pDC->IsPrinting())
    {
        CPoint pt = GetDeviceScrollPosition();
        pDC->SetViewportOrg(-pt.x, -pt.y);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

CSize CScrollView::GetScrollLimit() const
{
    CSize limit(0, 0);
    if (m_hWnd == NULL)
        return limit;
    SCROLLINFO si = { sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0 };
    if ((GetStyle() & WS_HSCROLL) && GetScrollInfo(SB_HORZ, &si))
        limit.cx = si.nMax - si.nMin + 1 - (int)si.nPage;
    si.nMin = si.nMax = 0;
    si.nPage = 0;
    if ((GetStyle() & WS_VSCROLL) && GetScrollInfo(SB_VERT, &si))
        limit.cy = si.nMax - si.nMin + 1 - (int)si.nPage;
    if (limit.cx < 0)
        limit.cx = 0;
    if (limit.cy < 0)
        limit.cy = 0;
    return limit;
}

void CScrollView::UpdateBars()
{
    if (m_hWnd == NULL || m_bInUpdateBars)
        return;
    m_bInUpdateBars = TRUE;

    // The client area as it would be without either bar.
    CRect rc;
    GetClientRect(&rc);
    DWORD dwStyle = GetStyle();
    int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    int cx = rc.Width() + ((dwStyle & WS_VSCROLL) ? cxBar : 0);
    int cy = rc.Height() + ((dwStyle & WS_HSCROLL) ? cyBar : 0);

    BOOL bNeedH = m_totalDev.cx > cx;
    BOOL bNeedV = m_totalDev.cy > cy;
    if (bNeedH && !bNeedV)
        bNeedV = m_totalDev.cy > cy - cyBar;
    if (bNeedV && !bNeedH)
        bNeedH = m_totalDev.cx > cx - cxBar;
    int cxClient = cx - (bNeedV ? cxBar : 0);
    int cyClient = cy - (bNeedH ? cyBar : 0);

    CPoint ptOld = GetDeviceScrollPosition();
    ShowScrollBar(SB_HORZ, bNeedH);
    ShowScrollBar(SB_VERT, bNeedV);

    // Range and page of one bar; its position held in the new range.
    auto setBar = [this](int nBar, BOOL bNeed, int nTotal, int nClient, int nOld) -> int {
        if (!bNeed)
        {
            SetScrollPos(nBar, 0, FALSE);
            return 0;
        }
        int nPos = nOld > nTotal - nClient ? nTotal - nClient : nOld;
        SCROLLINFO si = { sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, nTotal - 1,
                          (UINT)nClient, nPos, 0 };
        SetScrollInfo(nBar, &si, TRUE);
        return nPos;
    };
    CPoint ptNew(setBar(SB_HORZ, bNeedH, m_totalDev.cx, cxClient, ptOld.x),
                 setBar(SB_VERT, bNeedV, m_totalDev.cy, cyClient, ptOld.y));
    if (ptNew != ptOld)
        Invalidate(TRUE);
    m_bInUpdateBars = FALSE;
}

BOOL CScrollView::OnScroll(int nBar, UINT nSBCode, UINT nPos, BOOL bDoScroll)
{
    BOOL bHorz = nBar == SB_HORZ;
    int nLine = bHorz ? m_lineDev.cx : m_lineDev.cy;
    int nPage = bHorz ? m_pageDev.cx : m_pageDev.cy;
    int nCur = GetScrollPos(nBar);
    int nLimit = bHorz ? GetScrollLimit().cx : GetScrollLimit().cy;
    int nNew = nCur;
    switch (nSBCode)
    {
    case SB_LINEUP:
        nNew = nCur - nLine;
        break;
    case SB_LINEDOWN:
        nNew = nCur + nLine;
        break;
    case SB_PAGEUP:
        nNew = nCur - nPage;
        break;
    case SB_PAGEDOWN:
        nNew = nCur + nPage;
        break;
    case SB_TOP:
        nNew = 0;
        break;
    case SB_BOTTOM:
        nNew = nLimit;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        nNew = (int)nPos;
        break;
    default:
        return FALSE;
    }
    return OnScrollBy(bHorz ? CSize(nNew - nCur, 0) : CSize(0, nNew - nCur), bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    if (m_hWnd == NULL)
        return FALSE;
    CSize limit = GetScrollLimit();
    CPoint ptOld = GetDeviceScrollPosition();
    CPoint ptNew(ptOld.x + sizeScroll.cx, ptOld.y + sizeScroll.cy);
    ptNew.x = ptNew.x < 0 ? 0 : (ptNew.x > limit.cx ? limit.cx : ptNew.x);
    ptNew.y = ptNew.y < 0 ? 0 : (ptNew.y > limit.cy ? limit.cy : ptNew.y);
    if (ptNew == ptOld)
        return FALSE;
    if (bDoScroll)
    {
        SetScrollPos(SB_HORZ, ptNew.x, TRUE);
        SetScrollPos(SB_VERT, ptNew.y, TRUE);
        ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);
    }
    return TRUE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    OnScroll(SB_HORZ, nSBCode, nPos, TRUE);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    OnScroll(SB_VERT, nSBCode, nPos, TRUE);
}

LRESULT CScrollView::OnMouseWheel(WPARAM wParam, LPARAM)
{
    UINT nLinesPerNotch = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLinesPerNotch, 0);
    m_nWheelRemainder += (short)HIWORD(wParam);
    int nNotches = m_nWheelRemainder / WHEEL_DELTA;
    m_nWheelRemainder -= nNotches * WHEEL_DELTA;
    if (nNotches == 0 || nLinesPerNotch == 0)
        return 0;
    // A wheel scrolls the vertical bar; without one, the horizontal.
    BOOL bVert = (GetStyle() & WS_VSCROLL) != 0;
    int nLine = bVert ? m_lineDev.cy : m_lineDev.cx;
    int nAmount = nLinesPerNotch == WHEEL_PAGESCROLL
        ? (bVert ? m_pageDev.cy : m_pageDev.cx) * nNotches
        : nLine * (int)nLinesPerNotch * nNotches;
    OnScrollBy(bVert ? CSize(0, -nAmount) : CSize(-nAmount, 0), TRUE);
    return 0;
}
