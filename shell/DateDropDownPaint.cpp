// Painting of the drop-down calendar's pages.
#include "shell/DateDropDownWnd.h"

#include <algorithm>

#include "framework/windows/ScopedGdi.h"

namespace {

const char* const g_weekdayHeads[7] = { "Sun", "Mon", "Tues", "Wed", "Thurs", "Fri", "Sat" };
const char* const g_monthCells[12] = { "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
const char* const g_quarterCells[4] = { "First Quarter", "Second Quarter", "Third Quarter",
                                        "Fourth Quarter" };
const char* const g_halfCells[2] = { "1-6", "7-12" };
const char* const g_tenDayCells[3] = { "The first 10 days of a month",
                                       "The second 10 days of a month ",
                                       "The third 10 days of a month " };

// The ellipse behind the selected day, about the cell's centre.
const int DAY_MARK_WIDTH = 30;
const int DAY_MARK_HEIGHT = 12;

const UINT CENTRED = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

void DrawLine(CDC& dc, int nColor, int x1, int y1, int x2, int y2)
{
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 1, ::GetSysColor(nColor)))
        return;
    CScopedSelectObject select(dc, pen);
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

void DrawCentred(CDC& dc, LPCTSTR lpszText, const CRect& rc, int nColor)
{
    dc.SetTextColor(::GetSysColor(nColor));
    CRect rcText(rc);
    dc.DrawText(lpszText, -1, &rcText, CENTRED);
}

// A push button's face and frame.
void DrawButtonFace(CDC& dc, const CRect& rc, BOOL bPressed)
{
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    CRect rcFrame(rc);
    dc.DrawFrameControl(&rcFrame, DFC_BUTTON, DFCS_BUTTONPUSH | (bPressed ? DFCS_PUSHED : 0));
}

}

void CDateDropDownWnd::OnPaint()
{
    CPaintDC dc(this);
    CScopedSelectObject selectFont(dc, m_font);
    dc.SetBkMode(TRANSPARENT);
    DrawHead(dc);
    DrawArrowButton(dc, m_layout.m_rcLeftArrow, TRUE,
                    m_pressedArrow == CALENDAR_HIT_LEFT_ARROW);
    DrawArrowButton(dc, m_layout.m_rcRightArrow, FALSE,
                    m_pressedArrow == CALENDAR_HIT_RIGHT_ARROW);
    if (m_nPeriodType == PERIOD_DAY)
        DrawDayPage(dc);
    else if (m_nPeriodType == PERIOD_YEAR)
        DrawKeypad(dc);
    else
        DrawCells(dc);
    DrawLine(dc, COLOR_BTNSHADOW, 0, m_layout.m_nLineY, m_nWidth, m_layout.m_nLineY);
    if (!m_rcHot.IsRectEmpty())
        dc.DrawFocusRect(&m_rcHot);
}

void CDateDropDownWnd::DrawHead(CDC& dc)
{
    dc.FillSolidRect(&m_layout.m_rcHead, ::GetSysColor(COLOR_HIGHLIGHT));
    CString year;
    // On the year keypad the head shows what is typed, once anything is.
    if (m_nPeriodType == PERIOD_YEAR && !m_calendar.GetYearText().IsEmpty())
        year = m_calendar.GetYearText();
    else
        year.Format("%d", m_calendar.m_period.m_nYear);
    DrawCentred(dc, year, m_layout.m_rcYearText, COLOR_CAPTIONTEXT);
    if (!m_layout.m_rcMonthText.IsRectEmpty())
    {
        CString month;
        month.Format("%02d", m_calendar.m_period.m_nMonth);
        DrawCentred(dc, "-", m_layout.m_rcDashText, COLOR_CAPTIONTEXT);
        DrawCentred(dc, month, m_layout.m_rcMonthText, COLOR_CAPTIONTEXT);
    }
}

// A button with a solid three-row triangle pointing left or right.
void CDateDropDownWnd::DrawArrowButton(CDC& dc, const CRect& rc, BOOL bLeft, BOOL bPressed)
{
    DrawButtonFace(dc, rc, bPressed);
    CPoint centre = rc.CenterPoint();
    if (bPressed)
        centre.Offset(1, 1);
    int step = bLeft ? 1 : -1;
    for (int i = 0; i < 3; ++i)
    {
        int x = centre.x - step + i * step;
        DrawLine(dc, COLOR_BTNTEXT, x, centre.y - i, x, centre.y + i + 1);
    }
}

void CDateDropDownWnd::DrawCellLabel(CDC& dc, const CRect& rc, LPCTSTR lpszLabel,
                                     BOOL bSelected, BOOL bDayPage, int nTextColor)
{
    if (bSelected)
    {
        CRect rcMark(rc);
        if (bDayPage)
        {
            CPoint centre = rc.CenterPoint();
            rcMark.SetRect(centre.x - DAY_MARK_WIDTH / 2, centre.y - DAY_MARK_HEIGHT / 2,
                           centre.x + DAY_MARK_WIDTH / 2, centre.y + DAY_MARK_HEIGHT / 2);
        }
        else
            rcMark.DeflateRect(1, 1);
        CScopedSelectObject selectBrush(dc, m_highlightBrush);
        CScopedSelectObject selectPen(dc, ::GetStockObject(NULL_PEN));
        dc.Ellipse(&rcMark);
        nTextColor = COLOR_CAPTIONTEXT;
    }
    DrawCentred(dc, lpszLabel, rc, nTextColor);
}

