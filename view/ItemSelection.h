// The windowless rules of the row-item and column-item steps: how an item
// is shown in their lists, the code-name form the analysis keeps, and when
// a typed search text is worth a query.
#pragma once

#include "framework/core/String.h"

// Search modes of the item steps.
enum ItemSearchMode
{
    ITEM_SEARCH_CODE = 1,
    ITEM_SEARCH_SEARCHCODE = 2,
    ITEM_SEARCH_NAME = 3
};

// The code cut or padded with blanks to 8 characters, two blanks, the name.
CString FormatItemListEntry(LPCSTR lpszCode, LPCSTR lpszName);
// A list line as "code-name": its first 8 characters and the text from the
// tenth on, each trimmed of blanks.
CString ItemEntryToCodeName(const CString& strLine);
// Splits "code-name" at its first "-"; a text without one is all code.
void SplitCodeName(const CString& strCodeName, CString& strCode, CString& strName);

// The filter, sort and column of a search by mode (the text is quoted).
CString ItemSearchFilter(int nMode, const CString& strText);
// Empty for data-source type 26, which cannot sort the filtered query.
CString ItemSearchSort(int nMode, int nDataSourceType);

// What the last search that found nothing was, so that a text that only
// extends it (in the same mode) runs no query: a longer text cannot match
// where its beginning did not.
class CItemNoMatch
{
public:
    CItemNoMatch() : m_nMode(0) {}
    void Remember(int nMode, const CString& strText) { m_nMode = nMode; m_strText = strText; }
    void Forget() { m_nMode = 0; m_strText.Empty(); }
    BOOL Covers(int nMode, const CString& strText) const;

private:
    int m_nMode;
    CString m_strText;
};

// FALSE when the text is too long for its mode to match anything (codes
// hold 9 characters, search codes 8).
BOOL IsSearchTextUsable(int nMode, const CString& strText);
