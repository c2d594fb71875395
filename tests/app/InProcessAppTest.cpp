#include "tests/app/InProcessAppTest.h"

#include "framework/docview/MDIWnd.h"
#include "shell/StartupSplash.h"
#include "shell/app/MainFrame.h"
#include "view/TallyformView.h"

void InProcessAppTest::SetUp()
{
    char szDir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, szDir);
    m_strPrevious = szDir;
    ASSERT_TRUE(SetCurrentDirectoryA(m_folder.GetPath()));
}

void InProcessAppTest::TearDown()
{
    if (m_bStarted)
    {
        if (m_app.m_pMainWnd != NULL && m_app.m_pMainWnd->GetSafeHwnd() != NULL)
            m_app.m_pMainWnd->DestroyWindow();
        if (CStartupSplash::GetShown() != NULL)
            CStartupSplash::GetShown()->DestroyWindow();
        m_app.ExitInstance();
    }
    SetCurrentDirectoryA(m_strPrevious);
}

void InProcessAppTest::Start(LPCSTR lpszCommandLine)
{
    m_strCommandLine = lpszCommandLine;
    m_app.m_lpCmdLine = m_strCommandLine.GetBuffer(0);
    ASSERT_TRUE(m_app.InitInstance());
    m_bStarted = TRUE;
    ASSERT_TRUE(m_app.m_pMainWnd != NULL);
    PumpIdle();
}

CMainFrame* InProcessAppTest::Frame()
{
    return static_cast<CMainFrame*>(m_app.m_pMainWnd);
}

void InProcessAppTest::PumpIdle()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    m_app.OnIdle(0);
}

CTallyformView* InProcessAppTest::ActiveView()
{
    CMDIChildWnd* pChild = Frame()->MDIGetActive();
    return pChild != NULL ? dynamic_cast<CTallyformView*>(pChild->GetActiveView()) : NULL;
}
