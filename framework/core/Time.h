// CTime, a point in time held as seconds since 1970-01-01 00:00 UTC, read
// and built in the local time of the Win32 time zone (as GetLocalTime), and
// CTimeSpan, a signed number of seconds.
#pragma once

#include "framework/core/String.h"

#include <time.h>

class CTimeSpan
{
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(time_t timeSpan) : m_timeSpan(timeSpan) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    // Parts carry the span's sign.
    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    time_t GetTimeSpan() const { return m_timeSpan; }

    CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan span) { m_timeSpan += span.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan span) { m_timeSpan -= span.m_timeSpan; return *this; }

    bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
    bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
    bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
    bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
    bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
    bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

private:
    time_t m_timeSpan;
};

class CTime
{
public:
    static CTime GetCurrentTime();

    CTime() : m_time(0) {}
    CTime(time_t time) : m_time(time) {}
    // Local time fields; a field out of range (2023-02-29, month 13) or a
    // year outside 1970..3000 throws CInvalidArgException.  nDST is
    // accepted for compatibility: the time zone's rules decide.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(const SYSTEMTIME& sysTime, int nDST = -1);

    CTime& operator=(time_t time) { m_time = time; return *this; }

    time_t GetTime() const { return m_time; }
    // Local time; FALSE when the value is outside what Win32 can express.
    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;
    BOOL GetAsGmtSystemTime(SYSTEMTIME& sysTime) const;

    // Local time fields.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday ... 7 = Saturday

    // The strftime-style codes of COleDateTime::Format, in local time or UTC.
    CString Format(LPCSTR lpszFormat) const;
    CString FormatGmt(LPCSTR lpszFormat) const;

    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }

    bool operator==(CTime time) const { return m_time == time.m_time; }
    bool operator!=(CTime time) const { return m_time != time.m_time; }
    bool operator<(CTime time) const { return m_time < time.m_time; }
    bool operator>(CTime time) const { return m_time > time.m_time; }
    bool operator<=(CTime time) const { return m_time <= time.m_time; }
    bool operator>=(CTime time) const { return m_time >= time.m_time; }

private:
    void SetLocal(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    // The local fields, all zero when the value cannot be expressed.
    SYSTEMTIME LocalFields() const;

    time_t m_time;
};
