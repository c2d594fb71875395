// The editor's main frame bars: the Standard and Data toolbars on one row,
// the status bar and the zoom combo; no Table toolbar and no Format bar.
#include "shell/app/MainFrame.h"

#include "ShellIds.h"

BOOL CMainFrame::CreateBars()
{
    // Both toolbars carry the framework's toolbar id; nothing here looks a
    // bar up by its id.
    if (!CreateToolBar(m_wndToolBar, IDR_MAINFRAME, "Standard") ||
        !CreateToolBar(m_wndDataBar, IDR_DATA_BAR, "Data") || !CreateStatusBar() ||
        !CreateZoomCombo())
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
    DockToolBarBeside(&m_wndDataBar, &m_wndToolBar);
    return TRUE;
}

void CMainFrame::ShowFrameBars(BOOL bShow)
{
    ShowControlBar(&m_wndStatusBar, bShow, FALSE);
    ShowControlBar(&m_wndToolBar, bShow, FALSE);
    ShowControlBar(&m_wndDataBar, bShow, FALSE);
}
