// The application object's settings and database operations, in this
// process: the INI rules and the record test against a real database; and
// the start-up splash going at the first key.
#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "reporting/ReportConnection.h"
#include "shell/StartupSplash.h"
#include "shell/app/TallyformApp.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/InProcessAppTest.h"

namespace
{
class TallyformAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szDir[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, szDir);
        m_strPrevious = szDir;
        SetCurrentDirectoryA(m_folder.GetPath());
        m_strIni = m_folder.PathOf("Tallyform.INI");
        m_strDatabase = m_folder.PathOf("Reporting.mdb");
        ASSERT_TRUE(CopyFileA(CDesignerProcess::ProgramFolder() + "\\Data\\Reporting.mdb",
                              m_strDatabase, FALSE));
    }
    void TearDown() override
    {
        m_app.DisconnectDatabase();
        SetCurrentDirectoryA(m_strPrevious);
    }

    std::string IniValue(LPCSTR lpszKey)
    {
        char szValue[256] = "";
        GetPrivateProfileStringA("DataSource", lpszKey, "<none>", szValue, sizeof(szValue), m_strIni);
        return szValue;
    }

    CScratchFolder m_folder;
    CString m_strPrevious;
    CString m_strIni;
    CString m_strDatabase;
    MessageBoxRecorder m_messages;
    CTallyformApp m_app;
};

