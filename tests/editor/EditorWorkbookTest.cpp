// Data > Export to Excel and Import from Excel in the running editor: a
// typed report is written to a workbook that python3-xlrd reads back cell
// by cell, figures changed with python3-xlwt come back through the checks
// of typed input, the calculate cells follow and the figures reach the
// database; unreadable workbooks, another template's and targets that
// cannot be replaced are refused and leave the report as it was.
#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/RunModeDriver.h"
#include "tests/sheet/PdfTools.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"

#include "engines/common/KemDatabase.h"
#include "engines/common/PeriodLabel.h"
#include "framework/db/DaoDatabase.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/PeriodText.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/TallyformDoc.h"

namespace
{
const DWORD kWaitMs = 20000;
const UINT kImportFromExcel = 33098;
const UINT kExportToExcel = 33099;
const UINT kSaveToDatabase = 32827;

// With a workbook alone: its first sheet's name, cells by address, "s:"
// text or "n:" Python's repr of a number, and the set column widths
// ("width:A").  With a target and changes ("B3=n:2", "C3=s:x", "+row=5" or
// "+col=A" for an empty row or column inserted before the one named): the
// sheet copied by xlwt into the target, changed.
const char XL_BOOK[] = R"(import sys, xlrd, xlwt
sys.stdout.reconfigure(encoding="utf-8")
sheet = xlrd.open_workbook(sys.argv[1], formatting_info=len(sys.argv) == 2).sheet_by_index(0)
cells = {xlrd.cellname(r, c): sheet.cell(r, c) for r in range(sheet.nrows) for c in range(sheet.ncols)
         if sheet.cell(r, c).ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_TEXT)}
if len(sys.argv) == 2:
    print("sheet=" + sheet.name)
    for name, cell in cells.items():
        print(name + ("=n:" + repr(cell.value) if cell.ctype == xlrd.XL_CELL_NUMBER else "=s:" + cell.value))
    for column, info in sheet.colinfo_map.items():
        print("width:" + xlrd.colname(column) + "=" + str(info.width))
    sys.exit()
def inserted(name, row, column):
    r, c = xlwt.Utils.cell_to_rowcol2(name)
    return xlrd.cellname(r + (r >= row), c + (c >= column))
values = {name: cell.value for name, cell in cells.items()}
for change in sys.argv[3:]:
    name, value = change.split("=", 1)
    if name == "+row":
        values = {inserted(n, int(value) - 1, 1 << 16): v for n, v in values.items()}
    elif name == "+col":
        values = {inserted(n, 1 << 20, xlwt.Utils.col_by_name(value)): v for n, v in values.items()}
    else:
        values[name] = float(value[2:]) if value.startswith("n:") else value[2:]
book = xlwt.Workbook(encoding="utf-8")
out = book.add_sheet(sheet.name)
for name, value in values.items():
    out.write(*xlwt.Utils.cell_to_rowcol2(name), value)
book.save(sys.argv[2])
)";

typedef std::map<std::string, std::string> WorkbookCells;

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

// The label of the staff row in the system's code page, with characters
// beyond ASCII that the code page holds.
CString StaffLabel()
{
    const WCHAR* pszWide = GetACP() == 936 ? L"Staff \x4EBA\x5458" : L"Staff \x00C4rzte";
    char szLabel[64] = "";
    WideCharToMultiByte(CP_ACP, 0, pszWide, -1, szLabel, sizeof(szLabel), NULL, NULL);
    return szLabel;
}

std::string Utf8Of(const CString& strText, UINT nCodePage = CP_ACP)
{
    WCHAR wide[256] = {};
    char utf8[768] = {};
    MultiByteToWideChar(nCodePage, 0, strText, -1, wide, 256);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), NULL, NULL);
    return utf8;
}

// A column's width in a workbook: in 1/256 of the 7-pixel zero digit of
// its 10-point Arial, beside a 5-pixel margin.
std::string WorkbookWidth(int nPixels)
{
    return std::to_string((nPixels - 5) * 256 / 7);
}

const int kLabelColumnWidth = 160;
const int kColumnWidth = 110;

