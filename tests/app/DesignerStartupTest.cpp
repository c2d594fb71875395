// The designer's start-up, driven from outside: the real program runs in a
// scratch working folder and its windows are found and answered here.
#include <sqlite3.h>

#include <memory>
#include <string>

#include "tests/support/Gtest.h"
#include "tests/app/DesignerProcess.h"
#include "tests/support/ScratchFolder.h"
#include "tests/app/ScreenCapture.h"
#include "tests/app/WindowManager.h"
#include "tests/sheet/SheetGrid.h"
#include "sheet/document/TallyformDoc.h"

namespace
{
// Generous: a Wine process start on a busy machine can take long.
const DWORD kWaitMs = 60000;
const char kInitFailed[] = "Initialize database failed.";
const char kConnectCaption[] = "Connect to Database";
const UINT kConnect = 32837;
const UINT kDisconnect = 32838;

CString ControlText(HWND hDlg, int nID)
{
    char szText[512] = "";
    GetDlgItemTextA(hDlg, nID, szText, sizeof(szText));
    return szText;
}

struct ChildSearch
{
    LPCSTR lpszText;
    LPCSTR lpszClass;
    HWND hFound;
};

BOOL CALLBACK FindChild(HWND hWnd, LPARAM lParam)
{
    ChildSearch* pSearch = reinterpret_cast<ChildSearch*>(lParam);
    char szText[128] = "";
    char szClass[128] = "";
    GetWindowTextA(hWnd, szText, sizeof(szText));
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if ((pSearch->lpszText == NULL || lstrcmpA(szText, pSearch->lpszText) == 0) &&
        (pSearch->lpszClass == NULL || lstrcmpiA(szClass, pSearch->lpszClass) == 0))
    {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Whether the program's top-level window fills the screen's work area
// within the time, as the X server shows it: the window's X window spans
// the work area but for a window manager's thin frame and the caption,
// which a window manager draws outside it.
::testing::AssertionResult FillsWorkArea(HWND hWnd, DWORD dwMilliseconds)
{
    const int kFrame = 16;
    RECT rcWork = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int cxWork = rcWork.right - rcWork.left;
    const int cyWork = rcWork.bottom - rcWork.top - GetSystemMetrics(SM_CYCAPTION);
    // Wine keeps the X window of a top-level window in this property.
    unsigned long xid = (unsigned long)(ULONG_PTR)GetPropA(hWnd, "__wine_x11_whole_window");
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD dwStart = GetTickCount();
    for (;;)
    {
        if (GetXWindowArea(xid, &x, &y, &cx, &cy) && cx >= cxWork - kFrame &&
            cy >= cyWork - kFrame)
            return ::testing::AssertionSuccess();
        if (GetTickCount() - dwStart > dwMilliseconds)
            break;
        Sleep(50);
    }
    return ::testing::AssertionFailure()
           << "X window " << cx << "x" << cy << " at (" << x << "," << y << "), work area ("
           << rcWork.left << "," << rcWork.top << ")-(" << rcWork.right << "," << rcWork.bottom
           << ")";
}

// The designer's windows are managed by the window manager, as in the
// designer's own prefix (scripts/setup.sh), while the object lives.  A
// program started from a test goes by the name Tallyform.exe.so.
class CManagedDesignerWindows
{
public:
    CManagedDesignerWindows()
    {
        HKEY hKey = NULL;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey,
                            NULL) == ERROR_SUCCESS)
        {
            RegSetValueExA(hKey, "Managed", 0, REG_SZ, (const BYTE*)"Y", 2);
            RegCloseKey(hKey);
        }
    }
    ~CManagedDesignerWindows() { RegDeleteTreeA(HKEY_CURRENT_USER, kKeyApp); }

private:
    static constexpr const char* kKeyApp = "Software\\Wine\\AppDefaults\\Tallyform.exe.so";
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\Tallyform.exe.so\\X11 Driver";
};

// A window below hParent with this text and (when not NULL) class.
HWND FindDescendant(HWND hParent, LPCSTR lpszText, LPCSTR lpszClass = NULL)
{
    ChildSearch search = { lpszText, lpszClass, NULL };
    EnumChildWindows(hParent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

std::string IniValue(const CString& strIni, LPCSTR lpszKey)
{
    char szValue[512] = "";
    GetPrivateProfileStringA("DataSource", lpszKey, "<none>", szValue, sizeof(szValue), strIni);
    return szValue;
}

class DesignerStartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateDirectoryA(m_folder.PathOf("Template"), NULL);
        CreateDirectoryA(m_folder.PathOf("Data"), NULL);
        m_strDatabase = m_folder.PathOf("Data\\Reporting.mdb");
        CString strDefault = CDesignerProcess::ProgramFolder() + "\\Data\\Reporting.mdb";
        ASSERT_TRUE(CopyFileA(strDefault, m_strDatabase, FALSE))
            << "the default database is made by scripts/setup.sh: " << (LPCSTR)strDefault;
        m_strIni = m_folder.PathOf("Tallyform.INI");
    }

    void WriteIni(const std::string& text) { WriteWholeFile(m_strIni, text); }

    std::string AccessSettings(int nStart)
    {
        return "[DataSource]\r\nStart=" + std::to_string(nStart) + "\r\nType=1\r\nName=" +
               std::string((LPCSTR)m_strDatabase) + "\r\n";
    }

    // Drops one table of the database copy, through its Unix path.
    void DropTable(LPCSTR lpszTable)
    {
        WCHAR wszPath[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, m_strDatabase, -1, wszPath, MAX_PATH);
        char* pszUnix = wine_get_unix_file_name(wszPath);
        ASSERT_NE(pszUnix, nullptr);
        sqlite3* pDb = NULL;
        ASSERT_EQ(sqlite3_open(pszUnix, &pDb), SQLITE_OK);
        HeapFree(GetProcessHeap(), 0, pszUnix);
        std::string sql = std::string("DROP TABLE ") + lpszTable;
        EXPECT_EQ(sqlite3_exec(pDb, sql.c_str(), NULL, NULL, NULL), SQLITE_OK);
        sqlite3_close(pDb);
    }

    // Ignore on the failure message: the frame comes up without a database,
    // offering Connect; then the program is closed.
    void IgnoreAndExpectNoDatabase(CDesignerProcess& designer, HWND hBox)
    {
        CDesignerProcess::Press(hBox, IDIGNORE);
        HWND hMain = designer.WaitForMainWindow(kWaitMs);
        ASSERT_NE(hMain, nullptr);
        EXPECT_TRUE(designer.IsConnectEnabled(hMain));
        EXPECT_TRUE(designer.Close());
    }

    CScratchFolder m_folder;
    CString m_strDatabase;
    CString m_strIni;
};

TEST_F(DesignerStartupTest, StartZeroOpensTheFrameWithoutDialogOrDatabase)
{
    for (int nStart : { 0, -5 })
    {
        WriteIni(AccessSettings(nStart));
        CDesignerProcess designer(m_folder.GetPath());
        ASSERT_TRUE(designer.IsStarted());
        HWND hMain = designer.WaitForMainWindow(kWaitMs);
        ASSERT_NE(hMain, nullptr) << "Start=" << nStart;
        EXPECT_EQ(designer.WaitForDialog(NULL, 1500), nullptr) << "Start=" << nStart;

        char szCaption[128] = "";
        GetWindowTextA(hMain, szCaption, sizeof(szCaption));
        EXPECT_STREQ(szCaption, "Tallyform");
        EXPECT_TRUE(IsZoomed(hMain));
        EXPECT_TRUE(designer.IsConnectEnabled(hMain));
        if (nStart == 0)
        {
            // The three toolbars and the status bar are there, docked at the
            // top: the Data bar beside the Table bar, on the same row.
            HWND hStandard = FindDescendant(hMain, "Standard");
            HWND hTable = FindDescendant(hMain, "Table");
            HWND hData = FindDescendant(hMain, "Data");
            ASSERT_NE(hStandard, nullptr);
            ASSERT_NE(hTable, nullptr);
            ASSERT_NE(hData, nullptr);
            EXPECT_NE(FindDescendant(hMain, NULL, "msctls_statusbar32"), nullptr);
            EXPECT_TRUE(IsWindowVisible(hData));
            RECT rcStandard, rcTable, rcData;
            GetWindowRect(hStandard, &rcStandard);
            GetWindowRect(hTable, &rcTable);
            GetWindowRect(hData, &rcData);
            EXPECT_GE(rcTable.top, rcStandard.bottom - 2);
            EXPECT_EQ(rcData.top, rcTable.top);
            EXPECT_GE(rcData.left, rcTable.right - 2);
            // View > Toolbars > Data hides the bar and shows it again.
            PostMessageA(hMain, WM_COMMAND, MAKEWPARAM(33010, 0), 0);
            EXPECT_TRUE(CDesignerProcess::WaitGone(hData, kWaitMs));
            PostMessageA(hMain, WM_COMMAND, MAKEWPARAM(33010, 0), 0);
            DWORD dwStart = GetTickCount();
            while (!IsWindowVisible(hData) && GetTickCount() - dwStart < kWaitMs)
                Sleep(50);
            EXPECT_TRUE(IsWindowVisible(hData));

            RedrawWindow(hMain, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Sleep(1000);
            RECT rc;
            GetWindowRect(hMain, &rc);
            SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                               DESIGNER_SCREENSHOT_DIR "/designer-main-window.bmp");
        }
        EXPECT_TRUE(designer.Close());
    }
}

TEST_F(DesignerStartupTest, StartZeroWithoutTypeStillFails)
{
    WriteIni("[DataSource]\r\nStart=0\r\nName=x.mdb\r\n");
    CDesignerProcess designer(m_folder.GetPath());
    HWND hBox = designer.WaitForMessage(kInitFailed, kWaitMs);
    ASSERT_NE(hBox, nullptr);
    IgnoreAndExpectNoDatabase(designer, hBox);
}

TEST_F(DesignerStartupTest, MissingIniIsReportedAndFailsTheStart)
{
    CDesignerProcess designer(m_folder.GetPath());
    HWND hBox = designer.WaitForMessage(kInitFailed, kWaitMs);
    ASSERT_NE(hBox, nullptr);
    ASSERT_EQ(designer.Seen().size(), 1u);
    EXPECT_EQ(designer.Seen()[0], "Cannot find initialization file Tallyform.INI");
    IgnoreAndExpectNoDatabase(designer, hBox);
    // Nothing was written in the working folder.
    EXPECT_EQ(GetFileAttributesA(m_strIni), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DesignerStartupTest, FailureMessageAnswersDoWhatTheySay)
{
    // Abort ends the program before its window is shown for use.
    {
        WriteIni("[DataSource]\r\nStart=1\r\nType=-3\r\nName=x.mdb\r\n");
        CDesignerProcess designer(m_folder.GetPath());
        HWND hBox = designer.WaitForMessage(kInitFailed, kWaitMs);
        ASSERT_NE(hBox, nullptr);
        CDesignerProcess::Press(hBox, IDABORT);
        EXPECT_TRUE(designer.WaitForExit(kWaitMs));
    }
    // Retry reads the settings again: mended meanwhile, the start succeeds.
    {
        CDesignerProcess designer(m_folder.GetPath());
        HWND hBox = designer.WaitForMessage(kInitFailed, kWaitMs);
        ASSERT_NE(hBox, nullptr);
        WriteIni(AccessSettings(0));
        CDesignerProcess::Press(hBox, IDRETRY);
        EXPECT_TRUE(CDesignerProcess::WaitGone(hBox, kWaitMs));
        EXPECT_NE(designer.WaitForMainWindow(kWaitMs), nullptr);
        EXPECT_EQ(designer.WaitForDialog(NULL, 1500), nullptr);
        EXPECT_TRUE(designer.Close());
    }
    // Retry with the fault still there asks again; Ignore goes on without.
    {
        WriteIni("[DataSource]\r\nStart=1\r\nType=-3\r\nName=x.mdb\r\n");
        CDesignerProcess designer(m_folder.GetPath());
        HWND hBox = designer.WaitForMessage(kInitFailed, kWaitMs);
        ASSERT_NE(hBox, nullptr);
        CDesignerProcess::Press(hBox, IDRETRY);
        EXPECT_TRUE(CDesignerProcess::WaitGone(hBox, kWaitMs));
        hBox = designer.WaitForMessage(kInitFailed, kWaitMs);
        ASSERT_NE(hBox, nullptr);
        IgnoreAndExpectNoDatabase(designer, hBox);
    }
}

TEST_F(DesignerStartupTest, EmbeddedDatabaseConnectsAndWritesSettingsBack)
{
    WriteIni(AccessSettings(1) + "ServerName=old-server\r\n");
    CDesignerProcess designer(m_folder.GetPath());
    HWND hDlg = designer.WaitForDialog(kConnectCaption, kWaitMs);
    ASSERT_NE(hDlg, nullptr);
    // The dialog starts from the settings: Access, the file, no server.
    EXPECT_EQ(ControlText(hDlg, 1128), "Access");
    EXPECT_EQ(ControlText(hDlg, 1004), m_strDatabase);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hDlg, 1097)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDlg, 1129)));
    EXPECT_EQ(ControlText(hDlg, 1019), "");
    EXPECT_EQ(SendDlgItemMessageA(hDlg, 1150, BM_GETCHECK, 0, 0), BST_CHECKED);

    SetDlgItemTextA(hDlg, 1143, "alice");
    SetDlgItemTextA(hDlg, 1019, "secret");
    CDesignerProcess::Press(hDlg, IDOK);
    EXPECT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));

    HWND hMain = designer.WaitForMainWindow(kWaitMs);
    ASSERT_NE(hMain, nullptr);
    EXPECT_EQ(designer.WaitForDialog(NULL, 1500), nullptr) << "no failure after the connection";
    EXPECT_TRUE(designer.Seen().empty());
    EXPECT_FALSE(designer.IsConnectEnabled(hMain));

    EXPECT_EQ(IniValue(m_strIni, "Start"), "1");
    EXPECT_EQ(IniValue(m_strIni, "Type"), "1");
    EXPECT_EQ(IniValue(m_strIni, "Name"), std::string((LPCSTR)m_strDatabase));
    // A type other than Sybase never read ServerName, so the empty member
    // is what goes back.
    EXPECT_EQ(IniValue(m_strIni, "ServerName"), "");
    std::string ini = ReadWholeFile(m_strIni);
    EXPECT_EQ(ini.find("alice"), std::string::npos);
    EXPECT_EQ(ini.find("secret"), std::string::npos);

    // Disconnect gives the Connect command back.
    PostMessageA(hMain, WM_COMMAND, kDisconnect, 0);
    EXPECT_TRUE(designer.IsConnectEnabled(hMain));
    EXPECT_TRUE(designer.Close());
}

