#include <memory>
#include <vector>

#include "tests/support/Gtest.h"

#include "framework/docview/DialogBar.h"
#include "framework/docview/DockBar.h"
#include "framework/docview/MDIWnd.h"
#include "framework/docview/MiniDockFrame.h"
#include "tests/framework/docview/BarTestFrame.h"
#include "tests/framework/docview/BarTestResource.h"
#include "tests/framework/docview/FrameTestResource.h"
#include "tests/support/Screenshot.h"

namespace
{
CRect WindowRect(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

// An MDI frame with a docked toolbar and a status bar.
class CBarMDIFrame : public CMDIFrameWnd
{
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1 ||
            !m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP) ||
            !m_wndToolBar.LoadToolBar(IDR_TEST_BAR) || !m_wndStatusBar.Create(this) ||
            !m_wndStatusBar.SetIndicators(g_barTestIndicators, 4))
            return -1;
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_LEFT);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarMDIFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class DockingTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
    }
    void MakeFrame(BOOL bDock)
    {
        m_pFrame = CBarTestFrame::Make(bDock);
        ASSERT_NE(m_pFrame, nullptr);
        if (!bDock)
        {
            m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        }
    }
    // Another bar of the test buttons, on the frame and not yet docked.
    CToolBar* MakeBar(LPCSTR lpszTitle)
    {
        m_bars.push_back(std::make_unique<CToolBar>());
        CToolBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->CreateEx(m_pFrame, TBSTYLE_FLAT,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER |
                                       CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC));
        EXPECT_TRUE(pBar->LoadToolBar(IDR_TEST_BAR));
        pBar->SetWindowText(lpszTitle);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }
    CRect FrameClientRect() const
    {
        CRect rect;
        m_pFrame->GetClientRect(&rect);
        m_pFrame->ClientToScreen(&rect);
        return rect;
    }
    CDockBar* DockBar(UINT nID) const
    {
        return static_cast<CDockBar*>(m_pFrame->GetControlBar(nID));
    }

    CBarTestFrame* m_pFrame = NULL;
    std::vector<std::unique_ptr<CToolBar>> m_bars;
};
}

TEST_F(DockingTest, EachSidePutsTheBarOnThatSideOfThePane)
{
    const UINT sides[] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                           AFX_IDW_DOCKBAR_RIGHT };
    for (UINT nSide : sides)
    {
        SCOPED_TRACE(nSide);
        MakeFrame(FALSE);
        CToolBar& bar = m_pFrame->m_wndToolBar;
        m_pFrame->DockControlBar(&bar, nSide);
        ASSERT_EQ(bar.m_pDockBar, DockBar(nSide));
        EXPECT_EQ(::GetParent(bar.m_hWnd), DockBar(nSide)->m_hWnd);
        CRect rectBar = WindowRect(bar), rectPane = m_pFrame->PaneRect();
        CRect rectClient = FrameClientRect();
        CRect rectStatus = WindowRect(m_pFrame->m_wndStatusBar);
        switch (nSide)
        {
        case AFX_IDW_DOCKBAR_TOP:
            EXPECT_EQ(rectBar.top, rectClient.top);
            EXPECT_EQ(rectPane.top, rectBar.bottom);
            EXPECT_TRUE(bar.GetBarStyle() & CBRS_ALIGN_TOP);
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            EXPECT_EQ(rectPane.bottom, rectBar.top);
            EXPECT_EQ(rectBar.bottom, rectStatus.top);   // the status bar stays outermost
            EXPECT_EQ(rectPane.top, rectClient.top);
            break;
        case AFX_IDW_DOCKBAR_LEFT:
            EXPECT_EQ(rectBar.left, rectClient.left);
            EXPECT_EQ(rectPane.left, rectBar.right);
            EXPECT_GT(rectBar.Height(), rectBar.Width());   // standing upright
            EXPECT_TRUE(bar.GetBarStyle() & CBRS_ALIGN_LEFT);
            break;
        case AFX_IDW_DOCKBAR_RIGHT:
            EXPECT_EQ(rectBar.right, rectClient.right);
            EXPECT_EQ(rectPane.right, rectBar.left);
            EXPECT_GT(rectBar.Height(), rectBar.Width());
            break;
        }
        EXPECT_FALSE(bar.IsFloating());
        m_pFrame->DestroyWindow();
        m_pFrame = NULL;
    }
}

