// CTemplateInfoPage: the first step of the Create Template wizard (and of
// the analysis wizard): the template's attributes and type.
#pragma once

#include "framework/windows/Dialog.h"

// Sent to the parent when one of the seven attribute fields changed.
#define WM_TEMPLATE_INFO_CHANGED (WM_APP + 40)

class CTemplateInfoPage : public CDialog
{
public:
    explicit CTemplateInfoPage(CWnd* pParent = NULL);

    // TRUE when each of the seven edit controls holds a character.
    BOOL IsComplete();
    // The period type the type list shows now; -1 when none is chosen.
    int ChosenPeriodType();

    CString m_strName;
    CString m_strCode;
    CString m_strOrgan;
    CString m_strOrganCode;
    CString m_strDesigner;
    CString m_strVersion;
    CString m_strDate;
    int m_nType;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Child pages have no OK or Cancel of their own.
    void OnOK() override {}
    void OnCancel() override {}
    void OnFieldChange(UINT nID);

    DECLARE_MESSAGE_MAP()
};
