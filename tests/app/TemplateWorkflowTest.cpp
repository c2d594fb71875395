// New templates in the real designer on the embedded (SQLite) reporting
// database: the Create Template wizard by items, the copy of an existing
// template, File > Open through Select Template with the folder tree's
// new folder, rename and drag, then the template's properties; and the
// first start after the set-up: a sample opened, a new template saved.
#include <string.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/DesignDriver.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/DialogRemote.h"
#include "tests/app/PdfTexts.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/reporting/chart/ChartPixels.h"
#include "tests/sheet/PdfTools.h"
#include "tests/support/SampleWriter.h"
#include "tests/support/ScratchFolder.h"

#include <commctrl.h>

#include "engines/common/KemDatabase.h"
#include "framework/db/DaoDatabase.h"
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

std::vector<std::string> ListLines(HWND hList)
{
    return CDialogRemote::ListEntries(hList);
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

// The white space the PDF keeps around the sheet.
const double kPdfMargin = 10;

// The text around sheet point (x, y) on the view at 100 %: between the
// cell's left and right edges, its ink keeps a few pixels from each.
void ExpectRoomAroundText(HWND hView, double x, double y)
{
    const int nReach = 150;
    RECT rc = { (LONG)x - nReach, (LONG)y - 6, (LONG)x + nReach, (LONG)y + 6 };
    MapWindowPoints(hView, NULL, (POINT*)&rc, 2);
    std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/template-heading-row.bmp";
    CChartImage image;
    ASSERT_TRUE(SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, path.c_str()));
    ASSERT_TRUE(ReadBitmapFile(path.c_str(), image));
    auto dark = [&](int cx, int cy) {
        COLORREF cr = image.At(cx, cy);
        return GetRValue(cr) + GetGValue(cr) + GetBValue(cr) < 3 * 110;
    };
    // A cell edge is dark all the way down the strip; text is dark in part.
    auto edge = [&](int cx) {
        for (int cy = 0; cy < image.cy; ++cy)
            if (!dark(cx, cy))
                return false;
        return true;
    };
    auto ink = [&](int cx) {
        for (int cy = 0; cy < image.cy; ++cy)
            if (dark(cx, cy))
                return true;
        return false;
    };
    const int xMiddle = nReach;
    int xLeftEdge = xMiddle, xRightEdge = xMiddle;
    while (xLeftEdge > 0 && !edge(xLeftEdge))
        --xLeftEdge;
    while (xRightEdge < image.cx - 1 && !edge(xRightEdge))
        ++xRightEdge;
    ASSERT_TRUE(edge(xLeftEdge) && edge(xRightEdge)) << "no cell edges around the text";
    int xFirstInk = xLeftEdge + 1, xLastInk = xRightEdge - 1;
    while (xFirstInk < xRightEdge && !ink(xFirstInk))
        ++xFirstInk;
    while (xLastInk > xLeftEdge && !ink(xLastInk))
        --xLastInk;
    ASSERT_LT(xFirstInk, xLastInk) << "no text in the cell";
    EXPECT_GE(xFirstInk - xLeftEdge - 1, 4) << "text against the cell's left edge";
    EXPECT_GE(xRightEdge - xLastInk - 1, 4) << "text against the cell's right edge";
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
        const char* const cols[][2] = { { "C1", "Budget" }, { "C2", "Actual" },
                                        { "C3", "Same period last year" } };
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
    EXPECT_EQ(3u, ListLines(hColList).size());
    SendMessageA(hColList, LB_SETSEL, TRUE, -1);
    Click(hCols, 1086);
    // The long item scrolls into view sideways in both lists.
    for (HWND hList : { hColList, GetDlgItem(hCols, 1146) })
    {
        RECT rcList;
        GetClientRect(hList, &rcList);
        EXPECT_TRUE(GetWindowLongA(hList, GWL_STYLE) & WS_HSCROLL);
        EXPECT_GT((int)SendMessageA(hList, LB_GETHORIZONTALEXTENT, 0, 0), rcList.right);
    }
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hWizard, IDOK)));
    Screenshot(hWizard, "wizard-step4");
    // Back and on again: both choices are kept.
    Click(hWizard, 33000);
    ASSERT_TRUE(WaitFor([&] { return CDesignerProcess::TextOf(hWizard) == kWizardStep3; }));
    EXPECT_EQ(3u, ListLines(hRowChosen).size());
    Click(hWizard, 1120);
    ASSERT_TRUE(WaitFor([&] { return CDesignerProcess::TextOf(hWizard) == kWizardStep4; }));
    EXPECT_EQ((std::vector<std::string>{ "C1        Budget", "C2        Actual",
                                         "C3        Same period last year" }),
              ListLines(GetDlgItem(hCols, 1146)));
    Click(hWizard, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hWizard, kWaitMs));

    ASSERT_TRUE(driver.FindView(kWaitMs));
    EXPECT_TRUE(driver.WaitForCaption("Tallyform[Design Mode] - Costs by item", kWaitMs)) << (LPCSTR)driver.MainCaption();
    Screenshot(m_hMain, "wizard-result");
    // A template never saved proposes its name for the PDF.
    CString strPdf = m_folder.PathOf("items.pdf"), strProposed;
    ASSERT_TRUE(driver.SaveToPdf(strPdf, kWaitMs, &strProposed));
    EXPECT_STREQ("Costs by item.pdf", strProposed);
    std::vector<std::string> texts = PdfShownTexts(ReadWholeFile(strPdf));
    // The longest item's heading keeps room on both sides within its cell
    // on the screen; the PDF tells where it stands.
    sheettest::PdfWordBox same = sheettest::FindPdfWord((LPCSTR)DaoUnixPath(strPdf), "Same");
    sheettest::PdfWordBox year = sheettest::FindPdfWord((LPCSTR)DaoUnixPath(strPdf), "year");
    ASSERT_TRUE(same.bFound && year.bFound);
    ExpectRoomAroundText(driver.View(), (same.xMin + year.xMax) / 2 - kPdfMargin,
                         (same.yMin + same.yMax) / 2 - kPdfMargin);
    for (const char* text : { "Wages", "Rent", "Power", "Budget", "Actual", "Same period last year", "101",
                              "103", "Organ Name:", "Editor:" })
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    for (const char* text : { "Travel", "Postage" })
        EXPECT_EQ(std::find(texts.begin(), texts.end(), text), texts.end()) << text;

    // The attributes came through: the properties show them, and a change
    // there is kept.
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kFileProperties, 0), 0);
    HWND hProps = designer.WaitForDialog("Template Properties", kWaitMs);
    ASSERT_NE(hProps, nullptr);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hProps, m_hMain));
    EXPECT_EQ("CI2026", CDesignerProcess::ControlText(GetDlgItem(hProps, 1007)));
    EXPECT_EQ(1, (int)SendDlgItemMessageA(hProps, 1126, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("9", CDesignerProcess::ControlText(GetDlgItem(hProps, 1078)));
    Screenshot(hProps, "properties");
    SetDlgItemTextA(hProps, 1010, "Checker");
    Click(hProps, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hProps, kWaitMs));
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kFileProperties, 0), 0);
    hProps = designer.WaitForDialog("Template Properties", kWaitMs);
    ASSERT_NE(hProps, nullptr);
    EXPECT_EQ("Checker", CDesignerProcess::ControlText(GetDlgItem(hProps, 1010)));
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
    // The tree fills itself once more when its first posted message comes
    // round, which on a loaded machine can be after the items were found
    // here: the file is chosen again until the choice holds.
    HTREEITEM hCopies = NULL;
    ASSERT_TRUE(WaitFor([&] {
        HTREEITEM hFile = NULL;
        if ((hCopies = NthChild(hTree, NULL, 0)) == NULL)
            return false;
        SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, (LPARAM)hCopies);
        if ((hFile = NthChild(hTree, hCopies, 0)) == NULL)
            return false;
        SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hFile);
        return (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0) == hFile;
    }));
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
    EXPECT_EQ("CP01", CDesignerProcess::ControlText(GetDlgItem(hProps, 1007)));
    EXPECT_EQ("4", CDesignerProcess::ControlText(GetDlgItem(hProps, 1075)));
    EXPECT_EQ("4", CDesignerProcess::ControlText(GetDlgItem(hProps, 1081)));
    Click(hProps, IDCANCEL);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hProps, kWaitMs));

    // File > Open: a new folder beside Copies, renamed, then Copies dragged
    // into it; the template is opened from its new place.
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kFileOpen, 0), 0);
    HWND hSelect = designer.WaitForDialog("Select Template", kWaitMs);
    ASSERT_NE(hSelect, nullptr);
    hTree = GetDlgItem(hSelect, 1245);
    // The types lie under the root folder's own item.
    HTREEITEM hRoot = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hRoot = NthChild(hTree, NULL, 0)) != NULL; }));
    ASSERT_TRUE(WaitFor([&] { return (hCopies = NthChild(hTree, hRoot, 0)) != NULL; }));
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hCopies);
    SendMessageA(hTree, WM_COMMAND, MAKEWPARAM(33068, 0), 0);
    std::string root = (LPCSTR)m_folder.PathOf("Template\\");
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA((root + "NewTemplateType").c_str()) != INVALID_FILE_ATTRIBUTES; }));
    // Copies, NewTemplateType: the new folder is the second, once the tree
    // has been filled again.
    HTREEITEM hNew = NULL;
    ASSERT_TRUE(WaitFor([&] {
        hRoot = NthChild(hTree, NULL, 0);
        return (hNew = NthChild(hTree, hRoot, 1)) != NULL;
    }));
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hNew);
    SendMessageA(hTree, WM_COMMAND, MAKEWPARAM(33071, 0), 0);
    HWND hEdit = (HWND)SendMessageA(hTree, TVM_GETEDITCONTROL, 0, 0);
    ASSERT_NE(hEdit, nullptr);
    SetWindowTextA(hEdit, "Archive");
    SendMessageA(hTree, TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesA((root + "Archive").c_str()) != INVALID_FILE_ATTRIBUTES; }));
    // Template, then Copies and Archive (renamed in place) one level in;
    // drag Copies onto Archive.
    int nHeight = (int)SendMessageA(hTree, TVM_GETITEMHEIGHT, 0, 0);
    int x = 2 * (int)SendMessageA(hTree, TVM_GETINDENT, 0, 0) + 8;
    LPARAM from = MAKELPARAM(x, nHeight + nHeight / 2), to = MAKELPARAM(x, 2 * nHeight + nHeight / 2);
    PostMessageA(hTree, WM_LBUTTONDOWN, MK_LBUTTON, from);
    PostMessageA(hTree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 20, nHeight * 3 + 10));
    PostMessageA(hTree, WM_MOUSEMOVE, MK_LBUTTON, to);
    PostMessageA(hTree, WM_LBUTTONUP, 0, to);
    EXPECT_TRUE(WaitFor([&] {
        return GetFileAttributesA((root + "Archive\\Copies\\Source.kvm").c_str()) != INVALID_FILE_ATTRIBUTES;
    }));
    Screenshot(hSelect, "select-template");
    // The drop selects Archive; its Copies holds the template.
    HTREEITEM hArchive = NthChild(hTree, hRoot, 0);
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

