#include "framework/docview/PreviewView.h"

#include "framework/docview/FrameWnd.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/PrintDialog.h"

namespace {

const int kBarHeight = 30;
const int kGap = 12;
const int kButtonWidth = 80;
const double kZoomFactors[] = { 1.0, 2.0, 3.0 };

struct ButtonDef
{
    int nID;
    LPCSTR pszText;
};

const ButtonDef kButtons[] = {
    { CPreviewView::IDC_PREVIEW_PRINT, "&Print..." },
    { CPreviewView::IDC_PREVIEW_NEXT, "&Next Page" },
    { CPreviewView::IDC_PREVIEW_PREV, "Pre&v Page" },
    { CPreviewView::IDC_PREVIEW_NUMPAGE, "&Two Page" },
    { CPreviewView::IDC_PREVIEW_ZOOMIN, "Zoom &In" },
    { CPreviewView::IDC_PREVIEW_ZOOMOUT, "Zoom &Out" },
    { CPreviewView::IDC_PREVIEW_CLOSE, "&Close" },
};

} // namespace

BEGIN_MESSAGE_MAP(CPreviewView, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_COMMAND(IDC_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(IDC_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(IDC_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(IDC_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(IDC_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(IDC_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_COMMAND(IDC_PREVIEW_CLOSE, OnPreviewClose)
END_MESSAGE_MAP()

CPreviewView::CPreviewView()
    : m_pView(NULL), m_hWndOwner(NULL), m_nPages(0), m_nCurPage(1), m_nPagesShown(1), m_nZoom(0),
      m_ptScroll(0, 0)
{
    m_info.m_bPreview = TRUE;
}

CPreviewView::~CPreviewView()
{
    for (HENHMETAFILE hPage : m_pages)
        if (hPage != NULL)
            ::DeleteEnhMetaFile(hPage);
    // The print dialog object of m_info deletes the printer DC.
    m_dcPrinter.Detach();
}

BOOL CPreviewView::Open(CView* pView)
{
    m_pView = pView;
    if (!pView->OnPreparePrinting(&m_info) || m_info.m_pPD->m_pd.hDC == NULL)
        return FALSE;
    m_dcPrinter.Attach(m_info.m_pPD->m_pd.hDC);
    m_dcPrinter.m_bPrinting = TRUE;
    pView->OnBeginPrinting(&m_dcPrinter, &m_info);
    m_nPages = m_info.GetMaxPage();
    if (!m_info.m_bContinuePrinting || m_nPages == 0 || m_nPages == 0xffff)
    {
        pView->OnEndPrinting(&m_dcPrinter, &m_info);
        return FALSE;
    }
    m_pages.assign(m_nPages, (HENHMETAFILE)NULL);

    CWnd* pMain = AfxGetMainWnd();
    m_hWndOwner = pMain != NULL ? pMain->GetSafeHwnd() : NULL;
    LPCSTR pszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(NULL, IDC_ARROW));
    const DWORD dwStyle = WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    BOOL bCreated;
    if (m_hWndOwner != NULL)
    {
        // Inside the main window, over its bars and documents.
        CRect rc;
        ::GetClientRect(m_hWndOwner, &rc);
        bCreated = CreateEx(0, pszClass, "Print Preview", WS_CHILD | dwStyle, 0, 0, rc.Width(),
                            rc.Height(), m_hWndOwner,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PREVIEW_PANE)));
    }
    else
    {
        bCreated = CreateEx(0, pszClass, "Print Preview",
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | dwStyle, 0, 0, 800,
                            600, NULL, NULL);
    }
    if (!bCreated)
    {
        pView->OnEndPrinting(&m_dcPrinter, &m_info);
        return FALSE;
    }
    CreateToolBar();
    EnableOwnerMenu(FALSE);
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    UpdateState();
    ShowWindow(SW_SHOW);
    SetFocus();
    UpdateWindow();
    return TRUE;
}

void CPreviewView::EnableOwnerMenu(BOOL bEnable)
{
    HMENU hMenu = m_hWndOwner != NULL ? ::GetMenu(m_hWndOwner) : NULL;
    if (hMenu == NULL)
        return;
    // The menu bar's items are greyed while the preview is up and get back
    // the states they had.
    int nCount = ::GetMenuItemCount(hMenu);
    if (!bEnable)
        m_menuStates.clear();
    for (int i = 0; i < nCount; ++i)
    {
        if (!bEnable)
        {
            m_menuStates.push_back(::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) &
                                   (MF_GRAYED | MF_DISABLED));
            ::EnableMenuItem(hMenu, (UINT)i, MF_BYPOSITION | MF_GRAYED);
        }
        else if ((size_t)i < m_menuStates.size())
        {
            ::EnableMenuItem(hMenu, (UINT)i, MF_BYPOSITION | m_menuStates[(size_t)i]);
        }
    }
    ::DrawMenuBar(m_hWndOwner);
}

void CPreviewView::CreateToolBar()
{
    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    int x = 4;
    for (const ButtonDef& button : kButtons)
    {
        HWND hButton = ::CreateWindowExA(0, "BUTTON", button.pszText,
                                         WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 3, kButtonWidth,
                                         kBarHeight - 6, m_hWnd, (HMENU)(INT_PTR)button.nID,
                                         ::GetModuleHandleA(NULL), NULL);
        ::SendMessageA(hButton, WM_SETFONT, (WPARAM)hFont, FALSE);
        x += kButtonWidth + 4;
    }
    HWND hPage = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, x + 8, 8, 160,
                                   kBarHeight - 12, m_hWnd, (HMENU)(INT_PTR)IDC_PREVIEW_PAGE,
                                   ::GetModuleHandleA(NULL), NULL);
    ::SendMessageA(hPage, WM_SETFONT, (WPARAM)hFont, FALSE);
}

HENHMETAFILE CPreviewView::GetPageMetafile(UINT nPage)
{
    if (nPage < 1 || nPage > m_nPages)
        return NULL;
    HENHMETAFILE& hPage = m_pages[nPage - 1];
    if (hPage != NULL)
        return hPage;
    // The metafile's frame is the printable area, in hundredths of a millimetre.
    int cxInch = m_dcPrinter.GetDeviceCaps(LOGPIXELSX);
    int cyInch = m_dcPrinter.GetDeviceCaps(LOGPIXELSY);
    RECT rcFrame = { 0, 0, ::MulDiv(m_dcPrinter.GetDeviceCaps(HORZRES), 2540, cxInch),
                     ::MulDiv(m_dcPrinter.GetDeviceCaps(VERTRES), 2540, cyInch) };
    HDC hMeta = ::CreateEnhMetaFileA(m_dcPrinter.m_hDC, NULL, &rcFrame, NULL);
    if (hMeta == NULL)
        return NULL;
    CDC dc;
    dc.Attach(hMeta);
    dc.m_bPrinting = TRUE;
    m_info.m_nCurPage = nPage;
    m_pView->OnPrepareDC(&dc, &m_info);
    m_info.m_rectDraw.SetRect(0, 0, m_dcPrinter.GetDeviceCaps(HORZRES), m_dcPrinter.GetDeviceCaps(VERTRES));
    dc.DPtoLP(&m_info.m_rectDraw);
    m_pView->OnPrint(&dc, &m_info);
    dc.Detach();
    hPage = ::CloseEnhMetaFile(hMeta);
    return hPage;
}

double CPreviewView::Scale() const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    double cxPaper = m_dcPrinter.GetDeviceCaps(PHYSICALWIDTH);
    double cyPaper = m_dcPrinter.GetDeviceCaps(PHYSICALHEIGHT);
    if (cxPaper <= 0 || cyPaper <= 0)
        return 0.0;
    int nShown = (int)m_nPagesShown;
    double cxArea = rcClient.Width() - kGap * (nShown + 1);
    double cyArea = rcClient.Height() - kBarHeight - kGap * 2;
    double dScale = cxArea / (cxPaper * nShown);
    if (cyArea / cyPaper < dScale)
        dScale = cyArea / cyPaper;
    if (dScale < 0.01)
        dScale = 0.01;
    return dScale * kZoomFactors[m_nZoom];
}

CRect CPreviewView::PaperRect(int i) const
{
    double dScale = Scale();
    int cx = (int)(m_dcPrinter.GetDeviceCaps(PHYSICALWIDTH) * dScale);
    int cy = (int)(m_dcPrinter.GetDeviceCaps(PHYSICALHEIGHT) * dScale);
    CRect rcClient;
    GetClientRect(&rcClient);
    int nShown = (int)m_nPagesShown;
    int cxAll = cx * nShown + kGap * (nShown - 1);
    int x = cxAll + 2 * kGap < rcClient.Width() ? (rcClient.Width() - cxAll) / 2 : kGap;
    int y = kBarHeight + kGap;
    x += i * (cx + kGap) - m_ptScroll.x;
    y -= m_ptScroll.y;
    return CRect(x, y, x + cx, y + cy);
}

void CPreviewView::DrawPage(CDC* pDC, UINT nPage, const CRect& rcPaper)
{
    CRect rcShadow(rcPaper);
    rcShadow.OffsetRect(4, 4);
    pDC->FillSolidRect(&rcShadow, RGB(64, 64, 64));
    pDC->FillSolidRect(&rcPaper, RGB(255, 255, 255));
    HENHMETAFILE hPage = GetPageMetafile(nPage);
    if (hPage == NULL)
        return;
    double sx = (double)rcPaper.Width() / m_dcPrinter.GetDeviceCaps(PHYSICALWIDTH);
    double sy = (double)rcPaper.Height() / m_dcPrinter.GetDeviceCaps(PHYSICALHEIGHT);
    int x = rcPaper.left + (int)(m_dcPrinter.GetDeviceCaps(PHYSICALOFFSETX) * sx);
    int y = rcPaper.top + (int)(m_dcPrinter.GetDeviceCaps(PHYSICALOFFSETY) * sy);
    RECT rcPrinted = { x, y, x + (int)(m_dcPrinter.GetDeviceCaps(HORZRES) * sx),
                       y + (int)(m_dcPrinter.GetDeviceCaps(VERTRES) * sy) };
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rcPaper);
    ::PlayEnhMetaFile(pDC->m_hDC, hPage, &rcPrinted);
    pDC->RestoreDC(nSaved);
}

