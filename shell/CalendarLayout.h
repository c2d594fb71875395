// Geometry of the drop-down calendar: its window size and place on the
// screen, the head line with its arrows and texts, the cells of each page
// and the year keypad, and which of them lies under a point.
#pragma once

#include "framework/windows/Geometry.h"
#include "shell/PeriodCalendar.h"

// What a point of the calendar hits.
enum CalendarHit
{
    CALENDAR_HIT_NONE,
    CALENDAR_HIT_LEFT_ARROW,
    CALENDAR_HIT_RIGHT_ARROW,
    CALENDAR_HIT_CELL,   // a cell of the page; the index is the cell's
    CALENDAR_HIT_KEY     // a key of the year keypad; the index is a CalendarKey
};

// Keys of the year keypad: the digits are their own values.
enum CalendarKey
{
    CALENDAR_KEY_CLEAR = 10,
    CALENDAR_KEY_BACK = 11,
    CALENDAR_KEY_OK = 12
};

// Pixels kept free on each side of a cell's text, so neighbours never touch.
const int CALENDAR_TEXT_MARGIN = 2;

// The keypad is 4 by 4 cells; Clr takes two of them and Ok three.
const int CALENDAR_KEYPAD_CELLS = 16;

class CCalendarLayout
{
public:
    CCalendarLayout();

    // Window size (width, height) of the popup of a period type.
    static CSize GetWindowSize(int nType);
    // The same, grown where needed so that a text of sizeText (the widest
    // and tallest of the page) fits every cell, with CALENDAR_TEXT_MARGIN
    // on its left and right.
    static CSize GetWindowSize(int nType, CSize sizeText);
    // Top left of a popup of the given size that opens under a field whose
    // window rectangle is rcField, within the desktop rectangle: aligned to
    // the field's right edge, or to its left edge when that would leave the
    // desktop, and above the field when below it would not fit.
    static CPoint PlaceWindow(const RECT& rcField, const RECT& rcDesktop, CSize size);

    // Lays out the page of a type in a window of nWidth by nHeight.
    void Compute(int nType, int nWidth, int nHeight);

    // What the point hits; pnIndex receives the cell index or the key.
    CalendarHit HitTest(CPoint point, int* pnIndex) const;
    // The rectangle of a cell (CALENDAR_HIT_CELL) or of a key's cell
    // (CALENDAR_HIT_KEY, keypad cell index); empty for anything else.
    CRect GetCellRect(int nIndex) const;
    CRect GetKeypadCellRect(int nCell) const;
    // The key a keypad cell belongs to.
    static int GetKeyOfKeypadCell(int nCell);
    // The rectangle a key is drawn in (a cell less one pixel); for Ok the
    // upright part (rcOk) and the lower part (pLower) of the L.
    CRect GetKeyRect(int nKey, CRect* pLower = NULL) const;

    int m_nType;
    int m_nWidth;
    int m_nHeight;
    CRect m_rcHead;
    CRect m_rcLeftArrow;
    CRect m_rcRightArrow;
    // Head texts: the year; on the day and ten-day pages also the dash and
    // the month.
    CRect m_rcYearText;
    CRect m_rcDashText;
    CRect m_rcMonthText;
    // Area of the cells (of the keypad on the year page).
    CRect m_rcGrid;
    // The weekday heads of the day page.
    CRect m_rcWeekdays[7];
    // The line under the head (under the weekday heads on the day page).
    int m_nLineY;
    int m_nRows;
    int m_nColumns;
    // Cells of the page, row by row, on the first row of the grid after the
    // weekday heads on the day page.
    int m_nCellCount;

private:
    CRect GridCell(int nRow, int nColumn) const;
};
