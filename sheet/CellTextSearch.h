// Searching and replacing a text in the value texts of a sheet's cells,
// with or without regard to letter case.
#pragma once

#include "framework/core/String.h"

class CSheet;

class CCellTextSearch
{
public:
    // An empty search text is found nowhere.
    CCellTextSearch(const CString& strFind, BOOL bMatchCase);

    // TRUE when the text holds the search text.
    BOOL IsIn(const CString& strText) const;
    // The first cell from nStart to the last, then from the first up to
    // nStart, whose value text holds the search text; -1 when none does.
    int FindCell(const CSheet& sheet, int nStart) const;
    // Replaces every occurrence in the text (without match case, every
    // occurrence in any letter case, the text around them kept as it was);
    // TRUE when there was one.
    BOOL Replace(CString& strText, const CString& strReplacement) const;

private:
    // The position of the next occurrence at or after nFrom, or -1.
    int FindFrom(const CString& strText, const CString& strLowered, int nFrom) const;

    CString m_strFind;
    BOOL m_bMatchCase;
};
