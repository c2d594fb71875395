#include "tests/support/Gtest.h"
#include "tests/shell/DateFieldTestSupport.h"
#include "sheet/PeriodCode.h"

#include <string>

namespace {

const UINT FIELD_ID = 0x1234;

std::string Str(const CString& s)
{
    return std::string((LPCTSTR)s, s.GetLength());
}

// A parent window with one field in it.
struct FieldFixture
{
    CFieldTestParent& parent;
    CDateFieldWnd field;

    explicit FieldFixture(int height = 22, int x = 100, int y = 100) : parent(SharedParent())
    {
        parent.MoveWindow(x, y, 360, 240);
        EXPECT_TRUE(field.Create(CRect(20, 40, 220, 40 + height), &parent, FIELD_ID));
        PumpMessages();
    }
    ~FieldFixture()
    {
        if (field.GetSafeHwnd() != NULL)
            field.DestroyWindow();
        PumpMessages();
    }
};

CRect RectInParent(CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    wnd.GetParent()->ScreenToClient(&rc);
    return rc;
}

int CountPixels(CDateFieldWnd& field, const CRect& rc, COLORREF color)
{
    CClientDC dc(&field);
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            count += dc.GetPixel(x, y) == color;
    return count;
}

}

TEST(DateFieldWnd, HeightIsBroughtTo20To25AboutItsCentre)
{
    struct Case { int asked; int given; };
    const Case cases[] = { { 30, 26 }, { 17, 19 }, { 20, 20 }, { 25, 25 }, { 22, 22 }, { 10, 20 },
                           { 40, 26 } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.asked);
        FieldFixture fixture(c.asked);
        CRect rc = RectInParent(fixture.field);
        EXPECT_EQ(c.given, rc.Height());
        EXPECT_EQ(200, rc.Width());
        // The centre stays within half a pixel of the one asked for.
        EXPECT_NEAR(40 + c.asked / 2.0, (rc.top + rc.bottom) / 2.0, 0.5);
    }
}

TEST(DateFieldWnd, NewFieldHoldsTodaysDayCodeWithoutText)
{
    FieldFixture fixture;
    int type = -9, style = -9;
    fixture.field.GetPeriodType(&type, &style);
    EXPECT_EQ(PERIOD_DAY, type);
    EXPECT_EQ(NUMERAL_DECIMAL, style);
    EXPECT_EQ(Str(GetCurrentPeriodCode(PERIOD_DAY)), Str(fixture.field.GetCode()));
    EXPECT_EQ("", Str(fixture.field.GetText()));
    EXPECT_EQ(FIELD_ID, (UINT)fixture.field.GetDlgCtrlID());
    EXPECT_TRUE(fixture.field.GetStyle() & WS_VISIBLE);
}

TEST(DateFieldWnd, CodesTypesAndText)
{
    FieldFixture fixture;
    CDateFieldWnd& field = fixture.field;
    field.SetPeriodType(PERIOD_MONTH, NUMERAL_WORDS);
    EXPECT_EQ(Str(GetCurrentPeriodCode(PERIOD_MONTH)), Str(field.GetCode()));
    EXPECT_EQ("", Str(field.GetText()));
    field.SetCode("2024000300000");
    EXPECT_EQ("March,2024", Str(field.GetText()));
    // An empty code empties the text and keeps the type.
    field.SetCode("");
    EXPECT_EQ("", Str(field.GetText()));
    int type = -9, style = -9;
    field.GetPeriodType(&type, &style);
    EXPECT_EQ(PERIOD_MONTH, type);
    EXPECT_EQ(NUMERAL_WORDS, style);

    int dayType = PERIOD_DAY;
    field.SetCode("2024000300015", &dayType);
    EXPECT_EQ("March Ten5,2024", Str(field.GetText()));
    int decimal = NUMERAL_DECIMAL;
    field.SetCode("2024000300015", NULL, &decimal);
    EXPECT_EQ("March 15,2024", Str(field.GetText()));
    // A code of another length is kept but shown as nothing.
    field.SetCode("202400030001");
    EXPECT_EQ("202400030001", Str(field.GetCode()));
    EXPECT_EQ("", Str(field.GetText()));
}

