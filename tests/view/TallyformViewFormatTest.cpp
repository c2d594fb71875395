// The sheet view's format commands: font styles, alignment, colours, the
// font and colour dialogs, and the Format bar's apply and query records,
// each undone exactly.
#include <string.h>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/view/SheetViewHarness.h"

#include "framework/docview/WinApp.h"
#include "sheet/UndoAction.h"
#include "shell/CellFormatBar.h"
#include "FormatBarIds.h"
#include "SheetViewIds.h"

namespace {

class FormatTest : public viewtest::SheetViewTest
{
protected:
    // A 2 x 2 grid with the recording frame as the main frame and cells
    // 0 and 1 selected.
    void SetUp() override
    {
        Open(2, 2);
        m_app.m_pMainWnd = m_pFrame;
        Sheet().m_arrSel.Add(0);
        Sheet().m_arrSel.Add(1);
        m_dpi = ::GetDeviceCaps(m_screen, LOGPIXELSY);
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = NULL;
        ::ReleaseDC(NULL, m_screen);
        SheetViewTest::TearDown();
    }
    void Command(UINT nID) { m_pView->SendMessage(WM_COMMAND, nID); }
    int Check(UINT nID) { return CRecordingCmdUI::Update(m_pView, nID).m_nCheck; }
    LRESULT Notify(NMFORMATBAR& record, UINT nCode)
    {
        record.hdr.hwndFrom = NULL;
        record.hdr.idFrom = IDC_FORMAT_BAR;
        record.hdr.code = nCode;
        return m_pView->SendMessage(WM_NOTIFY, IDC_FORMAT_BAR, (LPARAM)&record);
    }
    LRESULT Apply(UINT nChangedID, int nType = 0, LONG yHeight = 0, LPCSTR pszFace = "")
    {
        NMFORMATBAR record = {};
        record.cf.yHeight = yHeight;
        lstrcpynA(record.cf.szFaceName, pszFace, LF_FACESIZE);
        record.cf.bCharSet = SYMBOL_CHARSET;
        record.nCellType = nType;
        record.nChangedID = nChangedID;
        return Notify(record, FBN_APPLYFORMAT);
    }
    int UndoCount() { return (int)Sheet().m_lstUndo.GetCount(); }
    CCell& Cell(int n) { return Sheet().m_cells[n]; }

    CWinApp m_app{ "FormatTestApp" };
    HDC m_screen = ::GetDC(NULL);
    int m_dpi = 96;
};

} // namespace

TEST_F(FormatTest, FontStylesFollowTheSelectionAndMixedMeansUnchecked)
{
    Cell(0).m_logFont.lfWeight = FW_BOLD;
    EXPECT_EQ(0, Check(ID_FORMAT_BOLD));
    Command(ID_FORMAT_BOLD);
    EXPECT_EQ(FW_BOLD, Cell(0).m_logFont.lfWeight);
    EXPECT_EQ(FW_BOLD, Cell(1).m_logFont.lfWeight);
    EXPECT_NE(FW_BOLD, Cell(2).m_logFont.lfWeight);
    EXPECT_EQ(1, Check(ID_FORMAT_BOLD));
    Command(ID_FORMAT_BOLD);
    EXPECT_EQ(FW_NORMAL, Cell(1).m_logFont.lfWeight);

    Command(ID_FORMAT_ITALIC);
    Command(ID_FORMAT_UNDERLINE);
    EXPECT_EQ(1, Cell(1).m_logFont.lfItalic);
    EXPECT_EQ(1, Cell(0).m_logFont.lfUnderline);
    EXPECT_EQ(1, Check(ID_FORMAT_ITALIC));
    EXPECT_EQ(1, Check(ID_FORMAT_UNDERLINE));
    EXPECT_EQ(4, UndoCount());
    EXPECT_TRUE(m_doc.IsModified());

    // Nothing selected: nothing checked, nothing changed or recorded.
    Sheet().m_arrSel.RemoveAll();
    EXPECT_EQ(0, Check(ID_FORMAT_ITALIC));
    Command(ID_FORMAT_ITALIC);
    EXPECT_EQ(1, Cell(1).m_logFont.lfItalic);
    EXPECT_EQ(4, UndoCount());
}

