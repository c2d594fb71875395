#include "shell/CalendarLayout.h"

namespace {

// Which key each keypad cell belongs to, row by row.
const int g_keyOfCell[CALENDAR_KEYPAD_CELLS] = {
    1, 2, 3, 4,
    5, 6, 7, 8,
    9, 0, CALENDAR_KEY_BACK, CALENDAR_KEY_OK,
    CALENDAR_KEY_CLEAR, CALENDAR_KEY_CLEAR, CALENDAR_KEY_OK, CALENDAR_KEY_OK
};

// The head texts of the day and ten-day pages: year, dash, month.
const int YEAR_TEXT_WIDTH = 28;
const int DASH_TEXT_WIDTH = 6;
const int MONTH_TEXT_WIDTH = 16;

// On the year page the head line is this much taller.
const int YEAR_HEAD_EXTRA = 6;

}

CCalendarLayout::CCalendarLayout()
    : m_nType(PERIOD_DAY), m_nWidth(0), m_nHeight(0), m_nLineY(0), m_nRows(0), m_nColumns(0),
      m_nCellCount(0)
{
}

CSize CCalendarLayout::GetWindowSize(int nType)
{
    switch (nType)
    {
    case PERIOD_YEAR: return CSize(80, 100);
    case PERIOD_QUARTER: return CSize(100, 100);
    case PERIOD_MONTH:
    case PERIOD_WEEK:
    case PERIOD_DAY: return CSize(120, 110);
    case PERIOD_HALFYEAR: return CSize(100, 100);
    // Wide enough for "The second 10 days of a month " in one line.
    case PERIOD_TENDAY: return CSize(180, 100);
    default: return CSize(100, 100);
    }
}

CSize CCalendarLayout::GetWindowSize(int nType, CSize sizeText)
{
    CSize size = GetWindowSize(nType);
    if (nType == PERIOD_YEAR)
        return size;
    CCalendarLayout layout;
    layout.Compute(nType, size.cx, size.cy);
    if (layout.m_nColumns <= 0 || layout.m_nRows <= 0)
        return size;
    int needed = layout.m_nColumns * (sizeText.cx + 2 * CALENDAR_TEXT_MARGIN);
    if (needed > layout.m_rcGrid.Width())
        size.cx += needed - layout.m_rcGrid.Width();
    // The head takes a sixth of the height, so the rows grow a step at a time.
    const int kTallest = 1000;
    while (layout.GridCell(0, 0).Height() < sizeText.cy && size.cy < kTallest)
    {
        ++size.cy;
        layout.Compute(nType, size.cx, size.cy);
    }
    return size;
}

CPoint CCalendarLayout::PlaceWindow(const RECT& rcField, const RECT& rcDesktop, CSize size)
{
    CPoint point(rcField.right - size.cx, rcField.bottom);
    if (point.x < rcDesktop.left)
        point.x = rcField.left;
    if (point.y + size.cy > rcDesktop.bottom)
        point.y = rcField.top - size.cy;
    return point;
}

void CCalendarLayout::Compute(int nType, int nWidth, int nHeight)
{
    m_nType = nType;
    m_nWidth = nWidth;
    m_nHeight = nHeight;

    m_rcHead.SetRect(2, 1, nWidth - 4, nHeight / 6);
    int hh = m_rcHead.Height();
    int shift = 0;
    if (nType == PERIOD_YEAR)
    {
        m_rcHead.bottom += YEAR_HEAD_EXTRA;
        shift = YEAR_HEAD_EXTRA / 2;
    }
    int top = 1 + shift;
    int bottom = top + hh;
    m_rcLeftArrow.SetRect(5, top + hh / 5, 6 * hh / 5, bottom - hh / 5);
    int arrowWidth = m_rcLeftArrow.Width();
    m_rcRightArrow.SetRect(m_rcHead.right - 2 - arrowWidth, m_rcLeftArrow.top, m_rcHead.right - 2,
                           m_rcLeftArrow.bottom);

    CRect between(m_rcLeftArrow.right, top, m_rcRightArrow.left, bottom);
    if (nType == PERIOD_DAY || nType == PERIOD_TENDAY)
    {
        int left = between.left
                   + (between.Width() - YEAR_TEXT_WIDTH - DASH_TEXT_WIDTH - MONTH_TEXT_WIDTH) / 2;
        m_rcYearText.SetRect(left, top, left + YEAR_TEXT_WIDTH, bottom);
        m_rcDashText.SetRect(m_rcYearText.right, top, m_rcYearText.right + DASH_TEXT_WIDTH, bottom);
        m_rcMonthText.SetRect(m_rcDashText.right, top, m_rcDashText.right + MONTH_TEXT_WIDTH,
                              bottom);
    }
    else
    {
        m_rcYearText = between;
        m_rcDashText.SetRectEmpty();
        m_rcMonthText.SetRectEmpty();
    }

    m_rcGrid.SetRect(m_rcHead.left, m_rcHead.bottom + 5, m_rcHead.right, nHeight - 5);
    m_nLineY = m_rcHead.bottom + 1;
    for (int i = 0; i < 7; ++i)
        m_rcWeekdays[i].SetRectEmpty();
    switch (nType)
    {
    case PERIOD_DAY:
        m_nRows = 7;
        m_nColumns = 7;
        m_nCellCount = CALENDAR_DAY_CELLS;
        for (int i = 0; i < 7; ++i)
            m_rcWeekdays[i] = GridCell(0, i);
        m_nLineY = m_rcWeekdays[0].bottom;
        break;
    case PERIOD_WEEK:
        m_nRows = 7;
        m_nColumns = 8;
        m_nCellCount = CALENDAR_WEEK_CELLS;
        break;
    case PERIOD_MONTH:
        m_nRows = 4;
        m_nColumns = 3;
        m_nCellCount = 12;
        break;
    case PERIOD_QUARTER:
        m_nRows = 4;
        m_nColumns = 1;
        m_nCellCount = 4;
        break;
    case PERIOD_HALFYEAR:
        m_nRows = 2;
        m_nColumns = 1;
        m_nCellCount = 2;
        break;
    case PERIOD_TENDAY:
        m_nRows = 3;
        m_nColumns = 1;
        m_nCellCount = 3;
        break;
    case PERIOD_YEAR:
        // The keypad keeps 3 pixels from the client edges, inside the border.
        m_rcGrid.SetRect(3, m_rcHead.bottom + 3, nWidth - 2 - 3, nHeight - 2 - 3);
        m_nRows = 4;
        m_nColumns = 4;
        m_nCellCount = 0;
        break;
    default:
        m_nRows = 0;
        m_nColumns = 0;
        m_nCellCount = 0;
        break;
    }
}

