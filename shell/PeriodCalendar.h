// The period a drop-down calendar shows and selects: the seven period
// fields, the day grid of the shown month, arrow stepping, the cells'
// picks and the year keypad.  No window: the calendar popup draws and
// drives it.
#pragma once

#include "framework/core/String.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"

// Cells of the day grid: six weeks of seven days.
const int CALENDAR_DAY_CELLS = 42;
// The most weeks a year can have; cells of the week page.
const int CALENDAR_WEEK_CELLS = 53;
// Digits the year keypad takes.
const int CALENDAR_YEAR_DIGITS = 4;

class CPeriodCalendar
{
public:
    CPeriodCalendar();

    // Reads every group of the code, whatever the type (a group without
    // digits, or past the end of a short code, gives 0), brings the fields
    // the type's page shows into their range and builds the day grid.
    void Load(LPCTSTR lpszCode, int nType);
    int GetPeriodType() const { return m_period.m_nPeriodType; }

    // One year on or back; FALSE at year 9999 or year 0.
    BOOL StepYear(BOOL bForward);
    // One month on or back, cutting the day to the new month; FALSE in
    // December 9999 or January of year 0.
    BOOL StepMonth(BOOL bForward);
    // The step of the page's arrows: months on the day and ten-day pages,
    // years on the others.
    BOOL StepArrow(BOOL bForward);

    // Cells of the type's page: 42, 53, 12, 4, 2, 3; none for the year.
    int GetCellCount() const;
    // Week 53 is offered only in a year that has it.
    BOOL IsCellOffered(int nIndex) const;
    // The cell of the selected period, or -1.
    int GetSelectedCell() const;
    // Selects the period of a cell; FALSE (nothing changes) for a cell that
    // is not offered or a day of a month outside years 0..9999.
    BOOL PickCell(int nIndex);

    // Day grid: the day number a cell shows and its month, -1 for the
    // month before, 0 for the shown month, 1 for the month after.
    int GetDayNumber(int nIndex) const;
    int GetDayMonthOffset(int nIndex) const;
    int GetDaysInMonth() const { return m_nDaysInMonth; }
    int GetFirstDayOffset() const { return m_nFirstDayOffset; }

    // Year keypad.
    void TypeDigit(int nDigit);
    void ClearYear();
    void DeleteYearDigit();
    const CString& GetYearText() const { return m_strYearText; }

    // The 13-digit code of the selected period of the type; empty only for
    // a value outside the period types.
    CString GetSelectedCode() const;

    // The shown and selected period: its seven fields and its type.
    CReportPeriod m_period;

private:
    void BuildDayGrid();
    void KeepInRange();
    void SetYearFromText();

    CString m_strYearText;
    int m_dayNumbers[CALENDAR_DAY_CELLS];
    int m_nDaysInMonth;
    int m_nFirstDayOffset;
};
