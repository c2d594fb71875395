#include "engines/dao/SourceTable.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The text with ASCII letters in lower case, for finding tags.
std::string Lowered(const CString& strText)
{
    std::string s(strText, strText.GetLength());
    for (char& c : s)
        c = (char)tolower((unsigned char)c);
    return s;
}

// The position of the next tag <name ...> or </name> (bClosing) at or after
// nFrom, checking that the name ends there; npos when there is none.
size_t FindTag(const std::string& s, const char* lpszName, size_t nFrom, bool bClosing)
{
    std::string open = std::string(bClosing ? "</" : "<") + lpszName;
    for (size_t at = s.find(open, nFrom); at != std::string::npos; at = s.find(open, at + 1))
    {
        char next = at + open.size() < s.size() ? s[at + open.size()] : '>';
        if (next == '>' || isspace((unsigned char)next) || next == '/')
            return at;
    }
    return std::string::npos;
}

size_t Earliest(size_t a, size_t b)
{
    return a < b ? a : b;
}

// Cell text: tags dropped, entities decoded, white space collapsed.
CString CellText(const std::string& raw)
{
    std::string text;
    for (size_t i = 0; i < raw.size(); ++i)
    {
        char c = raw[i];
        if (c == '<')
        {
            size_t close = raw.find('>', i);
            if (close == std::string::npos)
                break;
            if (raw.compare(i, 3, "<br") == 0 || raw.compare(i, 3, "<BR") == 0)
                text += ' ';
            i = close;
            continue;
        }
        if (c == '&')
        {
            size_t semi = raw.find(';', i);
            if (semi != std::string::npos && semi - i <= 8)
            {
                std::string name = raw.substr(i + 1, semi - i - 1);
                int code = -1;
                if (name == "amp") code = '&';
                else if (name == "lt") code = '<';
                else if (name == "gt") code = '>';
                else if (name == "quot") code = '"';
                else if (name == "apos") code = '\'';
                else if (name == "nbsp") code = ' ';
                else if (name.size() > 1 && name[0] == '#')
                    code = (name[1] == 'x' || name[1] == 'X') ? (int)strtol(name.c_str() + 2, NULL, 16)
                                                              : atoi(name.c_str() + 1);
                if (code > 0 && code < 256)
                {
                    text += (char)code;
                    i = semi;
                    continue;
                }
            }
        }
        text += isspace((unsigned char)c) ? ' ' : c;
    }
    std::string collapsed;
    for (char c : text)
        if (c != ' ' || (!collapsed.empty() && collapsed.back() != ' '))
            collapsed += c;
    while (!collapsed.empty() && collapsed.back() == ' ')
        collapsed.pop_back();
    return CString(collapsed.c_str());
}

// The cells of one row between nBegin and nEnd of the document.
std::vector<CString> RowCells(const std::string& raw, const std::string& low, size_t nBegin, size_t nEnd)
{
    std::vector<CString> cells;
    size_t at = nBegin;
    for (;;)
    {
        size_t td = Earliest(FindTag(low, "td", at, false), FindTag(low, "th", at, false));
        if (td == std::string::npos || td >= nEnd)
            break;
        size_t contentStart = low.find('>', td);
        if (contentStart == std::string::npos || contentStart >= nEnd)
            break;
        ++contentStart;
        // A cell ends at its closing tag or where the next cell begins.
        size_t contentEnd = Earliest(Earliest(FindTag(low, "td", contentStart, true), FindTag(low, "th", contentStart, true)),
                                     Earliest(FindTag(low, "td", contentStart, false), FindTag(low, "th", contentStart, false)));
        contentEnd = Earliest(contentEnd, nEnd);
        cells.push_back(CellText(raw.substr(contentStart, contentEnd - contentStart)));
        at = contentEnd;
    }
    return cells;
}

