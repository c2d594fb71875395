// New templates in the real designer on the embedded (SQLite) reporting
// database: the Create Template wizard by items, the copy of an existing
// template, and File > Open through Select Template with the folder tree's
// new folder, rename and drag, then the template's properties.
#include <string.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/PdfTexts.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/support/ScratchFolder.h"

#include <commctrl.h>

#include "engines/common/KemDatabase.h"
#include "sheet/TemplateBuilder.h"
#include "sheet/document/TallyformDoc.h"

namespace
{
const DWORD kWaitMs = 20000;
const UINT kFileNew = 57600;
const UINT kFileOpen = 57601;
const UINT kFileProperties = 32820;
const char kWizardStep1[] = "Step 1:Set Template Attribute";
const char kWizardStep2[] = "Step 2:Set Rows and Columns";
const char kWizardStep3[] = "Sep 3:Select Item Index";
const char kWizardStep4[] = "Step 4:Select Assistant Item Index";

// The visible child dialog of a wizard or sheet: the page shown.
HWND ShownPage(HWND hParent)
{
    for (HWND h = FindWindowExA(hParent, NULL, "#32770", NULL); h != NULL;
         h = FindWindowExA(hParent, h, "#32770", NULL))
        if (IsWindowVisible(h))
            return h;
    return NULL;
}

BOOL WaitFor(std::function<bool()> done, DWORD dwMilliseconds = kWaitMs)
{
    DWORD dwStart = GetTickCount();
    while (!done())
    {
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(50);
    }
    return TRUE;
}

// Clicks a button of another process as the mouse does.
void Click(HWND hDlg, int nID)
{
    SendMessageA(GetDlgItem(hDlg, nID), BM_CLICK, 0, 0);
}

// The text of another process's control (WM_GETTEXT is carried across in
// wide characters).
std::string ControlText(HWND hWnd)
{
    WCHAR szWide[512] = {};
    char szText[512] = "";
    SendMessageW(hWnd, WM_GETTEXT, 512, (LPARAM)szWide);
    WideCharToMultiByte(CP_ACP, 0, szWide, -1, szText, sizeof(szText), NULL, NULL);
    return szText;
}

std::vector<std::string> ListLines(HWND hList)
{
    std::vector<std::string> lines;
    int nCount = (int)SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i)
    {
        // Another process's list answers in wide characters.
        WCHAR szWide[512] = {};
        char szLine[512] = "";
        SendMessageW(hList, LB_GETTEXT, i, (LPARAM)szWide);
        WideCharToMultiByte(CP_ACP, 0, szWide, -1, szLine, sizeof(szLine), NULL, NULL);
        lines.push_back(szLine);
    }
    return lines;
}

// The n-th child (0: the first) of a tree item of another process.
HTREEITEM NthChild(HWND hTree, HTREEITEM hParent, int n)
{
    HTREEITEM h = (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, hParent == NULL ? TVGN_ROOT : TVGN_CHILD,
                                          (LPARAM)hParent);
    for (; h != NULL && n > 0; --n)
        h = (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)h);
    return h;
}

// The program's top-level windows, for failure messages.
std::string Windows(CDesignerProcess& designer)
{
    std::string text;
    for (HWND hWnd : designer.TopLevelWindows())
        text += "[" + std::string((LPCSTR)CDesignerProcess::ClassOf(hWnd)) + " " +
                (LPCSTR)CDesignerProcess::TextOf(hWnd) + "] ";
    return text;
}

void Screenshot(HWND hWnd, const std::string& name)
{
    RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/template-" + name + ".bmp";
    EXPECT_TRUE(SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, path.c_str()));
}

