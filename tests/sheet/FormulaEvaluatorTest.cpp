// The formula evaluator: precedence, parentheses, operands by name, and the
// refusal of every malformed formula with its message.
#include "tests/sheet/FormulaSheet.h"

#include "sheet/FormulaEvaluator.h"

using namespace formulatest;

namespace
{

// A1 = 6, b2 = 1.5 (lower-case name), C3 empty, T1 a text cell, N1 a
// numeric cell of the text sub-kind, F1 a calculate cell holding 7.
class FormulaEvaluatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddNumber(m_sheet, "A1", "6");
        AddNumber(m_sheet, "b2", "1.5");
        AddNumber(m_sheet, "C3", "");
        AddCell(m_sheet, CELL_TEXT, "T1", "5");
        const int n = AddNumber(m_sheet, "N1", "5");
        m_sheet.m_cells[n].m_nValueType = 1;
        AddFormula(m_sheet, "F1", "A1+1", "7.0000");
        AddNumber(m_sheet, "D4", "  12abc");
    }

    CSheet m_sheet;
    MessageBoxRecorder m_recorder;
};

struct GoodCase
{
    const char* pszFormula;
    double dExpected;
};

const GoodCase kGoodCases[] = {
    { "2+3*4", 14 },
    { "(2+3)*4", 20 },
    { "10-4-3", 3 },
    { "8/4/2", 1 },
    { "2*3+4*5", 26 },
    { "2*(3+4)*5", 70 },
    { "((1+2))*(3-(4-5))", 12 },
    { "1/0.0001", 10000 },
    { "12.5.7", 12.5 },
    { "A1*2", 12 },
    { "a1+B2", 7.5 },           // names in any case
    { "A1/b2", 4 },
    { "C3+1", 1 },              // an empty cell reads as 0
    { "F1-A1", 1 },
    { "D4", 12 },               // the value text's leading number
    { "7", 7 },
};

TEST_F(FormulaEvaluatorTest, ComputesTheTableOfFormulas)
{
    for (const GoodCase& c : kGoodCases)
    {
        SCOPED_TRACE(c.pszFormula);
        double dResult = -999;
        EXPECT_TRUE(EvaluateFormula(m_sheet, -1, dResult, TRUE, c.pszFormula));
        EXPECT_DOUBLE_EQ(c.dExpected, dResult);
    }
    EXPECT_TRUE(m_recorder.Messages().empty());
}

struct BadCase
{
    const char* pszFormula;
    const char* pszMessage;
};

const BadCase kBadCases[] = {
    { "", "Formula is empty." },
    { "A1=6", "Invalid '=' in formula." },
    { "A1+Z9", "Invalid cell name." },
    { "T1+1", "Invalid cell name." },       // text cells cannot be named
    { "N1+1", "Invalid cell name." },       // nor numeric cells of another kind
    { "A1 +1", "Invalid cell name." },      // a blank belongs to the operand
    { "1#2", "Invalid cell name." },
    { "(1+2", "')' required." },
    { "((1)", "')' required." },
    { "1+2)", "Invalid ')'" },
    { "(1))", "Invalid ')'" },
    { "1/0", "Divide zero." },
    { "1/0.000001", "Divide zero." },
    { "1/(A1-6)", "Divide zero." },
    { "()", "Operate number required." },
    { "1+", "Operate number required." },
    { "+1", "Operate number required." },
    { "(*2)", "Operate number required." },
    { "1+*2", "Operate number required." },
    { "1()", "')' required." },
    { "2(3)", "')' required." },
    { "(1)2", "')' required." },
    { "-A1", "Operate number required." },
};

TEST_F(FormulaEvaluatorTest, RefusesMalformedFormulasWithTheirMessage)
{
    for (const BadCase& c : kBadCases)
    {
        SCOPED_TRACE(c.pszFormula);
        m_recorder.Clear();
        double dResult = 42;
        EXPECT_FALSE(EvaluateFormula(m_sheet, -1, dResult, TRUE, c.pszFormula));
        EXPECT_EQ(42, dResult);
        ASSERT_EQ(1u, m_recorder.Messages().size());
        EXPECT_EQ(c.pszMessage, m_recorder.LastText());
    }
}

TEST_F(FormulaEvaluatorTest, UsesTheCellFormulaUnlessTextIsGiven)
{
    const int nFormula = AddFormula(m_sheet, "G1", "A1*b2");
    double dResult = 0;
    EXPECT_TRUE(EvaluateFormula(m_sheet, nFormula, dResult));
    EXPECT_DOUBLE_EQ(9, dResult);
    EXPECT_TRUE(EvaluateFormula(m_sheet, nFormula, dResult, TRUE, "A1-1"));
    EXPECT_DOUBLE_EQ(5, dResult);
    EXPECT_FALSE(EvaluateFormula(m_sheet, 999, dResult));
    EXPECT_EQ("Formula is empty.", m_recorder.LastText());
}

TEST_F(FormulaEvaluatorTest, NamesFindTheFirstNameableCell)
{
    // A text cell of the same name comes first; the numeric one is used.
    CSheet sheet;
    AddCell(sheet, CELL_TEXT, "X1", "100");
    const int nNumber = AddNumber(sheet, "x1", "3");
    AddNumber(sheet, "X1", "4");
    CFormulaNames names(sheet);
    double dValue = 0;
    EXPECT_EQ(nNumber, names.GetCellValueByName("X1", dValue));
    EXPECT_DOUBLE_EQ(3, dValue);
    EXPECT_EQ(-1, names.GetCellValueByName("X2", dValue));
}

} // namespace
