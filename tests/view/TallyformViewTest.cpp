// The sheet view in a frame: zoom and mapping, scrolling, selection,
// border dragging, the context menu and the display modes.
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Screenshot.h"
#include "tests/view/SheetViewHarness.h"

#include "framework/windows/CmdUI.h"
#include "sheet/UndoAction.h"
#include "SheetViewIds.h"

using viewtest::SheetViewTest;

namespace {

const int kCellWidth = 80;
const int kCellHeight = 30;

// The grid cell holding sheet point (x, y) of a grid with cols columns.
int GridCell(int x, int y, int cols)
{
    return (y / kCellHeight) * cols + x / kCellWidth;
}

// A real left click at a client point of the view, through the input queue
// with the modifier key (VK_SHIFT) held down when one is given; the
// messages it makes are handled before this returns.
void InputClick(CWnd* pView, CPoint ptClient, WORD nModifier = 0)
{
    ::SetForegroundWindow(::GetAncestor(pView->m_hWnd, GA_ROOT));
    CPoint pt = ptClient;
    pView->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    std::vector<INPUT> inputs;
    auto key = [&inputs](WORD nKey, DWORD dwFlags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = nKey;
        input.ki.dwFlags = dwFlags;
        inputs.push_back(input);
    };
    auto mouse = [&inputs](DWORD dwFlags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = dwFlags;
        inputs.push_back(input);
    };
    mouse(MOUSEEVENTF_MOVE);
    if (nModifier != 0)
        key(nModifier, 0);
    mouse(MOUSEEVENTF_LEFTDOWN);
    mouse(MOUSEEVENTF_LEFTUP);
    if (nModifier != 0)
        key(nModifier, KEYEVENTF_KEYUP);
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    // The release is the last of them: pump until it has been handled.
    const DWORD dwStart = ::GetTickCount();
    BOOL bReleased = FALSE;
    while (!bReleased && ::GetTickCount() - dwStart < 5000)
    {
        MSG msg;
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        bReleased = msg.message == (nModifier != 0 ? WM_KEYUP : WM_LBUTTONUP) &&
                    (nModifier == 0 || msg.wParam == nModifier);
        if (!CWnd::WalkPreTranslateTree(NULL, &msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

int CheckOf(CCmdTarget* pTarget, UINT nID)
{
    return CRecordingCmdUI::Update(pTarget, nID).m_nCheck;
}

// Pixels of rc (client units) that are not white.
int InkCount(const sheettest::RenderCanvas& canvas, const RECT& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (canvas.Pixel(x, y) != RGB(255, 255, 255))
                ++n;
    return n;
}

} // namespace

// ------------------------------------------------------------ zoom, mapping

TEST_F(SheetViewTest, PointsMapToCellsAtEachZoom)
{
    Open(6, 8);
    struct Probe { int x, y; };
    const Probe probes[] = { { 5, 5 }, { 85, 12 }, { 170, 65 }, { 100, 100 }, { 186, 134 } };
    for (int nZoom : { 100, 50, 200 })
    {
        SCOPED_TRACE(nZoom);
        ASSERT_TRUE(m_pView->SetZoom(nZoom));
        m_pView->OnViewScale(0);
        m_pView->ScrollToPosition(CPoint(0, 0));
        for (const Probe& p : probes)
        {
            // A client pixel at zoom z shows sheet unit pixel * 100 / z.
            CPoint ptClient(p.x * nZoom / 100, p.y * nZoom / 100);
            CPoint ptSheet = m_pView->ClientToSheet(ptClient);
            EXPECT_EQ(ptClient.x * 100 / nZoom, ptSheet.x);
            EXPECT_EQ(ptClient.y * 100 / nZoom, ptSheet.y);
            int nExpected = GridCell(ptSheet.x, ptSheet.y, 8);
            EXPECT_EQ(nExpected, m_pView->HitTestCell(ptSheet.x, ptSheet.y));
            Click(ptClient);
            EXPECT_EQ(nExpected, Sheet().m_nCurCell);
            EXPECT_EQ(std::vector<int>{ nExpected }, Selection());
        }
    }
}

TEST_F(SheetViewTest, ScrollSizesFollowExtentAndZoom)
{
    Open(6, 8);
    // 640 x 180 units.
    EXPECT_EQ(CSize(660, 200), m_pView->GetTotalSize());
    m_pView->SetZoom(50);
    m_pView->UpdateScrollSizes();
    EXPECT_EQ(CSize(340, 110), m_pView->GetTotalSize());
    m_pView->SetZoom(150);
    m_pView->UpdateScrollSizes();
    EXPECT_EQ(CSize(980, 290), m_pView->GetTotalSize());
    // A sheet with no extent still scrolls 20 x 20.
    Sheet().RemoveAllCells();
    SetRectEmpty(&Sheet().m_rcBounds);
    m_pView->UpdateScrollSizes();
    EXPECT_EQ(CSize(20, 20), m_pView->GetTotalSize());
}

TEST_F(SheetViewTest, ZoomRefusesOutOfRangeAndOversizedSheets)
{
    Open(2, 2);
    MessageBoxRecorder recorder;
    EXPECT_FALSE(m_pView->SetZoom(9));
    EXPECT_FALSE(m_pView->SetZoom(401));
    ASSERT_EQ(2u, recorder.Messages().size());
    EXPECT_EQ("Must between 10-400", recorder.Messages()[0].text);
    EXPECT_EQ("Must between 10-400", recorder.Messages()[1].text);
    EXPECT_EQ(100, m_pView->GetZoom());
    EXPECT_TRUE(m_pView->SetZoom(10));
    EXPECT_TRUE(m_pView->SetZoom(400));
    EXPECT_EQ(2u, recorder.Messages().size());

    // 17000 units wide: 200 % would be 34000, above the limit.
    m_pView->SetZoom(100);
    Sheet().m_cells[1].m_rect.right = 17000;
    Sheet().UpdateBoundingRect();
    m_pView->OnViewScale(ID_VIEW_SCALE_200);
    EXPECT_EQ(100, m_pView->GetZoom());
    EXPECT_EQ("The max display proportion is 192%", recorder.LastText());
    EXPECT_EQ(1, CheckOf(m_pView, ID_VIEW_SCALE_100));
    EXPECT_EQ(0, CheckOf(m_pView, ID_VIEW_SCALE_200));
    m_pView->OnViewScale(ID_VIEW_SCALE_150);
    EXPECT_EQ(150, m_pView->GetZoom());
    EXPECT_EQ(1, CheckOf(m_pView, ID_VIEW_SCALE_150));
}

// ---------------------------------------------------------------- scrolling

TEST_F(SheetViewTest, ScrollingMovesTheViewportAndHitTestsFollow)
{
    Open(20, 20, 300, 200);
    m_pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 200), 0);
    m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 96), 0);
    EXPECT_EQ(CPoint(200, 96), m_pView->GetDeviceScrollPosition());
    EXPECT_EQ(CPoint(200, 96), m_pView->GetScrollPosition());
    EXPECT_GT(m_pFrame->m_nHorzRedraws, 0);
    EXPECT_GT(m_pFrame->m_nVertRedraws, 0);

