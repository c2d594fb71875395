// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingCmdUI.h"
#include "tests/sheet/SheetTestGrid.h"
#include "tests/sheet/TemplateFileFixtures.h"
#include "tests/sheet/document/TestTallyformDoc.h"

#include "framework/windows/CmdUI.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/UndoAction.h"

namespace
{

void MakeDocGrid(CTallyformDoc& doc, int rows = 2, int cols = 3)
{
    sheettest::MakeGrid(doc.m_sheet, rows, cols);
    doc.SetModifiedFlag(FALSE);
}

} // namespace

// -------------------------------------------------------------- cell types

TEST(DocCellType, EmptySelectionChangesAndRecordsNothing)
{
    CTestTallyformDoc doc;
    MakeDocGrid(doc);
    doc.m_sheet.m_arrSel.RemoveAll();
    doc.SetCellType(CELL_NUMERIC);
    EXPECT_EQ(0, sheettest::CountUndo(doc.m_sheet));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(CELL_TEXT, doc.m_sheet.m_cells[0].m_nType);
}

TEST(DocCellType, FormulaReferencedCellAcceptsNumericRefusesText)
{
    MessageBoxRecorder recorder;
    CTestTallyformDoc doc;
    MakeDocGrid(doc);
    CSheet& sheet = doc.m_sheet;
    sheet.m_cells[1].SetType(CELL_NUMERIC);
    sheet.m_cells[1].m_nFormulaRefs = 1;
    sheettest::Select(sheet, { "A1", "B1" });
    // Counted in calculate formulas is fine for numeric; the undone change
    // leaves a redo tail that a refusal must keep.
    doc.SetCellType(CELL_NUMERIC);
    EXPECT_EQ(0u, recorder.Messages().size());
    EXPECT_EQ(CELL_NUMERIC, sheet.m_cells[0].m_nType);
    sheet.Undo();
    ASSERT_TRUE(sheet.CanRedo());
    sheettest::SheetSnap before = sheettest::Snapshot(sheet);

    doc.SetModifiedFlag(FALSE);
    doc.SetCellType(CELL_TEXT);
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ("Cell is refer to formula,cannot change it's type.", recorder.LastText());
    sheettest::ExpectSameSheet(before, sheettest::Snapshot(sheet));
    EXPECT_TRUE(sheet.CanRedo());
    EXPECT_FALSE(doc.IsModified());

    // A balance-referenced cell refuses numeric but accepts calculate.
    sheet.m_cells[1].m_nFormulaRefs = 0;
    sheet.m_cells[1].m_nBalanceRefs = 2;
    recorder.Clear();
    doc.SetCellType(CELL_NUMERIC);
    EXPECT_EQ(1u, recorder.Messages().size());
    doc.SetCellType(CELL_FORMULA);
    EXPECT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ(CELL_FORMULA, sheet.m_cells[1].m_nType);
}

TEST(DocCellType, AFormulaGivenUpFreesItsOperandsAndUndoTiesThemAgain)
{
    MessageBoxRecorder recorder;
    CTestTallyformDoc doc;
    MakeDocGrid(doc);
    CSheet& sheet = doc.m_sheet;
    sheet.m_cells[0].SetType(CELL_NUMERIC);
    sheet.m_cells[1].SetType(CELL_NUMERIC);
    CCell& formula = sheet.m_cells[2];
    formula.SetType(CELL_FORMULA);
    formula.m_strFormula = sheet.m_cells[0].m_strName + "+" + sheet.m_cells[1].m_strName;
    AdjustFormulaRefCounts(sheet, 2, TRUE);
    ASSERT_EQ(1, sheet.m_cells[0].m_nFormulaRefs);

    sheettest::Select(sheet, { (LPCSTR)sheet.m_cells[2].m_strName });
    doc.SetCellType(CELL_TEXT);
    EXPECT_EQ(CELL_TEXT, formula.m_nType);
    EXPECT_TRUE(formula.m_strFormula.IsEmpty());
    EXPECT_EQ(0, sheet.m_cells[0].m_nFormulaRefs);
    EXPECT_EQ(0, sheet.m_cells[1].m_nFormulaRefs);
    // The freed operands take another type without a refusal.
    sheettest::Select(sheet, { (LPCSTR)sheet.m_cells[0].m_strName });
    doc.SetCellType(CELL_TEXT);
    EXPECT_EQ(0u, recorder.Messages().size());
    EXPECT_EQ(CELL_TEXT, sheet.m_cells[0].m_nType);

    sheet.Undo();
    sheet.Undo();
    EXPECT_EQ(CELL_FORMULA, sheet.m_cells[2].m_nType);
    EXPECT_FALSE(sheet.m_cells[2].m_strFormula.IsEmpty());
    EXPECT_EQ(1, sheet.m_cells[0].m_nFormulaRefs);
    EXPECT_EQ(1, sheet.m_cells[1].m_nFormulaRefs);
}

