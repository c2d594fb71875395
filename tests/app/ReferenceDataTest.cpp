// The reference data maintained in the real designer on both kinds of
// reporting database: row and column items, property types and values,
// organizations with their property links (also when the links table
// fails), and Find Item over them; and reports of organizations named in
// either code page, saved in one and summed in the other.  The dialogs are
// opened with the Database > Setup commands and driven with messages;
// after each step the tables are read with direct SQL.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/DialogRemote.h"
#include "tests/app/EntryTemplate.h"
#include "tests/app/PdfTexts.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/reporting/chart/ChartPixels.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Utf8.h"

#include "engines/common/KemDatabase.h"
#include "sheet/PeriodCode.h"

namespace
{
const DWORD kWaitMs = 20000;
typedef std::vector<std::string> Rows;

// Row Item Setup controls.
enum { ROW_CODE = 1181, ROW_NAME = 1182, ROW_SEARCH = 1183, ROW_TYPE = 1184, ROW_ADD = 1174, ROW_DEL = 1175,
       ROW_MODIFY = 1176, ROW_FIND = 1177, ROW_PREV = 1178, ROW_NEXT = 1179 };
// Column Item Setup controls.
enum { COL_CODE = 1197, COL_NAME = 1198, COL_SEARCH = 1202, COL_ADD = 1199, COL_DEL = 1200 };
// Set Organization Properties controls.
enum { PROP_TYPE = 1153, PROP_TYPE_ADD = 1159, PROP_TYPE_DEL = 1161, PROP_VALUE = 1163, PROP_VALUE_ADD = 1154,
       PROP_VALUE_INSERT = 1157, PROP_VALUE_LIST = 1160 };
// Set Organization controls.
enum { ORG_CODE = 1210, ORG_NAME = 1131, ORG_SEARCH = 1134, ORG_TREE = 1211, ORG_ADD = 1209, ORG_DEL = 1208,
       ORG_MODIFY = 1207, ORG_PREV = 1206, ORG_NEXT = 1205, ORG_FIND = 1204, ORG_EXIT = 1203 };
// Find Item controls.
enum { FIND_TEXT = 32803, FIND_LIST = 1145 };
// Data Gather controls, and the commands of the report's data.
enum { GATHER_ALL = 1068, GATHER_ADD = 1099, GATHER_REPORTS = 1166 };
const UINT kSaveToDatabase = 32827;
const UINT kSumFromDatabases = 33031;

class ReferenceDataTest : public testing::TestWithParam<ReportBackendKind>
{
protected:
    ReferenceDataTest() : m_backend(MakeReportBackend(GetParam())) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_backend->IsReady());
        CKemDatabase source;
        m_backend->Describe(&source);
        m_strUser = source.m_strUser;
        m_strPassword = source.m_strPassword;
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=1\r\nType=" + std::to_string(m_backend->Type()) +
                           "\r\nName=" + std::string((LPCSTR)source.m_strDatabase) + "\r\n");
        StartDesigner(NULL);
    }

    // Starts the designer (in the locale given, else in this program's, on
    // the template given) and connects it to the database.
    void StartDesigner(LPCSTR lpszLocale, LPCSTR lpszTemplate = NULL)
    {
        if (m_driver)
            m_driver->CloseDiscarding(kWaitMs);
        m_driver.reset();
        if (m_designer)
            m_designer->Close();
        const CString strArguments = lpszTemplate != NULL ? "\"" + CString(lpszTemplate) + "\"" : CString();
        m_designer.reset(new CDesignerProcess(m_folder.GetPath(), lpszTemplate != NULL ? (LPCSTR)strArguments : NULL,
                                              lpszLocale));
        ASSERT_TRUE(m_designer->IsStarted());
        HWND hConnect = m_designer->WaitForDialog("Connect to Database", kWaitMs);
        ASSERT_NE(hConnect, nullptr);
        SetDlgItemTextA(hConnect, 1143, m_strUser);
        SetDlgItemTextA(hConnect, 1019, m_strPassword);
        CDesignerProcess::Press(hConnect, IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hConnect, kWaitMs));
        m_hMain = m_designer->WaitForMainWindow(kWaitMs);
        ASSERT_NE(m_hMain, nullptr);
        WaitForSplash();
        if (lpszTemplate == NULL)
            return;
        m_driver.reset(new CRunModeDriver(*m_designer));
        ASSERT_TRUE(m_driver->FindView(kWaitMs));
    }

    // In a designer started on the entry template: the keys of the
    // organization (its name as this program reads the designer's) for
    // January, the figures, and the report saved to the database.
    void SaveReport(LPCSTR lpszCode, LPCSTR lpszNameRead, const Rows& figures)
    {
        CRunModeDriver& driver = *m_driver;
        HWND hEditor = driver.EnterKeys(PERIOD_MONTH, 0, lpszCode, lpszCode, lpszNameRead, kWaitMs);
        ASSERT_NE(hEditor, nullptr) << driver.Failure() << JoinedTexts(driver.Answered());
        for (const std::string& figure : figures)
        {
            hEditor = driver.EnterFigure(hEditor, figure.c_str(), kWaitMs);
            ASSERT_NE(hEditor, nullptr) << driver.Failure();
        }
        PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
        EXPECT_EQ(std::string("[report] ") + lpszCode + "|" + lpszNameRead, driver.ConfirmReportInformation(kWaitMs));
        const std::string query = std::string("SELECT FD_Value FROM ss_datalist WHERE FD_OrgCode='") + lpszCode +
                                  "' ORDER BY FD_RowItemCode, FD_ColItemCode";
        Rows stored;
        for (DWORD dwWaited = 0; dwWaited < kWaitMs && (stored = m_backend->Rows(query.c_str())).size() < 3;
             dwWaited += 100)
        {
            driver.AnswerDialogs();
            Sleep(100);
        }
        EXPECT_EQ(figures, stored) << JoinedTexts(driver.Answered());
        driver.Settle();
    }

    // Data Gather over every period, with the organizations whose entries
    // (read in UTF-8) begin with the texts chosen; the entries listed, and
    // the texts of the message boxes OK brought, answered Yes.
    Rows SumOrgans(const Rows& chosen, Rows& boxes)
    {
        CDialogRemote gather(*m_designer, OpenSetup(kSumFromDatabases, "Data Gather"));
        EXPECT_NE(gather.Handle(), nullptr);
        if (gather.Handle() == NULL)
            return Rows();
        gather.Click(GATHER_ALL);
        const Rows listed = gather.ListItemsUtf8(GATHER_REPORTS);
        std::vector<int> indexes;
        for (size_t i = 0; i < listed.size(); ++i)
            for (const std::string& text : chosen)
                if (listed[i].compare(0, text.size(), text) == 0)
                    indexes.push_back((int)i);
        gather.SelectListItems(GATHER_REPORTS, indexes);
        EXPECT_TRUE(gather.Press(GATHER_ADD));
        boxes = gather.PressAnswering(IDOK, IDYES);
        if (!CDesignerProcess::WaitGone(gather.Handle(), 2000))
            Close(gather, IDCANCEL);
        m_driver->Settle();
        return listed;
    }

    // What the summed report shows, read from its PDF export.
    Rows ShownReport(LPCSTR lpszName)
    {
        CString strPath = m_folder.PathOf(lpszName);
        EXPECT_TRUE(m_driver->SaveToPdf(strPath, kWaitMs)) << lpszName;
        return PdfShownTexts(ReadWholeFile(strPath));
    }

    void TearDown() override
    {
        if (m_driver)
            m_driver->CloseDiscarding(kWaitMs);
        if (m_designer)
            m_designer->Close();
    }

    // The splash window comes after the connection and goes by itself.
    void WaitForSplash()
    {
        for (DWORD dwWaited = 0; dwWaited < kWaitMs; dwWaited += 100)
        {
            BOOL bSplash = FALSE;
            for (HWND hWnd : m_designer->TopLevelWindows())
                bSplash = bSplash || (hWnd != m_hMain && CDesignerProcess::ClassOf(hWnd) != "#32770");
            if (!bSplash && dwWaited > 2500)
                return;
            Sleep(100);
        }
    }

    // What the check box in front of a tree item shows on the screen:
    // "empty", "ticked", "filled" (partly checked), or "none" without a frame.
    std::string DrawnCheckBox(CDialogRemote& dlg, int nPosition)
    {
        RECT rcText;
        if (!dlg.TreeItemTextRect(ORG_TREE, nPosition, rcText))
            return "no item";
        RECT rc = { rcText.left - 20, rcText.top, rcText.left, rcText.bottom };
        std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/refdata-check-" +
                           std::to_string(nPosition) + ".bmp";
        CChartImage image;
        if (!SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, path.c_str()) ||
            !ReadBitmapFile(path.c_str(), image))
            return "no picture";
        auto dark = [&](int x, int y) {
            COLORREF cr = image.At(x, y);
            return GetRValue(cr) < 64 && GetGValue(cr) < 64 && GetBValue(cr) < 64;
        };
        // The frame: the widest run of dark pixels in a row, as tall in a column.
        int nBest = 0, xLeft = 0, yTop = 0;
        for (int y = 0; y < image.cy; ++y)
            for (int x = 0, n = 0; x < image.cx; ++x)
            {
                n = dark(x, y) ? n + 1 : 0;
                if (n > nBest)
                    nBest = n, xLeft = x - n + 1, yTop = y;
            }
        if (nBest < 8 || yTop + nBest > image.cy)
            return "none";
        const int xRight = xLeft + nBest - 1, yBottom = yTop + nBest - 1;
        for (int y = yTop; y <= yBottom; ++y)
            if (!dark(xLeft, y) || !dark(xRight, y))
                return "none";
        int nDark = 0, nGrey = 0;
        for (int y = yTop + 1; y < yBottom; ++y)
            for (int x = xLeft + 1; x < xRight; ++x)
            {
                COLORREF cr = image.At(x, y);
                nDark += dark(x, y);
                nGrey += !dark(x, y) && GetRValue(cr) < 200 && GetRValue(cr) == GetBValue(cr);
            }
        return nGrey > 10 ? "filled" : nDark > 4 ? "ticked" : "empty";
    }

    // A Database > Setup command and the dialog it opens.
    HWND OpenSetup(UINT nCommand, LPCSTR lpszCaption)
    {
        PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(nCommand, 0), 0);
        return m_designer->WaitForDialog(lpszCaption, kWaitMs);
    }

    // Types the text into the Find Item dialog and takes the first entry
    // once the delayed search has listed it; the entries listed.
    Rows FindAndTake(HWND hFind, LPCSTR lpszText, size_t nExpected)
    {
        CDialogRemote find(*m_designer, hFind);
        find.SetText(FIND_TEXT, lpszText);
        Rows items;
        for (DWORD dwWaited = 0; dwWaited < kWaitMs; dwWaited += 100)
        {
            Sleep(100);
            items = find.ListItems(FIND_LIST);
            if (items.size() == nExpected && (items.empty() || items[0].find(lpszText) == 0))
                break;
        }
        EXPECT_TRUE(find.Press(IDOK));
        EXPECT_TRUE(CDesignerProcess::WaitGone(hFind, kWaitMs));
        return items;
    }

    void Close(CDialogRemote& dlg, int nID)
    {
        CDesignerProcess::Press(dlg.Handle(), nID);
        EXPECT_TRUE(CDesignerProcess::WaitGone(dlg.Handle(), kWaitMs));
    }

    void RefuseOrganDeletes()
    {
        if (GetParam() == BACKEND_DAO_SQLITE)
        {
            m_backend->Exec("CREATE TRIGGER refuse_organ BEFORE DELETE ON ss_Organ BEGIN SELECT RAISE(ABORT, 'refused'); END");
            return;
        }
        m_backend->Exec("CREATE OR REPLACE FUNCTION refuse_organ() RETURNS trigger LANGUAGE plpgsql AS"
                        " 'BEGIN RAISE EXCEPTION ''refused''; END'");
        m_backend->Exec("CREATE TRIGGER refuse_organ BEFORE DELETE ON ss_Organ FOR EACH ROW EXECUTE FUNCTION refuse_organ()");
    }

    void AllowOrganDeletes()
    {
        m_backend->Exec(GetParam() == BACKEND_DAO_SQLITE ? "DROP TRIGGER refuse_organ"
                                                         : "DROP TRIGGER refuse_organ ON ss_Organ");
    }

    Rows Items() { return m_backend->Rows("SELECT FD_Code, FD_Name, FD_SearchCode, FD_Type FROM ss_item ORDER BY FD_Code"); }
    Rows ColumnItems() { return m_backend->Rows("SELECT FD_Code, FD_Name, FD_SearchCode FROM ss_colitem ORDER BY FD_Code"); }
    Rows Attributes()
    {
        return m_backend->Rows("SELECT FD_AttrTypeCode, FD_AttrTypeName, FD_ValCode, FD_ValName FROM ss_Attribute"
                               " ORDER BY FD_AttrTypeCode, FD_ValCode");
    }
    Rows Organs() { return m_backend->Rows("SELECT FD_Code, FD_Name, FD_SearchCode FROM ss_Organ ORDER BY FD_Code"); }
    // The bytes stored in a text column, as lower-case hex, row by row.
    Rows StoredHex(const char* pszColumn, const char* pszTable, const char* pszOrder)
    {
        std::string strHex = GetParam() == BACKEND_DAO_SQLITE
                                 ? "lower(hex(" + std::string(pszColumn) + "))"
                                 : "encode(convert_to(" + std::string(pszColumn) + ", 'UTF8'), 'hex')";
        return m_backend->Rows(("SELECT " + strHex + " FROM " + pszTable + " ORDER BY " + pszOrder).c_str());
    }
    // Adds an organization (its name in UTF-8) in the Set Organization
    // dialog, with the value at the tree position checked (none for -1).
    void AddOrgan(const char* pszCode, const char* pszName, const char* pszSearch, int nValue)
    {
        CDialogRemote org(*m_designer, OpenSetup(32832, "Set Organization"));
        ASSERT_NE(org.Handle(), nullptr);
        ASSERT_TRUE(org.Press(ORG_ADD));
        org.SetTextUtf8(ORG_CODE, pszCode);
        org.SetTextUtf8(ORG_NAME, pszName);
        org.SetText(ORG_SEARCH, pszSearch);
        if (nValue >= 0)
            org.ToggleTreeItem(ORG_TREE, nValue);
        EXPECT_EQ(Rows(), org.PressAnswering(ORG_ADD));
        Close(org, ORG_EXIT);
    }
    // Shows the organization of the code (and of the name, when given),
    // stepping from the first one.
    void ShowOrgan(CDialogRemote& org, const char* pszCode, const char* pszName = NULL)
    {
        while (org.IsEnabled(ORG_PREV))
            ASSERT_TRUE(org.Press(ORG_PREV));
        const std::string strName = pszName != NULL ? pszName : "";
        auto shown = [&]() { return org.Text(ORG_CODE) == pszCode && (pszName == NULL || org.Text(ORG_NAME) == strName); };
        while (!shown() && org.IsEnabled(ORG_NEXT))
            ASSERT_TRUE(org.Press(ORG_NEXT));
        ASSERT_EQ(pszCode, org.Text(ORG_CODE));
        ASSERT_TRUE(shown()) << org.Text(ORG_NAME);
    }
    Rows Links()
    {
        return m_backend->Rows("SELECT FD_OrgCode, FD_AttrTypeCode, FD_ValCode FROM ss_OrgAttr"
                               " ORDER BY FD_OrgCode, FD_AttrTypeCode");
    }

    std::unique_ptr<ReportTestBackend> m_backend;
    CScratchFolder m_folder;
    std::unique_ptr<CDesignerProcess> m_designer;
    std::unique_ptr<CRunModeDriver> m_driver;
    HWND m_hMain = NULL;
    CString m_strUser;
    CString m_strPassword;
};