    CPoint ptClient(10, 10);
    CPoint ptSheet = m_pView->ClientToSheet(ptClient);
    EXPECT_EQ(CPoint(210, 106), ptSheet);
    Click(ptClient);
    EXPECT_EQ(GridCell(210, 106, 20), Sheet().m_nCurCell);

    // At 200 % the same scroll position shows half as many units.
    m_pView->SetZoom(200);
    m_pView->OnViewScale(0);
    m_pView->OnScroll(SB_HORZ, SB_THUMBTRACK, 200);
    m_pView->OnScroll(SB_VERT, SB_THUMBTRACK, 96);
    ptSheet = m_pView->ClientToSheet(ptClient);
    EXPECT_EQ(CPoint(105, 53), ptSheet);
    Click(ptClient);
    EXPECT_EQ(GridCell(105, 53, 20), Sheet().m_nCurCell);
}

TEST_F(SheetViewTest, EnsureCellVisibleBringsAFarCellIntoTheClientArea)
{
    Open(30, 30, 300, 200);
    for (int nZoom : { 100, 200, 50 })
    {
        SCOPED_TRACE(nZoom);
        m_pView->SetZoom(nZoom);
        m_pView->OnViewScale(0);
        m_pView->ScrollToPosition(CPoint(0, 0));
        const int nFar = 20 * 30 + 17;
        m_pView->EnsureCellVisible(nFar);
        CRect rcClient;
        m_pView->GetClientRect(&rcClient);
        CRect rcCell = m_pView->SheetToClient(Sheet().m_cells[nFar].m_rect);
        CRect rcMeet;
        EXPECT_TRUE(rcMeet.IntersectRect(&rcCell, &rcClient));
        EXPECT_GE(rcCell.left, rcClient.left);
        EXPECT_LE(rcCell.right, rcClient.right);
        EXPECT_LE(rcCell.bottom, rcClient.bottom);
        // Back to the first cell: scrolled to the origin again.
        m_pView->EnsureCellVisible(0);
        EXPECT_EQ(CPoint(0, 0), m_pView->GetDeviceScrollPosition());
    }
    m_pView->EnsureCellVisible(-1);
    m_pView->EnsureCellVisible(30 * 30);
}

