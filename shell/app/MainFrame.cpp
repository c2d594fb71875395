#include "shell/app/MainFrame.h"

#include <shellapi.h>

#include "framework/core/MessageSink.h"
#include "framework/docview/StandardCommands.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/Menu.h"
#include "shell/ColourMessages.h"
#include "shell/app/ActiveSheetView.h"
#include "sheet/Sheet.h"
#include "view/TallyformView.h"
#include "FormatBarIds.h"
#include "ShellIds.h"

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_GETMINMAXINFO()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
    ON_COMMAND(ID_HELP, OnHelpFinder)
    ON_COMMAND(ID_CONTEXT_HELP, OnHelpFinder)
    ON_COMMAND(ID_VIEW_FULL_SCREEN, OnViewFullScreen)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FULL_SCREEN, OnUpdateViewFullScreen)
    ON_CBN_SELENDOK(ID_VIEW_ZOOM_COMBO, OnZoomSelEndOk)
#ifdef EDITOR_BUILD
    ON_COMMAND_RANGE(ID_VIEW_TOOLBAR_NORMAL, ID_VIEW_TOOLBAR_NORMAL, OnViewToolbar)
    ON_COMMAND_RANGE(ID_VIEW_TOOLBAR_DATA, ID_VIEW_TOOLBAR_DATA, OnViewToolbar)
#else
    ON_COMMAND_RANGE(ID_VIEW_TOOLBAR_NORMAL, ID_VIEW_TOOLBAR_FORMAT, OnViewToolbar)
    ON_NOTIFY(TBN_DROPDOWN, AFX_IDW_TOOLBAR, OnStandardBarDropDown)
    ON_NOTIFY(TBN_DROPDOWN, ID_FORMATBAR, OnFormatBarDropDown)
    ON_MESSAGE(WM_COLOUR_SELENDOK, OnColourSelEndOk)
#endif
END_MESSAGE_MAP()

namespace
{
const UINT kIndicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                             ID_INDICATOR_SCRL };
#ifdef EDITOR_BUILD
const int kZoomButtonIndex = 16;
const UINT kHelpFileString = IDS_EDITOR_HELP_FILE;
#else
const int kZoomButtonIndex = 25;
const UINT kHelpFileString = IDS_HELP_FILE;
#endif
const int kZoomComboWidth = 60;
const int kZoomListHeight = 100;
const char* const kZoomItems[] = { "25%", "50%", "75%", "100%", "150%", "200%" };
const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                        CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
} // namespace

CMainFrame::CMainFrame()
    :
#ifndef EDITOR_BUILD
      m_crFill(RGB(255, 255, 255)), m_crFont(RGB(0, 0, 0)), m_bFontPopup(FALSE),
#endif
      m_bFullScreen(FALSE), m_rectFullScreen(), m_wpPrevious(), m_pwndFullScreenBar(NULL),
      m_hMenuPopup(NULL)
{
    m_wpPrevious.length = sizeof(m_wpPrevious);
}

CMainFrame::~CMainFrame()
{
    delete m_pwndFullScreenBar;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | WS_MAXIMIZE;
    return TRUE;
}

BOOL CMainFrame::CreateToolBar(CToolBar& bar, UINT nIDResource, LPCSTR lpszTitle, UINT nID)
{
    if (!bar.CreateEx(this, TBSTYLE_FLAT, kBarStyle, CRect(0, 0, 0, 0), nID) ||
        !bar.LoadToolBar(nIDResource))
        return FALSE;
    bar.SetWindowText(lpszTitle);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

#ifndef EDITOR_BUILD
BOOL CMainFrame::CreateFormatBar()
{
    if (!CreateToolBar(m_wndFormatBar, IDR_FORMAT_BAR, "Format", ID_FORMATBAR))
        return FALSE;
    m_wndFormatBar.SetSizes(CSize(23, 22), CSize(16, 16));
    m_wndFormatBar.PlaceCombos();
    return TRUE;
}
#endif

BOOL CMainFrame::CreateZoomCombo()
{
    m_wndToolBar.SetButtonInfo(kZoomButtonIndex, ID_VIEW_ZOOM_COMBO, TBBS_SEPARATOR,
                               kZoomComboWidth);
    CRect rect;
    m_wndToolBar.GetItemRect(kZoomButtonIndex, &rect);
    CRect rcList = rect;
    rcList.bottom += kZoomListHeight;
    if (!m_wndZoom.Create(WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, rcList,
                          &m_wndToolBar, ID_VIEW_ZOOM_COMBO))
        return FALSE;
    for (const char* pszItem : kZoomItems)
        m_wndZoom.AddString(pszItem);
    CRect rcCombo;
    m_wndZoom.GetWindowRect(&rcCombo);
    int y = rect.top + (rect.Height() - rcCombo.Height()) / 2 + 1;
    m_wndZoom.SetWindowPos(NULL, rect.left, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return CreateBars() ? 0 : -1;
}

BOOL CMainFrame::CreateStatusBar()
{
    return m_wndStatusBar.Create(this) &&
           m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]));
}

