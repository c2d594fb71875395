// Analysis formulas on both kinds of reporting database: labels of the
// header terms, sums of data references with arithmetic around them, and
// the references that must show nothing rather than a made-up figure.
#include "tests/sheet/document/database/DatabaseTestDoc.h"
#include "tests/sheet/FormulaSheet.h"

#include "framework/windows/CmdTarget.h"
#include "reporting/AnalysisCalc.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"
#include "DocumentIds.h"

namespace
{
const char kRef1[] = "Organ#1&Time#1&RowItem#1&ColItem#1";
const char kRef2[] = "Organ#2&Time#1&RowItem#1&ColItem#1";

class AnalysisFormulas : public ReportDatabaseTest
{
protected:
    void SetUp() override
    {
        ReportDatabaseTest::SetUp();
        m_year = CReportPeriod::GetCodeForDate(PERIOD_YEAR, 2004, 1, 1);
        CSheet& sheet = m_doc.m_sheet;
        sheet.RemoveAllCells();
        for (const char* entry : { "0101-North Mill", "0102-South Mill" })
            sheet.m_lstAnOrgans.AddTail(CString(entry));
        sheet.m_lstAnTimes.AddTail(m_year + "-2004");
        for (const char* entry : { "R1-Sales", "R2-Staff", "R3-Rent" })
            sheet.m_lstAnRowItems.AddTail(CString(entry));
        sheet.m_lstAnColItems.AddTail(CString("C1-Amount"));
        Insert("0101", "R1", 0, "1.5");
        Insert("0101", "R1", 1, "2.25");
        Insert("0102", "R1", 0, "-4");
        // Another year, another column: never counted.
        m_backend->Exec("INSERT INTO ss_datalist VALUES ('2005000000000', '0101', 'R1', 'C1', 0, 0, '100')");
        Insert("0101", "R2", 0, "7");
        m_calc.m_pDoc = &m_doc;
    }

    void Insert(LPCSTR pszOrg, LPCSTR pszRow, int nLine, LPCSTR pszValue)
    {
        CString strSql;
        strSql.Format("INSERT INTO ss_datalist VALUES ('%s', '%s', '%s', 'C1', %d, 0, '%s')", (LPCSTR)m_year, pszOrg,
                      pszRow, nLine, pszValue);
        m_backend->Exec(strSql);
    }

    // A text cell of the sheet with an analysis formula; its index.
    int AddAnalysisCell(const char* pszName, const CString& strFormula, const char* pszText = "")
    {
        int n = formulatest::AddCell(m_doc.m_sheet, CELL_NUMERIC, pszName, pszText);
        m_doc.m_sheet.m_cells[n].m_strAnalysis = strFormula;
        return n;
    }

    void Analyse() { m_doc.OnCmdMsg(ID_ANALYSIS, CN_COMMAND, NULL, NULL); }