TEST_F(FormatTest, AlignmentSetsTheCodesAndChecksTheCommonValue)
{
    Command(ID_ALIGN_MIDDLE);
    Command(ID_ALIGN_BOTTOM);
    EXPECT_EQ(CELL_ALIGN_MIDDLE, Cell(1).m_nHAlign);
    EXPECT_EQ(CELL_ALIGN_BOTTOM, Cell(0).m_nVAlign);
    for (UINT nID = ID_ALIGN_LEFT; nID <= ID_ALIGN_CENTER; ++nID)
        EXPECT_EQ(nID == ID_ALIGN_MIDDLE || nID == ID_ALIGN_BOTTOM ? 1 : 0, Check(nID)) << nID;
    Cell(1).m_nHAlign = CELL_ALIGN_RIGHT;
    EXPECT_EQ(0, Check(ID_ALIGN_MIDDLE));
    EXPECT_EQ(0, Check(ID_ALIGN_RIGHT));
    EXPECT_EQ(1, Check(ID_ALIGN_BOTTOM));
    Sheet().m_arrSel.RemoveAll();
    EXPECT_EQ(0, Check(ID_ALIGN_BOTTOM));
}

TEST_F(FormatTest, ColourButtonsAndDialogsColourOnlyTheSelection)
{
    m_pFrame->m_crFont = RGB(10, 20, 30);
    m_pFrame->m_crFill = RGB(200, 100, 50);
    Command(ID_FORMAT_TEXT_COLOR);
    Command(ID_FORMAT_BACK_COLOR);
    EXPECT_EQ(RGB(10, 20, 30), Cell(1).m_crText);
    EXPECT_EQ(RGB(200, 100, 50), Cell(0).m_crBack);
    EXPECT_EQ(RGB(255, 255, 255), Cell(2).m_crBack);

    // Cell > Background Color starts from the first cell's and applies on OK.
    m_pView->m_bColorDialogOk = TRUE;
    m_pView->m_crColorChosen = RGB(1, 2, 3);
    Command(ID_CELL_BACKGROUND_COLOR);
    EXPECT_EQ(RGB(200, 100, 50), m_pView->m_crColorDialogIn);
    EXPECT_EQ(RGB(1, 2, 3), Cell(1).m_crBack);
    EXPECT_EQ(3, UndoCount());
    Sheet().m_arrSel.RemoveAll();
    Command(ID_CELL_BACKGROUND_COLOR);
    EXPECT_EQ(1, m_pView->m_nColorDialogs);
}

TEST_F(FormatTest, FontDialogStartsFromTheFirstCellAndGivesTheWholeFont)
{
    strcpy(Cell(0).m_logFont.lfFaceName, "Courier New");
    Cell(0).m_crText = RGB(9, 9, 9);
    Command(ID_CELL_FONT);
    EXPECT_STREQ("Courier New", m_pView->m_lfFontDialogIn.lfFaceName);
    EXPECT_EQ(RGB(9, 9, 9), m_pView->m_crFontDialogIn);
    EXPECT_EQ(0, UndoCount());                          // cancelled

    m_pView->m_bFontDialogOk = TRUE;
    m_pView->m_lfFontChosen = Cell(3).m_logFont;
    m_pView->m_lfFontChosen.lfHeight = -31;
    m_pView->m_lfFontChosen.lfStrikeOut = 1;
    m_pView->m_crFontChosen = RGB(0, 128, 0);
    Command(ID_CELL_FONT);
    EXPECT_TRUE(IsSameFont(m_pView->m_lfFontChosen, Cell(0).m_logFont));
    EXPECT_TRUE(IsSameFont(m_pView->m_lfFontChosen, Cell(1).m_logFont));
    EXPECT_EQ(RGB(0, 128, 0), Cell(1).m_crText);
    EXPECT_FALSE(IsSameFont(m_pView->m_lfFontChosen, Cell(2).m_logFont));

    // Without a selection the dialog shows the GUI font in black.
    Sheet().m_arrSel.RemoveAll();
    Command(ID_CELL_FONT);
    EXPECT_TRUE(IsSameFont(CCell::DefaultFont(), m_pView->m_lfFontDialogIn));
    EXPECT_EQ(RGB(0, 0, 0), m_pView->m_crFontDialogIn);
    EXPECT_EQ(1, UndoCount());
}

