// Balance formulas: the syntax checks with their messages and ranges, data
// verification at the tolerance, and the balance-reference counters.
#include "tests/sheet/FormulaSheet.h"

#include "sheet/BalanceFormula.h"

using namespace formulatest;

namespace
{

class BalanceFormulaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nA1 = AddNumber(m_sheet, "A1", "1.000001");
        m_nB1 = AddNumber(m_sheet, "B1", "1.000009");
        m_nC1 = AddNumber(m_sheet, "c1", "2.000002");
        m_nF1 = AddFormula(m_sheet, "F1", "A1+B1", "2.000004");
        m_nT1 = AddCell(m_sheet, CELL_TEXT, "T1", "1");
        AddNumber(m_sheet, "E1", "");
    }

    CSheet m_sheet;
    MessageBoxRecorder m_recorder;
    int m_nA1, m_nB1, m_nC1, m_nF1, m_nT1;
};

struct SyntaxCase
{
    const char* pszFormula;
    int nExclude;
    const char* pszMessage;     // NULL: valid
    int nErrorStart, nErrorEnd;
};

const SyntaxCase kSyntaxCases[] = {
    { "", -1, NULL, 0, 0 },
    { "a1 + b1 * (C1 - 2)", -1, NULL, 0, 0 },
    { "(A1)", -1, NULL, 0, 0 },
    { "F1*2", -1, NULL, 0, 0 },
    { "F1*2", 3, "Invalid cell name.", 0, 2 },          // names its own cell
    { "A1+Q9", -1, "Invalid cell name.", 3, 5 },
    { "A1+T1", -1, "Invalid cell name.", 3, 5 },
    { "A1=B1", -1, "Invalid '=' in formula.", 2, 3 },
    { "(A1", -1, "Invalid ')'.", 2, 3 },
    { "A1)", -1, "')' required.", 2, 3 },
    { "+A1", -1, "Operate number required.", 0, 1 },
    { "A1+*B1", -1, "Operate number required.", 2, 3 },
    { "()", -1, "Operate number required.", 0, 1 },
    { "A1(B1)", -1, "')' required.", 0, 2 },
    { "(A1)B1", -1, "')' required.", 3, 4 },
    { "Z", -1, "Invalid cell name.", 0, 1 },
};

TEST_F(BalanceFormulaTest, ChecksFormulaSyntax)
{
    for (const SyntaxCase& c : kSyntaxCases)
    {
        SCOPED_TRACE(c.pszFormula);
        m_recorder.Clear();
        int nStart = -7, nEnd = -7;
        const int nResult = CheckFormulaSyntax(m_sheet, c.pszFormula, c.nExclude, nStart, nEnd);
        if (c.pszMessage == NULL)
        {
            EXPECT_EQ(1, nResult);
            EXPECT_TRUE(m_recorder.Messages().empty());
            continue;
        }
        EXPECT_EQ(0, nResult);
        ASSERT_EQ(1u, m_recorder.Messages().size());
        EXPECT_EQ(c.pszMessage, m_recorder.LastText());
        EXPECT_EQ(c.nErrorStart, nStart);
        EXPECT_EQ(c.nErrorEnd, nEnd);
    }
}

TEST_F(BalanceFormulaTest, ChecksBalanceFormulas)
{
    int nStart = 0, nEnd = 0;
    EXPECT_EQ(1, CheckBalanceFormula(m_sheet, "A1 = B1 + c1", nStart, nEnd));
    EXPECT_EQ(1, CheckBalanceFormula(m_sheet, "A1=B1=C1", nStart, nEnd));
    EXPECT_TRUE(m_recorder.Messages().empty());

    EXPECT_EQ(0, CheckBalanceFormula(m_sheet, "A1+B1", nStart, nEnd));
    EXPECT_EQ("Balance formula must have '='", m_recorder.LastText());
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(-1, nEnd);

    EXPECT_EQ(0, CheckBalanceFormula(m_sheet, "=A1", nStart, nEnd));
    EXPECT_EQ("Balance formula must have '='", m_recorder.LastText());

    m_recorder.Clear();
    EXPECT_EQ(0, CheckBalanceFormula(m_sheet, "A1==B1", nStart, nEnd));
    EXPECT_EQ("Invalid balance formula.", m_recorder.LastText());
    EXPECT_EQ(2, nStart);
    EXPECT_EQ(3, nEnd);

    // A side's own complaint first, its range moved by the offset.
    m_recorder.Clear();
    EXPECT_EQ(0, CheckBalanceFormula(m_sheet, "A1=B1+Q9", nStart, nEnd));
    ASSERT_EQ(2u, m_recorder.Messages().size());
    EXPECT_EQ("Invalid cell name.", m_recorder.Messages()[0].text);
    EXPECT_EQ("Invalid balance formula.", m_recorder.Messages()[1].text);
    EXPECT_EQ(6, nStart);
    EXPECT_EQ(8, nEnd);
}

