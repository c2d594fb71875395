#include "framework/ole/OleLock.h"

#include "framework/docview/WinApp.h"
#include "framework/ole/OleObjectFactory.h"
#include "framework/windows/Wnd.h"

namespace
{
LONG g_nOleLockCount = 0;
BOOL g_bUserCtrl = TRUE;
}

void AfxOleLockApp()
{
    InterlockedIncrement(&g_nOleLockCount);
}

void AfxOleUnlockApp()
{
    ASSERT(g_nOleLockCount > 0);
    if (InterlockedDecrement(&g_nOleLockCount) != 0 || g_bUserCtrl)
        return;
    // No new client may reach a program that is about to end.
    COleObjectFactory::RevokeAll();
    CWinApp* pApp = AfxGetApp();
    CWnd* pMainWnd = pApp != NULL ? pApp->m_pMainWnd : NULL;
    // Posted: the last release may come from inside a COM call.
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL && !pMainWnd->IsWindowVisible())
        pMainWnd->PostMessage(WM_CLOSE);
}

BOOL AfxOleCanExitApp()
{
    return InterlockedCompareExchange(&g_nOleLockCount, 0, 0) == 0;
}

void AfxOleSetUserCtrl(BOOL bUserCtrl)
{
    g_bUserCtrl = bUserCtrl;
}

BOOL AfxOleGetUserCtrl()
{
    return g_bUserCtrl;
}
