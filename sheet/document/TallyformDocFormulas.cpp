#include "sheet/BalanceFormula.h"
#include "sheet/CellDataCheck.h"
#include "sheet/FormulaEvaluator.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/PercentProgressDlg.h"
#include "ProgressResource.h"

namespace
{

// The progress dialog "Computing Cells Data..." for the time of one
// recalculation; without its window the work still runs, unseen.
class CRecalcProgressDlg : public CRecalcProgress
{
public:
    CRecalcProgressDlg() : m_dialog(IDS_COMPUTING_CELLS), m_bShown(m_dialog.Create(NULL)) {}
    ~CRecalcProgressDlg() override
    {
        if (m_bShown)
            m_dialog.DestroyWindow();
    }
    void SetPos(int nPercent) override
    {
        if (m_bShown)
            m_dialog.SetPos(nPercent);
    }

private:
    CPercentProgressDlg m_dialog;
    BOOL m_bShown;
};

} // namespace

BOOL CTallyformDoc::EvaluateFormula(int nCell, double& dResult, BOOL bUseText, LPCSTR pszText)
{
    return ::EvaluateFormula(m_sheet, nCell, dResult, bUseText, pszText);
}

int CTallyformDoc::GetCellValueByName(LPCSTR pszName, double& dValue)
{
    return CFormulaNames(m_sheet).GetCellValueByName(pszName, dValue);
}

BOOL CTallyformDoc::IsFormulaOperand(int nCell, int nFormulaCell)
{
    return ::IsFormulaOperand(m_sheet, nCell, nFormulaCell);
}

int CTallyformDoc::AreFormulaOperandsFilled(int nFormulaCell)
{
    return ::AreFormulaOperandsFilled(m_sheet, nFormulaCell);
}

void CTallyformDoc::AdjustFormulaRefCounts(int nFormulaCell, BOOL bAdd)
{
    ::AdjustFormulaRefCounts(m_sheet, nFormulaCell, bAdd);
}

void CTallyformDoc::RecalculateAll()
{
    CRecalcProgressDlg progress;
    RecalculateAllFormulas(m_sheet, &progress);
}

void CTallyformDoc::RecalculateDependents(int nChanged)
{
    RecalculateDependentFormulas(m_sheet, nChanged);
    UpdateAllViews(NULL);
}

int CTallyformDoc::ValidateCellData(const CCell& cell)
{
    return ::ValidateCellData(cell);
}

int CTallyformDoc::NextFormulaToken(const CString& strText, int nStart, int& nNext, int nExclude)
{
    return ::NextFormulaToken(CFormulaNames(m_sheet), strText, nStart, nNext, nExclude);
}

int CTallyformDoc::CheckFormulaSyntax(LPCSTR pszFormula, int nExclude, int& nErrorStart,
                                      int& nErrorEnd)
{
    return ::CheckFormulaSyntax(m_sheet, pszFormula, nExclude, nErrorStart, nErrorEnd);
}

int CTallyformDoc::CheckBalanceFormula(LPCSTR pszFormula, int& nErrorStart, int& nErrorEnd)
{
    return ::CheckBalanceFormula(m_sheet, pszFormula, nErrorStart, nErrorEnd);
}

POSITION CTallyformDoc::VerifyData()
{
    return ::VerifyData(m_sheet);
}

void CTallyformDoc::CountBalanceFormulaRefs()
{
    ::CountBalanceFormulaRefs(m_sheet);
}
