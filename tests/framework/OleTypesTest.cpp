#include "tests/support/Gtest.h"
#include "framework/core/OleCurrency.h"
#include "framework/core/OleDateTime.h"
#include "framework/core/OleVariant.h"

#include <string.h>

namespace {

struct DateFields
{
    int year, month, day, hour, minute, second;
};

void ExpectFields(const DateFields& f, const COleDateTime& dt)
{
    SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day << " "
                                    << f.hour << ":" << f.minute << ":" << f.second);
    ASSERT_EQ(COleDateTime::valid, dt.GetStatus());
    EXPECT_EQ(f.year, dt.GetYear());
    EXPECT_EQ(f.month, dt.GetMonth());
    EXPECT_EQ(f.day, dt.GetDay());
    EXPECT_EQ(f.hour, dt.GetHour());
    EXPECT_EQ(f.minute, dt.GetMinute());
    EXPECT_EQ(f.second, dt.GetSecond());
}

CURRENCY Cy(LONGLONG v)
{
    CURRENCY cy;
    cy.int64 = v;
    return cy;
}

// Runs f, which must throw a COleException carrying sc.
template <typename F>
void ExpectOleException(SCODE sc, F f)
{
    try
    {
        f();
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(COleException)));
        EXPECT_EQ(sc, static_cast<COleException*>(e)->m_sc);
        e->Delete();
    }
}

}

TEST(OleDateTime, FieldsRoundTripThroughSystemTime)
{
    const DateFields cases[] = {
        { 1900, 3, 1, 0, 0, 0 },
        { 2000, 2, 29, 12, 34, 56 },
        { 2024, 12, 31, 23, 59, 59 },
        { 2025, 1, 1, 0, 0, 1 },
        { 1899, 12, 29, 6, 0, 0 },
        { 1899, 12, 30, 0, 0, 0 },
        { 100, 1, 1, 0, 0, 0 },
        { 9999, 12, 31, 23, 59, 59 },
    };
    for (const DateFields& f : cases)
    {
        COleDateTime dt(f.year, f.month, f.day, f.hour, f.minute, f.second);
        ExpectFields(f, dt);
        SYSTEMTIME st;
        ASSERT_TRUE(dt.GetAsSystemTime(st));
        COleDateTime back(st);
        EXPECT_EQ(dt.m_dt, back.m_dt);
        ExpectFields(f, back);
    }
}

TEST(OleDateTime, DateValuesCountDaysFrom1899December30)
{
    EXPECT_EQ(0.0, COleDateTime(1899, 12, 30, 0, 0, 0).m_dt);
    EXPECT_EQ(61.0, COleDateTime(1900, 3, 1, 0, 0, 0).m_dt);
    EXPECT_EQ(36585.0, COleDateTime(2000, 2, 29, 0, 0, 0).m_dt);
    EXPECT_DOUBLE_EQ(45657.5, COleDateTime(2024, 12, 31, 12, 0, 0).m_dt);
    // Before day 0 the fraction still counts forward through the day.
    EXPECT_DOUBLE_EQ(-1.25, COleDateTime(1899, 12, 29, 6, 0, 0).m_dt);
    ExpectFields({ 1899, 12, 29, 18, 0, 0 }, COleDateTime(-1.75));
}

TEST(OleDateTime, OutOfRangeFieldsAreInvalidNotRolledOver)
{
    const DateFields cases[] = {
        { 2023, 2, 29, 0, 0, 0 },
        { 1900, 2, 29, 0, 0, 0 },
        { 2024, 4, 31, 0, 0, 0 },
        { 2024, 13, 1, 0, 0, 0 },
        { 2024, 0, 1, 0, 0, 0 },
        { 2024, 1, 0, 0, 0, 0 },
        { 2024, 1, 1, 24, 0, 0 },
        { 2024, 1, 1, 0, 60, 0 },
        { 2024, 1, 1, 0, 0, 60 },
        { 99, 1, 1, 0, 0, 0 },
        { 10000, 1, 1, 0, 0, 0 },
    };
    for (const DateFields& f : cases)
    {
        SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day << " " << f.hour
                                        << ":" << f.minute << ":" << f.second);
        COleDateTime dt(f.year, f.month, f.day, f.hour, f.minute, f.second);
        EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
        EXPECT_EQ(-1, dt.GetYear());
        EXPECT_EQ(-1, dt.GetDayOfWeek());
        EXPECT_STREQ("", dt.Format("%y-%m-%d"));
        EXPECT_NE(0, dt.SetDateTime(f.year, f.month, f.day, f.hour, f.minute, f.second));
    }
    COleDateTime leap(2024, 2, 29, 0, 0, 0);
    EXPECT_EQ(COleDateTime::valid, leap.GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(1e7).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(-657435.0).GetStatus());
    EXPECT_EQ(COleDateTime::valid, COleDateTime(-657434.5).GetStatus());
}

