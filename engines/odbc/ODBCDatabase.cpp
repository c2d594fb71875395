#include "engines/odbc/ODBCDatabase.h"

CODBCDatabase::CODBCDatabase()
    : m_pOdbcDatabase(new CDatabase)
{
}

CODBCDatabase::~CODBCDatabase()
{
    try
    {
        Close();
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
    }
    delete m_pOdbcDatabase;
}

CString CODBCDatabase::BuildDriverConnect(const char* lpszName) const
{
    CString connect = "DSN=" + OdbcConnectValue(lpszName);
    if (!m_strUser.IsEmpty())
        connect += ";UID=" + OdbcConnectValue(m_strUser);
    if (!m_strPassword.IsEmpty())
        connect += ";PWD=" + OdbcConnectValue(m_strPassword);
    return connect;
}

void CODBCDatabase::Open(const char* lpszName, BOOL bExclusive, BOOL bReadOnly, const char* lpszConnect)
{
    // The data source's own settings decide exclusive and read-only use.
    (void)bExclusive;
    (void)bReadOnly;
    (void)lpszConnect;
    m_pOdbcDatabase->OpenEx(BuildDriverConnect(lpszName), CDatabase::useCursorLib);
    // A save that meets rows another session is writing gives up after a
    // while and says so, rather than freezing the program.
    if (m_pOdbcDatabase->GetDBMSName() == "PostgreSQL")
        m_pOdbcDatabase->ExecuteSQL("SET lock_timeout TO '5s'");
}

void CODBCDatabase::Close()
{
    m_pOdbcDatabase->Close();
}

BOOL CODBCDatabase::IsOpen() const
{
    return m_pOdbcDatabase->IsOpen();
}

BOOL CODBCDatabase::BeginTrans()
{
    return m_pOdbcDatabase->BeginTrans();
}

void CODBCDatabase::CommitTrans()
{
    m_pOdbcDatabase->CommitTrans();
}

void CODBCDatabase::Rollback()
{
    m_pOdbcDatabase->Rollback();
}

BOOL CODBCDatabase::IsConnectionLost() const
{
    return m_pOdbcDatabase->IsConnectionDead();
}