TEST(DateFieldWnd, DisabledFieldPaintsGreyTextAndAnEmbossedArrow)
{
    FieldFixture fixture;
    CDateFieldWnd& field = fixture.field;
    field.SetCode("2024000300015");
    field.UpdateWindow();
    PumpMessages(100);
    CRect client;
    field.GetClientRect(&client);
    int h = client.Height();
    CRect button(client.right - h + 2, 2, client.right - 3, client.bottom - 3);
    CPoint arrow(button.left + button.Width() / 2, button.top + button.Height() / 2);
    CRect text(2, 2, button.left - 1, client.bottom - 3);
    COLORREF textColor = GetSysColor(COLOR_BTNTEXT);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(textColor, shadow);

    int enabledText = CountPixels(field, text, textColor);
    EXPECT_GT(enabledText, 10);
    EXPECT_EQ(0, CountPixels(field, text, shadow));
    {
        CClientDC dc(&field);
        EXPECT_EQ(textColor, dc.GetPixel(arrow));
        EXPECT_EQ(GetSysColor(COLOR_WINDOW), dc.GetPixel(text.left + 1, text.top + 1));
    }
    SaveScreenshot("DateFieldWnd");

    field.EnableWindow(FALSE);
    field.UpdateWindow();
    PumpMessages(100);
    EXPECT_EQ(0, CountPixels(field, text, textColor));
    EXPECT_GT(CountPixels(field, text, shadow), 10);
    CClientDC dc(&field);
    EXPECT_EQ(shadow, dc.GetPixel(arrow));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), dc.GetPixel(arrow.x + 2, arrow.y + 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), dc.GetPixel(text.left + 1, text.top + 1));
}

TEST(DateFieldWnd, PressOpensTheDropDownAndAPickReachesTheParent)
{
    FieldFixture fixture;
    CDateFieldWnd& field = fixture.field;
    field.SetCode("2024000200010");

    PressAt(&field, CPoint(5, 5));
    // The opening message is sent, before anything else reaches the parent.
    ASSERT_EQ(1u, fixture.parent.m_received.size());
    EXPECT_EQ(WM_DATEDROP_OPENING, fixture.parent.m_received[0].first);
    EXPECT_EQ(FIELD_ID, fixture.parent.m_received[0].second);
    CDateDropDownWnd* pDropDown = field.GetDropDown();
    ASSERT_NE(nullptr, pDropDown);
    EXPECT_TRUE(pDropDown->IsKindOf(RUNTIME_CLASS(CDateDropDownWnd)));
    EXPECT_TRUE(pDropDown->IsWindowVisible());
    EXPECT_EQ(field.m_hWnd, CWnd::GetCapture()->GetSafeHwnd());
    CRect rcField, rcDrop;
    field.GetWindowRect(&rcField);
    pDropDown->GetWindowRect(&rcDrop);
    EXPECT_EQ(rcField.right, rcDrop.right);
    EXPECT_EQ(rcField.bottom, rcDrop.top);
    EXPECT_EQ(CSize(120, 110), rcDrop.Size());

    // The release over the field hands the capture to the drop-down.
    ReleaseAt(&field, CPoint(5, 5));
    EXPECT_EQ(pDropDown->m_hWnd, CWnd::GetCapture()->GetSafeHwnd());

    HWND hWndDrop = pDropDown->m_hWnd;
    ClickAt(pDropDown, pDropDown->GetLayout().GetCellRect(4 + 19).CenterPoint());
    EXPECT_FALSE(IsWindow(hWndDrop));
    EXPECT_EQ(nullptr, field.GetDropDown());
    EXPECT_EQ(NULL, GetCapture());
    EXPECT_EQ("2024000200020", Str(field.GetCode()));
    EXPECT_EQ("February 20,2024", Str(field.GetText()));
    // The closing is posted: it arrives once messages are pumped.
    EXPECT_EQ(0, fixture.parent.Count(WM_DATEDROP_CLOSED));
    PumpMessages(50);
    ASSERT_EQ(2u, fixture.parent.m_received.size());
    EXPECT_EQ(WM_DATEDROP_CLOSED, fixture.parent.m_received[1].first);
    EXPECT_EQ(FIELD_ID, fixture.parent.m_received[1].second);
    EXPECT_EQ(field.m_hWnd, GetFocus());
}

