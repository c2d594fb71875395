// CCellPickDialog: a modal formula dialog over the sheet view that takes
// cell names picked from the view into its formula edit (cell picking,
// CellPick.h), and checks the formula typed there.
#pragma once

#include "framework/windows/Dialog.h"

class CTallyformView;
class CTallyformDoc;

class CCellPickDialog : public CDialog
{
public:
    CCellPickDialog(UINT nIDTemplate, CTallyformView* pView, UINT nIDFormulaEdit);

    // Runs the dialog; once it is gone, picking ends: the hook removed,
    // the view's pick mode cleared, the main window enabled again.
    INT_PTR DoModal() override;

    CTallyformView* m_pView;

protected:
    // Picking starts with the dialog's window (called by OnInitDialog).
    void StartPicking();
    // WM_PICKCELL: the name of the cell under the view's client point
    // (lParam) replaces the formula edit's selection.
    LRESULT OnPickCell(WPARAM wParam, LPARAM lParam);
    // Replaces the formula edit's selection and gives it the focus.
    void InsertIntoFormula(LPCSTR pszText);
    // Removes the blanks from the formula edit's text and checks it: as a
    // balance formula, or as the formula of cell nCell.  On a fault (told
    // by the check) the faulty part is selected; FALSE then.
    BOOL CheckFormulaEdit(BOOL bBalance, int nCell);
    CString GetFormulaText() const;
    // The checked formula into edit nIDNote, its operands named by their
    // items when the organizations are open.
    void ShowExplanation(UINT nIDNote);
    CTallyformDoc* GetDocument() const;

    UINT m_nIDFormulaEdit;

    DECLARE_MESSAGE_MAP()
};
