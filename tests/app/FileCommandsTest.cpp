// File > Save, Save As, Close and Exit in the real designer, driven from
// outside the way a user takes them: the keyboard for Ctrl+S, menu commands,
// the Save Template dialog and the question to save.
#include <memory>
#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/ScratchFolder.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/RunModeDriver.h"
#include "tests/sheet/SheetGrid.h"

#include "framework/docview/StandardCommands.h"
#include "sheet/document/TallyformDoc.h"

#include <commctrl.h>

namespace
{
const DWORD kWaitMs = 20000;
const UINT kBold = 32854;

class FileCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"), "[DataSource]\r\nStart=0\r\nType=0\r\nName=Reporting.mdb\r\n");
        ASSERT_TRUE(CreateDirectoryA(m_folder.PathOf("Template"), NULL));
        ASSERT_TRUE(CreateDirectoryA(m_folder.PathOf("Template\\Monthly"), NULL));
        m_strTemplate = m_folder.PathOf("Template\\Monthly\\Grid.kvm");
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, 3, 3);
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
        m_original = ReadWholeFile(m_strTemplate);
        ASSERT_FALSE(m_original.empty());
    }

    // Starts the designer on the template and waits for its document window.
    void Start()
    {
        m_pDesigner.reset(new CDesignerProcess(m_folder.GetPath(),
                                               CString("\"") + m_strTemplate + "\""));
        ASSERT_TRUE(m_pDesigner->IsStarted());
        m_pDriver.reset(new CRunModeDriver(*m_pDesigner));
        ASSERT_TRUE(m_pDriver->FindView(kWaitMs));
        ASSERT_TRUE(m_pDriver->WaitForSplashGone(kWaitMs));
    }

    // A user's edit: a click on the first cell, then the Bold button.
    void EditFirstCell()
    {
        HWND hView = m_pDriver->View();
        PostMessageA(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 12));
        PostMessageA(hView, WM_LBUTTONUP, 0, MAKELPARAM(30, 12));
        Command(kBold);
        m_pDriver->Settle();
    }

    void Command(UINT nID)
    {
        PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    }

    // Ctrl+S typed on the keyboard into the designer's window.
    void PressCtrlS()
    {
        SetForegroundWindow(m_pDriver->MainWindow());
        INPUT keys[4] = {};
        const WORD vks[4] = { VK_CONTROL, 'S', 'S', VK_CONTROL };
        for (int i = 0; i < 4; ++i)
        {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = vks[i];
            keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
        }
        ASSERT_EQ(4u, SendInput(4, keys, sizeof(INPUT)));
    }

    // Waits until the file's bytes differ from before.
    BOOL WaitForChange(LPCSTR lpszPath, const std::string& before)
    {
        DWORD dwStart = GetTickCount();
        while (GetTickCount() - dwStart < kWaitMs)
        {
            std::string now = ReadWholeFile(lpszPath);
            if (!now.empty() && now != before)
                return TRUE;
            Sleep(50);
        }
        return FALSE;
    }

    // The question to save this template, answered with the button.
    void AnswerSaveQuestion(int nButton)
    {
        HWND hBox = m_pDesigner->WaitForMessage(
            (std::string("Save changes to ") + (LPCSTR)m_strTemplate + "?").c_str(), kWaitMs);
        std::string seen;
        for (const std::string& text : m_pDesigner->Seen())
            seen += "[" + text + "] ";
        ASSERT_TRUE(hBox != NULL) << "no question to save; other messages: " << seen;
        CDesignerProcess::Press(hBox, nButton);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hBox, kWaitMs));
    }

    // Whether the template's first cell is bold in the file.
    BOOL SavedBold(LPCSTR lpszPath)
    {
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        EXPECT_TRUE(doc.OnOpenDocument(lpszPath));
        return doc.m_sheet.m_cells.GetSize() > 0 && doc.m_sheet.m_cells[0].m_logFont.lfWeight >= FW_BOLD;
    }

    BOOL DocumentWindowOpen()
    {
        HWND hClient = FindWindowExA(m_pDriver->MainWindow(), NULL, "MDIClient", NULL);
        return hClient != NULL && GetWindow(hClient, GW_CHILD) != NULL;
    }

    BOOL WaitForDocumentWindowGone()
    {
        DWORD dwStart = GetTickCount();
        while (DocumentWindowOpen())
        {
            if (GetTickCount() - dwStart >= kWaitMs)
                return FALSE;
            Sleep(50);
        }
        return TRUE;
    }

    CScratchFolder m_folder;
    CString m_strTemplate;
    std::string m_original;
    std::unique_ptr<CDesignerProcess> m_pDesigner;
    std::unique_ptr<CRunModeDriver> m_pDriver;
};

TEST_F(FileCommandsTest, CtrlSAfterAnEditWritesTheFileAndExitThenAsksNothing)
{
    Start();
    EditFirstCell();
    PressCtrlS();
    ASSERT_TRUE(WaitForChange(m_strTemplate, m_original)) << "Ctrl+S left the file as it was";
    m_pDriver->Settle();
    EXPECT_TRUE(SavedBold(m_strTemplate));
    // Saved: the modified mark is gone, so Exit ends the program at once.
    Command(ID_APP_EXIT);
    DWORD dwExit = 1;
    EXPECT_TRUE(m_pDesigner->WaitForExit(kWaitMs, &dwExit));
    EXPECT_EQ(0u, dwExit);
    EXPECT_TRUE(m_pDesigner->Seen().empty()) << m_pDesigner->Seen().front();
}