TEST(DateFieldWnd, MouseClicksPickAPeriod)
{
    FieldFixture fixture;
    CDateFieldWnd& field = fixture.field;
    field.SetPeriodType(PERIOD_MONTH, NUMERAL_DECIMAL);
    field.SetCode("2024000300000");
    SetForegroundWindow(fixture.parent.m_hWnd);
    PumpMessages(100);

    auto click = [](CPoint screen) {
        SetCursorPos(screen.x, screen.y);
        PumpMessages(50);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof(INPUT));
        PumpMessages(150);
    };
    CRect rcField;
    field.GetWindowRect(&rcField);
    click(CPoint(rcField.right - 8, rcField.top + rcField.Height() / 2));
    if (fixture.parent.Count(WM_DATEDROP_OPENING) == 0)
        GTEST_SKIP() << "this display takes no injected mouse input";
    CDateDropDownWnd* pDropDown = field.GetDropDown();
    ASSERT_NE(nullptr, pDropDown);
    EXPECT_EQ(pDropDown->m_hWnd, GetCapture());

    // The cell of November, in the popup's client coordinates.
    CPoint cell = pDropDown->GetLayout().GetCellRect(10).CenterPoint();
    pDropDown->ClientToScreen(&cell);
    click(cell);
    EXPECT_EQ(nullptr, field.GetDropDown());
    EXPECT_EQ("2024001100000", Str(field.GetCode()));
    EXPECT_EQ("November,2024", Str(field.GetText()));
    EXPECT_EQ(1, fixture.parent.Count(WM_DATEDROP_CLOSED));
}

TEST(DateFieldWnd, DestroyingTheFieldClosesItsDropDown)
{
    FieldFixture fixture;
    CDateDropDownWnd* pDropDown = OpenDropDown(fixture.field);
    ASSERT_NE(nullptr, pDropDown);
    HWND hWndDrop = pDropDown->m_hWnd;
    CString code = fixture.field.GetCode();
    fixture.field.DestroyWindow();
    EXPECT_FALSE(IsWindow(hWndDrop));
    PumpMessages(50);
    // No field remains to pass the closing on.
    EXPECT_EQ(0, fixture.parent.Count(WM_DATEDROP_CLOSED));
    EXPECT_EQ(Str(code), Str(fixture.field.GetCode()));
}

TEST(DateFieldWnd, ASecondPressReplacesADropDownThatLostTheCapture)
{
    FieldFixture fixture;
    CDateDropDownWnd* pFirst = OpenDropDown(fixture.field);
    ASSERT_NE(nullptr, pFirst);
    HWND hWndFirst = pFirst->m_hWnd;
    ReleaseCapture();
    CDateDropDownWnd* pSecond = OpenDropDown(fixture.field);
    EXPECT_FALSE(IsWindow(hWndFirst));
    ASSERT_NE(nullptr, pSecond);
    HWND hWndSecond = pSecond->m_hWnd;
    PumpMessages(50);
    // The first one's end neither reaches the parent nor forgets the second.
    EXPECT_EQ(0, fixture.parent.Count(WM_DATEDROP_CLOSED));
    EXPECT_EQ(pSecond, fixture.field.GetDropDown());
    EXPECT_TRUE(IsWindow(hWndSecond));
    ClickAt(pSecond, CPoint(-20, -20));
    PumpMessages(50);
    EXPECT_EQ(1, fixture.parent.Count(WM_DATEDROP_CLOSED));
}

TEST(DateFieldWnd, DropDownNearTheScreenBottomOpensAbove)
{
    int screenBottom = GetSystemMetrics(SM_CYSCREEN);
    FieldFixture fixture(22, 100, screenBottom - 120);
    CDateDropDownWnd* pDropDown = OpenDropDown(fixture.field);
    ASSERT_NE(nullptr, pDropDown);
    CRect rcField, rcDrop;
    fixture.field.GetWindowRect(&rcField);
    pDropDown->GetWindowRect(&rcDrop);
    ASSERT_GT(rcField.bottom + 110, screenBottom);
    EXPECT_EQ(rcField.top, rcDrop.bottom);
    EXPECT_EQ(rcField.right, rcDrop.right);
    ClickAt(pDropDown, CPoint(-5, -5));
}
