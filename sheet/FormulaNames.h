// The cells a formula operand can name, looked up by name without regard to
// letter case: numeric cells of the number sub-kind and calculate cells,
// the first such cell in array order for each name.
#pragma once

#include "framework/core/Map.h"
#include "sheet/Sheet.h"

// TRUE for a numeric cell of the number sub-kind and for a calculate cell.
BOOL IsNameableCell(const CCell& cell);

// The value an operand reads from a cell: its value text as a decimal
// number from its start, 0 when nothing can be read.
double OperandCellValue(const CCell& cell);

class CFormulaNames
{
public:
    // Indexes the sheet's cells as they are at the first look-up; names and
    // types must not change while the index is used (values may).
    explicit CFormulaNames(const CSheet& sheet);

    // Index of the cell the operand names, or -1.
    int Find(LPCSTR pszName) const;
    // As Find, also giving the cell's value.
    int GetCellValueByName(LPCSTR pszName, double& dValue) const;

    const CSheet& Sheet() const { return m_sheet; }

private:
    void BuildIndex() const;

    const CSheet& m_sheet;
    mutable BOOL m_bIndexed;
    mutable CMap<CString, LPCTSTR, int, int> m_index;
};

// The folded operand names of one formula text.
class CFormulaOperandSet
{
public:
    explicit CFormulaOperandSet(LPCSTR pszFormula);

    BOOL IsEmpty() const { return m_names.IsEmpty(); }
    // TRUE when the name is one of the operands, letter case aside.
    BOOL Contains(LPCSTR pszName) const;
    // The operands in order of first appearance, as written.
    const CStringList& Operands() const { return m_operands; }

private:
    CMap<CString, LPCTSTR, int, int> m_names;
    CStringList m_operands;
};
