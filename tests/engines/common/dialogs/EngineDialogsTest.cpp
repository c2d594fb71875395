// The engine libraries' dialogs, created from the library's own resources
// and driven with messages.
#include <functional>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/UpdateConfirmDriver.h"

#include "engines/common/ConfirmDialogPrompt.h"
#include "engines/common/EngineModule.h"
#include "engines/common/EngineResources.h"
#include "engines/common/UpdateConfirmDlg.h"
#include "framework/windows/WndMessageMap.h"

namespace {

const UINT WM_TEST_STEP = WM_APP + 31;
const UINT_PTR WATCHDOG_TIMER = 77;

// The overwrite question, scripted: each step runs once the previous one's
// messages are handled; a watchdog ends a stalled dialog.
class CScriptedConfirmDlg : public CUpdateConfirmDlg
{
public:
    CScriptedConfirmDlg() : CUpdateConfirmDlg(IDB_BRASSLOCK_WARNING) {}

    std::vector<std::function<void(CScriptedConfirmDlg*)>> m_steps;
    std::vector<CString> m_shown;
    BOOL m_bWatchdogFired = FALSE;

protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CUpdateConfirmDlg::OnInitDialog();
        for (int nID = IDC_CONFIRM_REPORT_DATE; nID <= IDC_CONFIRM_CURRENT_DATA; ++nID)
        {
            CString strText;
            GetDlgItemText(nID, strText);
            m_shown.push_back(strText);
        }
        SetTimer(WATCHDOG_TIMER, 5000, NULL);
        PostMessage(WM_TEST_STEP, 0, 0);
        return bResult;
    }

    LRESULT OnTestStep(WPARAM wParam, LPARAM)
    {
        if (wParam < m_steps.size())
        {
            m_steps[wParam](this);
            PostMessage(WM_TEST_STEP, wParam + 1, 0);
        }
        return 0;
    }

    void OnTimer(UINT_PTR)
    {
        m_bWatchdogFired = TRUE;
        EndDialog(IDABORT);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScriptedConfirmDlg, CUpdateConfirmDlg)
    ON_MESSAGE(WM_TEST_STEP, OnTestStep)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// A top-level window that counts the pings posted to it.
class COwnerWnd : public CWnd
{
public:
    int m_nPings = 0;

    BOOL CreateOwner(DWORD dwStyle)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "owner", dwStyle, CRect(0, 0, 200, 100), NULL, 0);
    }

protected:
    LRESULT OnPing(WPARAM, LPARAM)
    {
        ++m_nPings;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT WM_TEST_PING = WM_APP + 32;

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_MESSAGE(WM_TEST_PING, OnPing)
END_MESSAGE_MAP()

void Click(CWnd* pDlg, int nID)
{
    ::SendMessageA(::GetDlgItem(pDlg->m_hWnd, nID), BM_CLICK, 0, 0);
}

// The answer of a dialog run with these steps.
int RunConfirm(std::vector<std::function<void(CScriptedConfirmDlg*)>> steps)
{
    CScriptedConfirmDlg dlg;
    dlg.m_steps = steps;
    dlg.DoModal();
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    return dlg.m_nResult;
}

}

TEST(UpdateConfirmDlg, ShowsTheSevenTextsInTheirControls)
{
    CScriptedConfirmDlg dlg;
    dlg.m_strReportDate = "March,2005";
    dlg.m_strOrgan = "Head Office";
    dlg.m_strColItem = "This period";
    dlg.m_strRowItem = "Sales";
    dlg.m_strLine = "3";
    dlg.m_strOldData = "5";
    dlg.m_strCurrentData = "5.0";
    dlg.m_steps = {[](CScriptedConfirmDlg* p) {
        CString strCaption;
        p->GetWindowText(strCaption);
        EXPECT_STREQ("Update", strCaption);
        Click(p, IDC_CONFIRM_UPDATE);
    }};
    dlg.DoModal();
    EXPECT_EQ((std::vector<CString>{"March,2005", "Head Office", "This period", "Sales", "3", "5", "5.0"}),
              dlg.m_shown);
    EXPECT_EQ(OVERWRITE_UPDATE, dlg.m_nResult);
}