TEST(DocCellType, NewTypeStartsWithItsOwnContentAndUndoRestores)
{
    CTestTallyformDoc doc;
    MakeDocGrid(doc);
    CSheet& sheet = doc.m_sheet;
    CCell& cell = sheet.m_cells[0];
    cell.SetType(CELL_NUMERIC);
    CopyCode(cell.m_szRowItemCode, CELL_CODE_LEN, "R1");
    sheettest::Select(sheet, { "A1" });
    doc.SetCellType(CELL_PICTURE);
    EXPECT_EQ(CELL_PICTURE, cell.m_nType);
    // The codes' bytes are not read as picture blocks.
    EXPECT_EQ(nullptr, cell.m_hDibInfo);
    EXPECT_EQ(nullptr, cell.m_hDibBits);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(1, sheettest::CountUndo(sheet));
    sheet.Undo();
    EXPECT_EQ(CELL_NUMERIC, sheet.m_cells[0].m_nType);
    EXPECT_STREQ("R1", sheet.m_cells[0].m_szRowItemCode);
    sheet.Redo();
    EXPECT_EQ(CELL_PICTURE, sheet.m_cells[0].m_nType);
}

TEST(DocCellType, CheckMarkOnlyWhenEverySelectedCellHasTheType)
{
    CTestTallyformDoc doc;
    MakeDocGrid(doc);
    CSheet& sheet = doc.m_sheet;
    CRecordingCmdUI ui;
    sheet.m_arrSel.RemoveAll();
    doc.UpdateCellTypeUI(&ui, CELL_TEXT);
    EXPECT_EQ(0, ui.m_nEnabled);
    EXPECT_EQ(0, ui.m_nCheck);

    sheet.m_cells[1].SetType(CELL_NUMERIC);
    sheettest::Select(sheet, { "A1", "B1" });
    doc.UpdateCellTypeUI(&ui, CELL_TEXT);
    EXPECT_EQ(1, ui.m_nEnabled);
    EXPECT_EQ(0, ui.m_nCheck);
    doc.UpdateCellTypeUI(&ui, CELL_NUMERIC);
    EXPECT_EQ(1, ui.m_nEnabled);
    EXPECT_EQ(0, ui.m_nCheck);
    sheettest::Select(sheet, { "A1", "C1" });
    doc.UpdateCellTypeUI(&ui, CELL_TEXT);
    EXPECT_EQ(1, ui.m_nCheck);
}

TEST(DocCellType, CommandsReachTheHandlers)
{
    CTestTallyformDoc doc;
    MakeDocGrid(doc);
    sheettest::Select(doc.m_sheet, { "A1" });
    const UINT anIds[7] = { 32848, 32849, 32850, 32851, 32852, 32853, 33033 };
    const int anTypes[7] = { 1, 3, 4, 5, 2, 6, 7 };
    for (int i = 0; i < 7; ++i)
    {
        EXPECT_TRUE(doc.OnCmdMsg(anIds[i], CN_COMMAND, NULL, NULL)) << anIds[i];
        EXPECT_EQ(anTypes[i], doc.m_sheet.m_cells[0].m_nType) << anIds[i];
    }
}

// ---------------------------------------------------------------- key cells

TEST(DocKeyCells, FirstFailingRuleIsShownAnalysisSheetsPass)
{
    MessageBoxRecorder recorder;
    CTestTallyformDoc doc;
    MakeDocGrid(doc, 2, 4);
    CSheet& sheet = doc.m_sheet;
    sheet.m_cells[0].SetType(CELL_ORGANCODE);
    sheet.m_cells[1].SetType(CELL_ORGANCODE);
    sheet.m_cells[2].SetType(CELL_REPORTDATE);
    sheet.m_cells[3].SetType(CELL_REPORTDATE);
    EXPECT_EQ(0, doc.CheckKeyCells());
    EXPECT_EQ("More than one Organ Code cells found.", recorder.LastText());
    sheet.m_cells[4].SetType(CELL_ORGAN);
    sheet.m_cells[5].SetType(CELL_ORGAN);
    EXPECT_EQ(0, doc.CheckKeyCells());
    EXPECT_EQ("More than one Organ Name cells found.", recorder.LastText());
    sheet.m_cells[0].SetType(CELL_TEXT);
    sheet.m_cells[5].SetType(CELL_TEXT);
    EXPECT_EQ(0, doc.CheckKeyCells());
    EXPECT_EQ("More than one Report Date cells found.", recorder.LastText());

    sheet.m_nKind = 2;
    recorder.Clear();
    EXPECT_EQ(1, doc.CheckKeyCells());
    doc.OnTableVerify();
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ("The template is valid!", recorder.LastText());
}

