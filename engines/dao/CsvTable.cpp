#include "engines/dao/SourceTable.h"

namespace {

// Splits the text into records of fields; FALSE on an unclosed quote.
BOOL SplitRecords(const CString& strText, std::vector<std::vector<CSourceValue>>& records)
{
    LPCSTR p = strText;
    LPCSTR pEnd = p + strText.GetLength();
    while (p < pEnd)
    {
        std::vector<CSourceValue> record;
        for (;;)
        {
            CSourceValue value;
            if (p < pEnd && *p == '"')
            {
                value.m_bNull = false;
                ++p;
                std::string text;
                for (;;)
                {
                    if (p >= pEnd)
                        return FALSE;
                    if (*p == '"')
                    {
                        if (p + 1 < pEnd && p[1] == '"')
                        {
                            text += '"';
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    text += *p++;
                }
                value.m_strText = text.c_str();
                // Anything between the closing quote and the separator is kept.
                while (p < pEnd && *p != ',' && *p != '\n' && *p != '\r')
                    value.m_strText += *p++;
            }
            else
            {
                LPCSTR pStart = p;
                while (p < pEnd && *p != ',' && *p != '\n' && *p != '\r')
                    ++p;
                value.m_strText = CString(pStart, (int)(p - pStart));
                value.m_bNull = value.m_strText.IsEmpty();
            }
            record.push_back(value);
            if (p < pEnd && *p == ',')
            {
                ++p;
                continue;
            }
            break;
        }
        if (p < pEnd && *p == '\r')
            ++p;
        if (p < pEnd && *p == '\n')
            ++p;
        records.push_back(record);
    }
    return TRUE;
}

CString CsvField(const CSourceValue& value)
{
    if (value.m_bNull)
        return CString();
    const CString& s = value.m_strText;
    BOOL bQuote = s.IsEmpty() || s.FindOneOf(",\"\r\n") >= 0 || s.Left(1) == " " || s.Right(1) == " ";
    if (!bQuote)
        return s;
    CString strField("\"");
    for (int i = 0; i < s.GetLength(); ++i)
    {
        if (s[i] == '"')
            strField += '"';
        strField += s[i];
    }
    return strField + "\"";
}

}

BOOL ParseCsvTable(const CString& strText, CSourceTable& table, CString& strError)
{
    std::vector<std::vector<CSourceValue>> records;
    if (!SplitRecords(strText, records))
    {
        strError = "a quoted field is not closed";
        return FALSE;
    }
    if (records.empty())
    {
        strError = "there is no header line";
        return FALSE;
    }
    table.m_columns.clear();
    table.m_rows.clear();
    for (size_t i = 0; i < records[0].size(); ++i)
    {
        CString strName = records[0][i].m_strText;
        strName.Trim();
        if (strName.IsEmpty())
            strName.Format("F%d", (int)i + 1);
        for (const CString& strOther : table.m_columns)
            if (strOther.CompareNoCase(strName) == 0)
            {
                strError.Format("the column name %s stands twice", (LPCSTR)strName);
                return FALSE;
            }
        table.m_columns.push_back(strName);
    }
    for (size_t r = 1; r < records.size(); ++r)
    {
        std::vector<CSourceValue>& record = records[r];
        // A blank line holds no row, unless the one column's value is NULL.
        if (record.size() == 1 && record[0].m_bNull && table.m_columns.size() > 1)
            continue;
        if (record.size() > table.m_columns.size())
        {
            strError.Format("line %d has more fields than the header names", (int)r + 1);
            return FALSE;
        }
        record.resize(table.m_columns.size());
        table.m_rows.push_back(record);
    }
    return TRUE;
}

CString CsvTableText(const CSourceTable& table)
{
    CString strText;
    for (size_t i = 0; i < table.m_columns.size(); ++i)
    {
        CSourceValue name;
        name.m_strText = table.m_columns[i];
        name.m_bNull = false;
        strText += (i > 0 ? "," : "") + CsvField(name);
    }
    strText += "\r\n";
    for (const std::vector<CSourceValue>& row : table.m_rows)
    {
        for (size_t i = 0; i < row.size(); ++i)
            strText += (i > 0 ? "," : "") + CsvField(row[i]);
        strText += "\r\n";
    }
    return strText;
}
