#include "framework/db/Recordset.h"

#include <string.h>

#include "framework/db/DBText.h"
#include "framework/db/SqlText.h"

IMPLEMENT_DYNAMIC(CRecordset, CObject)

CRecordset::CRecordset(CDatabase* pDatabase)
    : m_pDatabase(pDatabase), m_nFields(0), m_nParams(0), m_hstmt(SQL_NULL_HSTMT),
      m_nDefaultType(snapshot), m_bFieldsOnDemand(FALSE), m_bPrepared(FALSE), m_nOpenType(snapshot), m_dwOptions(none),
      m_bForward(FALSE), m_bDemandRead(FALSE), m_nBlockRow(0), m_nRowStamp(0), m_bEndSeen(FALSE), m_nRow(-1),
      m_bBOF(TRUE), m_bEOF(TRUE), m_nEditMode(noMode)
{
}

CRecordset::~CRecordset()
{
    Close();
}

CString CRecordset::GetDefaultSQL()
{
    return CString();
}

void CRecordset::DoFieldExchange(CFieldExchange* pFX)
{
    (void)pFX;
}

void CRecordset::ThrowState(SQLRETURN nCode, LPCSTR lpszText) const
{
    CDBException* e = new CDBException(nCode);
    e->m_strError = lpszText;
    e->m_strStateNativeOrigin.Format("State:HY000,Native:%d,Origin:[framework]\n", (int)nCode);
    throw e;
}

BOOL CRecordset::Open(UINT nOpenType, LPCSTR lpszSQL, DWORD dwOptions)
{
    Close();
    if (m_pDatabase == NULL || !m_pDatabase->IsOpen())
        ThrowState(AFX_SQL_ERROR_RECORDSET_NOT_OPEN, "The database is not open.");
    m_nOpenType = nOpenType == AFX_DB_USE_DEFAULT_TYPE ? m_nDefaultType : nOpenType;
    m_dwOptions = dwOptions;
    m_strBaseSQL = lpszSQL != NULL && *lpszSQL != '\0' ? CString(lpszSQL) : GetDefaultSQL();

    SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_STMT, m_pDatabase->m_hdbc, &m_hstmt);
    if (!SQL_SUCCEEDED(rc))
    {
        m_hstmt = SQL_NULL_HSTMT;
        AfxThrowDBException(rc, SQL_HANDLE_DBC, m_pDatabase->m_hdbc);
    }
    try
    {
        BuildSQL(m_strBaseSQL);
        Execute();
        DescribeColumns();
        if (m_columns.empty())
        {
            Close();
            return FALSE;
        }
        OnColumnsDescribed();
        if (m_nFields > m_columns.size())
            ThrowState(AFX_SQL_ERROR_COLUMN_MISMATCH, "The query returns fewer columns than the recordset binds.");
        StartReading();
    }
    catch (CException*)
    {
        Close();
        throw;
    }
    return TRUE;
}

void CRecordset::BuildSQL(LPCSTR lpszSQL)
{
    CString sql = lpszSQL;
    if (!SqlIsStatement(sql))
    {
        // A table name: select the columns the fields bind.
        CFieldExchange fx(CFieldExchange::Name, this);
        DoFieldExchange(&fx);
        CString columns;
        for (INT_PTR i = 0; i < fx.m_names.GetSize(); ++i)
            columns += (i > 0 ? "," : "") + fx.m_names[i];
        sql = "SELECT " + (columns.IsEmpty() ? CString("*") : columns) + " FROM " + sql;
    }
    sql = SqlAddCondition(sql, m_strFilter);
    if (!m_strSort.IsEmpty())
        sql += " ORDER BY " + m_strSort;
    m_strSQL = SqlStripBrackets(sql);
    m_strBuiltFilter = m_strFilter;
    m_strBuiltSort = m_strSort;
    m_strTable = (m_dwOptions & readOnly) ? CString() : SqlSingleTable(m_strSQL);
    DBTextToDriver(m_strSQL, m_strSQL.GetLength(), m_strDriverSQL);
    // A statement without parameters runs directly, its text sent at every
    // execution: prepared, the PostgreSQL driver would first have the server
    // parse and describe it, in round trips of their own.
    m_bPrepared = m_nParams > 0;
    if (!m_bPrepared)
        return;
    SQLRETURN rc = SQLPrepare(m_hstmt, (SQLCHAR*)(LPCSTR)m_strDriverSQL, SQL_NTS);
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_STMT, m_hstmt);
}

