// CConnectDatabaseDlg: "Connect to Database".  The user picks the data-source
// type, the database, the server (Sybase only), user id, password and
// whether to connect at start-up; it starts from the application's current
// settings and opens no database itself.
#pragma once

#include "framework/windows/ComboBox.h"
#include "framework/windows/Dialog.h"

class CConnectDatabaseDlg : public CDialog
{
public:
    explicit CConnectDatabaseDlg(CWnd* pParent = NULL);

    int m_nType;
    CString m_strServer;
    CString m_strDatabase;
    CString m_strUser;
    CString m_strPassword;
    BOOL m_bConnectOnStartup;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSelchangeType();
    void OnBrowseDatabase();
    void OnBrowseServer();

    CComboBox m_comboType;

    DECLARE_MESSAGE_MAP()

private:
};
