// CAnSelectTimeDlg: the analysis step that chooses the report times: a
// period type and From and To periods add every period between them.
#pragma once

#include "framework/core/List.h"
#include "framework/windows/ComboBox.h"
#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"
#include "shell/DateFieldWnd.h"

class CTallyformDoc;

class CAnSelectTimeDlg : public CDialog
{
public:
    explicit CAnSelectTimeDlg(CWnd* pParent = NULL);

    // TRUE with at least one chosen period; else says so.
    BOOL HasSelection();
    // The chosen periods ("code-text") into the document.
    void SaveSelection();
    // The period type the list and the two fields offer; the step starts
    // with the type of the document's template.
    void ChoosePeriodType(int nType);

    CTallyformDoc* m_pDoc;
    int m_nPeriodType;
    int m_nNumeralStyle;
    // The codes of the list's entries, position by position.
    CStringList m_lstCodes;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnTypeChange();
    void OnAdd();
    void OnRemove();

    DECLARE_MESSAGE_MAP()

private:
    CComboBox m_comboType;
    CListBox m_listSelected;
    CDateFieldWnd m_fieldFrom;
    CDateFieldWnd m_fieldTo;
};
