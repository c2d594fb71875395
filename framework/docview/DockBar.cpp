#include <algorithm>
#include <climits>

#include "framework/docview/DockBar.h"

#include "framework/docview/FrameWnd.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = (dwStyle & CBRS_ALL) | (m_bFloating ? CBRS_FLOATING : 0);
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    DWORD dwWndStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!CWnd::Create(lpszClass, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetOwner(pParentWnd);
    return TRUE;
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i] != NULL)
            ++nCount;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i] != NULL && static_cast<CControlBar*>(m_arrBars[i])->IsVisible())
            ++nCount;
    return nCount;
}

int CDockBar::GetRowOf(const CControlBar* pBar) const
{
    int nRow = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (m_arrBars[i] == pBar)
            return nRow;
        if (m_arrBars[i] == NULL)
            ++nRow;
    }
    return -1;
}

CRect CDockBar::GetBarRect(CControlBar* pBar) const
{
    CRect rect;
    pBar->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld == this)
        RemoveControlBar(pBar);
    ::SetParent(pBar->m_hWnd, m_hWnd);
    // The old dock bar may take its emptied mini frame with it.
    if (pOld != NULL && pOld != this)
        pOld->RemoveControlBar(pBar);
    pBar->m_pDockBar = this;

    DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | (m_bFloating ? CBRS_FLOATING : 0);
    pBar->SetBarStyle(dwStyle);

    BOOL bHorz = IsHorz();
    INT_PTR nInsert = m_arrBars.GetSize();
    BOOL bNewRow = TRUE;
    CPoint ptPlace(0, 0);
    if (lpRect != NULL)
    {
        CRect rect = *lpRect;
        ScreenToClient(&rect);
        ptPlace = rect.TopLeft();
        int nCross = bHorz ? rect.top : rect.left;
        int nAlong = bHorz ? rect.left : rect.top;
        // Find the row whose span holds the rectangle's leading edge.
        INT_PTR nRowStart = 0;
        for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        {
            if (m_arrBars[i] != NULL)
                continue;
            int nLow = INT_MAX, nHigh = INT_MIN;
            for (INT_PTR j = nRowStart; j < i; ++j)
            {
                CRect rectBar = GetBarRect(static_cast<CControlBar*>(m_arrBars[j]));
                nLow = std::min<int>(nLow, bHorz ? rectBar.top : rectBar.left);
                nHigh = std::max<int>(nHigh, bHorz ? rectBar.bottom : rectBar.right);
            }
            if (nCross >= nLow && nCross < nHigh)
            {
                nInsert = i;
                for (INT_PTR j = nRowStart; j < i; ++j)
                {
                    CRect rectBar = GetBarRect(static_cast<CControlBar*>(m_arrBars[j]));
                    if ((bHorz ? rectBar.left : rectBar.top) > nAlong)
                    {
                        nInsert = j;
                        break;
                    }
                }
                bNewRow = FALSE;
                break;
            }
            if (nLow != INT_MAX && nCross < nLow)
            {
                nInsert = nRowStart;
                break;
            }
            nRowStart = i + 1;
        }
    }
    m_arrBars.InsertAt(nInsert, pBar);
    if (bNewRow)
        m_arrBars.InsertAt(nInsert + 1, (void*)NULL);
    // Its place along the row; the layout sets the rest.
    pBar->m_nDockPlace = bHorz ? ptPlace.x : ptPlace.y;
    ::SetWindowPos(pBar->m_hWnd, NULL, ptPlace.x, ptPlace.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
}

void CDockBar::RemoveControlBar(CControlBar* pBar, BOOL bDestroying)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (m_arrBars[i] != pBar)
            continue;
        m_arrBars.RemoveAt(i);
        // A row left empty goes with its closing entry.
        BOOL bRowStart = i == 0 || m_arrBars[i - 1] == NULL;
        if (bRowStart && i < m_arrBars.GetSize() && m_arrBars[i] == NULL)
            m_arrBars.RemoveAt(i);
        break;
    }
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = NULL;
    if (!m_bFloating || bDestroying || GetDockedCount() > 0 || m_hWnd == NULL)
        return;
    // An emptied mini frame is not wanted; the bar lives on in its frame.
    if (::IsChild(m_hWnd, pBar->m_hWnd))
    {
        pBar->ShowWindow(SW_HIDE);
        ::SetParent(pBar->m_hWnd, pBar->m_pDockSite->GetSafeHwnd());
    }
    CWnd* pMiniFrame = GetParent();
    if (pMiniFrame != NULL)
        pMiniFrame->DestroyWindow();
}

CSize CDockBar::LayoutBars(int nLength, BOOL bCommit)
{
    BOOL bHorz = IsHorz();
    int nCross = 0;
    int nExtent = 0;
    int nAlong = 0;
    int nRowThickness = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_arrBars[i]);
        if (pBar == NULL)
        {
            nCross += nRowThickness;
            nAlong = 0;
            nRowThickness = 0;
            continue;
        }
        if (!pBar->IsVisible())
            continue;
        DWORD dwMode = bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
        CSize size = (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC)
            ? pBar->CalcDynamicLayout(-1, dwMode) : pBar->CalcFixedLayout(FALSE, bHorz);
        int nSizeAlong = bHorz ? size.cx : size.cy;
        int nSizeCross = bHorz ? size.cy : size.cx;
        // A hidden bar before it leaves no gap: only the bars shown push.
        int nPos = std::max<int>(nAlong, pBar->m_nDockPlace);
        // Pull a bar back in when the side is too short, never over the last.
        if (nPos + nSizeAlong > nLength)
            nPos = std::max<int>(nAlong, nLength - nSizeAlong);
        if (bCommit)
        {
            if (bHorz)
                ::SetWindowPos(pBar->m_hWnd, NULL, nPos, nCross, nSizeAlong, nSizeCross,
                               SWP_NOZORDER | SWP_NOACTIVATE);
            else
                ::SetWindowPos(pBar->m_hWnd, NULL, nCross, nPos, nSizeCross, nSizeAlong,
                               SWP_NOZORDER | SWP_NOACTIVATE);
        }
        nAlong = nPos + nSizeAlong;
        nExtent = std::max<int>(nExtent, nAlong);
        nRowThickness = std::max<int>(nRowThickness, nSizeCross);
    }
    nCross += nRowThickness;
    return bHorz ? CSize(nExtent, nCross) : CSize(nCross, nExtent);
}

void CDockBar::PositionInLayout(CRect& rectLeft)
{
    if (m_bFloating)
        return;
    BOOL bHorz = IsHorz();
    int nLength = bHorz ? rectLeft.Width() : rectLeft.Height();
    CSize size = LayoutBars(nLength, FALSE);
    PlaceOnSide(rectLeft, bHorz ? size.cy : size.cx);
    LayoutBars(nLength, TRUE);
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The docked bars are children and update themselves.
}

void CDockBar::OnDestroy()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i] != NULL)
            static_cast<CControlBar*>(m_arrBars[i])->m_pDockBar = NULL;
    m_arrBars.RemoveAll();
    CControlBar::OnDestroy();
}
