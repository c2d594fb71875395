// COleDateTime, a point in time held as an OLE DATE (days since
// 1899-12-30, the fraction being the time of day), and COleDateTimeSpan,
// the difference of two of them in days.
//
// Valid dates run from 100-01-01 to 9999-12-31.  Before 1899-12-30 a DATE is
// negative while its fraction still counts forward through the day
// (-1.25 is 1899-12-29 06:00), so arithmetic goes through a linear day count.
#pragma once

#include "framework/core/String.h"

#include <oleauto.h>
#include <time.h>

class COleDateTimeSpan;

class COleDateTime
{
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    static COleDateTime GetCurrentTime();

    COleDateTime();
    COleDateTime(DATE dtSrc);
    COleDateTime(const VARIANT& varSrc);
    COleDateTime(const SYSTEMTIME& systimeSrc);
    // Local time of a C runtime time value.
    COleDateTime(time_t timeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    COleDateTime& operator=(DATE dtSrc);
    COleDateTime& operator=(const VARIANT& varSrc);
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    COleDateTime& operator=(time_t timeSrc);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // 0 on success; out-of-range fields (2023-02-29, 24:00) make the value
    // invalid instead of rolling over.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay);
    int SetTime(int nHour, int nMin, int nSec);

    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;

    // These give -1 unless the value is valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday ... 7 = Saturday
    int GetDayOfYear() const;   // 1 = January 1st

    // strftime-style codes (%a %A %b %B %c %d %H %I %j %m %M %p %S %U %w %W
    // %x %X %y %Y %%, '#' dropping leading zeros) with English names, the
    // same in every locale.  Empty text unless the value is valid.
    CString Format(LPCSTR lpszFormat) const;
    // The platform's text of the date in a locale (VarBstrFromDate); flags
    // are VAR_DATEVALUEONLY, VAR_TIMEVALUEONLY, LOCALE_NOUSEROVERRIDE.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;

    // Reads a date and time in the locale's forms (VarDateFromStr); FALSE
    // and an invalid value for text that is no date.
    bool ParseDateTime(LPCSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    COleDateTimeSpan operator-(const COleDateTime& date) const;
    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTime& operator+=(const COleDateTimeSpan& dateSpan);
    COleDateTime& operator-=(const COleDateTimeSpan& dateSpan);

    bool operator==(const COleDateTime& date) const;
    bool operator!=(const COleDateTime& date) const;
    bool operator<(const COleDateTime& date) const;
    bool operator>(const COleDateTime& date) const;
    bool operator<=(const COleDateTime& date) const;
    bool operator>=(const COleDateTime& date) const;

    DATE m_dt;
    DateTimeStatus m_status;

private:
    void CheckRange();
};

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() : m_span(0), m_status(valid) {}
    COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc), m_status(valid) {}
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    operator double() const { return m_span; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }

    // Parts of the span rounded to whole seconds; all carry the span's sign.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTimeSpan operator-() const;

    bool operator==(const COleDateTimeSpan& dateSpan) const { return m_span == dateSpan.m_span; }
    bool operator!=(const COleDateTimeSpan& dateSpan) const { return m_span != dateSpan.m_span; }
    bool operator<(const COleDateTimeSpan& dateSpan) const { return m_span < dateSpan.m_span; }
    bool operator>(const COleDateTimeSpan& dateSpan) const { return m_span > dateSpan.m_span; }
    bool operator<=(const COleDateTimeSpan& dateSpan) const { return m_span <= dateSpan.m_span; }
    bool operator>=(const COleDateTimeSpan& dateSpan) const { return m_span >= dateSpan.m_span; }

    double m_span;
    DateTimeSpanStatus m_status;

private:
    LONGLONG TotalRoundedSeconds() const;
};

// Formats broken-down time fields with the strftime-style codes of
// COleDateTime::Format; wDayOfWeek (0 = Sunday) must be filled in.
CString AfxFormatSystemTime(LPCSTR lpszFormat, const SYSTEMTIME& st);
