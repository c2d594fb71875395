#include <algorithm>

#include "framework/docview/ControlBar.h"

#include "framework/docview/DockBar.h"
#include "framework/docview/FrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
    ON_MESSAGE(WM_NCPAINT, OnNcPaint)
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

namespace
{
// The edge of a bar, and the room its gripper takes.
const int kBorder = 2;
const int kGripper = 8;
}

CControlBar::CControlBar()
    : m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(NULL), m_pDockBar(NULL),
      m_rectBorder(0, 0, 0, 0), m_nDockPlace(0), m_bAutoDelete(FALSE), m_bDragging(FALSE), m_ptDragStart(0, 0),
      m_rectDragStart(0, 0, 0, 0), m_rectDragShown(0, 0, 0, 0)
{
}

CControlBar::~CControlBar()
{
    // The window goes with the object, through the bar's own clean-up.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        CControlBar::DestroyWindow();
    else
        Unregister(TRUE);
}

DWORD CControlBar::SplitStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    m_rectBorder = CalcBorders((m_dwStyle & CBRS_ORIENT_VERT) == 0);
    return dwStyle & ~CBRS_ALL;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    m_dwStyle = dwStyle;
    if (m_hWnd == NULL)
        return;
    m_rectBorder = CalcBorders((m_dwStyle & CBRS_ORIENT_VERT) == 0);
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

CRect CControlBar::CalcBorders(BOOL bHorz) const
{
    CRect rect(0, 0, 0, 0);
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left = kBorder;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top = kBorder;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right = kBorder;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom = kBorder;
    // A floating bar is dragged by its mini frame's caption instead.
    if ((m_dwStyle & CBRS_GRIPPER) && !(m_dwStyle & CBRS_FLOATING))
    {
        if (bHorz)
            rect.left += kGripper;
        else
            rect.top += kGripper;
    }
    return rect;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

BOOL CControlBar::IsFloating() const
{
    return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    return m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return m_pDockSite;
}

CFrameWnd* CControlBar::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return NULL;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(m_rectBorder.left + m_rectBorder.right, m_rectBorder.top + m_rectBorder.bottom);
    if (bStretch)
    {
        // The frame gives the length; a stretched bar wants all of it.
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::PositionInLayout(CRect& rectLeft)
{
    if (!IsVisible() || IsFloating())
        return;
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_VERT) == 0;
    CSize size = (m_dwStyle & CBRS_SIZE_DYNAMIC)
        ? CalcDynamicLayout(bHorz ? rectLeft.Width() : rectLeft.Height(),
                            LM_STRETCH | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK))
        : CalcFixedLayout(TRUE, bHorz);
    PlaceOnSide(rectLeft, bHorz ? size.cy : size.cx);
}

void CControlBar::PlaceOnSide(CRect& rectLeft, int nThickness)
{
    DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    CRect rect = rectLeft;
    if (dwAlign & CBRS_ALIGN_BOTTOM)
    {
        rect.top = rectLeft.bottom - std::min<int>(nThickness, rectLeft.Height());
        rectLeft.bottom = rect.top;
    }
    else if (dwAlign & CBRS_ALIGN_LEFT)
    {
        rect.right = rectLeft.left + std::min<int>(nThickness, rectLeft.Width());
        rectLeft.left = rect.right;
    }
    else if (dwAlign & CBRS_ALIGN_RIGHT)
    {
        rect.left = rectLeft.right - std::min<int>(nThickness, rectLeft.Width());
        rectLeft.right = rect.left;
    }
    else
    {
        rect.bottom = rectLeft.top + std::min<int>(nThickness, rectLeft.Height());
        rectLeft.top = rect.bottom;
    }
    ::SetWindowPos(m_hWnd, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
    {
        m_pDockSite = pFrame;
        pFrame->AddControlBar(this);
    }
    return 0;
}

void CControlBar::Unregister(BOOL bDestroying)
{
    if (m_pDockBar != NULL)
        m_pDockBar->RemoveControlBar(this, bDestroying);
    m_pDockBar = NULL;
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = NULL;
}

BOOL CControlBar::DestroyWindow()
{
    // Out of its dock bar first: an emptied mini frame goes too, and the
    // bar must not be inside it then.  A frame that is itself going has
    // let go of its bars already and needs no new layout.
    CFrameWnd* pDockSite = m_pDockSite;
    if (m_hWnd != NULL)
        Unregister(FALSE);
    BOOL bResult = CWnd::DestroyWindow();
    if (pDockSite != NULL && ::IsWindow(pDockSite->m_hWnd))
        pDockSite->RecalcLayout();
    return bResult;
}

void CControlBar::OnDestroy()
{
    Unregister(TRUE);
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!IsVisible())
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner != NULL && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd))
        ? static_cast<CFrameWnd*>(pOwner) : m_pDockSite;
    if (pTarget != NULL)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

LRESULT CControlBar::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    RECT* pRect = reinterpret_cast<RECT*>(lParam);
    (void)wParam;
    pRect->left += m_rectBorder.left;
    pRect->top += m_rectBorder.top;
    pRect->right -= m_rectBorder.right;
    pRect->bottom -= m_rectBorder.bottom;
    if (pRect->right < pRect->left)
        pRect->right = pRect->left;
    if (pRect->bottom < pRect->top)
        pRect->bottom = pRect->top;
    return lResult;
}

LRESULT CControlBar::OnNcPaint(WPARAM, LPARAM)
{
    Default();
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL)
        return 0;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rect(0, 0, rectWindow.Width(), rectWindow.Height());
    CRect rectClient = rect;
    rectClient.DeflateRect(m_rectBorder.left, m_rectBorder.top, m_rectBorder.right,
                           m_rectBorder.bottom);
    // Only the margins are ours; the client area paints itself.
    ::ExcludeClipRect(hDC, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    ::FillRect(hDC, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    UINT nEdges = 0;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        nEdges |= BF_LEFT;
    if (m_dwStyle & CBRS_BORDER_TOP)
        nEdges |= BF_TOP;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        nEdges |= BF_RIGHT;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        nEdges |= BF_BOTTOM;
    if (nEdges != 0)
        ::DrawEdge(hDC, &rect, EDGE_ETCHED, nEdges);
    if ((m_dwStyle & CBRS_GRIPPER) && !(m_dwStyle & CBRS_FLOATING))
    {
        CRect rectGrip = rect;
        if (m_rectBorder.left >= kGripper)
        {
            rectGrip.left += m_rectBorder.left - kGripper + 2;
            rectGrip.right = rectGrip.left + 3;
            rectGrip.DeflateRect(0, kBorder + 1);
        }
        else
        {
            rectGrip.top += m_rectBorder.top - kGripper + 2;
            rectGrip.bottom = rectGrip.top + 3;
            rectGrip.DeflateRect(kBorder + 1, 0);
        }
        ::DrawEdge(hDC, &rectGrip, BDR_RAISEDINNER, BF_RECT);
    }
    ::ReleaseDC(m_hWnd, hDC);
    return 0;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    {
        // What the bar's children (and a toolbar itself) report goes to
        // the bar's map first and then to its owner, the frame.
        LRESULT lResult = 0;
        if (OnWndMsg(message, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != NULL && pOwner != this)
            return pOwner->SendMessage(message, wParam, lParam);
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
