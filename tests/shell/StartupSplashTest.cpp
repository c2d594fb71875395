#include "tests/support/Gtest.h"
#include "tests/support/Screenshot.h"
#include "tests/shell/ShellTestWindow.h"
#include "shell/StartupSplash.h"

namespace {

// Offers each waiting message to the splash first, as the program's
// PreTranslateMessage does.
void PumpThroughSplash(DWORD nMilliseconds)
{
    DWORD dwStart = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (CStartupSplash::HideOnInput(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < nMilliseconds);
}

} // namespace

TEST(StartupSplash, NothingIsShownUntilEnabledAndOnlyOneAtATime)
{
    CStartupSplash::EnableSplash(FALSE);
    CStartupSplash::ShowSplash();
    EXPECT_EQ(CStartupSplash::GetShown(), nullptr);

    CStartupSplash::EnableSplash(TRUE);
    CStartupSplash::ShowSplash();
    CStartupSplash* pSplash = CStartupSplash::GetShown();
    ASSERT_NE(pSplash, nullptr);
    CStartupSplash::ShowSplash();
    EXPECT_EQ(CStartupSplash::GetShown(), pSplash);

    // The picture's size, centred on the screen.
    CRect rc;
    pSplash->GetWindowRect(&rc);
    EXPECT_EQ(rc.Width(), 400);
    EXPECT_EQ(rc.Height(), 240);
    EXPECT_LE(abs(rc.CenterPoint().x - ::GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(abs(rc.CenterPoint().y - ::GetSystemMetrics(SM_CYSCREEN) / 2), 1);
    PumpFor(200);
    SaveWindowScreenshot(pSplash->m_hWnd, "..\\shell_startup_splash.bmp");

    MSG msg = {};
    msg.message = WM_MOUSEMOVE;
    EXPECT_FALSE(CStartupSplash::HideOnInput(&msg));
    msg.message = WM_KEYDOWN;
    EXPECT_TRUE(CStartupSplash::HideOnInput(&msg));
    EXPECT_EQ(CStartupSplash::GetShown(), nullptr);
    EXPECT_FALSE(CStartupSplash::HideOnInput(&msg));
    CStartupSplash::EnableSplash(FALSE);
}

TEST(StartupSplash, GoesAwayByItselfAfterItsTime)
{
    CShellTestWindow owner;
    CStartupSplash::EnableSplash(TRUE);
    CStartupSplash::ShowSplash(&owner);
    ASSERT_NE(CStartupSplash::GetShown(), nullptr);
    EXPECT_EQ(::GetWindow(CStartupSplash::GetShown()->m_hWnd, GW_OWNER), owner.m_hWnd);
    PumpFor(1800);
    EXPECT_NE(CStartupSplash::GetShown(), nullptr);
    PumpFor(900);
    EXPECT_EQ(CStartupSplash::GetShown(), nullptr);
    CStartupSplash::EnableSplash(FALSE);
}

TEST(StartupSplash, FirstClickClosesTheSplashAndIsNotDelivered)
{
    CShellTestWindow owner;
    CStartupSplash::EnableSplash(TRUE);
    CStartupSplash::ShowSplash(&owner);
    ASSERT_NE(CStartupSplash::GetShown(), nullptr);
    owner.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PumpThroughSplash(100);
    EXPECT_EQ(CStartupSplash::GetShown(), nullptr);
    EXPECT_EQ(owner.m_nClicks, 0);
    owner.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PumpThroughSplash(50);
    EXPECT_EQ(owner.m_nClicks, 1);
    CStartupSplash::EnableSplash(FALSE);
}
