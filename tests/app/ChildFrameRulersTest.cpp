// The child frame's rulers round a sheet view: layout and View > Show
// Rulers, redraw requests, the cursor marks, and the band edges dragged on
// the vertical ruler.
#include "tests/app/FrameWithView.h"
#include "tests/support/RecordingCmdUI.h"
#include "tests/support/Screenshot.h"
#include "sheet/Sheet.h"
#include "SheetViewIds.h"

namespace
{

class ChildFrameRulersTest : public FrameWithViewTest
{
protected:
    // The view over a sheet 600 units high.
    void SetUp() override
    {
        FrameWithViewTest::SetUp();
        ASSERT_TRUE(m_pView != NULL);
        m_pFrame->MoveWindow(0, 0, 800, 600);
        ::SetRect(&Sheet().m_rcBounds, 0, 0, 500, 600);
        m_pView->UpdateScrollSizes();
    }
    void TearDown() override
    {
        for (CChildFrame* pChild : m_others)
            pChild->DestroyWindow();
        FrameWithViewTest::TearDown();
    }
    // A second document in its own child frame.
    CChildFrame* OpenOther()
    {
        CTallyformDoc* pDoc = new CTallyformDoc;
        CChildFrame* pChild = pDoc->COleServerDoc::OnNewDocument() ? OpenChildFrame(pDoc) : NULL;
        if (pChild != NULL)
            m_others.push_back(pChild);
        return pChild;
    }

    CSheet& Sheet() { return m_pDoc->m_sheet; }
    CRect ChildRect(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        m_pChild->ScreenToClient(&rect);
        return rect;
    }
    void ToggleRulers(CChildFrame* pChild)
    {
        pChild->SendMessage(WM_COMMAND, ID_VIEW_SHOW_RULERS);
    }
    int RulerCheck(CChildFrame* pChild)
    {
        return CRecordingCmdUI::Update(pChild, ID_VIEW_SHOW_RULERS).m_nCheck;
    }
    // Mouse messages to the vertical ruler at client y.
    void VertMouse(UINT message, int y)
    {
        m_pChild->m_wndVertRuler.SendMessage(message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON,
                                             MAKELPARAM(2, y));
    }
    // Sets the bands and zoom, and repaints the ruler, which reads them.
    void SetBands(LONG nHeader, LONG nTail, int nZoom = 100)
    {
        Sheet().m_nHeaderBand = nHeader;
        Sheet().m_nTailBand = nTail;
        m_pView->m_nZoomPercent = nZoom;
        m_pView->UpdateScrollSizes();
        m_pView->GetDocument()->SetModifiedFlag(FALSE);
        m_pChild->RedrawVertRuler();
    }
    // Presses on the edge at y0, drags to y1 and lets go.
    void DragEdge(int y0, int y1)
    {
        VertMouse(WM_MOUSEMOVE, y0);
        VertMouse(WM_LBUTTONDOWN, y0);
        VertMouse(WM_MOUSEMOVE, y1);
        VertMouse(WM_LBUTTONUP, y1);
    }
    COLORREF RulerPixel(CWnd* pRuler, int x, int y)
    {
        CClientDC dc(pRuler);
        return dc.GetPixel(x, y);
    }

    std::vector<CChildFrame*> m_others;
};

TEST_F(ChildFrameRulersTest, RulersAreDockedAboveAndLeftOfTheView)
{
    CHorzRuler& horz = m_pChild->m_wndHorzRuler;
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    ASSERT_TRUE(::IsWindow(horz.m_hWnd));
    ASSERT_TRUE(::IsWindow(vert.m_hWnd));
    EXPECT_EQ(IDD_HORZ_RULER, ::GetDlgCtrlID(horz.m_hWnd));
    EXPECT_EQ(IDD_VERT_RULER, ::GetDlgCtrlID(vert.m_hWnd));
    EXPECT_TRUE(horz.IsWindowVisible());
    EXPECT_TRUE(vert.IsWindowVisible());

    CRect rcClient, rcHorz = ChildRect(&horz), rcVert = ChildRect(&vert);
    CRect rcView = ChildRect(m_pView);
    m_pChild->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.left, rcHorz.left);
    EXPECT_EQ(rcClient.top, rcHorz.top);
    EXPECT_EQ(rcClient.right, rcHorz.right);
    EXPECT_EQ(rcHorz.bottom, rcVert.top);
    EXPECT_EQ(rcClient.left, rcVert.left);
    EXPECT_EQ(rcClient.bottom, rcVert.bottom);
    EXPECT_EQ(rcVert.right, rcView.left);
    EXPECT_EQ(rcHorz.bottom, rcView.top);
    EXPECT_GT(rcHorz.Height(), 0);
    EXPECT_GT(rcVert.Width(), 0);
    // The corner square is as wide as the vertical ruler: the horizontal
    // scale's start is the view's left edge.
    CRect rcHorzClient;
    horz.GetClientRect(&rcHorzClient);
    EXPECT_EQ(rcHorzClient.Height(), rcVert.Width());
    EXPECT_EQ(1, RulerCheck(m_pChild));

