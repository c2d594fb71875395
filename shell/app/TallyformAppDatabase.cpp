// The application's reporting database: the start-up connection, connecting
// and disconnecting with the three list recordsets, and the record test.
#include "shell/app/TallyformApp.h"

#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/ReportConnection.h"
#include "shell/app/ConnectDatabaseDlg.h"

namespace
{
const int kSybaseType = 26;

void ReportAndDelete(CException* e)
{
    e->ReportError();
    e->Delete();
}
} // namespace

int CTallyformApp::InitDatabase()
{
    if (!ReadDataSourceSettings())
        return 0;
    if (!m_bConnectOnStartup)
        return 1;
    CConnectDatabaseDlg dlg;
    if (dlg.DoModal() != IDOK)
        return 0;
    m_nDataSourceType = dlg.m_nType;
    m_bConnectOnStartup = dlg.m_bConnectOnStartup;
    m_strDatabaseName = dlg.m_strDatabase;
    m_strServerName = dlg.m_strServer;
    m_strUserID = dlg.m_strUser;
    m_strPassword = dlg.m_strPassword;
    if (!ConnectDatabase())
        return 0;
    WriteDataSourceSettings();
    return 1;
}

int CTallyformApp::ConnectDatabase()
{
    m_pDatabase = m_engineLoader.GetDatabase(m_nDataSourceType);
    if (m_pDatabase == NULL)
        return 0;
    CWaitCursor wait;
    BOOL bConnected = FALSE;
    try
    {
        m_pDatabase->m_strDatabase = m_strDatabaseName;
        if (m_nDataSourceType == kSybaseType)
            m_pDatabase->m_strServer = m_strServerName;
        m_pDatabase->m_strPassword = m_strPassword;
        m_pDatabase->m_strUser = m_strUserID;
        m_pDatabase->Reopen(FALSE);
        bConnected = m_pDatabase->IsOpen() && OpenItemRecordset() &&
                     OpenColumnItemRecordset() && OpenOrganRecordset();
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
        bConnected = FALSE;
    }
    if (!bConnected)
    {
        DisconnectDatabase();
        return 0;
    }
    PublishConnection();
    return 1;
}

BOOL CTallyformApp::OpenListRecordset(CKemRecordset*& rpRecordset, LPCSTR lpszSQL)
{
    rpRecordset = m_engineLoader.GetRecordset(m_pDatabase);
    if (rpRecordset == NULL)
        return FALSE;
    rpRecordset->m_strFilter.Empty();
    rpRecordset->m_strSort.Empty();
    rpRecordset->Open(lpszSQL, FALSE);
    if (rpRecordset->IsOpen())
        return TRUE;
    m_engineLoader.ReleaseRecordset(rpRecordset);
    rpRecordset = NULL;
    return FALSE;
}

BOOL CTallyformApp::OpenItemRecordset()
{
    return OpenListRecordset(m_pItemRecordset, "select * from ss_item");
}

BOOL CTallyformApp::OpenColumnItemRecordset()
{
    return OpenListRecordset(m_pColItemRecordset, "select * from ss_colitem");
}

BOOL CTallyformApp::OpenOrganRecordset()
{
    return OpenListRecordset(m_pOrganRecordset, "select * from ss_Organ");
}

BOOL CTallyformApp::IsOrganRecordsetOpen() const
{
    return m_pOrganRecordset != NULL && m_pOrganRecordset->IsOpen();
}

BOOL CTallyformApp::IsDatabaseOpen() const
{
    return m_pDatabase != NULL && m_pDatabase->IsOpen();
}

void CTallyformApp::CloseListRecordset(CKemRecordset*& rpRecordset)
{
    if (rpRecordset == NULL)
        return;
    try
    {
        if (rpRecordset->IsOpen())
            rpRecordset->Close();
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    m_engineLoader.ReleaseRecordset(rpRecordset);
    rpRecordset = NULL;
}

void CTallyformApp::DisconnectDatabase()
{
    // Nothing reaches the objects once they start to go.
    WithdrawConnection();
    // Each object is closed on its own, so one that fails to close leaves
    // none of the others open or unreleased.
    CloseListRecordset(m_pItemRecordset);
    CloseListRecordset(m_pColItemRecordset);
    CloseListRecordset(m_pOrganRecordset);
    if (m_pDatabase == NULL)
        return;
    try
    {
        if (m_pDatabase->IsOpen())
            m_pDatabase->Close();
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    m_engineLoader.ReleaseDatabase(m_pDatabase);
    m_pDatabase = NULL;
}

BOOL CTallyformApp::CDatabaseReconnector::Reconnect()
{
    m_app.DisconnectDatabase();
    return m_app.ConnectDatabase() != 0;
}

void CTallyformApp::PublishConnection()
{
    CReportConnection& connection = GetReportConnection();
    connection.m_pLoader = &m_engineLoader;
    connection.m_pDatabase = m_pDatabase;
    connection.m_pOrganRecordset = m_pOrganRecordset;
    connection.m_pItemRecordset = m_pItemRecordset;
    connection.m_pColItemRecordset = m_pColItemRecordset;
    connection.m_nDataSourceType = m_nDataSourceType;
    connection.m_strIniPath = m_strIniPath;
    connection.m_pReconnector = &m_reconnector;
}

void CTallyformApp::WithdrawConnection()
{
    CReportConnection& connection = GetReportConnection();
    // Only the connection this application gave out is its to take back.
    if (connection.m_pLoader != &m_engineLoader)
        return;
    connection.m_pLoader = NULL;
    connection.m_pDatabase = NULL;
    connection.m_pOrganRecordset = NULL;
    connection.m_pItemRecordset = NULL;
    connection.m_pColItemRecordset = NULL;
    connection.m_nDataSourceType = 0;
    connection.m_strIniPath.Empty();
    connection.m_pReconnector = NULL;
}

int CTallyformApp::RecordExists(CString strTable, CString strCondition)
{
    if (GetReportConnection().m_pDatabase != m_pDatabase)
        return -1;
    return GetReportConnection().RecordExists(strTable, strCondition);
}

void CTallyformApp::OnDatabaseConnect()
{
    for (;;)
    {
        CConnectDatabaseDlg dlg;
        if (dlg.DoModal() != IDOK)
            return;
        m_nDataSourceType = dlg.m_nType;
        m_bConnectOnStartup = dlg.m_bConnectOnStartup;
        m_strDatabaseName = dlg.m_strDatabase;
        m_strUserID = dlg.m_strUser;
        m_strPassword = dlg.m_strPassword;
        if (m_nDataSourceType == kSybaseType)
            m_strServerName = dlg.m_strServer;
        // Whatever is still held, open or not, goes before a new connection.
        if (m_pDatabase != NULL || m_pItemRecordset != NULL || m_pColItemRecordset != NULL ||
            m_pOrganRecordset != NULL)
            DisconnectDatabase();
        if (ConnectDatabase())
        {
            if (!WriteDataSourceSettings())
                AfxMessageBox("Failed to write Initialization file.", MB_OK);
            return;
        }
        if (AfxMessageBox("Failed to initialize database.", MB_ABORTRETRYIGNORE) != IDRETRY)
            return;
    }
}

void CTallyformApp::OnUpdateDatabaseConnect(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsDatabaseOpen());
}

void CTallyformApp::OnDatabaseDisconnect()
{
    DisconnectDatabase();
}

void CTallyformApp::OnUpdateDatabaseCommands(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDatabaseOpen());
}