// Fills the row item boxes after a first press of Add and saves them.
Rows AddRowItem(CDialogRemote& dlg, LPCSTR lpszCode, LPCSTR lpszName, LPCSTR lpszSearch, int nType)
{
    dlg.SetText(ROW_CODE, lpszCode);
    dlg.SetText(ROW_NAME, lpszName);
    dlg.SetText(ROW_SEARCH, lpszSearch);
    SendDlgItemMessageA(dlg.Handle(), ROW_TYPE, CB_SETCURSEL, nType, 0);
    return dlg.PressAnswering(ROW_ADD);
}

TEST_P(ReferenceDataTest, RowAndColumnItemsAreAddedChangedFoundAndDeleted)
{
    CDialogRemote row(*m_designer, OpenSetup(32833, "Row Item Setup"));
    ASSERT_NE(row.Handle(), nullptr);
    // An empty table: only Add.
    for (int nID : { ROW_PREV, ROW_NEXT, ROW_MODIFY, ROW_DEL, ROW_FIND })
        EXPECT_FALSE(row.IsEnabled(nID)) << nID;
    EXPECT_TRUE(row.IsEnabled(ROW_ADD));

    ASSERT_TRUE(row.Press(ROW_ADD));
    EXPECT_EQ("Save", row.Text(ROW_ADD));
    EXPECT_EQ(Rows(), AddRowItem(row, "R1", "Sales", "S", 1));
    EXPECT_EQ(Rows{ "R1|Sales|S|1" }, Items());
    EXPECT_EQ("R1", row.Text(ROW_CODE));
    EXPECT_EQ("Add", row.Text(ROW_ADD));

    ASSERT_TRUE(row.Press(ROW_ADD));
    EXPECT_EQ(Rows(), AddRowItem(row, "R2", "O'Neil's", "O'N", 0));
    // A name that exists is refused and the dialog stays in adding.
    ASSERT_TRUE(row.Press(ROW_ADD));
    EXPECT_EQ(Rows{ "Find duplicate item code or name." }, AddRowItem(row, "R3", "Sales", "X", 0));
    EXPECT_EQ("Save", row.Text(ROW_ADD));
    EXPECT_EQ(Rows{ "Item search code cannot be empty." }, AddRowItem(row, "R3", "Costs", "", 0));
    EXPECT_EQ(Rows(), AddRowItem(row, "R3", "Costs", "C", 3));
    EXPECT_EQ((Rows{ "R1|Sales|S|1", "R2|O'Neil's|O'N|0", "R3|Costs|C|3" }), Items());
    // The row shown before the adds stays on show.
    EXPECT_EQ("R1", row.Text(ROW_CODE));
    EXPECT_FALSE(row.IsEnabled(ROW_PREV));

    ASSERT_TRUE(row.Press(ROW_NEXT));
    EXPECT_EQ("O'Neil's", row.Text(ROW_NAME));
    ASSERT_TRUE(row.Press(ROW_MODIFY));
    row.SetText(ROW_NAME, "O'Neil & Sons");
    EXPECT_EQ(Rows(), row.PressAnswering(ROW_MODIFY));
    EXPECT_EQ("R2|O'Neil & Sons|O'N|0", Items()[1]);
    // Another row's name is refused; the row's own is not.
    ASSERT_TRUE(row.Press(ROW_MODIFY));
    row.SetText(ROW_NAME, "Costs");
    EXPECT_EQ(Rows{ "Find duplicate item code or name." }, row.PressAnswering(ROW_MODIFY));
    row.SetText(ROW_NAME, "O'Neil & Sons");
    row.SetText(ROW_SEARCH, "ON");
    EXPECT_EQ(Rows(), row.PressAnswering(ROW_MODIFY));
    EXPECT_EQ("R2|O'Neil & Sons|ON|0", Items()[1]);

    // Find jumps to the row chosen.
    HWND hFind = row.PressOpening(ROW_FIND, "Find Row Item");
    ASSERT_NE(hFind, nullptr);
    EXPECT_EQ(Rows{ "R3\tCosts" }, FindAndTake(hFind, "R3", 1));
    EXPECT_EQ(Rows(), row.Settle());
    EXPECT_EQ("R3", row.Text(ROW_CODE));
    EXPECT_EQ(3, (int)SendDlgItemMessageA(row.Handle(), ROW_TYPE, CB_GETCURSEL, 0, 0));

    // The row after the deleted one is shown (on SQLite, where R3 is the
    // last row, the one before it).
    EXPECT_EQ(Rows{ "Are you sure you want tot delete this item?" }, row.PressAnswering(ROW_DEL, IDYES));
    EXPECT_EQ((Rows{ "R1|Sales|S|1", "R2|O'Neil & Sons|ON|0" }), Items());
    EXPECT_EQ("R2", row.Text(ROW_CODE));
    Close(row, IDOK);

    CDialogRemote col(*m_designer, OpenSetup(32834, "Column Item Setup"));
    ASSERT_NE(col.Handle(), nullptr);
    for (LPCSTR code : { "C'1", "C2" })
    {
        ASSERT_TRUE(col.Press(COL_ADD));
        col.SetText(COL_CODE, code);
        col.SetText(COL_NAME, CString("Column ") + code);
        // A column item needs no search code.
        EXPECT_EQ(Rows(), col.PressAnswering(COL_ADD));
    }
    ASSERT_TRUE(col.Press(COL_ADD));
    col.SetText(COL_CODE, "C'1");
    col.SetText(COL_NAME, "Fresh");
    EXPECT_EQ(Rows{ "Column Item code or name already exsist." }, col.PressAnswering(COL_ADD));
    EXPECT_EQ((Rows{ "C'1|Column C'1|", "C2|Column C2|" }), ColumnItems());
    // The only other row goes; deleting the last one empties the boxes.
    Close(col, IDOK);
    CDialogRemote again(*m_designer, OpenSetup(32834, "Column Item Setup"));
    EXPECT_EQ("C'1", again.Text(COL_CODE));
    EXPECT_EQ(Rows{ "Are you sure you want to delete this column item?" }, again.PressAnswering(COL_DEL, IDYES));
    EXPECT_EQ("C2", again.Text(COL_CODE));
    again.PressAnswering(COL_DEL, IDYES);
    EXPECT_EQ("", again.Text(COL_CODE));
    EXPECT_FALSE(again.IsEnabled(COL_DEL));
    EXPECT_EQ(Rows(), ColumnItems());
    Close(again, IDOK);
}