CRect CCalendarLayout::GridCell(int nRow, int nColumn) const
{
    if (m_nRows <= 0 || m_nColumns <= 0)
        return CRect();
    int cellWidth = m_rcGrid.Width() / m_nColumns;
    int cellHeight = m_rcGrid.Height() / m_nRows;
    int left = m_rcGrid.left + nColumn * cellWidth;
    int top = m_rcGrid.top + nRow * cellHeight;
    return CRect(left, top, left + cellWidth, top + cellHeight);
}

CRect CCalendarLayout::GetCellRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCellCount)
        return CRect();
    // The day cells start on the row after the weekday heads.
    int firstRow = m_nType == PERIOD_DAY ? 1 : 0;
    return GridCell(firstRow + nIndex / m_nColumns, nIndex % m_nColumns);
}

CRect CCalendarLayout::GetKeypadCellRect(int nCell) const
{
    if (m_nType != PERIOD_YEAR || nCell < 0 || nCell >= CALENDAR_KEYPAD_CELLS)
        return CRect();
    return GridCell(nCell / 4, nCell % 4);
}

int CCalendarLayout::GetKeyOfKeypadCell(int nCell)
{
    return nCell >= 0 && nCell < CALENDAR_KEYPAD_CELLS ? g_keyOfCell[nCell] : -1;
}

CRect CCalendarLayout::GetKeyRect(int nKey, CRect* pLower) const
{
    CRect rc;
    if (pLower != NULL)
        pLower->SetRectEmpty();
    for (int cell = 0; cell < CALENDAR_KEYPAD_CELLS; ++cell)
    {
        if (g_keyOfCell[cell] != nKey)
            continue;
        CRect rcCell = GetKeypadCellRect(cell);
        // Ok's upright part is the cell of the third row; its lower part
        // spans the last two cells of the fourth row.
        if (nKey == CALENDAR_KEY_OK && cell >= 12)
        {
            if (pLower != NULL)
                pLower->UnionRect(pLower, &rcCell);
            continue;
        }
        rc.UnionRect(&rc, &rcCell);
    }
    rc.right -= 1;
    rc.bottom -= 1;
    if (pLower != NULL && !pLower->IsRectEmpty())
    {
        pLower->right -= 1;
        pLower->bottom -= 1;
    }
    return rc;
}

CalendarHit CCalendarLayout::HitTest(CPoint point, int* pnIndex) const
{
    int index = -1;
    CalendarHit hit = CALENDAR_HIT_NONE;
    if (m_rcLeftArrow.PtInRect(point))
        hit = CALENDAR_HIT_LEFT_ARROW;
    else if (m_rcRightArrow.PtInRect(point))
        hit = CALENDAR_HIT_RIGHT_ARROW;
    else if (m_nType == PERIOD_YEAR)
    {
        for (int cell = 0; cell < CALENDAR_KEYPAD_CELLS; ++cell)
        {
            if (GetKeypadCellRect(cell).PtInRect(point))
            {
                hit = CALENDAR_HIT_KEY;
                index = g_keyOfCell[cell];
                break;
            }
        }
    }
    else
    {
        for (int i = 0; i < m_nCellCount; ++i)
        {
            if (GetCellRect(i).PtInRect(point))
            {
                hit = CALENDAR_HIT_CELL;
                index = i;
                break;
            }
        }
    }
    if (pnIndex != NULL)
        *pnIndex = index;
    return hit;
}
