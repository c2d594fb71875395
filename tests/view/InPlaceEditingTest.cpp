// In-place editing in a real sheet view: the switch to run mode, the
// editor that opens on a click or Tab, what its notices do to the cells
// (stored values, dependent formulas, key-cell reload) and where Tab,
// Enter and the arrows take it.
#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingCmdUI.h"
#include "tests/support/Screenshot.h"
#include "tests/sheet/document/FakeOrganRecordset.h"
#include "tests/view/EditorTestParent.h"

#include <string>

#include "framework/docview/FrameWnd.h"
#include "framework/docview/WinApp.h"
#include "sheet/UndoAction.h"
#include "sheet/document/TallyformDoc.h"
#include "view/CellChoiceList.h"
#include "view/CellEditBox.h"
#include "view/CellEditNotify.h"
#include "view/CellPeriodField.h"
#include "view/TallyformView.h"
#include "SheetViewTestFrame.h"
#include "SheetViewIds.h"

namespace
{

class CEditingDoc : public CTallyformDoc
{
public:
    CEditingDoc() { m_bAutoDelete = FALSE; }
    int m_nSaves = 0;
    CFakeOrganRecordset* m_pOrgans = NULL;
    CKemRecordset* GetOrganRecordset() const override { return m_pOrgans; }

protected:
    // File > Save as the view sends it.
    void OnFileSave()
    {
        ++m_nSaves;
        SetModifiedFlag(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditingDoc, CTallyformDoc)
    ON_COMMAND(57603, OnFileSave)
END_MESSAGE_MAP()

// One row of cells, 100 x 30 units each, left to right:
// "Item" label | A1 (tab 3) | B1 (tab 10) | C1 = A1+B1 | report date (tab 20)
// | E1 (no tab index) | G1 (tab 15, value type 2: no entry)
enum { LABEL, A1, B1, C1, RDATE, E1, G1, CELLS };

class InPlaceEditingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CSheet& sheet = m_doc.m_sheet;
        const int types[CELLS] = { CELL_TEXT, CELL_NUMERIC, CELL_NUMERIC, CELL_FORMULA,
                                   CELL_REPORTDATE, CELL_NUMERIC, CELL_NUMERIC };
        const char* names[CELLS] = { "L1", "A1", "B1", "C1", "D1", "E1", "G1" };
        const char* values[CELLS] = { "Item", "1", "2", "", "", "", "" };
        const int tabs[CELLS] = { 0, 3, 10, 0, 20, 0, 15 };
        for (int i = 0; i < CELLS; ++i)
        {
            CCell cell;
            cell.SetType(types[i]);
            cell.m_pSheet = &sheet;
            cell.m_strName = names[i];
            cell.m_strValue = values[i];
            cell.m_nTabIndex = tabs[i];
            SetRect(&cell.m_rect, i * 100, 0, i * 100 + 100, 30);
            sheet.m_cells.Add(cell);
        }
        sheet.m_cells[G1].m_nValueType = 2;
        sheet.m_cells[C1].m_strFormula = "A1+B1";
        m_doc.AdjustFormulaRefCounts(C1, TRUE);
        strcpy(sheet.m_cells[RDATE].m_szDateCode, "2024010000000");
        sheet.m_nReportType = 2;
        sheet.UpdateBoundingRect();
        sheet.m_nCurCell = -1;
        m_doc.SetTitle("Sales");
        m_doc.SetModifiedFlag(FALSE);

        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTallyformView);
        context.m_pCurrentDoc = &m_doc;
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_SHEETVIEW_TEST_FRAME, WS_OVERLAPPEDWINDOW, NULL, &context));
        m_app.m_pMainWnd = m_pFrame;
        m_pView = static_cast<CTallyformView*>(m_pFrame->GetActiveView());
        ASSERT_NE(nullptr, m_pView);
        m_pFrame->SetWindowPos(NULL, 0, 0, 760, 200, SWP_NOZORDER);
        m_pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pView->OnInitialUpdate();
        m_pFrame->UpdateWindow();
        m_pView->SetFocus();
    }

    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = NULL;
        PumpEditorMessages();
    }

    CSheet& Sheet() { return m_doc.m_sheet; }
    std::string Value(int n) { return (LPCSTR)Sheet().m_cells[n].m_strValue; }

    void Command(UINT nID) { m_pView->SendMessage(WM_COMMAND, nID); PumpEditorMessages(); }
    void RunMode() { Command(ID_VIEW_RUN_MODE); }

    void ClickCell(int n)
    {
        const RECT& rc = Sheet().m_cells[n].m_rect;
        const CPoint pt = m_pView->SheetToClient(CPoint((rc.left + rc.right) / 2,
                                                        (rc.top + rc.bottom) / 2));
        m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpEditorMessages();
    }

    HWND Editor() { return FindEditor(*m_pView, IDC_CELL_EDITOR); }

    // The cell the open editor stands on, or -1.
    int EditorCell()
    {
        CWnd* pWnd = m_pView->GetCellEditor();
        if (pWnd == NULL)
            return -1;
        if (CCellEditBox* pBox = dynamic_cast<CCellEditBox*>(pWnd))
            return pBox->GetCellIndex();
        if (CCellPeriodField* pField = dynamic_cast<CCellPeriodField*>(pWnd))
            return pField->GetCellIndex();
        if (CCellChoiceList* pList = dynamic_cast<CCellChoiceList*>(pWnd))
            return pList->GetCellIndex();
        return -2;
    }

    void Type(const char* psz)
    {
        for (; *psz != '\0'; ++psz)
            ::SendMessageA(::GetFocus(), WM_CHAR, (WPARAM)(unsigned char)*psz, 1);
        PumpEditorMessages();
    }

    int Check(UINT nID) { return CRecordingCmdUI::Update(m_pView, nID).m_nCheck; }

    CWinApp m_app;
    CEditingDoc m_doc;
    CFrameWnd* m_pFrame = NULL;
    CTallyformView* m_pView = NULL;
};

} // namespace

