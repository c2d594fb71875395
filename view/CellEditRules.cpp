#include "view/CellEditRules.h"

#include <windows.h>

StartKeyPlan PlanStartKey(int nKey, BOOL bChoiceList)
{
    if (nKey == CELL_START_KEY_CLICK || nKey == VK_RETURN)
        return START_CARET_AT_END;
    if (nKey == VK_BACK)
        return START_BACKSPACE;
    const int nFirstSilent = bChoiceList ? VK_PRIOR : VK_SPACE;
    if (nKey >= nFirstSilent && nKey <= VK_DOWN)
        return START_SELECT_ALL;
    return START_SELECT_AND_TYPE;
}

namespace
{

void ClampSelection(int nLength, int& nStart, int& nEnd)
{
    if (nStart > nEnd)
    {
        const int n = nStart;
        nStart = nEnd;
        nEnd = n;
    }
    nStart = nStart < 0 ? 0 : (nStart > nLength ? nLength : nStart);
    nEnd = nEnd < nStart ? nStart : (nEnd > nLength ? nLength : nEnd);
}

BOOL IsExponentMark(char ch)
{
    return ch == 'e' || ch == 'E';
}

BOOL HoldsExponentMark(const CString& str)
{
    return str.FindOneOf("eE") >= 0;
}

} // namespace

CString ReplaceSelection(const CString& strText, int nSelStart, int nSelEnd,
                         const CString& strInsert)
{
    ClampSelection(strText.GetLength(), nSelStart, nSelEnd);
    return strText.Left(nSelStart) + strInsert + strText.Mid(nSelEnd);
}

NumericCharAction ClassifyNumericChar(const CString& strText, int nSelStart, int nSelEnd,
                                      UINT ch)
{
    if (ch == VK_BACK || (ch >= '0' && ch <= '9'))
        return NUMCHAR_ACCEPT;
    ClampSelection(strText.GetLength(), nSelStart, nSelEnd);
    // The text the character meets once the selection is gone, and the
    // caret in it.
    const CString strRest = ReplaceSelection(strText, nSelStart, nSelEnd, CString());
    const int p = nSelStart;
    switch (ch)
    {
    case '-':
        if (p == 0)
            return strRest.IsEmpty() || strRest[0] != '-' ? NUMCHAR_ACCEPT : NUMCHAR_REFUSE;
        return IsExponentMark(strRest[p - 1]) ? NUMCHAR_ACCEPT : NUMCHAR_REFUSE;
    case 'e':
    case 'E':
        if (p == 1 && strRest[0] == '-')
            return NUMCHAR_DROP;
        if (p == 0)
            return NUMCHAR_REFUSE;
        return HoldsExponentMark(strRest) ? NUMCHAR_DROP : NUMCHAR_ACCEPT;
    case '.':
        if (strRest.Find('.') >= 0)
            return NUMCHAR_DROP;
        return HoldsExponentMark(strRest.Left(p)) ? NUMCHAR_DROP : NUMCHAR_ACCEPT;
    default:
        return NUMCHAR_REFUSE;
    }
}
