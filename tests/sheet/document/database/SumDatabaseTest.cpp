// Data > Sum Data From Databases: the sums of the cells against sums the
// database computes itself, the organization cells, and the values that
// are no amounts.
#include "tests/sheet/document/database/DatabaseTestDoc.h"
#include "tests/support/ScratchFolder.h"

#include "framework/core/OleCurrency.h"

namespace
{

class SumDatabase : public ReportDatabaseTest
{
protected:
    void Insert(LPCSTR pszOrg, const CString& strTime, LPCSTR pszRow, LPCSTR pszCol, LPCSTR pszValue)
    {
        CString strSql;
        strSql.Format("INSERT INTO ss_datalist VALUES ('%s', '%s', '%s', '%s', 0, 0, %s)", (LPCSTR)strTime, pszOrg,
                      pszRow, pszCol, pszValue);
        m_backend->Exec(strSql);
    }

    // The sum the database computes for the item over the condition, in
    // ten-thousandths; "" when no row has a value.
    std::string DirectSum(const CString& strCondition, LPCSTR pszRow, LPCSTR pszCol)
    {
        CString strSql;
        strSql.Format("SELECT SUM(%s) FROM ss_datalist WHERE %s AND FD_RowItemCode='%s' AND FD_ColItemCode='%s'",
                      m_backend->ScaledValue(), (LPCSTR)strCondition, pszRow, pszCol);
        std::vector<std::string> rows = Rows(strSql);
        return rows.empty() || rows[0] == "NULL" || rows[0] == "<null>" ? std::string() : rows[0];
    }

    // A cell's text in ten-thousandths.
    std::string Scaled(int nCell)
    {
        COleCurrency cy;
        if (!cy.ParseDecimal(Value(nCell)))
            return "not an amount: " + std::string((LPCSTR)Value(nCell));
        return std::to_string(cy.m_cur.int64);
    }

    void WriteLocalOrg()
    {
        CString strIni = m_folder.PathOf("Tallyform.INI");
        WriteWholeFile(strIni, "[LocalOrg]\r\nLocalOrgCode=HQ\r\nLocalOrgName=Head Office\r\n");
        m_doc.m_connection.m_strIniPath = strIni;
    }

    CScratchFolder m_folder;
    CDataGatherChoice m_choice;
};

TEST_P(SumDatabase, SumsOverThreeOrganizationsAndTwoPeriodsMatchTheDatabasesOwn)
{
    const CString jan = MonthCode(2026, 1), feb = MonthCode(2026, 2), mar = MonthCode(2026, 3);
    const char* const orgs[] = {"A01", "B02", "C03", "D04"};
    int n = 0;
    for (const char* org : orgs)
    {
        for (const CString& month : {jan, feb, mar})
        {
            CString strSales, strCosts;
            strSales.Format("'%d.%04d'", n * 37 % 1000, n * 1237 % 10000);
            strCosts.Format("'-%d.5'", n);
            Insert(org, month, "R1", "C1", strSales);
            // One stored NULL among the costs: it holds no amount.
            Insert(org, month, "R1", "C2", n == 4 ? "NULL" : (LPCSTR)strCosts);
            Insert(org, month, "R2", "C2", "'words'");
            ++n;
        }
    }
    WriteLocalOrg();
    const CString strCondition = "FD_OrgCode In ('A01','B02','C03') And FD_Time In ('" + jan + "','" + feb + "')";
    m_choice.m_strSql = "Select * From ss_datalist Where " + strCondition;
    m_choice.m_strReportDate = feb;
    Value(FORM_NOTE) = "kept";
    m_doc.SumDataFromDatabase(m_choice);

    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
    EXPECT_EQ(DirectSum(strCondition, "R1", "C1"), Scaled(FORM_SALES));
    EXPECT_EQ(DirectSum(strCondition, "R1", "C2"), Scaled(FORM_COSTS));
    // No stored row: 0.
    EXPECT_STREQ("0", Value(FORM_STAFF));
    EXPECT_STREQ("kept", Value(FORM_NOTE));
    // The calculate cell follows the sums.
    EXPECT_DOUBLE_EQ(atof(Value(FORM_SALES)) + atof(Value(FORM_COSTS)), atof(Value(FORM_TOTAL)));
    EXPECT_STREQ(feb, m_doc.m_sheet.m_cells[FORM_DATE].m_szDateCode);
    // Several organizations: the report is the local organization's.
    EXPECT_STREQ("HQ", Value(FORM_CODE));
    EXPECT_STREQ("Head Office", Value(FORM_NAME));
}

TEST_P(SumDatabase, DecimalsAddExactlyWithoutAWhereClauseAndOneOrganizationNamesTheReport)
{
    Insert("A01", MonthCode(2026, 1), "R1", "C1", "'0.1'");
    Insert("A01", MonthCode(2026, 2), "R1", "C1", "'0.2'");
    Insert("A01", MonthCode(2026, 3), "R1", "C1", "'0.3'");
    Insert("A01", MonthCode(2026, 3), "R1", "C2", "'12345678901234.5678'");
    WriteLocalOrg();
    m_choice.m_strSql = "Select * From ss_datalist";
    m_choice.m_mapSingleOrg.SetAt("A01", "Alder");
    m_doc.SumDataFromDatabase(m_choice);
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
    EXPECT_STREQ("0.6", Value(FORM_SALES));
    EXPECT_STREQ("12345678901234.5678", Value(FORM_COSTS));
    EXPECT_STREQ("A01", Value(FORM_CODE));
    EXPECT_STREQ("Alder", Value(FORM_NAME));
}

TEST_P(SumDatabase, AValueThatIsNoAmountIsToldAndLeavesItsCellEmpty)
{
    Insert("A01", MonthCode(2026, 1), "R1", "C1", "'5'");
    Insert("A01", MonthCode(2026, 2), "R1", "C1", "'five'");
    Insert("A01", MonthCode(2026, 1), "R1", "C2", "'2'");
    m_choice.m_strSql = "Select * From ss_datalist Where FD_OrgCode='A01'";
    m_doc.SumDataFromDatabase(m_choice);
    EXPECT_EQ(std::vector<std::string>{"Type mistake,please check cell property and value."}, MessageTexts());
    EXPECT_STREQ("", Value(FORM_SALES));
    EXPECT_STREQ("2", Value(FORM_COSTS));
}

TEST_P(SumDatabase, AFailingQueryStopsTheSum)
{
    m_choice.m_strSql = "Select * From no_such_table";
    m_doc.SumDataFromDatabase(m_choice);
    EXPECT_EQ("Failed to sum data.", m_messages.LastText());
    // The progress window is gone and gave its owner back.
    EXPECT_EQ(nullptr, FindWindowA(NULL, "Summing data...."));
}

INSTANTIATE_TEST_SUITE_P(Engines, SumDatabase, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace
