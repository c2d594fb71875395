// What the document does with text typed into cells in run mode and with
// labels typed in design mode: storing by cell type, carrying key cells
// into the numeric cells, recomputing dependent formulas, and the undo
// record of a label.
#include <string>
#include <utility>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/sheet/FormulaSheet.h"
#include "tests/sheet/document/FakeOrganRecordset.h"
#include "tests/sheet/document/TestTallyformDoc.h"

#include "sheet/UndoAction.h"

namespace
{

class CEntryDoc : public CTestTallyformDoc
{
public:
    CFakeOrganRecordset* m_pOrgans = NULL;
    CKemRecordset* GetOrganRecordset() const override { return m_pOrgans; }
};

using formulatest::AddCell;

// A1, B1 figures, C1 = A1+B1, D1 = C1*2 with the reference counters the
// formulas give.
struct SumSheet
{
    int a, b, c, d;
    explicit SumSheet(CTallyformDoc& doc)
    {
        CSheet& sheet = doc.m_sheet;
        a = AddCell(sheet, CELL_NUMERIC, "A1", "1");
        b = AddCell(sheet, CELL_NUMERIC, "B1", "2");
        c = AddCell(sheet, CELL_FORMULA, "C1", "3.0000");
        d = AddCell(sheet, CELL_FORMULA, "D1", "6.0000");
        sheet.m_cells[c].m_strFormula = "A1+B1";
        sheet.m_cells[d].m_strFormula = "C1*2";
        doc.AdjustFormulaRefCounts(c, TRUE);
        doc.AdjustFormulaRefCounts(d, TRUE);
    }
};

std::string Value(CTallyformDoc& doc, int n)
{
    return (LPCSTR)doc.m_sheet.m_cells[n].m_strValue;
}

} // namespace

TEST(RunModeEntry, TypingAFigureRecomputesTheFormulasThatUseIt)
{
    MessageBoxRecorder recorder;
    CEntryDoc doc;
    SumSheet s(doc);
    ASSERT_TRUE(doc.StoreEnteredText(s.a, "10"));
    EXPECT_EQ("10", Value(doc, s.a));
    EXPECT_EQ("12.0000", Value(doc, s.c));
    EXPECT_EQ("24.0000", Value(doc, s.d));
    // Every keystroke reaches the formulas: the next character too.
    ASSERT_TRUE(doc.StoreEnteredText(s.b, "25"));
    EXPECT_EQ("35.0000", Value(doc, s.c));
    EXPECT_EQ("70.0000", Value(doc, s.d));
}

TEST(RunModeEntry, FiguresChangeTheReportDataAndLabelsTheTemplate)
{
    MessageBoxRecorder recorder;
    CEntryDoc doc;
    SumSheet s(doc);
    doc.m_sheet.m_bDesignMode = FALSE;
    const int label = AddCell(doc.m_sheet, CELL_TEXT, "T", "Revenue");
    // The same text again is no change.
    ASSERT_TRUE(doc.StoreEnteredText(s.a, Value(doc, s.a).c_str()));
    EXPECT_FALSE(doc.IsDataModified());
    ASSERT_TRUE(doc.StoreEnteredText(s.a, "10"));
    EXPECT_TRUE(doc.IsDataModified());
    EXPECT_FALSE(doc.IsModified());
    doc.SetDataModified(FALSE);
    doc.NoteValueChanged(label);
    EXPECT_FALSE(doc.IsDataModified());
    EXPECT_TRUE(doc.IsModified());
    // In design mode every text belongs to the template.
    doc.SetModifiedFlag(FALSE);
    doc.m_sheet.m_bDesignMode = TRUE;
    doc.NoteValueChanged(s.a);
    EXPECT_FALSE(doc.IsDataModified());
    EXPECT_TRUE(doc.IsModified());
}

