#include "engines/dao/DaoWildcards.h"

#include "framework/db/DaoSql.h"

void ModiFilter(CString& strText)
{
    strText = DaoMapLikePatterns(strText, [](const CString& pattern) {
        CString converted(pattern);
        for (int i = 1; i < converted.GetLength(); ++i)
        {
            char ch = converted[i];
            // A trail byte of a double-byte character may look like % or _.
            if (IsDBCSLeadByte((BYTE)ch))
                ++i;
            else if (ch == '%')
                converted.SetAt(i, '*');
            else if (ch == '_')
                converted.SetAt(i, '?');
        }
        return converted;
    });
}
