#include "tests/support/Gtest.h"
#include "reporting/FieldText.h"
#include "framework/core/OleVariant.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

// The number a text field holding these bytes sums as.
double FieldNumber(const std::string& strBytes)
{
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocStringByteLen(strBytes.data(), (UINT)strBytes.size());
    double dNumber = FieldValueNumber(value);
    VariantClear(&value);
    return dNumber;
}

// Same bits: 0.1 + 0.2 style differences and -0 against 0 count.
bool SameDouble(double a, double b)
{
    return memcmp(&a, &b, sizeof(a)) == 0;
}

} // namespace

TEST(FieldValueNumber, ReadsEveryTextExactlyAsAtofDoes)
{
    std::vector<std::string> texts = {"0", "-0", "+0", "0.00", "1.01", "-3.50", "12.75", "7.", ".5", "-.25",
                                      "999999999999999", "9999999999999999", "123456789012.345",
                                      "0.1000000000000000055511151231257827", "1e3", "2.5E-2", "0x1A",
                                      " 12", "12 ", "12abc", "abc", "", "-", ".", "1.2.3", "inf", "nan",
                                      "4503599627370497", "1,5", "00000000000000000001.5"};
    // Numbers spread over -1e9..1e9 by a fixed linear congruential series.
    unsigned long long nSeries = 7;
    auto spread = [&nSeries]() {
        nSeries = nSeries * 6364136223846793005ULL + 1442695040888963407ULL;
        return ((double)(nSeries >> 11) / 9007199254740992.0 - 0.5) * 2e9;
    };
    const char* formats[] = {"%.2f", "%.6f", "%.15g", "%.17g", "%.0f", "%.9f"};
    for (int i = 0; i < 6000; ++i)
    {
        char szText[64];
        snprintf(szText, sizeof(szText), formats[i % 6], spread() / (i % 7 == 0 ? 1e6 : 1.0));
        texts.push_back(szText);
    }
    for (const std::string& strText : texts)
    {
        EXPECT_TRUE(SameDouble(FieldNumber(strText), atof(strText.c_str()))) << '"' << strText << '"';
        EXPECT_TRUE(SameDouble(LeadingDecimal(strText.data(), strText.size()), atof(strText.c_str())))
            << '"' << strText << '"';
    }
}

TEST(FieldValueNumber, StopsAtTheFieldsBytesAndReadsOtherTypes)
{
    // A text field's bytes end where its length says, embedded '\0' too.
    EXPECT_EQ(LeadingDecimal("12.5987", 4), 12.5);
    EXPECT_EQ(FieldNumber(std::string("42\0" "7", 4)), 42.0);
    EXPECT_EQ(FieldNumber(std::string(100, '9')), atof(std::string(100, '9').c_str()));
    COleVariant real(2.25);
    EXPECT_EQ(FieldValueNumber(real), 2.25);
    COleVariant empty;
    EXPECT_EQ(FieldValueNumber(empty), 0.0);
}
