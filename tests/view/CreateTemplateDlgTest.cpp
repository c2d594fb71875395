// The Create Template wizard run in this process without a reporting
// database: the attribute step, the grid step and Finish.
#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/view/DrivenDialog.h"

#include <commctrl.h>

#include "view/CreateTemplateDlg.h"
#include "TemplateWizardIds.h"

namespace
{
typedef CDrivenDialog<CCreateTemplateDlg> CDrivenWizard;

BOOL IsEnabled(CDialog* pDlg, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(pDlg->m_hWnd, nID));
}

CString Caption(CDialog* pDlg)
{
    CString strCaption;
    pDlg->GetWindowText(strCaption);
    return strCaption;
}

void Click(CDialog* pDlg, int nID)
{
    pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(pDlg->m_hWnd, nID));
}

// Clicks a check box of a page as the user does: its state flips, then the
// page hears of it.
void ClickCheck(CDialog* pPage, int nID)
{
    HWND hBox = ::GetDlgItem(pPage->m_hWnd, nID);
    ::SendMessageA(hBox, BM_SETCHECK, ::SendMessageA(hBox, BM_GETCHECK, 0, 0) == BST_CHECKED ? 0 : 1, 0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hBox);
}

// Presses Enter in a field of a page the way the wizard's message loop
// hands the key on.
void PressEnterIn(CDialog* pPage, int nID)
{
    HWND hField = ::GetDlgItem(pPage->m_hWnd, nID);
    ::SetFocus(hField);
    MSG msg = { hField, WM_KEYDOWN, VK_RETURN, 0x001C0001, ::GetTickCount(), {} };
    if (!CWnd::WalkPreTranslateTree(pPage->GetParent()->m_hWnd, &msg))
        ::DispatchMessageA(&msg);
}

class CreateTemplateDlgTest : public ::testing::Test
{
protected:
    void SetUp() override { InitCommonControls(); }
    MessageBoxRecorder m_messages;
};
}

