// The sheet view's own commands and its enabling rules: mode, cell and
// selection counts, Data Verify, the switch back to design mode, cursors.
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/view/SheetViewHarness.h"

#include "framework/docview/WinApp.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/Edit.h"
#include "DocumentIds.h"
#include "SheetViewIds.h"

using viewtest::SheetViewTest;

namespace {

// 1 enabled, 0 disabled, -1 left as it was.
int EnabledOf(CCmdTarget* pTarget, UINT nID)
{
    return CRecordingCmdUI::Update(pTarget, nID).m_nEnabled;
}

struct Rule
{
    UINT nID;
    int nDesignNone;        // design mode, nothing selected
    int nDesignOne;         // design mode, one cell selected
    int nDesignTwo;         // design mode, two selected
    int nRunTwo;            // run mode, two selected
};

} // namespace

TEST_F(SheetViewTest, CommandsAreEnabledByModeCellsAndSelection)
{
    Open(2, 2);
    const Rule rules[] = {
        { ID_TABLE_ADD_ROW, 1, 1, 1, 0 },
        { ID_TABLE_DELETE_COLUMN, 1, 1, 1, 0 },
        { ID_TABLE_SELECT_ROW, 0, 1, 1, 1 },
        { ID_TABLE_SELECT_COLUMN, 0, 1, 1, 1 },
        { ID_TABLE_MERGE_CELLS, 0, 0, 1, 0 },
        { ID_TABLE_SPLIT_CELL, 0, 1, 1, 0 },
        { ID_CELL_PROPERTY, 0, 1, 1, 0 },
        { ID_DATA_VERIFY, 0, 0, 0, 1 },
        { ID_FILE_SAVE_DATA_TO_FILE, 0, 0, 0, 1 },
        { ID_FILE_LOAD_DATA_FROM_FILE, 0, 0, 0, 1 },
        { ID_DATA_CLEAR, 0, 0, 0, 1 },
        { ID_DATA_CHART_ANALYSIS, 0, 0, 0, 1 },
        { ID_VIEW_TABLE_BAR, 1, 1, 1, 0 },
        { ID_VIEW_FORMAT_BAR, 1, 1, 1, 0 },
        { ID_DATA_SUM_FROM_FILES, 0, 0, 0, 1 },
        { ID_FILE_NEW_TEMPLATE, 1, 1, 1, 0 },
        { ID_FILE_SAVE_TEMPLATE, 1, 1, 1, 0 },
        { ID_FILE_SAVE_TEMPLATE_AS, 1, 1, 1, 0 },
    };
    for (const Rule& rule : rules)
    {
        SCOPED_TRACE(rule.nID);
        Sheet().m_bDesignMode = TRUE;
        Sheet().m_arrSel.RemoveAll();
        EXPECT_EQ(rule.nDesignNone, EnabledOf(m_pView, rule.nID));
        Sheet().m_arrSel.Add(0);
        EXPECT_EQ(rule.nDesignOne, EnabledOf(m_pView, rule.nID));
        Sheet().m_arrSel.Add(1);
        EXPECT_EQ(rule.nDesignTwo, EnabledOf(m_pView, rule.nID));
        Sheet().m_bDesignMode = FALSE;
        EXPECT_EQ(rule.nRunTwo, EnabledOf(m_pView, rule.nID));
    }
    // An analysis report has no figures of its own for a data file.
    Sheet().m_nKind = SHEET_KIND_ANALYSIS;
    for (UINT nID : { ID_FILE_SAVE_DATA_TO_FILE, ID_FILE_LOAD_DATA_FROM_FILE, ID_DATA_SUM_FROM_FILES })
        EXPECT_EQ(0, EnabledOf(m_pView, nID)) << nID;
    Sheet().m_nKind = 0;
    // Table edits need at least one cell.
    Sheet().m_bDesignMode = TRUE;
    Sheet().RemoveAllCells();
    EXPECT_EQ(0, EnabledOf(m_pView, ID_TABLE_ADD_COLUMN));
    EXPECT_EQ(0, EnabledOf(m_pView, ID_TABLE_MERGE_CELLS));
}

