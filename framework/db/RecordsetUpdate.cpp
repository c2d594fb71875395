// The recordset's changes: searched statements on the table it reads.
#include "framework/db/Recordset.h"

#include <utility>

#include "framework/db/DBText.h"

namespace
{

// Columns whose stored value may not compare equal to the value read back:
// they do not identify a row.
BOOL IsInexactType(SQLSMALLINT nSqlType)
{
    return nSqlType == SQL_REAL || nSqlType == SQL_FLOAT || nSqlType == SQL_DOUBLE ||
           nSqlType == SQL_BINARY || nSqlType == SQL_VARBINARY || nSqlType == SQL_LONGVARBINARY;
}

} // namespace

BOOL CRecordset::CanUpdate() const
{
    return IsOpen() && !m_strTable.IsEmpty() && !(m_dwOptions & readOnly);
}

void CRecordset::RequireUpdatable() const
{
    if (!IsOpen())
        ThrowState(AFX_SQL_ERROR_RECORDSET_NOT_OPEN, "The recordset is not open.");
    if (!CanUpdate())
        ThrowState(AFX_SQL_ERROR_RECORDSET_READONLY, "The recordset is read-only.");
}

void CRecordset::RequireCurrentRow() const
{
    if (CurrentRow() == NULL)
        ThrowState(AFX_SQL_ERROR_NO_CURRENT_RECORD, "No current record.");
}

void CRecordset::StoreFields(CDBRow& values, std::vector<SQLSMALLINT>& types)
{
    CFieldExchange fx(CFieldExchange::StoreField, this);
    DoFieldExchange(&fx);
    values = fx.m_values;
    types = fx.m_types;
}

CString CRecordset::RowCondition(const CDBRow& row, CColumnParams& params)
{
    BOOL exactOnly = FALSE;
    for (size_t c = 0; c < row.size() && c < m_columns.size(); ++c)
        if (!IsInexactType(m_columns[c].m_nSQLType))
            exactOnly = TRUE;
    CString where;
    for (size_t c = 0; c < row.size() && c < m_columns.size(); ++c)
    {
        if (exactOnly && IsInexactType(m_columns[c].m_nSQLType))
            continue;
        // The other columns find a row whose text this system cannot show.
        if (row[c].m_bInexact)
            continue;
        where += where.IsEmpty() ? " WHERE " : " AND ";
        if (row[c].IsNull())
        {
            where += m_columns[c].m_strName + " IS NULL";
            continue;
        }
        where += m_columns[c].m_strName + "=?";
        params.push_back(std::make_pair((int)c, row[c]));
    }
    // Never a change without a condition, which would touch every row.
    if (where.IsEmpty())
        ThrowState(AFX_SQL_ERROR_NO_ROWS_AFFECTED, "The row cannot be told from the others.");
    return where;
}

SQLHSTMT CRecordset::ChangeStatement(const CString& sql)
{
    auto found = m_changeStatements.find((LPCSTR)sql);
    if (found != m_changeStatements.end())
        return found->second;
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_STMT, m_pDatabase->m_hdbc, &hstmt);
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_DBC, m_pDatabase->m_hdbc);
    CString text = DBTextToDriver(sql);
    rc = SQLPrepare(hstmt, (SQLCHAR*)(LPCSTR)text, SQL_NTS);
    if (!SQL_SUCCEEDED(rc))
    {
        CDBException* e = new CDBException(rc);
        e->BuildErrorString(SQL_HANDLE_STMT, hstmt);
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
        throw e;
    }
    m_changeStatements[(LPCSTR)sql] = hstmt;
    return hstmt;
}

SQLLEN CRecordset::RunChange(const CString& sql, const CColumnParams& params)
{
    SQLHSTMT hstmt = ChangeStatement(sql);
    CDBParamBuffers buffers;
    for (size_t i = 0; i < params.size(); ++i)
    {
        const CODBCFieldInfo& info = m_columns[params[i].first];
        buffers.Bind(hstmt, (SQLUSMALLINT)(i + 1), params[i].second, info.m_nSQLType, info.m_nPrecision,
                     info.m_nScale);
    }
    SQLRETURN rc = SQLExecute(hstmt);
    if (rc == SQL_NO_DATA)
        return 0;
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_STMT, hstmt);
    SQLLEN count = 0;
    SQLRowCount(hstmt, &count);
    SQLFreeStmt(hstmt, SQL_CLOSE);
    return count;
}

void CRecordset::AddNew()
{
    RequireUpdatable();
    m_nEditMode = addnew;
    CFieldExchange fx(CFieldExchange::Fetch, this);
    DoFieldExchange(&fx);
}

void CRecordset::Edit()
{
    RequireUpdatable();
    RequireCurrentRow();
    m_nEditMode = edit;
}

void CRecordset::CancelUpdate()
{
    m_nEditMode = noMode;
    LoadFields();
}

BOOL CRecordset::Update()
{
    RequireUpdatable();
    if (m_nEditMode == noMode)
        ThrowState(AFX_SQL_ERROR_ROW_UPDATE_NOT_SUPPORTED, "Update without AddNew or Edit.");
    CDBRow values;
    std::vector<SQLSMALLINT> types;
    StoreFields(values, types);
    CColumnParams params;
    size_t count = values.size() < m_columns.size() ? values.size() : m_columns.size();

    if (m_nEditMode == addnew)
    {
        CString names, marks;
        for (size_t c = 0; c < count; ++c)
        {
            if (values[c].IsNull())
                continue;
            names += (names.IsEmpty() ? "" : ",") + m_columns[c].m_strName;
            marks += marks.IsEmpty() ? "?" : ",?";
            params.push_back(std::make_pair((int)c, values[c]));
        }
        CString sql = "INSERT INTO " + m_strTable +
                      (names.IsEmpty() ? CString(" DEFAULT VALUES") : " (" + names + ") VALUES (" + marks + ")");
        RunChange(sql, params);
        m_nEditMode = noMode;
        LoadFields();
        return TRUE;
    }

    RequireCurrentRow();
    CDBRow& row = m_rows[m_nRow];
    CString set;
    for (size_t c = 0; c < count; ++c)
    {
        if (values[c] == row[c])
            continue;
        set += (set.IsEmpty() ? "" : ",") + m_columns[c].m_strName + "=?";
        params.push_back(std::make_pair((int)c, values[c]));
    }
    m_nEditMode = noMode;
    if (set.IsEmpty())
        return FALSE;
    CString sql = "UPDATE " + m_strTable + " SET " + set + RowCondition(row, params);
    if (RunChange(sql, params) == 0)
        ThrowState(AFX_SQL_ERROR_NO_ROWS_AFFECTED, "The row was changed or deleted since it was read.");
    for (size_t c = 0; c < count; ++c)
        row[c] = values[c];
    LoadFields();
    return TRUE;
}

void CRecordset::Delete()
{
    RequireUpdatable();
    RequireCurrentRow();
    CColumnParams params;
    CString sql = "DELETE FROM " + m_strTable + RowCondition(m_rows[m_nRow], params);
    if (RunChange(sql, params) == 0)
        ThrowState(AFX_SQL_ERROR_NO_ROWS_AFFECTED, "The row was changed or deleted since it was read.");
    m_deleted[m_nRow] = true;
    m_nEditMode = noMode;
}
