#include "tests/support/Gtest.h"
#include "tests/shell/DateFieldTestSupport.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"

#include <string>

namespace {

std::string Str(const CString& s)
{
    return std::string((LPCTSTR)s, s.GetLength());
}

// A field of a type holding a code, with its drop-down open and holding
// the capture.
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
        if (pDropDown != nullptr)
            hWndDropDown = pDropDown->m_hWnd;
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
    void ClickCell(int index) { ClickAt(pDropDown, Layout().GetCellRect(index).CenterPoint()); }
    void ClickKey(int key)
    {
        for (int cell = 0; cell < CALENDAR_KEYPAD_CELLS; ++cell)
        {
            if (CCalendarLayout::GetKeyOfKeypadCell(cell) == key)
            {
                ClickAt(pDropDown, Layout().GetKeypadCellRect(cell).CenterPoint());
                return;
            }
        }
        ADD_FAILURE() << "no key " << key;
    }
};

int FindYearWithWeeks(int weeks)
{
    int year = 2000;
    while (CReportPeriod::GetWeeksInYear(year) != weeks)
        ++year;
    return year;
}

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
    ASSERT_TRUE(fixture.IsOpen());
    CPoint right = fixture.Layout().m_rcRightArrow.CenterPoint();
    ClickAt(fixture.pDropDown, right);
    ClickAt(fixture.pDropDown, right);
    ASSERT_TRUE(fixture.IsOpen());
    EXPECT_EQ(2026, fixture.pDropDown->GetCalendar().m_period.m_nYear);
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

TEST(DateDropDownWnd, HeldArrowRepeatsAndStopsAt9999)
{
    DropDownFixture fixture(PERIOD_MONTH, "9998000300000");
    CPoint right = fixture.Layout().m_rcRightArrow.CenterPoint();
    PressAt(fixture.pDropDown, right);
    EXPECT_EQ(9999, fixture.pDropDown->GetCalendar().m_period.m_nYear);
    PumpMessages(800);
    EXPECT_EQ(9999, fixture.pDropDown->GetCalendar().m_period.m_nYear);
    ReleaseAt(fixture.pDropDown, right);
    EXPECT_TRUE(fixture.IsOpen());
    EXPECT_EQ("9999000300000", Str(fixture.pDropDown->GetSelectedCode()));

    // From an ordinary month the held arrow goes on stepping, and stops
    // with the release.
    DropDownFixture day(PERIOD_DAY, "2024000300015");
    const CPeriodCalendar& calendar = day.pDropDown->GetCalendar();
    auto months = [&calendar]() { return calendar.m_period.m_nYear * 12 + calendar.m_period.m_nMonth; };
    CPoint left = day.Layout().m_rcLeftArrow.CenterPoint();
    PressAt(day.pDropDown, left);
    EXPECT_EQ(2024 * 12 + 2, months());
    PumpMessages(1000);
    EXPECT_LT(months(), 2024 * 12 + 2);
    ReleaseAt(day.pDropDown, left);
    int atRelease = months();
    PumpMessages(700);
    EXPECT_EQ(atRelease, months());
    EXPECT_TRUE(day.IsOpen());
}

TEST(DateDropDownWnd, DayPageOfFebruary2024)
{
    DropDownFixture fixture(PERIOD_DAY, "2024000200010");
    const CPeriodCalendar& calendar = fixture.pDropDown->GetCalendar();
    EXPECT_EQ(4, calendar.GetFirstDayOffset());
    EXPECT_EQ(28, calendar.GetDayNumber(0));
    SaveScreenshot("DateDropDownWnd");
    // A day of the month before moves the month.
    fixture.ClickCell(2);
    EXPECT_FALSE(fixture.IsOpen());
    EXPECT_EQ("2024000100030", Str(fixture.field.GetCode()));
}

TEST(DateDropDownWnd, WeekPageOffersWeek53OnlyInYearsThatHaveIt)
{
    int year52 = FindYearWithWeeks(52);
    DropDownFixture short_(PERIOD_WEEK, WeekCode(year52, 10).c_str());
    short_.ClickCell(52);
    EXPECT_TRUE(short_.IsOpen());
    EXPECT_EQ(WeekCode(year52, 10), Str(short_.field.GetCode()));
    short_.ClickCell(51);
    EXPECT_FALSE(short_.IsOpen());
    EXPECT_EQ(WeekCode(year52, 52), Str(short_.field.GetCode()));

    int year53 = FindYearWithWeeks(53);
    DropDownFixture long_(PERIOD_WEEK, WeekCode(year53, 10).c_str());
    long_.ClickCell(52);
    EXPECT_FALSE(long_.IsOpen());
    EXPECT_EQ(WeekCode(year53, 53), Str(long_.field.GetCode()));
}

TEST(DateDropDownWnd, YearKeypad)
{
    DropDownFixture fixture(PERIOD_YEAR, "2024000000000");
    CRect rc;
    fixture.pDropDown->GetWindowRect(&rc);
    EXPECT_EQ(CSize(80, 100), rc.Size());
    for (int key : { 1, 9, 9, 9, 5 })
        fixture.ClickKey(key);
    ASSERT_TRUE(fixture.IsOpen());
    EXPECT_EQ("1999", Str(fixture.pDropDown->GetCalendar().GetYearText()));
    fixture.ClickKey(CALENDAR_KEY_BACK);
    EXPECT_EQ(199, fixture.pDropDown->GetCalendar().m_period.m_nYear);
    fixture.ClickKey(CALENDAR_KEY_CLEAR);
    fixture.ClickKey(CALENDAR_KEY_OK);
    EXPECT_FALSE(fixture.IsOpen());
    EXPECT_EQ("0000000000000", Str(fixture.field.GetCode()));
    EXPECT_EQ("0", Str(fixture.field.GetText()));

    // Ok's lower part closes as well, with the year typed.
    DropDownFixture again(PERIOD_YEAR, "2024000000000");
    for (int key : { 2, 0, 3, 1 })
        again.ClickKey(key);
    ClickAt(again.pDropDown, again.Layout().GetKeypadCellRect(14).CenterPoint());
    EXPECT_FALSE(again.IsOpen());
    EXPECT_EQ("2031000000000", Str(again.field.GetCode()));
}

TEST(DateDropDownWnd, EveryPageWritesThirteenDigitsAtYearZero)
{
    // Stepping down past year 0 on every page keeps four year digits.
    for (int type : { PERIOD_QUARTER, PERIOD_HALFYEAR, PERIOD_MONTH, PERIOD_WEEK, PERIOD_DAY,
                      PERIOD_TENDAY })
    {
        SCOPED_TRACE(type);
        DropDownFixture fixture(type, "0001111111111");
        CRect rc;
        fixture.pDropDown->GetWindowRect(&rc);
        EXPECT_EQ(CCalendarLayout::GetWindowSize(type), rc.Size());
        CPoint left = fixture.Layout().m_rcLeftArrow.CenterPoint();
        for (int i = 0; i < 30; ++i)
            ClickAt(fixture.pDropDown, left);
        ReleaseAt(fixture.pDropDown, CPoint(-3, -3));
        CString code = fixture.field.GetCode();
        EXPECT_EQ(PERIOD_CODE_LENGTH, code.GetLength()) << Str(code);
        EXPECT_EQ("0000", Str(code.Left(4)));
    }
}
