#include <string.h>

#include "framework/core/MessageSink.h"
#include "sheet/CellDataCheck.h"

namespace
{

const int kMaxTextLength = 255;
const int kMaxDigits = 10;
const int kMaxDecimals = 4;
// An exponent beyond this already fails the digit rules; stop growing it.
const int kExponentCap = 1000;

int Reject(LPCSTR pszMessage)
{
    AfxMessageBox(pszMessage);
    return 0;
}

int RejectWith(LPCSTR pszFormat, int nLimit)
{
    CString str;
    str.Format(pszFormat, nLimit);
    return Reject(str);
}

BOOL IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

} // namespace

int ValidateNumberText(const CString& strText)
{
    const int nLength = strText.GetLength();
    int nPoints = 0, nExponents = 0;
    int nIntegerDigits = 0, nDecimalDigits = 0, nMantissaDigits = 0;
    int nExponent = 0, nExponentDigits = 0;
    BOOL bNegativeExponent = FALSE, bDecimalPart = FALSE, bExponentPart = FALSE;
    char chPrev = '\0';
    for (int i = 0; i < nLength; chPrev = strText[i++])
    {
        const char ch = strText[i];
        const BOOL bAfterE = chPrev == 'e' || chPrev == 'E';
        switch (ch)
        {
        case '+':
            if (i != 0 && !bAfterE)
                return Reject("Invalid '+' in numeric cells.");
            continue;
        case '-':
            if (bAfterE)
                bNegativeExponent = TRUE;
            else if (i != 0)
                return Reject("Invalid '-' in numeric cells.");
            continue;
        case '.':
            if (++nPoints > 1)
                return Reject("Too many '.' in numeric cells.");
            // A point in the exponent would make it fractional.
            if (bExponentPart)
                return Reject("Invalid character in numeric cells.");
            bDecimalPart = TRUE;
            continue;
        case 'e':
        case 'E':
            if (++nExponents > 1)
                return Reject("Invalid 'e' in numeric cells.");
            if (nMantissaDigits == 0)
                return Reject("Invalid 'e' in numeric cells.");
            bExponentPart = TRUE;
            bDecimalPart = FALSE;
            continue;
        default:
            break;
        }
        if (!IsDigit(ch))
            return Reject("Invalid character in numeric cells.");
        if (bExponentPart)
        {
            ++nExponentDigits;
            if (nExponent < kExponentCap)
                nExponent = nExponent * 10 + (ch - '0');
            continue;
        }
        ++nMantissaDigits;
        const BOOL bLeadingZero = ch == '0' && (i == 0 || chPrev == '+' || chPrev == '-')
                                  && i + 1 < nLength && strText[i + 1] == '.';
        if (bLeadingZero)
            continue;
        if (bDecimalPart)
            ++nDecimalDigits;
        else
            ++nIntegerDigits;
    }
    if (nLength > 0 && nMantissaDigits == 0)
        return Reject("Invalid character in numeric cells.");
    if (bExponentPart && nExponentDigits == 0)
        return Reject("Invalid 'e' in numeric cells.");
    if (bNegativeExponent)
        nExponent = -nExponent;
    if (nIntegerDigits + nExponent > kMaxDigits)
        return RejectWith("Too long digits in numeric cells,be sure it's digits less than %d.",
                          kMaxDigits);
    if (nDecimalDigits - nExponent > kMaxDecimals)
        return RejectWith("Too long decimal digits in numeric cells,be sure it's decimal digits "
                          "less than %d.", kMaxDecimals);
    return 1;
}

int ValidateCellData(const CCell& cell)
{
    const CString& strValue = cell.m_strValue;
    if (cell.m_nType == CELL_TEXT)
    {
        if (strValue.GetLength() > kMaxTextLength)
            return RejectWith("Data too long,it must less than %d.", kMaxTextLength);
        return 1;
    }
    if (cell.m_nType != CELL_NUMERIC)
        return 1;
    if (strnlen(cell.m_szOrgCode, CELL_CODE_LEN) == 0
        || strnlen(cell.m_szPeriodCode, CELL_PERIOD_LEN) == 0)
        return Reject("Report Date,Organ Name and Organ Code cannot be empty.");
    if (cell.m_nValueType == 1)
    {
        if (strValue.GetLength() > kMaxTextLength)
            return RejectWith("Cell data too long ,be sure it's length less than %d.",
                              kMaxTextLength);
        return 1;
    }
    if (cell.m_nValueType != 0)
        return 1;
    if (strValue.GetLength() > kMaxTextLength)
        return RejectWith("Data too long,it must less than %d.", kMaxTextLength);
    return ValidateNumberText(strValue);
}
