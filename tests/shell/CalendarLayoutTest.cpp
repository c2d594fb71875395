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

}

TEST(CalendarLayout, SizesAndPlacement)
{
    EXPECT_EQ(CSize(80, 100), CCalendarLayout::GetWindowSize(PERIOD_YEAR));
    EXPECT_EQ(CSize(100, 100), CCalendarLayout::GetWindowSize(PERIOD_QUARTER));
    EXPECT_EQ(CSize(120, 110), CCalendarLayout::GetWindowSize(PERIOD_MONTH));
    EXPECT_EQ(CSize(120, 110), CCalendarLayout::GetWindowSize(PERIOD_WEEK));
    EXPECT_EQ(CSize(120, 110), CCalendarLayout::GetWindowSize(PERIOD_DAY));

    CRect desktop(0, 0, 1280, 1024);
    CSize size(120, 110);
    EXPECT_EQ(CPoint(380, 220), CCalendarLayout::PlaceWindow(CRect(300, 200, 500, 220), desktop, size));
    // Right-aligned it would leave the desktop: it aligns to the left edge.
    EXPECT_EQ(CPoint(10, 220), CCalendarLayout::PlaceWindow(CRect(10, 200, 100, 220), desktop, size));
    // Below the field it would not fit: it opens above.
    EXPECT_EQ(CPoint(380, 790), CCalendarLayout::PlaceWindow(CRect(300, 900, 500, 920), desktop, size));
    EXPECT_EQ(CPoint(380, 914), CCalendarLayout::PlaceWindow(CRect(300, 894, 500, 914), desktop, size));
}

TEST(CalendarLayout, CellsOfEveryPageHitThemselves)
{
    const int types[] = { PERIOD_DAY, PERIOD_WEEK, PERIOD_MONTH, PERIOD_QUARTER, PERIOD_HALFYEAR,
                          PERIOD_TENDAY };
    const int cells[] = { 42, 53, 12, 4, 2, 3 };
    for (int t = 0; t < 6; ++t)
    {
        SCOPED_TRACE(types[t]);
        CCalendarLayout layout = LaidOut(types[t]);
        EXPECT_EQ(cells[t], layout.m_nCellCount);
        EXPECT_EQ(layout.m_rcHead.bottom + 5, layout.m_rcGrid.top);
        for (int i = 0; i < layout.m_nCellCount; ++i)
        {
            CRect rc = layout.GetCellRect(i);
            int index = -1;
            EXPECT_EQ(CALENDAR_HIT_CELL, layout.HitTest(rc.CenterPoint(), &index)) << i;
            EXPECT_EQ(i, index);
            EXPECT_GE(layout.m_nHeight - 5, rc.bottom) << i;
        }
        EXPECT_EQ(CALENDAR_HIT_RIGHT_ARROW, layout.HitTest(layout.m_rcRightArrow.CenterPoint(), NULL));
    }
    // The weekday heads are no cells.
    CCalendarLayout day = LaidOut(PERIOD_DAY);
    EXPECT_EQ(CALENDAR_HIT_NONE, day.HitTest(day.m_rcWeekdays[3].CenterPoint(), NULL));
}

TEST(CalendarLayout, YearKeypad)
{
    CCalendarLayout layout = LaidOut(PERIOD_YEAR);
    // The year page's head is 6 pixels taller and its arrows 3 lower.
    CCalendarLayout quarter = LaidOut(PERIOD_QUARTER);
    EXPECT_EQ(quarter.m_rcHead.bottom + 6, layout.m_rcHead.bottom);
    EXPECT_EQ(quarter.m_rcLeftArrow.top + 3, layout.m_rcLeftArrow.top);
    const int keys[16] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, CALENDAR_KEY_BACK, CALENDAR_KEY_OK,
                           CALENDAR_KEY_CLEAR, CALENDAR_KEY_CLEAR, CALENDAR_KEY_OK, CALENDAR_KEY_OK };
    for (int cell = 0; cell < CALENDAR_KEYPAD_CELLS; ++cell)
    {
        CRect rc = layout.GetKeypadCellRect(cell);
        int key = -1;
        EXPECT_EQ(CALENDAR_HIT_KEY, layout.HitTest(rc.CenterPoint(), &key)) << cell;
        EXPECT_EQ(keys[cell], key) << cell;
    }
    // Keys are a pixel smaller than their cells; Ok is an L of three cells.
    CRect lower;
    CRect upright = layout.GetKeyRect(CALENDAR_KEY_OK, &lower);
    EXPECT_EQ(layout.GetKeypadCellRect(11).left, upright.left);
    EXPECT_EQ(layout.GetKeypadCellRect(15).right - 1, lower.right);
    EXPECT_EQ(layout.GetKeypadCellRect(13).right - 1, layout.GetKeyRect(CALENDAR_KEY_CLEAR).right);
}
