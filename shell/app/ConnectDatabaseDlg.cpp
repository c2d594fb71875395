#include <shlobj.h>

#include "shell/app/ConnectDatabaseDlg.h"

#include "engines/common/DataSourceType.h"
#include "framework/windows/DlgItem.h"
#include "framework/windows/DataExchange.h"
#include "framework/windows/FileDialog.h"
#include "shell/app/TallyformApp.h"
#include "ShellIds.h"

namespace
{
const int kOdbcType = 25;
const int kSybaseType = 26;
// The list search gives up after this many entries.
const int kMaxTypeEntries = 101;

CTallyformApp* App() { return static_cast<CTallyformApp*>(AfxGetApp()); }

// The file sources after ODBC and Access: the engine reads each into a
// working copy.  The Lotus types have no name of their own in the type
// table, so the list names them.
struct TypeEntry
{
    int nType;
    LPCSTR lpszName;  // NULL: the type table's name
};
const TypeEntry kFileTypes[] = {
    {2, NULL},  {3, NULL},  {4, NULL},  {5, NULL},  {6, NULL},  {7, NULL},
    {11, NULL}, {12, NULL}, {13, NULL}, {14, NULL}, {15, NULL}, {16, NULL},
    {17, NULL}, {18, NULL}, {19, "Lotus WKS Folder"}, {20, "Lotus WK1 Folder"}, {21, "Lotus WKS File"},
    {23, NULL}, {24, NULL},
};
} // namespace

BEGIN_MESSAGE_MAP(CConnectDatabaseDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_CONNECT_TYPE, OnSelchangeType)
    ON_BN_CLICKED(IDC_CONNECT_DATABASE_BROWSE, OnBrowseDatabase)
    ON_BN_CLICKED(IDC_CONNECT_SERVER_BROWSE, OnBrowseServer)
END_MESSAGE_MAP()

CConnectDatabaseDlg::CConnectDatabaseDlg(CWnd* pParent)
    : CDialog(IDD_CONNECT_DATABASE, pParent), m_nType(0), m_bConnectOnStartup(FALSE)
{
}

void CConnectDatabaseDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONNECT_TYPE, m_comboType);
    DDX_Text(pDX, IDC_CONNECT_DATABASE_NAME, m_strDatabase);
    DDX_CBString(pDX, IDC_CONNECT_SERVER, m_strServer);
    DDX_Text(pDX, IDC_CONNECT_USER, m_strUser);
    DDX_Text(pDX, IDC_CONNECT_PASSWORD, m_strPassword);
    DDX_Check(pDX, IDC_CONNECT_ON_STARTUP, m_bConnectOnStartup);
}

BOOL CConnectDatabaseDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CTallyformApp* pApp = App();

    m_comboType.SetItemData(m_comboType.AddString("ODBC"), kOdbcType);
    m_comboType.SetItemData(m_comboType.AddString("Access"), 1);
    for (const TypeEntry& entry : kFileTypes)
    {
        LPCSTR lpszName = entry.lpszName != NULL ? entry.lpszName : DataSourceTypeName(entry.nType);
        m_comboType.SetItemData(m_comboType.AddString(lpszName), entry.nType);
    }
    int nCount = m_comboType.GetCount();
    for (int i = 0; i < nCount && i < kMaxTypeEntries; ++i)
    {
        if ((int)m_comboType.GetItemData(i) == pApp->m_nDataSourceType)
        {
            m_comboType.SetCurSel(i);
            break;
        }
    }
    m_nType = pApp->m_nDataSourceType;

    EnableDlgItem(this, IDC_CONNECT_DATABASE_BROWSE, m_nType != kOdbcType && m_nType != kSybaseType);
    SetDlgItemText(IDC_CONNECT_DATABASE_NAME, pApp->m_strDatabaseName);
    if (m_nType == kSybaseType)
        SetDlgItemText(IDC_CONNECT_SERVER, pApp->m_strServerName);
    else
        EnableDlgItem(this, IDC_CONNECT_SERVER, FALSE);
    SetDlgItemText(IDC_CONNECT_USER, pApp->m_strUserID);
    // The password is never offered again.
    m_bConnectOnStartup = pApp->m_bConnectOnStartup;
    CheckDlgButton(IDC_CONNECT_ON_STARTUP, m_bConnectOnStartup ? BST_CHECKED : BST_UNCHECKED);
    GotoDlgCtrl(GetDlgItem(IDC_CONNECT_USER));
    return FALSE;
}

void CConnectDatabaseDlg::OnSelchangeType()
{
    int nSel = m_comboType.GetCurSel();
    if (nSel < 0)
        return;
    m_nType = (int)m_comboType.GetItemData(nSel);
    if (m_nType == kSybaseType)
    {
        EnableDlgItem(this, IDC_CONNECT_SERVER, TRUE);
        SetDlgItemText(IDC_CONNECT_SERVER, App()->m_strServerName);
        EnableDlgItem(this, IDC_CONNECT_SERVER_BROWSE, TRUE);
        EnableDlgItem(this, IDC_CONNECT_DATABASE_BROWSE, FALSE);
        EnableDlgItem(this, IDC_CONNECT_USER, TRUE);
        EnableDlgItem(this, IDC_CONNECT_PASSWORD, TRUE);
        return;
    }
    EnableDlgItem(this, IDC_CONNECT_DATABASE_BROWSE, m_nType != kOdbcType);
    EnableDlgItem(this, IDC_CONNECT_SERVER_BROWSE, FALSE);
    EnableDlgItem(this, IDC_CONNECT_SERVER, FALSE);
}

void CConnectDatabaseDlg::OnBrowseDatabase()
{
    char szCurrent[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, szCurrent);
    BOOL bHaveCurrent = n != 0 && n < MAX_PATH;
    CString strStart = bHaveCurrent ? CString(szCurrent) + "\\Database" : CString();

    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, NULL, this);
    dlg.m_ofn.lpstrInitialDir = strStart.IsEmpty() ? NULL : (LPCSTR)strStart;
    BOOL bChosen = dlg.DoModal() == IDOK;
    if (bHaveCurrent)
        SetCurrentDirectoryA(szCurrent);
    if (!bChosen)
        return;
    m_strDatabase = dlg.GetPathName();
    SetDlgItemText(IDC_CONNECT_DATABASE_NAME, m_strDatabase);
}

void CConnectDatabaseDlg::OnBrowseServer()
{
    LPITEMIDLIST pidlRoot = NULL;
    if (FAILED(SHGetSpecialFolderLocation(m_hWnd, CSIDL_NETWORK, &pidlRoot)))
        pidlRoot = NULL;
    char szName[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = m_hWnd;
    info.pidlRoot = pidlRoot;
    info.pszDisplayName = szName;
    info.lpszTitle = "Select database Server";
    info.ulFlags = BIF_BROWSEFORCOMPUTER;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    if (pidl != NULL)
    {
        SetDlgItemText(IDC_CONNECT_SERVER, szName);
        m_strServer = szName;
        CoTaskMemFree(pidl);
    }
    if (pidlRoot != NULL)
        CoTaskMemFree(pidlRoot);
}
