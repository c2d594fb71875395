#include <math.h>
#include <string.h>

#include "framework/core/MessageSink.h"
#include "framework/core/WideText.h"
#include "sheet/PeriodText.h"
#include "sheet/BalanceFormula.h"
#include "sheet/FormulaEvaluator.h"
#include "sheet/FormulaText.h"

namespace
{

const char kTokenEnds[] = "+-*/()#";

int Refuse(LPCSTR pszMessage)
{
    AfxMessageBox(pszMessage);
    return 0;
}

CString WithoutBlanksUpper(LPCSTR pszText)
{
    CString str = pszText;
    str.Remove(' ');
    str.MakeUpper();
    return str;
}

int CheckSyntax(const CFormulaNames& names, const CString& strText, int nExclude,
                int& nErrorStart, int& nErrorEnd)
{
    if (strText.IsEmpty())
        return 1;
    const int nEqual = strText.Find('=');
    if (nEqual >= 0)
    {
        nErrorStart = nEqual;
        nErrorEnd = nEqual + 1;
        return Refuse("Invalid '=' in formula.");
    }
    nErrorStart = 0;
    int nKind = NextFormulaToken(names, strText, 0, nErrorEnd, nExclude);
    if (nKind == FORMULA_TOKEN_OPERATOR)
        return Refuse("Operate number required.");
    if (nKind == FORMULA_TOKEN_INVALID)
        return Refuse("Invalid cell name.");
    int nOpen = 0, nClose = 0, nDepth = 0;
    while (nKind > 0)
    {
        int nNextEnd = 0;
        const int nNext = NextFormulaToken(names, strText, nErrorEnd, nNextEnd, nExclude);
        if (nNext == FORMULA_TOKEN_INVALID)
        {
            nErrorStart = nErrorEnd;
            nErrorEnd = nNextEnd;
            return Refuse("Invalid cell name.");
        }
        const BOOL bOperandNext = nNext == FORMULA_TOKEN_OPEN || nNext == FORMULA_TOKEN_OPERAND;
        switch (nKind)
        {
        case FORMULA_TOKEN_OPEN:
            ++nOpen;
            ++nDepth;
            if (!bOperandNext)
                return Refuse("Operate number required.");
            break;
        case FORMULA_TOKEN_OPERATOR:
            if (!bOperandNext)
                return Refuse("Operate number required.");
            break;
        case FORMULA_TOKEN_CLOSE:
            ++nClose;
            if (--nDepth < 0)
                return Refuse("')' required.");
            if (bOperandNext)
                return Refuse("')' required.");
            break;
        default:
            if (bOperandNext)
                return Refuse("')' required.");
            break;
        }
        nErrorStart = nErrorEnd;
        nErrorEnd = nNextEnd;
        nKind = nNext;
    }
    if (nOpen == nClose)
        return 1;
    nErrorStart = strText.GetLength() - 1;
    nErrorEnd = strText.GetLength();
    return Refuse("Invalid ')'.");
}

// The message of an operand cell without a value; the comma is full-width
// (GBK A3 AC).
CString EmptyCellMessage(const CString& strName)
{
    return "Cell '" + AfxRecodeText(strName, CHINESE_CODE_PAGE)
           + "' is empty\xA3\xAC" "Cannot verify data.";
}

// FALSE (after the message) when an operand of the side names a cell
// without a value.
BOOL AreSideOperandsFilled(const CFormulaNames& names, const CString& strSide)
{
    int nPos = 0, nNext = 0, nKind;
    while ((nKind = NextFormulaToken(names, strSide, nPos, nNext, -1)) > 0)
    {
        if (nKind == FORMULA_TOKEN_OPERAND)
        {
            const int nCell = names.Find(strSide.Mid(nPos, nNext - nPos));
            if (nCell >= 0 && names.Sheet().m_cells[nCell].m_strValue.IsEmpty())
            {
                AfxMessageBoxCP(EmptyCellMessage(names.Sheet().m_cells[nCell].m_strName),
                                CHINESE_CODE_PAGE);
                return FALSE;
            }
        }
        nPos = nNext;
    }
    return TRUE;
}

BOOL IsSatisfied(const CFormulaNames& names, const CString& strFormula)
{
    CString strText = strFormula + "=";
    double dFirst = 0.0;
    for (int nSide = 1; !strText.IsEmpty(); ++nSide)
    {
        const int nEqual = strText.Find('=');
        const CString strSide = strText.Left(nEqual);
        strText = strText.Mid(nEqual + 1);
        if (!AreSideOperandsFilled(names, strSide))
            return FALSE;
        double dValue = 0.0;
        if (!EvaluateFormulaText(names, strSide, dValue))
            return FALSE;
        if (nSide == 1)
            dFirst = dValue;
        else if (!(fabs(dValue - dFirst) < BALANCE_TOLERANCE))
            return FALSE;
    }
    return TRUE;
}

} // namespace

