// The editor's commands as the user reaches them: its menus, accelerators
// and toolbars carry no design command, and a template opened in the
// running editor is a form to fill in whose file nothing rewrites: a
// replaced label cannot be undone, and closing keeps only the data.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/PdfTexts.h"
#include "tests/app/RunModeDriver.h"
#include "tests/support/ScratchFolder.h"
#include "tests/editor/DesignCommands.h"

namespace
{
const DWORD kWaitMs = 60000;

void CollectMenuIds(HMENU hMenu, std::set<UINT>& ids)
{
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
    {
        if (HMENU hSub = GetSubMenu(hMenu, i))
            CollectMenuIds(hSub, ids);
        else
            ids.insert(GetMenuItemID(hMenu, i));
    }
}

std::set<UINT> MenuIds(UINT nMenu)
{
    std::set<UINT> ids;
    HMENU hMenu = LoadMenuA(LoadDesignerResources(), MAKEINTRESOURCEA(nMenu));
    EXPECT_TRUE(hMenu != NULL) << "menu " << nMenu;
    if (hMenu != NULL)
    {
        CollectMenuIds(hMenu, ids);
        DestroyMenu(hMenu);
    }
    return ids;
}

// The button ids of a toolbar resource (0 for a separator); empty when
// the program has no such toolbar.
std::vector<UINT> ToolbarIds(UINT nToolbar)
{
    std::vector<UINT> ids;
    HMODULE hModule = LoadDesignerResources();
    HRSRC hRes = FindResourceA(hModule, MAKEINTRESOURCEA(nToolbar), MAKEINTRESOURCEA(241));
    if (hRes == NULL)
        return ids;
    const WORD* pData = static_cast<const WORD*>(LockResource(LoadResource(hModule, hRes)));
    // Version, width, height, count, then the ids.
    for (WORD i = 0; i < pData[3]; ++i)
        ids.push_back(pData[4 + i]);
    return ids;
}

class EditorCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strTemplate = m_folder.PathOf("Monthly.kvm");
        CString strSample = CDesignerProcess::ProgramFolder() + "\\Template\\Monthly Report.kvm";
        ASSERT_TRUE(CopyFileA(strSample, m_strTemplate, FALSE)) << (LPCSTR)strSample;
        m_original = ReadWholeFile(m_strTemplate);
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=0\r\nType=1\r\nName=Reporting.mdb\r\n");
    }

    CScratchFolder m_folder;
    CString m_strTemplate;
    std::string m_original;
};

TEST_F(EditorCommandsTest, MenusKeysAndToolbarsCarryNoDesignCommand)
{
    ASSERT_TRUE(LoadDesignerResources() != NULL);
    std::set<UINT> noDocument = MenuIds(4);
    std::set<UINT> document = MenuIds(5);
    // No New Template Wizard, and the analysis commands under the editor's ids.
    for (UINT nID : { 33086u, 33093u, 33094u, 33095u, 33096u, 33097u })
        EXPECT_EQ(0u, document.count(nID)) << "menu 5 has " << nID;
    EXPECT_EQ(0u, document.count(57600u));
    EXPECT_EQ(0u, noDocument.count(57600u));
    for (UINT nID : kDesignCommands)
    {
        EXPECT_EQ(0u, document.count(nID)) << "menu 5 has " << nID;
        EXPECT_EQ(0u, noDocument.count(nID)) << "menu 4 has " << nID;
    }
    // What the editor's menus keep: the data, file and view commands.
    for (UINT nID : { 57601u, 57603u, 32826u, 32827u, 32828u, 32829u, 33034u, 32830u, 33015u,
                      33050u, 33016u, 32835u, 33076u, 33081u })
        EXPECT_EQ(1u, document.count(nID)) << "menu 5 lacks " << nID;
    // Excel import and export have ids of their own, not the analysis ones.
    EXPECT_EQ(1u, document.count(33098u));
    EXPECT_EQ(1u, document.count(33099u));

    HACCEL hAccel = LoadAcceleratorsA(LoadDesignerResources(), MAKEINTRESOURCEA(4));
    ASSERT_TRUE(hAccel != NULL);
    ACCEL keys[64];
    int nKeys = CopyAcceleratorTableA(hAccel, keys, 64);
    EXPECT_EQ(18, nKeys);
    std::set<WORD> commands;
    for (int i = 0; i < nKeys; ++i)
    {
        commands.insert(keys[i].cmd);
        EXPECT_NE(VK_F2, keys[i].key);
        EXPECT_NE(VK_F5, keys[i].key);
        if (keys[i].key == VK_F3)
        {
            EXPECT_EQ(33005, keys[i].cmd);
        }
    }
    for (UINT nID : kDesignCommands)
        EXPECT_EQ(0u, commands.count((WORD)nID)) << "a key runs " << nID;
    DestroyAcceleratorTable(hAccel);
    EXPECT_TRUE(LoadAcceleratorsA(LoadDesignerResources(), MAKEINTRESOURCEA(5)) == NULL);

    const std::vector<UINT> standard = { 57601, 33082, 57607, 57609, 57605, 0, 57635, 57634,
                                         57637, 57636, 0, 57643, 57644, 0, 33015, 33016,
                                         33029, 0, 57664 };
    const std::vector<UINT> data = { 32826, 32827, 32828, 32829, 0, 33034, 32830, 0,
                                     33056, 32835, 0, 32837, 32838 };
    EXPECT_EQ(standard, ToolbarIds(4));
    EXPECT_EQ(data, ToolbarIds(11));
    EXPECT_TRUE(ToolbarIds(6).empty());
    EXPECT_TRUE(ToolbarIds(8).empty());
}