// ---------------------------------------------------------------- selection

TEST_F(SheetViewTest, ClickShiftClickAndRubberBandSelect)
{
    Open(4, 4);
    Click(ToClient(10, 10));
    EXPECT_EQ(0, Sheet().m_nCurCell);
    EXPECT_EQ(std::vector<int>{ 0 }, Selection());

    // Shift+click spans the band from the last anchor.
    Click(ToClient(90, 40), MK_SHIFT);
    EXPECT_EQ((std::vector<int>{ 0, 1, 4, 5 }), Selection());
    EXPECT_EQ(CRect(10, 10, 90, 40), m_pView->m_rectSelect);
    EXPECT_EQ(0, Sheet().m_nCurCell);

    // A band from (170, 70) back to (10, 10), put in order.
    Click(ToClient(170, 70));
    EXPECT_EQ(10, Sheet().m_nCurCell);
    Drag(ToClient(170, 70), ToClient(95, 35));
    EXPECT_EQ(CRect(95, 35, 170, 70), m_pView->m_rectSelect);
    EXPECT_EQ((std::vector<int>{ 5, 6, 9, 10 }), Selection());

    // A band that only touches cells at their edges leaves them out.
    Drag(ToClient(10, 10), ToClient(80, 30));
    EXPECT_EQ(std::vector<int>{ 0 }, Selection());
    EXPECT_EQ(0, m_pView->m_nDragState);

    // A Shift+click in the anchor's own row or column spans the cells on
    // that line, and so does a band dragged straight along it.
    Click(ToClient(10, 10));
    Click(ToClient(170, 10), MK_SHIFT);
    EXPECT_EQ((std::vector<int>{ 0, 1, 2 }), Selection());
    Click(ToClient(90, 40));
    Click(ToClient(90, 100), MK_SHIFT);
    EXPECT_EQ((std::vector<int>{ 5, 9, 13 }), Selection());
    Drag(ToClient(250, 100), ToClient(90, 100));
    EXPECT_EQ((std::vector<int>{ 13, 14, 15 }), Selection());

    // The same Shift+click made by the mouse and the keyboard through the
    // input queue, where the key flags come from the input state.
    InputClick(m_pView, ToClient(10, 10));
    EXPECT_EQ(std::vector<int>{ 0 }, Selection());
    InputClick(m_pView, ToClient(90, 40), VK_SHIFT);
    EXPECT_EQ((std::vector<int>{ 0, 1, 4, 5 }), Selection());
    EXPECT_EQ(0, Sheet().m_nCurCell);
}

TEST_F(SheetViewTest, CtrlClickTogglesCells)
{
    Open(3, 3);
    Click(ToClient(10, 10));
    Click(ToClient(90, 10), MK_CONTROL);
    Click(ToClient(170, 40), MK_CONTROL);
    EXPECT_EQ((std::vector<int>{ 0, 1, 5 }), Selection());
    Click(ToClient(90, 10), MK_CONTROL);
    EXPECT_EQ((std::vector<int>{ 0, 5 }), Selection());
    // The current cell leaves the selection and stays current.
    Click(ToClient(10, 10), MK_CONTROL);
    EXPECT_EQ(std::vector<int>{ 5 }, Selection());
    EXPECT_EQ(0, Sheet().m_nCurCell);
    // Outside every cell (inside the 5-unit margin) nothing changes.
    Click(ToClient(242, 40), MK_CONTROL);
    EXPECT_EQ(std::vector<int>{ 5 }, Selection());
}