// Adds a type with its values (UTF-8) in the property types dialog.
void AddType(CDialogRemote& dlg, LPCSTR lpszType, std::vector<LPCSTR> values)
{
    dlg.SetTextUtf8(PROP_TYPE, lpszType);
    ASSERT_TRUE(dlg.Press(PROP_TYPE_ADD));
    for (LPCSTR value : values)
    {
        dlg.SetTextUtf8(PROP_VALUE, value);
        ASSERT_TRUE(dlg.Press(PROP_VALUE_ADD));
    }
}

TEST_P(ReferenceDataTest, OrganizationsKeepTheirPropertiesThroughEveryStep)
{
    CDialogRemote props(*m_designer, OpenSetup(32836, "Set Organization Properties"));
    ASSERT_NE(props.Handle(), nullptr);
    AddType(props, "Region", { "North", "South" });
    AddType(props, "Size", { "Big" });
    AddType(props, "Unused", {});
    EXPECT_EQ(Rows(), props.PressAnswering(IDOK));
    ASSERT_TRUE(CDesignerProcess::WaitGone(props.Handle(), kWaitMs));
    EXPECT_EQ((Rows{ "0|Region|0|North", "0|Region|1|South", "1|Size|0|Big" }), Attributes());

    // Pre-order positions in the organization's tree.
    enum { ROOT, REGION, NORTH, SOUTH, SIZE, BIG };
    CDialogRemote org(*m_designer, OpenSetup(32832, "Set Organization"));
    ASSERT_NE(org.Handle(), nullptr);
    for (int nID : { ORG_PREV, ORG_NEXT, ORG_MODIFY, ORG_DEL })
        EXPECT_FALSE(org.IsEnabled(nID)) << nID;

    ASSERT_TRUE(org.Press(ORG_ADD));
    org.SetText(ORG_CODE, "A'1");
    org.SetText(ORG_NAME, "O'Hara's");
    org.SetText(ORG_SEARCH, "OH");
    org.ToggleTreeItem(ORG_TREE, SOUTH);
    org.ToggleTreeItem(ORG_TREE, BIG);
    EXPECT_EQ(Rows(), org.PressAnswering(ORG_ADD));
    EXPECT_EQ(Rows{ "A'1|O'Hara's|OH" }, Organs());
    EXPECT_EQ((Rows{ "A'1|0|1", "A'1|1|0" }), Links());
    EXPECT_EQ("A'1", org.Text(ORG_CODE));

    // Refused: a code that exists, a name too long, two values of a type.
    ASSERT_TRUE(org.Press(ORG_ADD));
    org.SetText(ORG_CODE, "A'1");
    org.SetText(ORG_NAME, "Other");
    org.SetText(ORG_SEARCH, "O");
    EXPECT_EQ(Rows{ "Organization code or name already exist." }, org.PressAnswering(ORG_ADD));
    org.SetText(ORG_CODE, "B2");
    org.SetText(ORG_NAME, std::string(51, 'n').c_str());
    EXPECT_EQ(Rows{ "Organization Name length must less than 50!" }, org.PressAnswering(ORG_ADD));
    org.SetText(ORG_NAME, "Birch");
    org.ToggleTreeItem(ORG_TREE, NORTH);
    org.ToggleTreeItem(ORG_TREE, SOUTH);
    EXPECT_EQ(Rows{ "Only one property can be selected in the same property type. " }, org.PressAnswering(ORG_ADD));
    EXPECT_EQ(Rows{ "A'1|O'Hara's|OH" }, Organs());
    org.ToggleTreeItem(ORG_TREE, SOUTH);
    EXPECT_EQ(Rows(), org.PressAnswering(ORG_ADD));
    EXPECT_EQ((Rows{ "A'1|O'Hara's|OH", "B2|Birch|O" }), Organs());
    EXPECT_EQ((Rows{ "A'1|0|1", "A'1|1|0", "B2|0|0" }), Links());
    EXPECT_EQ("A'1", org.Text(ORG_CODE));
    EXPECT_EQ((Rows{ "0:3", "1:3", "2:1", "2:2", "1:2", "2:2" }), org.TreeStates(ORG_TREE));
    // Each state shows its own box: empty, ticked and filled.
    EXPECT_EQ("empty", DrawnCheckBox(org, NORTH));
    EXPECT_EQ("ticked", DrawnCheckBox(org, SOUTH));
    EXPECT_EQ("filled", DrawnCheckBox(org, REGION));

    // Next shows B2 and its link; Modify stores the name and the checks.
    ASSERT_TRUE(org.Press(ORG_NEXT));
    EXPECT_EQ("Birch", org.Text(ORG_NAME));
    EXPECT_FALSE(org.IsEnabled(ORG_NEXT));
    EXPECT_EQ((Rows{ "0:3", "1:3", "2:2", "2:1", "1:1", "2:1" }), org.TreeStates(ORG_TREE));
    ASSERT_TRUE(org.Press(ORG_MODIFY));
    org.SetText(ORG_NAME, "O'Hara's");
    EXPECT_EQ(Rows{ "Organization code or name already exist." }, org.PressAnswering(ORG_MODIFY));
    org.SetText(ORG_NAME, "Birch & Co");
    org.ToggleTreeItem(ORG_TREE, NORTH);
    org.ToggleTreeItem(ORG_TREE, BIG);
    EXPECT_EQ(Rows(), org.PressAnswering(ORG_MODIFY));
    EXPECT_EQ((Rows{ "A'1|O'Hara's|OH", "B2|Birch & Co|O" }), Organs());
    EXPECT_EQ((Rows{ "A'1|0|1", "A'1|1|0", "B2|1|0" }), Links());

    HWND hFind = org.PressOpening(ORG_FIND, "Find Organization");
    ASSERT_NE(hFind, nullptr);
    EXPECT_EQ(Rows{ "A'1\tO'Hara's" }, FindAndTake(hFind, "A'", 1));
    EXPECT_EQ(Rows(), org.Settle());
    EXPECT_EQ("A'1", org.Text(ORG_CODE));
    EXPECT_FALSE(org.IsEnabled(ORG_PREV));
    EXPECT_TRUE(org.IsEnabled(ORG_NEXT));

    // A delete that the database refuses halfway leaves row and links.
    RefuseOrganDeletes();
    Rows boxes = org.PressAnswering(ORG_DEL, IDYES);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Are you sure you want to delete this Organization?", boxes[0]);
    EXPECT_NE(std::string::npos, boxes[1].find("refused")) << boxes[1];
    EXPECT_EQ((Rows{ "A'1|O'Hara's|OH", "B2|Birch & Co|O" }), Organs());
    EXPECT_EQ((Rows{ "A'1|0|1", "A'1|1|0", "B2|1|0" }), Links());
    EXPECT_EQ("A'1", org.Text(ORG_CODE));
    AllowOrganDeletes();
    EXPECT_EQ(Rows{ "Are you sure you want to delete this Organization?" }, org.PressAnswering(ORG_DEL, IDYES));
    EXPECT_EQ(Rows{ "B2|Birch & Co|O" }, Organs());
    EXPECT_EQ(Rows{ "B2|1|0" }, Links());
    EXPECT_EQ("B2", org.Text(ORG_CODE));
    Close(org, ORG_EXIT);

    // A deleted value takes its links along; the other codes stay.
    CDialogRemote again(*m_designer, OpenSetup(32836, "Set Organization Properties"));
    again.SetText(PROP_TYPE, "Size");
    EXPECT_EQ(Rows{ "Are you sure you want to delete this property?" }, again.PressAnswering(PROP_TYPE_DEL, IDYES));
    EXPECT_EQ(Rows(), again.PressAnswering(IDOK));
    EXPECT_EQ((Rows{ "0|Region|0|North", "0|Region|1|South" }), Attributes());
    EXPECT_EQ(Rows(), Links());
}

