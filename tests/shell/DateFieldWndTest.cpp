#include "tests/support/Gtest.h"
#include "tests/support/Utf8.h"
#include "tests/shell/DateFieldTestSupport.h"
#include "sheet/PeriodCode.h"

#include <string>

namespace {

const UINT FIELD_ID = 0x1234;

std::string Str(const CString& s)
{
    return std::string((LPCTSTR)s, s.GetLength());
}

// A field in the shared parent, placed at y = 40 with the height asked for.
struct FieldFixture
{
    CFieldTestParent& parent;
    CDateFieldWnd field;

    explicit FieldFixture(int height = 22, int parentY = 100) : parent(SharedParent())
    {
        parent.MoveWindow(100, parentY, 360, 240);
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
    const int asked[] = { 30, 17, 20, 25, 10, 40 };
    const int given[] = { 26, 19, 20, 25, 20, 26 };
    for (int i = 0; i < 6; ++i)
    {
        SCOPED_TRACE(asked[i]);
        FieldFixture fixture(asked[i]);
        CRect rc;
        fixture.field.GetWindowRect(&rc);
        fixture.parent.ScreenToClient(&rc);
        EXPECT_EQ(given[i], rc.Height());
        EXPECT_NEAR(40 + asked[i] / 2.0, (rc.top + rc.bottom) / 2.0, 0.5);
    }
}

TEST(DateFieldWnd, CodesTypesAndText)
{
    FieldFixture fixture;
    CDateFieldWnd& field = fixture.field;
    // A new field holds today's day code, decimal numerals and no text.
    int type = -9, style = -9;
    field.GetPeriodType(&type, &style);
    EXPECT_EQ(PERIOD_DAY, type);
    EXPECT_EQ(NUMERAL_DECIMAL, style);
    EXPECT_EQ(Str(GetCurrentPeriodCode(PERIOD_DAY)), Str(field.GetCode()));
    EXPECT_EQ("", Str(field.GetText()));

    field.SetPeriodType(PERIOD_MONTH, NUMERAL_WORDS);
    EXPECT_EQ(Str(GetCurrentPeriodCode(PERIOD_MONTH)), Str(field.GetCode()));
    EXPECT_EQ("", Str(field.GetText()));
    field.SetCode("2024000300000");
    EXPECT_EQ("March,2024", Str(field.GetText()));
    // An empty code empties the text and keeps the type.
    field.SetCode("");
    EXPECT_EQ("", Str(field.GetText()));
    field.GetPeriodType(&type, &style);
    EXPECT_EQ(PERIOD_MONTH, type);
    int dayType = PERIOD_DAY;
    field.SetCode("2024000300015", &dayType);
    EXPECT_EQ("March Ten5,2024", Str(field.GetText()));
    // A code of another length is kept but shown as nothing.
    field.SetCode("202400030001");
    EXPECT_EQ("202400030001", Str(field.GetCode()));
    EXPECT_EQ("", Str(field.GetText()));
}

TEST(DateFieldWnd, TenDayTextIsDrawnInChineseCharactersOnAnyCodePage)
{
    FieldFixture fixture;
    CDateFieldWnd& field = fixture.field;
    // The system code page here is not the Chinese one: the field turns the
    // text's Chinese bytes into UTF-16 itself.
    EXPECT_NE(936u, GetACP());
    int tenDay = PERIOD_TENDAY, style = NUMERAL_DECIMAL;
    field.SetCode("2024000320000", &tenDay, &style);
    CWideText text = field.GetDisplayText();
    EXPECT_EQ("2024\u5e743\u6708\u4e2d\u65ec", Utf8(text.GetString(), text.GetLength()));
    field.SetCode("2023001210000");
    text = field.GetDisplayText();
    EXPECT_EQ("2023\u5e7412\u6708\u4e0a\u65ec", Utf8(text.GetString(), text.GetLength()));
    // Other types stay in the system's code page.
    int month = PERIOD_MONTH;
    field.SetCode("2024000300000", &month);
    text = field.GetDisplayText();
    EXPECT_EQ("March,2024", Utf8(text.GetString(), text.GetLength()));

    // The field and its ten-day page as evidence of the characters' look.
    field.SetCode("2024000320000", &tenDay);
    PumpMessages(100);
    CDateDropDownWnd* pDropDown = OpenDropDown(field);
    ASSERT_TRUE(pDropDown != NULL);
    PumpMessages(100);
    SaveScreenshot("DateFieldTenDay");
    pDropDown->DestroyWindow();
    PumpMessages();
}

TEST(DateFieldWnd, DisabledFieldPaintsGreyTextAndAnEmbossedArrow)
{
    FieldFixture fixture;
    CDateFieldWnd& field = fixture.field;
    field.SetCode("2024000300015");
    PumpMessages(100);
    CRect client;
    field.GetClientRect(&client);
    CRect button(client.right - client.Height() + 2, 2, client.right - 3, client.bottom - 3);
    CPoint arrow = button.TopLeft() + CSize(button.Width() / 2, button.Height() / 2);
    CRect text(2, 2, button.left - 1, client.bottom - 3);
    COLORREF textColor = GetSysColor(COLOR_BTNTEXT), shadow = GetSysColor(COLOR_BTNSHADOW);

    EXPECT_GT(CountPixels(field, text, textColor), 10);
    EXPECT_EQ(0, CountPixels(field, text, shadow));
    EXPECT_EQ(textColor, CClientDC(&field).GetPixel(arrow));
    SaveScreenshot("DateFieldWnd");

    field.EnableWindow(FALSE);
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
    // The opening is sent at once; the drop-down opens under the field.
    ASSERT_EQ(1u, fixture.parent.m_received.size());
    EXPECT_EQ(WM_DATEDROP_OPENING, fixture.parent.m_received[0].first);
    EXPECT_EQ(FIELD_ID, fixture.parent.m_received[0].second);
    CDateDropDownWnd* pDropDown = field.GetDropDown();
    ASSERT_NE(nullptr, pDropDown);
    EXPECT_TRUE(pDropDown->IsKindOf(RUNTIME_CLASS(CDateDropDownWnd)));
    EXPECT_EQ(field.m_hWnd, GetCapture());
    CRect rcField, rcDrop;
    field.GetWindowRect(&rcField);
    pDropDown->GetWindowRect(&rcDrop);
    // At least its 120 x 110, more where the font's texts need it.
    EXPECT_EQ(rcField.right, rcDrop.right);
    EXPECT_EQ(rcField.bottom, rcDrop.top);
    EXPECT_GE(rcDrop.Width(), 120);
    EXPECT_GE(rcDrop.Height(), 110);

    // The release over the field hands the capture to the drop-down.
    ReleaseAt(&field, CPoint(5, 5));
    EXPECT_EQ(pDropDown->m_hWnd, GetCapture());
    HWND hWndDrop = pDropDown->m_hWnd;
    ClickAt(pDropDown, pDropDown->GetLayout().GetCellRect(4 + 19).CenterPoint());
    EXPECT_FALSE(IsWindow(hWndDrop));
    EXPECT_EQ(nullptr, field.GetDropDown());
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
    click(rcField.CenterPoint());
    if (fixture.parent.Count(WM_DATEDROP_OPENING) == 0)
        GTEST_SKIP() << "this display takes no injected mouse input";
    CDateDropDownWnd* pDropDown = field.GetDropDown();
    ASSERT_NE(nullptr, pDropDown);
    CPoint november = pDropDown->GetLayout().GetCellRect(10).CenterPoint();
    pDropDown->ClientToScreen(&november);
    click(november);
    EXPECT_EQ(nullptr, field.GetDropDown());
    EXPECT_EQ("2024001100000", Str(field.GetCode()));
    EXPECT_EQ(1, fixture.parent.Count(WM_DATEDROP_CLOSED));
}

TEST(DateFieldWnd, DropDownEndsWithItsFieldAndGivesWayToANewOne)
{
    FieldFixture fixture;
    CDateDropDownWnd* pFirst = OpenDropDown(fixture.field);
    ASSERT_NE(nullptr, pFirst);
    HWND hWndFirst = pFirst->m_hWnd;
    // A press after the capture was lost replaces the open drop-down; the
    // first one's end neither reaches the parent nor forgets the second.
    ReleaseCapture();
    CDateDropDownWnd* pSecond = OpenDropDown(fixture.field);
    EXPECT_FALSE(IsWindow(hWndFirst));
    ASSERT_NE(nullptr, pSecond);
    HWND hWndSecond = pSecond->m_hWnd;
    PumpMessages(50);
    EXPECT_EQ(0, fixture.parent.Count(WM_DATEDROP_CLOSED));
    EXPECT_EQ(pSecond, fixture.field.GetDropDown());
    // Destroying the field closes its drop-down, which writes nothing.
    CString code = fixture.field.GetCode();
    fixture.field.DestroyWindow();
    EXPECT_FALSE(IsWindow(hWndSecond));
    PumpMessages(50);
    EXPECT_EQ(0, fixture.parent.Count(WM_DATEDROP_CLOSED));
    EXPECT_EQ(Str(code), Str(fixture.field.GetCode()));
}

TEST(DateFieldWnd, DropDownNearTheScreenBottomOpensAbove)
{
    int screenBottom = GetSystemMetrics(SM_CYSCREEN);
    FieldFixture fixture(22, screenBottom - 120);
    CDateDropDownWnd* pDropDown = OpenDropDown(fixture.field);
    ASSERT_NE(nullptr, pDropDown);
    CRect rcField, rcDrop;
    fixture.field.GetWindowRect(&rcField);
    pDropDown->GetWindowRect(&rcDrop);
    ASSERT_GT(rcField.bottom + 110, screenBottom);
    EXPECT_EQ(rcField.top, rcDrop.bottom);
    ClickAt(pDropDown, CPoint(-5, -5));
}