TEST_F(TallyformAppTest, ServerNameIsReadOnlyForSybaseButAlwaysWrittenBack)
{
    WriteWholeFile(m_strIni, "[DataSource]\r\nStart=1\r\nType=1\r\nName=a.mdb\r\nServerName=srv\r\n");
    ASSERT_EQ(m_app.ReadDataSourceSettings(), 1);
    EXPECT_EQ(m_app.m_strServerName, "");
    EXPECT_NE(m_app.WriteDataSourceSettings(), 0);
    EXPECT_EQ(IniValue("ServerName"), "");

    WriteWholeFile(m_strIni, "[DataSource]\r\nStart=7\r\nType=26\r\nName=db\r\nServerName=srv\r\n");
    ASSERT_EQ(m_app.ReadDataSourceSettings(), 1);
    EXPECT_EQ(m_app.m_strServerName, "srv");
    EXPECT_EQ(m_app.m_bConnectOnStartup, 1);

    WriteWholeFile(m_strIni, "[DataSource]\r\nStart=1\r\nType=1\r\nName=\r\n");
    EXPECT_EQ(m_app.ReadDataSourceSettings(), 0);
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(TallyformAppTest, RecordTestAnswersOneZeroOrRefuses)
{
    // Not connected: no answer, and nothing asked.
    EXPECT_EQ(m_app.RecordExists("ss_Organ", "1=1"), -1);

    m_app.m_nDataSourceType = 1;
    m_app.m_strDatabaseName = m_strDatabase;
    ASSERT_EQ(m_app.ConnectDatabase(), 1) << m_messages.LastText();
    ASSERT_NE(m_app.m_pItemRecordset, nullptr);
    ASSERT_NE(m_app.m_pColItemRecordset, nullptr);
    EXPECT_TRUE(m_app.IsOrganRecordsetOpen());

    EXPECT_EQ(m_app.RecordExists("ss_Organ", "1=1"), 1);
    EXPECT_EQ(m_app.RecordExists("ss_Organ", "FD_Code='no such code'"), 0);
    EXPECT_EQ(m_app.RecordExists("ss_Organ", ""), -1);
    EXPECT_EQ(m_app.RecordExists("", "1=1"), -1);
    EXPECT_TRUE(m_messages.Messages().empty());
    // A query the database refuses is no "no": the caller must refuse too.
    EXPECT_EQ(m_app.RecordExists("ss_no_such_table", "1=1"), -1);
    EXPECT_FALSE(m_messages.Messages().empty());

    m_app.DisconnectDatabase();
    EXPECT_EQ(m_app.m_pDatabase, nullptr);
    EXPECT_EQ(m_app.m_pItemRecordset, nullptr);
    EXPECT_EQ(m_app.m_pColItemRecordset, nullptr);
    EXPECT_EQ(m_app.m_pOrganRecordset, nullptr);
    EXPECT_EQ(m_app.RecordExists("ss_Organ", "1=1"), -1);
}
TEST_F(TallyformAppTest, DocumentsReachTheDatabaseOnlyWhileConnected)
{
    CReportConnection& connection = GetReportConnection();
    WriteWholeFile(m_strIni, "[DataSource]\r\nStart=1\r\nType=1\r\nName=" +
                                 std::string((LPCSTR)m_strDatabase) + "\r\n");
    ASSERT_EQ(m_app.ReadDataSourceSettings(), 1);
    EXPECT_EQ(connection.m_pDatabase, nullptr);

    // A database that cannot be opened gives the documents nothing.
    CString strGarbage = m_folder.PathOf("garbage.mdb");
    WriteWholeFile(strGarbage, "this is no database");
    m_app.m_strDatabaseName = strGarbage;
    EXPECT_EQ(m_app.ConnectDatabase(), 0);
    EXPECT_EQ(connection.m_pLoader, nullptr);
    EXPECT_EQ(connection.m_pDatabase, nullptr);
    EXPECT_EQ(connection.m_pOrganRecordset, nullptr);

    m_app.m_strDatabaseName = m_strDatabase;
    ASSERT_EQ(m_app.ConnectDatabase(), 1) << m_messages.LastText();
    EXPECT_EQ(connection.m_pLoader, &m_app.m_engineLoader);
    EXPECT_EQ(connection.m_pDatabase, m_app.m_pDatabase);
    EXPECT_TRUE(connection.IsDatabaseOpen());
    EXPECT_EQ(connection.m_pOrganRecordset, m_app.m_pOrganRecordset);
    EXPECT_TRUE(connection.IsOrganRecordsetOpen());
    EXPECT_STRCASEEQ(connection.m_strIniPath, m_strIni);
    EXPECT_EQ(connection.RecordExists("ss_Organ", "1=1"), m_app.RecordExists("ss_Organ", "1=1"));

    m_app.DisconnectDatabase();
    EXPECT_EQ(connection.m_pLoader, nullptr);
    EXPECT_EQ(connection.m_pDatabase, nullptr);
    EXPECT_EQ(connection.m_pOrganRecordset, nullptr);
    EXPECT_TRUE(connection.m_strIniPath.IsEmpty());
    EXPECT_FALSE(connection.IsDatabaseOpen());
}

// The paint messages the main window and its children get while the hook
// is in: sent ones only, that is those of a repaint done at once.
HWND s_hPainted = NULL;
int s_nPaints = 0;

LRESULT CALLBACK CountPaints(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == WM_PAINT &&
        (pMsg->hwnd == s_hPainted || IsChild(s_hPainted, pMsg->hwnd)))
        ++s_nPaints;
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}

using ProgramStartTest = InProcessAppTest;

TEST_F(ProgramStartTest, AKeyTakesTheSplashAwayAndTheMainWindowIsRepaintedAtOnce)
{
    WriteWholeFile(m_folder.PathOf("Tallyform.INI"), "[DataSource]\r\nStart=0\r\nType=0\r\nName=R.mdb\r\n");
    ASSERT_NO_FATAL_FAILURE(Start(""));
    ASSERT_NE(nullptr, CStartupSplash::GetShown());
    s_hPainted = m_app.m_pMainWnd->GetSafeHwnd();
    s_nPaints = 0;
    HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, CountPaints, NULL, GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    // The key as the message loop hands it over: it only takes the splash away.
    MSG msg = {};
    msg.hwnd = s_hPainted;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_SPACE;
    EXPECT_TRUE(m_app.PreTranslateMessage(&msg));
    UnhookWindowsHookEx(hHook);
    EXPECT_EQ(nullptr, CStartupSplash::GetShown());
    EXPECT_GT(s_nPaints, 0);
}
} // namespace
