#include <vector>

#include "tests/support/Gtest.h"

#include "framework/docview/Document.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/Menu.h"
#include "tests/framework/docview/FrameTestResource.h"

namespace
{
// Records its idle calls; the first idle pass posts a message so a second
// pass follows, and the second ends the loop.
class CLoopApp : public CWinApp
{
public:
    CLoopApp() : CWinApp("LoopApp") {}

    BOOL OnIdle(LONG lCount) override
    {
        m_counts.push_back(lCount);
        if (lCount == 0 && m_pMenu == NULL)
        {
            m_hMenu = ::CreateMenu();
            m_pMenu = CMenu::FromHandle(m_hMenu);
        }
        BOOL bMore = CWinApp::OnIdle(lCount);
        if (!bMore && ++m_nPasses == 1)
            ::PostThreadMessageA(::GetCurrentThreadId(), WM_USER, 0, 0);
        else if (!bMore)
            ::PostQuitMessage(7);
        return bMore;
    }
    int ExitInstance() override
    {
        m_bExited = TRUE;
        return CWinApp::ExitInstance();
    }

    std::vector<LONG> m_counts;
    int m_nPasses = 0;
    BOOL m_bExited = FALSE;
    HMENU m_hMenu = NULL;
    CMenu* m_pMenu = NULL;
};

const char kCompany[] = "Frame Tests Company";

CString ReadRegistryString(LPCSTR lpszSubKey, LPCSTR lpszValue)
{
    char szValue[256] = "";
    DWORD cb = sizeof(szValue);
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, lpszSubKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return CString("<no key>");
    LONG lResult = ::RegQueryValueExA(hKey, lpszValue, NULL, NULL,
                                      reinterpret_cast<LPBYTE>(szValue), &cb);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS ? CString(szValue) : CString("<no value>");
}

class ProfileTest : public ::testing::Test
{
protected:
    ProfileTest() : m_app("ProfileApp") { m_app.SetRegistryKey(kCompany); }
    ~ProfileTest() override
    {
        CString strKey = CString("Software\\") + kCompany;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
    }
    CWinApp m_app;
};
} // namespace

TEST(WinApp, MessageLoopRunsIdlePassesUntilQuitAndReturnsTheQuitCode)
{
    CLoopApp app;
    EXPECT_EQ(&app, AfxGetApp());
    EXPECT_EQ(7, app.Run());
    EXPECT_TRUE(app.m_bExited);
    // Each pass: the command-UI update (0), the clean-up (1); the posted
    // message starts the second pass from 0 again.
    EXPECT_EQ(std::vector<LONG>({ 0, 1, 0, 1 }), app.m_counts);
    // The clean-up pass let go of the temporary menu wrapper but not of the menu.
    EXPECT_TRUE(::IsMenu(app.m_hMenu));
    ::DestroyMenu(app.m_hMenu);
}

TEST(WinApp, IdleUpdatePutsTheActiveDocumentIntoTheMainFrameCaption)
{
    CLoopApp app;
    CDocument doc;
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_ROUTING_FRAME));
    app.m_pMainWnd = pFrame;
    EXPECT_EQ(pFrame, AfxGetMainWnd());
    pFrame->ShowWindow(SW_SHOWNA);
    CString strCaption;
    pFrame->GetWindowText(strCaption);
    EXPECT_STREQ("Routing Frame", (LPCSTR)strCaption);

    // A view of the document becomes active between two idle passes.
    CCreateContext context;
    context.m_pNewViewClass = CRuntimeClass::FromName("CRoutingView");
    ASSERT_NE(nullptr, context.m_pNewViewClass);
    context.m_pCurrentDoc = &doc;
    doc.SetTitle("Budget");
    CWnd* pView = pFrame->CreateView(&context);
    ASSERT_NE(nullptr, pView);
    pFrame->SetActiveView(static_cast<CView*>(pView));
    app.OnIdle(0);
    pFrame->GetWindowText(strCaption);
    EXPECT_STREQ("Budget - Routing Frame", (LPCSTR)strCaption);

    pFrame->DestroyWindow();
    EXPECT_EQ(nullptr, AfxGetMainWnd());
    MSG quit = {};
    ::PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(ProfileTest, ValuesRoundTripUnderTheCompanyKey)
{
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "InstallDir", "C:\\Programs\\Tally"));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Count", 42));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Offset", -5));
    EXPECT_STREQ("C:\\Programs\\Tally", (LPCSTR)m_app.GetProfileString("Settings", "InstallDir"));
    EXPECT_EQ(42u, m_app.GetProfileInt("Settings", "Count", 0));
    EXPECT_EQ(-5, (int)m_app.GetProfileInt("Settings", "Offset", 0));
    EXPECT_STREQ("C:\\Programs\\Tally",
                 (LPCSTR)ReadRegistryString("Software\\Frame Tests Company\\ProfileApp\\Settings",
                                            "InstallDir"));
    // An empty string is a value, not a missing one.
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Empty", ""));
    EXPECT_STREQ("", (LPCSTR)m_app.GetProfileString("Settings", "Empty", "default"));
}

TEST_F(ProfileTest, MissingOrMistypedValuesGiveTheDefault)
{
    EXPECT_EQ(3u, m_app.GetProfileInt("Nowhere", "Count", 3));
    EXPECT_STREQ("none", (LPCSTR)m_app.GetProfileString("Nowhere", "Name", "none"));
    EXPECT_STREQ("", (LPCSTR)m_app.GetProfileString("Nowhere", "Name"));
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Count", "12"));
    EXPECT_EQ(9u, m_app.GetProfileInt("Settings", "Count", 9));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Name", 12));
    EXPECT_STREQ("none", (LPCSTR)m_app.GetProfileString("Settings", "Name", "none"));
}

TEST_F(ProfileTest, NullValueRemovesTheEntryAndNullEntryTheSection)
{
    ASSERT_TRUE(m_app.WriteProfileString("Recent", "File1", "a.kvm"));
    ASSERT_TRUE(m_app.WriteProfileString("Recent", "File2", "b.kvm"));
    EXPECT_TRUE(m_app.WriteProfileString("Recent", "File1", NULL));
    EXPECT_STREQ("gone", (LPCSTR)m_app.GetProfileString("Recent", "File1", "gone"));
    EXPECT_STREQ("b.kvm", (LPCSTR)m_app.GetProfileString("Recent", "File2"));
    EXPECT_TRUE(m_app.WriteProfileString("Recent", NULL, NULL));
    EXPECT_STREQ("gone", (LPCSTR)m_app.GetProfileString("Recent", "File2", "gone"));
    EXPECT_STREQ("<no key>",
                 (LPCSTR)ReadRegistryString("Software\\Frame Tests Company\\ProfileApp\\Recent",
                                            "File2"));
}