TEST_F(FormatTest, UndoRestoresExactlyWhatWasThere)
{
    Cell(1).m_logFont.lfItalic = 1;
    Cell(1).m_nHAlign = CELL_ALIGN_RIGHT;
    Cell(0).m_crText = RGB(5, 6, 7);
    const CCell before0(Cell(0)), before1(Cell(1));
    m_pFrame->m_crFont = RGB(250, 0, 0);
    Command(ID_FORMAT_BOLD);
    Command(ID_ALIGN_LEFT);
    Command(ID_FORMAT_TEXT_COLOR);
    EXPECT_EQ(1, Apply(IDC_FORMATBAR_SIZE, 0, 400));
    EXPECT_EQ(1, Apply(IDC_FORMATBAR_FACE, 0, 0, "Symbol"));
    const CCell after1(Cell(1));
    for (int i = 0; i < 5; ++i)
        ASSERT_NE(nullptr, Sheet().Undo());
    for (const CCell* p : { &before0, &before1 })
    {
        const CCell& now = Cell(p == &before0 ? 0 : 1);
        EXPECT_TRUE(IsSameFont(p->m_logFont, now.m_logFont));
        EXPECT_EQ(p->m_nHAlign, now.m_nHAlign);
        EXPECT_EQ(p->m_crText, now.m_crText);
    }
    for (int i = 0; i < 5; ++i)
        ASSERT_NE(nullptr, Sheet().Redo());
    EXPECT_TRUE(IsSameFont(after1.m_logFont, Cell(1).m_logFont));
    EXPECT_EQ(RGB(250, 0, 0), Cell(1).m_crText);
}

TEST_F(FormatTest, FormatBarSizeAndFaceGoIntoTheSelectedCells)
{
    EXPECT_EQ(1, Apply(IDC_FORMATBAR_SIZE, 0, 180));
    EXPECT_EQ(-(180 * m_dpi) / 1440, Cell(1).m_logFont.lfHeight);
    if (m_dpi == 96)
    {
        EXPECT_EQ(-12, Cell(0).m_logFont.lfHeight);
    }
    EXPECT_EQ(1, Apply(IDC_FORMATBAR_FACE, 0, 0, "Symbol"));
    EXPECT_STREQ("Symbol", Cell(0).m_logFont.lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, Cell(1).m_logFont.lfCharSet);
    EXPECT_STRNE("Symbol", Cell(2).m_logFont.lfFaceName);
    Sheet().m_arrSel.RemoveAll();
    EXPECT_EQ(0, Apply(IDC_FORMATBAR_SIZE, 0, 360));
    EXPECT_EQ(2, UndoCount());
}