TEST_F(SheetViewTest, PressesOutsideTheSheetMarginAreIgnored)
{
    Open(2, 2);
    // 3 units right of the sheet counts as inside: no cell there, so the
    // selection is cleared; 6 units right does nothing.
    Click(ToClient(10, 10));
    Click(ToClient(163, 10));
    EXPECT_EQ(std::vector<int>{}, Selection());
    Click(ToClient(10, 10));
    Click(ToClient(166, 10));
    EXPECT_EQ(std::vector<int>{ 0 }, Selection());
    Click(ToClient(10, 64));
    EXPECT_EQ(std::vector<int>{}, Selection());
    Click(ToClient(10, 10));
    Click(ToClient(10, 66));
    EXPECT_EQ(std::vector<int>{ 0 }, Selection());
}

TEST_F(SheetViewTest, DesignClickOpensTheLabelEditorOfStaticTextOnly)
{
    Open(2, 2);
    Sheet().m_cells[1].SetType(CELL_NUMERIC);
    Sheet().m_cells[2].m_bDynamic = 1;
    Click(ToClient(10, 10));
    Click(ToClient(90, 10));
    Click(ToClient(10, 40));
    Click(ToClient(90, 40));
    EXPECT_EQ((std::vector<int>{ 0, 3 }), m_pView->m_editorCells);
}

TEST_F(SheetViewTest, RunModeClickSelectsEditableCells)
{
    Open(2, 3);
    Sheet().m_bDesignMode = FALSE;
    Sheet().m_cells[1].SetType(CELL_NUMERIC);
    Sheet().m_cells[2].SetType(CELL_FORMULA);
    Sheet().m_cells[3].SetType(CELL_PICTURE);
    Sheet().m_cells[4].m_bDynamic = 1;
    Click(ToClient(10, 10));        // static text: nothing
    EXPECT_EQ(std::vector<int>{}, Selection());
    Click(ToClient(90, 10));
    EXPECT_EQ(std::vector<int>{ 1 }, Selection());
    Click(ToClient(170, 10));       // formula: selected, no editor
    EXPECT_EQ(std::vector<int>{ 2 }, Selection());
    Click(ToClient(10, 40));        // picture: nothing changes
    EXPECT_EQ(std::vector<int>{ 2 }, Selection());
    Click(ToClient(90, 40));
    EXPECT_EQ(4, Sheet().m_nCurCell);
    EXPECT_EQ((std::vector<int>{ 1, 4 }), m_pView->m_editorCells);
    // On an analysis report a figure the database computes is selected,
    // not edited.
    Sheet().m_nKind = SHEET_KIND_ANALYSIS;
    Sheet().m_cells[1].m_strAnalysis = "@Organ#1&Time#1";
    Click(ToClient(90, 10));
    EXPECT_EQ(std::vector<int>{ 1 }, Selection());
    EXPECT_EQ((std::vector<int>{ 1, 4 }), m_pView->m_editorCells);
}

TEST_F(SheetViewTest, DoubleClickRunsFormulaEditOrProperties)
{
    Open(2, 2);
    Sheet().m_cells[3].SetType(CELL_FORMULA);
    m_pView->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(90, 40));
    m_pView->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    m_pView->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(300, 10));
    EXPECT_EQ(std::vector<int>{ 3 }, m_pView->m_formulaCells);
    EXPECT_EQ(1, m_pView->m_nPropertiesCalls);
}

TEST_F(SheetViewTest, MouseMovesTrackTheRulersAndTheHoverKind)
{
    Open(2, 2);
    m_pFrame->m_cursorMarks.clear();
    Move(CPoint(80, 10));
    EXPECT_EQ(HIT_VERTICAL_BORDER, Sheet().m_nBorderClass);
    Move(CPoint(40, 30));
    EXPECT_EQ(HIT_HORIZONTAL_BORDER, Sheet().m_nBorderClass);
    Move(CPoint(40, 15));
    EXPECT_EQ(HIT_NONE, Sheet().m_nBorderClass);
    ASSERT_EQ(3u, m_pFrame->m_cursorMarks.size());
    EXPECT_EQ(40, m_pFrame->m_cursorMarks[2].x);
    EXPECT_EQ(15, m_pFrame->m_cursorMarks[2].y);
}

// ---------------------------------------------------------- border dragging

