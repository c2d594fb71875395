// The reporting database as the programs hold it while connected: the
// engine loader, the open database, the three list recordsets and the
// configuration file.  The application object owns the loader and fills
// in the rest when it connects; the documents read it through
// GetReportConnection.
#pragma once

#include "framework/core/String.h"

class CEngineLoader;
class CKemDatabase;
class CKemRecordset;

// Drops the program's database and connects again with the same settings
// (the application does it).
class CReportReconnector
{
public:
    virtual ~CReportReconnector() {}
    // TRUE once connected again.
    virtual BOOL Reconnect() = 0;
};

class CReportConnection
{
public:
    CReportConnection();

    // TRUE when a database is set and its IsOpen answers nonzero.
    BOOL IsDatabaseOpen() const;
    // TRUE when the organization recordset is set and open.
    BOOL IsOrganRecordsetOpen() const;
    // TRUE when the row-item and the column-item recordsets are both set
    // and open (a template can then be built from items).
    BOOL AreItemRecordsetsOpen() const;
    // 1 when "Select * From <table> Where <condition>" yields a row, 0 when
    // it yields none, -1 when either text is empty, no database is open, no
    // recordset can be had or the query fails (the failure is reported).
    int RecordExists(const CString& strTable, const CString& strCondition) const;
    // Called after a database failure in a user's command: when the
    // connection to the server was lost, connects once more through
    // m_pReconnector and tells the user either way.  TRUE when the connection
    // is back (the command can be tried again).
    BOOL RestoreIfLost();

    CEngineLoader* m_pLoader;
    CKemDatabase* m_pDatabase;
    // "select * from ss_Organ", open while connected.
    CKemRecordset* m_pOrganRecordset;
    // "select * from ss_item" and "select * from ss_colitem", open while
    // connected.
    CKemRecordset* m_pItemRecordset;
    CKemRecordset* m_pColItemRecordset;
    // The shared data-source type of the open database.
    int m_nDataSourceType;
    // Full path of Tallyform.INI.
    CString m_strIniPath;
    // Set by the application with the rest; NULL while not connected.
    CReportReconnector* m_pReconnector;
};

// The program's one connection.
CReportConnection& GetReportConnection();
