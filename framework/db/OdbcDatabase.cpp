#include "framework/db/OdbcDatabase.h"

#include <string.h>

#include "framework/db/DBText.h"

IMPLEMENT_DYNAMIC(CDatabase, CObject)

CDatabase::CDatabase()
    : m_henv(SQL_NULL_HENV), m_hdbc(SQL_NULL_HDBC), m_nGetDataExtensions(0)
{
}

CDatabase::~CDatabase()
{
    Close();
}

BOOL CDatabase::OpenEx(LPCSTR lpszConnectString, DWORD dwOptions)
{
    Close();
    CString connect = lpszConnectString != NULL ? lpszConnectString : "";
    if (connect.GetLength() >= 5 && connect.Left(5).CompareNoCase("ODBC;") == 0)
        connect = connect.Mid(5);

    SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv);
    if (!SQL_SUCCEEDED(rc))
    {
        m_henv = SQL_NULL_HENV;
        AfxThrowDBException(rc);
    }
    SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    rc = SQLAllocHandle(SQL_HANDLE_DBC, m_henv, &m_hdbc);
    if (!SQL_SUCCEEDED(rc))
    {
        CDBException* e = new CDBException(rc);
        e->BuildErrorString(SQL_HANDLE_ENV, m_henv);
        m_hdbc = SQL_NULL_HDBC;
        Close();
        throw e;
    }
    // No dialog can be shown from here: the framework never prompts.
    (void)dwOptions;
    SQLCHAR out[1024] = "";
    SQLSMALLINT outLength = 0;
    rc = SQLDriverConnect(m_hdbc, NULL, (SQLCHAR*)(LPCSTR)connect, SQL_NTS, out, sizeof(out),
                          &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc))
    {
        CDBException* e = new CDBException(rc);
        e->BuildErrorString(SQL_HANDLE_DBC, m_hdbc);
        if (e->m_strError.IsEmpty())
            e->m_strError.Format("Cannot connect to the data source \"%s\".", (LPCSTR)connect);
        SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
        m_hdbc = SQL_NULL_HDBC;
        Close();
        throw e;
    }
    m_strConnect = CString("ODBC;") + (LPCSTR)out;
    if (!SQL_SUCCEEDED(SQLGetInfo(m_hdbc, SQL_GETDATA_EXTENSIONS, &m_nGetDataExtensions, sizeof(m_nGetDataExtensions),
                                  NULL)))
        m_nGetDataExtensions = 0;
    if (dwOptions & openReadOnly)
        SQLSetConnectAttr(m_hdbc, SQL_ATTR_ACCESS_MODE, (SQLPOINTER)SQL_MODE_READ_ONLY, 0);
    // Text crosses as UTF-8 (DBText.h); a PostgreSQL session otherwise
    // speaks the encoding its database was created with.
    if (GetDBMSName() == "PostgreSQL")
    {
        try
        {
            ExecuteSQL("SET client_encoding TO 'UTF8'");
        }
        catch (CException*)
        {
            Close();
            throw;
        }
    }
    return TRUE;
}

BOOL CDatabase::Open(LPCSTR lpszDSN, BOOL bExclusive, BOOL bReadOnly, LPCSTR lpszConnect,
                     BOOL bUseCursorLib)
{
    (void)bExclusive;
    CString connect = lpszConnect != NULL ? lpszConnect : "";
    if (connect.GetLength() >= 5 && connect.Left(5).CompareNoCase("ODBC;") == 0)
        connect = connect.Mid(5);
    if (lpszDSN != NULL && *lpszDSN != '\0')
        connect = CString("DSN=") + lpszDSN + (connect.IsEmpty() ? "" : ";") + connect;
    DWORD options = (bReadOnly ? openReadOnly : 0) | (bUseCursorLib ? useCursorLib : 0);
    return OpenEx(connect, options);
}

void CDatabase::Close()
{
    if (m_hdbc != SQL_NULL_HDBC)
    {
        SQLDisconnect(m_hdbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
        m_hdbc = SQL_NULL_HDBC;
    }
    if (m_henv != SQL_NULL_HENV)
    {
        SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
        m_henv = SQL_NULL_HENV;
    }
    m_strConnect.Empty();
    m_nGetDataExtensions = 0;
}

BOOL CDatabase::IsConnectionDead() const
{
    if (!IsOpen())
        return FALSE;
    SQLUINTEGER nDead = SQL_CD_FALSE;
    SQLRETURN rc = SQLGetConnectAttr(m_hdbc, SQL_ATTR_CONNECTION_DEAD, &nDead, sizeof(nDead), NULL);
    return SQL_SUCCEEDED(rc) && nDead == SQL_CD_TRUE;
}

CString CDatabase::GetDBMSName() const
{
    char szName[128] = "";
    SQLSMALLINT nLength = 0;
    if (!IsOpen() || !SQL_SUCCEEDED(SQLGetInfo(m_hdbc, SQL_DBMS_NAME, szName, sizeof(szName), &nLength)))
        return CString();
    return szName;
}

void CDatabase::ExecuteSQL(LPCSTR lpszSQL)
{
    if (!IsOpen())
        AfxThrowDBException(SQL_ERROR);
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &hstmt);
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_DBC, m_hdbc);
    CString text = DBTextToDriver(lpszSQL);
    rc = SQLExecDirect(hstmt, (SQLCHAR*)(LPCSTR)text, SQL_NTS);
    // SQL_NO_DATA is a statement that touched no rows, not a failure.
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
    {
        CDBException* e = new CDBException(rc);
        e->BuildErrorString(SQL_HANDLE_STMT, hstmt);
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
        throw e;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
}

namespace
{

BOOL EndTransaction(SQLHDBC hdbc, SQLSMALLINT nCompletion)
{
    if (hdbc == SQL_NULL_HDBC)
        AfxThrowDBException(SQL_ERROR);
    SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, hdbc, nCompletion);
    SQLRETURN rcMode = SQLSetConnectAttr(hdbc, SQL_ATTR_AUTOCOMMIT, (SQLPOINTER)SQL_AUTOCOMMIT_ON, 0);
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_DBC, hdbc);
    if (!SQL_SUCCEEDED(rcMode))
        AfxThrowDBException(rcMode, SQL_HANDLE_DBC, hdbc);
    return TRUE;
}

} // namespace

BOOL CDatabase::BeginTrans()
{
    if (!IsOpen())
        AfxThrowDBException(SQL_ERROR);
    SQLRETURN rc = SQLSetConnectAttr(m_hdbc, SQL_ATTR_AUTOCOMMIT, (SQLPOINTER)SQL_AUTOCOMMIT_OFF, 0);
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_DBC, m_hdbc);
    return TRUE;
}

BOOL CDatabase::CommitTrans()
{
    return EndTransaction(m_hdbc, SQL_COMMIT);
}

BOOL CDatabase::Rollback()
{
    return EndTransaction(m_hdbc, SQL_ROLLBACK);
}

CString OdbcConnectValue(LPCSTR lpszValue)
{
    CString value = lpszValue != NULL ? lpszValue : "";
    int n = value.GetLength();
    if (value.FindOneOf(";{}=") < 0 && (n == 0 || (value[0] != ' ' && value[n - 1] != ' ')))
        return value;
    value.Replace("}", "}}");
    return "{" + value + "}";
}
