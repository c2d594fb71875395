// Recalculation of calculate cells: dependency order on chains and
// diamonds, cycles that end, the reference counters and filled operands,
// all with names in any letter case.
#include "tests/sheet/FormulaSheet.h"

#include "sheet/FormulaRecalc.h"

using namespace formulatest;

namespace
{

class RecordedProgress : public CRecalcProgress
{
public:
    void SetPos(int nPercent) override { m_positions.push_back(nPercent); }
    std::vector<int> m_positions;
};

TEST(RecalculateAll, FormatsResultsAndEmptiesFailures)
{
    MessageBoxRecorder recorder;
    CSheet sheet;
    AddNumber(sheet, "A1", "2");
    AddNumber(sheet, "A2", "3");
    const int nThird = AddFormula(sheet, "B1", "A1/A2");
    const int nSum = AddFormula(sheet, "B2", "A1+A2");
    const int nBad = AddFormula(sheet, "B3", "A1/(A2-3)", "old");
    RecalculateAllFormulas(sheet);
    EXPECT_EQ("0.6667", ValueOf(sheet, nThird));
    EXPECT_EQ("5.0000", ValueOf(sheet, nSum));
    EXPECT_EQ("", ValueOf(sheet, nBad));
    EXPECT_EQ("Divide zero.", recorder.LastText());
}

TEST(RecalculateAll, KeepsCellsWhoseOperandsAreNotFilled)
{
    CSheet sheet;
    AddNumber(sheet, "A1", "");
    const int nFormula = AddFormula(sheet, "B1", "a1*2", "9.0000");
    EXPECT_EQ(0, AreFormulaOperandsFilled(sheet, nFormula));
    RecalculateAllFormulas(sheet);
    EXPECT_EQ("9.0000", ValueOf(sheet, nFormula));
    sheet.m_cells[0].m_strValue = "4";
    EXPECT_EQ(1, AreFormulaOperandsFilled(sheet, nFormula));
    RecalculateAllFormulas(sheet);
    EXPECT_EQ("8.0000", ValueOf(sheet, nFormula));
}

TEST(RecalculateAll, ComputesACellAfterTheCellsItNames)
{
    // Reading order puts the total first; it still sees the new subtotals.
    CSheet sheet;
    const int nTotal = AddFormula(sheet, "T1", "S1+S2", "0.0000");
    const int nS1 = AddFormula(sheet, "S1", "A1*2", "0.0000");
    AddFormula(sheet, "S2", "s1+1", "0.0000");
    AddNumber(sheet, "A1", "5");
    RecordedProgress progress;
    RecalculateAllFormulas(sheet, &progress);
    EXPECT_EQ("10.0000", ValueOf(sheet, nS1));
    EXPECT_EQ("21.0000", ValueOf(sheet, nTotal));
    ASSERT_FALSE(progress.m_positions.empty());
    EXPECT_EQ(0, progress.m_positions.front());
    for (size_t i = 1; i < progress.m_positions.size(); ++i)
        EXPECT_LT(progress.m_positions[i - 1], progress.m_positions[i]);
    EXPECT_LT(progress.m_positions.back(), 100);
}

TEST(RecalculateAll, EndsOnACycle)
{
    MessageBoxRecorder recorder;
    CSheet sheet;
    const int nA = AddFormula(sheet, "C1", "C2+1", "1.0000");
    const int nB = AddFormula(sheet, "C2", "C1+1", "5.0000");
    RecalculateAllFormulas(sheet);
    // Each cell once, in array order: C1 from the old C2, then C2.
    EXPECT_EQ("6.0000", ValueOf(sheet, nA));
    EXPECT_EQ("7.0000", ValueOf(sheet, nB));
}

TEST(RecalculateDependents, FollowsAChainInOrder)
{
    CSheet sheet;
    const int nSource = AddNumber(sheet, "A1", "1");
    // Built backwards so that array order is the wrong order.
    const int nC3 = AddFormula(sheet, "C3", "c2+1", "0");
    const int nC2 = AddFormula(sheet, "C2", "C1+1", "0");
    const int nC1 = AddFormula(sheet, "C1", "a1*10", "0");
    const int nOther = AddFormula(sheet, "D1", "5", "untouched");
    EXPECT_EQ(3, RecalculateDependentFormulas(sheet, nSource));
    EXPECT_EQ("10.0000", ValueOf(sheet, nC1));
    EXPECT_EQ("11.0000", ValueOf(sheet, nC2));
    EXPECT_EQ("12.0000", ValueOf(sheet, nC3));
    EXPECT_EQ("untouched", ValueOf(sheet, nOther));
}

TEST(RecalculateDependents, EvaluatesADiamondOnce)
{
    // A1 -> B1, B2 -> D1; a ladder of diamonds would double per level if
    // cells were visited once per path.
    CSheet sheet;
    const int nSource = AddNumber(sheet, "A1", "2");
    AddFormula(sheet, "B1", "A1+1");
    AddFormula(sheet, "B2", "A1*3");
    const int nD1 = AddFormula(sheet, "D1", "B1+B2");
    CString strPrev = "D1";
    int nLast = nD1;
    for (int i = 2; i <= 20; ++i)
    {
        CString strLeft, strRight, strJoin;
        strLeft.Format("L%d", i);
        strRight.Format("R%d", i);
        strJoin.Format("D%d", i);
        AddFormula(sheet, strLeft, strPrev + "+1");
        AddFormula(sheet, strRight, strPrev + "-1");
        nLast = AddFormula(sheet, strJoin, strLeft + "+" + strRight);
        strPrev = strJoin;
    }
    EXPECT_EQ(3 + 19 * 3, RecalculateDependentFormulas(sheet, nSource));
    EXPECT_EQ("9.0000", ValueOf(sheet, nD1));
    // Each level doubles: D20 = 9 * 2^19.
    CString strExpected;
    strExpected.Format("%.4f", 9.0 * (1 << 19));
    EXPECT_EQ((LPCSTR)strExpected, ValueOf(sheet, nLast));
}

TEST(RecalculateDependents, EndsOnACycle)
{
    CSheet sheet;
    const int nSource = AddNumber(sheet, "A1", "1");
    const int nB = AddFormula(sheet, "B1", "A1+C1", "0");
    const int nC = AddFormula(sheet, "C1", "B1+1", "0");
    EXPECT_EQ(2, RecalculateDependentFormulas(sheet, nSource));
    EXPECT_EQ("1.0000", ValueOf(sheet, nB));
    EXPECT_EQ("2.0000", ValueOf(sheet, nC));
}

TEST(RecalculateDependents, AFigureTypedAwayEmptiesEveryFormulaThatReadsIt)
{
    CSheet sheet;
    const int nSource = AddNumber(sheet, "A1", "");
    const int nB = AddFormula(sheet, "B1", "A1+1", "3.0000");
    const int nC = AddFormula(sheet, "C1", "B1*2", "6.0000");
    const int nD = AddFormula(sheet, "D1", "C1-B1", "3.0000");
    RecalculateDependentFormulas(sheet, nSource);
    EXPECT_EQ("", ValueOf(sheet, nB));
    EXPECT_EQ("", ValueOf(sheet, nC));
    EXPECT_EQ("", ValueOf(sheet, nD));
}

TEST(RecalculateDependents, AnEmptiedCellPassesNothingOn)
{
    MessageBoxRecorder recorder;
    CSheet sheet;
    const int nSource = AddNumber(sheet, "A1", "0");
    const int nB = AddFormula(sheet, "B1", "1/A1", "3.0000");
    const int nC = AddFormula(sheet, "C1", "B1+1", "4.0000");
    const int nE = AddNumber(sheet, "E1", "");
    const int nF = AddFormula(sheet, "F1", "A1+E1", "1.0000");
    EXPECT_EQ(2, RecalculateDependentFormulas(sheet, nSource));
    EXPECT_EQ("", ValueOf(sheet, nB));
    EXPECT_EQ("4.0000", ValueOf(sheet, nC));
    EXPECT_EQ("", ValueOf(sheet, nE));
    EXPECT_EQ("", ValueOf(sheet, nF));     // E1 is empty: not filled
    EXPECT_EQ("Divide zero.", recorder.LastText());
}

TEST(FormulaOperands, MatchNamesWithoutRegardToCase)
{
    CSheet sheet;
    const int nLower = AddNumber(sheet, "a1", "1");
    const int nText = AddCell(sheet, CELL_TEXT, "T1", "x");
    const int nOther = AddNumber(sheet, "B1", "2");
    const int nFormula = AddFormula(sheet, "F1", "A1+t1+A1*3");
    EXPECT_TRUE(IsFormulaOperand(sheet, nLower, nFormula));
    EXPECT_TRUE(IsFormulaOperand(sheet, nText, nFormula));
    EXPECT_FALSE(IsFormulaOperand(sheet, nOther, nFormula));
    EXPECT_FALSE(IsFormulaOperand(sheet, nFormula, nLower));   // not a calculate cell

    AdjustFormulaRefCounts(sheet, nFormula, TRUE);
    EXPECT_EQ(1, sheet.m_cells[nLower].m_nFormulaRefs);       // named twice, counted once
    EXPECT_EQ(1, sheet.m_cells[nText].m_nFormulaRefs);
    EXPECT_EQ(0, sheet.m_cells[nOther].m_nFormulaRefs);
    AdjustFormulaRefCounts(sheet, nFormula, FALSE);
    EXPECT_EQ(0, sheet.m_cells[nLower].m_nFormulaRefs);
    EXPECT_EQ(0, sheet.m_cells[nText].m_nFormulaRefs);

    // A lower-case cell edited through the view reaches its formula.
    sheet.m_cells[nFormula].m_strFormula = "A1+A1*3";
    EXPECT_EQ(1, RecalculateDependentFormulas(sheet, nLower));
    EXPECT_EQ("4.0000", ValueOf(sheet, nFormula));
}

} // namespace