// ------------------------------------------------------- report information

TEST(DocReportInfo, PrefilledFromFirstKeyCellsAndAppliedOnlyWhenChosen)
{
    CTestTallyformDoc doc;
    MakeDocGrid(doc, 2, 3);
    CSheet& sheet = doc.m_sheet;
    sheet.m_nReportType = 2;
    sheet.m_cells[0].SetType(CELL_ORGANCODE);
    sheet.m_cells[0].m_strValue = "OC1";
    sheet.m_cells[1].SetType(CELL_ORGAN);
    sheet.m_cells[1].m_strValue = "Org";
    sheet.m_cells[2].SetType(CELL_REPORTDATE);
    CopyCode(sheet.m_cells[2].m_szDateCode, CELL_PERIOD_LEN, "2026030000000");
    sheet.m_cells[3].SetType(CELL_NUMERIC);

    doc.m_reportAnswer.strOrgCode = "NEWCODE99";            // too long for the field
    doc.m_reportAnswer.strOrgName = "New org";
    doc.m_reportAnswer.strPeriod = "2026040000000";
    doc.m_reportAnswer.bApply = FALSE;
    EXPECT_EQ(1, doc.AskReportInformation());
    ASSERT_EQ(1u, doc.m_reportShown.size());
    const CReportInfo& shown = doc.m_reportShown[0];
    EXPECT_EQ(2, shown.nReportType);
    EXPECT_STREQ("OC1", shown.strOrgCode);
    EXPECT_STREQ("Org", shown.strOrgName);
    EXPECT_STREQ("2026030000000", shown.strPeriod);
    EXPECT_EQ(1, shown.nPeriodStyle);
    EXPECT_STREQ("OC1", sheet.m_cells[0].m_strValue);

    doc.m_reportAnswer.bApply = TRUE;
    EXPECT_EQ(1, doc.AskReportInformation());
    EXPECT_STREQ("NEWCODE99", sheet.m_cells[0].m_strValue);
    EXPECT_STREQ("New org", sheet.m_cells[1].m_strValue);
    EXPECT_STREQ("2026040000000", sheet.m_cells[2].m_szDateCode);
    EXPECT_STREQ("NEWCODE9", sheet.m_cells[3].m_szOrgCode);
    EXPECT_STREQ("2026040000000", sheet.m_cells[3].m_szPeriodCode);

    doc.m_bReportOk = FALSE;
    EXPECT_EQ(0, doc.AskReportInformation());
}

// ---------------------------------------------------------- formula texts

TEST(DocFormulaText, ReplacesWholeNamesOnly)
{
    CTestTallyformDoc doc;
    MakeDocGrid(doc, 2, 3);
    CString formula = "A1+A11*(A1-BA1)/A1";
    doc.ReplaceCellNameInFormula(0, "12.5", formula);
    EXPECT_STREQ("12.5+A11*(12.5-BA1)/12.5", formula);
    // A replacement holding the name further in is not applied.
    formula = "A1+B1";
    doc.ReplaceCellNameInFormula(0, "(2*A1)", formula);
    EXPECT_STREQ("A1+B1", formula);
    // At its start it is, without looping.
    doc.ReplaceCellNameInFormula(0, "A1*2", formula);
    EXPECT_STREQ("A1*2+B1", formula);
    // Names are found in any letter case; other names stay as typed.
    formula = "a1+b1*(A1-a11)";
    doc.ReplaceCellNameInFormula(0, "Wages", formula);
    EXPECT_STREQ("Wages+b1*(Wages-a11)", formula);
}

TEST(DocFormulaText, ListsNamedOperandsOnce)
{
    CTestTallyformDoc doc;
    MakeDocGrid(doc, 2, 3);
    doc.m_sheet.m_cells[0].m_strFormula = "B1+C1*2-(B1/3.5)";
    CString out;
    EXPECT_EQ(2, doc.ListFormulaOperands(out, 0, FALSE, NULL));
    EXPECT_STREQ("B1#C1#", out);
    EXPECT_EQ(1, doc.ListFormulaOperands(out, 0, TRUE, "C1=A2+B1"));
    EXPECT_STREQ("B1#C1#A2#", out);
}

