#include "shell/app/MainFrame.h"

#include <shellapi.h>

#include "framework/core/MessageSink.h"
#include "framework/windows/Menu.h"
#include "ShellIds.h"

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_GETMINMAXINFO()
    ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_bFullScreen(FALSE), m_rectFullScreen(), m_wpPrevious()
{
    m_wpPrevious.length = sizeof(m_wpPrevious);
}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | WS_MAXIMIZE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CMDIFrameWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

HMENU CMainFrame::DetachDocumentMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_TALLYFORM_TEMPLATE))
        return NULL;
    return menu.Detach();
}

HMENU CMainFrame::DetachDefaultMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_MAINFRAME))
        return NULL;
    return menu.Detach();
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
    LoadStringA(AfxGetResourceHandle(), IDS_HELP_FILE, szFile, sizeof(szFile));
    HINSTANCE hResult = ShellExecuteA(m_hWnd, "open", szFile, NULL, szDir[0] ? szDir : NULL,
                                      SW_SHOWMAXIMIZED);
    if ((INT_PTR)hResult <= 32)
    {
        CString strMessage;
        strMessage.Format("Faild to open help file %s.", szFile);
        AfxMessageBox(strMessage);
    }
}