TEST_F(SheetViewTest, DraggingALineResizesTheColumnByTheDraggedAmount)
{
    Open(3, 3);
    for (int nZoom : { 100, 200 })
    {
        SCOPED_TRACE(nZoom);
        m_pView->SetZoom(nZoom);
        m_pView->OnViewScale(0);
        LONG nRightBefore = Sheet().m_rcBounds.right;
        LONG nLine = Sheet().m_cells[0].m_rect.right;
        Drag(ToClient(nLine, 15), ToClient(nLine + 20, 15));
        for (int r = 0; r < 3; ++r)
        {
            EXPECT_EQ(nLine + 20, Sheet().m_cells[r * 3].m_rect.right);
            EXPECT_EQ(nLine + 20, Sheet().m_cells[r * 3 + 1].m_rect.left);
        }
        EXPECT_EQ(nRightBefore + 20, Sheet().m_rcBounds.right);
        EXPECT_TRUE(m_doc.IsModified());
        ASSERT_NE(nullptr, Sheet().GetUndoAction());
        EXPECT_EQ(UNDO_MOVE, Sheet().GetUndoAction()->m_nKind);
        EXPECT_EQ(0, m_pView->m_nDragState);
    }
    EXPECT_EQ(CSize((Sheet().m_rcBounds.right * 200) / 100 + 20, 90 * 200 / 100 + 20),
              m_pView->GetTotalSize());
}

TEST_F(SheetViewTest, DraggingALineResizesTheRowByTheDraggedAmount)
{
    Open(3, 3);
    Drag(CPoint(40, 30), CPoint(40, 55));
    for (int c = 0; c < 3; ++c)
    {
        EXPECT_EQ(55, Sheet().m_cells[c].m_rect.bottom);
        EXPECT_EQ(55, Sheet().m_cells[3 + c].m_rect.top);
        EXPECT_EQ(85, Sheet().m_cells[3 + c].m_rect.bottom);
    }
    EXPECT_EQ(115, Sheet().m_rcBounds.bottom);
    // Undo puts the line back.
    ASSERT_NE(nullptr, Sheet().Undo());
    EXPECT_EQ(30, Sheet().m_cells[0].m_rect.bottom);
    EXPECT_EQ(60, Sheet().m_cells[3].m_rect.bottom);
}

TEST_F(SheetViewTest, ASelectedCellMovesOnlyItsSegment)
{
    Open(3, 3);
    Click(CPoint(10, 10));
    ASSERT_EQ(std::vector<int>{ 0 }, Selection());
    Drag(CPoint(80, 15), CPoint(110, 15));
    EXPECT_EQ(110, Sheet().m_cells[0].m_rect.right);
    EXPECT_EQ(110, Sheet().m_cells[1].m_rect.left);
    EXPECT_EQ(80, Sheet().m_cells[3].m_rect.right);
    EXPECT_EQ(80, Sheet().m_cells[4].m_rect.left);
}

TEST_F(SheetViewTest, TinyOrRefusedDragsChangeNothing)
{
    Open(3, 3);
    Drag(CPoint(80, 15), CPoint(81, 15));
    EXPECT_EQ(80, Sheet().m_cells[0].m_rect.right);
    EXPECT_FALSE(Sheet().CanUndo());
    EXPECT_FALSE(m_doc.IsModified());

    // A refused segment (list A has no cell ending with the selection).
    Sheet().m_cells[1].m_rect.bottom = 90;
    Sheet().m_cells[4].m_rect = CRect(300, 300, 301, 301);
    Click(CPoint(10, 10));
    Drag(CPoint(80, 15), CPoint(100, 15));
    EXPECT_EQ(80, Sheet().m_cells[0].m_rect.right);
    EXPECT_FALSE(Sheet().CanUndo());
}

TEST_F(SheetViewTest, ReleasePastTheRangeIsHeldInIt)
{
    Open(2, 3);
    Click(CPoint(10, 10));
    // A1's right edge may not pass B1's right edge less 5.
    Drag(CPoint(80, 15), CPoint(390, 15));
    EXPECT_EQ(155, Sheet().m_cells[0].m_rect.right);
    EXPECT_EQ(155, Sheet().m_cells[1].m_rect.left);
    EXPECT_LT(Sheet().m_cells[1].m_rect.left, Sheet().m_cells[1].m_rect.right);
}

