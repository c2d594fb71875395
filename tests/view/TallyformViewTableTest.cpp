// The sheet view's table, selection, cell and find commands sent as the
// menus send them: Undo and Redo with their menu texts and the scroll
// range, refused operations, Select Column's edges, the diagonal buttons,
// Clear Data and Find Next.
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/view/SheetViewHarness.h"

#include "framework/docview/WinApp.h"
#include "view/ClipboardText.h"
#include "SheetViewIds.h"

using viewtest::SheetViewTest;

namespace
{
struct MenuState
{
    int nEnabled;
    std::string text;
};

class CTextCmdUI : public CRecordingCmdUI
{
public:
    std::string m_text;
    void SetText(LPCSTR lpszText) override { m_text = lpszText; }
};

int EnabledOf(CCmdTarget* pTarget, UINT nID)
{
    return CRecordingCmdUI::Update(pTarget, nID).m_nEnabled;
}

// A thread of its own that keeps the clipboard open until released.
struct ClipboardHolder
{
    HANDLE hOpened = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE hRelease = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE hThread = ::CreateThread(NULL, 0, &Hold, this, 0, NULL);

    static DWORD WINAPI Hold(LPVOID pParam)
    {
        ClipboardHolder* pHolder = static_cast<ClipboardHolder*>(pParam);
        ::OpenClipboard(NULL);
        ::SetEvent(pHolder->hOpened);
        ::WaitForSingleObject(pHolder->hRelease, 10000);
        ::CloseClipboard();
        return 0;
    }
    void Release()
    {
        ::SetEvent(hRelease);
        ::WaitForSingleObject(hThread, 10000);
    }
    ~ClipboardHolder()
    {
        Release();
        ::CloseHandle(hThread);
        ::CloseHandle(hOpened);
        ::CloseHandle(hRelease);
    }
};

MenuState StateOf(CCmdTarget* pTarget, UINT nID)
{
    CTextCmdUI ui;
    ui.m_nID = nID;
    ui.DoUpdate(pTarget, FALSE);
    return MenuState{ ui.m_nEnabled, ui.m_text };
}
} // namespace

TEST_F(SheetViewTest, UndoAndRedoNameTheRecordAndKeepTheScrollRangeRight)
{
    Open(2, 2);
    const CSize sizeBefore = m_pView->GetTotalSize();
    MenuState undo = StateOf(m_pView, ID_EDIT_UNDO);
    EXPECT_EQ(0, undo.nEnabled);
    EXPECT_EQ("Cannot Undo\tCtrl+Z", undo.text);

    Sheet().m_arrSel.Add(3);
    m_pView->SendMessage(WM_COMMAND, ID_TABLE_ADD_ROW);
    EXPECT_EQ(6, Sheet().m_cells.GetSize());
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(sizeBefore.cy + 30, m_pView->GetTotalSize().cy);
    undo = StateOf(m_pView, ID_EDIT_UNDO);
    EXPECT_EQ(1, undo.nEnabled);
    EXPECT_EQ("UndoAdd Row\tCtrl+Z", undo.text);
    MenuState redo = StateOf(m_pView, ID_EDIT_REDO);
    EXPECT_EQ(0, redo.nEnabled);
    EXPECT_EQ("Cannot Redo\tCtrl+Y", redo.text);

    // The extent shrinks back before the scroll range is set from it.
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ(4, Sheet().m_cells.GetSize());
    EXPECT_EQ(sizeBefore, m_pView->GetTotalSize());
    EXPECT_EQ(0, StateOf(m_pView, ID_EDIT_UNDO).nEnabled);
    redo = StateOf(m_pView, ID_EDIT_REDO);
    EXPECT_EQ(1, redo.nEnabled);
    EXPECT_EQ("RedoAdd Row\tCtrl+Y", redo.text);
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_REDO);
    EXPECT_EQ(6, Sheet().m_cells.GetSize());
    EXPECT_EQ(sizeBefore.cy + 30, m_pView->GetTotalSize().cy);

    Sheet().m_bDesignMode = FALSE;
    EXPECT_EQ(0, StateOf(m_pView, ID_EDIT_UNDO).nEnabled);
    EXPECT_EQ(0, StateOf(m_pView, ID_EDIT_REDO).nEnabled);
}

