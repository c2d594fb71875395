#include "framework/core/OleDateTime.h"
#include "framework/core/OleVariant.h"
#include "framework/core/Time.h"

#include <math.h>
#include <stdio.h>
#include <string>

namespace {

// DATE of 100-01-01 and of the day after 9999-12-31.
const double kMinDate = -657434.0;
const double kMaxDateEnd = 2958466.0;

const char* const kDayNames[7] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };
const char* const kMonthNames[12] = {
    "January", "February", "March", "April", "May", "June", "July",
    "August", "September", "October", "November", "December" };

bool IsLeapYear(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int days[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return nMonth == 2 && IsLeapYear(nYear) ? 29 : days[nMonth - 1];
}

int DayOfYear(const SYSTEMTIME& st)
{
    int nDays = st.wDay;
    for (int m = 1; m < st.wMonth && m <= 12; ++m)
        nDays += DaysInMonth(st.wYear, m);
    return nDays;
}

// A DATE as a day count that grows steadily with time: before day 0 the
// DATE's fraction counts forward while its integer part counts back.
double ToLinear(DATE dt)
{
    if (dt >= 0)
        return dt;
    double day = ceil(dt);
    return day + (day - dt);
}

DATE FromLinear(double linear)
{
    if (linear >= 0)
        return linear;
    double day = floor(linear);
    double fraction = linear - day;
    return fraction == 0 ? day : day - fraction;
}

bool ValidFields(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    return nYear >= 100 && nYear <= 9999 && nMonth >= 1 && nMonth <= 12 &&
           nDay >= 1 && nDay <= DaysInMonth(nYear, nMonth) &&
           nHour >= 0 && nHour <= 23 && nMin >= 0 && nMin <= 59 && nSec >= 0 && nSec <= 59;
}

void AppendNumber(std::string& out, int nValue, int nWidth, bool bNoLeadingZeros)
{
    char buf[16];
    snprintf(buf, sizeof(buf), "%0*d", bNoLeadingZeros ? 1 : nWidth, nValue);
    out += buf;
}

void FormatInto(std::string& out, LPCSTR lpszFormat, const SYSTEMTIME& st)
{
    int nDayOfWeek = st.wDayOfWeek % 7;
    int nMonthIndex = (st.wMonth >= 1 && st.wMonth <= 12) ? st.wMonth - 1 : 0;
    int nYearDay0 = DayOfYear(st) - 1;
    for (LPCSTR p = lpszFormat; *p != '\0'; ++p)
    {
        if (*p != '%')
        {
            out += *p;
            continue;
        }
        if (p[1] == '\0')
        {
            out += '%';
            break;
        }
        ++p;
        bool bAlt = false;
        if (*p == '#' && p[1] != '\0')
        {
            bAlt = true;
            ++p;
        }
        switch (*p)
        {
        case 'a': out.append(kDayNames[nDayOfWeek], 3); break;
        case 'A': out += kDayNames[nDayOfWeek]; break;
        case 'b': out.append(kMonthNames[nMonthIndex], 3); break;
        case 'B': out += kMonthNames[nMonthIndex]; break;
        case 'c':
            FormatInto(out, bAlt ? "%A, %B %#d, %Y %H:%M:%S" : "%m/%d/%y %H:%M:%S", st);
            break;
        case 'd': AppendNumber(out, st.wDay, 2, bAlt); break;
        case 'H': AppendNumber(out, st.wHour, 2, bAlt); break;
        case 'I': AppendNumber(out, st.wHour % 12 == 0 ? 12 : st.wHour % 12, 2, bAlt); break;
        case 'j': AppendNumber(out, nYearDay0 + 1, 3, bAlt); break;
        case 'm': AppendNumber(out, st.wMonth, 2, bAlt); break;
        case 'M': AppendNumber(out, st.wMinute, 2, bAlt); break;
        case 'p': out += st.wHour < 12 ? "AM" : "PM"; break;
        case 'S': AppendNumber(out, st.wSecond, 2, bAlt); break;
        case 'U': AppendNumber(out, (nYearDay0 + 7 - nDayOfWeek) / 7, 2, bAlt); break;
        case 'w': AppendNumber(out, nDayOfWeek, 1, bAlt); break;
        case 'W': AppendNumber(out, (nYearDay0 + 7 - (nDayOfWeek + 6) % 7) / 7, 2, bAlt); break;
        case 'x': FormatInto(out, bAlt ? "%A, %B %#d, %Y" : "%m/%d/%y", st); break;
        case 'X': FormatInto(out, "%H:%M:%S", st); break;
        case 'y': AppendNumber(out, st.wYear % 100, 2, bAlt); break;
        case 'Y': AppendNumber(out, st.wYear, 1, bAlt); break;
        case '%': out += '%'; break;
        default:
            // Codes we do not know are kept as written.
            out += '%';
            if (bAlt)
                out += '#';
            out += *p;
            break;
        }
    }
}

}