TEST_P(ReferenceDataTest, AnOrganizationWhoseLinksCannotBeReadIsNeitherChangedNorDeleted)
{
    m_backend->Exec("INSERT INTO ss_Attribute VALUES (0, 'Region', 0, 'North')");
    m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('A1', 'Alder', 'A')");
    m_backend->Exec("INSERT INTO ss_OrgAttr VALUES ('A1', 0, 0)");
    CDialogRemote org(*m_designer, OpenSetup(32832, "Set Organization"));
    ASSERT_NE(org.Handle(), nullptr);
    EXPECT_EQ("Alder", org.Text(ORG_NAME));
    // The links table goes while the dialog is open.
    m_backend->Exec("DROP TABLE ss_OrgAttr");

    ASSERT_TRUE(org.Press(ORG_MODIFY));
    org.SetText(ORG_NAME, "Alder & Sons");
    Rows boxes = org.PressAnswering(ORG_MODIFY);
    EXPECT_NE(boxes.end(), std::find(boxes.begin(), boxes.end(), "Cannot open Organization Properties library."));
    EXPECT_EQ(boxes.end(), std::find(boxes.begin(), boxes.end(), "An unsupported operation was attempted."));
    EXPECT_EQ(Rows{ "A1|Alder|A" }, Organs());

    boxes = org.PressAnswering(ORG_DEL, IDYES);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ("Are you sure you want to delete this Organization?", boxes[0]);
    EXPECT_NE(boxes.end(), std::find(boxes.begin(), boxes.end(), "Errors occured at delete Organization properties."));
    EXPECT_EQ(boxes.end(), std::find(boxes.begin(), boxes.end(), "An unsupported operation was attempted."));
    EXPECT_EQ(Rows{ "A1|Alder|A" }, Organs());
    Close(org, ORG_EXIT);
}