TEST_F(EditorCommandsTest, ATemplateOpensInRunModeAndDesignAndSaveCommandsDoNothing)
{
    CDesignerProcess editor(m_folder.GetPath(), "\"" + m_strTemplate + "\"");
    CRunModeDriver driver(editor);
    ASSERT_TRUE(driver.FindView(kWaitMs));
    ASSERT_TRUE(driver.WaitForCaption("Tallyform [Run Mode] - Monthly.kvm", kWaitMs))
        << (LPCSTR)driver.MainCaption();

    // F2, F5 and the design commands as a menu would send them: the view
    // stays a form, and Tab opens the first cell's editor.
    CRunModeDriver::PressKey(driver.View(), VK_F2);
    CRunModeDriver::PressKey(driver.View(), VK_F5);
    for (UINT nID : kDesignCommands)
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    driver.Settle();
    EXPECT_EQ(editor.WaitForDialog(NULL, 1000), nullptr);
    EXPECT_STREQ("Tallyform [Run Mode] - Monthly.kvm", driver.MainCaption());
    CRunModeDriver::PressKey(driver.View(), VK_TAB);
    HWND hEditor = driver.WaitForEditor(NULL, kWaitMs);
    ASSERT_NE(hEditor, nullptr);

    // File > Save and Save As are refused: no dialog, the file unchanged.
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(57604, 0), 0);
    driver.Settle();
    EXPECT_EQ(editor.WaitForDialog(NULL, 1000), nullptr);
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));
}
} // namespace

namespace
{
// The replace dialog's controls.
const int kFindWhat = 1152;
const int kReplaceWith = 1153;
const int kReplaceAll = 1025;

bool Shows(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}
} // namespace

TEST_F(EditorCommandsTest, AReplacedLabelCannotBeUndoneAndClosingKeepsOnlyTheDataInADataFile)
{
    CDesignerProcess editor(m_folder.GetPath(), "\"" + m_strTemplate + "\"");
    CRunModeDriver driver(editor);
    ASSERT_TRUE(driver.FindView(kWaitMs));
    ASSERT_TRUE(driver.WaitForSplashGone(kWaitMs));
    // Along the tab order past the three key cells to the first figure.
    CRunModeDriver::PressKey(driver.View(), VK_TAB);
    HWND hEditor = driver.WaitForEditor(NULL, kWaitMs);
    for (int i = 0; i < 3 && hEditor != NULL; ++i)
    {
        CRunModeDriver::PressKey(hEditor, VK_TAB);
        hEditor = driver.WaitForEditor(hEditor, kWaitMs);
    }
    ASSERT_NE(hEditor, nullptr);
    ASSERT_NE(driver.EnterFigure(hEditor, "125", kWaitMs), nullptr);

    // Edit > Replace, Replace All: the label changes and Undo does nothing.
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(57641, 0), 0);
    HWND hReplace = editor.WaitForDialog("Replace", kWaitMs);
    ASSERT_NE(hReplace, nullptr);
    SetDlgItemTextA(hReplace, kFindWhat, "Profit");
    SetDlgItemTextA(hReplace, kReplaceWith, "Net result");
    CDesignerProcess::Press(hReplace, kReplaceAll);
    driver.Settle();
    CDesignerProcess::Press(hReplace, IDCANCEL);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hReplace, kWaitMs));
    const CString strPdf = m_folder.PathOf("replaced.pdf");
    ASSERT_TRUE(driver.SaveToPdf(strPdf, kWaitMs));
    std::vector<std::string> texts = PdfShownTexts(ReadWholeFile(strPdf));
    EXPECT_TRUE(Shows(texts, "Net result") && !Shows(texts, "Profit"));
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(57643, 0), 0);
    driver.Settle();
    ASSERT_TRUE(driver.SaveToPdf(strPdf, kWaitMs));
    texts = PdfShownTexts(ReadWholeFile(strPdf));
    EXPECT_TRUE(Shows(texts, "Net result") && !Shows(texts, "Profit"));

    // Closing asks about the data, says the label is not kept, and Yes
    // writes a data file; the template stays as it was.
    PostMessageA(driver.MainWindow(), WM_CLOSE, 0, 0);
    HWND hQuestion = editor.WaitForDialog(NULL, kWaitMs);
    ASSERT_NE(hQuestion, nullptr);
    EXPECT_STREQ("Save the data of Monthly.kvm to a data file?\n\n"
                 "Changes to the template, such as replaced labels, are not kept.",
                 CDesignerProcess::MessageText(hQuestion));
    CDesignerProcess::Press(hQuestion, IDYES);
    const CString strData = m_folder.PathOf("Monthly data.kvt");
    ASSERT_TRUE(driver.AnswerFileDialog(strData, 0, kWaitMs));
    EXPECT_TRUE(editor.WaitForExit(kWaitMs));
    const std::string data = ReadWholeFile(strData);
    EXPECT_EQ(0, data.compare(0, 2, "\x55\x44", 2));
    EXPECT_NE(std::string::npos, data.find("125"));
    EXPECT_EQ(std::string::npos, data.find("Net result"));
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));
}