CString CDateDropDownWnd::GetCellLabel(int nIndex) const
{
    CString label;
    switch (m_nPeriodType)
    {
    case PERIOD_DAY: label.Format("%d", m_calendar.GetDayNumber(nIndex)); break;
    case PERIOD_WEEK: label.Format("%d", nIndex + 1); break;
    case PERIOD_MONTH: label = g_monthCells[nIndex]; break;
    case PERIOD_QUARTER: label = g_quarterCells[nIndex]; break;
    case PERIOD_HALFYEAR: label = g_halfCells[nIndex]; break;
    case PERIOD_TENDAY: label = g_tenDayCells[nIndex]; break;
    default: break;
    }
    return label;
}

CSize CDateDropDownWnd::MeasureTexts() const
{
    CSize size = CCalendarLayout::GetWindowSize(m_nPeriodType);
    CCalendarLayout layout;
    layout.Compute(m_nPeriodType, size.cx, size.cy);
    CClientDC dc((HWND)NULL);
    CScopedSelectObject selectFont(dc, m_font);
    CSize largest(0, 0);
    auto measure = [&dc, &largest](const CString& text) {
        CSize size = dc.GetTextExtent(text);
        largest.cx = std::max(largest.cx, size.cx);
        largest.cy = std::max(largest.cy, size.cy);
    };
    for (int i = 0; i < layout.m_nCellCount; ++i)
        measure(GetCellLabel(i));
    if (m_nPeriodType == PERIOD_DAY)
    {
        for (const char* head : g_weekdayHeads)
            measure(head);
    }
    return largest;
}

void CDateDropDownWnd::DrawCells(CDC& dc)
{
    int selected = m_calendar.GetSelectedCell();
    for (int i = 0; i < m_layout.m_nCellCount; ++i)
    {
        // Week 53 of a year that has 52 weeks is not offered.
        if (!m_calendar.IsCellOffered(i))
            continue;
        DrawCellLabel(dc, m_layout.GetCellRect(i), GetCellLabel(i), i == selected, FALSE,
                      COLOR_BTNTEXT);
    }
}

void CDateDropDownWnd::DrawDayPage(CDC& dc)
{
    for (int i = 0; i < 7; ++i)
        DrawCentred(dc, g_weekdayHeads[i], m_layout.m_rcWeekdays[i], COLOR_HIGHLIGHT);
    int selected = m_calendar.GetSelectedCell();
    for (int i = 0; i < CALENDAR_DAY_CELLS; ++i)
    {
        BOOL bOwnMonth = m_calendar.GetDayMonthOffset(i) == 0;
        DrawCellLabel(dc, m_layout.GetCellRect(i), GetCellLabel(i), i == selected, TRUE,
                      bOwnMonth ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    }
}

void CDateDropDownWnd::DrawKeypad(CDC& dc)
{
    for (int key = 0; key <= CALENDAR_KEY_BACK; ++key)
    {
        CRect rc = m_layout.GetKeyRect(key);
        BOOL bPressed = m_nPressedKey == key;
        DrawButtonFace(dc, rc, bPressed);
        if (key == CALENDAR_KEY_BACK)
        {
            // A 9-pixel shaft with a left-pointing head 4 pixels long.
            CPoint centre = rc.CenterPoint();
            if (bPressed)
                centre.Offset(1, 1);
            int left = centre.x - 4;
            DrawLine(dc, COLOR_BTNTEXT, left, centre.y, left + 9, centre.y);
            for (int i = 1; i < 4; ++i)
                DrawLine(dc, COLOR_BTNTEXT, left + i, centre.y - i, left + i, centre.y + i + 1);
            continue;
        }
        CString label;
        if (key == CALENDAR_KEY_CLEAR)
            label = "Clr";
        else
            label.Format("%d", key);
        CRect rcLabel(rc);
        if (bPressed)
            rcLabel.OffsetRect(1, 1);
        DrawCentred(dc, label, rcLabel, COLOR_BTNTEXT);
    }

    // Ok is one L-shaped key: its upright and lower parts share a face, and
    // the outline runs round the whole L.
    CRect rcLower;
    CRect rcUpright = m_layout.GetKeyRect(CALENDAR_KEY_OK, &rcLower);
    BOOL bPressed = m_nPressedKey == CALENDAR_KEY_OK;
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    dc.FillSolidRect(&rcUpright, face);
    dc.FillSolidRect(&rcLower, face);
    dc.FillSolidRect(CRect(rcUpright.left, rcUpright.bottom, rcUpright.right, rcLower.top), face);
    POINT outline[7] = { { rcUpright.left, rcUpright.top },
                         { rcUpright.right - 1, rcUpright.top },
                         { rcUpright.right - 1, rcLower.bottom - 1 },
                         { rcLower.left, rcLower.bottom - 1 },
                         { rcLower.left, rcLower.top },
                         { rcUpright.left, rcLower.top },
                         { rcUpright.left, rcUpright.top } };
    CPen pen;
    if (pen.CreatePen(PS_SOLID, 1, ::GetSysColor(bPressed ? COLOR_BTNTEXT : COLOR_BTNSHADOW)))
    {
        CScopedSelectObject select(dc, pen);
        dc.Polyline(outline, 7);
    }
    CRect rcLabel(rcLower);
    if (bPressed)
        rcLabel.OffsetRect(1, 1);
    DrawCentred(dc, "Ok", rcLabel, COLOR_BTNTEXT);
}
