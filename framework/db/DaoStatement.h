// Internal pieces of the DAO recordset: a scoped SQLite statement and the
// stored-value helpers shared by its source files.
#pragma once

#include "framework/db/DaoRecordset.h"

#include <sqlite3.h>

// DaoSql.h, which the recordset's own files include.
struct CDaoSqlLiteral;

// TRUE for a row, FALSE when done; a failure throws.
inline BOOL DaoStep(sqlite3* pDb, sqlite3_stmt* pStmt)
{
    int nResult = sqlite3_step(pStmt);
    if (nResult == SQLITE_ROW)
        return TRUE;
    if (nResult == SQLITE_DONE)
        return FALSE;
    DaoThrowSqliteError(pDb, nResult);
}

// Finalizes a statement when it goes out of scope.
class CDaoStatement
{
public:
    CDaoStatement() : m_pStmt(NULL) {}
    ~CDaoStatement() { sqlite3_finalize(m_pStmt); }
    void Finalize()
    {
        sqlite3_finalize(m_pStmt);
        m_pStmt = NULL;
    }
    void Prepare(sqlite3* pDb, LPCSTR lpszSQL)
    {
        Finalize();
        int nResult = sqlite3_prepare_v2(pDb, lpszSQL, -1, &m_pStmt, NULL);
        if (nResult != SQLITE_OK)
            DaoThrowSqliteError(pDb, nResult);
    }
    BOOL TryPrepare(sqlite3* pDb, LPCSTR lpszSQL)
    {
        Finalize();
        return sqlite3_prepare_v2(pDb, lpszSQL, -1, &m_pStmt, NULL) == SQLITE_OK;
    }
    BOOL Step(sqlite3* pDb) { return DaoStep(pDb, m_pStmt); }
    operator sqlite3_stmt*() const { return m_pStmt; }

private:
    sqlite3_stmt* m_pStmt;
};

// Resets a statement and clears its bindings when it goes out of scope.
class CDaoStatementUse
{
public:
    explicit CDaoStatementUse(sqlite3_stmt* pStmt) : m_pStmt(pStmt) {}
    ~CDaoStatementUse()
    {
        sqlite3_reset(m_pStmt);
        sqlite3_clear_bindings(m_pStmt);
    }
    CDaoStatementUse(const CDaoStatementUse&) = delete;
    CDaoStatementUse& operator=(const CDaoStatementUse&) = delete;

private:
    sqlite3_stmt* m_pStmt;
};

// A prepared statement kept while its text and connection stay the same,
// handed out reset and without bindings.
class CDaoReusedStatement
{
public:
    CDaoReusedStatement() : m_pDb(NULL) {}
    // NULL when SQLite cannot prepare the text.
    sqlite3_stmt* TryGet(sqlite3* pDb, const CString& sql)
    {
        if (m_pDb != pDb || m_strSQL != sql)
        {
            m_pDb = NULL;
            m_strSQL.Empty();
            if (!m_stmt.TryPrepare(pDb, sql))
                return NULL;
            m_pDb = pDb;
            m_strSQL = sql;
        }
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return m_stmt;
    }
    // As TryGet, but a failure throws.
    sqlite3_stmt* Get(sqlite3* pDb, const CString& sql)
    {
        if (sqlite3_stmt* pStmt = TryGet(pDb, sql))
            return pStmt;
        m_stmt.Prepare(pDb, sql);
        return m_stmt;
    }

private:
    CDaoStatement m_stmt;
    CString m_strSQL;
    sqlite3* m_pDb;
};

// The statements a recordset runs again and again: its finds, its writes
// and the re-reading of a written row.
struct CDaoRecordsetStatements
{
    CDaoReusedStatement m_find;
    CDaoReusedStatement m_write;
    CDaoReusedStatement m_refresh;
    // The text of m_refresh, made at its first use.
    CString m_strRefreshSQL;
    // The text of m_write, with the edit mode and the columns it writes.
    CString m_strWriteSQL;
    int m_nWriteMode = 0;
    std::vector<int> m_writeColumns;
    // The last find's criteria as given and in SQLite's dialect, and the
    // text of m_find for them with their literals taken out (made at the
    // first find on the table).
    CString m_strFindFilter;
    CString m_strFindCriteria;
    CString m_strFindSQL;
    std::vector<CDaoSqlLiteral> m_findLiterals;
};

// A stored value as the variant conversion reads it: text and blob bytes
// point into a kept value or into a statement's current row.
struct CDaoValueRef
{
    int nType;          // SQLITE_INTEGER, _FLOAT, _TEXT, _BLOB or _NULL
    LONGLONG nInteger;
    double dReal;
    LPCSTR pBytes;
    int nBytes;
};

CDaoValueRef DaoRefOf(const CDaoRecordset::Value& value);
// Column nColumn of the statement's current row.
CDaoValueRef DaoColumnRef(sqlite3_stmt* pStmt, int nColumn);
// The variant of a value read from a column of DAO type nFieldType: Yes/No,
// currency and date columns give VT_BOOL, VT_CY and VT_DATE (text
// "YYYY-MM-DD HH:MM:SS" as the stand-in writes dates; other text stays
// text); otherwise text in its ANSI form (stored UTF-8 in the system code
// page), whole numbers VT_I4 (VT_R8 past
// its range), reals VT_R8, blobs byte arrays, NULL VT_NULL.
void DaoRefToVariant(const CDaoValueRef& value, short nFieldType, COleVariant& varValue);

// The kept copy of a value read.
CDaoRecordset::Value DaoValueOfRef(const CDaoValueRef& ref);
// The same into a kept value, whose text buffer is reused when it is large
// enough.
void DaoAssignRef(CDaoRecordset::Value& value, const CDaoValueRef& ref);
CDaoRecordset::Value DaoNullValue();
CDaoRecordset::Value DaoIntegerValue(LONGLONG n);
CDaoRecordset::Value DaoRealValue(double d);
// nType SQLITE_TEXT or SQLITE_BLOB.
CDaoRecordset::Value DaoTextValue(LPCSTR p, int nLength, int nType = SQLITE_TEXT);
// A text of the system code page as SQLite stores it (UTF-8).
CDaoRecordset::Value DaoStoredTextValue(LPCSTR p, int nLength);
// SQLITE_STATIC binds the value's own bytes: the value must stay as it is
// until the statement is reset and its bindings cleared.
void DaoBindValue(sqlite3_stmt* pStmt, int nParam, const CDaoRecordset::Value& value,
                  sqlite3_destructor_type pDestructor = SQLITE_TRANSIENT);