TEST_F(FormatTest, QueryReportsWhatTheSelectionShares)
{
    NMFORMATBAR record = {};
    strcpy(Cell(1).m_logFont.lfFaceName, "Symbol");
    Cell(0).m_logFont.lfHeight = Cell(1).m_logFont.lfHeight = -16;
    Cell(1).SetType(CELL_NUMERIC);
    EXPECT_EQ(1, Notify(record, FBN_QUERYFORMAT));
    EXPECT_EQ(0u, record.cf.dwMask & (CFM_FACE | CFM_CHARSET));
    EXPECT_NE(0u, record.cf.dwMask & CFM_SIZE);
    EXPECT_EQ(16 * 1440 / m_dpi, record.cf.yHeight);
    EXPECT_EQ(-1, record.nCellType);

    Sheet().m_arrSel.SetSize(1);
    Cell(0).m_logFont.lfHeight = -20;
    EXPECT_EQ(1, Notify(record, FBN_QUERYFORMAT));
    EXPECT_EQ(CFM_FACE | CFM_CHARSET | CFM_SIZE,
              record.cf.dwMask & (CFM_FACE | CFM_CHARSET | CFM_SIZE));
    EXPECT_STREQ(Cell(0).m_logFont.lfFaceName, record.cf.szFaceName);
    EXPECT_EQ(CELL_TEXT, record.nCellType);

    Sheet().m_arrSel.RemoveAll();
    EXPECT_EQ(1, Notify(record, FBN_QUERYFORMAT));
    EXPECT_EQ(0u, record.cf.dwMask);
    EXPECT_EQ(-1, record.nCellType);
}

TEST_F(FormatTest, CellTypeChangeResetsOnlyChangedCellsAndRefusesBeforeRecording)
{
    Cell(1).SetType(CELL_NUMERIC);
    strcpy(Cell(1).m_szRowItemCode, "R01");
    Cell(0).m_strValue = "label";
    EXPECT_EQ(1, Apply(IDC_FORMATBAR_CELLTYPE, CELL_NUMERIC));
    EXPECT_EQ(CELL_NUMERIC, Cell(0).m_nType);
    EXPECT_STREQ("========", Cell(0).m_szOrgCode);
    EXPECT_TRUE(Cell(0).m_strValue.IsEmpty());
    EXPECT_STREQ("R01", Cell(1).m_szRowItemCode);       // already numeric

    // A refusal keeps the cells, the undo list and its redo tail.
    ASSERT_NE(nullptr, Sheet().Undo());
    MessageBoxRecorder recorder;
    const struct { int nType; LONG nRefs; const char* pszText; } refusals[] = {
        { 8, 0, "Cell type error" },
        { -1, 0, "Cell type error" },
        { CELL_TEXT, 1, "This cell is used by other Formula Cells,cannot change type!" },
    };
    for (const auto& r : refusals)
    {
        Cell(1).m_nBalanceRefs = r.nRefs;
        EXPECT_EQ(0, Apply(IDC_FORMATBAR_CELLTYPE, r.nType));
        EXPECT_EQ(r.pszText, recorder.LastText());
        EXPECT_EQ(CELL_TEXT, Cell(0).m_nType);
        EXPECT_TRUE(Sheet().CanRedo());
    }
}

TEST_F(FormatTest, FormulaCellGivenAnotherTypeReleasesItsOperandsUntilUndone)
{
    Cell(3).SetType(CELL_FORMULA);
    Cell(3).m_strFormula = "A1+B1";
    m_doc.AdjustFormulaRefCounts(3, TRUE);
    ASSERT_EQ(1, Cell(0).m_nFormulaRefs);
    Sheet().m_arrSel.RemoveAll();
    Sheet().m_arrSel.Add(3);
    EXPECT_EQ(1, Apply(IDC_FORMATBAR_CELLTYPE, CELL_NUMERIC));
    EXPECT_EQ(CELL_NUMERIC, Cell(3).m_nType);
    EXPECT_TRUE(Cell(3).m_strFormula.IsEmpty());
    EXPECT_EQ(0, Cell(0).m_nFormulaRefs);
    EXPECT_EQ(0, Cell(1).m_nFormulaRefs);

    ASSERT_NE(nullptr, Sheet().Undo());
    EXPECT_EQ(CELL_FORMULA, Cell(3).m_nType);
    EXPECT_STREQ("A1+B1", Cell(3).m_strFormula);
    EXPECT_EQ(1, Cell(0).m_nFormulaRefs);
    EXPECT_EQ(1, Cell(1).m_nFormulaRefs);
    ASSERT_NE(nullptr, Sheet().Redo());
    EXPECT_EQ(0, Cell(1).m_nFormulaRefs);
}
