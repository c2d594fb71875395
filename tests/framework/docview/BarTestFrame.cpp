#include "tests/framework/docview/BarTestFrame.h"

#include "framework/windows/CmdUI.h"
#include "tests/framework/docview/BarTestResource.h"

const UINT g_barTestIndicators[4] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                      ID_INDICATOR_SCRL };

BEGIN_MESSAGE_MAP(CBarTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_BAR_OPEN, OnOpen)
    ON_COMMAND(ID_BAR_SAVE, OnSave)
    ON_COMMAND(ID_BAR_BOLD, OnBold)
    ON_COMMAND(ID_BAR_MODE, OnMode)
    ON_UPDATE_COMMAND_UI(ID_BAR_SAVE, OnUpdateSave)
    ON_UPDATE_COMMAND_UI(ID_BAR_BOLD, OnUpdateBold)
    ON_NOTIFY(TBN_DROPDOWN, AFX_IDW_TOOLBAR, OnToolBarDropDown)
    ON_CBN_SELENDOK(ID_BAR_COMBO, OnComboSelEndOk)
END_MESSAGE_MAP()

CBarTestFrame* CBarTestFrame::Make(BOOL bDock)
{
    CBarTestFrame* pFrame = new CBarTestFrame;
    pFrame->m_bDock = bDock;
    if (!pFrame->LoadFrame(IDR_BAR_FRAME, WS_OVERLAPPEDWINDOW))
    {
        delete pFrame;
        return NULL;
    }
    pFrame->SetWindowPos(NULL, 20, 20, 600, 400, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    return pFrame;
}

int CBarTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndPane.Create("STATIC", NULL, WS_CHILD | WS_VISIBLE | SS_WHITERECT, CRect(0, 0, 0, 0),
                          this, AFX_IDW_PANE_FIRST))
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
        !m_wndToolBar.LoadToolBar(IDR_TEST_BAR))
        return -1;
    m_wndToolBar.SetWindowText("Test");
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(g_barTestIndicators, 4))
        return -1;
    if (m_bDock)
    {
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndToolBar);
    }
    return 0;
}

void CBarTestFrame::IdleUpdate()
{
    SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

CRect CBarTestFrame::PaneRect() const
{
    CRect rect;
    m_wndPane.GetWindowRect(&rect);
    return rect;
}

void CBarTestFrame::OnUpdateSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bSaveEnabled);
}

void CBarTestFrame::OnUpdateBold(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nBoldCheck);
}

void CBarTestFrame::OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_dropDownItems.push_back(reinterpret_cast<NMTOOLBARA*>(pNMHDR)->iItem);
    *pResult = TBDDRET_DEFAULT;
}