TEST_F(SheetViewTest, RefusedTableOperationIsToldAndChangesNothing)
{
    Open(2, 3);
    MessageBoxRecorder recorder;
    // A2 ends inside column A: column A is not a whole column.
    Sheet().m_cells[3].m_rect.right = 40;
    Sheet().m_cells[4].m_rect.left = 40;
    Sheet().m_arrSel.Add(0);
    m_pView->SendMessage(WM_COMMAND, ID_TABLE_DELETE_COLUMN);
    EXPECT_EQ("Selected cell is not valid,cannot delete.", recorder.LastText());
    EXPECT_EQ(6, Sheet().m_cells.GetSize());
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ("Cannot Undo\tCtrl+Z", StateOf(m_pView, ID_EDIT_UNDO).text);
}

TEST_F(SheetViewTest, SelectColumnTakesCellsWhoseSpanHoldsTheCentre)
{
    Open(3, 2);    // 80 wide columns: A at 0..80, B at 80..160
    // Row 2 holds one cell from 40 to 120 (A2 made narrower, B2 wider)
    // and row 3 one from 0 to 40.
    Sheet().m_cells[2].m_rect.right = 40;
    Sheet().m_cells[3].m_rect.left = 40;
    Sheet().m_cells[4].m_rect.right = 40;
    Sheet().m_cells[5].m_rect.left = 40;
    Sheet().m_arrSel.Add(0);    // A1, centre 40
    m_pView->SendMessage(WM_COMMAND, ID_TABLE_SELECT_COLUMN);
    // The centre on a right edge (cell 4 ends at 40) counts, on a left
    // edge (cells 3 and 5 start at 40) it does not.
    EXPECT_EQ((std::vector<int>{ 0, 2, 4 }), Selection());
    Sheet().m_arrSel.RemoveAll();
    Sheet().m_arrSel.Add(1);
    m_pView->SendMessage(WM_COMMAND, ID_TABLE_SELECT_ROW);
    EXPECT_EQ((std::vector<int>{ 1, 0 }), Selection());
}

TEST_F(SheetViewTest, DiagonalButtonsToggleTheSelectedCellsAndUndo)
{
    Open(2, 2);
    EXPECT_EQ(0, EnabledOf(m_pView, ID_DIAGONAL_DOWN));
    Sheet().m_arrSel.Add(0);
    Sheet().m_arrSel.Add(3);
    m_pView->SendMessage(WM_COMMAND, ID_DIAGONAL_DOWN);
    // 33063 draws from the bottom-left to the top-right corner.
    EXPECT_EQ(CELL_LINE_THIN, Sheet().m_cells[0].m_nDiagUp);
    EXPECT_EQ(CELL_LINE_THIN, Sheet().m_cells[3].m_nDiagUp);
    EXPECT_EQ(CELL_LINE_NONE, Sheet().m_cells[0].m_nDiagDown);
    EXPECT_EQ(1, CRecordingCmdUI::Update(m_pView, ID_DIAGONAL_DOWN).m_nCheck);
    EXPECT_EQ(0, CRecordingCmdUI::Update(m_pView, ID_DIAGONAL_UP).m_nCheck);
    Sheet().m_arrSel.Add(1);
    EXPECT_EQ(0, CRecordingCmdUI::Update(m_pView, ID_DIAGONAL_DOWN).m_nCheck);
    // Pressed again with all three: all get the line; then off for all.
    m_pView->SendMessage(WM_COMMAND, ID_DIAGONAL_DOWN);
    EXPECT_EQ(CELL_LINE_THIN, Sheet().m_cells[1].m_nDiagUp);
    m_pView->SendMessage(WM_COMMAND, ID_DIAGONAL_DOWN);
    EXPECT_EQ(CELL_LINE_NONE, Sheet().m_cells[1].m_nDiagUp);
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ(CELL_LINE_NONE, Sheet().m_cells[1].m_nDiagUp);
    EXPECT_EQ(CELL_LINE_THIN, Sheet().m_cells[0].m_nDiagUp);
}

