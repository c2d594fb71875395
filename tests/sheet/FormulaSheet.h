// Test helpers of the formula suites: sheets of named numeric, calculate
// and other cells, built by name.
#pragma once

#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "sheet/Sheet.h"

namespace formulatest
{

inline int AddCell(CSheet& sheet, int nType, const char* pszName, const char* pszValue = "")
{
    CCell cell;
    cell.SetType(nType);
    cell.m_pSheet = &sheet;
    cell.m_strName = pszName;
    cell.m_strValue = pszValue;
    return (int)sheet.m_cells.Add(cell);
}

// A numeric cell of the number sub-kind.
inline int AddNumber(CSheet& sheet, const char* pszName, const char* pszValue)
{
    const int n = AddCell(sheet, CELL_NUMERIC, pszName, pszValue);
    sheet.m_cells[n].m_nValueType = 0;
    return n;
}

inline int AddFormula(CSheet& sheet, const char* pszName, const char* pszFormula,
                      const char* pszValue = "")
{
    const int n = AddCell(sheet, CELL_FORMULA, pszName, pszValue);
    sheet.m_cells[n].m_strFormula = pszFormula;
    return n;
}

inline std::string ValueOf(const CSheet& sheet, int n)
{
    return (LPCSTR)sheet.m_cells[n].m_strValue;
}

} // namespace formulatest
