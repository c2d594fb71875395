#include "engines/dao/spreadsheet/CellText.h"

#include <string.h>

#include "framework/db/DBText.h"

namespace
{

template <class Convert>
void ConvertSourceTexts(std::vector<CSourceTable>& tables, Convert convert)
{
    for (CSourceTable& table : tables)
    {
        for (CString& strColumn : table.m_columns)
            strColumn = convert(strColumn);
        for (std::vector<CSourceValue>& row : table.m_rows)
            for (CSourceValue& value : row)
                if (!value.m_bNull)
                    value.m_strText = convert(value.m_strText);
    }
}

} // namespace

CString AnsiFromUtf8(const char* pszUtf8, int nLength)
{
    if (nLength < 0)
        nLength = (int)strlen(pszUtf8);
    CString strText;
    DBTextFromDriver(pszUtf8, nLength, strText);
    return strText;
}

void SourceTextsFromUtf8(std::vector<CSourceTable>& tables)
{
    ConvertSourceTexts(tables, [](const CString& str) { return DBTextFromDriver(str); });
}
