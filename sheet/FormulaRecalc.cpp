#include <vector>

#include "sheet/FormulaEvaluator.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/FormulaText.h"

namespace
{

BOOL HasFormula(const CCell& cell)
{
    return cell.m_nType == CELL_FORMULA && !cell.m_strFormula.IsEmpty();
}

// Which calculate cells name each cell: edges from a cell to the formulas
// that read it, by name without regard to case (any cell type, as the
// counters count them).
class CFormulaGraph
{
public:
    CFormulaGraph(const CSheet& sheet, const CFormulaNames& names)
        : m_dependents(sheet.m_cells.GetSize()), m_operands(sheet.m_cells.GetSize())
    {
        const int nCount = (int)sheet.m_cells.GetSize();
        CMap<CString, LPCTSTR, int, int> readers;
        readers.InitHashTable((UINT)(nCount * 2 + 17));
        std::vector<std::vector<int> > lists;
        for (int j = 0; j < nCount; ++j)
        {
            if (!HasFormula(sheet.m_cells[j]))
                continue;
            CString strList;
            ListFormulaOperands(strList, sheet.m_cells[j].m_strFormula);
            int nStart = 0;
            for (int nEnd; (nEnd = strList.Find('#', nStart)) >= 0; nStart = nEnd + 1)
            {
                const CString strOperand = strList.Mid(nStart, nEnd - nStart);
                const int nNamed = names.Find(strOperand);
                if (nNamed >= 0)
                    m_operands[j].push_back(nNamed);
                const CString strKey = FoldOperandName(strOperand);
                int nSlot;
                if (!readers.Lookup(strKey, nSlot))
                {
                    nSlot = (int)lists.size();
                    lists.push_back(std::vector<int>());
                    readers.SetAt(strKey, nSlot);
                }
                lists[nSlot].push_back(j);
            }
        }
        for (int i = 0; i < nCount; ++i)
        {
            int nSlot;
            if (!readers.Lookup(FoldOperandName(sheet.m_cells[i].m_strName), nSlot))
                continue;
            for (int j : lists[nSlot])
                if (j != i)     // a formula naming its own cell reads its old value
                    m_dependents[i].push_back(j);
        }
    }

    const std::vector<int>& Dependents(int i) const { return m_dependents[i]; }
    // The numeric and calculate cells the formula of cell j reads.
    const std::vector<int>& Operands(int j) const { return m_operands[j]; }

    // The cells marked in bMember in an order where every cell comes after
    // the members it reads; cells on or behind a cycle follow in array
    // order.  nAcyclic receives how many came in dependency order.
    std::vector<int> Order(const std::vector<char>& bMember, size_t& nAcyclic) const
    {
        const int nCount = (int)m_dependents.size();
        std::vector<int> waiting(nCount, 0);
        for (int i = 0; i < nCount; ++i)
            if (bMember[i])
                for (int j : m_dependents[i])
                    if (bMember[j])
                        ++waiting[j];
        std::vector<int> order;
        for (int i = 0; i < nCount; ++i)
            if (bMember[i] && waiting[i] == 0)
                order.push_back(i);
        for (size_t k = 0; k < order.size(); ++k)
            for (int j : m_dependents[order[k]])
                if (bMember[j] && --waiting[j] == 0)
                    order.push_back(j);
        nAcyclic = order.size();
        for (int i = 0; i < nCount; ++i)
            if (bMember[i] && waiting[i] > 0)
                order.push_back(i);
        return order;
    }

private:
    std::vector<std::vector<int> > m_dependents;
    std::vector<std::vector<int> > m_operands;
};

int AreOperandsFilled(const CSheet& sheet, const CFormulaGraph& graph, int nFormulaCell)
{
    for (int nCell : graph.Operands(nFormulaCell))
        if (sheet.m_cells[nCell].m_strValue.IsEmpty())
            return 0;
    return 1;
}

// Evaluates one calculate cell into its value text; TRUE when it got a value.
BOOL StoreResult(CSheet& sheet, const CFormulaNames& names, int nCell)
{
    CCell& cell = sheet.m_cells[nCell];
    double dResult = 0.0;
    if (!EvaluateFormulaText(names, cell.m_strFormula, dResult))
    {
        cell.m_strValue.Empty();
        return FALSE;
    }
    cell.m_strValue.Format("%.4f", dResult);
    return TRUE;
}

} // namespace

BOOL IsFormulaOperand(const CSheet& sheet, int nCell, int nFormulaCell)
{
    const int nCount = (int)sheet.m_cells.GetSize();
    if (nCell < 0 || nCell >= nCount || nFormulaCell < 0 || nFormulaCell >= nCount)
        return FALSE;
    const CCell& formula = sheet.m_cells[nFormulaCell];
    if (!HasFormula(formula))
        return FALSE;
    const CFormulaOperandSet operands(formula.m_strFormula);
    return operands.Contains(sheet.m_cells[nCell].m_strName);
}

int AreFormulaOperandsFilled(const CSheet& sheet, int nFormulaCell)
{
    if (nFormulaCell < 0 || nFormulaCell >= (int)sheet.m_cells.GetSize())
        return 1;
    const CFormulaNames names(sheet);
    const CFormulaOperandSet operands(sheet.m_cells[nFormulaCell].m_strFormula);
    for (POSITION pos = operands.Operands().GetHeadPosition(); pos != NULL;)
    {
        const int nCell = names.Find(operands.Operands().GetNext(pos));
        if (nCell >= 0 && sheet.m_cells[nCell].m_strValue.IsEmpty())
            return 0;
    }
    return 1;
}

