// A connection to an ODBC data source.
#pragma once

#include "framework/db/OdbcException.h"

// A connect-string attribute value: in braces (with '}' doubled) when it
// holds a character that would end or change the attribute.
CString OdbcConnectValue(LPCSTR lpszValue);

class CDatabase : public CObject
{
    DECLARE_DYNAMIC(CDatabase)
public:
    enum
    {
        openReadOnly = 0x0001,
        useCursorLib = 0x0002,
        noOdbcDialog = 0x0004,
        forceOdbcDialog = 0x0008,
    };

    CDatabase();
    ~CDatabase() override;

    // Connects with a full connect string ("ODBC;" prefix optional);
    // throws CDBException on failure, FALSE never (kept for the MFC shape).
    virtual BOOL OpenEx(LPCSTR lpszConnectString, DWORD dwOptions = 0);
    // lpszDSN as DSN name, lpszConnect as connect string; either may be empty.
    virtual BOOL Open(LPCSTR lpszDSN, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE,
                      LPCSTR lpszConnect = "ODBC;", BOOL bUseCursorLib = TRUE);
    virtual void Close();
    BOOL IsOpen() const { return m_hdbc != SQL_NULL_HDBC; }
    // TRUE once the driver knows the connection to the server is gone.
    BOOL IsConnectionDead() const;
    // The database product the driver reports ("PostgreSQL", "SQLite").
    CString GetDBMSName() const;
    // "ODBC;" followed by the connect string the driver completed.
    CString GetConnect() const { return m_strConnect; }

    void ExecuteSQL(LPCSTR lpszSQL);

    // Manual commit from BeginTrans to CommitTrans or Rollback; both end it
    // and go back to committing every statement.  Failures throw.
    BOOL BeginTrans();
    BOOL CommitTrans();
    BOOL Rollback();

    // What the driver's SQLGetData reads besides the columns after the last
    // bound one, in column order (SQL_GETDATA_EXTENSIONS).
    SQLUINTEGER GetDataExtensions() const { return m_nGetDataExtensions; }

    SQLHENV m_henv;
    SQLHDBC m_hdbc;

protected:
    CString m_strConnect;
    SQLUINTEGER m_nGetDataExtensions;
};