// A monthly template of 4 x 5 cells named by grid place, its label column
// wider, "Note" merged over D1:E1: the keys and a dynamic note, sales
// figures with their sum, a text figure (E3), staff and a product; entry
// cells tabbed in typing order.
void MakeTemplate(CSheet& sheet)
{
    sheettest::MakeGrid(sheet, 4, 5, kColumnWidth, 30);
    for (int i = 0; i < (int)sheet.m_cells.GetSize(); ++i)
    {
        RECT& rect = sheet.m_cells[i].m_rect;
        rect.left += rect.left > 0 ? kLabelColumnWidth - kColumnWidth : 0;
        rect.right += kLabelColumnWidth - kColumnWidth;
    }
    strcpy(sheet.m_szCode, "XL01");
    strcpy(sheet.m_szTitle, "Sales [monthly] \"net\"");
    sheet.m_nReportType = PERIOD_MONTH;
    sheet.FindCellByName("D1")->m_rect.right = sheet.FindCellByName("E1")->m_rect.right;
    sheet.m_cells.RemoveAt(4);
    // A label, a row item or a formula, by type.
    struct CellPlan { const char* pszName; int nType; int nTab; const char* pszText; };
    const CellPlan plans[] = {
        { "A1", CELL_TEXT, 0, "Period" }, { "B1", CELL_TEXT, 0, "Code" }, { "C1", CELL_TEXT, 0, "Organization" },
        { "D1", CELL_TEXT, 0, "Note" }, { "A2", CELL_REPORTDATE, 1, "" }, { "B2", CELL_ORGANCODE, 2, "" },
        { "C2", CELL_ORGAN, 3, "" }, { "D2", CELL_TEXT, 4, "" }, { "E2", CELL_TEXT, 0, "x" },
        { "A3", CELL_TEXT, 0, "Sales" }, { "B3", CELL_NUMERIC, 5, "R1" }, { "C3", CELL_NUMERIC, 6, "R1" },
        { "D3", CELL_FORMULA, 0, "B3+C3" }, { "E3", CELL_NUMERIC, 7, "R3" }, { "A4", CELL_TEXT, 0, "Staff" },
        { "B4", CELL_NUMERIC, 8, "R2" }, { "C4", CELL_FORMULA, 0, "D3*B4" }, { "D4", CELL_NORMAL, 0, "" },
        { "E4", CELL_NORMAL, 0, "" } };
    for (const CellPlan& plan : plans)
    {
        CCell& cell = *sheet.FindCellByName(plan.pszName);
        cell.SetType(plan.nType);
        cell.m_nTabIndex = plan.nTab;
        if (plan.nType == CELL_TEXT)
            cell.m_strValue = plan.pszText;
        cell.m_bDynamic = plan.nType == CELL_TEXT && plan.nTab > 0;
        if (plan.nType == CELL_FORMULA)
            cell.m_strFormula = plan.pszText;
        if (plan.nType != CELL_NUMERIC)
            continue;
        cell.m_nValueType = strcmp(plan.pszName, "E3") == 0 ? 1 : 0;
        strcpy(cell.m_szRowItemCode, plan.pszText);
        strcpy(cell.m_szColItemCode, plan.pszName[0] == 'C' ? "C2" : "C1");
    }
    sheet.FindCellByName("A4")->m_strValue = StaffLabel();
    for (int i = 0; i < (int)sheet.m_cells.GetSize(); ++i)
        if (sheet.m_cells[i].m_nType == CELL_FORMULA)
            AdjustFormulaRefCounts(sheet, i, TRUE);
    sheet.UpdateBoundingRect();
}

