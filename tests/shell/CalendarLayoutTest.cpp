#include "tests/support/Gtest.h"
#include "shell/CalendarLayout.h"

namespace {

CCalendarLayout LaidOut(int type)
{
    CCalendarLayout layout;
    CSize size = CCalendarLayout::GetWindowSize(type);
    layout.Compute(type, size.cx, size.cy);
    return layout;
}

void ExpectInside(const CRect& outer, const CRect& inner)
{
    EXPECT_LE(outer.left, inner.left);
    EXPECT_LE(outer.top, inner.top);
    EXPECT_GE(outer.right, inner.right);
    EXPECT_GE(outer.bottom, inner.bottom);
}

// Each cell's centre hits that cell, and the cells do not overlap.
void ExpectCellsHitThemselves(const CCalendarLayout& layout)
{
    for (int i = 0; i < layout.m_nCellCount; ++i)
    {
        SCOPED_TRACE(i);
        CRect rc = layout.GetCellRect(i);
        ASSERT_FALSE(rc.IsRectEmpty());
        ExpectInside(layout.m_rcGrid, rc);
        int index = -1;
        EXPECT_EQ(CALENDAR_HIT_CELL, layout.HitTest(rc.CenterPoint(), &index));
        EXPECT_EQ(i, index);
        for (int j = 0; j < i; ++j)
        {
            CRect both, other = layout.GetCellRect(j);
            EXPECT_FALSE(both.IntersectRect(&rc, &other)) << j;
        }
    }
}

}

TEST(CalendarLayout, WindowSizes)
{
    EXPECT_EQ(CSize(80, 100), CCalendarLayout::GetWindowSize(PERIOD_YEAR));
    EXPECT_EQ(CSize(100, 100), CCalendarLayout::GetWindowSize(PERIOD_QUARTER));
    EXPECT_EQ(CSize(120, 110), CCalendarLayout::GetWindowSize(PERIOD_MONTH));
    EXPECT_EQ(CSize(120, 110), CCalendarLayout::GetWindowSize(PERIOD_WEEK));
    EXPECT_EQ(CSize(120, 110), CCalendarLayout::GetWindowSize(PERIOD_DAY));
}

TEST(CalendarLayout, PlacementUnderAboveAndClamped)
{
    CRect desktop(0, 0, 1280, 1024);
    CSize size(120, 110);
    EXPECT_EQ(CPoint(380, 220), CCalendarLayout::PlaceWindow(CRect(300, 200, 500, 220), desktop, size));
    // Aligned to the right edge it would leave the desktop on the left.
    EXPECT_EQ(CPoint(10, 220), CCalendarLayout::PlaceWindow(CRect(10, 200, 100, 220), desktop, size));
    // Near the bottom it opens above the field.
    EXPECT_EQ(CPoint(380, 900 - 110),
              CCalendarLayout::PlaceWindow(CRect(300, 900, 500, 920), desktop, size));
    // Ending exactly on the desktop's bottom edge still fits below.
    EXPECT_EQ(CPoint(380, 914), CCalendarLayout::PlaceWindow(CRect(300, 894, 500, 914), desktop, size));
}

TEST(CalendarLayout, HeadAndArrows)
{
    CCalendarLayout layout = LaidOut(PERIOD_DAY);
    EXPECT_EQ(CRect(2, 1, 116, 18), layout.m_rcHead);
    int hh = layout.m_rcHead.Height();
    EXPECT_EQ(CRect(5, 1 + hh / 5, 6 * hh / 5, 18 - hh / 5), layout.m_rcLeftArrow);
    EXPECT_EQ(layout.m_rcLeftArrow.Size(), layout.m_rcRightArrow.Size());
    EXPECT_EQ(layout.m_rcHead.right - 2, layout.m_rcRightArrow.right);
    EXPECT_EQ(CALENDAR_HIT_LEFT_ARROW, layout.HitTest(layout.m_rcLeftArrow.CenterPoint(), NULL));
    EXPECT_EQ(CALENDAR_HIT_RIGHT_ARROW, layout.HitTest(layout.m_rcRightArrow.CenterPoint(), NULL));
    // The year, dash and month sit between the arrows.
    EXPECT_LE(layout.m_rcLeftArrow.right, layout.m_rcYearText.left);
    EXPECT_EQ(layout.m_rcYearText.right, layout.m_rcDashText.left);
    EXPECT_EQ(layout.m_rcDashText.right, layout.m_rcMonthText.left);
    EXPECT_GE(layout.m_rcRightArrow.left, layout.m_rcMonthText.right);

    // The year page's head is 6 pixels taller, its arrows 3 lower.
    CCalendarLayout year = LaidOut(PERIOD_YEAR);
    CCalendarLayout quarter = LaidOut(PERIOD_QUARTER);
    EXPECT_EQ(quarter.m_rcHead.bottom + 6, year.m_rcHead.bottom);
    EXPECT_EQ(quarter.m_rcLeftArrow.top + 3, year.m_rcLeftArrow.top);
    EXPECT_EQ(quarter.m_rcLeftArrow.Height(), year.m_rcLeftArrow.Height());
    EXPECT_TRUE(year.m_rcMonthText.IsRectEmpty());
}

