#include <stdlib.h>

#include "sheet/FormulaNames.h"
#include "sheet/FormulaText.h"

BOOL IsNameableCell(const CCell& cell)
{
    return (cell.m_nType == CELL_NUMERIC && cell.m_nValueType == 0)
           || cell.m_nType == CELL_FORMULA;
}

double OperandCellValue(const CCell& cell)
{
    return cell.m_strValue.IsEmpty() ? 0.0 : atof(cell.m_strValue);
}

CFormulaNames::CFormulaNames(const CSheet& sheet)
    : m_sheet(sheet), m_bIndexed(FALSE)
{
}

void CFormulaNames::BuildIndex() const
{
    // A formula of numbers alone never asks for a name: the index is built
    // at the first look-up.
    m_bIndexed = TRUE;
    const int nCount = (int)m_sheet.m_cells.GetSize();
    m_index.InitHashTable((UINT)(nCount * 2 + 17));
    for (int i = 0; i < nCount; ++i)
    {
        const CCell& cell = m_sheet.m_cells[i];
        if (!IsNameableCell(cell))
            continue;
        const CString strKey = FoldOperandName(cell.m_strName);
        int nFirst;
        if (!m_index.Lookup(strKey, nFirst))
            m_index.SetAt(strKey, i);
    }
}

int CFormulaNames::Find(LPCSTR pszName) const
{
    if (!m_bIndexed)
        BuildIndex();
    int nIndex;
    return m_index.Lookup(FoldOperandName(pszName), nIndex) ? nIndex : -1;
}

int CFormulaNames::GetCellValueByName(LPCSTR pszName, double& dValue) const
{
    const int nIndex = Find(pszName);
    if (nIndex >= 0)
        dValue = OperandCellValue(m_sheet.m_cells[nIndex]);
    return nIndex;
}

CFormulaOperandSet::CFormulaOperandSet(LPCSTR pszFormula)
{
    CString strList;
    ListFormulaOperands(strList, pszFormula);
    int nStart = 0;
    for (int nEnd; (nEnd = strList.Find('#', nStart)) >= 0; nStart = nEnd + 1)
    {
        const CString strOperand = strList.Mid(nStart, nEnd - nStart);
        m_operands.AddTail(strOperand);
        m_names.SetAt(FoldOperandName(strOperand), 1);
    }
}

BOOL CFormulaOperandSet::Contains(LPCSTR pszName) const
{
    int n;
    return m_names.Lookup(FoldOperandName(pszName), n);
}