void CRecordset::Execute()
{
    SQLFreeStmt(m_hstmt, SQL_CLOSE);
    // Bindings stay with the statement; values of an unchanged type and
    // size reach it without binding again.
    if (m_nParams > 0)
    {
        CFieldExchange fx(CFieldExchange::BindParam, this);
        DoFieldExchange(&fx);
    }
    SQLRETURN rc;
    do
        rc = m_bPrepared ? SQLExecute(m_hstmt) : SQLExecDirect(m_hstmt, (SQLCHAR*)(LPCSTR)m_strDriverSQL, SQL_NTS);
    while (rc == SQL_STILL_EXECUTING);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
        AfxThrowDBException(rc, SQL_HANDLE_STMT, m_hstmt);
    // A statement run again and again reads its next first row into the
    // buffers of the last one.
    if (!m_rows.empty())
        m_spareRow.swap(m_rows.front());
    m_rows.clear();
    m_deleted.clear();
    m_bEndSeen = FALSE;
    m_nEditMode = noMode;
}

void CRecordset::DescribeColumns()
{
    m_columns.clear();
    SQLSMALLINT count = 0;
    SQLRETURN rc = SQLNumResultCols(m_hstmt, &count);
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_STMT, m_hstmt);
    for (SQLSMALLINT c = 1; c <= count; ++c)
    {
        SQLCHAR name[256] = "";
        SQLSMALLINT nameLength = 0;
        CODBCFieldInfo info;
        rc = SQLDescribeCol(m_hstmt, c, name, sizeof(name), &nameLength, &info.m_nSQLType,
                            &info.m_nPrecision, &info.m_nScale, &info.m_nNullability);
        if (!SQL_SUCCEEDED(rc))
            AfxThrowDBException(rc, SQL_HANDLE_STMT, m_hstmt);
        DBTextFromDriver((const char*)name, (int)strlen((const char*)name), info.m_strName);
        m_columns.push_back(info);
    }
}

void CRecordset::Close()
{
    if (m_hstmt != SQL_NULL_HSTMT)
    {
        SQLFreeStmt(m_hstmt, SQL_CLOSE);
        SQLFreeHandle(SQL_HANDLE_STMT, m_hstmt);
        m_hstmt = SQL_NULL_HSTMT;
    }
    m_block.Reset();
    for (auto& statement : m_changeStatements)
        SQLFreeHandle(SQL_HANDLE_STMT, statement.second);
    m_changeStatements.clear();
    m_params.Clear();
    m_columns.clear();
    m_rows.clear();
    m_spareRow.clear();
    m_deleted.clear();
    m_bForward = FALSE;
    m_bDemandRead = FALSE;
    m_forwardRow.clear();
    m_asked.clear();
    m_boundAsked.clear();
    m_gotColumns.clear();
    m_fieldNull.clear();
    m_nulledValues.clear();
    m_bEndSeen = FALSE;
    m_nRow = -1;
    m_bBOF = m_bEOF = TRUE;
    m_nEditMode = noMode;
}

BOOL CRecordset::Requery()
{
    if (!IsOpen())
        return FALSE;
    if (m_strFilter != m_strBuiltFilter || m_strSort != m_strBuiltSort)
        return Open(m_nOpenType, m_strBaseSQL, m_dwOptions);
    Execute();
    StartReading();
    return TRUE;
}

BOOL CRecordset::FetchTo(size_t nIndex)
{
    while (m_rows.size() <= nIndex && !m_bEndSeen)
    {
        if (!(m_block.IsBound() ? FetchBoundRow() : FetchUnboundRow()))
        {
            m_bEndSeen = TRUE;
            SQLFreeStmt(m_hstmt, SQL_CLOSE);
            break;
        }
        m_deleted.push_back(false);
    }
    return m_rows.size() > nIndex;
}

BOOL CRecordset::FetchBoundRow()
{
    CDBRowBlock::FetchResult result = m_block.Fetch(m_hstmt);
    if (result == CDBRowBlock::fetchEnd)
        return FALSE;
    CDBRow row;
    row.swap(m_spareRow);
    m_block.ReadRow(0, row);
    if (result == CDBRowBlock::fetchTruncated)
    {
        for (size_t c = 0; c < m_columns.size(); ++c)
            if (m_block.IsTruncated(0, c))
                row[c] = DBFetchColumn(m_hstmt, (SQLUSMALLINT)(c + 1), m_columns[c].m_nSQLType);
    }
    m_rows.push_back(std::move(row));
    return TRUE;
}

BOOL CRecordset::FetchUnboundRow()
{
    SQLRETURN rc = SQLFetch(m_hstmt);
    if (rc == SQL_NO_DATA)
        return FALSE;
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_STMT, m_hstmt);
    CDBRow row;
    row.reserve(m_columns.size());
    for (size_t c = 0; c < m_columns.size(); ++c)
        row.push_back(DBFetchColumn(m_hstmt, (SQLUSMALLINT)(c + 1), m_columns[c].m_nSQLType));
    m_rows.push_back(std::move(row));
    return TRUE;
}

