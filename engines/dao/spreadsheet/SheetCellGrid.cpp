#include "engines/dao/spreadsheet/SheetCellGrid.h"

#include "engines/dao/SourceNumbers.h"

namespace
{

BOOL NameTaken(const std::vector<CString>& columns, const CString& strName)
{
    for (const CString& strColumn : columns)
    {
        if (strColumn.CompareNoCase(strName) == 0)
            return TRUE;
    }
    return FALSE;
}

BOOL RowHoldsValue(const std::vector<CSourceValue>& row)
{
    for (const CSourceValue& value : row)
    {
        if (!value.m_bNull)
            return TRUE;
    }
    return FALSE;
}

} // namespace

CString SheetColumnName(const std::vector<CString>& columns, const CSourceValue* pHeader, size_t nColumn)
{
    if (pHeader != NULL && !pHeader->m_bNull && !pHeader->m_strText.IsEmpty() &&
        !NameTaken(columns, pHeader->m_strText))
        return pHeader->m_strText;
    CString strName;
    strName.Format("F%u", (unsigned)(nColumn + 1));
    CString strFree = strName;
    for (int nTry = 2; NameTaken(columns, strFree); ++nTry)
        strFree.Format("%s_%d", (LPCSTR)strName, nTry);
    return strFree;
}

CSourceValue* CSheetCellGrid::At(unsigned nRow, unsigned nColumn)
{
    if (nRow >= MAX_ROWS || nColumn >= MAX_COLUMNS)
        return NULL;
    if (m_rows.size() <= nRow)
        m_rows.resize(nRow + 1);
    std::vector<CSourceValue>& row = m_rows[nRow];
    if (row.size() <= nColumn)
        row.resize(nColumn + 1);
    return &row[nColumn];
}

BOOL CSheetCellGrid::SetText(unsigned nRow, unsigned nColumn, const CString& strText)
{
    CSourceValue* pValue = At(nRow, nColumn);
    if (pValue == NULL)
        return FALSE;
    pValue->m_strText = strText;
    pValue->m_bNull = false;
    pValue->m_bNumber = false;
    return TRUE;
}

BOOL CSheetCellGrid::SetNumber(unsigned nRow, unsigned nColumn, double dValue)
{
    CSourceValue* pValue = At(nRow, nColumn);
    if (pValue == NULL)
        return FALSE;
    pValue->m_strText = SourceNumberText(dValue);
    pValue->m_bNull = false;
    pValue->m_bNumber = true;
    return TRUE;
}

CSourceTable CSheetCellGrid::TakeTable(const CString& strName)
{
    CSourceTable table;
    table.m_strName = strName;
    while (!m_rows.empty() && !RowHoldsValue(m_rows.back()))
        m_rows.pop_back();
    size_t nColumns = 0;
    for (const std::vector<CSourceValue>& row : m_rows)
    {
        for (size_t i = row.size(); i > nColumns; --i)
        {
            if (!row[i - 1].m_bNull)
            {
                nColumns = i;
                break;
            }
        }
    }
    for (size_t i = 0; i < nColumns; ++i)
    {
        const CSourceValue* pHeader = !m_rows.empty() && i < m_rows[0].size() ? &m_rows[0][i] : NULL;
        table.m_columns.push_back(SheetColumnName(table.m_columns, pHeader, i));
    }
    for (size_t i = 1; i < m_rows.size(); ++i)
    {
        m_rows[i].resize(nColumns);
        table.m_rows.push_back(std::move(m_rows[i]));
    }
    m_rows.clear();
    return table;
}