TEST_F(DesignerStartupTest, ListRecordsetThatCannotOpenFailsTheConnection)
{
    DropTable("ss_Organ");
    WriteIni(AccessSettings(1));
    CDesignerProcess designer(m_folder.GetPath());
    HWND hDlg = designer.WaitForDialog(kConnectCaption, kWaitMs);
    ASSERT_NE(hDlg, nullptr);
    CDesignerProcess::Press(hDlg, IDOK);
    HWND hBox = designer.WaitForMessage(kInitFailed, kWaitMs);
    ASSERT_NE(hBox, nullptr);
    // Retry shows the dialog again; Cancel there fails once more.
    CDesignerProcess::Press(hBox, IDRETRY);
    hDlg = designer.WaitForDialog(kConnectCaption, kWaitMs);
    ASSERT_NE(hDlg, nullptr);
    CDesignerProcess::Press(hDlg, IDCANCEL);
    hBox = designer.WaitForMessage(kInitFailed, kWaitMs);
    ASSERT_NE(hBox, nullptr);
    // Nothing of the failed connection stays open.
    IgnoreAndExpectNoDatabase(designer, hBox);
}

TEST_F(DesignerStartupTest, ConnectCommandConnectsAndKeepsTheTypeChosen)
{
    WriteIni(AccessSettings(0));
    CDesignerProcess designer(m_folder.GetPath());
    HWND hMain = designer.WaitForMainWindow(kWaitMs);
    ASSERT_NE(hMain, nullptr);
    PostMessageA(hMain, WM_COMMAND, kConnect, 0);
    HWND hDlg = designer.WaitForDialog(kConnectCaption, kWaitMs);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(hDlg, 1150, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    CDesignerProcess::Press(hDlg, IDOK);
    EXPECT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
    EXPECT_EQ(designer.WaitForDialog(NULL, 1500), nullptr);
    EXPECT_TRUE(designer.Seen().empty());
    EXPECT_FALSE(designer.IsConnectEnabled(hMain));
    EXPECT_EQ(IniValue(m_strIni, "Start"), "0");
    EXPECT_EQ(IniValue(m_strIni, "Type"), "1");
    EXPECT_TRUE(designer.Close());
}
const char kRecentFiles[] = "Software\\Veltrano Inc.\\Tallyform\\Recent File List";
const UINT kFirstRecentFile = 57616;

// The MDI child window of the designer's main window, waiting up to the time.
HWND WaitForDocumentWindow(HWND hMain, DWORD dwMilliseconds)
{
    HWND hClient = FindDescendant(hMain, NULL, "MDIClient");
    DWORD dwStart = GetTickCount();
    while (hClient != NULL)
    {
        HWND hChild = GetWindow(hClient, GW_CHILD);
        if (hChild != NULL)
            return hChild;
        if (GetTickCount() - dwStart >= dwMilliseconds)
            break;
        Sleep(50);
    }
    return NULL;
}

std::string RecentFile(LPCSTR lpszEntry)
{
    char szValue[MAX_PATH] = "";
    DWORD cb = sizeof(szValue);
    if (RegGetValueA(HKEY_CURRENT_USER, kRecentFiles, lpszEntry, RRF_RT_REG_SZ, NULL, szValue,
                     &cb) != ERROR_SUCCESS)
        return "<none>";
    return szValue;
}

TEST_F(DesignerStartupTest, TemplateOnTheCommandLineOpensAndIsRememberedAtExit)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kRecentFiles);
    WriteIni(AccessSettings(0));
    // Long names, which have short forms.
    ASSERT_TRUE(CreateDirectoryA(m_folder.PathOf("Monthly Templates"), NULL));
    CString strTemplate = m_folder.PathOf("Monthly Templates\\Monthly Report.kvm");
    {
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, 2, 2);
        ASSERT_TRUE(doc.OnSaveDocument(strTemplate));
    }
    char szShort[MAX_PATH] = "";
    ASSERT_NE(0u, GetShortPathNameA(strTemplate, szShort, MAX_PATH));
    CString strOtherForm = szShort;
    strOtherForm.MakeLower();
    ASSERT_STRCASENE(strOtherForm, strTemplate);
    // Opened by its path, then by its short form in other letters: one
    // file, one entry, named in full.
    for (const CString& strOpened : { strTemplate, strOtherForm })
    {
        CDesignerProcess designer(m_folder.GetPath(), "\"" + strOpened + "\"");
        HWND hMain = designer.WaitForMainWindow(kWaitMs);
        ASSERT_NE(hMain, nullptr);
        HWND hChild = WaitForDocumentWindow(hMain, kWaitMs);
        ASSERT_NE(hChild, nullptr);
        char szTitle[128] = "";
        GetWindowTextA(hChild, szTitle, sizeof(szTitle));
        EXPECT_NE(std::string(szTitle).find("Monthly Report"), std::string::npos) << szTitle;
        EXPECT_NE(GetWindow(hChild, GW_CHILD), nullptr) << "the child frame holds its view";
        EXPECT_TRUE(designer.Seen().empty());
        EXPECT_TRUE(designer.Close());
        EXPECT_STRCASEEQ(RecentFile("File1").c_str(), strTemplate);
        EXPECT_EQ(RecentFile("File2"), "<none>");
    }

    // The next start reads the list, where an earlier run left the file
    // twice: its first entry opens the template, and the file is listed
    // once.
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kRecentFiles, "File2", REG_SZ, szShort,
                                             (DWORD)strlen(szShort) + 1));
    {
        CDesignerProcess designer(m_folder.GetPath());
        HWND hMain = designer.WaitForMainWindow(kWaitMs);
        ASSERT_NE(hMain, nullptr);
        EXPECT_EQ(WaitForDocumentWindow(hMain, 1500), nullptr);
        PostMessageA(hMain, WM_COMMAND, MAKEWPARAM(kFirstRecentFile, 0), 0);
        EXPECT_NE(WaitForDocumentWindow(hMain, kWaitMs), nullptr);
        EXPECT_TRUE(designer.Close());
    }
    EXPECT_STRCASEEQ(RecentFile("File1").c_str(), strTemplate);
    EXPECT_EQ(RecentFile("File2"), "<none>");
    RegDeleteTreeA(HKEY_CURRENT_USER, kRecentFiles);
}