TEST(OleDateTime, DayOfWeekAndDayOfYearMatchTheCalendar)
{
    struct { DateFields f; int dow; int doy; } cases[] = {
        { { 2000, 2, 29, 0, 0, 0 }, 3, 60 },     // a Tuesday
        { { 2024, 12, 31, 23, 59, 59 }, 3, 366 }, // a Tuesday, leap year
        { { 2023, 12, 31, 0, 0, 0 }, 1, 365 },   // a Sunday
        { { 1900, 3, 1, 0, 0, 0 }, 5, 60 },      // a Thursday, 1900 not leap
        { { 1899, 12, 30, 0, 0, 0 }, 7, 364 },   // a Saturday
        { { 1969, 7, 20, 20, 17, 0 }, 1, 201 },  // a Sunday
        { { 2025, 1, 1, 0, 0, 0 }, 4, 1 },       // a Wednesday
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.f.year << "-" << c.f.month << "-" << c.f.day);
        COleDateTime dt(c.f.year, c.f.month, c.f.day, c.f.hour, c.f.minute, c.f.second);
        EXPECT_EQ(c.dow, dt.GetDayOfWeek());
        EXPECT_EQ(c.doy, dt.GetDayOfYear());
    }
}

TEST(OleDateTime, FormatCodes)
{
    EXPECT_STREQ("24-12-31 23:59:59", COleDateTime(2024, 12, 31, 23, 59, 59).Format("%y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("00-02-29 08:05:09", COleDateTime(2000, 2, 29, 8, 5, 9).Format("%y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("05-01-02 00:00:00", COleDateTime(1905, 1, 2, 0, 0, 0).Format("%y-%m-%d %H:%M:%S"));

    COleDateTime dt(2000, 2, 29, 13, 5, 9);
    EXPECT_STREQ("2000 060 Tue Tuesday Feb February 01 PM 2 %",
                 dt.Format("%Y %j %a %A %b %B %I %p %w %%"));
    EXPECT_STREQ("2/29/00|13:05:09|02/29/00 13:05:09", dt.Format("%#m/%#d/%y|%X|%c"));
    EXPECT_STREQ("Tuesday, February 29, 2000", dt.Format("%#x"));
    EXPECT_STREQ("12 AM", COleDateTime(2000, 1, 1, 0, 30, 0).Format("%I %p"));
    EXPECT_STREQ("12 PM", COleDateTime(2000, 1, 1, 12, 30, 0).Format("%I %p"));
    // Week numbers: 2000-01-01 is a Saturday, so the first Sunday and Monday open week 1.
    EXPECT_STREQ("00 00", COleDateTime(2000, 1, 1, 0, 0, 0).Format("%U %W"));
    EXPECT_STREQ("01 00", COleDateTime(2000, 1, 2, 0, 0, 0).Format("%U %W"));
    EXPECT_STREQ("01 01", COleDateTime(2000, 1, 3, 0, 0, 0).Format("%U %W"));
    EXPECT_STREQ("100", COleDateTime(100, 1, 1, 0, 0, 0).Format("%Y"));
    EXPECT_STREQ("%Q and %", dt.Format("%Q and %"));
    EXPECT_STREQ("", dt.Format(""));
}

TEST(OleDateTime, ArithmeticAcrossDayZeroIsLinear)
{
    COleDateTime morning(1899, 12, 29, 6, 0, 0);
    COleDateTime evening(1899, 12, 29, 18, 0, 0);
    // Raw DATEs compare the wrong way round here (-1.25 > -1.75).
    EXPECT_TRUE(morning < evening);
    EXPECT_TRUE(evening > morning);
    EXPECT_DOUBLE_EQ(0.5, (evening - morning).GetTotalDays());

    COleDateTime next = morning + COleDateTimeSpan(1, 0, 0, 0);
    ExpectFields({ 1899, 12, 30, 6, 0, 0 }, next);
    EXPECT_DOUBLE_EQ(0.25, next.m_dt);
    ExpectFields({ 1899, 12, 29, 21, 0, 0 }, COleDateTime(1899, 12, 30, 3, 0, 0) - COleDateTimeSpan(0, 6, 0, 0));

    COleDateTimeSpan span = COleDateTime(1900, 3, 1, 0, 0, 0) - morning;
    EXPECT_EQ(61, span.GetDays());
    EXPECT_EQ(18, span.GetHours());
    EXPECT_EQ(0, span.GetMinutes());

    // Whole seconds survive the sums of fractions.
    COleDateTime late = COleDateTime(2024, 12, 31, 0, 0, 0) + COleDateTimeSpan(0, 23, 59, 59);
    EXPECT_STREQ("24-12-31 23:59:59", late.Format("%y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("25-01-01 00:00:00", (late + COleDateTimeSpan(0, 0, 0, 1)).Format("%y-%m-%d %H:%M:%S"));

    COleDateTimeSpan negative = morning - COleDateTime(1899, 12, 31, 8, 30, 15);
    EXPECT_EQ(-2, negative.GetDays());
    EXPECT_EQ(-2, negative.GetHours());
    EXPECT_EQ(-30, negative.GetMinutes());
    EXPECT_EQ(-15, negative.GetSeconds());

    COleDateTime bad(2023, 2, 29, 0, 0, 0);
    EXPECT_EQ(COleDateTimeSpan::invalid, (bad - morning).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, (COleDateTime(9999, 12, 31, 0, 0, 0) + COleDateTimeSpan(1.0)).GetStatus());
    EXPECT_TRUE(COleDateTime(2000, 1, 1, 0, 0, 0) == COleDateTime(36526.0));
    EXPECT_TRUE(COleDateTime(2000, 1, 1, 0, 0, 0) != COleDateTime(2000, 1, 1, 0, 0, 1));
}

TEST(OleDateTime, ParsesTextAndVariants)
{
    COleDateTime dt;
    EXPECT_TRUE(dt.ParseDateTime("2024-12-31 23:59:59"));
    ExpectFields({ 2024, 12, 31, 23, 59, 59 }, dt);
    EXPECT_TRUE(dt.ParseDateTime("2000-02-29", 0, LOCALE_INVARIANT));
    ExpectFields({ 2000, 2, 29, 0, 0, 0 }, dt);

    EXPECT_FALSE(dt.ParseDateTime("2023-02-29"));
    EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
    EXPECT_FALSE(dt.ParseDateTime("not a date"));
    EXPECT_FALSE(dt.ParseDateTime(""));

    // The locale's own text reads back as the same moment.
    COleDateTime original(2024, 7, 4, 15, 16, 17);
    CString text = original.Format(0, LOCALE_INVARIANT);
    EXPECT_FALSE(text.IsEmpty());
    EXPECT_TRUE(dt.ParseDateTime(text, 0, LOCALE_INVARIANT)) << (LPCSTR)text;
    EXPECT_TRUE(dt == original) << (LPCSTR)text;
    EXPECT_STREQ("", COleDateTime(2023, 2, 29, 0, 0, 0).Format());

    VARIANT var;
    VariantInit(&var);
    V_VT(&var) = VT_DATE;
    V_DATE(&var) = 61.5;
    ExpectFields({ 1900, 3, 1, 12, 0, 0 }, COleDateTime(var));
    V_VT(&var) = VT_NULL;
    EXPECT_EQ(COleDateTime::null, COleDateTime(var).GetStatus());
    COleVariant junk("junk");
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(junk).GetStatus());
}

TEST(OleDateTime, CurrentTimeIsTheLocalClock)
{
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    COleDateTime now = COleDateTime::GetCurrentTime();
    GetLocalTime(&after);
    before.wMilliseconds = after.wMilliseconds = 0;
    ASSERT_EQ(COleDateTime::valid, now.GetStatus());
    EXPECT_TRUE(COleDateTime(before) <= now);
    EXPECT_TRUE(now <= COleDateTime(after));
}

TEST(OleCurrency, DecimalTextIsExactAndLocaleFree)
{
    struct { LONGLONG value; const char* text; } cases[] = {
        { 12345000, "1234.5" },
        { -12345000, "-1234.5" },
        { 12340000, "1234" },
        { 1, "0.0001" },
        { -1, "-0.0001" },
        { 0, "0" },
        { 10000, "1" },
        { 123456789012345678LL, "12345678901234.5678" },
        { INT64_MAX, "922337203685477.5807" },
        { INT64_MIN, "-922337203685477.5808" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        COleCurrency cur(Cy(c.value));
        EXPECT_STREQ(c.text, cur.FormatDecimal());
        // The platform's invariant text is the same.
        EXPECT_STREQ(c.text, cur.Format(0, LOCALE_INVARIANT));
        EXPECT_TRUE(cur.ParseDecimal(c.text));
        EXPECT_EQ(c.value, cur.m_cur.int64);
    }
    // A comma locale changes Format, never FormatDecimal.
    COleCurrency cur(Cy(-12345000));
    EXPECT_STREQ("-1234,5", cur.Format(0, MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT)));
    EXPECT_STREQ("-1234.5", cur.FormatDecimal());
}

TEST(OleCurrency, ParseDecimalRoundsHalfToEvenAndDetectsOverflow)
{
    struct { const char* text; LONGLONG value; } good[] = {
        { "1234.5", 12345000 },
        { "  -1234.5\t", -12345000 },
        { "+0.0001", 1 },
        { ".5", 5000 },
        { "5.", 50000 },
        { "-0", 0 },
        { "0.00005", 0 },
        { "0.00015", 2 },
        { "0.00025", 2 },
        { "0.000251", 3 },
        // The rounding digit in the integer part, the rest in the fraction.
        { "25.000001e-5", 3 },
        { "25.000000e-5", 2 },
        { "-0.00015", -2 },
        { "0.99999", 10000 },
        { "1.5e3", 15000000 },
        { "1E-4", 1 },
        { "1e-5", 0 },
        { "1.234560e+002", 1234560 },
        { "000000000000000000000000001", 10000 },
        { "1.00000000000000000000000000001", 10000 },
        { "922337203685477.5807", INT64_MAX },
        { "-922337203685477.5808", INT64_MIN },
        { "100000000000000", 1000000000000000000LL },
    };
    for (const auto& c : good)
    {
        SCOPED_TRACE(c.text);
        CURRENCY cy;
        EXPECT_EQ(S_OK, COleCurrency::DecimalToCurrency(c.text, cy));
        EXPECT_EQ(c.value, cy.int64);
    }
    const char* overflow[] = { "922337203685477.5808", "-922337203685477.5809", "1e15", "1e100000000",
                               "99999999999999999999999999999999999" };
    for (const char* text : overflow)
    {
        SCOPED_TRACE(text);
        CURRENCY cy;
        EXPECT_EQ(DISP_E_OVERFLOW, COleCurrency::DecimalToCurrency(text, cy));
    }
    const char* mismatch[] = { "", " ", "abc", "1,5", "1.2.3", "--1", "1e", "1e+", "$5", "(5)", "1 2", ".", "-" };
    for (const char* text : mismatch)
    {
        SCOPED_TRACE(text);
        CURRENCY cy;
        EXPECT_EQ(DISP_E_TYPEMISMATCH, COleCurrency::DecimalToCurrency(text, cy));
        COleCurrency cur(Cy(5));
        EXPECT_FALSE(cur.ParseDecimal(text));
        EXPECT_EQ(COleCurrency::invalid, cur.GetStatus());
    }
    CURRENCY cy;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, COleCurrency::DecimalToCurrency(NULL, cy));
}

TEST(OleCurrency, LocaleParseAndConstruction)
{
    COleCurrency cur;
    EXPECT_TRUE(cur.ParseCurrency("1234.5", 0, LOCALE_INVARIANT));
    EXPECT_EQ(12345000, cur.m_cur.int64);
    EXPECT_TRUE(cur.ParseCurrency("-1234,5", 0, MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT)));
    EXPECT_EQ(-12345000, cur.m_cur.int64);
    EXPECT_FALSE(cur.ParseCurrency("abc", 0, LOCALE_INVARIANT));
    EXPECT_EQ(COleCurrency::invalid, cur.GetStatus());
    EXPECT_STREQ("", cur.Format(0, LOCALE_INVARIANT));
    EXPECT_STREQ("", cur.FormatDecimal());

    EXPECT_EQ(12345000, COleCurrency(1234, 5000).m_cur.int64);
    EXPECT_EQ(-15000, COleCurrency(-1, -5000).m_cur.int64);
    EXPECT_EQ(-5000, COleCurrency(-1, 5000).m_cur.int64);
    EXPECT_EQ(COleCurrency::invalid, COleCurrency(0, 10000).GetStatus());

    VARIANT var;
    VariantInit(&var);
    V_VT(&var) = VT_I4;
    V_I4(&var) = -7;
    EXPECT_EQ(-70000, COleCurrency(var).m_cur.int64);
    V_VT(&var) = VT_R8;
    V_R8(&var) = 1.5;
    EXPECT_EQ(15000, COleCurrency(var).m_cur.int64);
    V_VT(&var) = VT_NULL;
    EXPECT_EQ(COleCurrency::null, COleCurrency(var).GetStatus());
    EXPECT_EQ(COleCurrency::invalid, COleCurrency(COleVariant("x")).GetStatus());
}

TEST(OleCurrency, ArithmeticIsExactAndCatchesOverflow)
{
    COleCurrency sum;
    COleCurrency tenth(0, 1000);
    for (int i = 0; i < 10; ++i)
        sum += tenth;
    EXPECT_TRUE(sum == COleCurrency(1, 0));
    EXPECT_EQ(COleCurrency::valid, sum.GetStatus());
    EXPECT_TRUE((sum - COleCurrency(2, 5000)) == COleCurrency(-1, -5000));
    EXPECT_TRUE(-sum == COleCurrency(-1, 0));

    COleCurrency largest(Cy(INT64_MAX));
    EXPECT_EQ(COleCurrency::invalid, (largest + COleCurrency(Cy(1))).GetStatus());
    COleCurrency smallest(Cy(INT64_MIN));
    EXPECT_EQ(COleCurrency::invalid, (smallest - COleCurrency(Cy(1))).GetStatus());
    EXPECT_EQ(COleCurrency::invalid, (-smallest).GetStatus());
    EXPECT_EQ(COleCurrency::valid, (smallest + largest).GetStatus());
    EXPECT_EQ(-1, (smallest + largest).m_cur.int64);

    EXPECT_TRUE(smallest < largest);
    EXPECT_TRUE(COleCurrency(0, 1) > COleCurrency(0, 0));
    EXPECT_TRUE(COleCurrency(0, -1) <= COleCurrency(0, -1));
    EXPECT_FALSE(COleCurrency(0, -1) >= COleCurrency(0, 0));
}

TEST(OleVariant, AnsiTextKeepsItsBytesThroughCopies)
{
    const char text[] = "Caf\xE9 123";
    COleVariant var(text, VT_BSTRT);
    ASSERT_EQ(VT_BSTR, V_VT(&var));
    ASSERT_EQ(8u, SysStringByteLen(V_BSTR(&var)));
    EXPECT_EQ(0, memcmp(text, V_BSTR(&var), 8));

    COleVariant copy(var);
    ASSERT_EQ(8u, SysStringByteLen(V_BSTR(&copy)));
    EXPECT_EQ(0, memcmp(text, V_BSTR(&copy), 8));
    EXPECT_NE(V_BSTR(&var), V_BSTR(&copy));
    EXPECT_TRUE(copy == var);

    // An odd byte count survives the copies, which a wide copy would round.
    COleVariant odd;
    odd = COleVariant("abc", VT_BSTRT);
    COleVariant assigned;
    assigned = static_cast<const VARIANT&>(odd);
    EXPECT_EQ(3u, SysStringByteLen(V_BSTR(&assigned)));
    EXPECT_STREQ("abc", AfxStringFromBstrBytes(V_BSTR(&assigned)));

    COleVariant empty("", VT_BSTRT);
    EXPECT_EQ(VT_BSTR, V_VT(&empty));
    EXPECT_EQ(0u, SysStringByteLen(V_BSTR(&empty)));
    COleVariant none((LPCSTR)NULL, VT_BSTRT);
    EXPECT_EQ(0u, SysStringByteLen(V_BSTR(&none)));
}

TEST(OleVariant, WideTextAndStringHelpers)
{
    COleVariant var("abc");
    ASSERT_EQ(VT_BSTR, V_VT(&var));
    EXPECT_EQ(3u, SysStringLen(V_BSTR(&var)));
    EXPECT_EQ(3, lstrlenW(V_BSTR(&var)));
    EXPECT_EQ('c', (int)V_BSTR(&var)[2]);
    EXPECT_STREQ("abc", AfxStringFromBstr(V_BSTR(&var)));
    // The same text in its two forms is not the same variant.
    EXPECT_FALSE(var == COleVariant("abc", VT_BSTRT));

    CString withNul("a\0b", 3);
    COleVariant fromString(withNul);
    EXPECT_EQ(3u, SysStringLen(V_BSTR(&fromString)));
    CString back = AfxStringFromBstr(V_BSTR(&fromString));
    EXPECT_EQ(3, back.GetLength());
    EXPECT_EQ('b', back[2]);
    EXPECT_STREQ("", AfxStringFromBstr(NULL));
    EXPECT_STREQ("", AfxStringFromBstrBytes(NULL));

    BSTR bstr = AfxAllocBstr("hello", 4);
    EXPECT_EQ(4u, SysStringLen(bstr));
    EXPECT_STREQ("hell", AfxStringFromBstr(bstr));
    SysFreeString(bstr);
}

TEST(OleVariant, ChangeTypeConvertsOrThrows)
{
    COleVariant var("1234");
    var.ChangeType(VT_I4);
    ASSERT_EQ(VT_I4, V_VT(&var));
    EXPECT_EQ(1234, V_I4(&var));

    COleVariant source("-12");
    COleVariant target;
    target.ChangeType(VT_I2, &source);
    EXPECT_EQ(VT_I2, V_VT(&target));
    EXPECT_EQ(-12, V_I2(&target));
    EXPECT_EQ(VT_BSTR, V_VT(&source));

    COleVariant number((LONG)-5);
    number.ChangeType(VT_BSTRT);
    ASSERT_EQ(VT_BSTR, V_VT(&number));
    EXPECT_EQ(2u, SysStringByteLen(V_BSTR(&number)));
    EXPECT_EQ(0, memcmp("-5", V_BSTR(&number), 2));

    COleVariant text("abc");
    ExpectOleException(DISP_E_TYPEMISMATCH, [&] { text.ChangeType(VT_I4); });
    EXPECT_EQ(VT_BSTR, V_VT(&text));
    COleVariant big("99999999999");
    ExpectOleException(DISP_E_OVERFLOW, [&] { big.ChangeType(VT_I4); });
}

TEST(OleVariant, ConstructorsSetTheirTypes)
{
    COleVariant flag((short)5, VT_BOOL);
    EXPECT_EQ(VT_BOOL, V_VT(&flag));
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&flag));
    COleVariant zeroFlag((LONG)0, VT_BOOL);
    EXPECT_EQ(VARIANT_FALSE, V_BOOL(&zeroFlag));
    COleVariant i2((short)-3);
    EXPECT_EQ(VT_I2, V_VT(&i2));
    EXPECT_EQ(-3, V_I2(&i2));
    COleVariant i4((LONG)-70000);
    EXPECT_EQ(VT_I4, V_VT(&i4));
    EXPECT_EQ(-70000, V_I4(&i4));
    COleVariant fromLong(2147483647L);
    EXPECT_EQ(VT_I4, V_VT(&fromLong));
    EXPECT_EQ(2147483647, V_I4(&fromLong));
    ExpectOleException(DISP_E_OVERFLOW, [] { COleVariant tooBig(2147483648L); });
    COleVariant byte((BYTE)0xAB);
    EXPECT_EQ(VT_UI1, V_VT(&byte));
    EXPECT_EQ(0xAB, V_UI1(&byte));
    COleVariant r4(1.5f);
    EXPECT_EQ(VT_R4, V_VT(&r4));
    COleVariant r8(2.25);
    EXPECT_EQ(VT_R8, V_VT(&r8));
    EXPECT_EQ(2.25, V_R8(&r8));
    COleVariant cy(COleCurrency(12, 3400));
    EXPECT_EQ(VT_CY, V_VT(&cy));
    EXPECT_EQ(123400, V_CY(&cy).int64);
    EXPECT_EQ(123400, COleCurrency(cy).m_cur.int64);
    COleVariant date(COleDateTime(2000, 2, 29, 0, 0, 0));
    EXPECT_EQ(VT_DATE, V_VT(&date));
    EXPECT_EQ(36585.0, V_DATE(&date));
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    COleVariant nullVar(nullDate);
    EXPECT_EQ(VT_NULL, V_VT(&nullVar));

    CByteArray bytes;
    bytes.Add(1);
    bytes.Add(0);
    bytes.Add(255);
    COleVariant blob(bytes);
    ASSERT_EQ(VT_ARRAY | VT_UI1, V_VT(&blob));
    EXPECT_EQ(3u, V_ARRAY(&blob)->rgsabound[0].cElements);
    EXPECT_EQ(255, static_cast<BYTE*>(V_ARRAY(&blob)->pvData)[2]);
    COleVariant blobCopy(blob);
    EXPECT_TRUE(blobCopy == blob);
    bytes.SetAt(1, 9);
    EXPECT_FALSE(COleVariant(bytes) == blob);

    try
    {
        COleVariant wrong((short)1, VT_R8);
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        e->Delete();
    }
}

