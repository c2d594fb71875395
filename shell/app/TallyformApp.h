// CTallyformApp: the designer's application object.  It starts the program,
// holds the data-source settings of Tallyform.INI, owns the engine loader,
// the open reporting database and the three list recordsets that stay open
// while a database is connected, and handles the application's commands.
#pragma once

#include "framework/docview/WinApp.h"
#include "framework/ole/OleTemplateServer.h"
#include "framework/windows/Dc.h"
#include "reporting/EngineLoader.h"
#include "reporting/ReportConnection.h"

class CKemDatabase;
class CKemRecordset;
class CMultiDocTemplate;

// The OLE class of the designer's documents.
extern const CLSID CLSID_TallyformSheet;

class CTallyformApp : public CWinApp
{
public:
    CTallyformApp();
    ~CTallyformApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The full path of Tallyform.INI: the current directory, the InstallDir
    // setting (not in the editor), then the Windows directory.  When none holds the file the
    // user is told and the Windows-directory path is returned all the same.
    CString FindIniFile();
    // Section DataSource into the members; 1 ok, 0 when the file, the type
    // or the name is missing.
    int ReadDataSourceSettings();
    // Start, Type, Name and ServerName back to the file; 0 on the first
    // write that fails.  User id and password are never written.
    int WriteDataSourceSettings();
    // The start-up connection: settings, the dialog, the connection.
    int InitDatabase();
    // Opens the database of the current settings and the three recordsets;
    // on any failure everything opened is closed again.
    int ConnectDatabase();
    void DisconnectDatabase();
    BOOL OpenItemRecordset();
    BOOL OpenColumnItemRecordset();
    BOOL OpenOrganRecordset();
    BOOL IsOrganRecordsetOpen() const;
    BOOL IsDatabaseOpen() const;
    // 1 when "Select * From table Where condition" yields a row, 0 when it
    // yields none, -1 when it cannot be asked: an empty text, no open
    // database, no recordset, or a database error.  Callers refuse on -1.
    int RecordExists(CString strTable, CString strCondition);

    CString m_strIniPath;
    BOOL m_bConnectOnStartup;
    int m_nDataSourceType;
    CString m_strDatabaseName;
    CString m_strServerName;
    CString m_strPassword;
    CString m_strUserID;
    CEngineLoader m_engineLoader;
    CKemDatabase* m_pDatabase;
    CKemRecordset* m_pItemRecordset;
    CKemRecordset* m_pColItemRecordset;
    CKemRecordset* m_pOrganRecordset;
    CDC m_dcScreen;
    int m_nGuiFontIndex;

    // Start-up's windows: the document template (with the sheet view in
    // child frames), then the main frame with the document menu shared by
    // the template's frames and the no-document menu on its own bar.
    void AddTallyformTemplate();
    BOOL CreateMainFrame();

    // The designer's document template, once start-up has made it; its
    // shared menu is the owner-drawn document menu (menu 5).
    CMultiDocTemplate* m_pDocTemplate;
    // Serves the template's documents to OLE clients as "Tallyform.Sheet".
    COleTemplateServer m_server;

protected:
    void OnAppAbout();
    void OnTallyformFileOpen();
    void OnDatabaseConnect();
    void OnUpdateDatabaseConnect(CCmdUI* pCmdUI);
    void OnDatabaseDisconnect();
    void OnUpdateDatabaseCommands(CCmdUI* pCmdUI);
    void OnSetupOrganizations();
    void OnSetupOrganProperties();
    void OnSetupRowItems();
    void OnSetupColumnItems();

    DECLARE_MESSAGE_MAP()

private:
    // Opens one list recordset into rpRecordset; on failure the recordset
    // is released and the member is NULL.
    BOOL OpenListRecordset(CKemRecordset*& rpRecordset, LPCSTR lpszSQL);
    // Closes and releases one recordset; a database error is reported and
    // the recordset is released all the same.
    void CloseListRecordset(CKemRecordset*& rpRecordset);
    // The documents reach the database through the report connection:
    // filled from the members once connected, emptied before disconnecting.
    void PublishConnection();
    void WithdrawConnection();
    BOOL m_bOleInitialized;

    // Connects again with the settings of the last connection, for a
    // document whose command found the connection lost.
    class CDatabaseReconnector : public CReportReconnector
    {
    public:
        explicit CDatabaseReconnector(CTallyformApp& app) : m_app(app) {}
        BOOL Reconnect() override;

    private:
        CTallyformApp& m_app;
    };
    CDatabaseReconnector m_reconnector{*this};
};