TEST_F(BalanceFormulaTest, VerifiesAtTheTolerance)
{
    EXPECT_EQ(nullptr, VerifyData(m_sheet));

    m_sheet.m_lstBalance.AddTail("A1=B1");
    m_sheet.m_lstBalance.AddTail("F1=A1+B1=C1");
    EXPECT_EQ(nullptr, VerifyData(m_sheet));       // differences below 0.00001

    m_sheet.m_cells[m_nB1].m_strValue = "1.00002";
    EXPECT_EQ(m_sheet.m_lstBalance.GetHeadPosition(), VerifyData(m_sheet));
    EXPECT_TRUE(m_recorder.Messages().empty());     // an inequality is silent

    m_sheet.m_cells[m_nB1].m_strValue = "1.000009";
    m_sheet.m_cells[m_nC1].m_strValue = "2.1";     // the third side differs
    POSITION posSecond = m_sheet.m_lstBalance.GetHeadPosition();
    m_sheet.m_lstBalance.GetNext(posSecond);
    EXPECT_EQ(posSecond, VerifyData(m_sheet));
}

TEST_F(BalanceFormulaTest, StopsAtAnEmptyOperandCell)
{
    m_sheet.m_lstBalance.AddTail("A1=A1");
    m_sheet.m_lstBalance.AddTail("C1=e1+2");
    m_sheet.m_lstBalance.AddTail("B1=B1");
    POSITION posSecond = m_sheet.m_lstBalance.GetHeadPosition();
    m_sheet.m_lstBalance.GetNext(posSecond);
    EXPECT_EQ(posSecond, VerifyData(m_sheet));
    ASSERT_EQ(1u, m_recorder.Messages().size());
    EXPECT_EQ("Cell 'E1' is empty\xA3\xAC" "Cannot verify data.", m_recorder.LastText());
}

TEST_F(BalanceFormulaTest, ReportsEvaluationErrors)
{
    m_sheet.m_lstBalance.AddTail("A1/(B1-B1)=1");
    EXPECT_EQ(m_sheet.m_lstBalance.GetHeadPosition(), VerifyData(m_sheet));
    EXPECT_EQ("Divide zero.", m_recorder.LastText());
    // A stored formula that never passed the check is refused, not read past.
    m_sheet.m_lstBalance.RemoveAll();
    m_sheet.m_lstBalance.AddTail("A1+=1");
    m_recorder.Clear();
    EXPECT_EQ(m_sheet.m_lstBalance.GetHeadPosition(), VerifyData(m_sheet));
    EXPECT_EQ("Operate number required.", m_recorder.LastText());
}

TEST_F(BalanceFormulaTest, CountsReferencesOncePerFormula)
{
    m_sheet.m_cells[m_nT1].m_nBalanceRefs = 9;
    m_sheet.m_lstBalance.AddTail("A1=B1+A1");
    m_sheet.m_lstBalance.AddTail("C1=a1+2");
    CountBalanceFormulaRefs(m_sheet);
    EXPECT_EQ(2, m_sheet.m_cells[m_nA1].m_nBalanceRefs);
    EXPECT_EQ(1, m_sheet.m_cells[m_nB1].m_nBalanceRefs);
    EXPECT_EQ(1, m_sheet.m_cells[m_nC1].m_nBalanceRefs);     // "c1" named as C1
    EXPECT_EQ(0, m_sheet.m_cells[m_nF1].m_nBalanceRefs);
    EXPECT_EQ(0, m_sheet.m_cells[m_nT1].m_nBalanceRefs);
}

} // namespace