CString CMainFrame::ComposeFrameTitle(const CString& strProgram, LPCSTR lpszDocName)
{
    return strProgram + " - " + lpszDocName;
}

#ifndef EDITOR_BUILD
BOOL CMainFrame::CreateBars()
{
    if (!CreateToolBar(m_wndToolBar, IDR_MAINFRAME, "Standard") ||
        !CreateToolBar(m_wndTableBar, IDR_TABLE_BAR, "Table") ||
        !CreateToolBar(m_wndDataBar, IDR_DATA_BAR, "Data") || !CreateFormatBar())
        return FALSE;
    if (!CreateStatusBar())
        return FALSE;
    AddDropDownArrows();
    if (!CreateZoomCombo())
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&m_wndTableBar, AFX_IDW_DOCKBAR_TOP);
    DockToolBarBeside(&m_wndDataBar, &m_wndTableBar);
    DockControlBar(&m_wndFormatBar, AFX_IDW_DOCKBAR_TOP);
    return TRUE;
}

CString CMainFrame::GetProgramTitle()
{
    CTallyformView* pView = GetActiveSheetView(this);
    CSheet* pSheet = pView != NULL ? pView->GetSheet() : NULL;
    if (pSheet == NULL)
        return m_strTitle;
    return m_strTitle + (pSheet->m_bDesignMode ? "[Design Mode]" : " [Run Mode]");
}

void CMainFrame::ShowFrameBars(BOOL bShow)
{
    ShowControlBar(&m_wndStatusBar, bShow, FALSE);
    ShowControlBar(&m_wndToolBar, bShow, FALSE);
    ShowControlBar(&m_wndDataBar, bShow, FALSE);
    // The design bars come back only for a template in design mode.
    CTallyformView* pView = bShow ? GetActiveSheetView(this) : NULL;
    CSheet* pSheet = pView != NULL ? pView->GetSheet() : NULL;
    if (!bShow || (pSheet != NULL && pSheet->m_bDesignMode))
    {
        ShowControlBar(&m_wndTableBar, bShow, FALSE);
        ShowControlBar(&m_wndFormatBar, bShow, FALSE);
    }
}
#endif

CToolBar* CMainFrame::GetToolBar(UINT nID)
{
    switch (nID)
    {
    case IDR_MAINFRAME:
        return &m_wndToolBar;
    case IDR_DATA_BAR:
        return &m_wndDataBar;
#ifndef EDITOR_BUILD
    case IDR_TABLE_BAR:
        return &m_wndTableBar;
    case IDR_FORMAT_BAR:
        return &m_wndFormatBar;
#endif
    default:
        return NULL;
    }
}

void CMainFrame::DockToolBarBeside(CControlBar* pBar, CControlBar* pLeftBar)
{
    RecalcLayout();
    CRect rect;
    pLeftBar->GetWindowRect(&rect);
    rect.OffsetRect(1, 0);
    DWORD dwStyle = pLeftBar->GetBarStyle();
    UINT nDockBar = (dwStyle & CBRS_ALIGN_TOP)      ? AFX_IDW_DOCKBAR_TOP
                    : (dwStyle & CBRS_ALIGN_BOTTOM) ? AFX_IDW_DOCKBAR_BOTTOM
                    : (dwStyle & CBRS_ALIGN_LEFT)   ? AFX_IDW_DOCKBAR_LEFT
                                                    : AFX_IDW_DOCKBAR_RIGHT;
    DockControlBar(pBar, nDockBar, &rect);
}

void CMainFrame::OnViewToolbar(UINT nID)
{
    CToolBar* pBar = nID == ID_VIEW_TOOLBAR_NORMAL ? &m_wndToolBar
                     : nID == ID_VIEW_TOOLBAR_DATA ? &m_wndDataBar
#ifndef EDITOR_BUILD
                     : nID == ID_VIEW_TOOLBAR_TABLE ? &m_wndTableBar
                                                    : static_cast<CToolBar*>(&m_wndFormatBar);
#else
                                                   : NULL;
    if (pBar == NULL)
        return;
#endif
    HMENU hMenu = ::GetMenu(m_hWnd);
    BOOL bChecked = (::GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
    ShowControlBar(pBar, !bChecked, FALSE);
    ::CheckMenuItem(hMenu, nID, MF_BYCOMMAND | (bChecked ? MF_UNCHECKED : MF_CHECKED));
}

void CMainFrame::OnZoomSelEndOk()
{
    // The combo's text changes only after this notification: apply it later.
    m_wndZoom.PostMessage(WM_ZOOM_APPLYTEXT);
}

void CMainFrame::SetZoomText(LPCSTR lpszText)
{
    if (m_wndZoom.m_hWnd != NULL)
        m_wndZoom.SetWindowText(lpszText);
}

#ifndef EDITOR_BUILD
void CMainFrame::ShowDesignToolBars(BOOL bShow)
{
    ShowControlBar(&m_wndTableBar, bShow, FALSE);
    ShowControlBar(&m_wndFormatBar, bShow, FALSE);
    HMENU hMenu = ::GetMenu(m_hWnd);
    UINT nCheck = MF_BYCOMMAND | (bShow ? MF_CHECKED : MF_UNCHECKED);
    ::CheckMenuItem(hMenu, ID_VIEW_TOOLBAR_TABLE, nCheck);
    ::CheckMenuItem(hMenu, ID_VIEW_TOOLBAR_FORMAT, nCheck);
}
#endif

HMENU CMainFrame::DetachDocumentMenu()
{
#ifdef EDITOR_BUILD
    static const UINT kToolbars[] = { IDR_MAINFRAME, IDR_DATA_BAR };
#else
    static const UINT kToolbars[] = { IDR_MAINFRAME, IDR_TABLE_BAR, IDR_FORMAT_BAR, IDR_DATA_BAR };
#endif
    if (!m_menuDocument.LoadMenu(IDR_TALLYFORM_TEMPLATE))
        return NULL;
    m_menuDocument.LoadToolbars(kToolbars, sizeof(kToolbars) / sizeof(kToolbars[0]));
    return m_menuDocument.Detach();
}

HMENU CMainFrame::DetachDefaultMenu()
{
    static const UINT kToolbars[] = { IDR_MAINFRAME };
    if (!m_menuDefault.LoadMenu(IDR_MAINFRAME))
        return NULL;
    m_menuDefault.LoadToolbars(kToolbars, 1);
    return m_menuDefault.Detach();
}

void CMainFrame::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU && m_hMenuPopup != NULL &&
        ::IsMenu(m_hMenuPopup) && COwnerDrawMenu::IsOwnerDrawMenu(m_hMenuPopup))
        m_menuDocument.MeasureItem(lpMeasureItemStruct);
    else
        CMDIFrameWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CMainFrame::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (pMenu != NULL && COwnerDrawMenu::IsOwnerDrawMenu(pMenu->m_hMenu))
        return COwnerDrawMenu::FindMenuChar(nChar, nFlags, pMenu);
    return CMDIFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CMDIFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (bSysMenu || pPopupMenu == NULL || !COwnerDrawMenu::IsOwnerDrawMenu(pPopupMenu->m_hMenu))
        return;
    m_hMenuPopup = pPopupMenu->m_hMenu;
    if (COwnerDrawMenu* pMenu =
            dynamic_cast<COwnerDrawMenu*>(CMenu::FromHandlePermanent(pPopupMenu->m_hMenu)))
        pMenu->SyncItems();
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_bFullScreen)
    {
        int cx = m_rectFullScreen.right - m_rectFullScreen.left;
        int cy = m_rectFullScreen.bottom - m_rectFullScreen.top;
        lpMMI->ptMaxSize.x = cx;
        lpMMI->ptMaxSize.y = cy;
        lpMMI->ptMaxTrackSize.x = cx;
        lpMMI->ptMaxTrackSize.y = cy;
    }
    CMDIFrameWnd::OnGetMinMaxInfo(lpMMI);
}

void CMainFrame::OnHelpFinder()
{
    char szDir[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, szDir);
    if (n == 0 || n >= MAX_PATH)
        szDir[0] = '\0';
    char szFile[MAX_PATH] = "";
    LoadStringA(AfxGetResourceHandle(), kHelpFileString, szFile, sizeof(szFile));
    HINSTANCE hResult = ShellExecuteA(m_hWnd, "open", szFile, NULL, szDir[0] ? szDir : NULL,
                                      SW_SHOWMAXIMIZED);
    if ((INT_PTR)hResult <= 32)
    {
        CString strMessage;
        strMessage.Format("Faild to open help file %s.", szFile);
        AfxMessageBox(strMessage);
    }
}

void CMainFrame::OnViewFullScreen()
{
    m_bFullScreen = !m_bFullScreen;
    if (m_bFullScreen)
        EnterFullScreen();
    else
        LeaveFullScreen();
}

void CMainFrame::EnterFullScreen()
{
    ShowFrameBars(FALSE);
    ::GetWindowPlacement(m_hWnd, &m_wpPrevious);

    RECT rect;
    ::GetWindowRect(::GetDesktopWindow(), &rect);
    ::AdjustWindowRectEx(&rect, GetStyle(), TRUE, GetExStyle());
    m_rectFullScreen = rect;

    m_pwndFullScreenBar = new CToolBar;
    if (!m_pwndFullScreenBar->CreateEx(this, TBSTYLE_FLAT, kBarStyle) ||
        !m_pwndFullScreenBar->LoadToolBar(IDR_FULL_SCREEN_BAR))
    {
        if (m_pwndFullScreenBar->m_hWnd != NULL)
            m_pwndFullScreenBar->DestroyWindow();
        delete m_pwndFullScreenBar;
        m_pwndFullScreenBar = NULL;
        return;
    }
    m_pwndFullScreenBar->EnableDocking(0);
    // The command's string, up to its tool tip where it has one (the editor's).
    CString strTitle;
    strTitle.LoadString(ID_VIEW_FULL_SCREEN);
    int nTip = strTitle.Find('\n');
    m_pwndFullScreenBar->SetWindowText(nTip >= 0 ? strTitle.Left(nTip) : strTitle);
    // Not dockable, the floating bar has no close box: the command is the
    // only way back.
    FloatControlBar(m_pwndFullScreenBar, CPoint(100, 100), CBRS_ALIGN_TOP);

    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = m_rectFullScreen;
    ::SetWindowPlacement(m_hWnd, &wp);
    // The window now fills the screen: the bar stays above it, also when a
    // click on the window raises it, or the way back would be hidden.
    CFrameWnd* pMiniFrame = m_pwndFullScreenBar->GetParentFrame();
    if (pMiniFrame != NULL && pMiniFrame != this)
        pMiniFrame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0,
                                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMainFrame::LeaveFullScreen()
{
    if (m_pwndFullScreenBar != NULL)
    {
        m_pwndFullScreenBar->DestroyWindow();
        delete m_pwndFullScreenBar;
        m_pwndFullScreenBar = NULL;
    }
    ShowFrameBars(TRUE);
    ::SetWindowPlacement(m_hWnd, &m_wpPrevious);
}

void CMainFrame::OnUpdateViewFullScreen(CCmdUI* pCmdUI)
{
    BOOL bChild = MDIGetActive() != NULL;
    // Full-screen mode can always be left, also after the last document closed.
    pCmdUI->Enable(bChild || m_bFullScreen);
    pCmdUI->SetCheck(m_bFullScreen ? 1 : 0);
    if (m_wndZoom.m_hWnd != NULL)
        m_wndZoom.EnableWindow(bChild);
#ifndef EDITOR_BUILD
    m_wndFormatBar.m_comboFontName.EnableWindow(bChild);
    m_wndFormatBar.m_comboFontSize.EnableWindow(bChild);
    m_wndFormatBar.m_comboCellType.EnableWindow(bChild);
    if (!bChild)
        m_wndFormatBar.m_comboCellType.SetWindowText("");
#endif
}