    SetBands(60, 80);
    m_pChild->RedrawRulers(TRUE, TRUE);
    m_pChild->TrackRulerCursor(CPoint(120, 150));
    SaveWindowScreenshot(m_pChild->m_hWnd, DESIGNER_SCREENSHOT_DIR "/child-frame-rulers.bmp");
}

TEST_F(ChildFrameRulersTest, ShowRulersTwiceGivesBackTheFirstLayoutAndTheCheckFollows)
{
    CRect rcClient, rcFirst = ChildRect(m_pView);
    m_pChild->GetClientRect(&rcClient);

    ToggleRulers(m_pChild);
    EXPECT_FALSE(m_pChild->m_bShowRulers);
    EXPECT_FALSE(m_pChild->m_wndHorzRuler.IsWindowVisible());
    EXPECT_FALSE(m_pChild->m_wndVertRuler.IsWindowVisible());
    EXPECT_EQ(rcClient, ChildRect(m_pView));
    EXPECT_EQ(0, RulerCheck(m_pChild));

    ToggleRulers(m_pChild);
    EXPECT_TRUE(m_pChild->m_bShowRulers);
    EXPECT_TRUE(m_pChild->m_wndHorzRuler.IsWindowVisible());
    EXPECT_TRUE(m_pChild->m_wndVertRuler.IsWindowVisible());
    EXPECT_EQ(rcFirst, ChildRect(m_pView));
    EXPECT_EQ(1, RulerCheck(m_pChild));
}

TEST_F(ChildFrameRulersTest, TwoFramesKeepTheirOwnRulerState)
{
    CChildFrame* pSecond = OpenOther();
    ASSERT_TRUE(pSecond != NULL);
    ToggleRulers(m_pChild);
    EXPECT_FALSE(m_pChild->m_bShowRulers);
    EXPECT_TRUE(pSecond->m_bShowRulers);
    EXPECT_TRUE(pSecond->m_wndHorzRuler.IsWindowVisible());
    EXPECT_EQ(0, RulerCheck(m_pChild));
    EXPECT_EQ(1, RulerCheck(pSecond));
    ToggleRulers(pSecond);
    ToggleRulers(m_pChild);
    EXPECT_TRUE(m_pChild->m_bShowRulers);
    EXPECT_FALSE(pSecond->m_bShowRulers);
    EXPECT_FALSE(pSecond->m_wndVertRuler.IsWindowVisible());
}

TEST_F(ChildFrameRulersTest, RedrawOfHiddenRulersChangesNothing)
{
    ToggleRulers(m_pChild);
    CRect rcView = ChildRect(m_pView);
    CRect rcHorz = ChildRect(&m_pChild->m_wndHorzRuler);
    m_pChild->RedrawRulers(TRUE, TRUE);
    m_pChild->TrackRulerCursor(CPoint(30, 40));
    EXPECT_FALSE(m_pChild->m_wndHorzRuler.IsWindowVisible());
    EXPECT_FALSE(m_pChild->m_wndVertRuler.IsWindowVisible());
    EXPECT_EQ(rcView, ChildRect(m_pView));
    EXPECT_EQ(rcHorz, ChildRect(&m_pChild->m_wndHorzRuler));
    EXPECT_FALSE(m_pChild->m_bShowRulers);
}