TEST_F(SheetViewTest, ClearDataAsksAndKeepsTheLabels)
{
    Open(1, 4);
    MessageBoxRecorder recorder;
    Sheet().m_bDesignMode = FALSE;
    Sheet().m_cells[1].SetType(CELL_NUMERIC);
    Sheet().m_cells[1].m_strValue = "12";
    Sheet().m_cells[2].m_bDynamic = 1;
    Sheet().m_cells[2].m_strValue = "typed";
    Sheet().m_cells[3].SetType(CELL_REPORTDATE);
    strcpy(Sheet().m_cells[3].m_szDateCode, "2026100000000");
    recorder.QueueAnswer(IDNO);
    m_pView->SendMessage(WM_COMMAND, ID_DATA_CLEAR);
    EXPECT_EQ("Are you sure you want to clear data?", recorder.LastText());
    EXPECT_STREQ("12", Sheet().m_cells[1].m_strValue);
    recorder.QueueAnswer(IDYES);
    m_pView->SendMessage(WM_COMMAND, ID_DATA_CLEAR);
    EXPECT_STREQ("A1", Sheet().m_cells[0].m_strValue);
    EXPECT_STREQ("", Sheet().m_cells[1].m_strValue);
    EXPECT_STREQ("", Sheet().m_cells[2].m_strValue);
    EXPECT_STREQ("", Sheet().m_cells[3].m_szDateCode);
    EXPECT_FALSE(Sheet().CanUndo());
}

TEST_F(SheetViewTest, FindNextWrapsRoundAndTellsAMissingText)
{
    Open(1, 3);
    MessageBoxRecorder recorder;
    Sheet().m_cells[0].m_strValue = "Net sales";
    Sheet().m_cells[2].m_strValue = "Gross";
    CTallyformView::SetSearch("SALES", "", FALSE);
    Sheet().m_arrSel.Add(2);    // the last cell: the search starts again at the first
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_FIND_NEXT);
    EXPECT_EQ(std::vector<int>{ 0 }, Selection());
    EXPECT_EQ(0, Sheet().m_nCurCell);
    CTallyformView::SetSearch("SALES", "", TRUE);
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_FIND_NEXT);
    EXPECT_EQ("Cannot find string\" SALES \"", recorder.LastText());
    EXPECT_EQ(std::vector<int>{ 0 }, Selection());
    CTallyformView::SetSearch("", "", FALSE);
    EXPECT_EQ(0, EnabledOf(m_pView, ID_EDIT_FIND_NEXT));
}

TEST_F(SheetViewTest, RefusedNumericInputOpensTheEditorOfItsCell)
{
    Open(1, 3);
    CWinApp app("ViewTestApp");
    app.m_pMainWnd = m_pFrame;
    MessageBoxRecorder recorder;
    Sheet().m_bDesignMode = FALSE;
    Sheet().m_cells[2].SetType(CELL_NUMERIC);
    Sheet().m_cells[2].m_strValue = "12";
    // Without its organization and period the figure is refused.
    EXPECT_EQ(0, m_doc.ValidateKeyCells());
    EXPECT_EQ(std::vector<int>{ 2 }, m_pView->m_editorCells);
    EXPECT_EQ(std::vector<int>{ 2 }, Selection());
    app.m_pMainWnd = NULL;
}

TEST_F(SheetViewTest, CutKeepsTheLabelWhileTheClipboardIsHeldAndPasteSkipsFigures)
{
    Open(1, 3);
    Sheet().m_arrSel.Add(0);
    // Another thread holds the clipboard open: Cut changes nothing.
    ClipboardHolder holder;
    ASSERT_NE(nullptr, holder.hThread);
    ::WaitForSingleObject(holder.hOpened, 10000);
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    EXPECT_STREQ("A1", Sheet().m_cells[0].m_strValue);
    EXPECT_FALSE(Sheet().CanUndo());
    holder.Release();

    m_pView->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    CString strText;
    EXPECT_TRUE(ReadClipboardText(m_pView->m_hWnd, strText));
    EXPECT_STREQ("A1", strText);
    EXPECT_STREQ("", Sheet().m_cells[0].m_strValue);

    // Paste writes labels only: the numeric cell keeps its figure.
    Sheet().m_cells[2].SetType(CELL_NUMERIC);
    Sheet().m_cells[2].m_strValue = "7";
    Sheet().m_arrSel.Add(1);
    Sheet().m_arrSel.Add(2);
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    EXPECT_STREQ("A1", Sheet().m_cells[0].m_strValue);
    EXPECT_STREQ("A1", Sheet().m_cells[1].m_strValue);
    EXPECT_STREQ("7", Sheet().m_cells[2].m_strValue);
}
