#include "tests/support/Gtest.h"
#include "tests/support/Utf8.h"
#include "framework/core/OleCurrency.h"
#include "framework/core/OleDateTime.h"
#include "sheet/Sheet.h"

#include <stdlib.h>

#include <string>

namespace {

std::string Formatted(int nFormat, const char* text)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    cell.m_nNumberFormat = nFormat;
    CString str(text);
    CSheet::FormatNumber(cell, str);
    return std::string((LPCSTR)str, str.GetLength());
}

struct Case
{
    const char* in;
    const char* out;
};

void ExpectCases(int nFormat, const Case* cases, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        EXPECT_EQ(cases[i].out, Formatted(nFormat, cases[i].in)) << "input " << cases[i].in;
}

// ------------------------------------------------------------- general

TEST(NumberFormatGeneral, FourDecimalsAndBareIntegers)
{
    const Case cases[] = {
        { "12", "12" },
        { "12.5", "12.5000" },
        { "-12", "-12.0000" },
        { "0", "0" },
        { "0.5", "0.5000" },
        { "12.34567", "12.3457" },
        { "1234567", "1234567" },
        { "9999999", "9999999" },
        { "12.", "12.0000" },
        { "+12", "12.0000" },
        { "-3.25", "-3.2500" },
        { "100", "100" },
    };
    ExpectCases(NUMFMT_GENERAL, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(NumberFormatGeneral, RoundingCarryMovesThePoint)
{
    const Case cases[] = {
        { "9.99999", "10.0000" },
        { "99.99999", "100.0000" },
        { "0.99999999", "1.0000" },
        { "-9.99999", "-10.0000" },
    };
    ExpectCases(NUMFMT_GENERAL, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(NumberFormatGeneral, FractionsBelowOneAreCutAfterSixDigits)
{
    const Case cases[] = {
        { "0.123456", "0.1234" },
        { "0.05", "0.0500" },
        { "0.00012", "0.0001" },
        { "0.0999999", "0.0999" },
        { "0.0001", "0.0001" },
        { "-0.5", "-0.5000" },
        { "-0.00012", "-0.0001" },
    };
    ExpectCases(NUMFMT_GENERAL, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(NumberFormatGeneral, TinyMagnitudesGiveZeroWithoutSign)
{
    EXPECT_EQ("0", Formatted(NUMFMT_GENERAL, "0.00001"));
    EXPECT_EQ("0", Formatted(NUMFMT_GENERAL, "-0.00001"));
    EXPECT_EQ("0", Formatted(NUMFMT_GENERAL, "0.0000999"));
    EXPECT_EQ("0", Formatted(NUMFMT_GENERAL, "1e-30"));
}

TEST(NumberFormatGeneral, HugeValuesGrowTheText)
{
    std::string s = Formatted(NUMFMT_GENERAL, "1e300");
    ASSERT_EQ(301u + 5u, s.size());
    EXPECT_EQ('1', s[0]);
    EXPECT_EQ(".0000", s.substr(s.size() - 5));
    EXPECT_EQ(1e300, atof(s.c_str()));
}

// ---------------------------------------------------------- thousands

TEST(NumberFormatThousands, SeparatorsOnTheTypedText)
{
    const Case cases[] = {
        { "1234567.5", "1,234,567.5" },
        { "-123456", "-123,456" },
        { "123", "123" },
        { "1234", "1,234" },
        { "-1234567", "-1,234,567" },
        { "1234.56789", "1,234.56789" },
        { "-123", "-123" },
        { "123456789012", "123,456,789,012" },
        { "0.5", "0.5" },
    };
    ExpectCases(NUMFMT_THOUSANDS, cases, sizeof(cases) / sizeof(cases[0]));
}

// --------------------------------------------------------- scientific

TEST(NumberFormatScientific, FiveDigitsAndThreeExponentDigits)
{
    const Case cases[] = {
        { "12345", "1.2345E+004" },
        { "0.5", "5.0000E-001" },
        { "0.05", "5.0000E-002" },
        { "1", "1.0000E+000" },
        { "-250", "-2.5000E+002" },
        { "123456", "1.2346E+005" },
        { "99999.9", "1.0000E+005" },
        { "1e-200", "1.0000E-200" },
    };
    ExpectCases(NUMFMT_SCIENTIFIC, cases, sizeof(cases) / sizeof(cases[0]));
}

// ------------------------------------------------ percent, per-mille

TEST(NumberFormatSigns, AppendedWithoutScaling)
{
    EXPECT_EQ("12.5%", Formatted(NUMFMT_PERCENT, "12.5"));
}

// The per-mille sign is in the system's code page, whichever it is: read
// back through that page it is the sign itself.
TEST(NumberFormatSigns, PerMilleSignInTheSystemsCodePage)
{
    const char* pszAcp = getenv("KEM_TEST_EXPECT_ACP");
    if (pszAcp != NULL)
    {
        ASSERT_EQ((UINT)atoi(pszAcp), GetACP());
    }
    const std::string str = Formatted(NUMFMT_PERMILLE, "12.5");
    WCHAR wsz[16] = {};
    int nChars = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, str.c_str(), (int)str.size(), wsz, 16);
    EXPECT_EQ("12.5\u2030", Utf8(wsz, nChars));
}

TEST(NumberFormat, EmptyTextAndUnknownFormatsStayUnchanged)
{
    for (int nFormat = 0; nFormat <= 4; ++nFormat)
        EXPECT_EQ("", Formatted(nFormat, "")) << "format " << nFormat;
    EXPECT_EQ("12.5", Formatted(5, "12.5"));
    EXPECT_EQ("12.5", Formatted(-1, "12.5"));
}

// ------------------------------------------------------ VariantToText

std::string Text(const VARIANT& v)
{
    CString s = VariantToText(v);
    return std::string((LPCSTR)s, s.GetLength());
}

VARIANT Typed(VARTYPE vt)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = vt;
    return v;
}

TEST(VariantText, Numbers)
{
    VARIANT v = Typed(VT_I2);
    V_I2(&v) = -1234;
    EXPECT_EQ("-1234", Text(v));
    v = Typed(VT_I4);
    V_I4(&v) = 2000000000;
    EXPECT_EQ("2000000000", Text(v));
    v = Typed(VT_R8);
    V_R8(&v) = 1234.5;
    std::string r8 = Text(v);
    EXPECT_NE(std::string::npos, r8.find('e'));
    EXPECT_DOUBLE_EQ(1234.5, atof(r8.c_str()));
    v = Typed(VT_R4);
    V_R4(&v) = 0.25f;
    EXPECT_DOUBLE_EQ(0.25, atof(Text(v).c_str()));
    v = Typed(VT_UI1);
    V_UI1(&v) = 0x0A;
    EXPECT_EQ("0x0A", Text(v));
    V_UI1(&v) = 0xFF;
    EXPECT_EQ("0xFF", Text(v));
}

TEST(VariantText, EmptyNullBoolAndText)
{
    EXPECT_EQ("NULL", Text(Typed(VT_EMPTY)));
    EXPECT_EQ("NULL", Text(Typed(VT_NULL)));
    VARIANT b = Typed(VT_BOOL);
    V_BOOL(&b) = VARIANT_TRUE;
    EXPECT_EQ("TRUE", Text(b));
    V_BOOL(&b) = VARIANT_FALSE;
    EXPECT_EQ("FALSE", Text(b));

    VARIANT s = Typed(VT_BSTR);
    V_BSTR(&s) = SysAllocString(L"Ledger 7");
    EXPECT_EQ("Ledger 7", Text(s));
    VariantClear(&s);
    s = Typed(VT_BSTR);
    V_BSTR(&s) = NULL;
    EXPECT_EQ("", Text(s));
}

TEST(VariantText, CurrencyReadsBackWithAtof)
{
    VARIANT v = Typed(VT_CY);
    V_CY(&v) = COleCurrency(1234, 5000);
    std::string s = Text(v);
    EXPECT_EQ("1234.5", s);
    EXPECT_DOUBLE_EQ(1234.5, atof(s.c_str()));
    V_CY(&v) = COleCurrency(-7, -1);
    EXPECT_DOUBLE_EQ(-7.0001, atof(Text(v).c_str()));
}

TEST(VariantText, DateInShortYearForm)
{
    VARIANT v = Typed(VT_DATE);
    V_DATE(&v) = COleDateTime(2024, 3, 9, 14, 5, 59);
    EXPECT_EQ("24-03-09 14:05:59", Text(v));
}

TEST(VariantText, NamesOfTypesWithoutAValueForm)
{
    EXPECT_EQ("VT_DISPATCH", Text(Typed(VT_DISPATCH)));
    EXPECT_EQ("VT_ERROR", Text(Typed(VT_ERROR)));
    EXPECT_EQ("VT_VARIANT", Text(Typed(VT_VARIANT)));
    EXPECT_EQ("VT_UNKNOWN", Text(Typed(VT_UNKNOWN)));
    EXPECT_EQ("VT_I1", Text(Typed(VT_I1)));
    EXPECT_EQ("VT_UI2", Text(Typed(VT_UI2)));
    EXPECT_EQ("VT_LPWSTR", Text(Typed(VT_LPWSTR)));
    EXPECT_EQ("VT_FILETIME", Text(Typed(VT_FILETIME)));
    EXPECT_EQ("VT_CLSID", Text(Typed(VT_CLSID)));
    EXPECT_EQ("Fish", Text(Typed(VT_DECIMAL)));
    EXPECT_EQ("Fish", Text(Typed(15)));
    EXPECT_EQ("Fish", Text(Typed(32)));
    EXPECT_EQ("Fish", Text(Typed(73)));
    EXPECT_EQ("Fish", Text(Typed(VT_VECTOR | VT_I4)));
}

TEST(VariantText, ModifierBits)
{
    EXPECT_EQ("Array of VT_UI1", Text(Typed(VT_ARRAY | VT_UI1)));
    EXPECT_EQ("Array of VT_VARIANT", Text(Typed(VT_ARRAY | VT_VARIANT)));
    EXPECT_EQ("Pointer to VT_I4", Text(Typed(VT_BYREF | VT_I4)));
    EXPECT_EQ("Array of Pointer to VT_BSTR", Text(Typed(VT_ARRAY | VT_BYREF | VT_BSTR)));
    EXPECT_EQ("Array of VT_EMPTY", Text(Typed(VT_ARRAY | VT_EMPTY)));
    EXPECT_EQ("Array of ", Text(Typed(VT_ARRAY | VT_DECIMAL)));
    EXPECT_EQ("Array of ", Text(Typed(VT_ARRAY | 100)));
}

TEST(BoolText, NonZeroIsTrue)
{
    EXPECT_EQ("TRUE", std::string(BoolToText(1)));
    EXPECT_EQ("TRUE", std::string(BoolToText(-1)));
    EXPECT_EQ("FALSE", std::string(BoolToText(0)));
}

} // namespace
