// CScrollView in a frame: bars from the total size, scrolling by
// messages and by position, and the viewport origin OnPrepareDC sets.
#include <limits.h>

#include <vector>

#include "tests/support/Gtest.h"

#include "framework/docview/FrameWnd.h"
#include "framework/docview/ScrollView.h"
#include "tests/framework/docview/FrameTestResource.h"

namespace {

class CPlainScrollView : public CScrollView
{
    DECLARE_DYNCREATE(CPlainScrollView)
public:
    void OnDraw(CDC*) override {}
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override
    {
        m_activations.push_back({ bActivate, pActivateView, pDeactiveView });
    }
    using CScrollView::GetScrollLimit;

    struct Activation
    {
        BOOL bActivate;
        CView* pActivate;
        CView* pDeactive;
    };
    std::vector<Activation> m_activations;
};

IMPLEMENT_DYNCREATE(CPlainScrollView, CScrollView)

class ScrollViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CPlainScrollView);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_ROUTING_FRAME, WS_OVERLAPPEDWINDOW, NULL, &context));
        m_pView = static_cast<CPlainScrollView*>(m_pFrame->GetActiveView());
        ASSERT_NE(nullptr, m_pView);
        RECT rc = { 0, 0, 300, 200 };
        ::AdjustWindowRectEx(&rc, m_pFrame->GetStyle(), ::GetMenu(m_pFrame->m_hWnd) != NULL,
                             m_pFrame->GetExStyle());
        m_pFrame->SetWindowPos(NULL, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
    }
    CRect Client()
    {
        CRect rc;
        m_pView->GetClientRect(&rc);
        return rc;
    }

    CFrameWnd* m_pFrame = NULL;
    CPlainScrollView* m_pView = NULL;
};

} // namespace

TEST_F(ScrollViewTest, BarsAppearOnlyForDirectionsThatDoNotFit)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(250, 150));
    EXPECT_FALSE(m_pView->GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(m_pView->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(CSize(0, 0), m_pView->GetScrollLimit());

    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 150));
    EXPECT_TRUE(m_pView->GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(m_pView->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(1000 - Client().Width(), m_pView->GetScrollLimit().cx);

    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 800));
    EXPECT_TRUE(m_pView->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(CSize(1000 - Client().Width(), 800 - Client().Height()), m_pView->GetScrollLimit());
    // Defaults: a page is a tenth of the total, a line a tenth of a page.
    EXPECT_EQ(CSize(100, 80), m_pView->GetDevicePageSize());
    EXPECT_EQ(CSize(10, 8), m_pView->GetDeviceLineSize());
}

TEST_F(ScrollViewTest, ScrollMessagesMoveByLinePageAndThumbWithinTheRange)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 800), CSize(120, 90), CSize(7, 5));
    CSize limit = m_pView->GetScrollLimit();
    m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_EQ(CPoint(0, 10), m_pView->GetDeviceScrollPosition());
    m_pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    EXPECT_EQ(CPoint(120, 10), m_pView->GetDeviceScrollPosition());
    m_pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEUP, 0));
    EXPECT_EQ(CPoint(113, 10), m_pView->GetDeviceScrollPosition());
    m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 333));
    EXPECT_EQ(CPoint(113, 333), m_pView->GetDeviceScrollPosition());
    m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    EXPECT_EQ(limit.cy, m_pView->GetDeviceScrollPosition().y);
    m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    EXPECT_EQ(limit.cy, m_pView->GetDeviceScrollPosition().y);
    m_pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5000));
    EXPECT_EQ(limit.cx, m_pView->GetDeviceScrollPosition().x);
    m_pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_TOP, 0));
    EXPECT_EQ(0, m_pView->GetDeviceScrollPosition().x);
    // Three lines a notch down (the wheel turned towards the user).
    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0));
    m_pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    if (nLines != WHEEL_PAGESCROLL)
    {
        EXPECT_EQ((int)(5 * nLines), m_pView->GetDeviceScrollPosition().y);
    }
}

TEST_F(ScrollViewTest, PositionsAndTheViewportOriginAgree)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 800));
    m_pView->ScrollToPosition(CPoint(150, 70));
    EXPECT_EQ(CPoint(150, 70), m_pView->GetScrollPosition());
    CClientDC dc(m_pView);
    m_pView->OnPrepareDC(&dc);
    EXPECT_EQ(CPoint(-150, -70), dc.GetViewportOrg());
    CPoint pt(10, 10);
    dc.DPtoLP(&pt);
    EXPECT_EQ(CPoint(160, 80), pt);
    m_pView->ScrollToPosition(CPoint(-5, 99999));
    EXPECT_EQ(CPoint(0, m_pView->GetScrollLimit().cy), m_pView->GetScrollPosition());
    // Shrinking the total holds the position in the new range.
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 300));
    EXPECT_EQ(300 - Client().Height(), m_pView->GetScrollPosition().y);
    m_pView->SetScrollSizes(MM_TEXT, CSize(100, 100));
    EXPECT_EQ(CPoint(0, 0), m_pView->GetScrollPosition());
}

TEST_F(ScrollViewTest, FixedMappingModesKeepSizesInTheirUnits)
{
    // 10 inches across in hundredths of an inch.
    m_pView->SetScrollSizes(MM_LOENGLISH, CSize(1000, 1000));
    EXPECT_EQ(CSize(1000, 1000), m_pView->GetTotalSize());
    CWindowDC dcScreen(static_cast<HWND>(NULL));
    int nDpi = dcScreen.GetDeviceCaps(LOGPIXELSX);
    EXPECT_NEAR(10 * nDpi, m_pView->GetDeviceTotalSize().cx, 2);
    m_pView->ScrollToPosition(CPoint(100, -100));
    CPoint ptDevice = m_pView->GetDeviceScrollPosition();
    EXPECT_NEAR(nDpi, ptDevice.x, 2);
    EXPECT_NEAR(dcScreen.GetDeviceCaps(LOGPIXELSY), ptDevice.y, 2);
    CPoint ptLogical = m_pView->GetScrollPosition();
    EXPECT_NEAR(100, ptLogical.x, 2);
    EXPECT_NEAR(-100, ptLogical.y, 2);
}

TEST_F(ScrollViewTest, TheFrameTellsViewsWhenTheActiveOneChanges)
{
    ASSERT_EQ(1u, m_pView->m_activations.size());
    EXPECT_TRUE(m_pView->m_activations[0].bActivate);
    EXPECT_EQ(m_pView, m_pView->m_activations[0].pActivate);

    CPlainScrollView* pOther = new CPlainScrollView;
    ASSERT_TRUE(pOther->Create(AfxRegisterWndClass(0), NULL, WS_CHILD, CRect(0, 0, 10, 10), m_pFrame,
                              77));
    m_pFrame->SetActiveView(pOther);
    ASSERT_EQ(2u, m_pView->m_activations.size());
    EXPECT_FALSE(m_pView->m_activations[1].bActivate);
    EXPECT_EQ(pOther, m_pView->m_activations[1].pActivate);
    ASSERT_EQ(1u, pOther->m_activations.size());
    EXPECT_TRUE(pOther->m_activations[0].bActivate);
    EXPECT_EQ(m_pView, pOther->m_activations[0].pDeactive);
    // Setting the same view again tells nobody.
    m_pFrame->SetActiveView(pOther);
    EXPECT_EQ(1u, pOther->m_activations.size());
    m_pFrame->SetActiveView(m_pView);
    pOther->DestroyWindow();
}
