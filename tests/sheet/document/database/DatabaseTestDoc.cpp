#include "tests/sheet/document/database/DatabaseTestDoc.h"

#include "tests/sheet/FormulaSheet.h"

#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"

const char kFormCode[] = "TPL01";

namespace
{

CString ProgramFolder()
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(n > 0 && n < MAX_PATH ? szPath : "");
    return strPath.Left(strPath.ReverseFind('\\'));
}

void MakeForm(CSheet& sheet)
{
    using namespace formulatest;
    sheet.RemoveAllCells();
    strcpy(sheet.m_szCode, kFormCode);
    sheet.m_nReportType = PERIOD_MONTH;
    sheet.m_bDesignMode = FALSE;
    AddCell(sheet, CELL_REPORTDATE, "A1");
    AddCell(sheet, CELL_ORGANCODE, "B1");
    AddCell(sheet, CELL_ORGAN, "C1");
    AddNumber(sheet, "A2", "");
    AddNumber(sheet, "B2", "");
    AddFormula(sheet, "C2", "A2+B2");
    AddNumber(sheet, "A3", "");
    AddNumber(sheet, "B3", "");
    sheet.m_cells[FORM_NOTE].m_nValueType = 1;
    const char* const items[][2] = {{"R1", "C1"}, {"R1", "C2"}, {"", ""}, {"R2", "C1"}, {"R2", "C2"}};
    for (int i = FORM_SALES; i <= FORM_NOTE; ++i)
    {
        CCell& cell = sheet.m_cells[i];
        if (cell.m_nType != CELL_NUMERIC)
            continue;
        strcpy(cell.m_szRowItemCode, items[i - FORM_SALES][0]);
        strcpy(cell.m_szColItemCode, items[i - FORM_SALES][1]);
    }
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        SetRect(&sheet.m_cells[i].m_rect, (int)(i % 3) * 80, (int)(i / 3) * 30, (int)(i % 3) * 80 + 80,
                (int)(i / 3) * 30 + 30);
}

} // namespace

CString MonthCode(int year, int month)
{
    return CReportPeriod::GetCodeForDate(PERIOD_MONTH, year, month, 1);
}

ReportDatabaseTest::ReportDatabaseTest() : m_backend(MakeReportBackend(GetParam())), m_loader(ProgramFolder())
{
}

void ReportDatabaseTest::SetUp()
{
    ASSERT_TRUE(m_backend->IsReady());
    m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('A01', 'Alder', 'A')");
    m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('B02', 'O''Brien & Co', 'B')");
    m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('C03', 'Cedar', 'C')");
    m_pDatabase = m_loader.GetDatabase(m_backend->Type());
    ASSERT_NE(nullptr, m_pDatabase);
    m_backend->Describe(m_pDatabase);
    m_pDatabase->Reopen(FALSE);
    ASSERT_TRUE(m_pDatabase->IsOpen());
    m_doc.m_connection.m_pLoader = &m_loader;
    m_doc.m_connection.m_pDatabase = m_pDatabase;
    MakeForm(m_doc.m_sheet);
    m_doc.m_reportAnswer.bApply = FALSE;
}

void ReportDatabaseTest::TearDown()
{
    if (m_pDatabase != NULL)
    {
        m_pDatabase->Close();
        m_loader.ReleaseDatabase(m_pDatabase);
    }
}

void ReportDatabaseTest::SetKeys(LPCSTR pszCode, LPCSTR pszName, const CString& strPeriod)
{
    CSheet& sheet = m_doc.m_sheet;
    CopyCode(sheet.m_cells[FORM_DATE].m_szDateCode, CELL_PERIOD_LEN, strPeriod);
    sheet.m_cells[FORM_CODE].m_strValue = pszCode;
    sheet.m_cells[FORM_NAME].m_strValue = pszName;
    m_doc.FindOrganization(&m_doc.m_sheet.m_cells[FORM_DATE]);
    m_doc.FindOrganization(&m_doc.m_sheet.m_cells[FORM_CODE]);
}

void ReportDatabaseTest::SetFigures(LPCSTR pszSales, LPCSTR pszCosts, LPCSTR pszStaff, LPCSTR pszNote)
{
    Value(FORM_SALES) = pszSales;
    Value(FORM_COSTS) = pszCosts;
    Value(FORM_STAFF) = pszStaff;
    Value(FORM_NOTE) = pszNote;
}

std::vector<std::string> ReportDatabaseTest::LogRows()
{
    return Rows("SELECT FD_TemplateCode, FD_OrgCode, FD_ReportType, FD_StartDate, FD_EndDate FROM ss_reportlog"
                " ORDER BY FD_OrgCode, FD_StartDate");
}

std::vector<std::string> ReportDatabaseTest::DataRows()
{
    return Rows("SELECT FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Value FROM ss_datalist"
                " ORDER BY FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode");
}

std::vector<std::string> ReportDatabaseTest::MessageTexts() const
{
    return m_messages.Texts();
}
