#include "tests/support/Gtest.h"
#include "framework/core/Exception.h"
#include "framework/core/OleDateTime.h"
#include "framework/core/Time.h"

namespace {

// 2000-02-29 00:00:00 UTC.
const time_t kLeapDayUtc = 951782400;

template <typename F>
void ExpectInvalidArg(F f)
{
    try
    {
        f();
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        e->Delete();
    }
}

}

TEST(Time, LocalFieldsRoundTrip)
{
    struct { int y, m, d, h, mi, s, dow; } cases[] = {
        { 2024, 12, 31, 23, 59, 59, 3 },
        { 2000, 2, 29, 12, 0, 0, 3 },
        { 1970, 1, 2, 0, 0, 0, 6 },
        { 2038, 1, 19, 3, 14, 8, 3 },
        { 2999, 12, 31, 23, 59, 59, 3 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        CTime t(c.y, c.m, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(c.y, t.GetYear());
        EXPECT_EQ(c.m, t.GetMonth());
        EXPECT_EQ(c.d, t.GetDay());
        EXPECT_EQ(c.h, t.GetHour());
        EXPECT_EQ(c.mi, t.GetMinute());
        EXPECT_EQ(c.s, t.GetSecond());
        EXPECT_EQ(c.dow, t.GetDayOfWeek());

        SYSTEMTIME st;
        ASSERT_TRUE(t.GetAsSystemTime(st));
        EXPECT_TRUE(CTime(st) == t);
        // The OLE date of the same moment reads the same local fields.
        COleDateTime dt(t.GetTime());
        EXPECT_EQ(c.y, dt.GetYear());
        EXPECT_EQ(c.d, dt.GetDay());
        EXPECT_EQ(c.s, dt.GetSecond());
    }
}

TEST(Time, UtcValuesAreCalendarFacts)
{
    EXPECT_STREQ("70-01-01 00:00:00 Thu", CTime(0).FormatGmt("%y-%m-%d %H:%M:%S %a"));
    EXPECT_STREQ("2000-02-29 00:00:00 Tuesday 060", CTime(kLeapDayUtc).FormatGmt("%Y-%m-%d %H:%M:%S %A %j"));
    SYSTEMTIME st;
    ASSERT_TRUE(CTime(kLeapDayUtc + 86399).GetAsGmtSystemTime(st));
    EXPECT_EQ(29, st.wDay);
    EXPECT_EQ(23, st.wHour);
    EXPECT_EQ(59, st.wSecond);
    // Local midnight lies within the zone offset (at most 14 hours) of UTC midnight.
    CTime local(2000, 2, 29, 0, 0, 0);
    LONGLONG offset = kLeapDayUtc - local.GetTime();
    EXPECT_LE(offset > 0 ? offset : -offset, 14 * 3600);
}

TEST(Time, FormatUsesLocalFields)
{
    CTime t(2024, 12, 31, 23, 59, 59);
    EXPECT_STREQ("24-12-31 23:59:59", t.Format("%y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("Tue Dec 31 2024 11 PM", t.Format("%a %b %d %Y %I %p"));
    EXPECT_STREQ("1/2/1970", CTime(1970, 1, 2, 0, 0, 0).Format("%#m/%#d/%Y"));
}

TEST(Time, CurrentTimeMatchesTheLocalClock)
{
    SYSTEMTIME before;
    GetLocalTime(&before);
    CTime now = CTime::GetCurrentTime();
    SYSTEMTIME after;
    GetLocalTime(&after);
    before.wMilliseconds = after.wMilliseconds = 0;
    EXPECT_TRUE(CTime(before) <= now);
    EXPECT_TRUE(now <= CTime(after));
    EXPECT_GE(now.GetYear(), 2024);
}

TEST(Time, InvalidFieldsThrow)
{
    ExpectInvalidArg([] { CTime t(2023, 2, 29, 0, 0, 0); });
    ExpectInvalidArg([] { CTime t(2024, 13, 1, 0, 0, 0); });
    ExpectInvalidArg([] { CTime t(2024, 4, 31, 0, 0, 0); });
    ExpectInvalidArg([] { CTime t(2024, 1, 1, 24, 0, 0); });
    ExpectInvalidArg([] { CTime t(1969, 12, 31, 0, 0, 0); });
    ExpectInvalidArg([] { CTime t(3001, 1, 1, 0, 0, 0); });
    CTime leap(2024, 2, 29, 0, 0, 0);
    EXPECT_EQ(29, leap.GetDay());
}

TEST(Time, SpansAndArithmetic)
{
    CTimeSpan span(1, 2, 3, 4);
    EXPECT_EQ(93784, span.GetTotalSeconds());
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(2, span.GetHours());
    EXPECT_EQ(3, span.GetMinutes());
    EXPECT_EQ(4, span.GetSeconds());
    EXPECT_EQ(26, span.GetTotalHours());
    EXPECT_EQ(1563, span.GetTotalMinutes());

    CTimeSpan negative(-93784);
    EXPECT_EQ(-1, negative.GetDays());
    EXPECT_EQ(-2, negative.GetHours());
    EXPECT_EQ(-3, negative.GetMinutes());
    EXPECT_EQ(-4, negative.GetSeconds());

    CTime start(kLeapDayUtc);
    CTime later = start + span;
    EXPECT_TRUE(later > start);
    EXPECT_TRUE(later - start == span);
    EXPECT_TRUE(later - span == start);
    later -= span;
    EXPECT_TRUE(later == start);
    EXPECT_STREQ("00-03-01 02:03:04", (start + span).FormatGmt("%y-%m-%d %H:%M:%S"));
    EXPECT_TRUE(span + negative == CTimeSpan(0));
    EXPECT_TRUE(negative < span);
}