class TemplateWorkflowTest : public ::testing::Test
{
protected:
    TemplateWorkflowTest() : m_backend(MakeReportBackend(BACKEND_DAO_SQLITE)) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_backend->IsReady());
        const char* const rows[][2] = { { "101", "Wages" }, { "102", "Rent" }, { "103", "Power" },
                                        { "201", "Travel" }, { "202", "Postage" } };
        for (const auto& row : rows)
            m_backend->Exec(("INSERT INTO ss_item (FD_Code, FD_Name, FD_SearchCode) VALUES ('" +
                             std::string(row[0]) + "', '" + row[1] + "', 'S" + row[0] + "')").c_str());
        const char* const cols[][2] = { { "C1", "Budget" }, { "C2", "Actual" } };
        for (const auto& col : cols)
            m_backend->Exec(("INSERT INTO ss_colitem (FD_Code, FD_Name, FD_SearchCode) VALUES ('" +
                             std::string(col[0]) + "', '" + col[1] + "', '" + col[0] + "')").c_str());
        m_backend->Describe(&m_source);
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=1\r\nType=" + std::to_string(m_backend->Type()) +
                           "\r\nName=" + std::string((LPCSTR)m_source.m_strDatabase) + "\r\n");
        CreateDirectoryA(m_folder.PathOf("Template"), NULL);
    }

    void Start(CDesignerProcess& designer, CRunModeDriver& driver)
    {
        ASSERT_TRUE(designer.IsStarted());
        HWND hDlg = designer.WaitForDialog("Connect to Database", kWaitMs);
        ASSERT_NE(hDlg, nullptr);
        CDesignerProcess::Press(hDlg, IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
        m_hMain = designer.WaitForMainWindow(kWaitMs);
        ASSERT_NE(m_hMain, nullptr);
        // The splash shows once connected and goes by itself.
        auto others = [&] {
            for (HWND hWnd : designer.TopLevelWindows())
                if (hWnd != m_hMain)
                    return true;
            return false;
        };
        WaitFor(others, 5000);
        ASSERT_TRUE(WaitFor([&] { return !others(); })) << Windows(designer);
    }

    // File > New Template Wizard, then OK on the New Template sheet with the
    // page given shown; the sheet.
    HWND OpenNewTemplateSheet(CDesignerProcess& designer)
    {
        PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kFileNew, 0), 0);
        return designer.WaitForDialog("New Template", kWaitMs);
    }

    // Writes a template of four cells into Template\<folder>\<name>.kvm.
    CString WriteTemplate(LPCSTR lpszFolder, LPCSTR lpszName)
    {
        CreateDirectoryA(m_folder.PathOf((std::string("Template\\") + lpszFolder).c_str()), NULL);
        CString strPath = m_folder.PathOf((std::string("Template\\") + lpszFolder + "\\" + lpszName + ".kvm").c_str());
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        BuildTextGrid(doc.m_sheet, 2, 2);
        strcpy(doc.m_sheet.m_szTitle, lpszName);
        strcpy(doc.m_sheet.m_szCode, "CP01");
        doc.m_sheet.m_cells[3].m_strValue = "Copied text";
        EXPECT_TRUE(doc.OnSaveDocument(strPath));
        return strPath;
    }

    std::unique_ptr<ReportTestBackend> m_backend;
    CKemDatabase m_source;
    CScratchFolder m_folder;
    HWND m_hMain = NULL;
};
}

