#include "view/ItemSelection.h"

#include "framework/db/SqlQuote.h"

namespace
{
const int kShownCodeWidth = 8;
const int kMaxCodeSearch = 9;
const int kMaxSearchCodeSearch = 8;
const int kDataSourceUnsorted = 26;

LPCSTR SearchColumn(int nMode)
{
    switch (nMode)
    {
    case ITEM_SEARCH_SEARCHCODE: return "FD_SearchCode";
    case ITEM_SEARCH_NAME: return "FD_Name";
    default: return "FD_Code";
    }
}
}

CString FormatItemListEntry(LPCSTR lpszCode, LPCSTR lpszName)
{
    CString strCode = CString(lpszCode).Left(kShownCodeWidth);
    while (strCode.GetLength() < kShownCodeWidth)
        strCode += ' ';
    return strCode + "  " + lpszName;
}

CString ItemEntryToCodeName(const CString& strLine)
{
    CString strCode = strLine.Left(kShownCodeWidth);
    CString strName = strLine.GetLength() > kShownCodeWidth + 1 ? strLine.Mid(kShownCodeWidth + 1)
                                                                : CString();
    strCode.Trim(' ');
    strName.Trim(' ');
    return strCode + "-" + strName;
}

void SplitCodeName(const CString& strCodeName, CString& strCode, CString& strName)
{
    int nDash = strCodeName.Find('-');
    strCode = nDash < 0 ? strCodeName : strCodeName.Left(nDash);
    strName = nDash < 0 ? CString() : strCodeName.Mid(nDash + 1);
}

CString ItemSearchFilter(int nMode, const CString& strText)
{
    return CString(SearchColumn(nMode)) + " LIKE " + SqlQuote(strText + "%");
}

CString ItemSearchSort(int nMode, int nDataSourceType)
{
    return nDataSourceType == kDataSourceUnsorted ? CString() : CString(SearchColumn(nMode));
}

BOOL CItemNoMatch::Covers(int nMode, const CString& strText) const
{
    return m_nMode == nMode && !m_strText.IsEmpty() && strText.GetLength() > m_strText.GetLength() &&
           strText.Left(m_strText.GetLength()) == m_strText;
}

BOOL IsSearchTextUsable(int nMode, const CString& strText)
{
    if (nMode == ITEM_SEARCH_CODE)
        return strText.GetLength() <= kMaxCodeSearch;
    if (nMode == ITEM_SEARCH_SEARCHCODE)
        return strText.GetLength() <= kMaxSearchCodeSearch;
    return TRUE;
}
