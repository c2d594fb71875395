// The ODBC engine's database: a connection to the data source named by
// m_strDatabase, with the user and password the caller gave.
#pragma once

#include "engines/common/KemDatabase.h"
#include "framework/db/OdbcDatabase.h"

class CODBCDatabase : public CKemDatabase
{
public:
    CODBCDatabase();
    ~CODBCDatabase() override;

    // Connects to the data source lpszName with m_strUser and m_strPassword;
    // the connect string of Reopen adds nothing else.  A PostgreSQL session
    // gets a lock timeout, so that a save meeting another session's rows
    // ends with a message instead of waiting.  CDBException reaches the
    // caller.
    void Open(const char* lpszName, BOOL bExclusive, BOOL bReadOnly, const char* lpszConnect) override;
    void Close() override;
    BOOL IsOpen() const override;
    BOOL BeginTrans() override;
    void CommitTrans() override;
    void Rollback() override;
    BOOL IsConnectionLost() const override;

    // The connect string Open hands to the driver manager.
    CString BuildDriverConnect(const char* lpszName) const;

    // Owned; created unconnected.
    CDatabase* m_pOdbcDatabase;
};
