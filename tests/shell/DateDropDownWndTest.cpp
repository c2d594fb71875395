#include "tests/support/Gtest.h"
#include "tests/shell/DateFieldTestSupport.h"

#include <string>

namespace {

std::string Str(const CString& s)
{
    return std::string((LPCTSTR)s, s.GetLength());
}

// A field of a type holding a code, its drop-down open with the capture.
struct DropDownFixture
{
    CFieldTestParent& parent;
    CDateFieldWnd field;
    CDateDropDownWnd* pDropDown = nullptr;
    HWND hWndDropDown = NULL;

    DropDownFixture(int type, const char* code) : parent(SharedParent())
    {
        EXPECT_TRUE(field.Create(CRect(20, 20, 220, 42), &parent, 77));
        field.SetPeriodType(type, NUMERAL_DECIMAL);
        field.SetCode(code);
        pDropDown = OpenDropDown(field);
        EXPECT_NE(nullptr, pDropDown);
        hWndDropDown = pDropDown != nullptr ? pDropDown->m_hWnd : NULL;
    }
    ~DropDownFixture()
    {
        if (IsOpen())
            ClickAt(pDropDown, CPoint(-5, -5));
        field.DestroyWindow();
        PumpMessages();
    }
    BOOL IsOpen() const { return hWndDropDown != NULL && IsWindow(hWndDropDown); }
    const CCalendarLayout& Layout() const { return pDropDown->GetLayout(); }
    int Year() const { return pDropDown->GetCalendar().m_period.m_nYear; }
    void ClickCell(int index) { ClickAt(pDropDown, Layout().GetCellRect(index).CenterPoint()); }
    void ClickKeypadCell(int cell) { ClickAt(pDropDown, Layout().GetKeypadCellRect(cell).CenterPoint()); }
};

std::string WeekCode(int year, int week)
{
    char code[64];
    snprintf(code, sizeof(code), "%04d00000%02d00", year, week);
    return code;
}

}

TEST(DateDropDownWnd, ReleaseOutsideTakesTheYearTheArrowsShow)
{
    DropDownFixture fixture(PERIOD_MONTH, "2024000300000");
    CPoint right = fixture.Layout().m_rcRightArrow.CenterPoint();
    ClickAt(fixture.pDropDown, right);
    ClickAt(fixture.pDropDown, right);
    EXPECT_EQ(2026, fixture.Year());
    // A press outside does nothing; the release outside takes the period.
    PressAt(fixture.pDropDown, CPoint(-10, 300));
    EXPECT_TRUE(fixture.IsOpen());
    ReleaseAt(fixture.pDropDown, CPoint(-10, 300));
    EXPECT_FALSE(fixture.IsOpen());
    EXPECT_EQ("2026000300000", Str(fixture.field.GetCode()));
    EXPECT_EQ("March,2026", Str(fixture.field.GetText()));
    PumpMessages(50);
    EXPECT_EQ(1, fixture.parent.Count(WM_DATEDROP_CLOSED));
}

TEST(DateDropDownWnd, HeldArrowRepeatsUntilReleasedAndStopsAt9999)
{
    DropDownFixture fixture(PERIOD_MONTH, "9998000300000");
    CPoint right = fixture.Layout().m_rcRightArrow.CenterPoint();
    PressAt(fixture.pDropDown, right);
    PumpMessages(800);
    ReleaseAt(fixture.pDropDown, right);
    EXPECT_EQ(9999, fixture.Year());
    EXPECT_EQ("9999000300000", Str(fixture.pDropDown->GetSelectedCode()));

    DropDownFixture day(PERIOD_DAY, "2024000300015");
    const CReportPeriod& period = day.pDropDown->GetCalendar().m_period;
    auto months = [&period]() { return period.m_nYear * 12 + period.m_nMonth; };
    CPoint left = day.Layout().m_rcLeftArrow.CenterPoint();
    PressAt(day.pDropDown, left);
    EXPECT_EQ(2024 * 12 + 2, months());
    // The repeat starts after a delay; a loaded machine may take longer.
    for (int waited = 0; waited < 5000 && months() == 2024 * 12 + 2; waited += 50)
        PumpMessages(50);
    EXPECT_LT(months(), 2024 * 12 + 2);
    ReleaseAt(day.pDropDown, left);
    int atRelease = months();
    PumpMessages(700);
    EXPECT_EQ(atRelease, months());
    EXPECT_TRUE(day.IsOpen());
}

