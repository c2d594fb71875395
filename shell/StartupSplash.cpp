#include "shell/StartupSplash.h"

#include "framework/docview/WinApp.h"
#include "framework/windows/Dc.h"
#include "framework/windows/ScopedGdi.h"
#include "ProgressResource.h"

namespace {
const UINT_PTR SPLASH_TIMER = 1;
const UINT SPLASH_MILLISECONDS = 2200;
}

BOOL CStartupSplash::c_bShowSplashWnd = FALSE;
CStartupSplash* CStartupSplash::c_pSplashWnd = NULL;

BEGIN_MESSAGE_MAP(CStartupSplash, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CStartupSplash::CStartupSplash()
{
}

CStartupSplash::~CStartupSplash()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = NULL;
}

void CStartupSplash::EnableSplash(BOOL bEnable)
{
    c_bShowSplashWnd = bEnable;
}

void CStartupSplash::ShowSplash(CWnd* pParentWnd)
{
    if (!c_bShowSplashWnd || c_pSplashWnd != NULL)
        return;
    CStartupSplash* pSplash = new CStartupSplash;
    c_pSplashWnd = pSplash;
    if (!pSplash->Create(pParentWnd))
    {
        // A window that was made and then failed already deleted its object.
        if (c_pSplashWnd == pSplash)
            delete pSplash;
        c_pSplashWnd = NULL;
        return;
    }
    pSplash->UpdateWindow();
}

BOOL CStartupSplash::HideOnInput(const MSG* pMsg)
{
    if (c_pSplashWnd == NULL)
        return FALSE;
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        c_pSplashWnd->HideSplash();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CStartupSplash::Create(CWnd* pParentWnd)
{
    if (!m_bitmap.LoadBitmap(IDB_STARTUP_SPLASH))
        return FALSE;
    BITMAP bm = {};
    m_bitmap.GetBitmap(&bm);
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW)), NULL,
                    WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight, pParentWnd->GetSafeHwnd(),
                    NULL);
}

void CStartupSplash::HideSplash()
{
    // The main window (the owner, when the splash has one) is repainted at
    // once, not when the window system next reports the uncovered area.
    HWND hWndMain = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndMain == NULL && AfxGetMainWnd() != NULL)
        hWndMain = AfxGetMainWnd()->GetSafeHwnd();
    DestroyWindow();
    if (hWndMain != NULL && ::IsWindow(hWndMain))
        ::RedrawWindow(hWndMain, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CStartupSplash::PostNcDestroy()
{
    delete this;
}

int CStartupSplash::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
    SetTimer(SPLASH_TIMER, SPLASH_MILLISECONDS);
    return 0;
}

void CStartupSplash::OnPaint()
{
    CPaintDC dc(this);
    CScopedMemoryDC dcImage(dc.m_hDC);
    if (dcImage.Get() == NULL)
        return;
    BITMAP bm = {};
    m_bitmap.GetBitmap(&bm);
    CScopedSelectObject select(dcImage.Get(), m_bitmap.m_hObject);
    ::BitBlt(dc.m_hDC, 0, 0, bm.bmWidth, bm.bmHeight, dcImage, 0, 0, SRCCOPY);
}

void CStartupSplash::OnTimer(UINT_PTR)
{
    HideSplash();
}