    CString m_year;
    CAnalysisCalc m_calc;
};

TEST_P(AnalysisFormulas, LabelsNameTheEntryOrKeepTheirOwnText)
{
    EXPECT_STREQ("0102", m_calc.ResolveReferenceLabel("@Organ#2"));
    EXPECT_STREQ("South Mill", m_calc.ResolveReferenceLabel("@OrganName#2"));
    EXPECT_STREQ("2004", m_calc.ResolveReferenceLabel("@Time#1"));
    EXPECT_STREQ("Staff", m_calc.ResolveReferenceLabel("@RowItem#2+3"));
    EXPECT_STREQ("@RowItem#0", m_calc.ResolveReferenceLabel("@RowItem#0"));
    EXPECT_STREQ("@RowItem#9", m_calc.ResolveReferenceLabel("@RowItem#9"));
    EXPECT_STREQ("@Nothing#1", m_calc.ResolveReferenceLabel("@Nothing#1"));

    CString strCondition;
    m_doc.m_sheet.m_nAnAttrType = 3;
    m_doc.m_sheet.m_lstAnProperties.AddTail(CString("12-Large"));
    m_doc.m_sheet.m_lstAnProperties.AddTail(CString("1 or 1=1-Sly"));
    ASSERT_TRUE(m_calc.BuildReferenceCondition("&Property#1", strCondition));
    EXPECT_STREQ("FD_OrgCode in (select distinct FD_OrgCode from ss_OrgAttr where FD_AttrTypeCode=3 and "
                 "FD_ValCode=12)",
                 strCondition);
    // A value code that is no number never reaches the SQL text.
    EXPECT_FALSE(m_calc.BuildReferenceCondition("&Property#2", strCondition));
}

TEST_P(AnalysisFormulas, DataCellsSumTheirRowsAndKeepArithmeticSound)
{
    const int nSum = AddAnalysisCell("A1", CString("@") + kRef1);
    const int nNegative = AddAnalysisCell("B1", CString("@") + kRef2);
    const int nDifference = AddAnalysisCell("C1", CString("@") + kRef1 + "-@" + kRef2);
    formulatest::AddNumber(m_doc.m_sheet, "a3", "1");
    const int nNamed = AddAnalysisCell("D1", CString("@") + kRef1 + "*2+A3");
    const int nNoRows = AddAnalysisCell("E1", "@Organ#1&Time#1&RowItem#3&ColItem#1", "old");
    const int nOutOfRange = AddAnalysisCell("F1", "@Organ#9&Time#1&RowItem#1&ColItem#1", "old");
    const int nLabel = AddAnalysisCell("G1", "@OrganName#1");
    const int nPlain = AddAnalysisCell("H1", "Organ#1&Time#1", "plain");

    Analyse();

    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
    EXPECT_STREQ("3.75", Value(nSum));
    EXPECT_STREQ("-4.00", Value(nNegative));
    EXPECT_STREQ("7.75", Value(nDifference));
    EXPECT_STREQ("8.50", Value(nNamed));
    EXPECT_STREQ("0.00", Value(nNoRows));
    // No such organization: nothing, not a zero that looks real.
    EXPECT_STREQ("", Value(nOutOfRange));
    EXPECT_STREQ("North Mill", Value(nLabel));
    EXPECT_STREQ("plain", Value(nPlain));

    // A new list relabels the headers and leaves the sums alone.
    m_doc.m_sheet.m_lstAnOrgans.RemoveHead();
    m_calc.RelabelAnalysisCells();
    EXPECT_STREQ("South Mill", Value(nLabel));
    EXPECT_STREQ("3.75", Value(nSum));
}

TEST_P(AnalysisFormulas, AFailedQueryLeavesTheRestAloneAndNoDatabaseIsTold)
{
    const int nFirst = AddAnalysisCell("A1", CString("@") + kRef1, "old 1");
    const int nSecond = AddAnalysisCell("B1", CString("@") + kRef2, "old 2");
    const int nLabel = AddAnalysisCell("C1", "@Organ#2", "old 3");
    m_backend->Exec("ALTER TABLE ss_datalist RENAME TO ss_datalist_away");
    Analyse();
    m_backend->Exec("ALTER TABLE ss_datalist_away RENAME TO ss_datalist");
    ASSERT_EQ(1u, MessageTexts().size());
    EXPECT_STREQ("old 1", Value(nFirst));
    EXPECT_STREQ("old 2", Value(nSecond));
    EXPECT_STREQ("0102", Value(nLabel));

    m_messages.Clear();
    m_doc.m_connection.m_pDatabase = NULL;
    Analyse();
    m_doc.m_connection.m_pDatabase = m_pDatabase;
    EXPECT_EQ(std::vector<std::string>{ "Database is not connected!" }, MessageTexts());
    EXPECT_STREQ("old 1", Value(nFirst));
}

INSTANTIATE_TEST_SUITE_P(Engines, AnalysisFormulas, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace
