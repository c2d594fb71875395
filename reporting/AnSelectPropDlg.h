// CAnSelectPropDlg: the analysis step that chooses property values of one
// property type (entries "value code-value name").
#pragma once

#include <vector>

#include "framework/windows/ComboBox.h"
#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"
#include "reporting/OrganPropDlg.h"

class CTallyformDoc;

class CAnSelectPropDlg : public CDialog
{
public:
    explicit CAnSelectPropDlg(CWnd* pParent = NULL);

    // TRUE with at least one chosen value; else says so.
    BOOL HasSelection();
    // The chosen type and entries into the document; returns their number.
    int SaveSelection();

    CTallyformDoc* m_pDoc;
    // The types in code order, each with its values in code order; codes
    // may have gaps where a type or a value was deleted.
    std::vector<CPropertyType> m_types;
    // Index in m_types of the type shown.
    int m_nCurType;

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
    // Every type of ss_Attribute with its values.
    void LoadTypes();
    // The index of the type with the code; 0 when none has it.
    int TypeIndexOfCode(int nCode) const;
    void FillValues();

    CComboBox m_comboType;
    CListBox m_listValues;
    CListBox m_listSelected;
};
