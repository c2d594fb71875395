// The editor program started as the user starts it, driven from outside:
// where it finds Tallyform.INI, what the OLE switches do, and its splash.
#include <string>

#include "tests/support/Gtest.h"
#include "tests/app/DesignerProcess.h"
#include "tests/support/ScratchFolder.h"

namespace
{
const DWORD kWaitMs = 60000;
const char kInitFailed[] = "Initialize database failed.";
const char kNoIni[] = "Cannot find initialization file Tallyform.INI";
const char kConnectCaption[] = "Connect to Database";
const char kProfileKey[] = "Software\\Veltrano Inc.\\Quirepad\\Settings";

CString WindowsFolderIni()
{
    char szDir[MAX_PATH] = "";
    GetWindowsDirectoryA(szDir, MAX_PATH);
    return CString(szDir) + "\\Tallyform.INI";
}

// A top-level window of the program other than the main window and its
// dialogs: the splash.
HWND FindSplash(CDesignerProcess& editor, HWND hMain, DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    do
    {
        for (HWND hWnd : editor.TopLevelWindows())
            if (hWnd != hMain && CDesignerProcess::ClassOf(hWnd) != "#32770")
                return hWnd;
        Sleep(20);
    } while (GetTickCount() - dwStart < dwMilliseconds);
    return NULL;
}

class EditorStartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strDatabase = m_folder.PathOf("Reporting.mdb");
        ASSERT_TRUE(CopyFileA(CDesignerProcess::ProgramFolder() + "\\Data\\Reporting.mdb",
                              m_strDatabase, FALSE));
        CreateDirectoryA(m_folder.PathOf("work"), NULL);
        CreateDirectoryA(m_folder.PathOf("install"), NULL);
        // Another program's file in the Windows folder would change what
        // these tests see.
        ASSERT_EQ(GetFileAttributesA(WindowsFolderIni()), INVALID_FILE_ATTRIBUTES)
            << "a Tallyform.INI lies in the Windows folder of the test prefix";
    }
    void TearDown() override
    {
        DeleteFileA(WindowsFolderIni());
        RegDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
    }

    std::string Settings(int nStart)
    {
        return "[DataSource]\r\nStart=" + std::to_string(nStart) + "\r\nType=1\r\nName=" +
               std::string((LPCSTR)m_strDatabase) + "\r\n";
    }
    CString WorkFolder() { return m_folder.PathOf("work"); }

    // Cancels the connect dialog now shown; the failure message then.
    HWND CancelConnect(CDesignerProcess& editor)
    {
        HWND hDlg = editor.WaitForDialog(kConnectCaption, kWaitMs);
        EXPECT_NE(hDlg, nullptr);
        if (hDlg == NULL)
            return NULL;
        CDesignerProcess::Press(hDlg, IDCANCEL);
        return editor.WaitForMessage(kInitFailed, kWaitMs);
    }

    CScratchFolder m_folder;
    CString m_strDatabase;
};

TEST_F(EditorStartupTest, TheCurrentFoldersFileComesBeforeTheWindowsFolders)
{
    // The Windows folder's file would connect at start; the current
    // folder's says not to.
    WriteWholeFile(WindowsFolderIni(), Settings(1));
    WriteWholeFile(WorkFolder() + "\\Tallyform.INI", Settings(0));
    CDesignerProcess editor(WorkFolder());
    ASSERT_TRUE(editor.IsStarted());
    HWND hMain = editor.WaitForMainWindow(kWaitMs);
    ASSERT_NE(hMain, nullptr);
    EXPECT_EQ(editor.WaitForDialog(NULL, 2000), nullptr);
    EXPECT_EQ(std::string("Tallyform [Run Mode]"), (LPCSTR)CDesignerProcess::TextOf(hMain));
    EXPECT_TRUE(IsZoomed(hMain));
    EXPECT_TRUE(editor.IsConnectEnabled(hMain));
    EXPECT_TRUE(editor.Close());
}

TEST_F(EditorStartupTest, TheWindowsFoldersFileServesAloneAndRetryAsksAgain)
{
    WriteWholeFile(WindowsFolderIni(), Settings(1));
    CDesignerProcess editor(WorkFolder());
    HWND hBox = CancelConnect(editor);
    ASSERT_NE(hBox, nullptr);
    EXPECT_TRUE(editor.Seen().empty()) << editor.Seen()[0];
    // Retry runs the start-up again: the same file, the dialog again.
    CDesignerProcess::Press(hBox, IDRETRY);
    hBox = CancelConnect(editor);
    ASSERT_NE(hBox, nullptr);
    CDesignerProcess::Press(hBox, IDIGNORE);
    HWND hMain = editor.WaitForMainWindow(kWaitMs);
    ASSERT_NE(hMain, nullptr);
    EXPECT_TRUE(editor.IsConnectEnabled(hMain));
    EXPECT_TRUE(editor.Close());
}

TEST_F(EditorStartupTest, AFileOnlyInTheInstallFolderIsNotFoundAndAbortEnds)
{
    WriteWholeFile(m_folder.PathOf("install\\Tallyform.INI"), Settings(0));
    HKEY hKey = NULL;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kProfileKey, &hKey), ERROR_SUCCESS);
    CString strInstall = m_folder.PathOf("install");
    RegSetValueExA(hKey, "InstallDir", 0, REG_SZ, (const BYTE*)(LPCSTR)strInstall,
                   strInstall.GetLength() + 1);
    RegCloseKey(hKey);

    CDesignerProcess editor(WorkFolder());
    HWND hBox = editor.WaitForMessage(kInitFailed, kWaitMs);
    ASSERT_NE(hBox, nullptr);
    ASSERT_EQ(1u, editor.Seen().size());
    EXPECT_EQ(kNoIni, editor.Seen()[0]);
    CDesignerProcess::Press(hBox, IDABORT);
    DWORD dwExit = 0;
    EXPECT_TRUE(editor.WaitForExit(kWaitMs, &dwExit));
}

TEST_F(EditorStartupTest, OleSwitchesStartTheEditorAsFromTheShell)
{
    // The editor serves no OLE client: it does not wait unseen for one.
    WriteWholeFile(WorkFolder() + "\\Tallyform.INI", Settings(0));
    for (LPCSTR pszSwitch : { "/Embedding", "/Automation" })
    {
        CDesignerProcess editor(WorkFolder(), pszSwitch);
        HWND hMain = editor.WaitForMainWindow(kWaitMs);
        ASSERT_NE(hMain, nullptr) << pszSwitch;
        EXPECT_TRUE(IsWindowVisible(hMain));
        EXPECT_TRUE(editor.Close()) << pszSwitch;
    }
}

TEST_F(EditorStartupTest, AKeyPressLeavesTheSplashUpUntilItsTimeIsOver)
{
    WriteWholeFile(WorkFolder() + "\\Tallyform.INI", Settings(0));
    CDesignerProcess editor(WorkFolder());
    HWND hMain = editor.WaitForMainWindow(kWaitMs);
    ASSERT_NE(hMain, nullptr);
    HWND hSplash = FindSplash(editor, hMain, kWaitMs);
    ASSERT_NE(hSplash, nullptr);
    DWORD dwShown = GetTickCount();
    PostMessageA(hMain, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(hSplash, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    Sleep(700);
    // The splash lasts 2,200 ms; half of that is well inside it.
    if (GetTickCount() - dwShown < 1100)
    {
        EXPECT_TRUE(IsWindowVisible(hSplash));
    }
    EXPECT_TRUE(CDesignerProcess::WaitGone(hSplash, 10000));
    EXPECT_TRUE(editor.Close());
}
} // namespace