TEST(SheetViewWithoutDocument, UpdateHandlersAndHooksDoNotFail)
{
    CTallyformView* pView = static_cast<CTallyformView*>(
        RUNTIME_CLASS(CTallyformView)->CreateObject());
    ASSERT_NE(nullptr, pView);
    for (UINT nID : { (UINT)ID_TABLE_ADD_ROW, (UINT)ID_TABLE_MERGE_CELLS, (UINT)ID_CELL_PROPERTY,
                      (UINT)ID_DATA_VERIFY, (UINT)ID_DATA_SUM_FROM_FILES, (UINT)ID_VIEW_MODE_NORMAL,
                      (UINT)ID_VIEW_SCALE_100, (UINT)ID_VIEW_DESIGN_MODE, (UINT)ID_VIEW_RUN_MODE })
        EnabledOf(pView, nID);
    EXPECT_EQ(0, EnabledOf(pView, ID_TABLE_ADD_ROW));
    EXPECT_EQ(-1, pView->HitTestCell(10, 10));
    pView->ClearSelection();
    pView->EnsureCellVisible(0);
    pView->UpdateScrollSizes();
    pView->UpdateModeUI();
    EXPECT_TRUE(pView->SetZoom(200));
    delete pView;
}

TEST_F(SheetViewTest, DataVerifyNamesTheFirstFailingFormula)
{
    Open(1, 2);
    MessageBoxRecorder recorder;
    Sheet().m_cells[0].SetType(CELL_NUMERIC);
    Sheet().m_cells[1].SetType(CELL_NUMERIC);
    Sheet().m_cells[0].m_strValue = "1";
    Sheet().m_cells[1].m_strValue = "2";
    Sheet().m_lstBalance.AddTail("A1=B1");
    // A design-mode command is refused by its update rule.
    m_pView->SendMessage(WM_COMMAND, ID_DATA_VERIFY);
    EXPECT_TRUE(recorder.Messages().empty());
    Sheet().m_bDesignMode = FALSE;
    m_pView->SendMessage(WM_COMMAND, ID_DATA_VERIFY);
    EXPECT_EQ("Invalid data for balance formula 'A1=B1'.", recorder.LastText());
    Sheet().m_cells[1].m_strValue = "1";
    m_pView->SendMessage(WM_COMMAND, ID_DATA_VERIFY);
    EXPECT_EQ("Data is valid.", recorder.LastText());
}

TEST_F(SheetViewTest, DesignModeCommandLeavesRunModeAndClosesTheEditor)
{
    Open(2, 2);
    m_pView->SendMessage(WM_COMMAND, ID_VIEW_DESIGN_MODE);
    EXPECT_TRUE(Sheet().m_bDesignMode);

    Sheet().m_bDesignMode = FALSE;
    Sheet().m_arrSel.Add(1);
    CEdit* pEditor = new CEdit;
    ASSERT_TRUE(pEditor->Create(WS_CHILD | WS_VISIBLE, CRect(1, 1, 60, 20), m_pView,
                                IDC_CELL_EDITOR));
    m_pView->SendMessage(WM_COMMAND, ID_VIEW_DESIGN_MODE);
    EXPECT_TRUE(Sheet().m_bDesignMode);
    EXPECT_EQ(std::vector<int>{}, Selection());
    EXPECT_EQ(nullptr, m_pView->GetDlgItem(IDC_CELL_EDITOR));
    delete pEditor;
}

TEST_F(SheetViewTest, HoverShowsTheLineCursors)
{
    Open(2, 2);
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    HCURSOR hVertical = ::LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_CURSOR_MOVE_VERTICAL));
    HCURSOR hHorizontal = ::LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_CURSOR_MOVE_HORIZONTAL));
    ASSERT_NE(nullptr, hVertical);
    ASSERT_NE(nullptr, hHorizontal);
    ASSERT_NE(nullptr, ::LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_CURSOR_PICK_CELL)));
    Move(CPoint(80, 10));
    EXPECT_EQ(hVertical, ::GetCursor());
    Move(CPoint(40, 30));
    EXPECT_EQ(hHorizontal, ::GetCursor());
    Move(CPoint(40, 15));
    EXPECT_EQ(::LoadCursorA(NULL, IDC_ARROW), ::GetCursor());
}

