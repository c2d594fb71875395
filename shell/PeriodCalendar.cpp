#include "shell/PeriodCalendar.h"

#include <stdlib.h>

namespace {

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

// A code with every group zero: CReportPeriod formats its fields only once
// it holds a code.
const char ZERO_CODE[] = "0000000000000";

}

CPeriodCalendar::CPeriodCalendar()
    : m_period(ZERO_CODE, PERIOD_DAY), m_nDaysInMonth(0), m_nFirstDayOffset(0)
{
    for (int i = 0; i < CALENDAR_DAY_CELLS; ++i)
        m_dayNumbers[i] = 0;
}

void CPeriodCalendar::Load(LPCTSTR lpszCode, int nType)
{
    m_period.SetPeriod(ZERO_CODE, nType);
    // Each type's reading fills its own groups; together they read all seven.
    CReportPeriod period(NULL, PERIOD_DAY);
    period.SetCode(lpszCode, PERIOD_DAY);
    m_period.m_nYear = period.m_nYear;
    m_period.m_nMonth = period.m_nMonth;
    m_period.m_nDay = period.m_nDay;
    period.SetCode(lpszCode, PERIOD_HALFYEAR);
    m_period.m_nHalf = period.m_nHalf;
    period.SetCode(lpszCode, PERIOD_QUARTER);
    m_period.m_nQuarter = period.m_nQuarter;
    period.SetCode(lpszCode, PERIOD_TENDAY);
    m_period.m_nTenDay = period.m_nTenDay;
    period.SetCode(lpszCode, PERIOD_WEEK);
    m_period.m_nWeek = period.m_nWeek;
    KeepInRange();
    BuildDayGrid();
}

// A code of another type, or a damaged one, would open on a period that
// does not exist (month 0, week 53 of a 52-week year); the page shows the
// nearest real one instead.
void CPeriodCalendar::KeepInRange()
{
    m_period.m_nYear = Clamp(m_period.m_nYear, 0, PERIOD_LAST_YEAR);
    switch (m_period.m_nPeriodType)
    {
    case PERIOD_DAY:
        m_period.m_nMonth = Clamp(m_period.m_nMonth, 1, 12);
        m_period.m_nDay = Clamp(m_period.m_nDay, 1, DaysInMonth(m_period.m_nYear, m_period.m_nMonth));
        break;
    case PERIOD_TENDAY:
        m_period.m_nMonth = Clamp(m_period.m_nMonth, 1, 12);
        m_period.m_nTenDay = Clamp(m_period.m_nTenDay, 1, 3);
        break;
    case PERIOD_MONTH:
        m_period.m_nMonth = Clamp(m_period.m_nMonth, 1, 12);
        break;
    case PERIOD_QUARTER:
        m_period.m_nQuarter = Clamp(m_period.m_nQuarter, 1, 4);
        break;
    case PERIOD_HALFYEAR:
        m_period.m_nHalf = Clamp(m_period.m_nHalf, 1, 2);
        break;
    case PERIOD_WEEK:
        m_period.m_nWeek = Clamp(m_period.m_nWeek, 1, CReportPeriod::GetWeeksInYear(m_period.m_nYear));
        break;
    default:
        break;
    }
}

void CPeriodCalendar::BuildDayGrid()
{
    int month = Clamp(m_period.m_nMonth, 1, 12);
    m_nDaysInMonth = DaysInMonth(m_period.m_nYear, month);
    m_nFirstDayOffset = DayOfWeek(m_period.m_nYear, month, 1);
    if (m_nDaysInMonth < 1 || m_nFirstDayOffset < 0)
    {
        m_nDaysInMonth = 0;
        m_nFirstDayOffset = 0;
    }
    // January's month before is December, 31 days in any year.
    int daysBefore = month == 1 ? 31 : DaysInMonth(m_period.m_nYear, month - 1);
    for (int i = 0; i < CALENDAR_DAY_CELLS; ++i)
    {
        if (i < m_nFirstDayOffset)
            m_dayNumbers[i] = daysBefore - (m_nFirstDayOffset - 1 - i);
        else if (i < m_nFirstDayOffset + m_nDaysInMonth)
            m_dayNumbers[i] = i - m_nFirstDayOffset + 1;
        else
            m_dayNumbers[i] = i - m_nFirstDayOffset - m_nDaysInMonth + 1;
    }
}

BOOL CPeriodCalendar::StepYear(BOOL bForward)
{
    if (bForward ? m_period.m_nYear >= PERIOD_LAST_YEAR : m_period.m_nYear < 1)
        return FALSE;
    m_period.m_nYear += bForward ? 1 : -1;
    // Typing on the year keypad starts afresh after an arrow step.
    if (m_period.m_nPeriodType == PERIOD_YEAR)
        m_strYearText.Empty();
    else
        m_strYearText.Format("%d", m_period.m_nYear);
    // Week 53 of the year left may not exist in the year reached.
    if (m_period.m_nPeriodType == PERIOD_WEEK)
        m_period.m_nWeek = Clamp(m_period.m_nWeek, 1, CReportPeriod::GetWeeksInYear(m_period.m_nYear));
    BuildDayGrid();
    return TRUE;
}