void AdjustFormulaRefCounts(CSheet& sheet, int nFormulaCell, BOOL bAdd)
{
    const int nCount = (int)sheet.m_cells.GetSize();
    if (nFormulaCell < 0 || nFormulaCell >= nCount || !HasFormula(sheet.m_cells[nFormulaCell]))
        return;
    const CFormulaOperandSet operands(sheet.m_cells[nFormulaCell].m_strFormula);
    for (int i = 0; i < nCount; ++i)
        if (operands.Contains(sheet.m_cells[i].m_strName))
            sheet.m_cells[i].m_nFormulaRefs += bAdd ? 1 : -1;
}

void RecalculateAllFormulas(CSheet& sheet, CRecalcProgress* pProgress)
{
    const int nCount = (int)sheet.m_cells.GetSize();
    const CFormulaNames names(sheet);
    const CFormulaGraph graph(sheet, names);
    std::vector<char> bFormula(nCount, 0);
    for (int i = 0; i < nCount; ++i)
        bFormula[i] = HasFormula(sheet.m_cells[i]);
    size_t nAcyclic = 0;
    const std::vector<int> order = graph.Order(bFormula, nAcyclic);
    int nShown = -1;
    for (size_t k = 0; k < order.size(); ++k)
    {
        const int nPercent = (int)(k * 100 / order.size());
        if (pProgress != NULL && nPercent != nShown)
            pProgress->SetPos(nShown = nPercent);
        if (AreOperandsFilled(sheet, graph, order[k]) == 1)
            StoreResult(sheet, names, order[k]);
    }
}

int RecalculateDependentFormulas(CSheet& sheet, int nChanged)
{
    const int nCount = (int)sheet.m_cells.GetSize();
    if (nChanged < 0 || nChanged >= nCount)
        return 0;
    const CFormulaNames names(sheet);
    const CFormulaGraph graph(sheet, names);

    // Every calculate cell the change can reach.
    std::vector<char> bReached(nCount, 0);
    std::vector<int> pending(1, nChanged);
    for (size_t k = 0; k < pending.size(); ++k)
        for (int j : graph.Dependents(pending[k]))
            if (j != nChanged && !bReached[j] && HasFormula(sheet.m_cells[j]))
                pending.push_back(j), bReached[j] = 1;

    // A cell is computed when a cell it reads passed a value on: the
    // changed cell, a reached cell that was computed with success, or one
    // emptied for want of a value (its readers then have none either).
    std::vector<char> bTriggered(nCount, 0);
    std::vector<char> bDone(nCount, 0);
    for (int j : graph.Dependents(nChanged))
        bTriggered[j] = 1;
    int nEvaluated = 0;
    auto visit = [&](int j) {
        bDone[j] = 1;
        if (!bTriggered[j])
            return;
        ++nEvaluated;
        if (AreOperandsFilled(sheet, graph, j) == 0)
            sheet.m_cells[j].m_strValue.Empty();
        else if (!StoreResult(sheet, names, j))
            return;
        for (int d : graph.Dependents(j))
            bTriggered[d] = 1;
    };

    size_t nAcyclic = 0;
    const std::vector<int> order = graph.Order(bReached, nAcyclic);
    for (size_t k = 0; k < nAcyclic; ++k)
        visit(order[k]);
    // Cells on a cycle: each once, as soon as something reaches it.
    for (BOOL bProgress = TRUE; bProgress;)
    {
        bProgress = FALSE;
        for (size_t k = nAcyclic; k < order.size(); ++k)
            if (!bDone[order[k]] && bTriggered[order[k]])
                visit(order[k]), bProgress = TRUE;
    }
    return nEvaluated;
}

void CollectOperandsOfFormulasGivenUp(const CSheet& sheet, const CUIntArray& cells, int nType,
                                      CUIntArray& operands)
{
    if (nType == CELL_FORMULA)
        return;
    const int nCount = (int)sheet.m_cells.GetSize();
    for (INT_PTR n = 0; n < cells.GetSize(); ++n)
    {
        const int nFormula = (int)cells[n];
        if (nFormula < 0 || nFormula >= nCount)
            continue;
        for (int i = 0; i < nCount; ++i)
        {
            if (!IsFormulaOperand(sheet, i, nFormula))
                continue;
            BOOL bKnown = FALSE;
            for (INT_PTR k = 0; k < operands.GetSize() && !bKnown; ++k)
                bKnown = operands[k] == (UINT)i;
            if (!bKnown)
                operands.Add((UINT)i);
        }
    }
}

void ChangeCellType(CSheet& sheet, int nCell, int nType)
{
    if (nCell < 0 || nCell >= sheet.m_cells.GetSize())
        return;
    CCell& cell = sheet.m_cells[nCell];
    if (cell.m_nType == nType)
        return;
    if (cell.m_nType == CELL_FORMULA && !cell.m_strFormula.IsEmpty())
    {
        AdjustFormulaRefCounts(sheet, nCell, FALSE);
        cell.m_strFormula.Empty();
    }
    cell.SetType(nType);
}