CString AfxFormatSystemTime(LPCSTR lpszFormat, const SYSTEMTIME& st)
{
    std::string out;
    if (lpszFormat != NULL)
        FormatInto(out, lpszFormat, st);
    return CString(out.data(), (int)out.size());
}

COleDateTime COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    st.wMilliseconds = 0;
    return COleDateTime(st);
}

COleDateTime::COleDateTime() : m_dt(0), m_status(valid)
{
}

COleDateTime::COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid)
{
    CheckRange();
}

COleDateTime::COleDateTime(const VARIANT& varSrc) : m_dt(0), m_status(valid)
{
    *this = varSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0), m_status(valid)
{
    *this = systimeSrc;
}

COleDateTime::COleDateTime(time_t timeSrc) : m_dt(0), m_status(valid)
{
    *this = timeSrc;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    : m_dt(0), m_status(valid)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = valid;
    CheckRange();
    return *this;
}

COleDateTime& COleDateTime::operator=(const VARIANT& varSrc)
{
    if (V_VT(&varSrc) == VT_DATE)
    {
        return *this = V_DATE(&varSrc);
    }
    if (V_VT(&varSrc) == VT_NULL)
    {
        m_dt = 0;
        m_status = null;
        return *this;
    }
    VARIANT varDate;
    VariantInit(&varDate);
    if (SUCCEEDED(VariantChangeType(&varDate, const_cast<VARIANT*>(&varSrc), 0, VT_DATE)))
    {
        *this = V_DATE(&varDate);
    }
    else
    {
        m_dt = 0;
        m_status = invalid;
    }
    VariantClear(&varDate);
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay,
                systimeSrc.wHour, systimeSrc.wMinute, systimeSrc.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(time_t timeSrc)
{
    SYSTEMTIME st;
    if (CTime(timeSrc).GetAsSystemTime(st))
    {
        *this = st;
    }
    else
    {
        m_dt = 0;
        m_status = invalid;
    }
    return *this;
}

void COleDateTime::CheckRange()
{
    if (m_status == valid && !(m_dt > kMinDate - 1 && m_dt < kMaxDateEnd))
        m_status = invalid;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    m_dt = 0;
    m_status = invalid;
    // The platform rolls days over (02-30 becomes 03-02) and reads years
    // below 100 as two-digit years, so the fields are checked here.
    if (!ValidFields(nYear, nMonth, nDay, nHour, nMin, nSec))
        return 1;
    SYSTEMTIME st = {};
    st.wYear = (WORD)nYear;
    st.wMonth = (WORD)nMonth;
    st.wDay = (WORD)nDay;
    st.wHour = (WORD)nHour;
    st.wMinute = (WORD)nMin;
    st.wSecond = (WORD)nSec;
    DATE dt;
    if (!SystemTimeToVariantTime(&st, &dt))
        return 1;
    m_dt = dt;
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay)
{
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetTime(int nHour, int nMin, int nSec)
{
    return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    if (m_status != valid)
        return FALSE;
    return VariantTimeToSystemTime(m_dt, &sysTime) ? TRUE : FALSE;
}

int COleDateTime::GetYear() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wYear : -1;
}

int COleDateTime::GetMonth() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wMonth : -1;
}