TEST(DateDropDownWnd, WeekPageOffersWeek53OnlyInYearsThatHaveIt)
{
    for (int weeks : { 52, 53 })
    {
        SCOPED_TRACE(weeks);
        int year = 2000;
        while (CReportPeriod::GetWeeksInYear(year) != weeks)
            ++year;
        DropDownFixture fixture(PERIOD_WEEK, WeekCode(year, 10).c_str());
        if (weeks == 53)
            SaveScreenshot("DateDropDownWnd");
        fixture.ClickCell(52);
        EXPECT_EQ(weeks == 52, fixture.IsOpen());
        EXPECT_EQ(WeekCode(year, weeks == 52 ? 10 : 53), Str(fixture.field.GetCode()));
    }
}

// Every cell's text fits its cell with room to spare on both sides, in the
// font the page draws with: two-digit weeks never run together.
TEST(DateDropDownWnd, CellTextsFitTheirCells)
{
    const std::pair<int, std::string> pages[] = {
        { PERIOD_WEEK, WeekCode(2026, 10) }, { PERIOD_DAY, "2024000300015" },
        { PERIOD_MONTH, "2024000300000" },   { PERIOD_QUARTER, "2024010000000" },
        { PERIOD_HALFYEAR, "2024100000000" }, { PERIOD_TENDAY, "2024000320000" },
    };
    for (const auto& page : pages)
    {
        SCOPED_TRACE(page.first);
        DropDownFixture fixture(page.first, page.second.c_str());
        ASSERT_TRUE(fixture.IsOpen());
        if (page.first == PERIOD_WEEK)
            SaveScreenshot("DateDropDownWeekPage");
        const CCalendarLayout& layout = fixture.Layout();
        HDC hDC = GetDC(fixture.hWndDropDown);
        HGDIOBJ hOld = SelectObject(hDC, fixture.pDropDown->GetPageFont());
        auto expectFits = [hDC](const CString& text, const CRect& rc) {
            SIZE size = {};
            GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
            EXPECT_LE(size.cx + 2 * CALENDAR_TEXT_MARGIN, rc.Width()) << (LPCSTR)text;
            EXPECT_LE(size.cy, rc.Height()) << (LPCSTR)text;
        };
        ASSERT_GT(layout.m_nCellCount, 0);
        for (int i = 0; i < layout.m_nCellCount; ++i)
            expectFits(fixture.pDropDown->GetCellLabel(i), layout.GetCellRect(i));
        const char* const heads[] = { "Sun", "Mon", "Tues", "Wed", "Thurs", "Fri", "Sat" };
        if (page.first == PERIOD_DAY)
            for (int i = 0; i < 7; ++i)
                expectFits(heads[i], layout.m_rcWeekdays[i]);
        SelectObject(hDC, hOld);
        ReleaseDC(fixture.hWndDropDown, hDC);
    }
}

TEST(DateDropDownWnd, YearKeypad)
{
    DropDownFixture fixture(PERIOD_YEAR, "2024000000000");
    // Cells of 1, 9, 9, 9 and 5: the fifth digit is ignored.
    for (int cell : { 0, 8, 8, 8, 4 })
        fixture.ClickKeypadCell(cell);
    EXPECT_EQ("1999", Str(fixture.pDropDown->GetCalendar().GetYearText()));
    fixture.ClickKeypadCell(10);   // back
    EXPECT_EQ(199, fixture.Year());
    fixture.ClickKeypadCell(13);   // Clr
    fixture.ClickKeypadCell(11);   // Ok
    EXPECT_FALSE(fixture.IsOpen());
    EXPECT_EQ("0000000000000", Str(fixture.field.GetCode()));
    EXPECT_EQ("0", Str(fixture.field.GetText()));

}