TEST_F(CreateTemplateDlgTest, DefaultsGoStraightToAGridOfTenByThree)
{
    CDrivenWizard dlg(NULL);
    dlg.m_onInit = [](CDrivenWizard* p) {
        EXPECT_STREQ("Step 1:Set Template Attribute", (LPCSTR)Caption(p));
        EXPECT_TRUE(IsEnabled(p, IDC_WIZARD_NEXT));
        EXPECT_FALSE(IsEnabled(p, IDOK));
        EXPECT_FALSE(IsEnabled(p, IDC_WIZARD_PREVIOUS));
        Click(p, IDC_WIZARD_NEXT);
        EXPECT_STREQ("Step 2:Set Rows and Columns", (LPCSTR)Caption(p));
        EXPECT_EQ(IDB_WIZARD_STEP2, p->m_nStepBitmap);
        EXPECT_TRUE(IsEnabled(p, IDOK));
        EXPECT_FALSE(IsEnabled(p, IDC_WIZARD_NEXT));
        EXPECT_TRUE(IsEnabled(p, IDC_WIZARD_PREVIOUS));
        // Without a database only the grid can be made.
        for (int nID : { IDC_LAYOUT_BY_ITEMS, IDC_LAYOUT_ITEMS_AS_ROWS, IDC_LAYOUT_ITEMS_AS_COLUMNS,
                         IDC_LAYOUT_SPLIT_COLUMNS, IDC_LAYOUT_SPLIT_NUMBER })
            EXPECT_FALSE(IsEnabled(&p->m_pageLayout, nID)) << nID;
        p->Press(IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(10, dlg.m_pageLayout.m_nRows);
    EXPECT_EQ(3, dlg.m_pageLayout.m_nColumns);
    EXPECT_FALSE(dlg.m_pageLayout.m_bByItems);
    EXPECT_STREQ("TallyformTemplate1", (LPCSTR)dlg.m_pageInfo.m_strName);
    EXPECT_EQ(0, dlg.m_pageInfo.m_nType);
    // The design date is the local date.
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString strToday;
    strToday.Format("%d-%d-%d", now.wYear, now.wMonth, now.wDay);
    EXPECT_STREQ(strToday, (LPCSTR)dlg.m_pageInfo.m_strDate);
}

TEST_F(CreateTemplateDlgTest, AnEmptyAttributeHoldsNextBackAndFieldsKeepToTheHeaderWidths)
{
    CDrivenWizard dlg(NULL);
    dlg.m_onInit = [](CDrivenWizard* p) {
        for (int nID : { IDC_TEMPLATE_ATTR_NAME, IDC_TEMPLATE_ATTR_CODE, IDC_TEMPLATE_ATTR_VERSION,
                         IDC_TEMPLATE_ATTR_ORGAN, IDC_TEMPLATE_ATTR_ORGAN_CODE, IDC_TEMPLATE_ATTR_DESIGNER,
                         IDC_TEMPLATE_ATTR_DATE })
        {
            SCOPED_TRACE(nID);
            CString strOld;
            p->m_pageInfo.GetDlgItemText(nID, strOld);
            p->m_pageInfo.SetDlgItemText(nID, "");
            EXPECT_FALSE(IsEnabled(p, IDC_WIZARD_NEXT));
            p->m_pageInfo.SetDlgItemText(nID, strOld);
            EXPECT_TRUE(IsEnabled(p, IDC_WIZARD_NEXT));
        }
        EXPECT_EQ(8, (int)p->m_pageInfo.SendDlgItemMessage(IDC_TEMPLATE_ATTR_CODE, EM_GETLIMITTEXT));
        EXPECT_EQ(13, (int)p->m_pageInfo.SendDlgItemMessage(IDC_TEMPLATE_ATTR_DATE, EM_GETLIMITTEXT));
        p->Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(CreateTemplateDlgTest, FinishStaysOpenWhileTheRowsAreOutOfRange)
{
    CDrivenWizard dlg(NULL);
    dlg.m_onInit = [](CDrivenWizard* p) {
        Click(p, IDC_WIZARD_NEXT);
        p->m_pageLayout.SetDlgItemText(IDC_LAYOUT_ROWS, "600");
        Click(p, IDOK);
        EXPECT_TRUE(::IsWindow(p->m_hWnd));
        EXPECT_EQ(IDD_TEMPLATE_LAYOUT, p->m_nCurPage);
        p->m_pageLayout.SetDlgItemText(IDC_LAYOUT_ROWS, "20");
        p->m_pageLayout.SetDlgItemText(IDC_LAYOUT_COLUMNS, "30");
        p->Press(IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_EQ(20, dlg.m_pageLayout.m_nRows);
    EXPECT_EQ(30, dlg.m_pageLayout.m_nColumns);
    ASSERT_FALSE(m_messages.Messages().empty());
}

TEST_F(CreateTemplateDlgTest, EnterInAnOutOfRangeRowsFieldWarnsOnceAndKeepsTheField)
{
    m_messages.TakeFocusWhileShown();
    CDrivenWizard dlg(NULL);
    dlg.m_onInit = [this](CDrivenWizard* p) {
        p->ShowWindow(SW_SHOW);
        Click(p, IDC_WIZARD_NEXT);
        p->m_pageLayout.SetDlgItemText(IDC_LAYOUT_ROWS, "501");
        PressEnterIn(&p->m_pageLayout, IDC_LAYOUT_ROWS);
        EXPECT_TRUE(::IsWindow(p->m_hWnd));
        EXPECT_EQ(IDD_TEMPLATE_LAYOUT, p->m_nCurPage);
        EXPECT_EQ(1u, m_messages.Messages().size());
        EXPECT_EQ(::GetDlgItem(p->m_pageLayout.m_hWnd, IDC_LAYOUT_ROWS), ::GetFocus());
        // Leaving the field still checks it, once.
        ::SetFocus(::GetDlgItem(p->m_pageLayout.m_hWnd, IDC_LAYOUT_COLUMNS));
        EXPECT_EQ(2u, m_messages.Messages().size());
        EXPECT_EQ(::GetDlgItem(p->m_pageLayout.m_hWnd, IDC_LAYOUT_ROWS), ::GetFocus());
        p->m_pageLayout.SetDlgItemText(IDC_LAYOUT_ROWS, "500");
        PressEnterIn(&p->m_pageLayout, IDC_LAYOUT_ROWS);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_EQ(500, dlg.m_pageLayout.m_nRows);
    ASSERT_EQ(2u, m_messages.Messages().size());
    EXPECT_EQ(m_messages.Messages()[0].text, m_messages.Messages()[1].text);
}

TEST_F(CreateTemplateDlgTest, ByItemsTurnsTheStepIntoOneThatGoesOn)
{
    CDrivenWizard dlg(NULL);
    dlg.m_onInit = [](CDrivenWizard* p) {
        Click(p, IDC_WIZARD_NEXT);
        // The box is disabled without a database; its handler is what the
        // user reaches with one, and it flips the page either way.
        ClickCheck(&p->m_pageLayout, IDC_LAYOUT_BY_ITEMS);
        EXPECT_FALSE(IsEnabled(&p->m_pageLayout, IDC_LAYOUT_ROWS));
        EXPECT_FALSE(IsEnabled(&p->m_pageLayout, IDC_LAYOUT_COLUMNS));
        EXPECT_TRUE(IsEnabled(&p->m_pageLayout, IDC_LAYOUT_ITEMS_AS_ROWS));
        EXPECT_TRUE(IsEnabled(&p->m_pageLayout, IDC_LAYOUT_SPLIT_COLUMNS));
        EXPECT_FALSE(IsEnabled(&p->m_pageLayout, IDC_LAYOUT_SPLIT_NUMBER));
        EXPECT_FALSE(IsEnabled(p, IDOK));
        EXPECT_TRUE(IsEnabled(p, IDC_WIZARD_NEXT));
        ClickCheck(&p->m_pageLayout, IDC_LAYOUT_SPLIT_COLUMNS);
        EXPECT_TRUE(IsEnabled(&p->m_pageLayout, IDC_LAYOUT_SPLIT_NUMBER));
        // On to the row items: with nothing chosen the step is kept.
        Click(p, IDC_WIZARD_NEXT);
        EXPECT_EQ(IDD_SELECT_ROW_ITEMS, p->m_nCurPage);
        Click(p, IDC_WIZARD_NEXT);
        EXPECT_EQ(IDD_SELECT_ROW_ITEMS, p->m_nCurPage);
        Click(p, IDC_WIZARD_PREVIOUS);
        ClickCheck(&p->m_pageLayout, IDC_LAYOUT_BY_ITEMS);
        EXPECT_TRUE(IsEnabled(&p->m_pageLayout, IDC_LAYOUT_ROWS));
        EXPECT_TRUE(IsEnabled(p, IDOK));
        EXPECT_FALSE(IsEnabled(p, IDC_WIZARD_NEXT));
        p->Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(1u, m_messages.Messages().size());
    EXPECT_EQ("Item information cannot be empty!", m_messages.Messages()[0].text);
}
