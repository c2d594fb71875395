#include "tests/support/Gtest.h"
#include "tests/shell/ColourTestSupport.h"
#include "tests/sheet/RenderCanvas.h"

namespace {

const UINT kPickerId = 1234;

class ColourPickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(recorder.CreateIn(SharedParent()));
        CRect rc(20, 20, 60, 30);
        ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE, rc, &recorder, kPickerId));
    }
    void TearDown() override
    {
        if (CColourGridPopup* pPopup = CapturingPopup())
            pPopup->DestroyWindow();
        picker.DestroyWindow();
        recorder.DestroyWindow();
        PumpMessages();
    }

    // Clicks the picker; the popup it opened.
    CColourGridPopup* Drop()
    {
        picker.SendMessage(BM_CLICK);
        return CapturingPopup();
    }
    // Opens the popup, moves to a cell and chooses it with Enter.
    void Choose(int nCell)
    {
        CColourGridPopup* pPopup = Drop();
        ASSERT_TRUE(pPopup != NULL);
        pPopup->ChangeSelection(nCell);
        recorder.m_received.clear();
        PressKey(pPopup, VK_RETURN);
    }
    // The swatch colour DrawItem paints into a memory DC.
    COLORREF SwatchColour()
    {
        CRect rc;
        picker.GetClientRect(&rc);
        sheettest::RenderCanvas canvas(rc.Width(), rc.Height());
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.hwndItem = picker.GetSafeHwnd();
        dis.hDC = canvas.DC()->GetSafeHdc();
        dis.rcItem = rc;
        picker.DrawItem(&dis);
        // Inside the swatch, away from the edges and the arrow.
        return canvas.Pixel(rc.left + 8, rc.Height() / 2);
    }

    CColourRecorder recorder;
    CColourPicker picker;
};

TEST_F(ColourPickerTest, SizeFollowsTheArrowAndKeepsPosition)
{
    int cx = ::GetSystemMetrics(SM_CXEDGE), cy = ::GetSystemMetrics(SM_CYEDGE);
    int a = ::GetSystemMetrics(SM_CXHTHUMB);
    for (int c : { 5 * cx, ::GetSystemMetrics(SM_CYVTHUMB), 5 * cy })
        a = c > a ? c : a;
    CRect rc;
    picker.GetWindowRect(&rc);
    recorder.ScreenToClient(&rc);
    EXPECT_EQ(20, rc.left);
    EXPECT_EQ(20, rc.top);
    EXPECT_EQ(a + 2 * cy, rc.Height());
    EXPECT_EQ(2 * (a + cx) > 40 ? 2 * (a + cx) : 40, rc.Width());
    EXPECT_TRUE((picker.GetStyle() & 0xF) == BS_OWNERDRAW);
}

TEST_F(ColourPickerTest, ClickOpensThePopupUnderTheButton)
{
    CColourGridPopup* pPopup = Drop();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_TRUE(picker.IsDroppedDown());
    ASSERT_EQ(1u, recorder.m_received.size());
    EXPECT_EQ((UINT)WM_COLOUR_DROPDOWN, recorder.Last().nMessage);
    EXPECT_EQ((LPARAM)kPickerId, recorder.Last().lParam);
    CRect rcPicker, rcPopup;
    picker.GetWindowRect(&rcPicker);
    pPopup->GetWindowRect(&rcPopup);
    EXPECT_EQ(rcPicker.left, rcPopup.left);
    EXPECT_EQ(rcPicker.bottom, rcPopup.top);
    EXPECT_EQ(COLOUR_CELL_CUSTOM, pPopup->GetChosenCell()) << "the face colour is no table colour";

    // Highlighting inside the popup reaches the parent with the picker's id.
    pPopup->ChangeSelection(9);
    EXPECT_EQ((UINT)WM_COLOUR_SELCHANGE, recorder.Last().nMessage);
    EXPECT_EQ(g_colourTable[9].crColour, recorder.Last().crColour);
    EXPECT_EQ((LPARAM)kPickerId, recorder.Last().lParam);

    SaveScreenshot("ColourPicker");
}

TEST_F(ColourPickerTest, ChoosingTellsCloseUpThenOkThenChangeOnlyWhenChanged)
{
    Choose(16);
    EXPECT_FALSE(picker.IsDroppedDown());
    EXPECT_EQ(g_colourTable[16].crColour, picker.GetColour());
    std::vector<UINT> expected = { WM_COLOUR_CLOSEUP, WM_COLOUR_SELENDOK, WM_COLOUR_SELCHANGE };
    EXPECT_EQ(expected, recorder.Messages());
    for (const ColourMessage& m : recorder.m_received)
    {
        EXPECT_EQ(g_colourTable[16].crColour, m.crColour);
        EXPECT_EQ((LPARAM)kPickerId, m.lParam);
    }

    Choose(16);
    expected = { WM_COLOUR_CLOSEUP, WM_COLOUR_SELENDOK };
    EXPECT_EQ(expected, recorder.Messages()) << "the same colour again is no change";
}

TEST_F(ColourPickerTest, CancelKeepsTheColour)
{
    Choose(3);
    CColourGridPopup* pPopup = Drop();
    ASSERT_TRUE(pPopup != NULL);
    pPopup->ChangeSelection(20);
    recorder.m_received.clear();
    PressKey(pPopup, VK_ESCAPE);
    std::vector<UINT> expected = { WM_COLOUR_CLOSEUP, WM_COLOUR_SELENDCANCEL };
    EXPECT_EQ(expected, recorder.Messages());
    EXPECT_EQ(g_colourTable[3].crColour, recorder.Last().crColour);
    EXPECT_EQ(g_colourTable[3].crColour, picker.GetColour());
    EXPECT_FALSE(picker.IsDroppedDown());
}

TEST_F(ColourPickerTest, DefaultButtonGivesDefaultColourDrawnInTheFaceColour)
{
    Choose(13);
    EXPECT_EQ(g_colourTable[13].crColour, SwatchColour());
    Choose(COLOUR_CELL_DEFAULT);
    EXPECT_EQ((COLORREF)CLR_DEFAULT, picker.GetColour());
    EXPECT_EQ((COLORREF)CLR_DEFAULT, recorder.Last().crColour);
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), SwatchColour());

    // Reopened, the popup marks its default button as the chosen cell.
    CColourGridPopup* pPopup = Drop();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ(COLOUR_CELL_DEFAULT, pPopup->GetChosenCell());
}

TEST_F(ColourPickerTest, DataExchangeSetsAndReadsTheColour)
{
    COLORREF cr = RGB(12, 34, 56);
    CDataExchange load(&recorder, FALSE);
    DDX_ColourPicker(&load, kPickerId, cr);
    EXPECT_EQ(cr, picker.GetColour());
    EXPECT_EQ(cr, SwatchColour());

    Choose(27);
    COLORREF crRead = 0;
    CDataExchange save(&recorder, TRUE);
    DDX_ColourPicker(&save, kPickerId, crRead);
    EXPECT_EQ(g_colourTable[27].crColour, crRead);
}

} // namespace