// UTF-8 text as this program reads it from a window of the designer: in
// its code page, a character the page lacks read as '?'.
std::string ReadHere(const char* pszUtf8)
{
    WCHAR wide[256];
    char szText[512] = "";
    int nWide = MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, wide, 256);
    WideCharToMultiByte(CP_ACP, 0, wide, nWide, szText, sizeof(szText), "?", NULL);
    return szText;
}

bool StartsWith(const Rows& rows, const std::string& text)
{
    return std::any_of(rows.begin(), rows.end(), [&](const std::string& row) { return row.rfind(text, 0) == 0; });
}

// Whether the report shows each figure.
void ExpectFigures(const Rows& texts, const std::vector<double>& figures)
{
    SCOPED_TRACE(JoinedTexts(texts));
    std::vector<double> numbers = NumbersAmong(texts);
    for (double figure : figures)
        EXPECT_TRUE(HoldsNumber(numbers, figure, 1e-6)) << figure;
}

// Names typed in a Western session (code page 1252) and in a Chinese one
// (936) are stored as UTF-8 and read right in every session whose code
// page has their characters.  Where it lacks them the name shows with '?'
// and is never written back in that form: pressing OK leaves it alone, a
// change to another field of its row writes only that field, and a change
// that would replace it is refused.  A report saved in either session is
// summed in the other under its organization's code; a code that shows
// with '?' is never used as a key: its organization is neither changed
// nor summed, and another organization's code that reads alike is not
// taken for it.
TEST_P(ReferenceDataTest, NamesAreKeptAsTypedWhateverTheCodePageThatReadsThem)
{
    const char kWestern[] = "Straße Øst Köln";
    const char kWesternIn936[] = "Stra?e ?st K?ln";
    const char kChinese[] = "中文公司";
    const char kRefused[] =
        "The stored text holds characters that this system cannot show, so it cannot be replaced here. "
        "Nothing was changed.";
    enum { ROOT, REGION, NORTH, SOUTH, SIZE, BIG, SMALL };
    {
        CDialogRemote props(*m_designer, OpenSetup(32836, "Set Organization Properties"));
        ASSERT_NE(props.Handle(), nullptr);
        AddType(props, "Region", { "Nord", "Süd" });
        AddType(props, "Größe", { "groß", "klein" });
        EXPECT_EQ(Rows(), props.PressAnswering(IDOK));
        ASSERT_TRUE(CDesignerProcess::WaitGone(props.Handle(), kWaitMs));
        ASSERT_NO_FATAL_FAILURE(AddOrgan("W1", kWestern, "W", NORTH));
    }
    EXPECT_EQ(Rows{ HexOf(kWestern) }, StoredHex("FD_Name", "ss_Organ", "FD_Code"));
    // The Western organization's January, saved here.
    const CString strTemplate = m_folder.PathOf("Entry.kvm");
    ASSERT_TRUE(SaveEntryTemplate(strTemplate));
    const Rows westernFigures = { "100", "20.5", "3" };
    ASSERT_NO_FATAL_FAILURE(StartDesigner(NULL, strTemplate));
    ASSERT_NO_FATAL_FAILURE(SaveReport("W1", ReadHere(kWestern).c_str(), westernFigures));

    ASSERT_NO_FATAL_FAILURE(StartDesigner("zh_CN.UTF-8"));
    {
        CDialogRemote props(*m_designer, OpenSetup(32836, "Set Organization Properties"));
        ASSERT_NE(props.Handle(), nullptr);
        EXPECT_EQ("Region", props.TextUtf8(PROP_TYPE));
        EXPECT_EQ((Rows{ "Nord", "Süd" }), props.ListItemsUtf8(PROP_VALUE_LIST));
        // A value for the type whose name this code page cannot show would
        // store the name as shown: refused, and the dialog stays.
        props.ChooseComboItem(PROP_TYPE, 1);
        EXPECT_EQ((Rows{ "gro?", "klein" }), props.ListItemsUtf8(PROP_VALUE_LIST));
        props.SetText(PROP_VALUE, "mittel");
        ASSERT_TRUE(props.Press(PROP_VALUE_ADD));
        EXPECT_EQ(Rows{ kRefused }, props.PressAnswering(IDOK));
        Close(props, IDCANCEL);
        // Untouched, they stay as they are; the new type goes in as typed.
        CDialogRemote again(*m_designer, OpenSetup(32836, "Set Organization Properties"));
        AddType(again, "地区", { "北方", "南方" });
        EXPECT_EQ(Rows(), again.PressAnswering(IDOK));
        ASSERT_TRUE(CDesignerProcess::WaitGone(again.Handle(), kWaitMs));

        CDialogRemote org(*m_designer, OpenSetup(32832, "Set Organization"));
        ASSERT_NE(org.Handle(), nullptr);
        EXPECT_EQ(kWesternIn936, org.TextUtf8(ORG_NAME));
        // Only the search code changes; the name is not written.
        ASSERT_TRUE(org.Press(ORG_MODIFY));
        org.SetText(ORG_SEARCH, "W2");
        EXPECT_EQ(Rows(), org.PressAnswering(ORG_MODIFY));
        ASSERT_TRUE(org.Press(ORG_MODIFY));
        org.SetText(ORG_NAME, "Strasse");
        EXPECT_EQ(Rows{ kRefused }, org.PressAnswering(ORG_MODIFY));
        Close(org, ORG_EXIT);
        ASSERT_NO_FATAL_FAILURE(AddOrgan("C1", kChinese, "ZW", -1));
    }
    EXPECT_EQ((Rows{ HexOf(kChinese), HexOf(kWestern) }), StoredHex("FD_Name", "ss_Organ", "FD_Code"));
    EXPECT_EQ((Rows{ "C1|ZW", "W1|W2" }), m_backend->Rows("SELECT FD_Code, FD_SearchCode FROM ss_Organ ORDER BY FD_Code"));
    const Rows withChinese = { HexOf("Nord"), HexOf("Süd"), HexOf("groß"), HexOf("klein"), HexOf("北方"), HexOf("南方") };
    EXPECT_EQ(withChinese, StoredHex("FD_ValName", "ss_Attribute", "FD_AttrTypeCode, FD_ValCode"));
    EXPECT_EQ(Rows{ "W1|0|0" }, Links());

    // The Chinese organization's January saved in a Chinese session, which
    // sums the Western one's under its name as this code page shows it.
    // An organization gets a code of Chinese characters, and another one,
    // by direct SQL, a code that reads like it in a Western session.
    const Rows chineseFigures = { "200", "40.25", "6" };
    ASSERT_NO_FATAL_FAILURE(StartDesigner("zh_CN.UTF-8", strTemplate));
    ASSERT_NO_FATAL_FAILURE(SaveReport("C1", ReadHere(kChinese).c_str(), chineseFigures));
    ASSERT_NO_FATAL_FAILURE(AddOrgan("中1", "北京", "BJ", -1));
    m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('?1', 'Question', 'Q')");
    m_backend->Exec("INSERT INTO ss_OrgAttr VALUES ('?1', 0, 0)");
    Rows boxes;
    Rows listed = SumOrgans({ kWesternIn936 }, boxes);
    EXPECT_TRUE(StartsWith(listed, kChinese)) << JoinedTexts(listed);
    EXPECT_TRUE(StartsWith(listed, "北京")) << JoinedTexts(listed);
    Rows shown = ShownReport("summed-936.pdf");
    ExpectFigures(shown, { 100, 20.5, 3, 120.5 });
    EXPECT_NE(shown.end(), std::find(shown.begin(), shown.end(), kWesternIn936)) << JoinedTexts(shown);

    ASSERT_NO_FATAL_FAILURE(StartDesigner(NULL));
    {
        CDialogRemote org(*m_designer, OpenSetup(32832, "Set Organization"));
        ASSERT_NE(org.Handle(), nullptr);
        ASSERT_NO_FATAL_FAILURE(ShowOrgan(org, "W1"));
        EXPECT_EQ(kWestern, org.TextUtf8(ORG_NAME));
        ASSERT_NO_FATAL_FAILURE(ShowOrgan(org, "C1"));
        EXPECT_EQ("????", org.TextUtf8(ORG_NAME));
        ASSERT_TRUE(org.Press(ORG_MODIFY));
        org.SetText(ORG_NAME, "Chinese Co");
        EXPECT_EQ(Rows{ kRefused }, org.PressAnswering(ORG_MODIFY));
        Close(org, ORG_EXIT);
        // Two values that read alike here stay two, and OK writes neither.
        CDialogRemote props(*m_designer, OpenSetup(32836, "Set Organization Properties"));
        ASSERT_NE(props.Handle(), nullptr);
        props.ChooseComboItem(PROP_TYPE, 2);
        EXPECT_EQ((Rows{ "??", "??" }), props.ListItemsUtf8(PROP_VALUE_LIST));
        EXPECT_EQ(Rows(), props.PressAnswering(IDOK));
        ASSERT_TRUE(CDesignerProcess::WaitGone(props.Handle(), kWaitMs));
    }
    EXPECT_EQ((Rows{ HexOf(kChinese), HexOf(kWestern) }), StoredHex("FD_Name", "ss_Organ WHERE FD_Code IN ('C1', 'W1')", "FD_Code"));
    EXPECT_EQ(withChinese, StoredHex("FD_ValName", "ss_Attribute", "FD_AttrTypeCode, FD_ValCode"));
    EXPECT_EQ((Rows{ HexOf("Region"), HexOf("Region"), HexOf("Größe"), HexOf("Größe"), HexOf("地区"), HexOf("地区") }),
              StoredHex("FD_AttrTypeName", "ss_Attribute", "FD_AttrTypeCode, FD_ValCode"));

    // Here the Chinese code reads "?1", as the other organization's does.
    // That one shows its link; the Chinese one shows none (the links under
    // "?1" are not its own) and can be neither changed nor deleted.
    const std::string kUnshownCode =
        "The organization code \"?1\" holds characters that this system cannot show, so it cannot be used here.";
    ASSERT_NO_FATAL_FAILURE(StartDesigner(NULL, strTemplate));
    {
        CDialogRemote org(*m_designer, OpenSetup(32832, "Set Organization"));
        ASSERT_NE(org.Handle(), nullptr);
        ASSERT_NO_FATAL_FAILURE(ShowOrgan(org, "?1", "Question"));
        EXPECT_EQ("2:2", org.TreeStates(ORG_TREE).at(NORTH));
        ASSERT_NO_FATAL_FAILURE(ShowOrgan(org, "?1", "??"));
        EXPECT_EQ("2:1", org.TreeStates(ORG_TREE).at(NORTH));
        EXPECT_EQ(Rows{ kUnshownCode }, org.PressAnswering(ORG_MODIFY));
        EXPECT_TRUE(org.IsEnabled(ORG_ADD)) << "in the modify mode";
        EXPECT_EQ(Rows{ kUnshownCode }, org.PressAnswering(ORG_DEL, IDYES));
        Close(org, ORG_EXIT);
    }
    EXPECT_EQ((Rows{ "?1|0|0", "W1|0|0" }), Links());
    EXPECT_EQ(Rows{ HexOf("中1") }, StoredHex("FD_Code", "ss_Organ WHERE FD_SearchCode='BJ'", "FD_Code"));

    // Summed in run mode: not the Chinese code's organization, told why;
    // the others are, the Chinese-named one under its code.
    CRunModeDriver::PressKey(m_driver->View(), VK_F5);
    ASSERT_TRUE(m_driver->WaitForCaption("Tallyform [Run Mode] - ", kWaitMs));
    listed = SumOrgans({ "?? (", "???? (", kWestern }, boxes);
    EXPECT_TRUE(StartsWith(listed, kWestern)) << JoinedTexts(listed);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ("The codes of these organizations hold characters that this system cannot show, so their figures "
              "cannot be summed here:\n\n?? (?1)\n\nSum the other organizations?",
              boxes[0]);
    ExpectFigures(ShownReport("summed-1252.pdf"), { 300, 60.75, 9, 360.75 });
    SumOrgans({ "???? (" }, boxes);
    EXPECT_FALSE(StartsWith(boxes, "The codes")) << JoinedTexts(boxes);
    shown = ShownReport("summed-chinese.pdf");
    ExpectFigures(shown, { 200, 40.25, 6, 240.25 });
    EXPECT_NE(shown.end(), std::find(shown.begin(), shown.end(), "????")) << JoinedTexts(shown);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReferenceDataTest, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace
