// Data > Export to Excel and Import from Excel in the running editor: a
// typed report is written to a workbook that python3-xlrd reads back cell
// by cell, figures changed with python3-xlwt come back through the checks
// of typed input, the calculate cells follow and the figures reach the
// database; unreadable workbooks, another template's and targets that
// cannot be replaced are refused and leave the report as it was.
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/sheet/PdfTools.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"

#include "engines/common/KemDatabase.h"
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
const int kMarchCell = 2;       // the third month of the calendar's page

// Cells of the workbook by their address, "s:" text or "n:" Python's repr
// of the number, as xlrd reads the first sheet, which comes first as
// "sheet=NAME".
typedef std::map<std::string, std::string> WorkbookCells;

const char XLRD_CELLS[] = R"(import sys, xlrd
sys.stdout.reconfigure(encoding="utf-8")
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
print("sheet=" + sheet.name)
for r in range(sheet.nrows):
    for c in range(sheet.ncols):
        cell = sheet.cell(r, c)
        if cell.ctype == xlrd.XL_CELL_NUMBER:
            print(xlrd.cellname(r, c) + "=n:" + repr(cell.value))
        elif cell.ctype == xlrd.XL_CELL_TEXT:
            print(xlrd.cellname(r, c) + "=s:" + cell.value)
)";

// Copies the first sheet of a workbook with xlwt into a new one, with the
// changes of a file of "ADDRESS=s:text", "ADDRESS=n:number" or "ADDRESS=-"
// lines.
const char XLWT_CHANGE[] = R"(import sys, xlrd, xlwt
source = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
cells = {}
for r in range(source.nrows):
    for c in range(source.ncols):
        cell = source.cell(r, c)
        if cell.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_TEXT):
            cells[(r, c)] = cell.value
for line in open(sys.argv[3], encoding="utf-8").read().splitlines():
    name, change = line.split("=", 1)
    place = xlwt.Utils.cell_to_rowcol2(name)
    if change == "-":
        cells.pop(place, None)
    else:
        cells[place] = float(change[2:]) if change.startswith("n:") else change[2:]
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet(source.name)
for (r, c), value in cells.items():
    sheet.write(r, c, value)
book.save(sys.argv[2])
)";

std::string UnixPath(LPCSTR lpszPath)
{
    return std::string(DaoUnixPath(lpszPath));
}

std::string RunPython(const CScratchFolder& folder, const char* pszScript, const std::string& strArguments)
{
    CString strScript = folder.PathOf("script.py");
    WriteWholeFile(strScript, pszScript);
    return sheettest::RunTool("/usr/bin/python3 '" + UnixPath(strScript) + "' " + strArguments + " 2>&1");
}

WorkbookCells ReadWorkbook(const CScratchFolder& folder, LPCSTR lpszBook)
{
    WorkbookCells cells;
    std::string strOut = RunPython(folder, XLRD_CELLS, "'" + UnixPath(lpszBook) + "'");
    for (size_t nStart = 0; nStart < strOut.size();)
    {
        size_t nEnd = strOut.find('\n', nStart);
        std::string line = strOut.substr(nStart, nEnd - nStart);
        size_t nEqual = line.find('=');
        cells[line.substr(0, nEqual)] = nEqual == std::string::npos ? "?" : line.substr(nEqual + 1);
        nStart = nEnd == std::string::npos ? strOut.size() : nEnd + 1;
    }
    return cells;
}

// Writes lpszTarget as lpszSource with the changes, through xlwt.
void ChangeWorkbook(const CScratchFolder& folder, LPCSTR lpszSource, LPCSTR lpszTarget, const std::string& changes)
{
    CString strChanges = folder.PathOf("changes.txt");
    WriteWholeFile(strChanges, changes);
    EXPECT_EQ("", RunPython(folder, XLWT_CHANGE,
                            "'" + UnixPath(lpszSource) + "' '" + UnixPath(lpszTarget) + "' '" +
                                UnixPath(strChanges) + "'"));
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string joined;
    for (const std::string& text : texts)
        joined += "[" + text + "] ";
    return joined;
}

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