TEST(CalendarLayout, GridsOfEveryPage)
{
    struct Case { int type; int cells; int columns; };
    const Case cases[] = { { PERIOD_DAY, 42, 7 }, { PERIOD_WEEK, 53, 8 }, { PERIOD_MONTH, 12, 3 },
                           { PERIOD_QUARTER, 4, 1 }, { PERIOD_HALFYEAR, 2, 1 },
                           { PERIOD_TENDAY, 3, 1 } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.type);
        CCalendarLayout layout = LaidOut(c.type);
        EXPECT_EQ(c.cells, layout.m_nCellCount);
        EXPECT_EQ(c.columns, layout.m_nColumns);
        EXPECT_EQ(layout.m_rcHead.bottom + 5, layout.m_rcGrid.top);
        EXPECT_EQ(layout.m_nHeight - 5, layout.m_rcGrid.bottom);
        ExpectCellsHitThemselves(layout);
        // The second cell is right of the first unless there is one column.
        CRect first = layout.GetCellRect(0), second = layout.GetCellRect(1);
        if (c.columns > 1)
            EXPECT_EQ(first.right, second.left);
        else
            EXPECT_EQ(first.bottom, second.top);
        EXPECT_TRUE(layout.GetCellRect(c.cells).IsRectEmpty());
    }
    // Day cells start below the weekday heads.
    CCalendarLayout day = LaidOut(PERIOD_DAY);
    EXPECT_EQ(day.m_rcWeekdays[0].bottom, day.GetCellRect(0).top);
    EXPECT_EQ(day.m_rcWeekdays[6].right, day.GetCellRect(6).right);
    EXPECT_EQ(CALENDAR_HIT_NONE, day.HitTest(day.m_rcWeekdays[3].CenterPoint(), NULL));
}

TEST(CalendarLayout, YearKeypad)
{
    CCalendarLayout layout = LaidOut(PERIOD_YEAR);
    EXPECT_EQ(0, layout.m_nCellCount);
    const int keys[16] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, CALENDAR_KEY_BACK, CALENDAR_KEY_OK,
                           CALENDAR_KEY_CLEAR, CALENDAR_KEY_CLEAR, CALENDAR_KEY_OK, CALENDAR_KEY_OK };
    for (int cell = 0; cell < CALENDAR_KEYPAD_CELLS; ++cell)
    {
        SCOPED_TRACE(cell);
        CRect rc = layout.GetKeypadCellRect(cell);
        ExpectInside(CRect(3, layout.m_rcHead.bottom, layout.m_nWidth - 5, layout.m_nHeight - 5), rc);
        int key = -1;
        EXPECT_EQ(CALENDAR_HIT_KEY, layout.HitTest(rc.CenterPoint(), &key));
        EXPECT_EQ(keys[cell], key);
    }
    // Keys are one pixel smaller than their cells; Ok is an L of three cells.
    CRect cell0 = layout.GetKeypadCellRect(0);
    EXPECT_EQ(CRect(cell0.left, cell0.top, cell0.right - 1, cell0.bottom - 1), layout.GetKeyRect(1));
    CRect lower;
    CRect upright = layout.GetKeyRect(CALENDAR_KEY_OK, &lower);
    EXPECT_EQ(layout.GetKeypadCellRect(11).left, upright.left);
    EXPECT_EQ(layout.GetKeypadCellRect(14).left, lower.left);
    EXPECT_EQ(layout.GetKeypadCellRect(15).right - 1, lower.right);
    CRect clear = layout.GetKeyRect(CALENDAR_KEY_CLEAR);
    EXPECT_EQ(layout.GetKeypadCellRect(12).left, clear.left);
    EXPECT_EQ(layout.GetKeypadCellRect(13).right - 1, clear.right);
}