const CDBRow* CRecordset::CurrentRow() const
{
    if (m_bForward)
        return m_nRow >= 0 && !m_bEOF && !m_bDemandRead ? &m_forwardRow : NULL;
    if (m_nRow < 0 || (size_t)m_nRow >= m_rows.size() || m_deleted[m_nRow])
        return NULL;
    return &m_rows[m_nRow];
}

BOOL CRecordset::IsDeleted() const
{
    return m_nRow >= 0 && (size_t)m_nRow < m_rows.size() && m_deleted[m_nRow];
}

void CRecordset::StandOn(long nRow)
{
    m_nRow = nRow;
    m_bBOF = nRow < 0;
    m_bEOF = nRow >= 0 && (size_t)nRow >= m_rows.size();
    if (m_bBOF && m_rows.empty() && m_bEndSeen)
        m_bEOF = TRUE;
    LoadFields();
}

void CRecordset::LoadFields()
{
    if (m_bForward && m_bDemandRead)
    {
        if (++m_nRowStamp == 0)
            ++m_nRowStamp;
        return;
    }
    CFieldExchange fx(CFieldExchange::Fetch, this);
    fx.m_pRow = CurrentRow();
    DoFieldExchange(&fx);
}

void CRecordset::Move(long nRows, WORD wFetchType)
{
    if (!IsOpen())
        ThrowState(AFX_SQL_ERROR_RECORDSET_NOT_OPEN, "The recordset is not open.");
    m_nEditMode = noMode;
    if (m_bForward && MoveForward(nRows, wFetchType))
        return;
    KeepRows();
    auto nextLive = [&](long from) {
        long r = from;
        while (FetchTo((size_t)r) && m_deleted[r])
            ++r;
        return r;  // m_rows.size() when none is left
    };
    auto prevLive = [&](long from) {
        long r = from;
        while (r >= 0 && m_deleted[r])
            --r;
        return r;
    };
    switch (wFetchType)
    {
    case SQL_FETCH_FIRST:
    {
        long r = nextLive(0);
        if ((size_t)r >= m_rows.size())
        {
            StandOn(-1);
            m_bBOF = m_bEOF = TRUE;
            return;
        }
        StandOn(r);
        return;
    }
    case SQL_FETCH_LAST:
    {
        while (FetchTo(m_rows.size()))
        {
        }
        long r = prevLive((long)m_rows.size() - 1);
        StandOn(r);
        if (r < 0)
            m_bBOF = m_bEOF = TRUE;
        return;
    }
    case SQL_FETCH_ABSOLUTE:
        if (nRows <= 0)
        {
            StandOn(-1);
            return;
        }
        StandOn(FetchTo((size_t)(nRows - 1)) ? nRows - 1 : (long)m_rows.size());
        return;
    default:
        break;
    }
    if (nRows == 0)
    {
        LoadFields();
        return;
    }
    for (long step = 0; step < (nRows > 0 ? nRows : -nRows); ++step)
    {
        if (nRows > 0)
        {
            if (m_bEOF)
                ThrowState(AFX_SQL_ERROR_NO_CURRENT_RECORD, "Attempt to move past the end of the result.");
            long r = nextLive(m_nRow + 1);
            m_nRow = r;
            m_bBOF = FALSE;
            m_bEOF = (size_t)r >= m_rows.size();
        }
        else
        {
            if (m_bBOF)
                ThrowState(AFX_SQL_ERROR_NO_CURRENT_RECORD, "Attempt to move before the start of the result.");
            long r = prevLive(m_nRow - 1);
            m_nRow = r;
            m_bEOF = FALSE;
            m_bBOF = r < 0;
        }
        if (m_bBOF || m_bEOF)
            break;
    }
    LoadFields();
}

void CRecordset::GetODBCFieldInfo(short nIndex, CODBCFieldInfo& fieldInfo) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_columns.size())
        ThrowState(AFX_SQL_ERROR_FIELD_NOT_FOUND, "Column not found.");
    fieldInfo = m_columns[nIndex];
}

void CRecordset::SetFieldNull(void* pv, BOOL bNull)
{
    CFieldExchange fx(CFieldExchange::SetFieldNull, this);
    fx.m_pvTarget = pv;
    fx.m_bNull = bNull;
    DoFieldExchange(&fx);
}

BOOL CRecordset::IsFieldNull(void* pv)
{
    CFieldExchange fx(CFieldExchange::IsFieldNull, this);
    fx.m_pvTarget = pv;
    DoFieldExchange(&fx);
    return fx.m_bFound && fx.m_bNull;
}