// A monthly template of 4 rows and 5 columns, named by grid place: labels,
// with "Note" merged over D1:E1; the period, organization code and name
// and a dynamic note; two sales figures with their sum, a text figure and
// a staff figure with a product of the sum.  Entry cells carry tab
// indices in the order they are typed.
void MakeTemplate(CSheet& sheet, int& nDateStyle)
{
    sheettest::MakeGrid(sheet, 4, 5, 110, 30);
    strcpy(sheet.m_szCode, "XL01");
    strcpy(sheet.m_szTitle, "Sales [monthly]");
    sheet.m_nReportType = PERIOD_MONTH;
    sheet.FindCellByName("D1")->m_rect.right = sheet.FindCellByName("E1")->m_rect.right;
    sheet.m_cells.RemoveAt(4);
    const std::pair<const char*, const char*> labels[] = {
        { "A1", "Period" }, { "B1", "Code" }, { "C1", "Organization" }, { "D1", "Note" },
        { "E2", "x" }, { "A3", "Sales" }, { "A4", "Staff" } };
    for (int i = 0; i < (int)sheet.m_cells.GetSize(); ++i)
    {
        sheet.m_cells[i].m_nTabIndex = 0;
        sheet.m_cells[i].m_strValue.Empty();
    }
    for (const auto& label : labels)
        sheet.FindCellByName(label.first)->m_strValue = label.second;
    struct Entry { const char* pszName; int nType; int nTab; int nValueType; const char* pszRow; };
    const Entry entries[] = {
        { "A2", CELL_REPORTDATE, 1, 0, "" }, { "B2", CELL_ORGANCODE, 2, 0, "" }, { "C2", CELL_ORGAN, 3, 0, "" },
        { "D2", CELL_TEXT, 4, 0, "" },       { "B3", CELL_NUMERIC, 5, 0, "R1" }, { "C3", CELL_NUMERIC, 6, 0, "R1" },
        { "E3", CELL_NUMERIC, 7, 1, "R3" },  { "B4", CELL_NUMERIC, 8, 0, "R2" },
    };
    for (const Entry& entry : entries)
    {
        CCell& cell = *sheet.FindCellByName(entry.pszName);
        cell.SetType(entry.nType);
        cell.m_nTabIndex = entry.nTab;
        if (entry.nType == CELL_TEXT)
            cell.m_bDynamic = 1;
        if (entry.nType == CELL_REPORTDATE)
            nDateStyle = (int)cell.m_nDateStyle;
        if (entry.nType == CELL_NUMERIC)
        {
            cell.m_nValueType = entry.nValueType;
            strcpy(cell.m_szRowItemCode, entry.pszRow);
            strcpy(cell.m_szColItemCode, entry.pszName[0] == 'C' ? "C2" : "C1");
        }
    }
    for (const auto& formula : { std::make_pair("D3", "B3+C3"), std::make_pair("C4", "D3*B4") })
    {
        CCell& cell = *sheet.FindCellByName(formula.first);
        cell.SetType(CELL_FORMULA);
        cell.m_strFormula = formula.second;
    }
    for (int i = 0; i < (int)sheet.m_cells.GetSize(); ++i)
        if (sheet.m_cells[i].m_nType == CELL_FORMULA)
            AdjustFormulaRefCounts(sheet, i, TRUE);
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
        m_strTemplate = m_folder.PathOf("Sales.kvm");
        {
            CTallyformDoc doc;
            doc.m_bAutoDelete = FALSE;
            MakeTemplate(doc.m_sheet, m_nDateStyle);
            ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
        }
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"), ReportDataSourceIni(*m_backend, m_source));
        SYSTEMTIME now;
        GetLocalTime(&now);
        m_strMarch = CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, 3, 1);
        m_strApril = CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, 4, 1);
    }

    std::string PeriodText(const CString& strCode) const
    {
        return (LPCSTR)PeriodCodeToText(strCode, PERIOD_MONTH, m_nDateStyle);
    }

    // Exports the report to a new file of the folder and reads it back.
    WorkbookCells Export(CRunModeDriver& driver, LPCSTR lpszName)
    {
        CString strBook = m_folder.PathOf(lpszName);
        EXPECT_TRUE(driver.ChooseFile(kExportToExcel, strBook, kWaitMs)) << lpszName;
        driver.Settle();
        return ReadWorkbook(m_folder, strBook);
    }

    // The message an import or export of the file gave.
    std::string Message(CRunModeDriver& driver, UINT nCommand, LPCSTR lpszName)
    {
        EXPECT_TRUE(driver.ChooseFile(nCommand, m_folder.PathOf(lpszName), kWaitMs)) << lpszName;
        return driver.WaitForMessage(kWaitMs);
    }

    std::vector<std::string> DataRows()
    {
        std::string sql = std::string("SELECT FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, ") +
                          m_backend->ScaledValue() + " FROM ss_datalist ORDER BY FD_RowItemCode, FD_ColItemCode";
        return m_backend->Rows(sql.c_str());
    }

    void Screenshot(CRunModeDriver& driver, const char* pszName)
    {
        RECT rc;
        GetWindowRect(driver.MainWindow(), &rc);
        std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/editor-" + pszName + ".bmp";
        EXPECT_TRUE(SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, path.c_str()));
    }

    std::unique_ptr<ReportTestBackend> m_backend;
    CKemDatabase m_source;
    CScratchFolder m_folder;
    CString m_strTemplate;
    CString m_strMarch;
    CString m_strApril;
    int m_nDateStyle = 0;
};