TEST(OleVariant, AssignmentAttachDetachAndEquality)
{
    COleVariant var((short)1, VT_BOOL);
    var = (short)0;
    EXPECT_EQ(VT_BOOL, V_VT(&var));
    EXPECT_EQ(VARIANT_FALSE, V_BOOL(&var));
    var = (LONG)7;
    EXPECT_EQ(VT_BOOL, V_VT(&var));
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&var));
    var.Clear();
    EXPECT_EQ(VT_EMPTY, V_VT(&var));
    var = (LONG)7;
    EXPECT_EQ(VT_I4, V_VT(&var));
    var = "text";
    EXPECT_EQ(VT_BSTR, V_VT(&var));
    var = 0.5;
    EXPECT_EQ(VT_R8, V_VT(&var));

    COleVariant a((LONG)42), b((LONG)42), c((short)42);
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a != c);
    EXPECT_TRUE(a == static_cast<LPCVARIANT>(b));
    EXPECT_FALSE(a == static_cast<LPCVARIANT>(NULL));
    EXPECT_TRUE(COleVariant("x", VT_BSTRT) == COleVariant("x", VT_BSTRT));
    EXPECT_FALSE(COleVariant("x", VT_BSTRT) == COleVariant("y", VT_BSTRT));
    EXPECT_TRUE(COleVariant() == COleVariant());

    COleVariant owner("owned", VT_BSTRT);
    BSTR held = V_BSTR(&owner);
    VARIANT raw = owner.Detach();
    EXPECT_EQ(VT_EMPTY, V_VT(&owner));
    EXPECT_EQ(held, V_BSTR(&raw));
    COleVariant taker;
    taker.Attach(raw);
    EXPECT_EQ(VT_EMPTY, V_VT(&raw));
    EXPECT_EQ(held, V_BSTR(&taker));
    VARIANT* p = taker;
    EXPECT_EQ(static_cast<VARIANT*>(&taker), p);
}