TEST(UpdateConfirmDlg, AnswersOfTheButtonsWithAndWithoutToAll)
{
    EXPECT_EQ(OVERWRITE_UPDATE, RunConfirm({[](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_UPDATE); }}));
    EXPECT_EQ(OVERWRITE_SKIP, RunConfirm({[](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_CANCEL); }}));
    EXPECT_EQ(OVERWRITE_UPDATE_ALL, RunConfirm({[](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_TO_ALL); },
                                                [](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_UPDATE); }}));
    EXPECT_EQ(OVERWRITE_SKIP_ALL, RunConfirm({[](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_TO_ALL); },
                                              [](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_CANCEL); }}));
    // Ticked and unticked again.
    EXPECT_EQ(OVERWRITE_UPDATE, RunConfirm({[](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_TO_ALL); },
                                            [](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_TO_ALL); },
                                            [](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_UPDATE); }}));
}

TEST(UpdateConfirmDlg, EscapeOrCloseLeavesTheValueEvenWithToAll)
{
    EXPECT_EQ(OVERWRITE_SKIP, RunConfirm({[](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_TO_ALL); },
                                          [](CScriptedConfirmDlg* p) {
                                              p->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                                          }}));
    EXPECT_EQ(OVERWRITE_SKIP, RunConfirm({[](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_TO_ALL); },
                                          [](CScriptedConfirmDlg* p) { p->SendMessage(WM_CLOSE, 0, 0); }}));
}

TEST(UpdateConfirmDlg, PaintsTheWarningFromItsOwnModule)
{
    HBITMAP hBitmap = ::LoadBitmapA(EngineModuleHandle(), MAKEINTRESOURCEA(IDB_BRASSLOCK_WARNING));
    ASSERT_NE(nullptr, hBitmap);
    DeleteObject(hBitmap);
    EXPECT_EQ(OVERWRITE_SKIP, RunConfirm({[](CScriptedConfirmDlg* p) {
                                              p->Invalidate();
                                              p->UpdateWindow();
                                              // The red warning text lies in control 1004's rectangle.
                                              CRect rc;
                                              p->GetDlgItem(IDC_CONFIRM_WARNING)->GetWindowRect(&rc);
                                              p->ScreenToClient(&rc);
                                              HDC hDC = ::GetDC(p->m_hWnd);
                                              int nRed = 0;
                                              for (int x = rc.left; x < rc.right; ++x)
                                                  for (int y = rc.top; y < rc.bottom; ++y)
                                                      if (::GetPixel(hDC, x, y) == RGB(255, 0, 0))
                                                          ++nRed;
                                              ::ReleaseDC(p->m_hWnd, hDC);
                                              EXPECT_GT(nRed, 20);
                                          },
                                          [](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_CANCEL); }}));
}

namespace {

// Whether any pixel of column x from row y0 to y1 (excluded) is dark.
BOOL HasDark(HDC hDC, int x, int y0, int y1)
{
    for (int y = y0; y < y1; ++y)
    {
        COLORREF cr = ::GetPixel(hDC, x, y);
        if (GetRValue(cr) + GetGValue(cr) + GetBValue(cr) < 300)
            return TRUE;
    }
    return FALSE;
}

// The focused "to All" box as drawn: its label ends left of the dotted
// focus frame, with a clear column between them.
void ExpectWholeToAllLabel(CScriptedConfirmDlg* p)
{
    CWnd* pCheck = p->GetDlgItem(IDC_CONFIRM_TO_ALL);
    p->SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    pCheck->SetFocus();
    pCheck->Invalidate();
    pCheck->UpdateWindow();
    CRect rc;
    pCheck->GetClientRect(&rc);
    HDC hDC = ::GetDC(pCheck->m_hWnd);
    // The frame's right side is the rightmost dark column.
    int xFrame = rc.right - 1;
    while (xFrame > 0 && !HasDark(hDC, xFrame, 0, rc.bottom))
        --xFrame;
    int yTop = 0, yBottom = rc.bottom - 1;
    while (yTop < yBottom && !HasDark(hDC, xFrame, yTop, yTop + 1))
        ++yTop;
    while (yBottom > yTop && !HasDark(hDC, xFrame, yBottom, yBottom + 1))
        --yBottom;
    // A dotted side has no two dark pixels one above the other.
    BOOL bDotted = yBottom - yTop > 4;
    for (int y = yTop + 1; y + 1 < yBottom; ++y)
        bDotted = bDotted && !(HasDark(hDC, xFrame, y, y + 1) && HasDark(hDC, xFrame, y + 1, y + 2));
    int xText = xFrame - 1;
    while (xText > 0 && !HasDark(hDC, xText, yTop + 2, yBottom - 1))
        --xText;
    ::ReleaseDC(pCheck->m_hWnd, hDC);
    EXPECT_TRUE(bDotted) << "the label runs into the focus frame";
    EXPECT_GE(xFrame - xText, 2) << "no room between the label and its frame";
}

}

