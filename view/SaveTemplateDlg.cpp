#include "view/SaveTemplateDlg.h"

#include "framework/windows/DataExchange.h"
#include "view/TemplateFolder.h"
#include "view/TemplateName.h"
#include "TemplateDialogIds.h"

BEGIN_MESSAGE_MAP(CSaveTemplateDlg, CDialog)
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_TEMPLATE_FOLDERS, OnSelchangedFolders)
    ON_LBN_SELCHANGE(IDC_TEMPLATE_LIST, OnSelchangeTemplates)
END_MESSAGE_MAP()

CSaveTemplateDlg::CSaveTemplateDlg(CString name, CWnd* pParent)
    : CDialog(IDD_SAVE_TEMPLATE, pParent), m_strName(name)
{
}

CString CSaveTemplateDlg::GetTemplateRoot()
{
    return TemplateRootFolder();
}

void CSaveTemplateDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEMPLATE_LIST, m_listTemplates);
    DDX_Control(pDX, IDC_TEMPLATE_FOLDERS, m_treeFolders);
    DDX_Text(pDX, IDC_TEMPLATE_NAME, m_strName);
}

BOOL CSaveTemplateDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowTemplateFolders(m_treeFolders);
    GotoDlgCtrl(GetDlgItem(IDC_TEMPLATE_NAME));
    return FALSE;
}

void CSaveTemplateDlg::OnSelchangedFolders(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_strFolder = m_treeFolders.GetSelectedPath();
    if (m_strFolder.IsEmpty() || m_strFolder[m_strFolder.GetLength() - 1] != '\\')
        m_strFolder += "\\";
    FillTemplateList();
}

void CSaveTemplateDlg::FillTemplateList()
{
    ListTemplateTitles(m_strFolder, m_listTemplates);
}

void CSaveTemplateDlg::OnSelchangeTemplates()
{
    int nSel = m_listTemplates.GetCurSel();
    if (nSel == LB_ERR)
        return;
    m_listTemplates.GetText(nSel, m_strName);
    UpdateData(FALSE);
}

void CSaveTemplateDlg::OnOK()
{
    // Only the root or a folder below it will do; anything else is ignored.
    CString strRoot = GetTemplateRoot();
    if (m_strFolder.GetLength() < strRoot.GetLength() ||
        m_strFolder.Left(strRoot.GetLength()).Compare(strRoot) != 0)
        return;
    CString strName;
    GetDlgItemText(IDC_TEMPLATE_NAME, strName);
    if (!CheckTemplateName(m_strFolder, strName))
    {
        GotoDlgCtrl(GetDlgItem(IDC_TEMPLATE_NAME));
        return;
    }
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}