TEST_F(ChildFrameRulersTest, CursorMarksFollowTheViewAndEraseTheirLastPlace)
{
    CHorzRuler& horz = m_pChild->m_wndHorzRuler;
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    EXPECT_EQ(-1, horz.m_nCursorX);
    EXPECT_EQ(-1, vert.m_nCursorY);
    CRect rcHorz;
    horz.GetClientRect(&rcHorz);
    m_pChild->RedrawRulers(TRUE, TRUE);
    // A point of the white scale area that no scale line crosses.
    int xWhite = rcHorz.Height() + 3, yProbe = 1;
    COLORREF crBefore = RulerPixel(&horz, xWhite, yProbe);
    ASSERT_EQ(RGB(255, 255, 255), crBefore);

    m_pChild->TrackRulerCursor(CPoint(3, 50));
    EXPECT_EQ(3 + rcHorz.Height(), horz.m_nCursorX);
    EXPECT_EQ(50, vert.m_nCursorY);
    EXPECT_NE(crBefore, RulerPixel(&horz, xWhite, yProbe));

    m_pChild->TrackRulerCursor(CPoint(20, 90));
    EXPECT_EQ(20 + rcHorz.Height(), horz.m_nCursorX);
    EXPECT_EQ(90, vert.m_nCursorY);
    EXPECT_EQ(crBefore, RulerPixel(&horz, xWhite, yProbe));

    // The view's mouse moves come through the frame.
    m_pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(7, 11));
    EXPECT_EQ(7 + rcHorz.Height(), horz.m_nCursorX);
    EXPECT_EQ(11, vert.m_nCursorY);

    // Over the corner square the horizontal mark stays; right of it, it follows.
    horz.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rcHorz.Height() - 2, 3));
    EXPECT_EQ(7 + rcHorz.Height(), horz.m_nCursorX);
    horz.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rcHorz.Height() + 40, 3));
    EXPECT_EQ(rcHorz.Height() + 40, horz.m_nCursorX);
}

TEST_F(ChildFrameRulersTest, TooltipNamesThePartUnderThePointer)
{
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    EXPECT_STREQ("Header", vert.GetTipText());
    SetBands(40, 50);
    VertMouse(WM_MOUSEMOVE, 20);
    EXPECT_STREQ("Header", vert.GetTipText());
    VertMouse(WM_MOUSEMOVE, 200);
    EXPECT_STREQ("Body", vert.GetTipText());
    VertMouse(WM_MOUSEMOVE, 560);
    EXPECT_STREQ("Tail", vert.GetTipText());
    VertMouse(WM_MOUSEMOVE, 42);
    EXPECT_TRUE(vert.m_bOnHeaderEdge);
    EXPECT_STREQ("Change report header position", vert.GetTipText());
    VertMouse(WM_MOUSEMOVE, 548);
    EXPECT_FALSE(vert.m_bOnHeaderEdge);
    EXPECT_TRUE(vert.m_bOnTailEdge);
    EXPECT_STREQ("Change report tail position", vert.GetTipText());
    EXPECT_FALSE(vert.m_bDragging);
}

TEST_F(ChildFrameRulersTest, DraggingTheHeaderEdgeSetsTheHeightWithoutAnUndoRecord)
{
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    SetBands(40, 50);
    INT_PTR nUndo = Sheet().m_lstUndo.GetCount();
    VertMouse(WM_MOUSEMOVE, 40);
    VertMouse(WM_LBUTTONDOWN, 40);
    EXPECT_TRUE(vert.m_bDragging);
    VertMouse(WM_MOUSEMOVE, 75);
    EXPECT_EQ(75, Sheet().m_nHeaderBand);
    EXPECT_EQ(50, Sheet().m_nTailBand);
    EXPECT_TRUE(m_pView->GetDocument()->IsModified());
    VertMouse(WM_LBUTTONUP, 75);
    EXPECT_FALSE(vert.m_bDragging);
    EXPECT_EQ(75, Sheet().m_nHeaderBand);
    EXPECT_EQ(nUndo, Sheet().m_lstUndo.GetCount());
}

TEST_F(ChildFrameRulersTest, LosingTheCaptureEndsTheDrag)
{
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    SetBands(40, 50);
    VertMouse(WM_MOUSEMOVE, 40);
    VertMouse(WM_LBUTTONDOWN, 40);
    VertMouse(WM_MOUSEMOVE, 60);
    ASSERT_TRUE(vert.m_bDragging);
    EXPECT_EQ(vert.m_hWnd, ::GetCapture());
    m_pView->SetCapture();
    EXPECT_FALSE(vert.m_bDragging);
    ::ReleaseCapture();
    // A later move without the button moves no edge.
    VertMouse(WM_MOUSEMOVE, 120);
    EXPECT_EQ(60, Sheet().m_nHeaderBand);
}

TEST_F(ChildFrameRulersTest, DraggedEdgesStayInsideTheSheet)
{
    // Past the tail: 5 pixels above it.
    SetBands(40, 50);
    DragEdge(40, 590);
    EXPECT_EQ(600 - 50 - 5, Sheet().m_nHeaderBand);
    // Above the top: 0.
    SetBands(40, 50);
    DragEdge(40, -20);
    EXPECT_EQ(0, Sheet().m_nHeaderBand);
    // The tail edge up past the header.
    SetBands(40, 50);
    DragEdge(550, 10);
    EXPECT_EQ(600 - 40 - 5, Sheet().m_nTailBand);
    EXPECT_EQ(40, Sheet().m_nHeaderBand);
    // A tail that fills the sheet leaves the header no room, never less.
    SetBands(0, 600);
    DragEdge(1, 30);
    EXPECT_EQ(0, Sheet().m_nHeaderBand);
    EXPECT_EQ(600, Sheet().m_nTailBand);
    EXPECT_GE(m_pChild->m_wndVertRuler.m_nHeaderPos, 0);
}