TEST_F(TemplateWorkflowTest, FreshSetUpOpensASampleAndSavesANewTemplate)
{
    // The working folder as the set-up leaves it: the samples right in
    // Template.
    ASSERT_EQ(0u, RunSampleWriter(m_folder.PathOf("Template")));
    CDesignerProcess designer(m_folder.GetPath());
    CRunModeDriver driver(designer);
    ASSERT_TRUE(designer.IsStarted());
    // Connect comes in the middle of the screen, and again there on Retry.
    HWND hConnect = designer.WaitForDialog("Connect to Database", kWaitMs);
    ASSERT_NE(hConnect, nullptr);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hConnect, NULL));
    CDesignerProcess::Press(hConnect, IDCANCEL);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hConnect, kWaitMs));
    HWND hFailed = designer.WaitForMessageBox(kWaitMs);
    ASSERT_NE(hFailed, nullptr);
    EXPECT_EQ("Initialize database failed.", std::string((LPCSTR)CDesignerProcess::MessageText(hFailed)));
    CDesignerProcess::Press(hFailed, IDRETRY);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hFailed, kWaitMs));
    hConnect = designer.WaitForDialog("Connect to Database", kWaitMs);
    ASSERT_NE(hConnect, nullptr);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hConnect, NULL));
    CDesignerProcess::Press(hConnect, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hConnect, kWaitMs));
    m_hMain = designer.WaitForMainWindow(kWaitMs);
    ASSERT_NE(m_hMain, nullptr);
    ASSERT_TRUE(WaitFor([&] { return designer.TopLevelWindows().size() == 1u; })) << Windows(designer);

    // Ctrl+O: the root folder is chosen and its samples are listed.
    CDesignDriver::HardwareKey('O', VK_CONTROL);
    HWND hSelect = designer.WaitForDialog("Select Template", kWaitMs);
    ASSERT_NE(hSelect, nullptr);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hSelect, m_hMain));
    HWND hTree = GetDlgItem(hSelect, 1245);
    HWND hList = GetDlgItem(hSelect, 1244);
    HTREEITEM hRoot = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hRoot = NthChild(hTree, NULL, 0)) != NULL; }));
    EXPECT_EQ(hRoot, (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    std::vector<std::string> samples;
    ASSERT_TRUE(WaitFor([&] { return (samples = ListLines(hList)).size() == 2u; }));
    std::sort(samples.begin(), samples.end());
    EXPECT_EQ((std::vector<std::string>{ "Monthly Report", "Ten-day Report" }), samples);
    Screenshot(hSelect, "fresh-select");

    // A type added under the root, then deleted: after each answer to the
    // shell's question the dialog is still the modal window on top.
    SendMessageA(hTree, WM_COMMAND, MAKEWPARAM(33068, 0), 0);
    const std::string type = (LPCSTR)m_folder.PathOf("Template\\NewTemplateType");
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(type.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    HTREEITEM hType = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hType = NthChild(hTree, hRoot, 0)) != NULL; }));
    for (int nAnswer : { IDNO, IDYES })
    {
        SCOPED_TRACE(nAnswer == IDYES ? "Yes" : "No");
        SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hType);
        PostMessageA(hTree, WM_KEYDOWN, VK_DELETE, 0);
        HWND hAsk = NULL;
        ASSERT_TRUE(WaitFor([&] {
            for (HWND hWnd : designer.TopLevelWindows())
                if (hWnd != hSelect && hWnd != m_hMain && CDesignerProcess::ClassOf(hWnd) == "#32770")
                    return (hAsk = hWnd) != NULL;
            return false;
        })) << Windows(designer);
        Screenshot(hAsk, "fresh-delete-question");
        CDesignerProcess::Press(hAsk, nAnswer);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hAsk, kWaitMs));
        // The folder goes once the question is answered, which may be a
        // moment after its box has closed.
        if (nAnswer == IDYES)
            EXPECT_TRUE(WaitFor([&] { return GetFileAttributesA(type.c_str()) == INVALID_FILE_ATTRIBUTES; }));
        else
        {
            Sleep(500);
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(type.c_str()));
        }
        EXPECT_TRUE(IsWindowVisible(hSelect));
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == hSelect; }, 2000));
        EXPECT_FALSE(IsWindowEnabled(m_hMain));
    }

    // A sample opens.
    int nMonthly = (int)SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"Monthly Report");
    ASSERT_GE(nMonthly, 0);
    SendMessageA(hList, LB_SETCURSEL, (WPARAM)nMonthly, 0);
    Click(hSelect, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hSelect, kWaitMs));
    ASSERT_TRUE(driver.FindView(kWaitMs));
    EXPECT_TRUE(driver.WaitForCaption("Tallyform[Design Mode] - Monthly Report.kvm", kWaitMs)) << (LPCSTR)driver.MainCaption();

    // New, Finish: the layout step says once that 0 rows will not do.
    HWND hSheet = OpenNewTemplateSheet(designer);
    ASSERT_NE(hSheet, nullptr);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hSheet, m_hMain));
    PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    HWND hWizard = designer.WaitForDialog(kWizardStep1, kWaitMs);
    ASSERT_NE(hWizard, nullptr) << Windows(designer);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hWizard, m_hMain));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(hWizard, 1120)) != FALSE; }));
    Click(hWizard, 1120);
    ASSERT_TRUE(WaitFor([&] { return CDesignerProcess::TextOf(hWizard) == kWizardStep2; }));
    HWND hRows = GetDlgItem(ShownPage(hWizard), 1002);
    ASSERT_NE(hRows, nullptr);
    CDesignDriver::HardwareClickOn(hRows);
    SendMessageA(hRows, WM_SETTEXT, 0, (LPARAM)"0");
    CDesignDriver::HardwareKey(VK_TAB);
    std::vector<std::string> said;
    for (HWND hBox; (hBox = designer.WaitForMessageBox(1500)) != NULL;)
    {
        said.push_back((LPCSTR)CDesignerProcess::MessageText(hBox));
        CDesignerProcess::Press(hBox, IDOK);
        CDesignerProcess::WaitGone(hBox, kWaitMs);
    }
    EXPECT_EQ((std::vector<std::string>{ "Please enter an integer between 1 and 500." }), said);
    SendMessageA(hRows, WM_SETTEXT, 0, (LPARAM)"4");
    Click(hWizard, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hWizard, kWaitMs));
    EXPECT_TRUE(driver.WaitForCaption("Tallyform[Design Mode] - TallyformTemplate1", kWaitMs)) << (LPCSTR)driver.MainCaption();

    // Ctrl+S, OK: the root folder is chosen, and the template is written there.
    CDesignDriver::HardwareKey('S', VK_CONTROL);
    HWND hSave = designer.WaitForDialog("Save Template", kWaitMs);
    ASSERT_NE(hSave, nullptr);
    EXPECT_TRUE(CDesignerProcess::IsCentredOn(hSave, m_hMain));
    Screenshot(hSave, "fresh-save");
    Click(hSave, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hSave, kWaitMs)) << Windows(designer);
    const CString strSaved = m_folder.PathOf("Template\\TallyformTemplate1.kvm");
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(strSaved) != INVALID_FILE_ATTRIBUTES; }));
    driver.Settle();
    CTallyformDoc saved;
    saved.m_bAutoDelete = FALSE;
    ASSERT_TRUE(saved.OnOpenDocument(strSaved));
    EXPECT_EQ(12, saved.m_sheet.m_cells.GetSize());
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}
