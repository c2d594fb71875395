// CBalanceFormulaDlg: the Balance Formula dialog.  The template's list of
// balance formulas, built by typing and by picking cells from the sheet
// view; after OK the caller takes m_lstFormulas as the new list.
#pragma once

#include "framework/core/List.h"
#include "framework/windows/ListBox.h"
#include "view/CellPickDialog.h"

class CBalanceFormulaDlg : public CCellPickDialog
{
public:
    explicit CBalanceFormulaDlg(CTallyformView* pView);

    CStringList m_lstFormulas;
    CString m_strFormula;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnAdd();
    void OnDelete();
    void OnModify();
    void OnClear();
    // Adds the edit's formula when it passes the check; FALSE when it
    // does not.
    BOOL AddTypedFormula();

    CListBox m_list;

    DECLARE_MESSAGE_MAP()
};