TEST_F(ChildFrameRulersTest, AtOtherZoomsOnlyTheMovedBandChanges)
{
    // 41 and 33 units are 61 and 49 pixels at 150 %; written back blindly
    // they would come back as 40 and 32.
    SetBands(41, 33, 150);
    VertMouse(WM_MOUSEMOVE, 61);
    ASSERT_TRUE(m_pChild->m_wndVertRuler.m_bOnHeaderEdge);
    VertMouse(WM_LBUTTONDOWN, 61);
    VertMouse(WM_LBUTTONUP, 61);
    EXPECT_EQ(41, Sheet().m_nHeaderBand);
    EXPECT_EQ(33, Sheet().m_nTailBand);
    EXPECT_FALSE(m_pView->GetDocument()->IsModified());

    SetBands(41, 33, 150);
    DragEdge(61, 91);
    EXPECT_EQ(91 * 100 / 150, Sheet().m_nHeaderBand);
    EXPECT_EQ(33, Sheet().m_nTailBand);
    EXPECT_TRUE(m_pView->GetDocument()->IsModified());
}

TEST_F(ChildFrameRulersTest, BandsAreShadedAndAMissingTailShowsTheSheetEnd)
{
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    CRect rc;
    vert.GetClientRect(&rc);
    ASSERT_GT(rc.Height(), 100);
    // A short sheet so that its end is in sight.
    ::SetRect(&Sheet().m_rcBounds, 0, 0, 500, 100);
    SetBands(20, 0);
    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(crShadow, RulerPixel(&vert, 1, 10));
    EXPECT_EQ(RGB(255, 0, 0), RulerPixel(&vert, 1, 100));
    SetBands(20, 30);
    EXPECT_EQ(crShadow, RulerPixel(&vert, 1, 85));
    EXPECT_NE(RGB(255, 0, 0), RulerPixel(&vert, 1, 100));
}

TEST_F(ChildFrameRulersTest, ScrollingRedrawsTheBandsAndEdgesFollowTheScroll)
{
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    SetBands(40, 50);
    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    ASSERT_EQ(crShadow, RulerPixel(&vert, 1, 10));
    m_pView->ScrollToPosition(CPoint(0, 100));
    ASSERT_EQ(100, m_pView->GetDeviceScrollPosition().y);
    // The header band now ends above the ruler's top.
    EXPECT_EQ(RGB(255, 255, 255), RulerPixel(&vert, 1, 10));
    // The tail edge (550 on the sheet) is at client y 450.
    VertMouse(WM_MOUSEMOVE, 450);
    EXPECT_TRUE(vert.m_bOnTailEdge);
    VertMouse(WM_LBUTTONDOWN, 450);
    VertMouse(WM_MOUSEMOVE, 400);
    VertMouse(WM_LBUTTONUP, 400);
    EXPECT_EQ(600 - 100 - 400, Sheet().m_nTailBand);
    EXPECT_EQ(40, Sheet().m_nHeaderBand);
}

TEST_F(ChildFrameRulersTest, WithoutAViewTheRulersShowTheScaleAndTakeNoDrag)
{
    CChildFrame* pEmpty = new CChildFrame;
    ASSERT_TRUE(pEmpty->LoadFrame(IDR_TALLYFORM_TEMPLATE, WS_CHILD | WS_OVERLAPPEDWINDOW, m_pFrame,
                                  NULL));
    m_others.push_back(pEmpty);
    pEmpty->ShowWindow(SW_SHOWNORMAL);
    pEmpty->MoveWindow(0, 0, 400, 300);
    CVertRuler& vert = pEmpty->m_wndVertRuler;
    ASSERT_TRUE(::IsWindow(vert.m_hWnd));
    pEmpty->RedrawRulers(TRUE, TRUE);
    EXPECT_EQ(0, vert.m_nHeaderPos);
    EXPECT_EQ(0, vert.m_nTailPos);
    // No band and no end-of-sheet line: the top of the ruler is white.
    EXPECT_EQ(RGB(255, 255, 255), RulerPixel(&vert, 1, 1));
    vert.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 1));
    vert.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    EXPECT_FALSE(vert.m_bOnHeaderEdge);
    EXPECT_FALSE(vert.m_bDragging);
    EXPECT_EQ(1, vert.m_nCursorY);
}

} // namespace
