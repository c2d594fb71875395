// CCellFormulaDlg: the Cell Format page's child dialog of Formula cells: the
// formula, with cells picked from the view into it, its check against the
// cells it is to be given to, and Explain.
#pragma once

#include "framework/core/Array.h"
#include "view/CellPickDialog.h"

class CCellFormulaDlg : public CCellPickDialog
{
public:
    explicit CCellFormulaDlg(CTallyformView* pView);

    int m_nUnused;
    CString m_strFormula;
    // The cells the formula is for; it may name none of them.
    CUIntArray m_arrTargets;

    // The formula without blanks back into its edit, checked as the
    // formula of every target cell; on a fault (told) the faulty part is
    // selected and FALSE returned.  Picking pauses while the check runs.
    BOOL CheckFormula();
    // A picked cell's name into the formula edit (WM_PICKCELL, view
    // client point in lParam).
    void TakePickedCell(LPARAM lParam) { OnPickCell(0, lParam); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override {}
    void OnOK() override {}
    void OnExplain();

    DECLARE_MESSAGE_MAP()
};