TEST(RunModeEntry, ClearingAFigureRecomputesTheFormulasThatUseIt)
{
    MessageBoxRecorder recorder;
    CEntryDoc doc;
    SumSheet s(doc);
    ASSERT_TRUE(doc.StoreEnteredText(s.a, ""));
    EXPECT_EQ("", Value(doc, s.a));
    // The total no longer stands for its operands.
    EXPECT_EQ("", Value(doc, s.c));
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(RunModeEntry, ACellNoFormulaUsesRecomputesNothing)
{
    MessageBoxRecorder recorder;
    CEntryDoc doc;
    SumSheet s(doc);
    const int lone = AddCell(doc.m_sheet, CELL_NUMERIC, "E1", "");
    doc.m_sheet.m_cells[s.c].m_strValue = "stale";
    ASSERT_TRUE(doc.StoreEnteredText(lone, "5"));
    EXPECT_EQ("5", Value(doc, lone));
    EXPECT_EQ("stale", Value(doc, s.c));
}

TEST(RunModeEntry, AnIndexOutsideTheSheetChangesNothing)
{
    CEntryDoc doc;
    SumSheet s(doc);
    EXPECT_FALSE(doc.StoreEnteredText(-1, "7"));
    EXPECT_FALSE(doc.StoreEnteredText(4, "7"));
    EXPECT_FALSE(doc.StoreLabelText(4, "7"));
    EXPECT_EQ("1", Value(doc, s.a));
    EXPECT_EQ("2", Value(doc, s.b));
}

TEST(RunModeEntry, AReportDateGoesIntoEveryNumericCell)
{
    CEntryDoc doc;
    CSheet& sheet = doc.m_sheet;
    const int date = AddCell(sheet, CELL_REPORTDATE, "D");
    const int n1 = AddCell(sheet, CELL_NUMERIC, "A1");
    const int n2 = AddCell(sheet, CELL_NUMERIC, "A2");
    // A longer text is cut to the 13 digits of a period code.
    ASSERT_TRUE(doc.StoreEnteredText(date, "2024010100000999"));
    EXPECT_STREQ("2024010100000", sheet.m_cells[date].m_szDateCode);
    EXPECT_STREQ("2024010100000", sheet.m_cells[n1].m_szPeriodCode);
    EXPECT_STREQ("2024010100000", sheet.m_cells[n2].m_szPeriodCode);
    EXPECT_EQ("", Value(doc, date));
}

TEST(RunModeEntry, OrganizationsClosedTheTypedCodeIsCarriedBounded)
{
    CEntryDoc doc;
    CSheet& sheet = doc.m_sheet;
    const int code = AddCell(sheet, CELL_ORGANCODE, "OC");
    const int name = AddCell(sheet, CELL_ORGAN, "ON", "Old name");
    const int n1 = AddCell(sheet, CELL_NUMERIC, "A1");
    ASSERT_TRUE(doc.StoreEnteredText(code, "ABCDEFGHIJK"));
    EXPECT_EQ("ABCDEFGH", Value(doc, code));
    EXPECT_STREQ("ABCDEFGH", sheet.m_cells[n1].m_szOrgCode);
    EXPECT_EQ("Old name", Value(doc, name));
}

TEST(RunModeEntry, AnOrganizationNameLooksUpItsCode)
{
    MessageBoxRecorder recorder;
    CFakeOrganRecordset organs;
    organs.m_rows = { { "C001", "North" }, { "C002", "O'Brien & Co" } };
    CEntryDoc doc;
    doc.m_pOrgans = &organs;
    CSheet& sheet = doc.m_sheet;
    const int code = AddCell(sheet, CELL_ORGANCODE, "OC", "C001");
    const int name = AddCell(sheet, CELL_ORGAN, "ON", "North");
    const int n1 = AddCell(sheet, CELL_NUMERIC, "A1");
    ASSERT_EQ(1, doc.FindOrganization(&sheet.m_cells[code]));
    ASSERT_TRUE(doc.StoreEnteredText(name, "O'Brien & Co"));
    EXPECT_EQ("C002", Value(doc, code));
    EXPECT_STREQ("C002", sheet.m_cells[n1].m_szOrgCode);
    // The name went into the filter as one quoted literal, and the filter
    // was put back for the other users of the recordset.
    ASSERT_GE(organs.m_queriedFilters.size(), 2u);
    EXPECT_EQ("FD_Name='O''Brien & Co'",
              organs.m_queriedFilters[organs.m_queriedFilters.size() - 2]);
    EXPECT_EQ("", organs.m_queriedFilters.back());
    EXPECT_EQ("", std::string((LPCSTR)organs.m_strFilter));
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(RunModeEntry, AnUnknownOrganizationChangesNoOtherCell)
{
    MessageBoxRecorder recorder;
    CFakeOrganRecordset organs;
    organs.m_rows = { { "C001", "North" } };
    CEntryDoc doc;
    doc.m_pOrgans = &organs;
    CSheet& sheet = doc.m_sheet;
    const int code = AddCell(sheet, CELL_ORGANCODE, "OC", "C001");
    const int name = AddCell(sheet, CELL_ORGAN, "ON", "North");
    const int n1 = AddCell(sheet, CELL_NUMERIC, "A1");
    CopyCode(sheet.m_cells[n1].m_szOrgCode, CELL_CODE_LEN, "C001");
    ASSERT_TRUE(doc.StoreEnteredText(code, "C999"));
    EXPECT_EQ("C999", Value(doc, code));
    EXPECT_EQ(0, doc.FindOrganization(&sheet.m_cells[code]));
    EXPECT_EQ("North", Value(doc, name));
    EXPECT_STREQ("C001", sheet.m_cells[n1].m_szOrgCode);
}

TEST(RunModeEntry, ADatabaseErrorIsReportedAndPropagatesNothing)
{
    MessageBoxRecorder recorder;
    CEntryDoc doc;
    CSheet& sheet = doc.m_sheet;
    const int name = AddCell(sheet, CELL_ORGAN, "ON", "North");
    const int n1 = AddCell(sheet, CELL_NUMERIC, "A1");
    struct CFailing : CFakeOrganRecordset
    {
        void Requery() override { throw new CDatabaseException; }
    } failing;
    failing.m_strFilter = "FD_Code='C001'";
    doc.m_pOrgans = &failing;
    CopyCode(sheet.m_cells[n1].m_szOrgCode, CELL_CODE_LEN, "C001");
    EXPECT_EQ(0, doc.FindOrganization(&sheet.m_cells[name]));
    EXPECT_EQ(1u, recorder.Messages().size());
    EXPECT_STREQ("C001", sheet.m_cells[n1].m_szOrgCode);
    // The recordset keeps the filter it had.
    EXPECT_EQ("FD_Code='C001'", std::string((LPCSTR)failing.m_strFilter));
}

TEST(DesignModeLabel, UndoRestoresTheOldLabel)
{
    CEntryDoc doc;
    CSheet& sheet = doc.m_sheet;
    const int label = AddCell(sheet, CELL_TEXT, "T", "Revenue");
    ASSERT_TRUE(doc.StoreLabelText(label, "Income"));
    EXPECT_EQ("Income", Value(doc, label));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(sheet.CanUndo());
    EXPECT_EQ(UNDO_CELLDEFINE, sheet.GetUndoAction()->m_nKind);
    ASSERT_NE(nullptr, sheet.Undo());
    EXPECT_EQ("Revenue", Value(doc, label));
    ASSERT_NE(nullptr, sheet.Redo());
    EXPECT_EQ("Income", Value(doc, label));
}

TEST(DesignModeLabel, AnUnchangedLabelRecordsNothing)
{
    CEntryDoc doc;
    CSheet& sheet = doc.m_sheet;
    const int label = AddCell(sheet, CELL_TEXT, "T", "Revenue");
    EXPECT_FALSE(doc.StoreLabelText(label, "Revenue"));
    EXPECT_FALSE(sheet.CanUndo());
    EXPECT_FALSE(doc.IsModified());
}