TEST(DocFormulaText, ParseNumberText)
{
    double d = 0;
    EXPECT_EQ(1, ParseNumberText("12.5", d));
    EXPECT_DOUBLE_EQ(12.5, d);
    d = 7;
    EXPECT_EQ(-1, ParseNumberText("-3", d));
    EXPECT_EQ(-1, ParseNumberText("1e3", d));
    EXPECT_EQ(-1, ParseNumberText("", d));
    EXPECT_EQ(-1, ParseNumberText(".5", d));
    EXPECT_DOUBLE_EQ(7, d);
}

// -------------------------------------------------------- automation methods

TEST(DocAutomation, SuccessMarksModifiedAndRefusalChangesNothing)
{
    CTestTallyformDoc doc;
    MakeDocGrid(doc, 2, 3);
    CSheet& sheet = doc.m_sheet;
    sheettest::Select(sheet, { "B2" });
    EXPECT_TRUE(doc.AddRow());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(0, sheet.m_arrSel.GetSize());
    EXPECT_EQ(9, sheet.m_cells.GetSize());
    EXPECT_EQ(90, sheet.m_rcBounds.bottom);

    sheettest::Select(sheet, { "B2" });
    EXPECT_TRUE(doc.DeleteRow());
    ASSERT_EQ(1, sheet.m_arrSel.GetSize());
    EXPECT_EQ(0u, sheet.m_arrSel[0]);
    EXPECT_EQ(0, sheet.m_nCurCell);

    // Split with nothing selected refuses.
    sheet.m_arrSel.RemoveAll();
    doc.SetModifiedFlag(FALSE);
    MessageBoxRecorder recorder;
    sheettest::SheetSnap before = sheettest::Snapshot(sheet);
    int nUndo = sheettest::CountUndo(sheet);
    EXPECT_FALSE(doc.SplitUnit());
    sheettest::ExpectSameSheet(before, sheettest::Snapshot(sheet));
    EXPECT_EQ(nUndo, sheettest::CountUndo(sheet));
    EXPECT_FALSE(doc.IsModified());
}

// --------------------------------------------------------- new templates

TEST(DocNewTemplate, WizardFieldsGiveAGridOrAnItemTemplate)
{
    CTestTallyformDoc doc;
    CNewTemplateFields fields;
    fields.nReportType = 3;
    fields.strName = "Quarterly";
    fields.strCode = "Q00000001X";                         // cut to 8 characters
    fields.strDesigner = "Designer";
    fields.nRows = 2;
    fields.nCols = 30;
    doc.m_sheet.m_nHeaderWord1 = 9;
    doc.CreateTemplateFromWizard(fields);
    const CSheet& sheet = doc.m_sheet;
    EXPECT_EQ(60, sheet.m_cells.GetSize());
    EXPECT_EQ(SHEET_MAGIC, sheet.m_wMagic);
    EXPECT_EQ(0, sheet.m_nKind);
    EXPECT_EQ(3, sheet.m_nReportType);
    EXPECT_EQ(0, sheet.m_nHeaderWord1);
    EXPECT_STREQ("Quarterly", sheet.m_szTitle);
    EXPECT_STREQ("Q0000000", sheet.m_szCode);
    EXPECT_STREQ("Designer", sheet.m_szDesigner);
    EXPECT_EQ(2400, sheet.m_rcBounds.right);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_STREQ("Quarterly", doc.GetTitle());

    CTestTallyformDoc items;
    items.m_sheet.m_lstWizRowItems.AddTail(CString("R1 Cash"));
    items.m_sheet.m_lstWizColItems.AddTail(CString("C1 Opening balance"));
    fields.bByItems = TRUE;
    fields.nGroups = 1;
    items.CreateTemplateFromWizard(fields);
    ASSERT_EQ((1 + 1) * (1 + 2) + 13, items.m_sheet.m_cells.GetSize());
    // The measured width of "Opening balance" (10 per character) and 8 on
    // each side size the data column.
    const CCell& data = sheettest::Cell(items.m_sheet, "C4");
    EXPECT_EQ(166, data.m_rect.right - data.m_rect.left);
    EXPECT_STREQ("Quarterly", items.m_sheet.m_cells[0].m_strValue);
}
