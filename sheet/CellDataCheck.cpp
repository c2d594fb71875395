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

CString LimitText(LPCSTR pszFormat, int nLimit)
{
    CString str;
    str.Format(pszFormat, nLimit);
    return str;
}

// 1 when there is no complaint; else it is shown and 0.
int ShowComplaint(const CString& strComplaint)
{
    if (strComplaint.IsEmpty())
        return 1;
    AfxMessageBox(strComplaint);
    return 0;
}

BOOL IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

} // namespace

CString NumberTextComplaint(const CString& strText)
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
                return CString("Invalid '+' in numeric cells.");
            continue;
        case '-':
            if (bAfterE)
                bNegativeExponent = TRUE;
            else if (i != 0)
                return CString("Invalid '-' in numeric cells.");
            continue;
        case '.':
            if (++nPoints > 1)
                return CString("Too many '.' in numeric cells.");
            // A point in the exponent would make it fractional.
            if (bExponentPart)
                return CString("Invalid character in numeric cells.");
            bDecimalPart = TRUE;
            continue;
        case 'e':
        case 'E':
            if (++nExponents > 1)
                return CString("Invalid 'e' in numeric cells.");
            if (nMantissaDigits == 0)
                return CString("Invalid 'e' in numeric cells.");
            bExponentPart = TRUE;
            bDecimalPart = FALSE;
            continue;
        default:
            break;
        }
        if (!IsDigit(ch))
            return CString("Invalid character in numeric cells.");
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
        return CString("Invalid character in numeric cells.");
    if (bExponentPart && nExponentDigits == 0)
        return CString("Invalid 'e' in numeric cells.");
    if (bNegativeExponent)
        nExponent = -nExponent;
    if (nIntegerDigits + nExponent > kMaxDigits)
        return LimitText("Too long digits in numeric cells,be sure it's digits less than %d.",
                         kMaxDigits);
    if (nDecimalDigits - nExponent > kMaxDecimals)
        return LimitText("Too long decimal digits in numeric cells,be sure it's decimal digits "
                         "less than %d.", kMaxDecimals);
    return CString();
}

int ValidateNumberText(const CString& strText)
{
    return ShowComplaint(NumberTextComplaint(strText));
}

CString CellValueComplaint(const CCell& cell, const CString& strValue)
{
    if (cell.m_nType == CELL_TEXT || (cell.m_nType == CELL_NUMERIC && cell.m_nValueType == 0))
    {
        if (strValue.GetLength() > kMaxTextLength)
            return LimitText("Data too long,it must less than %d.", kMaxTextLength);
        return cell.m_nType == CELL_TEXT ? CString() : NumberTextComplaint(strValue);
    }
    if (cell.m_nType == CELL_NUMERIC && cell.m_nValueType == 1 && strValue.GetLength() > kMaxTextLength)
        return LimitText("Cell data too long ,be sure it's length less than %d.", kMaxTextLength);
    return CString();
}

int ValidateCellData(const CCell& cell)
{
    if (cell.m_nType == CELL_NUMERIC && (strnlen(cell.m_szOrgCode, CELL_CODE_LEN) == 0
                                         || strnlen(cell.m_szPeriodCode, CELL_PERIOD_LEN) == 0))
        return ShowComplaint("Report Date,Organ Name and Organ Code cannot be empty.");
    return ShowComplaint(CellValueComplaint(cell, cell.m_strValue));
}