TEST_F(DockingTest, BarsOnAllSidesFrameThePane)
{
    MakeFrame(FALSE);
    CToolBar& top = m_pFrame->m_wndToolBar;
    CToolBar* pBottom = MakeBar("Bottom");
    CToolBar* pLeft = MakeBar("Left");
    CToolBar* pRight = MakeBar("Right");
    m_pFrame->DockControlBar(&top, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pBottom, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(pLeft, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(pRight, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->UpdateWindow();

    CRect rectPane = m_pFrame->PaneRect();
    EXPECT_EQ(rectPane.top, WindowRect(top).bottom);
    EXPECT_EQ(rectPane.bottom, WindowRect(*pBottom).top);
    EXPECT_EQ(rectPane.left, WindowRect(*pLeft).right);
    EXPECT_EQ(rectPane.right, WindowRect(*pRight).left);
    // The top and bottom strips span the frame; the sides lie between them.
    EXPECT_EQ(WindowRect(*DockBar(AFX_IDW_DOCKBAR_TOP)).Width(), FrameClientRect().Width());
    EXPECT_GE(WindowRect(*pLeft).top, WindowRect(top).bottom);
    EXPECT_LE(WindowRect(*pLeft).bottom, WindowRect(*pBottom).top);
    SaveWindowScreenshot(m_pFrame->m_hWnd, "..\\docview_bars_docked.bmp");
}

TEST_F(DockingTest, DockingBesideABarPutsItOnTheSameRowToTheRight)
{
    MakeFrame(TRUE);
    CToolBar& first = m_pFrame->m_wndToolBar;
    CToolBar* pSecond = MakeBar("Second");
    CToolBar* pBeside = MakeBar("Beside");
    CToolBar* pLast = MakeBar("Last");
    m_pFrame->DockControlBar(pSecond, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(WindowRect(*pSecond).top, WindowRect(first).bottom);   // a row of its own

    // The left bar's rectangle one pixel on picks its row and the place after it.
    m_pFrame->RecalcLayout();
    CRect rect = WindowRect(*pSecond);
    rect.OffsetRect(1, 0);
    m_pFrame->DockControlBar(pBeside, AFX_IDW_DOCKBAR_TOP, &rect);
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(pTop->GetRowOf(pBeside), pTop->GetRowOf(pSecond));
    EXPECT_EQ(WindowRect(*pBeside).top, WindowRect(*pSecond).top);
    EXPECT_EQ(WindowRect(*pBeside).left, WindowRect(*pSecond).right);
    EXPECT_EQ(m_pFrame->PaneRect().top, WindowRect(*pSecond).bottom);

    m_pFrame->DockControlBar(pLast, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(pTop->GetRowOf(pLast), 2);
    EXPECT_EQ(WindowRect(*pLast).top, WindowRect(*pSecond).bottom);
    EXPECT_EQ(m_pFrame->PaneRect().top, WindowRect(*pLast).bottom);
    EXPECT_EQ(pTop->GetDockedCount(), 4);
}

TEST_F(DockingTest, FloatingPutsTheBarInAMiniFrameAtThePoint)
{
    MakeFrame(TRUE);
    CToolBar& bar = m_pFrame->m_wndToolBar;
    int nPaneTopDocked = m_pFrame->PaneRect().top;
    m_pFrame->FloatControlBar(&bar, CPoint(100, 100));
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* pMini = bar.GetParentFrame();
    ASSERT_NE(pMini, nullptr);
    ASSERT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_EQ(bar.GetDockingFrame(), m_pFrame);
    CRect rectMini = WindowRect(*pMini);
    EXPECT_EQ(rectMini.TopLeft(), CPoint(100, 100));
    EXPECT_EQ(::GetWindow(pMini->m_hWnd, GW_OWNER), m_pFrame->m_hWnd);
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(pMini->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(pMini->IsWindowVisible());
    CString strCaption;
    pMini->GetWindowText(strCaption);
    EXPECT_STREQ(strCaption, "Test");
    CRect rectMiniClient;
    pMini->GetClientRect(&rectMiniClient);
    CRect rectBar = WindowRect(bar);
    EXPECT_EQ(rectMiniClient.Width(), rectBar.Width());
    EXPECT_EQ(rectMiniClient.Height(), rectBar.Height());
    EXPECT_LT(m_pFrame->PaneRect().top, nPaneTopDocked);   // the top strip is empty now

    // The frame's idle update reaches the bar outside it.
    m_pFrame->m_bSaveEnabled = FALSE;
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(bar.GetToolBarCtrl().IsButtonEnabled(ID_BAR_SAVE));

    // Floating it again moves the same mini frame.
    m_pFrame->FloatControlBar(&bar, CPoint(150, 120));
    EXPECT_EQ(bar.GetParentFrame(), pMini);
    EXPECT_EQ(WindowRect(*pMini).TopLeft(), CPoint(150, 120));

    // Docked again, the bar leaves an empty mini frame that goes.
    HWND hMini = pMini->m_hWnd;
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(m_pFrame->PaneRect().top, nPaneTopDocked);
}

TEST_F(DockingTest, ClosingTheMiniFrameHidesTheBarAndShowingBringsItBack)
{
    MakeFrame(TRUE);
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->FloatControlBar(&bar, CPoint(100, 100));
    CFrameWnd* pMini = bar.GetParentFrame();
    ASSERT_NE(pMini, nullptr);
    pMini->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(pMini->m_hWnd));
    EXPECT_FALSE(pMini->IsWindowVisible());
    EXPECT_FALSE(bar.IsVisible());
    m_pFrame->ShowControlBar(&bar, TRUE, FALSE);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_TRUE(bar.IsVisible());
}

TEST_F(DockingTest, HidingABarGivesItsRoomToThePane)
{
    MakeFrame(TRUE);
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CRect rectClient = FrameClientRect();
    int nBarBottom = WindowRect(bar).bottom;
    EXPECT_EQ(m_pFrame->PaneRect().top, nBarBottom);
    m_pFrame->ShowControlBar(&bar, FALSE, FALSE);
    EXPECT_EQ(m_pFrame->PaneRect().top, rectClient.top);
    m_pFrame->ShowControlBar(&bar, TRUE, TRUE);
    EXPECT_EQ(m_pFrame->PaneRect().top, nBarBottom);

    m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, FALSE, FALSE);
    EXPECT_EQ(m_pFrame->PaneRect().bottom, rectClient.bottom);
}

TEST_F(DockingTest, DestroyingBarsAndFramesLeavesNoWindowsBehind)
{
    MakeFrame(TRUE);
    CToolBar* pFloating = MakeBar("Floating");
    m_pFrame->FloatControlBar(pFloating, CPoint(120, 120));
    HWND hMini = pFloating->GetParentFrame()->m_hWnd;
    m_bars.back().reset();
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(m_pFrame->m_listControlBars.Find(pFloating), nullptr);
    m_bars.pop_back();

    // A docked bar deleted before its frame leaves its row.
    CToolBar* pDocked = MakeBar("Docked");
    m_pFrame->DockControlBar(pDocked, AFX_IDW_DOCKBAR_TOP);
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(pTop->GetDockedCount(), 2);
    m_bars.back().reset();
    m_bars.pop_back();
    EXPECT_EQ(pTop->GetDockedCount(), 1);
    EXPECT_EQ(m_pFrame->PaneRect().top, WindowRect(m_pFrame->m_wndToolBar).bottom);

    CToolBar* pOther = MakeBar("Other");
    m_pFrame->FloatControlBar(pOther, CPoint(140, 140));
    HWND hOtherMini = pOther->GetParentFrame()->m_hWnd;
    HWND hDockTop = DockBar(AFX_IDW_DOCKBAR_TOP)->m_hWnd;
    m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    EXPECT_FALSE(::IsWindow(hOtherMini));
    EXPECT_FALSE(::IsWindow(hDockTop));
    EXPECT_EQ(pOther->m_hWnd, nullptr);
    EXPECT_EQ(pOther->m_pDockBar, nullptr);
    EXPECT_EQ(pOther->m_pDockSite, nullptr);
}

TEST_F(DockingTest, DialogBarKeepsItsTemplateSizeAcrossItsSide)
{
    MakeFrame(TRUE);
    CDialogBar top;
    ASSERT_TRUE(top.Create(m_pFrame, IDD_TEST_DIALOGBAR, CBRS_TOP, 7440));
    CDialogBar left;
    ASSERT_TRUE(left.Create(m_pFrame, IDD_TEST_DIALOGBAR, CBRS_LEFT, 7441));
    m_pFrame->RecalcLayout();
    EXPECT_NE(top.GetDlgItem(IDC_BAR_FIELD), nullptr);
    EXPECT_EQ(top.GetDlgCtrlID(), 7440);

    CRect rectClient = FrameClientRect();
    CRect rectTop = WindowRect(top), rectLeft = WindowRect(left);
    EXPECT_EQ(rectTop.top, rectClient.top);                  // outside the dock bars
    EXPECT_EQ(rectTop.Width(), rectClient.Width());
    EXPECT_EQ(rectTop.Height(), top.m_sizeDefault.cy);
    EXPECT_EQ(rectLeft.left, rectClient.left);
    EXPECT_EQ(rectLeft.Width(), left.m_sizeDefault.cx);
    EXPECT_EQ(rectLeft.top, rectTop.bottom);
    CRect rectToolBar = WindowRect(m_pFrame->m_wndToolBar);
    EXPECT_EQ(rectToolBar.top, rectTop.bottom);
    EXPECT_EQ(rectToolBar.left, rectLeft.right);
    EXPECT_EQ(m_pFrame->PaneRect().top, rectToolBar.bottom);
}

TEST(MDIFrameBars, TheMDIClientFillsWhatTheBarsLeave)
{
    CBarMDIFrame* pFrame = new CBarMDIFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MDI_FRAME, WS_OVERLAPPEDWINDOW));
    pFrame->SetWindowPos(NULL, 30, 30, 500, 360, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    CRect rectClient;
    pFrame->GetClientRect(&rectClient);
    pFrame->ClientToScreen(&rectClient);
    CRect rectMDI = WindowRect(*CWnd::FromHandle(pFrame->m_hWndMDIClient));
    CRect rectBar = WindowRect(pFrame->m_wndToolBar);
    CRect rectStatus = WindowRect(pFrame->m_wndStatusBar);
    EXPECT_EQ(rectMDI.left, rectBar.right);
    EXPECT_EQ(rectMDI.top, rectClient.top);
    EXPECT_EQ(rectMDI.bottom, rectStatus.top);
    EXPECT_EQ(rectMDI.right, rectClient.right);
    CRect rectDock = WindowRect(*pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(rectDock.bottom, rectStatus.top);
    EXPECT_EQ(rectDock.top, rectClient.top);

    // A resized frame lays the bars out again, past the MDI client's own sizing.
    pFrame->SetWindowPos(NULL, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
    pFrame->GetClientRect(&rectClient);
    pFrame->ClientToScreen(&rectClient);
    rectMDI = WindowRect(*CWnd::FromHandle(pFrame->m_hWndMDIClient));
    EXPECT_EQ(rectMDI.left, WindowRect(pFrame->m_wndToolBar).right);
    EXPECT_EQ(rectMDI.bottom, WindowRect(pFrame->m_wndStatusBar).top);
    EXPECT_EQ(WindowRect(pFrame->m_wndStatusBar).bottom, rectClient.bottom);
    pFrame->DestroyWindow();
}

namespace
{
// Presses at ptFrom (screen) with the given message, moves to ptTo and lets go.
void Drag(CControlBar& bar, CWnd& pressed, UINT nPressMessage, WPARAM nHit, CPoint ptFrom,
          CPoint ptTo)
{
    pressed.SendMessage(nPressMessage, nHit, MAKELPARAM(ptFrom.x, ptFrom.y));
    ASSERT_TRUE(bar.IsDragging());
    CPoint ptClient = ptTo;
    bar.ScreenToClient(&ptClient);
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_FALSE(bar.IsDragging());
}
}

TEST_F(DockingTest, DraggingTheGripperDocksOnTheSideUnderTheCursorOrFloats)
{
    MakeFrame(TRUE);
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CRect rectBar = WindowRect(bar);
    CPoint ptGrip(rectBar.left + bar.m_rectBorder.left / 2, rectBar.CenterPoint().y);

    // A press on the bottom border is no drag.
    bar.SendMessage(WM_NCLBUTTONDOWN, HTBORDER,
                    MAKELPARAM(rectBar.CenterPoint().x, rectBar.bottom - 1));
    EXPECT_FALSE(bar.IsDragging());

    CRect rectClient = FrameClientRect();
    Drag(bar, bar, WM_NCLBUTTONDOWN, HTBORDER, ptGrip,
         CPoint(rectClient.left + 3, rectClient.CenterPoint().y));
    EXPECT_EQ(bar.m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(m_pFrame->PaneRect().left, WindowRect(bar).right);

    rectBar = WindowRect(bar);
    ptGrip = CPoint(rectBar.CenterPoint().x, rectBar.top + bar.m_rectBorder.top / 2);
    CPoint ptMiddle = m_pFrame->PaneRect().CenterPoint();
    Drag(bar, bar, WM_NCLBUTTONDOWN, HTBORDER, ptGrip, ptMiddle);
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_EQ(WindowRect(*bar.GetParentFrame()).TopLeft(),
              rectBar.TopLeft() + (ptMiddle - ptGrip));

    // The mini frame's caption drags the bar back onto the top side.
    CFrameWnd* pMini = bar.GetParentFrame();
    HWND hMini = pMini->m_hWnd;
    CRect rectMini = WindowRect(*pMini);
    CPoint ptCaption(rectMini.CenterPoint().x, rectMini.top + 4);
    Drag(bar, *pMini, WM_NCLBUTTONDOWN, HTCAPTION, ptCaption,
         CPoint(rectClient.CenterPoint().x, rectClient.top + 2));
    EXPECT_EQ(bar.m_pDockBar, DockBar(AFX_IDW_DOCKBAR_TOP));
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(m_pFrame->PaneRect().top, WindowRect(bar).bottom);
}

TEST_F(DockingTest, DockingWithoutASideTakesTheFirstTheBarAllowsAndNeverAMissingOne)
{
    m_pFrame = CBarTestFrame::Make(FALSE);
    ASSERT_NE(m_pFrame, nullptr);
    m_pFrame->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_RIGHT);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), nullptr);
    CToolBar* pRightOnly = MakeBar("Right only");
    pRightOnly->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    m_pFrame->DockControlBar(pRightOnly);
    EXPECT_EQ(pRightOnly->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_RIGHT));

    // The frame has no left side to dock on: the bar stays where it was.
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(bar.m_pDockBar, nullptr);
    EXPECT_EQ(::GetParent(bar.m_hWnd), m_pFrame->m_hWnd);
    EXPECT_EQ(m_pFrame->PaneRect().top, WindowRect(bar).bottom);   // laid out on the frame

    // A bar that may not dock still floats.
    bar.EnableDocking(0);
    m_pFrame->FloatControlBar(&bar, CPoint(100, 100));
    EXPECT_TRUE(bar.IsFloating());
    EXPECT_EQ(WindowRect(*bar.GetParentFrame()).TopLeft(), CPoint(100, 100));
}