TEST_F(DesignerStartupTest, MainWindowFillsTheScreenWithOrWithoutAWindowManager)
{
    // The ten-day sample template that the set-up writes, open from the
    // command line, as a new user first sees it.
    WriteIni(AccessSettings(0));
    CString strTemplate = m_folder.PathOf("Template\\Ten-day Report.kvm");
    ASSERT_TRUE(CopyFileA(CDesignerProcess::ProgramFolder() + "\\Template\\Ten-day Report.kvm",
                          strTemplate, FALSE))
        << "the sample templates are written by scripts/setup.sh";
    CManagedDesignerWindows managed;
    for (bool bManager : { false, true })
    {
        std::unique_ptr<CWindowManager> pManager;
        if (bManager)
        {
            pManager.reset(new CWindowManager);
            ASSERT_TRUE(pManager->IsRunning()) << "evilwm (scripts/packages.txt) did not start";
        }
        CDesignerProcess designer(m_folder.GetPath(), "\"" + strTemplate + "\"");
        HWND hMain = designer.WaitForMainWindow(kWaitMs);
        ASSERT_NE(hMain, nullptr);
        ASSERT_NE(WaitForDocumentWindow(hMain, kWaitMs), nullptr);
        EXPECT_TRUE(IsZoomed(hMain));
        EXPECT_TRUE(FillsWorkArea(hMain, 5000)) << (bManager ? "with" : "without")
                                                << " a window manager";
        if (bManager)
        {
            RedrawWindow(hMain, NULL, NULL,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Sleep(1000);
            SaveRootAreaBitmap(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                               DESIGNER_SCREENSHOT_DIR "/designer-sample-template.bmp");
        }
        EXPECT_TRUE(designer.Close());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kRecentFiles);
}

TEST_F(DesignerStartupTest, TemplateThatCannotOpenEndsTheProgram)
{
    WriteIni(AccessSettings(0));
    CString strMissing = m_folder.PathOf("Template\\Missing.kvm");
    CDesignerProcess designer(m_folder.GetPath(), "\"" + strMissing + "\"");
    // Whatever the document says is answered; then the program ends
    // without ever showing its frame for use.
    EXPECT_EQ(designer.WaitForMessage("<no such message>", kWaitMs), nullptr);
    EXPECT_TRUE(designer.WaitForExit(kWaitMs));
    EXPECT_FALSE(designer.Seen().empty());
}
} // namespace
