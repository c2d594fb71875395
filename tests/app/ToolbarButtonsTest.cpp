// Every button of every bar of the running designer as a new user meets
// them: started without a template, then with one opened from the File
// menu's recent files, in design mode and in run mode, and with the last
// window closed again.  A button is enabled exactly when its command can
// run; the bars keep no gaps, and the status bar forgets a button's or a
// menu item's prompt once the pointer or the menu has left it.
#include <set>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"

#include <windows.h>
#include <commctrl.h>

#include "tests/app/DesignerProcess.h"
#include "tests/app/RunModeDriver.h"
#include "tests/support/ScratchFolder.h"
#include "tests/sheet/SheetGrid.h"
#include "framework/docview/ToolBarResource.h"
#include "sheet/document/TallyformDoc.h"

namespace
{
const DWORD kWaitMs = 60000;
const char kRecentFiles[] = "Software\\Veltrano Inc.\\Tallyform\\Recent File List";
const UINT kFirstRecentFile = 57616;
// The Format bar's combos stand on separators carrying their ids.
const std::set<UINT> kComboIds = { 33004, 32857, 32858 };

struct Bar
{
    const char* pszTitle;
    UINT nResource;
};
const Bar kBars[] = { { "Standard", 4 }, { "Table", 6 }, { "Data", 11 }, { "Format", 8 } };

struct ChildSearch
{
    const char* pszText;    // NULL: any text
    const char* pszClass;   // NULL: any class
    HWND hFound;
};

BOOL CALLBACK MatchChild(HWND hWnd, LPARAM lParam)
{
    ChildSearch* pSearch = reinterpret_cast<ChildSearch*>(lParam);
    if ((pSearch->pszText != NULL && CDesignerProcess::TextOf(hWnd) != pSearch->pszText) ||
        (pSearch->pszClass != NULL &&
         CDesignerProcess::ClassOf(hWnd).CompareNoCase(pSearch->pszClass) != 0))
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

HWND FindChild(HWND hParent, const char* pszText, const char* pszClass = NULL)
{
    ChildSearch search = { pszText, pszClass, NULL };
    EnumChildWindows(hParent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// The commands of a toolbar resource of the designer, in button order.
std::vector<UINT> ResourceCommands(UINT nResource)
{
    CToolBarResource resource;
    std::vector<UINT> ids;
    if (!resource.Load(LoadDesignerResources(), MAKEINTRESOURCEA(nResource)))
        return ids;
    for (INT_PTR i = 0; i < resource.m_arrIDs.GetSize(); ++i)
        if (resource.m_arrIDs[i] != 0 && kComboIds.count(resource.m_arrIDs[i]) == 0)
            ids.push_back(resource.m_arrIDs[i]);
    return ids;
}

// "id+" or "id-" for each button of the bar that carries one of the
// commands, in order; the design/run button carries one of two.
std::string States(HWND hBar, const std::vector<UINT>& ids)
{
    std::string text;
    for (UINT nID : ids)
    {
        if ((int)SendMessageA(hBar, TB_COMMANDTOINDEX, nID, 0) < 0)
            continue;
        BOOL bEnabled = (BOOL)SendMessageA(hBar, TB_ISBUTTONENABLED, nID, 0);
        text += std::to_string(nID) + (bEnabled ? "+ " : "- ");
    }
    return text;
}

std::string Expected(HWND hBar, const std::vector<UINT>& ids, const std::set<UINT>& enabled)
{
    std::string text;
    for (UINT nID : ids)
    {
        if ((int)SendMessageA(hBar, TB_COMMANDTOINDEX, nID, 0) < 0)
            continue;
        text += std::to_string(nID) + (enabled.count(nID) ? "+ " : "- ");
    }
    return text;
}

// The status bar's message pane, asked of the control.
std::string StatusText(HWND hStatus)
{
    char szText[256] = "";
    DWORD_PTR nResult = 0;
    SendMessageTimeoutA(hStatus, WM_GETTEXT, sizeof(szText), (LPARAM)szText, SMTO_NORMAL, 5000,
                        &nResult);
    return szText;
}

BOOL WaitForStatus(HWND hStatus, const std::string& text, std::string* pLast)
{
    DWORD dwStart = GetTickCount();
    while ((*pLast = StatusText(hStatus)) != text)
    {
        if (GetTickCount() - dwStart > 10000)
            return FALSE;
        Sleep(50);
    }
    return TRUE;
}

// The prompt of a command: its string up to the tip.
std::string Prompt(UINT nID)
{
    char szText[256] = "";
    LoadStringA(LoadDesignerResources(), nID, szText, sizeof(szText));
    std::string text = szText;
    return text.substr(0, text.find('\n'));
}

POINT CentreOf(const RECT& rc)
{
    return { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
}

class ToolbarButtonsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateDirectoryA(m_folder.PathOf("Template"), NULL);
        m_strTemplate = m_folder.PathOf("Template\\Grid.kvm");
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, 3, 3);
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=0\r\nType=1\r\nName=Reporting.mdb\r\n");
        // The last session left the template in the recent files.
        RegDeleteTreeA(HKEY_CURRENT_USER, kRecentFiles);
        RegSetKeyValueA(HKEY_CURRENT_USER, kRecentFiles, "File1", REG_SZ, (LPCSTR)m_strTemplate,
                        m_strTemplate.GetLength() + 1);
        // Paste has nothing to offer.
        if (OpenClipboard(NULL))
        {
            EmptyClipboard();
            CloseClipboard();
        }
        SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kRecentFiles); }

    // Waits for the idle update to give every bar's buttons the states
    // the user should see: enabled exactly the commands named.
    void ExpectButtons(HWND hMain, const std::set<UINT>& enabled, const std::string& context)
    {
        SCOPED_TRACE(context);
        for (const Bar& bar : kBars)
        {
            HWND hBar = FindChild(hMain, bar.pszTitle);
            ASSERT_NE(hBar, nullptr) << bar.pszTitle;
            // A hidden bar offers nothing.
            if (!IsWindowVisible(hBar))
                continue;
            std::vector<UINT> ids = ResourceCommands(bar.nResource);
            std::string expected = Expected(hBar, ids, enabled);
            std::string actual;
            DWORD dwStart = GetTickCount();
            while ((actual = States(hBar, ids)) != expected && GetTickCount() - dwStart < 10000)
                Sleep(100);
            EXPECT_EQ(expected, actual) << bar.pszTitle << " bar";
        }
    }

    CScratchFolder m_folder;
    CString m_strTemplate;
};

TEST_F(ToolbarButtonsTest, EveryButtonIsEnabledExactlyWhenItsCommandCanRun)
{
    CDesignerProcess designer(m_folder.GetPath());
    CRunModeDriver driver(designer);
    ASSERT_TRUE(driver.FindMainWindow(kWaitMs));
    ASSERT_TRUE(driver.WaitForSplashGone(kWaitMs));
    HWND hMain = driver.MainWindow();
    HWND hFormat = FindChild(hMain, "Format");
    ASSERT_NE(hFormat, nullptr);

    // No template: the application's commands only, and no format combo.
    const std::set<UINT> application = { 57600, 57601, 57664, 32837 };
    ExpectButtons(hMain, application, "no template");
    for (UINT nCombo : kComboIds)
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hFormat, (int)nCombo))) << nCombo;

    // A button's prompt shows while the pointer is on it, and goes with
    // the pointer, also from a disabled button (Save, the third).
    HWND hStatus = FindChild(hMain, NULL, "msctls_statusbar32");
    HWND hStandard = FindChild(hMain, "Standard");
    ASSERT_NE(hStatus, nullptr);
    ASSERT_EQ(2, (int)SendMessageA(hStandard, TB_COMMANDTOINDEX, 57603, 0));
    // No message with a rectangle crosses to another process, but the
    // buttons before the first separator are all one size.
    DWORD dwSize = (DWORD)SendMessageA(hStandard, TB_GETBUTTONSIZE, 0, 0);
    std::string last;
    for (int nButton : { 0, 2 })
    {
        POINT pt = { LOWORD(dwSize) * (2 * nButton + 1) / 2, HIWORD(dwSize) / 2 };
        ClientToScreen(hStandard, &pt);
        SetCursorPos(pt.x, pt.y);
        UINT nID = nButton == 0 ? 57600 : 57603;
        EXPECT_TRUE(WaitForStatus(hStatus, Prompt(nID), &last)) << nID << ": " << last;
    }
    RECT rcMain;
    GetWindowRect(hMain, &rcMain);
    POINT ptAway = CentreOf(rcMain);
    SetCursorPos(ptAway.x, ptAway.y);
    EXPECT_TRUE(WaitForStatus(hStatus, "", &last)) << "after the buttons: " << last;

    // The same for a menu item: the File menu opened from the keyboard.
    PostMessageA(hMain, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(WaitForStatus(hStatus, Prompt(57600), &last)) << last;
    PostMessageA(hMain, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(hMain, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitForStatus(hStatus, "", &last)) << "after the menu: " << last;

    // A template opened afterwards, in design mode with its first cell
    // selected: the sheet's commands come, the run-mode ones stay off.
    PostMessageA(hMain, WM_COMMAND, MAKEWPARAM(kFirstRecentFile, 0), 0);
    ASSERT_TRUE(driver.FindView(kWaitMs));
    std::set<UINT> design = application;
    design.insert({ 57603, 33082, 57607, 57609, 57605, 57635, 57634, 57636, 33007, 33015, 33016,
                    33055,                                                  // Standard
                    32804, 32805, 32806, 32807, 32811, 32808, 32809, 33064, 33063, // Table
                    32861, 32854, 32856, 32855, 32839, 32841, 32840, 32842, 32844, 32843, 32859,
                    32860 });                                               // Format
    ExpectButtons(hMain, design, "design mode");
    for (UINT nCombo : kComboIds)
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hFormat, (int)nCombo))) << nCombo;

    // The Data bar sits right of the Table bar on one row ...
    HWND hTable = FindChild(hMain, "Table");
    HWND hData = FindChild(hMain, "Data");
    RECT rcTable, rcData;
    GetWindowRect(hTable, &rcTable);
    GetWindowRect(hData, &rcData);
    EXPECT_EQ(rcData.top, rcTable.top);
    EXPECT_GE(rcData.left, rcTable.right - 2);

    // ... and in run mode, with the design bars gone, takes the Table bar's
    // place instead of leaving a gap.
    CRunModeDriver::PressKey(driver.View(), VK_F5);
    ASSERT_TRUE(driver.WaitForCaption("Tallyform [Run Mode] - ", kWaitMs));
    const std::set<UINT> run = { 57601, 57664, 32837, 33082, 32826, 32828, 57607, 57609, 57605,
                                 57636, 33006, 33015, 33016, 33055, 33034, 32830, 33056 };
    ExpectButtons(hMain, run, "run mode");
    EXPECT_FALSE(IsWindowVisible(hTable));
    EXPECT_FALSE(IsWindowVisible(hFormat));
    RECT rcRunData;
    GetWindowRect(hData, &rcRunData);
    EXPECT_EQ(rcRunData.top, rcTable.top);
    EXPECT_LE(rcRunData.left, rcTable.left + 2) << "a gap where the Table bar was";

    // Back in design mode, with nothing selected now, the Table bar pushes
    // the Data bar on again.
    CRunModeDriver::PressKey(driver.View(), VK_F2);
    ASSERT_TRUE(driver.WaitForCaption("Tallyform[Design Mode] - ", kWaitMs));
    std::set<UINT> unselected = design;
    for (UINT nID : { 57635, 57634, 32811, 32808, 32809, 33064, 33063, 32861 })
        unselected.erase(nID);
    ExpectButtons(hMain, unselected, "design mode, nothing selected");
    EXPECT_TRUE(IsWindowVisible(hTable));
    EXPECT_TRUE(IsWindowVisible(hFormat));
    RECT rcBack;
    GetWindowRect(hData, &rcBack);
    EXPECT_EQ(rcData.left, rcBack.left);
    EXPECT_EQ(rcData.top, rcBack.top);

    // With the window closed the bars go back to the application's commands.
    PostMessageA(hMain, WM_COMMAND, MAKEWPARAM(57602, 0), 0);
    ExpectButtons(hMain, application, "template closed");
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}
} // namespace