class EditorWorkbookTest : public testing::Test
{
protected:
    EditorWorkbookTest() : m_backend(MakeReportBackend(BACKEND_DAO_SQLITE)) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_backend->IsReady());
        m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('A01', 'Alder', 'A')");
        m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('B02', 'O''Brien & Co', 'B')");
        m_backend->Describe(&m_source);
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        MakeTemplate(doc.m_sheet);
        m_nDateStyle = (int)doc.m_sheet.FindCellByName("A2")->m_nDateStyle;
        ASSERT_TRUE(doc.OnSaveDocument(m_folder.PathOf("Sales.kvm")));
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"), ReportDataSourceIni(*m_backend, m_source));
    }

    std::string Book(const std::string& arguments)
    {
        WriteWholeFile(m_folder.PathOf("book.py"), XL_BOOK);
        return sheettest::RunTool("/usr/bin/python3 '" + Unix("book.py") + "' " + arguments + " 2>&1");
    }

    std::string Unix(LPCSTR lpszName) { return std::string(DaoUnixPath(m_folder.PathOf(lpszName))); }

    // Writes lpszTarget as lpszSource with the changes (no apostrophes).
    void Change(LPCSTR lpszSource, LPCSTR lpszTarget, const std::string& changes)
    {
        EXPECT_EQ("", Book("'" + Unix(lpszSource) + "' '" + Unix(lpszTarget) + "' " + changes));
    }

    // Exports the report to a new file of the folder and reads it back;
    // the file name the Save As dialog proposed goes to pstrProposed.
    WorkbookCells Export(CRunModeDriver& driver, LPCSTR lpszName, CString* pstrProposed = NULL)
    {
        EXPECT_TRUE(driver.ChooseFile(kExportToExcel, m_folder.PathOf(lpszName), 0, kWaitMs, pstrProposed))
            << lpszName;
        driver.Settle();
        WorkbookCells cells;
        std::istringstream lines(Book("'" + Unix(lpszName) + "'"));
        for (std::string line; std::getline(lines, line);)
            cells[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        return cells;
    }

    // Waits for the status bar to tell the text.
    static void ExpectStatus(CRunModeDriver& driver, const std::string& text)
    {
        EXPECT_EQ(text, driver.WaitForStatus(text.c_str(), kWaitMs));
    }

    // The message an import or export of the file gave.
    std::string Message(CRunModeDriver& driver, UINT nCommand, LPCSTR lpszName)
    {
        EXPECT_TRUE(driver.ChooseFile(nCommand, m_folder.PathOf(lpszName), 0, kWaitMs)) << lpszName;
        return driver.WaitForMessage(kWaitMs);
    }

    std::unique_ptr<ReportTestBackend> m_backend;
    CKemDatabase m_source;
    CScratchFolder m_folder;
    int m_nDateStyle = 0;
};

