// CTemplatePropertiesDlg: "Template Properties": the attributes of the open
// template (editable in design mode) and how many cells of each type it
// holds.  After OK, m_bChanged says whether an attribute differs from the
// header; the caller copies them back.
#pragma once

#include "framework/windows/Dialog.h"

class CSheet;

class CTemplatePropertiesDlg : public CDialog
{
public:
    CTemplatePropertiesDlg(BOOL bEditable, CWnd* pParent = NULL);

    // The header texts, type, kind and cell counts of a sheet, which also
    // becomes the header compared against.
    void LoadFrom(const CSheet& sheet);
    // The seven texts (each within its header field) and the type back.
    void SaveTo(CSheet& sheet) const;

    BOOL m_bEditable;
    const CSheet* m_pHeader;
    BYTE m_bChanged;
    CString m_strName;
    CString m_strCode;
    CString m_strOrgan;
    CString m_strOrganCode;
    CString m_strDesigner;
    CString m_strVersion;
    CString m_strDate;
    CString m_strKind;
    CString m_strDataCount;
    CString m_strDateCount;
    CString m_strNormalCount;
    CString m_strOrganNameCount;
    CString m_strOrganCodeCount;
    CString m_strFormulaCount;
    CString m_strTotalCount;
    CString m_strTextCount;
    // The period type; a type the list does not show (ten-day, half year)
    // is kept as it is.
    int m_nType;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    BOOL DiffersFromHeader() const;
};
