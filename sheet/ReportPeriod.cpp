#include "sheet/ReportPeriod.h"

#include <stdio.h>
#include <string.h>

namespace {

// The last year that non-year periods step into; its last period is the stop.
const int LAST_STEP_YEAR = PERIOD_LAST_YEAR - 1;

// Length of a code, counted no further than one past the code width, so a
// full char[14] field that lost its terminator is never read past.
int BoundedCodeLength(LPCTSTR lpszCode)
{
    if (lpszCode == NULL)
        return 0;
    int nLength = 0;
    while (nLength <= PERIOD_CODE_LENGTH && lpszCode[nLength] != '\0')
        ++nLength;
    return nLength;
}

// Decimal value of a digit group; conversion stops at the first non-digit
// or at the end of the text.
int ParseGroup(LPCTSTR lpszCode, int nLength, int nFirst, int nWidth)
{
    int nValue = 0;
    for (int i = nFirst; i < nFirst + nWidth && i < nLength; ++i)
    {
        char ch = lpszCode[i];
        if (ch < '0' || ch > '9')
            break;
        nValue = nValue * 10 + (ch - '0');
    }
    return nValue;
}

// Weekday of 1 January, 0 = Sunday; floored so that year 0 and the year
// before it stay in 0..6.
int FirstWeekday(int year)
{
    long long count = 365LL * year + year / 4 - year / 100 + year / 400 + 1;
    if (IsLeapYear(year))
        --count;
    return (int)(((count - 1) % 7 + 7) % 7);
}

int ClampInt(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

}

CReportPeriod::CReportPeriod(LPCTSTR lpszCode, int nType)
    : m_nYear(0), m_nHalf(0), m_nQuarter(0), m_nMonth(0), m_nTenDay(0), m_nWeek(0), m_nDay(0),
      m_nPeriodType(nType)
{
    m_szCode[0] = '\0';
    SetPeriod(lpszCode, nType);
}

CReportPeriod::~CReportPeriod()
{
}

void CReportPeriod::SetPeriod(LPCTSTR lpszCode, int nType)
{
    m_nPeriodType = nType;
    if (BoundedCodeLength(lpszCode) != PERIOD_CODE_LENGTH)
    {
        m_szCode[0] = '\0';
        return;
    }
    memcpy(m_szCode, lpszCode, PERIOD_CODE_LENGTH);
    m_szCode[PERIOD_CODE_LENGTH] = '\0';
    SetCode(m_szCode, nType);
}

void CReportPeriod::SetCode(LPCTSTR lpszCode, int nType)
{
    m_nYear = m_nHalf = m_nQuarter = m_nMonth = m_nTenDay = m_nWeek = m_nDay = 0;
    int nLength = BoundedCodeLength(lpszCode);
    if (nLength == 0)
        return;
    switch (nType)
    {
    case PERIOD_TENDAY:
        m_nYear = ParseGroup(lpszCode, nLength, 0, 4);
        m_nMonth = ParseGroup(lpszCode, nLength, 6, 2);
        m_nTenDay = ParseGroup(lpszCode, nLength, 8, 1);
        break;
    case PERIOD_HALFYEAR:
        m_nYear = ParseGroup(lpszCode, nLength, 0, 4);
        m_nHalf = ParseGroup(lpszCode, nLength, 4, 1);
        break;
    case PERIOD_YEAR:
        m_nYear = ParseGroup(lpszCode, nLength, 0, 4);
        break;
    case PERIOD_QUARTER:
        m_nYear = ParseGroup(lpszCode, nLength, 0, 4);
        m_nQuarter = ParseGroup(lpszCode, nLength, 5, 1);
        break;
    case PERIOD_MONTH:
        m_nYear = ParseGroup(lpszCode, nLength, 0, 4);
        m_nMonth = ParseGroup(lpszCode, nLength, 6, 2);
        break;
    case PERIOD_WEEK:
        m_nYear = ParseGroup(lpszCode, nLength, 0, 4);
        m_nWeek = ParseGroup(lpszCode, nLength, 9, 2);
        break;
    case PERIOD_DAY:
        m_nYear = ParseGroup(lpszCode, nLength, 0, 4);
        m_nMonth = ParseGroup(lpszCode, nLength, 6, 2);
        m_nDay = ParseGroup(lpszCode, nLength, 11, 2);
        break;
    default:
        break;
    }
}

// Writes the code of the current fields; FALSE unless that is 13 digits.
BOOL CReportPeriod::FormatCode(char* pszOut, int nSize) const
{
    // Wide enough for any int fields, so an out-of-range field is refused
    // below instead of being cut.
    char szCode[128];
    int nLength;
    // Every type writes a four-digit year so that all codes keep 13 digits.
    switch (m_nPeriodType)
    {
    case PERIOD_TENDAY:
        nLength = snprintf(szCode, sizeof(szCode), "%04d00%02d%d0000", m_nYear, m_nMonth, m_nTenDay);
        break;
    case PERIOD_HALFYEAR:
        nLength = snprintf(szCode, sizeof(szCode), "%04d%d00000000", m_nYear, m_nHalf);
        break;
    case PERIOD_YEAR:
        nLength = snprintf(szCode, sizeof(szCode), "%04d000000000", m_nYear);
        break;
    case PERIOD_QUARTER:
        nLength = snprintf(szCode, sizeof(szCode), "%04d0%d0000000", m_nYear, m_nQuarter);
        break;
    case PERIOD_MONTH:
        nLength = snprintf(szCode, sizeof(szCode), "%04d00%02d00000", m_nYear, m_nMonth);
        break;
    case PERIOD_WEEK:
        nLength = snprintf(szCode, sizeof(szCode), "%04d00000%02d00", m_nYear, m_nWeek);
        break;
    case PERIOD_DAY:
        nLength = snprintf(szCode, sizeof(szCode), "%04d00%02d000%02d", m_nYear, m_nMonth, m_nDay);
        break;
    default:
        return FALSE;
    }
    if (nLength != PERIOD_CODE_LENGTH || nSize < PERIOD_CODE_SIZE)
        return FALSE;
    for (int i = 0; i < PERIOD_CODE_LENGTH; ++i)
    {
        if (szCode[i] < '0' || szCode[i] > '9')
            return FALSE;
    }
    memcpy(pszOut, szCode, PERIOD_CODE_SIZE);
    return TRUE;
}

BOOL CReportPeriod::IsValidCode(LPCTSTR lpszCode, int nType)
{
    if (!IsPeriodType(nType) || BoundedCodeLength(lpszCode) != PERIOD_CODE_LENGTH)
        return FALSE;
    for (int i = 0; i < PERIOD_CODE_LENGTH; ++i)
        if (lpszCode[i] < '0' || lpszCode[i] > '9')
            return FALSE;
    CReportPeriod period(lpszCode, nType);
    // The type's groups read back as the same code: no digit elsewhere.
    if (period.GetCode() != lpszCode || period.m_nYear < 1 || period.m_nYear > PERIOD_LAST_YEAR)
        return FALSE;
    switch (nType)
    {
    case PERIOD_TENDAY:
        return period.m_nMonth >= 1 && period.m_nMonth <= 12 && period.m_nTenDay >= 1 && period.m_nTenDay <= 3;
    case PERIOD_HALFYEAR:
        return period.m_nHalf >= 1 && period.m_nHalf <= 2;
    case PERIOD_QUARTER:
        return period.m_nQuarter >= 1 && period.m_nQuarter <= 4;
    case PERIOD_MONTH:
        return period.m_nMonth >= 1 && period.m_nMonth <= 12;
    case PERIOD_WEEK:
        return period.m_nWeek >= 1 && period.m_nWeek <= GetWeeksInYear(period.m_nYear);
    case PERIOD_DAY:
        return period.m_nMonth >= 1 && period.m_nMonth <= 12 && period.m_nDay >= 1 &&
               period.m_nDay <= DaysInMonth(period.m_nYear, period.m_nMonth);
    default:
        return TRUE;
    }
}

CString CReportPeriod::GetCode() const
{
    char szCode[PERIOD_CODE_SIZE];
    if (m_szCode[0] == '\0' || !FormatCode(szCode, sizeof(szCode)))
        return CString();
    return CString(szCode);
}

CReportPeriod& CReportPeriod::Next(int n)
{
    if (n >= 1 && IsPeriodType(m_nPeriodType))
        StepForward(n);
    return *this;
}

CReportPeriod& CReportPeriod::Previous(int n)
{
    if (n < 1 || !IsPeriodType(m_nPeriodType))
        return *this;
    if (m_nPeriodType == PERIOD_YEAR)
    {
        m_nYear = m_nYear - n < 0 ? 0 : m_nYear - n;
        return *this;
    }
    if (m_nPeriodType == PERIOD_TENDAY || m_nPeriodType == PERIOD_DAY)
        m_nMonth = ClampInt(m_nMonth, 1, 12);
    for (int i = 0; i < n; ++i)
    {
        if (!StepBack())
            break;
    }
    return *this;
}

// Moves n (at least 1) periods on, saturating at the last period of year
// 9998 (9999 for the year type).  Sums are 64-bit so that a large n cannot
// overflow.
void CReportPeriod::StepForward(int n)
{
    long long t, nextYear;
    switch (m_nPeriodType)
    {
    case PERIOD_TENDAY:
    {
        // A month group outside 01..12 from a damaged code would otherwise
        // step to month 0 or below.
        m_nMonth = ClampInt(m_nMonth, 1, 12);
        t = m_nTenDay - 1LL + n;
        long long month = m_nMonth - 1LL + t / 3;
        nextYear = m_nYear + month / 12;
        if (nextYear < PERIOD_LAST_YEAR)
        {
            m_nYear = (int)nextYear;
            m_nMonth = (int)(month % 12) + 1;
            m_nTenDay = (int)(t % 3) + 1;
        }
        else
        {
            m_nYear = LAST_STEP_YEAR;
            m_nMonth = 12;
            m_nTenDay = 3;
        }
        break;
    }
    case PERIOD_HALFYEAR:
        t = m_nHalf - 1LL + n;
        nextYear = m_nYear + t / 2;
        if (nextYear < PERIOD_LAST_YEAR)
        {
            m_nYear = (int)nextYear;
            m_nHalf = (int)(t % 2) + 1;
        }
        else
        {
            m_nYear = LAST_STEP_YEAR;
            m_nHalf = 2;
        }
        break;
    case PERIOD_YEAR:
        nextYear = (long long)m_nYear + n;
        m_nYear = nextYear > PERIOD_LAST_YEAR ? PERIOD_LAST_YEAR : (int)nextYear;
        break;
    case PERIOD_QUARTER:
        t = m_nQuarter - 1LL + n;
        nextYear = m_nYear + t / 4;
        if (nextYear < PERIOD_LAST_YEAR)
        {
            m_nYear = (int)nextYear;
            m_nQuarter = (int)(t % 4) + 1;
        }
        else
        {
            m_nYear = LAST_STEP_YEAR;
            m_nQuarter = 4;
        }
        break;
    case PERIOD_MONTH:
        t = m_nMonth - 1LL + n;
        nextYear = m_nYear + t / 12;
        if (nextYear < PERIOD_LAST_YEAR)
        {
            m_nYear = (int)nextYear;
            m_nMonth = (int)(t % 12) + 1;
        }
        else
        {
            m_nYear = LAST_STEP_YEAR;
            m_nMonth = 12;
        }
        break;
    case PERIOD_WEEK:
    {
        long long week = (long long)m_nWeek + n;
        int year = m_nYear;
        int weeks;
        while (week > (weeks = GetWeeksInYear(year)))
        {
            if (year + 1 >= PERIOD_LAST_YEAR)
            {
                m_nYear = LAST_STEP_YEAR;
                m_nWeek = 52;
                return;
            }
            week -= weeks;
            ++year;
        }
        m_nYear = year;
        m_nWeek = (int)week;
        break;
    }
    case PERIOD_DAY:
        m_nMonth = ClampInt(m_nMonth, 1, 12);
        for (int i = 0; i < n; ++i)
        {
            if (!StepDayForward())
                break;
        }
        break;
    default:
        break;
    }
}

// One day on; FALSE at the stop, 31 December 9998.
BOOL CReportPeriod::StepDayForward()
{
    if (m_nDay < DaysInMonth(m_nYear, m_nMonth))
    {
        ++m_nDay;
        return TRUE;
    }
    m_nDay = 1;
    if (m_nMonth < 12)
    {
        ++m_nMonth;
        return TRUE;
    }
    if (m_nYear + 1 >= PERIOD_LAST_YEAR)
    {
        m_nYear = LAST_STEP_YEAR;
        m_nMonth = 12;
        m_nDay = 31;
        return FALSE;
    }
    ++m_nYear;
    m_nMonth = 1;
    return TRUE;
}

// One period back; FALSE at the stop, the first period of year 0.
BOOL CReportPeriod::StepBack()
{
    switch (m_nPeriodType)
    {
    case PERIOD_TENDAY:
        if (m_nTenDay > 1)
        {
            --m_nTenDay;
            return TRUE;
        }
        if (m_nMonth > 1)
        {
            --m_nMonth;
            m_nTenDay = 3;
            return TRUE;
        }
        if (m_nYear < 1)
        {
            m_nYear = 0;
            m_nMonth = 1;
            m_nTenDay = 1;
            return FALSE;
        }
        --m_nYear;
        m_nMonth = 12;
        m_nTenDay = 3;
        return TRUE;
    case PERIOD_HALFYEAR:
        if (m_nHalf > 1)
        {
            --m_nHalf;
            return TRUE;
        }
        if (m_nYear < 1)
        {
            m_nYear = 0;
            m_nHalf = 1;
            return FALSE;
        }
        --m_nYear;
        m_nHalf = 2;
        return TRUE;
    case PERIOD_QUARTER:
        if (m_nQuarter > 1)
        {
            --m_nQuarter;
            return TRUE;
        }
        if (m_nYear < 1)
        {
            m_nYear = 0;
            m_nQuarter = 1;
            return FALSE;
        }
        --m_nYear;
        m_nQuarter = 4;
        return TRUE;
    case PERIOD_MONTH:
        if (m_nMonth > 1)
        {
            --m_nMonth;
            return TRUE;
        }
        if (m_nYear < 1)
        {
            m_nYear = 0;
            m_nMonth = 1;
            return FALSE;
        }
        --m_nYear;
        m_nMonth = 12;
        return TRUE;
    case PERIOD_WEEK:
        if (m_nWeek > 1)
        {
            --m_nWeek;
            return TRUE;
        }
        if (m_nYear < 1)
        {
            m_nYear = 0;
            m_nWeek = 1;
            return FALSE;
        }
        --m_nYear;
        m_nWeek = GetWeeksInYear(m_nYear);
        return TRUE;
    case PERIOD_DAY:
        if (m_nDay > 1)
        {
            --m_nDay;
            return TRUE;
        }
        if (m_nMonth > 1)
        {
            --m_nMonth;
            m_nDay = DaysInMonth(m_nYear, m_nMonth);
            return TRUE;
        }
        if (m_nYear < 1)
        {
            m_nYear = 0;
            m_nMonth = 1;
            m_nDay = 1;
            return FALSE;
        }
        --m_nYear;
        m_nMonth = 12;
        m_nDay = 31;
        return TRUE;
    default:
        return FALSE;
    }
}

int CReportPeriod::GetWeekOfYear(int year, int month, int day)
{
    // The day table has no entry outside 1..12, and days outside 1..31 would
    // give week numbers outside 1..53.
    month = ClampInt(month, 1, 12);
    day = ClampInt(day, 1, 31);
    if (year < 0)
        year = 0;
    BOOL bInCalendar = year <= PERIOD_LAST_YEAR;

    // Early January days of a year that starts Thursday to Saturday belong
    // to the last week of the year before.
    if (month == 1 && bInCalendar)
    {
        int first = FirstWeekday(year);
        if (first > 3 && day <= 7 - first)
        {
            --year;
            month = 12;
            day = 31;
        }
    }

    int n = DaysBeforeMonth(month) + day;
    if (month >= 3 && bInCalendar && IsLeapYear(year))
        ++n;
    if (bInCalendar)
    {
        int first = FirstWeekday(year);
        n += first > 3 ? first - 7 : first + 1;
    }
    int week = (n - 1) / 7 + 1;
    if (week == 53 && (year >= PERIOD_LAST_YEAR || FirstWeekday(year + 1) < 4))
        return 1;
    return week;
}

int CReportPeriod::GetWeeksInYear(int year)
{
    int week = GetWeekOfYear(year, 12, 31);
    return week == 1 ? 52 : week;
}

CString CReportPeriod::GetCurrentCode(int nType)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return GetCodeForDate(nType, st.wYear, st.wMonth, st.wDay);
}

CString CReportPeriod::GetCodeForDate(int nType, int year, int month, int day)
{
    if (!IsPeriodType(nType) || year < 0 || year > PERIOD_LAST_YEAR || month < 1 || month > 12
        || day < 1 || day > DaysInMonth(year, month))
        return CString();

    CReportPeriod period(NULL, nType);
    period.m_nYear = year;
    period.m_nHalf = (month + 5) / 6;
    period.m_nQuarter = (month + 2) / 3;
    period.m_nMonth = month;
    period.m_nTenDay = (day + 9) / 10 > 3 ? 3 : (day + 9) / 10;
    period.m_nWeek = GetWeekOfYear(year, month, day);
    period.m_nDay = day;
    // A week code carries the year to which its week belongs.
    if (nType == PERIOD_WEEK)
    {
        if (month == 1 && period.m_nWeek >= 52)
            --period.m_nYear;
        else if (month == 12 && period.m_nWeek == 1)
            ++period.m_nYear;
    }
    // A week year outside 0..9999 does not fit the code and is refused here.
    char szCode[PERIOD_CODE_SIZE];
    if (!period.FormatCode(szCode, sizeof(szCode)))
        return CString();
    return CString(szCode);
}