TEST(UpdateConfirmDlg, ToAllIsDrawnWholeInsideItsFocusFrame)
{
    EXPECT_EQ(OVERWRITE_SKIP, RunConfirm({ ExpectWholeToAllLabel,
                                           [](CScriptedConfirmDlg* p) { Click(p, IDC_CONFIRM_CANCEL); } }));
}

TEST(ConfirmDialogPrompt, TheDialogShowsThePeriodLabelEvenWithAMessageSink)
{
    // Message boxes are recorded, but the question is the real dialog.
    MessageBoxRecorder recorder;
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::updateAll);
    CConfirmDialogPrompt prompt(IDB_BRASSLOCK_WARNING);
    CReportOverwriteQuestion question;
    question.m_strPeriodCode = "2005000300015";
    question.m_strOldData = "5";
    question.m_strCurrentData = "6";
    EXPECT_EQ(OVERWRITE_UPDATE_ALL, prompt.Ask(question));
    EXPECT_TRUE(recorder.Messages().empty());
    ASSERT_EQ(1u, confirm.Asked().size());
    EXPECT_EQ(0u, confirm.Asked()[0].find("Report Date: 15March,2005\n")) << confirm.Asked()[0];
}

TEST(EngineProgressDlg, DisablesItsOwnerAndCountsUp)
{
    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateOwner(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    {
        CEngineProgressDlg dlg(ENGINE_PROGRESS_LOAD, IDD_BRASSLOCK_PROGRESS);
        ASSERT_TRUE(dlg.Create(&owner));
        EXPECT_TRUE(dlg.m_bDisabledOwner);
        EXPECT_FALSE(owner.IsWindowEnabled());
        CString strText;
        dlg.GetWindowText(strText);
        EXPECT_STREQ("Loading data...", strText);
        dlg.GetDlgItemText(IDC_ENGINE_PROGRESS_PERCENT, strText);
        EXPECT_STREQ(" 0 %", strText);

        // Messages waiting for the owner are handled at every step.
        owner.PostMessage(WM_TEST_PING, 0, 0);
        EXPECT_EQ(0, dlg.SetPos(45));
        dlg.GetDlgItemText(IDC_ENGINE_PROGRESS_PERCENT, strText);
        EXPECT_STREQ("45%", strText);
        EXPECT_EQ(1, owner.m_nPings);
        // A step that leaves the bar where it stands sees to them a moment later.
        owner.PostMessage(WM_TEST_PING, 0, 0);
        Sleep(250);
        EXPECT_EQ(45, dlg.SetPos(45));
        EXPECT_EQ(2, owner.m_nPings);
        EXPECT_EQ(45, dlg.SetPos(100));
        dlg.GetDlgItemText(IDC_ENGINE_PROGRESS_PERCENT, strText);
        EXPECT_STREQ("100%", strText);
    }
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST(EngineProgressDlg, LeavesADisabledOwnerAsItWasAndKeepsAQuitRequest)
{
    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateOwner(WS_OVERLAPPEDWINDOW));
    owner.EnableWindow(FALSE);
    {
        CEngineProgressDlg dlg(ENGINE_PROGRESS_SAVE, IDD_BRASSLOCK_PROGRESS);
        ASSERT_TRUE(dlg.Create(&owner));
        EXPECT_FALSE(dlg.m_bDisabledOwner);
        CString strText;
        dlg.GetWindowText(strText);
        EXPECT_STREQ("Saving data...", strText);
        PostQuitMessage(3);
        dlg.SetPos(10);
    }
    EXPECT_FALSE(owner.IsWindowEnabled());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
    owner.DestroyWindow();
}

TEST(EngineProgressDlg, TemplateMissingFromTheModuleGivesBackTheOwner)
{
    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateOwner(WS_OVERLAPPEDWINDOW));
    CEngineProgressDlg dlg(ENGINE_PROGRESS_LOAD, IDD_ODBC_PROGRESS);
    EXPECT_FALSE(dlg.Create(&owner));
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}