TEST_F(EditorWorkbookTest, AReportGoesToAWorkbookAndItsChangedFiguresComeBack)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string march = (LPCSTR)CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, 3, 1);
    const std::string april = (LPCSTR)CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, 4, 1);
    CDesignerProcess editor(m_folder.GetPath(), "\"" + m_folder.PathOf("Sales.kvm") + "\"");
    CRunModeDriver driver(editor);
    ASSERT_TRUE(driver.Connect(m_source.m_strUser, m_source.m_strPassword, kWaitMs));
    HWND hEditor = driver.EnterKeys(PERIOD_MONTH, 2, "B", "B02", "O'Brien & Co", kWaitMs);
    for (LPCSTR text : { "first note", "1250.5", "310.25", "n/a", "12" })
    {
        ASSERT_NE(hEditor, nullptr) << text << ": " << driver.Failure();
        hEditor = driver.EnterFigure(hEditor, text, kWaitMs);
    }

    // Shown texts at their grid places (the merged label at its top-left),
    // numbers as numbers, under a first row naming template and keys, in
    // columns as wide as the template's; the sheet and the proposed file
    // are named after the template as far as their names can hold its
    // characters; the status bar tells what was exported.
    const std::string path = (LPCSTR)m_folder.PathOf("");
    WorkbookCells expected = {
        { "sheet", "Sales  monthly  \"net\"" }, { "A1", "s:Template: XL01" }, { "B1", "s:Period: " + march },
        { "C1", "s:Organization code: B02" }, { "D1", "s:Organization name: O'Brien & Co" },
        { "A2", "s:Period" }, { "B2", "s:Code" }, { "C2", "s:Organization" }, { "D2", "s:Note" },
        { "A3", "s:" + std::string(PeriodCodeToText(march.c_str(), PERIOD_MONTH, m_nDateStyle)) },
        { "B3", "s:B02" }, { "C3", "s:O'Brien & Co" }, { "D3", "s:first note" }, { "E3", "s:x" },
        { "A4", "s:Sales" }, { "B4", "n:1250.5" }, { "C4", "n:310.25" }, { "D4", "n:1560.75" }, { "E4", "s:n/a" },
        { "A5", "s:" + Utf8Of(StaffLabel()) }, { "B5", "n:12.0" }, { "C5", "n:18729.0" },
        { "width:A", WorkbookWidth(kLabelColumnWidth) } };
    for (LPCSTR lpszColumn : { "width:B", "width:C", "width:D", "width:E" })
        expected[lpszColumn] = WorkbookWidth(kColumnWidth);
    CString strProposed;
    EXPECT_EQ(expected, Export(driver, "typed.xls", &strProposed));
    EXPECT_STREQ("Sales  monthly   net.xls", strProposed);
    const std::string marchKeys = " of O'Brien & Co for " + std::string(PeriodLabelText(march.c_str()));
    ExpectStatus(driver, "The report" + marchKeys + " is exported to " + path + "typed.xls.");

    // Figures a save would refuse, too many decimals or digits, a text too
    // long, are refused by their addresses with the save's complaint and
    // left empty, with the formulas reading them; the status bar counts them.
    std::string note, text;
    for (int i = 0; i < 52; ++i)
        note += "note ";
    for (int i = 0; i < 51; ++i)
        text += "text ";
    text += "t";
    Change("typed.xls", "rules.xls",
           "B4=n:1.23456 C4=n:12345678901 B5=n:-0.5 'D3=s:" + note + "' 'E4=s:" + text + "'");
    EXPECT_EQ("These values of " + path + "rules.xls were not taken:"
              "\nD3: '" + note + "' is refused: Data too long,it must less than 255."
              "\nB4: '1.23456' is refused: Too long decimal digits in numeric cells,be sure it's decimal digits "
              "less than 4.\nC4: '12345678901' is refused: Too long digits in numeric cells,be sure it's digits "
              "less than 10.\nE4: '" + text + "' is refused: Cell data too long ,be sure it's length less than 255.",
              Message(driver, kImportFromExcel, "rules.xls"));
    ExpectStatus(driver, "The report" + marchKeys + " is imported from " + path +
                             "rules.xls. 4 values were not taken.");
    EXPECT_TRUE(driver.SaveScreenshot(std::string(DESIGNER_SCREENSHOT_DIR) + "/" SCREENSHOT_PREFIX
                                      "-workbook-refused-" + std::to_string(GetACP()) + ".bmp"));
    WorkbookCells refused = expected;
    for (LPCSTR lpszEmptied : { "D3", "B4", "C4", "D4", "E4", "C5" })
        refused.erase(lpszEmptied);
    refused["B5"] = "n:-0.5";
    EXPECT_EQ(refused, Export(driver, "refused.xls"));

    // Other keys and figures: text where a number belongs is refused, a
    // number as text and a number into the text figure are taken, a value
    // over a calculate cell is recalculated away.
    Change("typed.xls", "changed.xls", "'B1=s:Period: " + april + "' 'C1=s:Organization code: A01' "
           "'D1=s:Organization name: Alder' 'D3=s:revised note' B4=n:2000 C4=s:abc D4=n:999 E4=n:77 B5=s:15");
    EXPECT_EQ("These values of " + path + "changed.xls were not taken:\nC4: 'abc' is not a number.",
              Message(driver, kImportFromExcel, "changed.xls"));
    const std::string aprilKeys = " of Alder for " + std::string(PeriodLabelText(april.c_str()));
    ExpectStatus(driver, "The report" + aprilKeys + " is imported from " + path +
                             "changed.xls. 1 value was not taken.");
    const std::map<std::string, std::string> changes = {
        { "B1", "s:Period: " + april }, { "C1", "s:Organization code: A01" }, { "D1", "s:Organization name: Alder" },
        { "A3", "s:" + std::string(PeriodCodeToText(april.c_str(), PERIOD_MONTH, m_nDateStyle)) },
        { "B3", "s:A01" }, { "C3", "s:Alder" }, { "D3", "s:revised note" }, { "B4", "n:2000.0" },
        { "E4", "s:77" }, { "B5", "n:15.0" } };
    for (const auto& change : changes)
        expected[change.first] = change.second;
    // The refused figure is left empty, not kept from the report before,
    // and the formulas reading it have no result.
    for (LPCSTR lpszEmptied : { "C4", "D4", "C5" })
        expected.erase(lpszEmptied);
    EXPECT_EQ(expected, Export(driver, "imported.xls"));

    // Saved as typed figures are, for the imported keys.
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
    EXPECT_EQ("[report] A01|Alder", driver.ConfirmReportInformation(kWaitMs));
    driver.Settle();
    const std::vector<std::string> saved = {
        "A01|" + april + "|R1|C1|20000000",
        "A01|" + april + "|R2|C1|150000", "A01|" + april + "|R3|C1|770000" };
    EXPECT_EQ(saved, m_backend->Rows((std::string("SELECT FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, ") +
                                      m_backend->ScaledValue() + " FROM ss_datalist ORDER BY 3, 4").c_str()));
    // The sheet shows what is stored: the figure not stored as 0, and the
    // formulas reading it computed again.
    expected["C4"] = "n:0.0";
    expected["D4"] = "n:2000.0";
    expected["C5"] = "n:30000.0";
    EXPECT_EQ(expected, Export(driver, "stored.xls"));

    // Refused whole, the report left as it was: a text file, a cut
    // workbook, another template's; one whose rows or columns moved, so
    // that its figures would be read as other items'; a period out of the
    // calendar and an unknown organization, with figures of their own.
    WriteWholeFile(m_folder.PathOf("notes.xls"), "Period;Sales\r\nMarch;12\r\n");
    std::string book = ReadWholeFile(m_folder.PathOf("imported.xls"));
    WriteWholeFile(m_folder.PathOf("cut.xls"), book.substr(0, book.size() / 2));
    Change("imported.xls", "other.xls", "'A1=s:Template: OTHER' B4=n:1");
    Change("imported.xls", "row.xls", "+row=5");
    Change("imported.xls", "column.xls", "+col=A");
    Change("imported.xls", "swapped.xls", "'A4=s:" + Utf8Of(StaffLabel()) + "' A5=s:Sales B4=n:1");
    Change("imported.xls", "keys.xls",
           "'B1=s:Period: " + april.substr(0, 4) + "001300000' 'C1=s:Organization code: Z99' B4=n:1 B5=n:2");
    EXPECT_EQ("Nothing was imported. " + path + "notes.xls is not an Excel workbook.",
              Message(driver, kImportFromExcel, "notes.xls"));
    ExpectStatus(driver, "Nothing was imported from " + path + "notes.xls.");
    EXPECT_EQ("Nothing was imported. " + path + "cut.xls is damaged or cut short and cannot be read.",
              Message(driver, kImportFromExcel, "cut.xls"));
    EXPECT_EQ("Nothing was imported. " + path + "other.xls holds a report of template 'OTHER', not of this "
              "template 'XL01'.", Message(driver, kImportFromExcel, "other.xls"));
    const std::string layout = "Nothing was imported. The layout of " + path;
    EXPECT_EQ(layout + "row.xls differs from this template's: A5 is empty where this template has '" +
                  std::string(StaffLabel()) + "'.", Message(driver, kImportFromExcel, "row.xls"));
    EXPECT_EQ(layout + "column.xls differs from this template's: A1 is empty where this template has "
              "'Template: ...'.", Message(driver, kImportFromExcel, "column.xls"));
    EXPECT_EQ(layout + "swapped.xls differs from this template's: A4 holds '" + std::string(StaffLabel()) +
                  "' where this template has 'Sales'.", Message(driver, kImportFromExcel, "swapped.xls"));
    EXPECT_EQ("Nothing was imported. These keys of " + path + "keys.xls were not taken:\nPeriod: '" +
              april.substr(0, 4) + "001300000' is no period of this report.\nOrganization code: 'Z99' is no "
              "known organization.", Message(driver, kImportFromExcel, "keys.xls"));
    ExpectStatus(driver, "Nothing was imported from " + path + "keys.xls.");

    // A read-only and a locked target stay as they were, and so does the
    // folder; the report is as the save left it.
    WriteWholeFile(m_folder.PathOf("readonly.xls"), "kept");
    WriteWholeFile(m_folder.PathOf("locked.xls"), "kept");
    ASSERT_TRUE(SetFileAttributesA(m_folder.PathOf("readonly.xls"), FILE_ATTRIBUTE_READONLY));
    HANDLE hLocked = CreateFileA(m_folder.PathOf("locked.xls"), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_EQ("Export to Excel failed. Access to the file \"" + path + "readonly.xls\" was denied.",
              Message(driver, kExportToExcel, "readonly.xls"));
    ExpectStatus(driver, "Nothing was exported to " + path + "readonly.xls.");
    const std::string locked = Message(driver, kExportToExcel, "locked.xls");
    EXPECT_TRUE(StartsWith(locked, "Export to Excel failed. ")) << locked;
    EXPECT_NE(std::string::npos, locked.find(path + "locked.xls")) << locked;
    CloseHandle(hLocked);
    SetFileAttributesA(m_folder.PathOf("readonly.xls"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(ReadWholeFile(m_folder.PathOf("readonly.xls")) == "kept") << "the read-only file was replaced";
    EXPECT_TRUE(ReadWholeFile(m_folder.PathOf("locked.xls")) == "kept") << "the locked file was replaced";
    std::vector<std::string> names = m_folder.FileNames();
    EXPECT_EQ(0, std::count_if(names.begin(), names.end(), [](const std::string& n) { return StartsWith(n, "sav"); }));
    EXPECT_EQ(expected, Export(driver, "after.xls"));
    const size_t nAnswered = driver.Answered().size();
    // The import's figures went to the database and nothing was taken
    // since: Close has nothing to ask.
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
    EXPECT_EQ(nAnswered, driver.Answered().size()) << "closing a report saved since its import asked "
                                                   << driver.Answered().back();
}

// A ten-day period's text is Chinese whatever the system's code page: it
// reaches the workbook as the characters it shows, and the workbook comes
// back with its keys.
TEST_F(EditorWorkbookTest, ATenDayPeriodReachesTheWorkbookAsItsCharacters)
{
    {
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        MakeTemplate(doc.m_sheet);
        doc.m_sheet.m_nReportType = PERIOD_TENDAY;
        ASSERT_TRUE(doc.OnSaveDocument(m_folder.PathOf("Sales.kvm")));
    }
    CDesignerProcess editor(m_folder.GetPath(), "\"" + m_folder.PathOf("Sales.kvm") + "\"");
    CRunModeDriver driver(editor);
    ASSERT_TRUE(driver.Connect(m_source.m_strUser, m_source.m_strPassword, kWaitMs));
    HWND hEditor = driver.EnterKeys(PERIOD_TENDAY, 2, "B", "B02", "O'Brien & Co", kWaitMs);
    ASSERT_NE(hEditor, nullptr) << driver.Failure();
    driver.EnterFigure(hEditor, "first note", kWaitMs);

    WorkbookCells cells = Export(driver, "tenday.xls");
    const std::string key = cells["B1"];
    ASSERT_TRUE(StartsWith(key, "s:Period: ")) << key;
    const CString strShown = PeriodCodeToText(key.substr(10).c_str(), PERIOD_TENDAY, m_nDateStyle);
    WCHAR wide[64] = {};
    char utf8[192] = {};
    ASSERT_GT(MultiByteToWideChar(PeriodTextCodePage(PERIOD_TENDAY), 0, strShown, -1, wide, 64), 1);
    ASSERT_GT(WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), NULL, NULL), 0);
    // U+5E74 (year) stands in every ten-day text.
    EXPECT_NE(std::string::npos, std::string(utf8).find("\xe5\xb9\xb4")) << utf8;
    EXPECT_EQ("s:" + std::string(utf8), cells["A3"]);
    EXPECT_EQ("s:first note", cells["D3"]);

    // Taken back whole: nothing refused, the same keys and texts.
    Change("tenday.xls", "tenday2.xls", "'D3=s:second note'");
    ASSERT_TRUE(driver.ChooseFile(kImportFromExcel, m_folder.PathOf("tenday2.xls"), 0, kWaitMs));
    driver.Settle();
    cells["D3"] = "s:second note";
    EXPECT_EQ(cells, Export(driver, "tenday3.xls"));

    // A Thai text is in neither of the code pages the programs run in: it is
    // refused by its address and its cell left empty.
    Change("tenday.xls", "thai.xls", "'D3=s:\xe0\xb8\x81'");
    const std::string refusal = Message(driver, kImportFromExcel, "thai.xls");
    EXPECT_NE(std::string::npos, refusal.find("D3: '?' holds characters that this system's code page cannot hold."))
        << refusal;
    cells.erase("D3");
    EXPECT_EQ(cells, Export(driver, "thai2.xls"));
}

} // namespace
