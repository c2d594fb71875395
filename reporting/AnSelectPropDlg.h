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
    // The types by code 0, 1, 2 ..., each with its values by code 0, 1, 2 ...
    std::vector<CPropertyType> m_types;
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
    // The types of ss_Attribute with consecutive codes from 0, each with
    // its values of consecutive codes from 0.
    void LoadTypes();
    void FillValues();

    CComboBox m_comboType;
    CListBox m_listValues;
    CListBox m_listSelected;
};