void CPreviewView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC dcWindow, dcMemory;
    dcWindow.Attach(hDC);
    CBitmap bitmap;
    CDC* pDC = &dcWindow;
    CBitmap* pOldBitmap = NULL;
    if (dcMemory.CreateCompatibleDC(&dcWindow) &&
        bitmap.CreateCompatibleBitmap(&dcWindow, rcClient.Width(), rcClient.Height()))
    {
        pOldBitmap = dcMemory.SelectObject(&bitmap);
        pDC = &dcMemory;
    }
    pDC->FillSolidRect(&rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    pDC->FillSolidRect(0, 0, rcClient.Width(), kBarHeight, ::GetSysColor(COLOR_BTNFACE));
    for (UINT i = 0; i < m_nPagesShown && m_nCurPage + i <= m_nPages; ++i)
        DrawPage(pDC, m_nCurPage + i, PaperRect((int)i));
    if (pDC == &dcMemory)
    {
        // The buttons are children clipped out of the picture: the bar
        // behind them is painted with the pages.
        dcWindow.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMemory, 0, 0, SRCCOPY);
        dcMemory.SelectObject(pOldBitmap);
    }
    dcWindow.Detach();
    ::EndPaint(m_hWnd, &ps);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPreviewView::OnSize(UINT, int, int)
{
    UpdateState();
}

