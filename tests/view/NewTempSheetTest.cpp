// The New Template sheet run in this process: what each page hands back.
#include <functional>

#include "tests/support/Gtest.h"
#include "tests/support/ScratchFolder.h"

#include <commctrl.h>

#include "view/NewTempSheet.h"
#include "TemplateDialogIds.h"
#include "TemplatePickerIds.h"

namespace
{
std::function<void(HWND)> g_onShown;

void CALLBACK ActOnSheet(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hSheet = FindWindowA(NULL, "New Template");
    if (hSheet == NULL)
        return;
    KillTimer(NULL, nIDEvent);
    g_onShown(hSheet);
}

CString RunSheet(std::function<void(CNewTempSheet&, HWND)> act)
{
    CNewTempSheet sheet("New Template", NULL, 0);
    g_onShown = [&](HWND hSheet) { act(sheet, hSheet); };
    SetTimer(NULL, 0, 200, ActOnSheet);
    EXPECT_EQ(IDOK, sheet.DoModal());
    return sheet.m_strResult;
}

int ItemOf(CListCtrl& list, LPCSTR lpszText)
{
    for (int i = 0; i < list.GetItemCount(); ++i)
        if (list.GetItemText(i, 0) == lpszText)
            return i;
    return -1;
}

class NewTempSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitCommonControls();
        GetCurrentDirectoryA(MAX_PATH, m_szOldDir);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.GetPath()));
        CreateDirectoryA(m_folder.PathOf("Template"), NULL);
        CreateDirectoryA(m_folder.PathOf("Template\\Monthly"), NULL);
        WriteWholeFile(m_folder.PathOf("Template\\Monthly\\Costs.kvm"), "x");
        WriteWholeFile(m_folder.PathOf("Template\\Monthly\\OLD.KVM"), "x");
    }
    void TearDown() override { SetCurrentDirectoryA(m_szOldDir); }

    CScratchFolder m_folder;
    char m_szOldDir[MAX_PATH];
};
}

TEST_F(NewTempSheetTest, FirstPageHandsBackTheKindChosen)
{
    std::vector<std::string> order;
    EXPECT_STREQ("Empty Document", (LPCSTR)RunSheet([&](CNewTempSheet& sheet, HWND hSheet) {
        for (int i = 0; i < sheet.m_page1.m_listKinds.GetItemCount(); ++i)
            order.push_back((LPCSTR)sheet.m_page1.m_listKinds.GetItemText(i, 0));
        sheet.PressButton(PSBTN_OK);
    }));
    EXPECT_EQ((std::vector<std::string>{ "Analysis Report", "Empty Document" }), order);
    EXPECT_STREQ("Analysis Report", (LPCSTR)RunSheet([](CNewTempSheet& sheet, HWND) {
        CListCtrl& list = sheet.m_page1.m_listKinds;
        list.SetItemState(ItemOf(list, "Analysis Report"), LVIS_SELECTED, LVIS_SELECTED);
        sheet.PressButton(PSBTN_OK);
    }));
}

TEST_F(NewTempSheetTest, SecondPageHandsBackOnlyATemplateFile)
{
    CString strRoot = m_folder.GetPath() + "\\Template\\";
    auto choose = [&strRoot](LPCSTR lpszPath) {
        return RunSheet([&](CNewTempSheet& sheet, HWND) {
            sheet.SetActivePage(1);
            EXPECT_NE(nullptr, sheet.m_page2.m_treeTemplates.SelectPath(strRoot + lpszPath, FALSE));
            sheet.PressButton(PSBTN_OK);
        });
    };
    EXPECT_STREQ(strRoot + "Monthly\\Costs.kvm", (LPCSTR)choose("Monthly\\Costs.kvm"));
    EXPECT_STREQ("", (LPCSTR)choose("Monthly"));
    EXPECT_STREQ("", (LPCSTR)choose("Monthly\\OLD.KVM"));
}

TEST_F(NewTempSheetTest, OkButtonOnTheSecondPageTakesTheTemplateSelectedByMessages)
{
    CString strRoot = m_folder.GetPath() + "\\Template\\";
    EXPECT_STREQ(strRoot + "Monthly\\Costs.kvm", (LPCSTR)RunSheet([](CNewTempSheet&, HWND hSheet) {
        SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        HWND hPage = (HWND)SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        HWND hTree = GetDlgItem(hPage, IDC_TEMPLATE_FOLDERS);
        HTREEITEM hFolder = (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, (LPARAM)hFolder);
        HTREEITEM hFile = (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)hFolder);
        SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hFile);
        SendMessageA(GetDlgItem(hSheet, IDOK), BM_CLICK, 0, 0);
    }));
}
