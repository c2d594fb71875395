#include "sheet/document/KeyCells.h"

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