TEST_F(TemplateWorkflowTest, WizardBuildsATemplateFromChosenItems)
{
    CDesignerProcess designer(m_folder.GetPath());
    CRunModeDriver driver(designer);
    ASSERT_NO_FATAL_FAILURE(Start(designer, driver));

    HWND hSheet = OpenNewTemplateSheet(designer);
    ASSERT_NE(hSheet, nullptr);
    Screenshot(hSheet, "new-template-sheet");
    // "Empty Document" is chosen when the sheet opens.
    PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    HWND hWizard = designer.WaitForDialog(kWizardStep1, kWaitMs);
    ASSERT_NE(hWizard, nullptr) << Windows(designer);
    HWND hInfo = ShownPage(hWizard);
    ASSERT_NE(hInfo, nullptr);
    SetDlgItemTextA(hInfo, 1006, "Costs by item");
    SetDlgItemTextA(hInfo, 1007, "CI2026");
    SendDlgItemMessageA(hInfo, 1126, CB_SETCURSEL, 1, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(hWizard, 1120)) != FALSE; }));
    Screenshot(hWizard, "wizard-step1");
    Click(hWizard, 1120);

    ASSERT_TRUE(WaitFor([&] { return CDesignerProcess::TextOf(hWizard) == kWizardStep2; }));
    HWND hLayout = ShownPage(hWizard);
    ASSERT_NE(hLayout, nullptr);
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(hLayout, 1135))) << "the item lists are open";
    Click(hLayout, 1135);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(hWizard, 1120)) != FALSE; }));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hWizard, IDOK)));
    Screenshot(hWizard, "wizard-step2");
    Click(hWizard, 1120);

    ASSERT_TRUE(WaitFor([&] { return CDesignerProcess::TextOf(hWizard) == kWizardStep3; }));
    HWND hRows = ShownPage(hWizard);
    ASSERT_NE(hRows, nullptr);
    HWND hRowList = GetDlgItem(hRows, 1085);
    EXPECT_EQ(5u, ListLines(hRowList).size());
    // A search by code keeps the items whose code begins with it.
    SetDlgItemTextA(hRows, 1226, "10");
    EXPECT_TRUE(WaitFor([&] { return ListLines(hRowList).size() == 3u; }))
        << ListLines(hRowList).size();
    SendMessageA(hRowList, LB_SETSEL, TRUE, -1);
    Click(hRows, 1086);
    HWND hRowChosen = GetDlgItem(hRows, 1084);
    EXPECT_EQ((std::vector<std::string>{ "101       Wages", "102       Rent", "103       Power" }),
              ListLines(hRowChosen));
    // The same items again are not added twice.
    Click(hRows, 1086);
    EXPECT_EQ(3u, ListLines(hRowChosen).size());
    Screenshot(hWizard, "wizard-step3");
    Click(hWizard, 1120);

    ASSERT_TRUE(WaitFor([&] { return CDesignerProcess::TextOf(hWizard) == kWizardStep4; }));
    HWND hCols = ShownPage(hWizard);
    ASSERT_NE(hCols, nullptr);
    HWND hColList = GetDlgItem(hCols, 1144);
    EXPECT_EQ(2u, ListLines(hColList).size());
    SendMessageA(hColList, LB_SETSEL, TRUE, -1);
    Click(hCols, 1086);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hWizard, IDOK)));
    Screenshot(hWizard, "wizard-step4");
    // Back and on again: both choices are kept.
    Click(hWizard, 33000);
    ASSERT_TRUE(WaitFor([&] { return CDesignerProcess::TextOf(hWizard) == kWizardStep3; }));
    EXPECT_EQ(3u, ListLines(hRowChosen).size());
    Click(hWizard, 1120);
    ASSERT_TRUE(WaitFor([&] { return CDesignerProcess::TextOf(hWizard) == kWizardStep4; }));
    EXPECT_EQ((std::vector<std::string>{ "C1        Budget", "C2        Actual" }),
              ListLines(GetDlgItem(hCols, 1146)));
    Click(hWizard, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hWizard, kWaitMs));

    ASSERT_TRUE(driver.FindView(kWaitMs));
    EXPECT_TRUE(driver.WaitForCaption("Tallyform[Design Mode] - Costs by item", kWaitMs)) << (LPCSTR)driver.MainCaption();
    Screenshot(m_hMain, "wizard-result");
    std::vector<std::string> texts = PdfShownTexts(ReadWholeFile([&] {
        CString strPath = m_folder.PathOf("items.pdf");
        EXPECT_TRUE(driver.SaveToPdf(strPath, kWaitMs));
        return strPath;
    }()));
    for (const char* text : { "Wages", "Rent", "Power", "Budget", "Actual", "101", "103", "Organ Name:",
                              "Editor:" })
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    for (const char* text : { "Travel", "Postage" })
        EXPECT_EQ(std::find(texts.begin(), texts.end(), text), texts.end()) << text;

    // The attributes came through: the properties show them, and a change
    // there is kept.
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kFileProperties, 0), 0);
    HWND hProps = designer.WaitForDialog("Template Properties", kWaitMs);
    ASSERT_NE(hProps, nullptr);
    EXPECT_EQ("CI2026", ControlText(GetDlgItem(hProps, 1007)));
    EXPECT_EQ(1, (int)SendDlgItemMessageA(hProps, 1126, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("6", ControlText(GetDlgItem(hProps, 1078)));
    Screenshot(hProps, "properties");
    SetDlgItemTextA(hProps, 1010, "Checker");
    Click(hProps, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hProps, kWaitMs));
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kFileProperties, 0), 0);
    hProps = designer.WaitForDialog("Template Properties", kWaitMs);
    ASSERT_NE(hProps, nullptr);
    EXPECT_EQ("Checker", ControlText(GetDlgItem(hProps, 1010)));
    Click(hProps, IDCANCEL);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hProps, kWaitMs));
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}

