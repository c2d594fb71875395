#include "sheet/CellTextSearch.h"

#include "sheet/Sheet.h"

namespace
{
CString Lowered(const CString& strText)
{
    CString str(strText);
    str.MakeLower();
    return str;
}
} // namespace

CCellTextSearch::CCellTextSearch(const CString& strFind, BOOL bMatchCase)
    : m_strFind(bMatchCase ? strFind : Lowered(strFind)), m_bMatchCase(bMatchCase)
{
}

int CCellTextSearch::FindFrom(const CString& strText, const CString& strLowered, int nFrom) const
{
    return (m_bMatchCase ? strText : strLowered).Find(m_strFind, nFrom);
}

BOOL CCellTextSearch::IsIn(const CString& strText) const
{
    if (m_strFind.IsEmpty() || strText.GetLength() < m_strFind.GetLength())
        return FALSE;
    return FindFrom(strText, m_bMatchCase ? strText : Lowered(strText), 0) >= 0;
}

int CCellTextSearch::FindCell(const CSheet& sheet, int nStart) const
{
    const int nCount = (int)sheet.m_cells.GetSize();
    if (nStart < 0 || nStart > nCount)
        nStart = 0;
    for (int i = nStart; i < nCount; ++i)
        if (IsIn(sheet.m_cells[i].m_strValue))
            return i;
    for (int i = 0; i < nStart; ++i)
        if (IsIn(sheet.m_cells[i].m_strValue))
            return i;
    return -1;
}

BOOL CCellTextSearch::Replace(CString& strText, const CString& strReplacement) const
{
    if (!IsIn(strText))
        return FALSE;
    // Lower-casing keeps every character's position, so the positions found
    // in the lowered text cut the text itself.
    const CString strLowered = m_bMatchCase ? CString() : Lowered(strText);
    const int nFindLength = m_strFind.GetLength();
    CString strResult;
    int nFrom = 0;
    for (int nAt = FindFrom(strText, strLowered, 0); nAt >= 0;
         nAt = FindFrom(strText, strLowered, nFrom))
    {
        strResult += strText.Mid(nFrom, nAt - nFrom);
        strResult += strReplacement;
        nFrom = nAt + nFindLength;
    }
    strResult += strText.Mid(nFrom);
    strText = strResult;
    return TRUE;
}
