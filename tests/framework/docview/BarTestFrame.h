// A frame with a toolbar and a status bar for the control bar tests; its
// handlers record what reached them.
#pragma once

#include <vector>

#include "framework/docview/FrameWnd.h"
#include "framework/docview/StatusBar.h"
#include "framework/docview/ToolBar.h"

class CBarTestFrame : public CFrameWnd
{
public:
    // Loads the frame 600 by 400 at (20, 20), shown, with the toolbar
    // docked at the top when bDock, else laid out on the frame itself.
    static CBarTestFrame* Make(BOOL bDock = TRUE);

    // What CWinApp::OnIdle does for the main window.
    void IdleUpdate();
    // The main pane's rectangle in screen coordinates.
    CRect PaneRect() const;

    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    CWnd m_wndPane;

    BOOL m_bDock = TRUE;
    int m_nOpened = 0;
    BOOL m_bSaveEnabled = TRUE;
    int m_nBoldCheck = 0;
    std::vector<int> m_dropDownItems;
    int m_nComboSelections = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnOpen() { ++m_nOpened; }
    void OnSave() {}
    void OnBold() {}
    void OnMode() {}
    void OnUpdateSave(CCmdUI* pCmdUI);
    void OnUpdateBold(CCmdUI* pCmdUI);
    void OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnComboSelEndOk() { ++m_nComboSelections; }

    DECLARE_MESSAGE_MAP()
};

// The id of the combo the tests put on the toolbar.
#define ID_BAR_COMBO 7430

// Ids of the status bar the test frame makes.
extern const UINT g_barTestIndicators[4];