BOOL CPeriodCalendar::StepMonth(BOOL bForward)
{
    if (bForward)
    {
        if (m_period.m_nMonth >= 12)
        {
            if (m_period.m_nYear >= PERIOD_LAST_YEAR)
                return FALSE;
            ++m_period.m_nYear;
            m_period.m_nMonth = 1;
        }
        else
            ++m_period.m_nMonth;
    }
    else
    {
        if (m_period.m_nMonth <= 1)
        {
            if (m_period.m_nYear < 1)
                return FALSE;
            --m_period.m_nYear;
            m_period.m_nMonth = 12;
        }
        else
            --m_period.m_nMonth;
    }
    int days = DaysInMonth(m_period.m_nYear, m_period.m_nMonth);
    if (m_period.m_nDay > days)
        m_period.m_nDay = days;
    BuildDayGrid();
    return TRUE;
}

BOOL CPeriodCalendar::StepArrow(BOOL bForward)
{
    if (m_period.m_nPeriodType == PERIOD_DAY || m_period.m_nPeriodType == PERIOD_TENDAY)
        return StepMonth(bForward);
    return StepYear(bForward);
}

int CPeriodCalendar::GetCellCount() const
{
    switch (m_period.m_nPeriodType)
    {
    case PERIOD_DAY: return CALENDAR_DAY_CELLS;
    case PERIOD_WEEK: return CALENDAR_WEEK_CELLS;
    case PERIOD_MONTH: return 12;
    case PERIOD_QUARTER: return 4;
    case PERIOD_HALFYEAR: return 2;
    case PERIOD_TENDAY: return 3;
    default: return 0;
    }
}

BOOL CPeriodCalendar::IsCellOffered(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCellCount())
        return FALSE;
    if (m_period.m_nPeriodType == PERIOD_WEEK)
        return nIndex < CReportPeriod::GetWeeksInYear(m_period.m_nYear);
    return TRUE;
}

int CPeriodCalendar::GetSelectedCell() const
{
    switch (m_period.m_nPeriodType)
    {
    case PERIOD_DAY:
        return m_period.m_nDay >= 1 && m_period.m_nDay <= m_nDaysInMonth ? m_nFirstDayOffset + m_period.m_nDay - 1 : -1;
    case PERIOD_WEEK: return m_period.m_nWeek - 1;
    case PERIOD_MONTH: return m_period.m_nMonth - 1;
    case PERIOD_QUARTER: return m_period.m_nQuarter - 1;
    case PERIOD_HALFYEAR: return m_period.m_nHalf - 1;
    case PERIOD_TENDAY: return m_period.m_nTenDay - 1;
    default: return -1;
    }
}

BOOL CPeriodCalendar::PickCell(int nIndex)
{
    if (!IsCellOffered(nIndex))
        return FALSE;
    switch (m_period.m_nPeriodType)
    {
    case PERIOD_DAY:
    {
        int day = m_dayNumbers[nIndex];
        int offset = GetDayMonthOffset(nIndex);
        if (offset != 0 && !StepMonth(offset > 0))
            return FALSE;
        m_period.m_nDay = day;
        break;
    }
    case PERIOD_WEEK: m_period.m_nWeek = nIndex + 1; break;
    case PERIOD_MONTH: m_period.m_nMonth = nIndex + 1; break;
    case PERIOD_QUARTER: m_period.m_nQuarter = nIndex + 1; break;
    case PERIOD_HALFYEAR: m_period.m_nHalf = nIndex + 1; break;
    case PERIOD_TENDAY: m_period.m_nTenDay = nIndex + 1; break;
    default: return FALSE;
    }
    return TRUE;
}

int CPeriodCalendar::GetDayNumber(int nIndex) const
{
    return nIndex >= 0 && nIndex < CALENDAR_DAY_CELLS ? m_dayNumbers[nIndex] : 0;
}

int CPeriodCalendar::GetDayMonthOffset(int nIndex) const
{
    if (nIndex < m_nFirstDayOffset)
        return -1;
    return nIndex < m_nFirstDayOffset + m_nDaysInMonth ? 0 : 1;
}

void CPeriodCalendar::SetYearFromText()
{
    m_period.m_nYear = atoi(m_strYearText);
}

void CPeriodCalendar::TypeDigit(int nDigit)
{
    if (nDigit < 0 || nDigit > 9 || m_strYearText.GetLength() >= CALENDAR_YEAR_DIGITS)
        return;
    m_strYearText += (char)('0' + nDigit);
    SetYearFromText();
}

void CPeriodCalendar::ClearYear()
{
    m_strYearText.Empty();
    m_period.m_nYear = 0;
}

void CPeriodCalendar::DeleteYearDigit()
{
    if (m_strYearText.IsEmpty())
        return;
    m_strYearText = m_strYearText.Left(m_strYearText.GetLength() - 1);
    SetYearFromText();
}

CString CPeriodCalendar::GetSelectedCode() const
{
    return m_period.GetCode();
}
