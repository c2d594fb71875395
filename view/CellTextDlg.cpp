#include "view/CellTextDlg.h"

#include "framework/windows/DataExchange.h"
#include "view/AnalysisFormulaField.h"
#include "view/ItemChoice.h"
#include "CellDefineIds.h"

BEGIN_MESSAGE_MAP(CCellTextDlg, CDialog)
    ON_BN_CLICKED(IDC_TEXT_STATIC, OnStatic)
    ON_BN_CLICKED(IDC_TEXT_DYNAMIC, OnDynamic)
    ON_BN_CLICKED(IDC_TEXT_FROM_ROWITEM, OnFromRowItem)
    ON_BN_CLICKED(IDC_TEXT_FROM_COLITEM, OnFromColItem)
    ON_BN_CLICKED(IDC_CELL_ANALYSIS, OnAnalysis)
END_MESSAGE_MAP()

CCellTextDlg::CCellTextDlg() : CDialog(IDD_CELL_TEXT), m_nDynamic(0), m_nMixed(0)
{
}

BOOL CCellTextDlg::OnInitDialog()
{
    m_strStartText = m_strText;
    CDialog::OnInitDialog();
    if (m_nMixed == -1)
    {
        EnableText(FALSE);
        return TRUE;
    }
    CheckRadioButton(IDC_TEXT_STATIC, IDC_TEXT_DYNAMIC, m_nDynamic ? IDC_TEXT_DYNAMIC : IDC_TEXT_STATIC);
    EnableText(!m_nDynamic);
    ShowAnalysisFormula(this, m_strAnalysis);
    return TRUE;
}

void CCellTextDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEXT_EDIT, m_strText);
    TakeAnalysisFormula(pDX, m_strAnalysis);
    const int nChosen = pDX->m_bSaveAndValidate ? GetChosenType() : -1;
    if (nChosen >= 0)
        m_nDynamic = nChosen;
}

int CCellTextDlg::GetChosenType() const
{
    if (IsDlgButtonChecked(IDC_TEXT_DYNAMIC))
        return 1;
    return IsDlgButtonChecked(IDC_TEXT_STATIC) ? 0 : -1;
}

void CCellTextDlg::EnableText(BOOL bEnable)
{
    const UINT ids[] = { IDC_TEXT_EDIT, IDC_TEXT_FROM_ROWITEM, IDC_TEXT_FROM_COLITEM };
    for (UINT nID : ids)
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(bEnable);
}

void CCellTextDlg::OnStatic()
{
    m_nDynamic = 0;
    EnableText(TRUE);
}

void CCellTextDlg::OnDynamic()
{
    m_nDynamic = 1;
    SetDlgItemText(IDC_TEXT_EDIT, "");
    EnableText(FALSE);
}

void CCellTextDlg::TakeItem(int nTable)
{
    CString strCode, strName;
    if (ChooseItem(nTable, strCode, strName))
        SetDlgItemText(IDC_TEXT_EDIT, strName + "(" + strCode + ")");
}

void CCellTextDlg::OnFromRowItem()
{
    TakeItem(1);
}

void CCellTextDlg::OnFromColItem()
{
    TakeItem(2);
}

void CCellTextDlg::OnAnalysis()
{
    EnableAnalysisEdit(this);
}