TEST_F(EditorWorkbookTest, AReportGoesToAWorkbookAndItsChangedFiguresComeBack)
{
    CDesignerProcess editor(m_folder.GetPath(), "\"" + m_strTemplate + "\"");
    CRunModeDriver driver(editor);
    ASSERT_TRUE(editor.IsStarted()) << "start error " << editor.StartError();
    ASSERT_TRUE(driver.Connect(m_source.m_strUser, m_source.m_strPassword, kWaitMs));
    HWND hEditor = driver.EnterReportKeys(PERIOD_MONTH, kMarchCell, "B", "B02", "O'Brien & Co", kWaitMs);
    for (LPCSTR text : { "first note", "1250.5", "310.25", "n/a", "12" })
    {
        ASSERT_NE(hEditor, nullptr) << text << " " << Joined(driver.Answered());
        hEditor = driver.EnterText(hEditor, text, kWaitMs);
    }

    // Every shown text at its grid place, the merged label at its top-left,
    // numbers as numbers, under a first row naming template and keys.
    const WorkbookCells typed = {
        { "sheet", "Sales  monthly" },
        { "A1", "s:Template: XL01" }, { "B1", "s:Period: " + std::string(m_strMarch) },
        { "C1", "s:Organization code: B02" }, { "D1", "s:Organization name: O'Brien & Co" },
        { "A2", "s:Period" }, { "B2", "s:Code" }, { "C2", "s:Organization" }, { "D2", "s:Note" },
        { "A3", "s:" + PeriodText(m_strMarch) }, { "B3", "s:B02" }, { "C3", "s:O'Brien & Co" },
        { "D3", "s:first note" }, { "E3", "s:x" },
        { "A4", "s:Sales" }, { "B4", "n:1250.5" }, { "C4", "n:310.25" }, { "D4", "n:1560.75" }, { "E4", "s:n/a" },
        { "A5", "s:Staff" }, { "B5", "n:12.0" }, { "C5", "n:18729.0" },
    };
    EXPECT_EQ(typed, Export(driver, "typed.xls"));

    // Another organization and period, new figures (a text where a number
    // belongs, a number as text, a number into the text figure) and a
    // figure over a calculate cell, which is recalculated instead.
    ChangeWorkbook(m_folder, m_folder.PathOf("typed.xls"), m_folder.PathOf("changed.xls"),
                   "B1=s:Period: " + std::string(m_strApril) + "\nC1=s:Organization code: A01\n"
                   "D1=s:Organization name: Alder\nD3=s:revised note\nB4=n:2000\nC4=s:abc\n"
                   "D4=n:999\nE4=n:77\nB5=s:15\n");
    std::string refusal = Message(driver, kImportFromExcel, "changed.xls");
    EXPECT_TRUE(StartsWith(refusal, "These values of ")) << refusal;
    EXPECT_NE(std::string::npos, refusal.find("changed.xls were not taken:\nC4: 'abc' is not a number.")) << refusal;
    Screenshot(driver, "imported-workbook");

    WorkbookCells imported = typed;
    imported["B1"] = "s:Period: " + std::string(m_strApril);
    imported["C1"] = "s:Organization code: A01";
    imported["D1"] = "s:Organization name: Alder";
    imported["A3"] = "s:" + PeriodText(m_strApril);
    imported["B3"] = "s:A01";
    imported["C3"] = "s:Alder";
    imported["D3"] = "s:revised note";
    imported["B4"] = "n:2000.0";
    imported["D4"] = "n:2310.25";
    imported["E4"] = "s:77";
    imported["B5"] = "n:15.0";
    imported["C5"] = "n:34653.75";
    EXPECT_EQ(imported, Export(driver, "imported.xls"));

    // Saved as typed figures are: for the imported keys.
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
    EXPECT_EQ("[report] A01|Alder", driver.ConfirmReportInformation(kWaitMs));
    driver.Settle();
    const std::string april = (LPCSTR)m_strApril;
    const std::vector<std::string> saved = {
        "A01|" + april + "|R1|C1|20000000", "A01|" + april + "|R1|C2|3102500",
        "A01|" + april + "|R2|C1|150000", "A01|" + april + "|R3|C1|770000" };
    EXPECT_EQ(saved, DataRows()) << Joined(driver.Answered());

    // Refused whole, each with its message: a text file, a cut workbook,
    // another template's, and a read-only and a locked target.
    WriteWholeFile(m_folder.PathOf("notes.xls"), "Period;Sales\r\nMarch;12\r\n");
    std::string book = ReadWholeFile(m_folder.PathOf("imported.xls"));
    WriteWholeFile(m_folder.PathOf("cut.xls"), book.substr(0, book.size() / 2));
    ChangeWorkbook(m_folder, m_folder.PathOf("imported.xls"), m_folder.PathOf("other.xls"),
                   "A1=s:Template: OTHER\nB4=n:1\n");
    EXPECT_EQ("Nothing was imported. " + std::string(m_folder.PathOf("notes.xls")) + " is not an Excel workbook.",
              Message(driver, kImportFromExcel, "notes.xls"));
    std::string cut = Message(driver, kImportFromExcel, "cut.xls");
    EXPECT_TRUE(StartsWith(cut, "Nothing was imported. " + std::string(m_folder.PathOf("cut.xls")))) << cut;
    EXPECT_EQ("Nothing was imported. " + std::string(m_folder.PathOf("other.xls")) +
                  " holds a report of template 'OTHER', not of this template 'XL01'.",
              Message(driver, kImportFromExcel, "other.xls"));

    CString strReadOnly = m_folder.PathOf("readonly.xls");
    CString strLocked = m_folder.PathOf("locked.xls");
    WriteWholeFile(strReadOnly, "kept");
    WriteWholeFile(strLocked, "kept");
    ASSERT_TRUE(SetFileAttributesA(strReadOnly, FILE_ATTRIBUTE_READONLY));
    HANDLE hLocked = CreateFileA(strLocked, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLocked);
    std::string readOnly = Message(driver, kExportToExcel, "readonly.xls");
    std::string locked = Message(driver, kExportToExcel, "locked.xls");
    CloseHandle(hLocked);
    SetFileAttributesA(strReadOnly, FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(StartsWith(readOnly, "Export to Excel failed. ")) << readOnly;
    EXPECT_TRUE(StartsWith(locked, "Export to Excel failed. ")) << locked;
    EXPECT_TRUE(ReadWholeFile(strReadOnly) == "kept") << "the read-only file was replaced";
    EXPECT_TRUE(ReadWholeFile(strLocked) == "kept") << "the locked file was replaced";
    std::vector<std::string> left = m_folder.FileNames();
    EXPECT_EQ(0, std::count_if(left.begin(), left.end(), [](const std::string& name) {
                  return StartsWith(name, "sav");
              })) << "a temporary file was left";

    // The report is as the one import left it; a period out of the
    // calendar and an unknown organization are refused apart from the rest.
    EXPECT_EQ(imported, Export(driver, "after.xls"));
    ChangeWorkbook(m_folder, m_folder.PathOf("after.xls"), m_folder.PathOf("keys.xls"),
                   "B1=s:Period: " + std::string(m_strApril.Left(4)) + "001300000\nC1=s:Organization code: Z99\n");
    std::string keys = Message(driver, kImportFromExcel, "keys.xls");
    EXPECT_NE(std::string::npos, keys.find("were not taken:\nPeriod: '" + std::string(m_strApril.Left(4)) +
                                           "001300000' is no period of this report.\nOrganization code: 'Z99' "
                                           "is no known organization.")) << keys;
    EXPECT_EQ(imported, Export(driver, "keys-refused.xls"));

    // Changed by the imports: closing asks.
    const size_t nAnswered = driver.Answered().size();
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
    EXPECT_GT(driver.Answered().size(), nAnswered) << "closing asked nothing";
}

} // namespace
