#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/DialogDriver.h"
#include "framework/windows/DataExchange.h"
#include "framework/windows/PropertySheet.h"
#include "WindowTestResource.h"

namespace {

// A page that logs its notifications and exchanges one text.
class CLoggingPage : public CPropertyPage
{
public:
    std::vector<std::string>& m_log;
    std::string m_strName;
    UINT m_nIDEdit;
    CString m_strValue;
    BOOL m_bKeepOnLeave = FALSE;

    CLoggingPage(UINT nIDTemplate, UINT nIDEdit, const char* pszName, std::vector<std::string>& log)
        : CPropertyPage(nIDTemplate), m_log(log), m_strName(pszName), m_nIDEdit(nIDEdit)
    {
    }

    BOOL OnInitDialog() override
    {
        m_log.push_back(m_strName + ".init" + (FromHandlePermanent(m_hWnd) == this ? "" : "(unbound)"));
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        m_log.push_back(m_strName + ".active");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        m_log.push_back(m_strName + ".leave");
        return m_bKeepOnLeave ? FALSE : CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        m_log.push_back(m_strName + ".apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override { m_log.push_back(m_strName + ".reset"); }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, (int)m_nIDEdit, m_strValue); }
};

class CLoggingSheet : public CPropertySheet
{
public:
    std::vector<std::string>& m_log;
    CLoggingSheet(std::vector<std::string>& log) : CPropertySheet("Settings"), m_log(log) {}
    BOOL OnInitDialog() override
    {
        m_log.push_back(FromHandlePermanent(m_hWnd) == this ? "sheet.init" : "sheet.init(unbound)");
        return CPropertySheet::OnInitDialog();
    }
};

HWND PageWindow(HWND hSheet)
{
    return (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
}

} // namespace

TEST(PropertySheetModal, PagesExchangeTheirDataAndOkAppliesEach)
{
    std::vector<std::string> log;
    CLoggingPage name(IDD_PAGE_NAME, IDC_PAGE_TEXT, "name", log);
    CLoggingPage count(IDD_PAGE_COUNT, IDC_PAGE_NUMBER, "count", log);
    name.m_strValue = "first";
    CLoggingSheet sheet(log);
    sheet.AddPage(&name);
    sheet.AddPage(&count);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.EnableStackedTabs(FALSE);
    int nActiveAfterSwitch = -2;
    CString strShownFirst;
    CDialogDriver driver([&](HWND hSheet) {
        HWND hPage = PageWindow(hSheet);
        char szText[32] = "";
        ::GetDlgItemTextA(hPage, IDC_PAGE_TEXT, szText, sizeof(szText));
        strShownFirst = szText;
        ::SetDlgItemTextA(hPage, IDC_PAGE_TEXT, "changed");
        ::SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        nActiveAfterSwitch = sheet.GetActiveIndex();
        ::SetDlgItemTextA(PageWindow(hSheet), IDC_PAGE_NUMBER, "42");
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_STREQ((LPCSTR)strShownFirst, "first");
    EXPECT_EQ(nActiveAfterSwitch, 1);
    EXPECT_STREQ((LPCSTR)name.m_strValue, "changed");
    EXPECT_STREQ((LPCSTR)count.m_strValue, "42");
    const std::vector<std::string> expected = { "name.init", "sheet.init", "name.active", "name.leave",
                                                "count.init", "count.active", "count.leave", "name.apply",
                                                "count.apply" };
    // The sheet may initialise before or after its first page; the rest is ordered.
    std::vector<std::string> got = log;
    if (got.size() > 1 && got[0] == "sheet.init")
        std::swap(got[0], got[1]);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST(PropertySheetModal, RefusingToLeaveKeepsThePageAndCancelResets)
{
    std::vector<std::string> log;
    CLoggingPage name(IDD_PAGE_NAME, IDC_PAGE_TEXT, "name", log);
    CLoggingPage count(IDD_PAGE_COUNT, IDC_PAGE_NUMBER, "count", log);
    name.m_bKeepOnLeave = TRUE;
    name.m_strValue = "kept";
    CPropertySheet sheet("Settings");
    sheet.AddPage(&name);
    sheet.AddPage(&count);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    int nActive = -2;
    CDialogDriver driver([&](HWND hSheet) {
        ::SetDlgItemTextA(PageWindow(hSheet), IDC_PAGE_TEXT, "typed");
        ::SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        nActive = sheet.GetActiveIndex();
        EXPECT_EQ(sheet.GetActivePage(), &name);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(nActive, 0);
    EXPECT_STREQ((LPCSTR)name.m_strValue, "kept");
    EXPECT_EQ(std::count(log.begin(), log.end(), "name.reset"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "name.apply"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "count.init"), 0);
}

TEST(PropertySheetModal, StartPageIsShownFirstAndAnEmptySheetFails)
{
    std::vector<std::string> log;
    CLoggingPage name(IDD_PAGE_NAME, IDC_PAGE_TEXT, "name", log);
    CLoggingPage count(IDD_PAGE_COUNT, IDC_PAGE_NUMBER, "count", log);
    CPropertySheet sheet("Settings", NULL, 1);
    sheet.AddPage(&name);
    sheet.AddPage(&count);
    EXPECT_EQ(sheet.GetActivePage(), &count);
    CDialogDriver driver([&](HWND) { sheet.PressButton(PSBTN_CANCEL); });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "count.init");

    CPropertySheet empty("Nothing");
    EXPECT_EQ(empty.DoModal(), -1);
    EXPECT_FALSE(empty.Create());
}

TEST(PropertySheetModeless, CreateShowsTheSheetUntilOkClosesIt)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                               100, NULL, NULL));
    std::vector<std::string> log;
    CLoggingPage name(IDD_PAGE_NAME, IDC_PAGE_TEXT, "name", log);
    CLoggingSheet sheet(log);
    sheet.AddPage(&name);
    ASSERT_TRUE(sheet.Create(&owner));
    ASSERT_TRUE(::IsWindow(sheet.m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(sheet.m_hWnd), &sheet);
    EXPECT_EQ(sheet.GetActivePage(), &name);
    EXPECT_TRUE(owner.IsWindowEnabled());
    HWND hSheet = sheet.m_hWnd;
    ::SetDlgItemTextA(PageWindow(hSheet), IDC_PAGE_TEXT, "modeless");
    sheet.PressButton(PSBTN_OK);
    MSG msg;
    for (int i = 0; i < 20 && ::IsWindow(hSheet); i++)
    {
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
    EXPECT_FALSE(::IsWindow(hSheet));
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_STREQ((LPCSTR)name.m_strValue, "modeless");
    EXPECT_EQ(std::count(log.begin(), log.end(), "name.apply"), 1);
    owner.DestroyWindow();
}
