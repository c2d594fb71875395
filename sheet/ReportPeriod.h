// One report period of a period type, held as its seven date fields, and
// stepped forward and back by whole periods.
#pragma once

#include "framework/core/String.h"
#include "sheet/PeriodCode.h"

class CReportPeriod
{
public:
    CReportPeriod(LPCTSTR lpszCode, int nType);
    virtual ~CReportPeriod();

    // Stores the type; a code of exactly 13 characters is stored and parsed,
    // any other empties the stored code and leaves the fields alone.
    void SetPeriod(LPCTSTR lpszCode, int nType);
    // Zeroes the fields and reads the groups that the type fills.
    void SetCode(LPCTSTR lpszCode, int nType);
    // The code of the current fields, or empty when no code was stored.
    CString GetCode() const;

    CReportPeriod& Next(int n);
    CReportPeriod& Previous(int n);

    // The system's own week number (1..53), not the ISO one.
    static int GetWeekOfYear(int year, int month, int day);
    // 52 or 53.
    static int GetWeeksInYear(int year);
    // The code of today's period of a type; empty for no period type.
    static CString GetCurrentCode(int nType);
    // The code of the period of a type that holds a date; empty for no period
    // type or a date outside the calendar.
    static CString GetCodeForDate(int nType, int year, int month, int day);
    // TRUE when the text is a period code of the type: 13 digits, its own
    // groups in range for a year 1 to 9999 (a real week of the year, a real
    // day of the month) and every other digit 0.
    static BOOL IsValidCode(LPCTSTR lpszCode, int nType);

    int m_nYear;
    int m_nHalf;
    int m_nQuarter;
    int m_nMonth;
    int m_nTenDay;
    int m_nWeek;
    int m_nDay;
    int m_nPeriodType;
    char m_szCode[PERIOD_CODE_SIZE];

private:
    BOOL FormatCode(char* pszOut, int nSize) const;
    void StepForward(int n);
    BOOL StepBack();
    BOOL StepDayForward();
};