void CPreviewView::UpdateState()
{
    if (m_hWnd == NULL)
        return;
    if (m_nZoom > 0)
        m_nPagesShown = 1;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PREVIEW_NEXT), m_nCurPage + m_nPagesShown <= m_nPages);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PREVIEW_PREV), m_nCurPage > 1);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PREVIEW_NUMPAGE), m_nZoom == 0 && m_nPages > 1);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PREVIEW_ZOOMIN), m_nZoom < 2);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PREVIEW_ZOOMOUT), m_nZoom > 0);
    ::SetDlgItemTextA(m_hWnd, IDC_PREVIEW_NUMPAGE, m_nPagesShown == 1 ? "&Two Page" : "&One Page");
    CString strPage;
    if (m_nPagesShown == 2 && m_nCurPage < m_nPages)
        strPage.Format("Pages %u-%u of %u", m_nCurPage, m_nCurPage + 1, m_nPages);
    else
        strPage.Format("Page %u of %u", m_nCurPage, m_nPages);
    ::SetDlgItemTextA(m_hWnd, IDC_PREVIEW_PAGE, strPage);

    // Scroll ranges: the pages at this zoom against the area under the bar.
    CRect rcClient;
    GetClientRect(&rcClient);
    m_ptScroll.SetPoint(0, 0);
    CRect rcFirst = PaperRect(0);
    CRect rcLast = PaperRect((int)m_nPagesShown - 1);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = rcLast.right + kGap;
    si.nPage = (UINT)rcClient.Width();
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    si.nMax = rcFirst.bottom + kGap - kBarHeight;
    si.nPage = (UINT)(rcClient.Height() - kBarHeight > 0 ? rcClient.Height() - kBarHeight : 0);
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    Invalidate(FALSE);
}