int NextFormulaToken(const CFormulaNames& names, const CString& strText, int nStart, int& nNext,
                     int nExclude)
{
    nNext = nStart;
    const int nLength = strText.GetLength();
    if (nStart >= nLength)
        return FORMULA_TOKEN_END;
    switch (strText[nStart])
    {
    case '(':
        nNext = nStart + 1;
        return FORMULA_TOKEN_OPEN;
    case ')':
        nNext = nStart + 1;
        return FORMULA_TOKEN_CLOSE;
    case '+':
    case '-':
    case '*':
    case '/':
        nNext = nStart + 1;
        return FORMULA_TOKEN_OPERATOR;
    default:
        break;
    }
    int nEnd = nStart;
    while (nEnd < nLength && strchr(kTokenEnds, strText[nEnd]) == NULL)
        ++nEnd;
    nNext = nEnd;
    const CString strOperand = strText.Mid(nStart, nEnd - nStart);
    const int nCell = names.Find(strOperand);
    if (nCell >= 0)
        return nCell == nExclude ? FORMULA_TOKEN_INVALID : FORMULA_TOKEN_OPERAND;
    double dValue;
    return ParseNumberText(strOperand, dValue) == 1 ? FORMULA_TOKEN_OPERAND : FORMULA_TOKEN_INVALID;
}

int CheckFormulaSyntax(const CSheet& sheet, LPCSTR pszFormula, int nExclude, int& nErrorStart,
                       int& nErrorEnd)
{
    const CFormulaNames names(sheet);
    return CheckSyntax(names, WithoutBlanksUpper(pszFormula), nExclude, nErrorStart, nErrorEnd);
}

int CheckBalanceFormula(const CSheet& sheet, LPCSTR pszFormula, int& nErrorStart, int& nErrorEnd)
{
    const CFormulaNames names(sheet);
    CString strText = WithoutBlanksUpper(pszFormula) + "=";
    int nOffset = 0, nSides = 0;
    while (!strText.IsEmpty())
    {
        const int nEqual = strText.Find('=');
        const CString strSide = strText.Left(nEqual);
        int nStart = 0, nEnd = 0;
        if (!CheckSyntax(names, strSide, -1, nStart, nEnd))
        {
            nErrorStart = nStart + nOffset;
            nErrorEnd = nEnd + nOffset;
            return Refuse("Invalid balance formula.");
        }
        ++nSides;
        strText = strText.Mid(nEqual + 1);
        nOffset += nEqual + 1;
        if (!strText.IsEmpty() && strText[0] == '=')
        {
            nErrorStart = nOffset - 1;
            nErrorEnd = nOffset;
            return Refuse("Invalid balance formula.");
        }
        if (strSide.IsEmpty())
            break;
    }
    if (nSides > 1)
        return 1;
    nErrorStart = 0;
    nErrorEnd = -1;
    return Refuse("Balance formula must have '='");
}

POSITION VerifyData(const CSheet& sheet)
{
    const CFormulaNames names(sheet);
    for (POSITION pos = sheet.m_lstBalance.GetHeadPosition(); pos != NULL;)
    {
        const POSITION posFormula = pos;
        if (!IsSatisfied(names, sheet.m_lstBalance.GetNext(pos)))
            return posFormula;
    }
    return NULL;
}

void CountBalanceFormulaRefs(CSheet& sheet)
{
    const int nCount = (int)sheet.m_cells.GetSize();
    for (int i = 0; i < nCount; ++i)
        sheet.m_cells[i].m_nBalanceRefs = 0;
    for (POSITION pos = sheet.m_lstBalance.GetHeadPosition(); pos != NULL;)
    {
        const CFormulaOperandSet operands(sheet.m_lstBalance.GetNext(pos));
        if (operands.IsEmpty())
            continue;
        for (int i = 0; i < nCount; ++i)
            if (operands.Contains(sheet.m_cells[i].m_strName))
                ++sheet.m_cells[i].m_nBalanceRefs;
    }
}
