#include "sheet/document/KeyCells.h"

#include "engines/common/PeriodLabel.h"

CKeyCells::CKeyCells(const CSheet& sheet)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        switch (sheet.m_cells[i].m_nType)
        {
        case CELL_REPORTDATE:
            m_dates.Add((UINT)i);
            break;
        case CELL_ORGANCODE:
            m_codes.Add((UINT)i);
            break;
        case CELL_ORGAN:
            m_names.Add((UINT)i);
            break;
        default:
            break;
        }
    }
}

void SetNumericCellKeys(CSheet& sheet, LPCSTR pszOrgCode, LPCSTR pszPeriodCode)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = sheet.m_cells[i];
        if (cell.m_nType != CELL_NUMERIC)
            continue;
        if (pszOrgCode != NULL)
            CopyCode(cell.m_szOrgCode, sizeof(cell.m_szOrgCode), pszOrgCode);
        if (pszPeriodCode != NULL)
            CopyCode(cell.m_szPeriodCode, sizeof(cell.m_szPeriodCode), pszPeriodCode);
    }
}

CString ReportKeysText(const CSheet& sheet)
{
    CKeyCells keys(sheet);
    CString strOrgan;
    if (keys.m_names.GetSize() > 0)
        strOrgan = sheet.m_cells[keys.m_names[0]].m_strValue;
    else if (keys.m_codes.GetSize() > 0)
        strOrgan = sheet.m_cells[keys.m_codes[0]].m_strValue;
    CString strPeriod;
    if (keys.m_dates.GetSize() > 0)
        strPeriod = sheet.m_cells[keys.m_dates[0]].m_szDateCode;
    return ReportKeysText(strOrgan, strPeriod);
}

CString ReportKeysText(const CString& strOrgan, const CString& strPeriodCode)
{
    const CString strPeriod = strPeriodCode.IsEmpty() ? CString() : PeriodLabelText(strPeriodCode);
    CString strText;
    if (!strOrgan.IsEmpty())
        strText += " of " + strOrgan;
    if (!strPeriod.IsEmpty())
        strText += " for " + strPeriod;
    return strText;
}