int COleDateTime::GetDay() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDay : -1;
}

int COleDateTime::GetHour() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wHour : -1;
}

int COleDateTime::GetMinute() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wMinute : -1;
}

int COleDateTime::GetSecond() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wSecond : -1;
}

int COleDateTime::GetDayOfWeek() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDayOfWeek + 1 : -1;
}

int COleDateTime::GetDayOfYear() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? DayOfYear(st) : -1;
}

CString COleDateTime::Format(LPCSTR lpszFormat) const
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        return CString();
    return AfxFormatSystemTime(lpszFormat, st);
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status != valid)
        return CString();
    BSTR bstr = NULL;
    HRESULT hr = VarBstrFromDate(m_dt, lcid, dwFlags, &bstr);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    CString strResult = AfxStringFromBstr(bstr);
    SysFreeString(bstr);
    return strResult;
}

bool COleDateTime::ParseDateTime(LPCSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    BSTR bstr = AfxAllocBstr(lpszDate != NULL ? lpszDate : "");
    DATE dt = 0;
    HRESULT hr = VarDateFromStr(bstr, lcid, dwFlags, &dt);
    SysFreeString(bstr);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW)
    {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    if (FAILED(hr))
        AfxThrowOleException(hr);
    *this = dt;
    return m_status == valid;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span(ToLinear(m_dt) - ToLinear(date.m_dt));
    if (m_status != valid || date.m_status != valid)
        span.SetStatus(COleDateTimeSpan::invalid);
    return span;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result(*this);
    result += dateSpan;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result(*this);
    result -= dateSpan;
    return result;
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& dateSpan)
{
    if (m_status != valid || dateSpan.GetStatus() != COleDateTimeSpan::valid)
    {
        m_status = invalid;
        return *this;
    }
    m_dt = FromLinear(ToLinear(m_dt) + dateSpan.m_span);
    CheckRange();
    return *this;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& dateSpan)
{
    return *this += -dateSpan;
}

bool COleDateTime::operator==(const COleDateTime& date) const
{
    return m_status == date.m_status && ToLinear(m_dt) == ToLinear(date.m_dt);
}

bool COleDateTime::operator!=(const COleDateTime& date) const
{
    return !operator==(date);
}

bool COleDateTime::operator<(const COleDateTime& date) const
{
    return ToLinear(m_dt) < ToLinear(date.m_dt);
}

bool COleDateTime::operator>(const COleDateTime& date) const
{
    return ToLinear(m_dt) > ToLinear(date.m_dt);
}

bool COleDateTime::operator<=(const COleDateTime& date) const
{
    return ToLinear(m_dt) <= ToLinear(date.m_dt);
}

bool COleDateTime::operator>=(const COleDateTime& date) const
{
    return ToLinear(m_dt) >= ToLinear(date.m_dt);
}

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_span = lDays + nHours / 24.0 + nMins / (24.0 * 60) + nSecs / (24.0 * 60 * 60);
    m_status = valid;
}

LONGLONG COleDateTimeSpan::TotalRoundedSeconds() const
{
    return llround(m_span * 24 * 60 * 60);
}

LONG COleDateTimeSpan::GetDays() const
{
    return (LONG)(TotalRoundedSeconds() / (24 * 60 * 60));
}

LONG COleDateTimeSpan::GetHours() const
{
    return (LONG)(TotalRoundedSeconds() / (60 * 60) % 24);
}

LONG COleDateTimeSpan::GetMinutes() const
{
    return (LONG)(TotalRoundedSeconds() / 60 % 60);
}

LONG COleDateTimeSpan::GetSeconds() const
{
    return (LONG)(TotalRoundedSeconds() % 60);
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTimeSpan result(m_span + dateSpan.m_span);
    if (m_status != valid || dateSpan.m_status != valid)
        result.m_status = invalid;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + -dateSpan;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}
