#include "view/SelectTemplateDlg.h"

#include "framework/windows/DataExchange.h"
#include "view/TemplateFolder.h"
#include "TemplateDialogIds.h"
#include "TemplatePickerIds.h"

BEGIN_MESSAGE_MAP(CSelectTemplateDlg, CDialog)
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_TEMPLATE_FOLDERS, OnSelchangedFolders)
    ON_LBN_DBLCLK(IDC_TEMPLATE_LIST, OnOK)
END_MESSAGE_MAP()

CSelectTemplateDlg::CSelectTemplateDlg(CWnd* pParent) : CDialog(IDD_SELECT_TEMPLATE, pParent)
{
}

void CSelectTemplateDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEMPLATE_LIST, m_listTemplates);
    DDX_Control(pDX, IDC_TEMPLATE_FOLDERS, m_treeFolders);
}

BOOL CSelectTemplateDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowTemplateFolders(m_treeFolders);
    return TRUE;
}

void CSelectTemplateDlg::OnSelchangedFolders(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_strFolder = m_treeFolders.GetSelectedPath();
    if (m_strFolder.IsEmpty() || m_strFolder[m_strFolder.GetLength() - 1] != '\\')
        m_strFolder += "\\";
    ListTemplateTitles(m_strFolder, m_listTemplates);
}

void CSelectTemplateDlg::OnOK()
{
    // The chosen folder may have been renamed or moved in the tree since
    // it was chosen: its path is taken again.
    if (m_treeFolders.GetSelectedItem() != NULL)
    {
        m_strFolder = m_treeFolders.GetSelectedPath();
        if (m_strFolder[m_strFolder.GetLength() - 1] != '\\')
            m_strFolder += "\\";
    }
    int nSel = m_listTemplates.GetCurSel();
    if (m_strFolder.IsEmpty() || nSel == LB_ERR)
        return;
    CString strName;
    m_listTemplates.GetText(nSel, strName);
    m_strResult = m_strFolder + strName + ".kvm";
    EndDialog(IDOK);
}