TEST_F(SheetViewTest, ShiftOrCtrlClickOnALineNeverMovesIt)
{
    Open(2, 3);
    Drag(CPoint(80, 15), CPoint(100, 15));
    ASSERT_EQ(100, Sheet().m_cells[0].m_rect.right);
    CUndoAction* pLast = Sheet().GetUndoAction();
    // The lists of that drag are still there; a selecting press on another
    // line must not apply them.
    for (UINT nKey : { MK_SHIFT, MK_CONTROL })
    {
        Move(CPoint(180, 15));
        ASSERT_EQ(HIT_VERTICAL_BORDER, Sheet().m_nBorderClass);
        Press(CPoint(180, 15), nKey);
        Release(CPoint(180, 15), nKey);
        EXPECT_EQ(100, Sheet().m_cells[0].m_rect.right);
        EXPECT_EQ(180, Sheet().m_cells[1].m_rect.right);
        EXPECT_EQ(pLast, Sheet().GetUndoAction());
    }
}

// ------------------------------------------------------------- context menu

TEST_F(SheetViewTest, RightClickOffersTheContextMenu)
{
    Open(3, 3);
    Click(CPoint(10, 10));
    Click(CPoint(90, 10), MK_CONTROL);
    // Inside a selected cell the selection stays.
    m_pView->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 12));
    EXPECT_EQ(1, m_pView->m_nMenus);
    EXPECT_EQ((std::vector<int>{ 0, 1 }), Selection());
    CPoint ptScreen(100, 12);
    m_pView->ClientToScreen(&ptScreen);
    EXPECT_EQ(ptScreen, m_pView->m_ptMenu);

    std::vector<UINT> ids;
    std::vector<std::string> texts;
    for (const viewtest::MenuItem& item : m_pView->m_menuItems)
        if (!item.text.empty())
        {
            ids.push_back(item.nID);
            texts.push_back(item.text);
        }
    const std::vector<UINT> expectedIds = { 32861, 32862, 33047, 33049, 0, 32839, 32841, 32840,
                                            32842, 32844, 32843, 32845, 32846, 32804, 32805,
                                            32808, 32806, 32807, 32809, 32810, 32811 };
    EXPECT_EQ(expectedIds, ids);
    EXPECT_EQ("&Property...", texts[0]);
    EXPECT_EQ("&Align", texts[4]);
    EXPECT_EQ("Backgroud &Color", texts[11]);
    EXPECT_EQ("&Split Cell", texts.back());

    // Elsewhere the cell under the point becomes the only selection.
    m_pView->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(170, 70));
    EXPECT_EQ(std::vector<int>{ 8 }, Selection());
    EXPECT_EQ(8, Sheet().m_nCurCell);
    // Run mode and points outside the sheet offer nothing.
    m_pView->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(300, 10));
    Sheet().m_bDesignMode = FALSE;
    m_pView->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(2, m_pView->m_nMenus);
}

// ------------------------------------------------------------------ drawing

TEST_F(SheetViewTest, DisplayModesDrawDifferentTexts)
{
    Open(2, 2);
    Sheet().m_cells[1].SetType(CELL_NUMERIC);
    CRect rcB1 = m_pView->SheetToClient(Sheet().m_cells[1].m_rect);
    rcB1.DeflateRect(2, 2);
    std::vector<int> inks;
    for (UINT nID : { ID_VIEW_MODE_NORMAL, ID_VIEW_MODE_CELLNAME, ID_VIEW_MODE_CELLTYPE,
                      ID_VIEW_MODE_TABINDEX })
    {
        m_pView->SendMessage(WM_COMMAND, nID);
        EXPECT_EQ(1, CheckOf(m_pView, nID));
        sheettest::RenderCanvas canvas(400, 300);
        Render(canvas);
        inks.push_back(InkCount(canvas, rcB1));
    }
    // A data cell shows no value in design mode; its name, type ("Data")
    // and tab index ("2") all differ.
    EXPECT_EQ(0, inks[0]);
    EXPECT_GT(inks[1], 0);
    EXPECT_GT(inks[2], 0);
    EXPECT_GT(inks[3], 0);
    EXPECT_NE(inks[1], inks[2]);
    EXPECT_NE(inks[1], inks[3]);
    EXPECT_EQ(DISPLAY_TABINDEX, Sheet().m_nDisplayMode);
    EXPECT_EQ(0, CheckOf(m_pView, ID_VIEW_MODE_NORMAL));
}

