#include "framework/core/Time.h"
#include "framework/core/Exception.h"
#include "framework/core/OleDateTime.h"

namespace {

// 100 ns intervals from 1601-01-01 (FILETIME) to 1970-01-01 (time_t).
const ULONGLONG kEpochOffset = 116444736000000000ULL;
const LONGLONG kTicksPerSecond = 10000000;

bool FileTimeFromTime(time_t t, FILETIME& ft)
{
    if (t < -(LONGLONG)(kEpochOffset / kTicksPerSecond))
        return false;
    ULONGLONG ticks = (ULONGLONG)((LONGLONG)t * kTicksPerSecond + (LONGLONG)kEpochOffset);
    ft.dwLowDateTime = (DWORD)ticks;
    ft.dwHighDateTime = (DWORD)(ticks >> 32);
    return true;
}

time_t TimeFromFileTime(const FILETIME& ft)
{
    ULONGLONG ticks = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    return (time_t)(((LONGLONG)ticks - (LONGLONG)kEpochOffset) / kTicksPerSecond);
}

bool ValidLocalFields(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    static const int days[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (nYear < 1970 || nYear > 3000 || nMonth < 1 || nMonth > 12)
        return false;
    bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    int nMonthDays = days[nMonth - 1] + (nMonth == 2 && bLeap ? 1 : 0);
    return nDay >= 1 && nDay <= nMonthDays && nHour >= 0 && nHour <= 23 &&
           nMin >= 0 && nMin <= 59 && nSec >= 0 && nSec <= 59;
}

}

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(((time_t)lDays * 24 + nHours) * 3600 + (time_t)nMins * 60 + nSecs)
{
}

CTime CTime::GetCurrentTime()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return CTime(TimeFromFileTime(ft));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int)
    : m_time(0)
{
    SetLocal(nYear, nMonth, nDay, nHour, nMin, nSec);
}

CTime::CTime(const SYSTEMTIME& sysTime, int) : m_time(0)
{
    SetLocal(sysTime.wYear, sysTime.wMonth, sysTime.wDay,
             sysTime.wHour, sysTime.wMinute, sysTime.wSecond);
}

void CTime::SetLocal(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (!ValidLocalFields(nYear, nMonth, nDay, nHour, nMin, nSec))
        AfxThrowInvalidArgException();
    SYSTEMTIME local = {};
    local.wYear = (WORD)nYear;
    local.wMonth = (WORD)nMonth;
    local.wDay = (WORD)nDay;
    local.wHour = (WORD)nHour;
    local.wMinute = (WORD)nMin;
    local.wSecond = (WORD)nSec;
    SYSTEMTIME utc;
    FILETIME ft;
    if (!TzSpecificLocalTimeToSystemTime(NULL, &local, &utc) || !SystemTimeToFileTime(&utc, &ft))
        AfxThrowInvalidArgException();
    m_time = TimeFromFileTime(ft);
}

BOOL CTime::GetAsGmtSystemTime(SYSTEMTIME& sysTime) const
{
    FILETIME ft;
    return FileTimeFromTime(m_time, ft) && FileTimeToSystemTime(&ft, &sysTime);
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    SYSTEMTIME utc;
    return GetAsGmtSystemTime(utc) && SystemTimeToTzSpecificLocalTime(NULL, &utc, &sysTime);
}

SYSTEMTIME CTime::LocalFields() const
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        st = SYSTEMTIME();
    return st;
}

int CTime::GetYear() const { return LocalFields().wYear; }
int CTime::GetMonth() const { return LocalFields().wMonth; }
int CTime::GetDay() const { return LocalFields().wDay; }
int CTime::GetHour() const { return LocalFields().wHour; }
int CTime::GetMinute() const { return LocalFields().wMinute; }
int CTime::GetSecond() const { return LocalFields().wSecond; }
int CTime::GetDayOfWeek() const { return LocalFields().wDayOfWeek + 1; }

CString CTime::Format(LPCSTR lpszFormat) const
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        return CString();
    return AfxFormatSystemTime(lpszFormat, st);
}

CString CTime::FormatGmt(LPCSTR lpszFormat) const
{
    SYSTEMTIME st;
    if (!GetAsGmtSystemTime(st))
        return CString();
    return AfxFormatSystemTime(lpszFormat, st);
}