namespace {

// File, Edit, View, Table, Cell, Data: Table and Cell at 3 and 4.
HMENU MakeMenuBar()
{
    HMENU hBar = ::CreateMenu();
    const char* const names[] = { "&File", "&Edit", "&View", "&Table", "&Cell", "&Data" };
    for (int i = 0; i < 6; ++i)
    {
        HMENU hPopup = ::CreatePopupMenu();
        if (i == 0)
            ::AppendMenuA(hPopup, MF_STRING, ID_FILE_NEW_TEMPLATE, "&New");
        if (i == 2)
        {
            ::AppendMenuA(hPopup, MF_STRING, ID_VIEW_DESIGN_MODE, "Design Mode");
            ::AppendMenuA(hPopup, MF_STRING, ID_VIEW_RUN_MODE, "Run Mode");
        }
        ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hPopup, names[i]);
    }
    return hBar;
}

BOOL IsGrayed(HMENU hMenu, UINT nItem, UINT nBy)
{
    return (::GetMenuState(hMenu, nItem, nBy) & MF_GRAYED) != 0;
}

BOOL IsChecked(HMENU hMenu, UINT nID)
{
    return (::GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

} // namespace

TEST_F(SheetViewTest, ModeSwitchWithdrawsAndRestoresTheDesignInterface)
{
    Open(2, 2);
    CWinApp app("ViewTestApp");
    app.m_pMainWnd = m_pFrame;
    HMENU hOld = ::GetMenu(m_pFrame->m_hWnd);
    HMENU hBar = MakeMenuBar();
    ::SetMenu(m_pFrame->m_hWnd, hBar);
    m_doc.SetTitle("Budget");

    Sheet().m_bDesignMode = FALSE;
    m_pView->UpdateModeUI();
    EXPECT_TRUE(IsGrayed(hBar, 3, MF_BYPOSITION));
    EXPECT_TRUE(IsGrayed(hBar, 4, MF_BYPOSITION));
    EXPECT_FALSE(IsGrayed(hBar, 2, MF_BYPOSITION));
    EXPECT_TRUE(IsGrayed(hBar, ID_FILE_NEW_TEMPLATE, MF_BYCOMMAND));
    EXPECT_TRUE(IsChecked(hBar, ID_VIEW_RUN_MODE));
    EXPECT_FALSE(IsChecked(hBar, ID_VIEW_DESIGN_MODE));
    EXPECT_EQ(0, m_pFrame->m_nDesignBars);
    EXPECT_EQ((UINT)ID_VIEW_DESIGN_MODE, m_pFrame->m_nModeButtonCmd);
    EXPECT_EQ(20, m_pFrame->m_nModeButtonImage);

    m_pView->SendMessage(WM_COMMAND, ID_VIEW_DESIGN_MODE);
    EXPECT_FALSE(IsGrayed(hBar, 3, MF_BYPOSITION));
    EXPECT_FALSE(IsGrayed(hBar, 4, MF_BYPOSITION));
    EXPECT_TRUE(IsChecked(hBar, ID_VIEW_DESIGN_MODE));
    EXPECT_FALSE(IsChecked(hBar, ID_VIEW_RUN_MODE));
    EXPECT_EQ(1, m_pFrame->m_nDesignBars);
    EXPECT_EQ((UINT)ID_VIEW_RUN_MODE, m_pFrame->m_nModeButtonCmd);
    EXPECT_EQ(17, m_pFrame->m_nModeButtonImage);
    CString strCaption;
    m_pFrame->GetWindowText(strCaption);
    EXPECT_STREQ("Tallyform[Design Mode] - Budget", strCaption);

    // The zoom combo follows the zoom in force.
    m_pView->OnViewScale(ID_VIEW_SCALE_150);
    EXPECT_EQ("150%", m_pFrame->m_strZoomText);
    MessageBoxRecorder recorder;
    Sheet().m_cells[1].m_rect.right = 30000;
    Sheet().UpdateBoundingRect();
    m_pView->OnViewScale(ID_VIEW_SCALE_200);
    EXPECT_EQ("150%", m_pFrame->m_strZoomText);

    ::SetMenu(m_pFrame->m_hWnd, hOld);
    ::DestroyMenu(hBar);
    app.m_pMainWnd = NULL;
}
