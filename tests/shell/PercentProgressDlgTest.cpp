#include "tests/support/Gtest.h"
#include "tests/support/Screenshot.h"
#include "tests/shell/ShellTestWindow.h"
#include "shell/PercentProgressDlg.h"
#include "ProgressResource.h"

namespace {

CString ShownText(CPercentProgressDlg& dlg)
{
    CString str;
    dlg.GetDlgItemText(IDC_PROGRESS_TEXT, str);
    return str;
}

const UINT WM_PROBE = WM_APP + 31;

class CProbeOwner : public CShellTestWindow
{
public:
    int m_nProbes = 0;

protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        ++m_nProbes;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeOwner, CShellTestWindow)
    ON_MESSAGE(WM_PROBE, OnProbe)
END_MESSAGE_MAP()

} // namespace

TEST(PercentProgressText, PercentIsTakenModuloHundredExceptAtHundred)
{
    EXPECT_STREQ((LPCSTR)CPercentProgressDlg::PercentText(0, 0, 100), "0%");
    EXPECT_STREQ((LPCSTR)CPercentProgressDlg::PercentText(37, 0, 100), "37%");
    EXPECT_STREQ((LPCSTR)CPercentProgressDlg::PercentText(100, 0, 100), "100%");
    EXPECT_STREQ((LPCSTR)CPercentProgressDlg::PercentText(150, 0, 100), "50%");
    EXPECT_STREQ((LPCSTR)CPercentProgressDlg::PercentText(200, 0, 100), "0%");
    EXPECT_STREQ((LPCSTR)CPercentProgressDlg::PercentText(15, 10, 20), "50%");
}

TEST(PercentProgressDlg, ShowsCaptionAndPercentAndDisablesTheOwnerOnce)
{
    CProbeOwner owner;
    ASSERT_TRUE(owner.IsWindowEnabled());
    {
        CPercentProgressDlg dlg(IDS_COMPUTING_CELLS);
        ASSERT_TRUE(dlg.Create(&owner));
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), owner.m_hWnd);
        CString strCaption;
        dlg.GetWindowText(strCaption);
        EXPECT_STREQ((LPCSTR)strCaption, "Computing Cells Data...");

        EXPECT_EQ(dlg.SetPos(0), 0);
        EXPECT_STREQ((LPCSTR)ShownText(dlg), "0%");
        // Waiting messages reach their windows at every step shown.
        owner.PostMessage(WM_PROBE);
        ::Sleep(CPercentProgressDlg::STEP_INTERVAL_MS + 20);
        EXPECT_EQ(dlg.SetPos(37), 0);
        EXPECT_EQ(owner.m_nProbes, 1);
        EXPECT_STREQ((LPCSTR)ShownText(dlg), "37%");
        // A step right after a shown one is recorded, not shown; the end of
        // the range shows at once.
        owner.PostMessage(WM_PROBE);
        EXPECT_EQ(dlg.SetPos(60), 37);
        EXPECT_EQ(owner.m_nProbes, 1);
        EXPECT_STREQ((LPCSTR)ShownText(dlg), "37%");
        EXPECT_EQ(dlg.SetPos(100), 60);
        EXPECT_EQ(owner.m_nProbes, 2);
        EXPECT_STREQ((LPCSTR)ShownText(dlg), "100%");
        dlg.ShowWindow(SW_SHOW);
        dlg.UpdateWindow();
        PumpFor(200);
        SaveWindowScreenshot(dlg.m_hWnd, "..\\shell_progress_dialog.bmp");

        dlg.DestroyWindow();
        EXPECT_TRUE(owner.IsWindowEnabled());
        // Whoever disables the owner now keeps it disabled: the
        // destructor must not enable it a second time.
        owner.EnableWindow(FALSE);
    }
    EXPECT_FALSE(owner.IsWindowEnabled());
    owner.EnableWindow(TRUE);
}

TEST(PercentProgressDlg, OwnerDisabledBeforeStaysDisabledAndTheDestructorCleansUp)
{
    CShellTestWindow owner;
    owner.EnableWindow(FALSE);
    {
        CPercentProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(&owner));
        CString strCaption;
        dlg.GetWindowText(strCaption);
        EXPECT_STREQ((LPCSTR)strCaption, "Please wait");
        dlg.SetPos(150);
        EXPECT_STREQ((LPCSTR)ShownText(dlg), "50%");
    }
    EXPECT_FALSE(owner.IsWindowEnabled());

    owner.EnableWindow(TRUE);
    HWND hDlg = NULL;
    {
        CPercentProgressDlg dlg(IDS_SUMMING_DATA);
        ASSERT_TRUE(dlg.Create(&owner));
        hDlg = dlg.m_hWnd;
        EXPECT_FALSE(owner.IsWindowEnabled());
    }
    EXPECT_FALSE(::IsWindow(hDlg));
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(PercentProgressDlg, QuitSeenWhileSteppingIsLeftForTheProgramLoop)
{
    CShellTestWindow owner;
    CPercentProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(&owner));
    ::PostQuitMessage(3);
    dlg.SetPos(10);
    ::Sleep(CPercentProgressDlg::STEP_INTERVAL_MS + 20);
    dlg.SetPos(20);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_STREQ((LPCSTR)ShownText(dlg), "20%");
}
