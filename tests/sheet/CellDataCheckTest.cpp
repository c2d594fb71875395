// The input check of cell value texts: length limits, the key fields of
// numeric cells, and the number syntax with its digit rules.
#include "tests/sheet/FormulaSheet.h"

#include "sheet/CellDataCheck.h"

namespace
{

CCell NumberCell(const char* pszValue, LONG nValueType = 0)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    cell.m_nValueType = nValueType;
    CopyCode(cell.m_szOrgCode, sizeof(cell.m_szOrgCode), "0001");
    CopyCode(cell.m_szPeriodCode, sizeof(cell.m_szPeriodCode), "2006010000000");
    cell.m_strValue = pszValue;
    return cell;
}

struct NumberCase
{
    const char* pszText;
    const char* pszMessage;     // NULL: accepted
};

const NumberCase kNumberCases[] = {
    { "", NULL },
    { "-0.5", NULL },
    { "1.2345", NULL },
    { "12345678901e-1", NULL },
    { "1e3", NULL },
    { "+7", NULL },
    { "1E+2", NULL },
    { "0.1234", NULL },
    { "1234567890", NULL },
    { "1.5e-3", NULL },                 // 1 + 3 decimal digits
    { "1.23456", "Too long decimal digits in numeric cells,be sure it's decimal digits less than 4." },
    { "1e-5", "Too long decimal digits in numeric cells,be sure it's decimal digits less than 4." },
    { "12345678901", "Too long digits in numeric cells,be sure it's digits less than 10." },
    { "1e10", "Too long digits in numeric cells,be sure it's digits less than 10." },
    { "1e99999999999999", "Too long digits in numeric cells,be sure it's digits less than 10." },
    { "1-2", "Invalid '-' in numeric cells." },
    { "1+2", "Invalid '+' in numeric cells." },
    { "1,5", "Invalid character in numeric cells." },
    { "1e2e3", "Invalid 'e' in numeric cells." },
    { "1..2", "Too many '.' in numeric cells." },
    { "\xC4\xEA", "Invalid character in numeric cells." },
    // Texts without a digit before or after the exponent mark.
    { "-", "Invalid character in numeric cells." },
    { "+", "Invalid character in numeric cells." },
    { ".", "Invalid character in numeric cells." },
    { "-.", "Invalid character in numeric cells." },
    { "e", "Invalid 'e' in numeric cells." },
    { "1e", "Invalid 'e' in numeric cells." },
    { "1e+", "Invalid 'e' in numeric cells." },
    { "1e2.5", "Invalid character in numeric cells." },
};

TEST(ValidateCellData, ChecksNumberTexts)
{
    MessageBoxRecorder recorder;
    for (const NumberCase& c : kNumberCases)
    {
        SCOPED_TRACE(c.pszText);
        recorder.Clear();
        const int nExpected = c.pszMessage == NULL ? 1 : 0;
        EXPECT_EQ(nExpected, ValidateCellData(NumberCell(c.pszText)));
        if (c.pszMessage == NULL)
        {
            EXPECT_TRUE(recorder.Messages().empty());
        }
        else
        {
            ASSERT_EQ(1u, recorder.Messages().size());
            EXPECT_EQ(c.pszMessage, recorder.LastText());
        }
    }
}

TEST(ValidateCellData, LimitsTextLengths)
{
    MessageBoxRecorder recorder;
    CCell text;
    text.SetType(CELL_TEXT);
    text.m_strValue = CString('x', 255);
    EXPECT_EQ(1, ValidateCellData(text));
    text.m_strValue += "x";
    EXPECT_EQ(0, ValidateCellData(text));
    EXPECT_EQ("Data too long,it must less than 255.", recorder.LastText());

    CCell textKind = NumberCell("", 1);
    textKind.m_strValue = CString('y', 255);
    EXPECT_EQ(1, ValidateCellData(textKind));
    textKind.m_strValue += "y";
    EXPECT_EQ(0, ValidateCellData(textKind));
    EXPECT_EQ("Cell data too long ,be sure it's length less than 255.", recorder.LastText());

    CCell number = NumberCell("");
    number.m_strValue = CString('1', 256);
    EXPECT_EQ(0, ValidateCellData(number));
    EXPECT_EQ("Data too long,it must less than 255.", recorder.LastText());

    // Other sub-kinds and other cell types are not checked.
    EXPECT_EQ(1, ValidateCellData(NumberCell("abc", 2)));
    CCell organ;
    organ.SetType(CELL_ORGAN);
    organ.m_strValue = CString('z', 400);
    EXPECT_EQ(1, ValidateCellData(organ));
}

TEST(ValidateCellData, NumericCellsNeedTheirKeys)
{
    MessageBoxRecorder recorder;
    CCell noOrg = NumberCell("1");
    noOrg.m_szOrgCode[0] = '\0';
    EXPECT_EQ(0, ValidateCellData(noOrg));
    EXPECT_EQ("Report Date,Organ Name and Organ Code cannot be empty.", recorder.LastText());
    CCell noPeriod = NumberCell("1", 1);
    noPeriod.m_szPeriodCode[0] = '\0';
    recorder.Clear();
    EXPECT_EQ(0, ValidateCellData(noPeriod));
    EXPECT_EQ("Report Date,Organ Name and Organ Code cannot be empty.", recorder.LastText());
}

} // namespace