void CPreviewView::Scroll(int nBar, UINT nSBCode)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, nBar, &si);
    int nPos = si.nPos;
    int nLine = 40;
    switch (nSBCode)
    {
    case SB_LINEUP: nPos -= nLine; break;
    case SB_LINEDOWN: nPos += nLine; break;
    case SB_PAGEUP: nPos -= (int)si.nPage; break;
    case SB_PAGEDOWN: nPos += (int)si.nPage; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: nPos = si.nTrackPos; break;
    default: return;
    }
    int nMaxPos = si.nMax - (int)si.nPage + 1;
    if (nPos > nMaxPos)
        nPos = nMaxPos;
    if (nPos < 0)
        nPos = 0;
    ::SetScrollPos(m_hWnd, nBar, nPos, TRUE);
    (nBar == SB_HORZ ? m_ptScroll.x : m_ptScroll.y) = nPos;
    Invalidate(FALSE);
}

void CPreviewView::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    Scroll(SB_HORZ, nSBCode);
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    Scroll(SB_VERT, nSBCode);
}

void CPreviewView::OnNextPage()
{
    if (m_nCurPage + m_nPagesShown <= m_nPages)
        ++m_nCurPage;
    UpdateState();
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurPage > 1)
        --m_nCurPage;
    UpdateState();
}

void CPreviewView::OnNumPageChange()
{
    m_nPagesShown = m_nPagesShown == 1 && m_nPages > 1 ? 2 : 1;
    if (m_nPagesShown == 2 && m_nCurPage == m_nPages)
        --m_nCurPage;
    UpdateState();
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoom < 2)
        ++m_nZoom;
    UpdateState();
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoom > 0)
        --m_nZoom;
    UpdateState();
}

void CPreviewView::Close()
{
    m_pView->OnEndPrinting(&m_dcPrinter, &m_info);
    EnableOwnerMenu(TRUE);
    HWND hView = m_pView->GetSafeHwnd();
    DestroyWindow();
    if (hView != NULL && ::IsWindowVisible(hView))
        ::SetFocus(hView);
}

void CPreviewView::OnPreviewClose()
{
    Close();
}

void CPreviewView::OnClose()
{
    Close();
}

void CPreviewView::OnPreviewPrint()
{
    HWND hView = m_pView->GetSafeHwnd();
    Close();
    if (hView != NULL)
        ::PostMessageA(hView, WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT, 0), 0);
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        switch (pMsg->wParam)
        {
        case VK_ESCAPE:
            Close();
            return TRUE;
        case VK_PRIOR:
            OnPrevPage();
            return TRUE;
        case VK_NEXT:
            OnNextPage();
            return TRUE;
        default:
            break;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CPreviewView::PostNcDestroy()
{
    delete this;
}
