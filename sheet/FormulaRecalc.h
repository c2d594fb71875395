// The ties between calculate cells and the cells their formulas name: the
// formula-reference counters, and recalculation of all calculate cells or
// of the dependents of one changed cell.  Operand names match cell names
// without regard to letter case, as in the evaluator.
#pragma once

#include "sheet/Sheet.h"

// Told the progress of a recalculation, in percent.
class CRecalcProgress
{
public:
    virtual ~CRecalcProgress() {}
    virtual void SetPos(int nPercent) = 0;
};

// TRUE when cell nFormulaCell is a calculate cell with a formula and cell
// nCell's name is one of its operands.
BOOL IsFormulaOperand(const CSheet& sheet, int nCell, int nFormulaCell);
// 1 when no operand of the formula names an empty numeric or calculate
// cell, else 0.
int AreFormulaOperandsFilled(const CSheet& sheet, int nFormulaCell);
// Adds (bAdd) or takes one from the formula-reference counter of every cell
// the formula of nFormulaCell names.
void AdjustFormulaRefCounts(CSheet& sheet, int nFormulaCell, BOOL bAdd);

// The cells named by those of cells that are calculate cells with a formula
// and would stop being calculate cells when given type nType: the cells
// whose counters a type change takes references from.  Added to operands,
// each once.
void CollectOperandsOfFormulasGivenUp(const CSheet& sheet, const CUIntArray& cells, int nType,
                                      CUIntArray& operands);
// Gives cell nCell type nType.  A cell of that type already keeps its
// content; a formula given up first takes its references off the cells it
// names.
void ChangeCellType(CSheet& sheet, int nCell, int nType);

// Recomputes every calculate cell whose operands are filled, each once and
// after the calculate cells it names; value text "%.4f" of the result,
// empty after a failed evaluation.  Cells of a reference cycle are
// computed once each, in array order, after the rest.
void RecalculateAllFormulas(CSheet& sheet, CRecalcProgress* pProgress = NULL);
// Recomputes the calculate cells that depend, directly or through other
// calculate cells, on cell nChanged, each at most once and after the cells
// it names.  A cell left empty (operands not filled or failed evaluation)
// passes nothing on.  Returns the number of cells evaluated.
int RecalculateDependentFormulas(CSheet& sheet, int nChanged);