TEST_F(InPlaceEditingTest, RunModeComputesFormulasResetsTheDisplayAndSetsTheCaption)
{
    MessageBoxRecorder recorder;
    Sheet().m_nDisplayMode = DISPLAY_CELLNAME;
    EXPECT_EQ(1, Check(ID_VIEW_DESIGN_MODE));
    RunMode();
    EXPECT_FALSE(Sheet().m_bDesignMode);
    EXPECT_EQ(DISPLAY_NORMAL, Sheet().m_nDisplayMode);
    EXPECT_EQ("3.0000", Value(C1));
    EXPECT_EQ(0, Check(ID_VIEW_DESIGN_MODE));
    EXPECT_EQ(1, Check(ID_VIEW_RUN_MODE));
    char szCaption[128] = "";
    ::GetWindowTextA(m_pFrame->m_hWnd, szCaption, sizeof(szCaption));
    EXPECT_STREQ("Tallyform [Run Mode] - Sales", szCaption);
    EXPECT_TRUE(recorder.Messages().empty());
    // Again in run mode: nothing is recomputed.
    Sheet().m_cells[C1].m_strValue = "kept";
    RunMode();
    EXPECT_EQ("kept", Value(C1));
}

TEST_F(InPlaceEditingTest, AModifiedTemplateAsksFirst)
{
    MessageBoxRecorder recorder;
    m_doc.SetModifiedFlag(TRUE);
    recorder.QueueAnswer(IDCANCEL);
    RunMode();
    EXPECT_TRUE(Sheet().m_bDesignMode);
    EXPECT_EQ("The template has been modified,Save Changes?", recorder.LastText());
    recorder.QueueAnswer(IDNO);
    RunMode();
    EXPECT_FALSE(Sheet().m_bDesignMode);
    EXPECT_EQ(0, m_doc.m_nSaves);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(InPlaceEditingTest, YesSavesBeforeTheSwitch)
{
    MessageBoxRecorder recorder;
    m_doc.SetModifiedFlag(TRUE);
    recorder.QueueAnswer(IDYES);
    RunMode();
    EXPECT_EQ(1, m_doc.m_nSaves);
    EXPECT_FALSE(Sheet().m_bDesignMode);
}

TEST_F(InPlaceEditingTest, TwoReportDateCellsKeepDesignMode)
{
    MessageBoxRecorder recorder;
    Sheet().m_cells[E1].SetType(CELL_REPORTDATE);
    RunMode();
    EXPECT_TRUE(Sheet().m_bDesignMode);
    EXPECT_EQ(1u, recorder.Messages().size());
}

TEST_F(InPlaceEditingTest, AClickOpensTheEditorOfTheCellsType)
{
    MessageBoxRecorder recorder;
    RunMode();
    ClickCell(A1);
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ(A1, EditorCell());
    char szText[32] = "";
    ::GetWindowTextA(Editor(), szText, sizeof(szText));
    EXPECT_STREQ("1", szText);
    ClickCell(RDATE);
    EXPECT_EQ(RDATE, EditorCell());
    ClickCell(C1);                      // a formula cell takes no entry
    PumpEditorMessages();
    EXPECT_EQ(nullptr, m_pView->GetCellEditor());
}

TEST_F(InPlaceEditingTest, TypingAFigureRecomputesTheFormulaAndClearingItToo)
{
    MessageBoxRecorder recorder;
    RunMode();
    ClickCell(A1);
    Type("5");
    EXPECT_EQ("15", Value(A1));
    EXPECT_EQ("17.0000", Value(C1));
    ::SendMessageA(Editor(), EM_SETSEL, 0, -1);
    Type("\b");
    EXPECT_EQ("", Value(A1));
    EXPECT_EQ("", Value(C1));
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(InPlaceEditingTest, TabWalksTheGappedTabOrderAndWraps)
{
    MessageBoxRecorder recorder;
    RunMode();
    // Tab with no editor opens the first entry cell of the order.
    PressKey(VK_TAB);
    ASSERT_EQ(A1, EditorCell());
    PressKey(VK_TAB);
    EXPECT_EQ(B1, EditorCell());
    // G1 (tab 15) takes no entry and is passed over.
    PressKey(VK_TAB);
    EXPECT_EQ(RDATE, EditorCell());
    PressKey(VK_TAB);
    EXPECT_EQ(A1, EditorCell());
    EXPECT_EQ(A1, Sheet().m_nCurCell);
    // Only one editor is left once the old ones have closed.
    int nEditors = 0;
    for (HWND h = ::GetWindow(m_pView->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        nEditors += ::GetDlgCtrlID(h) == (int)IDC_CELL_EDITOR;
    EXPECT_EQ(1, nEditors);
}

TEST_F(InPlaceEditingTest, EnterCommitsAndOnACellWithoutTabIndexStaysPut)
{
    MessageBoxRecorder recorder;
    RunMode();
    ClickCell(B1);
    Type("0");
    PressKey(VK_RETURN);
    EXPECT_EQ("20", Value(B1));
    EXPECT_EQ(RDATE, EditorCell());
    ClickCell(E1);
    Type("7");
    PressKey(VK_RETURN);
    EXPECT_EQ("7", Value(E1));
    EXPECT_EQ(E1, EditorCell());
}

TEST_F(InPlaceEditingTest, ArrowsMoveToTheNeighbouringEntryCell)
{
    MessageBoxRecorder recorder;
    RunMode();
    ClickCell(A1);
    PressKey(VK_RIGHT);                 // caret at the end: leaves the cell
    EXPECT_EQ(B1, EditorCell());
    ::SendMessageA(Editor(), EM_SETSEL, 0, 0);
    PressKey(VK_LEFT);
    EXPECT_EQ(A1, EditorCell());
    ::SendMessageA(Editor(), EM_SETSEL, 0, 0);
    PressKey(VK_LEFT);                  // the label takes no entry
    EXPECT_EQ(A1, EditorCell());
}

TEST_F(InPlaceEditingTest, EscLeavesTheCellAsItWas)
{
    MessageBoxRecorder recorder;
    RunMode();
    ClickCell(A1);
    Type("9");
    EXPECT_EQ("19", Value(A1));
    PressKey(VK_ESCAPE);
    EXPECT_EQ("1", Value(A1));
    EXPECT_EQ("3.0000", Value(C1));
    EXPECT_EQ(nullptr, Editor());
}

TEST_F(InPlaceEditingTest, AClickElsewhereCommitsAndCloses)
{
    MessageBoxRecorder recorder;
    RunMode();
    ClickCell(A1);
    Type("2");
    m_pView->SetFocus();
    PumpEditorMessages();
    EXPECT_EQ("12", Value(A1));
    EXPECT_EQ(nullptr, Editor());
}

TEST_F(InPlaceEditingTest, AChangedReportDateReachesTheFiguresAndTabMovesOn)
{
    MessageBoxRecorder recorder;
    RunMode();
    ClickCell(A1);
    Type("3");
    PressKey(VK_TAB);
    ClickCell(RDATE);
    CCellPeriodField* pField = dynamic_cast<CCellPeriodField*>(m_pView->GetCellEditor());
    ASSERT_NE(nullptr, pField);
    pField->SetCode("2024020000000");
    PressKey(VK_TAB);
    EXPECT_STREQ("2024020000000", Sheet().m_cells[RDATE].m_szDateCode);
    EXPECT_STREQ("2024020000000", Sheet().m_cells[A1].m_szPeriodCode);
    EXPECT_EQ(A1, EditorCell());
}

TEST_F(InPlaceEditingTest, TheEditorClosesBeforeACommandAndCommitsToItsOwnCell)
{
    MessageBoxRecorder recorder;
    // Design mode: the label editor on the static Text cell.
    m_pView->OpenCellEditor(LABEL);
    ASSERT_EQ(LABEL, EditorCell());
    Type(" total");
    EXPECT_EQ("Item", Value(LABEL));    // a label is stored when the edit ends
    // A table command arrives from the menu while the editor is open.
    Command(ID_TABLE_ADD_ROW);
    EXPECT_EQ(nullptr, Editor());
    EXPECT_EQ("Item total", Value(LABEL));
    // Undo takes the row back, then the label.
    ASSERT_EQ(UNDO_ADDROW, Sheet().GetUndoAction()->m_nKind);
    Command(ID_EDIT_UNDO);
    ASSERT_TRUE(Sheet().CanUndo());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("Item", Value(LABEL));
}

TEST_F(InPlaceEditingTest, ANoticeForACellThatIsGoneIsDropped)
{
    MessageBoxRecorder recorder;
    RunMode();
    CellEditNotify record;
    record.hdr.hwndFrom = m_pView->m_hWnd;
    record.hdr.idFrom = IDC_CELL_EDITOR;
    record.hdr.code = CELLN_END;
    record.cell = CELLS;
    record.text = "99";
    record.key = VK_TAB;
    m_pView->SendMessage(WM_NOTIFY, IDC_CELL_EDITOR, (LPARAM)&record);
    record.cell = -1;
    m_pView->SendMessage(WM_NOTIFY, IDC_CELL_EDITOR, (LPARAM)&record);
    for (int i = 0; i < CELLS; ++i)
        EXPECT_NE("99", Value(i)) << i;
}

TEST_F(InPlaceEditingTest, AtDoubleZoomTheEditorFontIsTwiceAsHigh)
{
    MessageBoxRecorder recorder;
    Sheet().m_cells[A1].m_logFont.lfHeight = -12;
    m_pView->SetZoom(200);
    RunMode();
    ClickCell(A1);
    ASSERT_NE(nullptr, Editor());
    HFONT hFont = (HFONT)::SendMessageA(Editor(), WM_GETFONT, 0, 0);
    LOGFONTA lf = {};
    ASSERT_NE(0, ::GetObjectA(hFont, sizeof(lf), &lf));
    EXPECT_EQ(-24, lf.lfHeight);
}

TEST_F(InPlaceEditingTest, ScreenshotOfRunModeWithFiguresTyped)
{
    MessageBoxRecorder recorder;
    RunMode();
    ClickCell(A1);
    Type("250");
    PressKey(VK_TAB);
    Type("75");
    PressKey(VK_TAB);
    m_pView->SetFocus();
    PumpEditorMessages();
    // A click puts the caret after the old text; a cell reached by Tab
    // has its text selected, so typing replaces it.
    EXPECT_EQ("1250", Value(A1));
    EXPECT_EQ("75", Value(B1));
    EXPECT_EQ("1325.0000", Value(C1));
    m_pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpEditorMessages();
    SaveWindowScreenshot(m_pFrame->m_hWnd, VIEW_TEST_EVIDENCE_DIR "/run_mode_entry.bmp");
}

TEST_F(InPlaceEditingTest, AnOrganizationCodeCellListsTheCodesWhenTheOrganizationsAreOpen)
{
    MessageBoxRecorder recorder;
    CFakeOrganRecordset organs;
    organs.m_rows = { { "C001", "North" }, { "C002", "South" } };
    organs.m_strFilter = "FD_Code='C001'";
    m_doc.m_pOrgans = &organs;
    Sheet().m_cells[E1].SetType(CELL_ORGANCODE);
    Sheet().m_cells[E1].m_strValue = "C002";
    Sheet().m_cells[E1].m_nTabIndex = 25;
    RunMode();
    ClickCell(E1);
    CCellChoiceList* pList = dynamic_cast<CCellChoiceList*>(m_pView->GetCellEditor());
    ASSERT_NE(nullptr, pList);
    EXPECT_EQ(E1, pList->GetCellIndex());
    ASSERT_EQ(2, pList->GetCount());
    CString strItem;
    pList->GetLBText(0, strItem);
    EXPECT_STREQ("C001", strItem);
    EXPECT_EQ(1, pList->GetCurSel());
    // The list was read unfiltered.
    ASSERT_FALSE(organs.m_queriedFilters.empty());
    EXPECT_EQ("", organs.m_queriedFilters.front());
    // Choosing the other code and leaving by Tab carries it into the figures.
    pList->SetCurSel(0);
    PressKey(VK_TAB);
    EXPECT_EQ("C001", Value(E1));
    EXPECT_STREQ("C001", Sheet().m_cells[A1].m_szOrgCode);
    EXPECT_EQ(A1, EditorCell());
}

TEST_F(InPlaceEditingTest, WithoutTheOrganizationsACodeIsTypedAndBounded)
{
    MessageBoxRecorder recorder;
    Sheet().m_cells[E1].SetType(CELL_ORGANCODE);
    RunMode();
    m_pView->OpenCellEditor(E1);
    ASSERT_NE(nullptr, dynamic_cast<CCellEditBox*>(m_pView->GetCellEditor()));
    Type("ABCDEFGHIJ");
    EXPECT_EQ("ABCDEFGH", Value(E1));
    EXPECT_STREQ("ABCDEFGH", Sheet().m_cells[A1].m_szOrgCode);
}

TEST_F(InPlaceEditingTest, AnEmptyOrganizationListOpensNoEditor)
{
    MessageBoxRecorder recorder;
    CFakeOrganRecordset organs;
    m_doc.m_pOrgans = &organs;
    Sheet().m_cells[E1].SetType(CELL_ORGAN);
    RunMode();
    m_pView->OpenCellEditor(E1);
    EXPECT_EQ(nullptr, m_pView->GetCellEditor());
    EXPECT_TRUE(recorder.Messages().empty());
}