CString HtmlEscaped(const CString& strText)
{
    CString strOut;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        char c = strText[i];
        switch (c)
        {
        case '&': strOut += "&amp;"; break;
        case '<': strOut += "&lt;"; break;
        case '>': strOut += "&gt;"; break;
        case '"': strOut += "&quot;"; break;
        default: strOut += c; break;
        }
    }
    return strOut;
}

}

BOOL ParseHtmlTables(const CString& strText, std::vector<CSourceTable>& tables, CString& strError)
{
    std::string raw(strText, strText.GetLength());
    std::string low = Lowered(strText);
    tables.clear();
    for (size_t at = FindTag(low, "table", 0, false); at != std::string::npos;)
    {
        size_t end = FindTag(low, "table", at + 1, true);
        if (end == std::string::npos)
        {
            strError = "a table is not closed";
            return FALSE;
        }
        CSourceTable table;
        size_t caption = FindTag(low, "caption", at, false);
        if (caption != std::string::npos && caption < end)
        {
            size_t captionStart = low.find('>', caption) + 1;
            size_t captionEnd = Earliest(FindTag(low, "caption", captionStart, true), end);
            table.m_strName = CellText(raw.substr(captionStart, captionEnd - captionStart));
        }
        if (table.m_strName.IsEmpty())
            table.m_strName.Format("Table%d", (int)tables.size() + 1);
        for (const CSourceTable& other : tables)
            if (other.m_strName.CompareNoCase(table.m_strName) == 0)
            {
                strError.Format("two tables are named %s", (LPCSTR)table.m_strName);
                return FALSE;
            }

        bool bHeader = true;
        for (size_t tr = FindTag(low, "tr", at, false); tr != std::string::npos && tr < end;)
        {
            size_t next = Earliest(FindTag(low, "tr", tr + 1, false), end);
            std::vector<CString> cells = RowCells(raw, low, tr, next);
            if (bHeader)
            {
                for (size_t i = 0; i < cells.size(); ++i)
                    table.m_columns.push_back(cells[i].IsEmpty() ? CString() : cells[i]);
                for (size_t i = 0; i < table.m_columns.size(); ++i)
                    if (table.m_columns[i].IsEmpty())
                        table.m_columns[i].Format("F%d", (int)i + 1);
                bHeader = false;
            }
            else
            {
                if (cells.size() > table.m_columns.size())
                {
                    strError.Format("a row of table %s has more cells than its header", (LPCSTR)table.m_strName);
                    return FALSE;
                }
                std::vector<CSourceValue> row(table.m_columns.size());
                for (size_t i = 0; i < cells.size(); ++i)
                {
                    row[i].m_strText = cells[i];
                    row[i].m_bNull = cells[i].IsEmpty();
                }
                table.m_rows.push_back(row);
            }
            tr = next < end ? next : std::string::npos;
        }
        if (table.m_columns.empty())
        {
            strError.Format("table %s has no header row", (LPCSTR)table.m_strName);
            return FALSE;
        }
        tables.push_back(table);
        at = FindTag(low, "table", end + 1, false);
    }
    if (tables.empty())
    {
        strError = "the document holds no table";
        return FALSE;
    }
    return TRUE;
}

CString HtmlDocumentText(const std::vector<CSourceTable>& tables)
{
    CString strText("<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
                    "charset=windows-1252\">\r\n</head>\r\n<body>\r\n");
    for (const CSourceTable& table : tables)
    {
        strText += "<table border=\"1\">\r\n<caption>" + HtmlEscaped(table.m_strName) + "</caption>\r\n<tr>";
        for (const CString& strColumn : table.m_columns)
            strText += "<th>" + HtmlEscaped(strColumn) + "</th>";
        strText += "</tr>\r\n";
        for (const std::vector<CSourceValue>& row : table.m_rows)
        {
            strText += "<tr>";
            for (const CSourceValue& value : row)
                strText += "<td>" + HtmlEscaped(value.m_strText) + "</td>";
            strText += "</tr>\r\n";
        }
        strText += "</table>\r\n";
    }
    return strText + "</body>\r\n</html>\r\n";
}