TEST_F(TemplateWorkflowTest, CopyFromATemplateAndOpenThroughTheFolderTree)
{
    CString strSource = WriteTemplate("Copies", "Source");
    CDesignerProcess designer(m_folder.GetPath());
    CRunModeDriver driver(designer);
    ASSERT_NO_FATAL_FAILURE(Start(designer, driver));

    // The second page: Template\Copies\Source.kvm.
    HWND hSheet = OpenNewTemplateSheet(designer);
    ASSERT_NE(hSheet, nullptr);
    SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
    HWND hPage = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hPage = ShownPage(hSheet)) != NULL && GetDlgItem(hPage, 1245) != NULL; }));
    HWND hTree = GetDlgItem(hPage, 1245);
    HTREEITEM hCopies = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hCopies = NthChild(hTree, NULL, 0)) != NULL; }));
    SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, (LPARAM)hCopies);
    // Polled like the folder above: one read once found no child while
    // the machine was loaded.
    HTREEITEM hFile = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hFile = NthChild(hTree, hCopies, 0)) != NULL; }));
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hFile);
    Screenshot(hSheet, "new-template-copy");
    // Posted: the sheet's own loop looks at its end only after a posted
    // message (one sent from here is handled inside its wait).
    PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hSheet, kWaitMs)) << Windows(designer);
    ASSERT_TRUE(driver.FindView(kWaitMs));
    // The copy has the source's header and cells.
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kFileProperties, 0), 0);
    HWND hProps = designer.WaitForDialog("Template Properties", kWaitMs);
    ASSERT_NE(hProps, nullptr) << Windows(designer);
    EXPECT_EQ("CP01", ControlText(GetDlgItem(hProps, 1007)));
    EXPECT_EQ("4", ControlText(GetDlgItem(hProps, 1075)));
    EXPECT_EQ("4", ControlText(GetDlgItem(hProps, 1081)));
    Click(hProps, IDCANCEL);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hProps, kWaitMs));

    // File > Open: a new folder beside Copies, renamed, then Copies dragged
    // into it; the template is opened from its new place.
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kFileOpen, 0), 0);
    HWND hSelect = designer.WaitForDialog("Select Template", kWaitMs);
    ASSERT_NE(hSelect, nullptr);
    hTree = GetDlgItem(hSelect, 1245);
    ASSERT_TRUE(WaitFor([&] { return (hCopies = NthChild(hTree, NULL, 0)) != NULL; }));
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hCopies);
    SendMessageA(hTree, WM_COMMAND, MAKEWPARAM(33068, 0), 0);
    std::string root = (LPCSTR)m_folder.PathOf("Template\\");
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA((root + "NewTemplateType").c_str()) != INVALID_FILE_ATTRIBUTES; }));
    // Copies, NewTemplateType: the new folder is the second.
    HTREEITEM hNew = NthChild(hTree, NULL, 1);
    ASSERT_NE(hNew, nullptr);
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hNew);
    SendMessageA(hTree, WM_COMMAND, MAKEWPARAM(33071, 0), 0);
    HWND hEdit = (HWND)SendMessageA(hTree, TVM_GETEDITCONTROL, 0, 0);
    ASSERT_NE(hEdit, nullptr);
    SetWindowTextA(hEdit, "Archive");
    SendMessageA(hTree, TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesA((root + "Archive").c_str()) != INVALID_FILE_ATTRIBUTES; }));
    // Copies, Archive (renamed in place); drag Copies onto Archive.
    int nHeight = (int)SendMessageA(hTree, TVM_GETITEMHEIGHT, 0, 0);
    int x = (int)SendMessageA(hTree, TVM_GETINDENT, 0, 0) + 8;
    LPARAM from = MAKELPARAM(x, nHeight / 2), to = MAKELPARAM(x, nHeight + nHeight / 2);
    PostMessageA(hTree, WM_LBUTTONDOWN, MK_LBUTTON, from);
    PostMessageA(hTree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 20, nHeight * 2 + 10));
    PostMessageA(hTree, WM_MOUSEMOVE, MK_LBUTTON, to);
    PostMessageA(hTree, WM_LBUTTONUP, 0, to);
    EXPECT_TRUE(WaitFor([&] {
        return GetFileAttributesA((root + "Archive\\Copies\\Source.kvm").c_str()) != INVALID_FILE_ATTRIBUTES;
    }));
    Screenshot(hSelect, "select-template");
    // The drop selects Archive; its Copies holds the template.
    HTREEITEM hArchive = NthChild(hTree, NULL, 0);
    SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, (LPARAM)hArchive);
    HTREEITEM hMoved = NthChild(hTree, hArchive, 0);
    ASSERT_NE(hMoved, nullptr);
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hMoved);
    HWND hList = GetDlgItem(hSelect, 1244);
    EXPECT_EQ((std::vector<std::string>{ "Source" }), ListLines(hList));
    // OK without a template chosen leaves the dialog open.
    Click(hSelect, IDOK);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(hSelect));
    SendMessageA(hList, LB_SETCURSEL, 0, 0);
    Click(hSelect, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hSelect, kWaitMs));
    EXPECT_TRUE(driver.WaitForCaption("Tallyform[Design Mode] - Source.kvm", kWaitMs)) << (LPCSTR)driver.MainCaption();
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}