TEST_F(FileCommandsTest, SaveAsWritesANewTemplateThroughTheSaveTemplateDialog)
{
    Start();
    EditFirstCell();
    Command(ID_FILE_SAVE_AS);
    HWND hDlg = m_pDesigner->WaitForDialog("Save Template", kWaitMs);
    ASSERT_TRUE(hDlg != NULL);
    // The one folder under Template, chosen in the tree, and a new name.
    HWND hTree = GetDlgItem(hDlg, 1245);
    LPARAM hRoot = SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    ASSERT_NE(0, hRoot);
    LPARAM hFolder = SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CHILD, hRoot);
    ASSERT_NE(0, hFolder);
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, hFolder);
    SetDlgItemTextA(hDlg, 1243, "Copy");
    CDesignerProcess::Press(hDlg, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
    CString strCopy = m_folder.PathOf("Template\\Monthly\\Copy.kvm");
    ASSERT_TRUE(WaitForChange(strCopy, "")) << "no file " << (LPCSTR)strCopy;
    m_pDriver->Settle();
    EXPECT_TRUE(SavedBold(strCopy));
    // The old file is left alone, and the window now shows the new one.
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));
    DWORD dwStart = GetTickCount();
    while (m_pDriver->MainCaption().Find("Copy.kvm") < 0 && GetTickCount() - dwStart < kWaitMs)
        Sleep(50);
    EXPECT_NE(-1, m_pDriver->MainCaption().Find("Copy.kvm")) << (LPCSTR)m_pDriver->MainCaption();
    EXPECT_TRUE(m_pDesigner->Close());
}

TEST_F(FileCommandsTest, CloseOfAModifiedTemplateAsksAndEachAnswerDoesWhatItSays)
{
    Start();
    EditFirstCell();
    // Cancel: the window stays, the file is untouched.
    Command(ID_FILE_CLOSE);
    AnswerSaveQuestion(IDCANCEL);
    m_pDriver->Settle();
    EXPECT_TRUE(DocumentWindowOpen());
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));
    // No: the window goes, the file is untouched.
    Command(ID_FILE_CLOSE);
    AnswerSaveQuestion(IDNO);
    EXPECT_TRUE(WaitForDocumentWindowGone());
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));
    EXPECT_TRUE(m_pDesigner->Close());
}

TEST_F(FileCommandsTest, CloseAnsweredYesSavesBeforeTheWindowGoes)
{
    Start();
    EditFirstCell();
    Command(ID_FILE_CLOSE);
    AnswerSaveQuestion(IDYES);
    EXPECT_TRUE(WaitForDocumentWindowGone());
    EXPECT_TRUE(SavedBold(m_strTemplate));
    EXPECT_TRUE(m_pDesigner->Close());
}

// The temporary files of saves in the template's folder.
std::vector<std::string> SaveLeftovers(const CString& strFolder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(strFolder + "\\sav*.tmp", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return names;
}

TEST_F(FileCommandsTest, ASaveCutShortByAKillLeavesTheTemplateAndTheNextOpenRemovesItsLeftover)
{
    // A large template, whose save takes a while.
    {
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, 150, 150);
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
        m_original = ReadWholeFile(m_strTemplate);
    }
    CString strFolder = m_folder.PathOf("Template\\Monthly");
    Start();
    EditFirstCell();
    Command(ID_FILE_SAVE);
    // Killed the moment its temporary file shows.
    DWORD dwStart = GetTickCount();
    while (SaveLeftovers(strFolder).empty() && GetTickCount() - dwStart < kWaitMs)
        Sleep(1);
    HANDLE hProcess = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, m_pDesigner->ProcessId());
    ASSERT_NE(nullptr, hProcess);
    ASSERT_TRUE(TerminateProcess(hProcess, 9));
    WaitForSingleObject(hProcess, kWaitMs);
    CloseHandle(hProcess);
    ASSERT_EQ(1u, SaveLeftovers(strFolder).size()) << "no save was cut short";
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));

    // Opened again, the template is whole and the leftover gone.
    m_pDriver.reset();
    m_pDesigner.reset();
    Start();
    EXPECT_TRUE(SaveLeftovers(strFolder).empty());
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));
    EXPECT_TRUE(m_pDesigner->Close());
}

TEST_F(FileCommandsTest, ExitAsksForAModifiedTemplateAndCancelKeepsTheProgramRunning)
{
    Start();
    EditFirstCell();
    Command(ID_APP_EXIT);
    AnswerSaveQuestion(IDCANCEL);
    EXPECT_FALSE(m_pDesigner->WaitForExit(500));
    EXPECT_TRUE(DocumentWindowOpen());
    Command(ID_APP_EXIT);
    AnswerSaveQuestion(IDNO);
    DWORD dwExit = 1;
    EXPECT_TRUE(m_pDesigner->WaitForExit(kWaitMs, &dwExit));
    EXPECT_EQ(0u, dwExit);
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));
}
} // namespace