TEST_F(SheetViewTest, SelectionAndCellFrameAreDrawn)
{
    Open(2, 3);
    Sheet().m_cells[0].m_strValue.Empty();
    Sheet().m_cells[1].m_strValue.Empty();
    Click(CPoint(10, 10));
    Click(CPoint(90, 10), MK_CONTROL);
    sheettest::RenderCanvas canvas(400, 300);
    Render(canvas);
    // The other selected cell is inverted; the current one has its focus
    // frame and a white inside.
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(120, 15));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(40, 15));
    EXPECT_GT(InkCount(canvas, CRect(1, 1, 4, 29)), 0);

    // An inner line without a border from either side (B2 to C2): a guide
    // only with the cell frame on; beside a border (A2 to B2), none.
    Sheet().m_cells[5].m_nLeftEdge = CELL_LINE_NONE;
    Sheet().m_arrSel.RemoveAll();
    sheettest::RenderCanvas plain(400, 300);
    Render(plain);
    int nPlain = InkCount(plain, CRect(159, 35, 160, 55));
    m_pView->SendMessage(WM_COMMAND, ID_VIEW_CELL_BORDER);
    EXPECT_EQ(1, CheckOf(m_pView, ID_VIEW_CELL_BORDER));
    sheettest::RenderCanvas framed(400, 300);
    Render(framed);
    EXPECT_EQ(0, nPlain);
    EXPECT_GT(InkCount(framed, CRect(159, 35, 160, 55)), 0);
    EXPECT_EQ(0, InkCount(framed, CRect(79, 35, 80, 55)));
}

TEST_F(SheetViewTest, AnEmptySheetPaintsWhite)
{
    Open(1, 1);
    Sheet().RemoveAllCells();
    SetRectEmpty(&Sheet().m_rcBounds);
    sheettest::RenderCanvas canvas(200, 100);
    canvas.Fill(RGB(10, 20, 30));
    Render(canvas);
    EXPECT_EQ(0, InkCount(canvas, CRect(0, 0, 200, 100)));
}

TEST_F(SheetViewTest, TenThousandCellsRedrawAtHalfZoom)
{
    Open(100, 100, 640, 480);
    m_pView->SetZoom(50);
    m_pView->OnViewScale(0);
    m_pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    sheettest::RenderCanvas canvas(640, 480);
    Render(canvas);
    // Cell names are drawn in the first cell at half size.
    EXPECT_GT(InkCount(canvas, CRect(1, 1, 39, 14)), 0);
    m_pView->OnScroll(SB_VERT, SB_BOTTOM, 0);
    m_pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

TEST_F(SheetViewTest, DesignModeScreenshot)
{
    Open(8, 6, 520, 280);
    Sheet().m_cells[7].SetType(CELL_NUMERIC);
    Sheet().m_cells[14].SetType(CELL_FORMULA);
    Click(CPoint(90, 40));
    Click(CPoint(170, 70), MK_CONTROL);
    m_pView->SendMessage(WM_COMMAND, ID_VIEW_CELL_BORDER);
    m_pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(SaveWindowScreenshot(m_pFrame->m_hWnd,
                                     VIEW_TEST_EVIDENCE_DIR "/sheetview-design.bmp"));
}

TEST_F(SheetViewTest, ARubberBandPastTheWindowScrollsIt)
{
    Open(20, 20, 300, 200);
    CRect rcClient;
    m_pView->GetClientRect(&rcClient);
    Move(CPoint(10, 10));
    Press(CPoint(10, 10));
    CPoint ptOutside(rcClient.right + 40, 50);
    Move(ptOutside, MK_LBUTTON);
    EXPECT_EQ(CPoint(30, 0), m_pView->GetDeviceScrollPosition());
    EXPECT_EQ(CRect(10, 10, ptOutside.x + 30, 50), m_pView->m_rectSelect);
    Move(CPoint(20, rcClient.bottom + 5), MK_LBUTTON);
    EXPECT_EQ(CPoint(30, 30), m_pView->GetDeviceScrollPosition());
    Move(CPoint(-5, -5), MK_LBUTTON);
    EXPECT_EQ(CPoint(0, 0), m_pView->GetDeviceScrollPosition());
    Release(CPoint(-5, -5));
    // Everything from the anchor back to the origin.
    EXPECT_EQ(std::vector<int>{ 0 }, Selection());
    EXPECT_EQ(CRect(-5, -5, 10, 10), m_pView->m_rectSelect);
}
