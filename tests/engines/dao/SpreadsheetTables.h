// Source tables written and read as lines for the spreadsheet file tests:
// the first line the column names joined by '|', then one line a row with
// each value as "t:" and its text, "n:" and its number text, or "-" for NULL.
#pragma once

#include <string>
#include <vector>

#include "engines/dao/SourceTable.h"
#include "framework/db/DaoDatabase.h"
#include "tests/sheet/PdfTools.h"

namespace spreadsheettest
{

using sheettest::RunTool;

inline std::vector<std::string> SplitBars(const std::string& strLine)
{
    std::vector<std::string> parts;
    size_t nStart = 0;
    for (size_t nBar; (nBar = strLine.find('|', nStart)) != std::string::npos; nStart = nBar + 1)
        parts.push_back(strLine.substr(nStart, nBar - nStart));
    parts.push_back(strLine.substr(nStart));
    return parts;
}

// The lines are UTF-8, as the table's texts and name are.
inline CSourceTable TableOf(const char* pszName, const std::vector<std::string>& lines)
{
    CSourceTable table;
    table.m_strName = pszName;
    for (const std::string& strName : SplitBars(lines.at(0)))
        table.m_columns.push_back(strName.c_str());
    for (size_t i = 1; i < lines.size(); ++i)
    {
        std::vector<CSourceValue> row;
        for (const std::string& strPart : SplitBars(lines[i]))
        {
            CSourceValue value;
            value.m_bNull = strPart == "-";
            value.m_bNumber = strPart.compare(0, 2, "n:") == 0;
            if (!value.m_bNull)
                value.m_strText = strPart.c_str() + 2;
            row.push_back(value);
        }
        table.m_rows.push_back(row);
    }
    return table;
}

// The table's texts as lines, in UTF-8.
inline std::vector<std::string> LinesOf(const CSourceTable& table)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < table.m_columns.size(); ++i)
        lines[0] += (i > 0 ? "|" : "") + std::string(table.m_columns[i]);
    for (const std::vector<CSourceValue>& row : table.m_rows)
    {
        std::string strLine;
        for (size_t i = 0; i < row.size(); ++i)
        {
            strLine += i > 0 ? "|" : "";
            if (row[i].m_bNull)
                strLine += "-";
            else
                strLine += (row[i].m_bNumber ? "n:" : "t:") + std::string(row[i].m_strText);
        }
        lines.push_back(strLine);
    }
    return lines;
}

inline std::string UnixPath(const CString& strPath)
{
    return std::string(DaoUnixPath(strPath));
}

} // namespace spreadsheettest
