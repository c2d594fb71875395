#include "view/CellPictureDlg.h"

#include "framework/windows/DataExchange.h"
#include "framework/windows/FileDialog.h"
#include "CellDefineIds.h"

BEGIN_MESSAGE_MAP(CCellPictureDlg, CDialog)
    ON_BN_CLICKED(IDC_PICTURE_CLEAR, OnClear)
    ON_BN_CLICKED(IDC_PICTURE_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CCellPictureDlg::CCellPictureDlg() : CDialog(IDD_CELL_PICTURE), m_bHasPicture(0), m_bFit(0), m_bClear(0)
{
}

BOOL CCellPictureDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* pClear = GetDlgItem(IDC_PICTURE_CLEAR))
        pClear->EnableWindow(m_bHasPicture);
    EnableFile(!m_bHasPicture);
    return TRUE;
}

void CCellPictureDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PICTURE_FILE, m_strFile);
    DDX_Check(pDX, IDC_PICTURE_FIT, m_bFit);
    DDX_Check(pDX, IDC_PICTURE_CLEAR, m_bClear);
}

void CCellPictureDlg::EnableFile(BOOL bEnable)
{
    if (CWnd* pFile = GetDlgItem(IDC_PICTURE_FILE))
        pFile->EnableWindow(bEnable);
    if (CWnd* pBrowse = GetDlgItem(IDC_PICTURE_BROWSE))
        pBrowse->EnableWindow(bEnable);
}

void CCellPictureDlg::OnClear()
{
    EnableFile(IsDlgButtonChecked(IDC_PICTURE_CLEAR) == BST_CHECKED);
}

void CCellPictureDlg::OnBrowse()
{
    CFileDialog dlg(TRUE, "*.bmp", NULL, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                    "Bitmap Files (*.bmp)|*.bmp;*.BMP|", this);
    if (dlg.DoModal() != IDOK)
        return;
    m_strFile = dlg.GetPathName();
    SetDlgItemText(IDC_PICTURE_FILE, m_strFile);
}
