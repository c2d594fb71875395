#include "framework/db/DaoRecordset.h"

#include "framework/db/DBText.h"
#include "framework/db/DaoSql.h"
#include "framework/db/DaoStatement.h"

void CDaoRecordset::AddNew()
{
    CheckUpdatable();
    m_editRow.nRowId = 0;
    m_editRow.values.assign(m_columns.size(), DaoNullValue());
    m_dirty.assign(m_columns.size(), false);
    m_nEditMode = dbEditAdd;
}

void CDaoRecordset::Edit()
{
    CheckUpdatable();
    LeaveEdit();
    CheckCurrent();
    UnpackRows();
    m_editRow = m_rows[m_nCurrent];
    m_dirty.assign(m_columns.size(), false);
    m_nEditMode = dbEditInProgress;
}

void CDaoRecordset::CancelUpdate()
{
    CheckOpen();
    if (m_nEditMode == dbEditNone)
        AfxThrowDaoException(DAOERR_UPDATE_WITHOUT_EDIT, "Update or CancelUpdate without AddNew or Edit.");
    LeaveEdit();
}

void CDaoRecordset::RefreshRow(LONGLONG nRowId, Row& row)
{
    sqlite3* pDb = m_pDatabase->RequireHandle();
    CDaoRecordsetStatements& statements = Statements();
    // Made once: the recordset's statement stays while it is open.
    if (statements.m_strRefreshSQL.IsEmpty())
    {
        CDaoSqlParts parts = DaoSplitSelect(m_strSQL);
        statements.m_strRefreshSQL =
            DBTextToDriver("SELECT _rowid_, " + parts.m_strSelectList + " " + parts.m_strFrom + " WHERE _rowid_=?");
    }
    sqlite3_stmt* pStmt = statements.m_refresh.Get(pDb, statements.m_strRefreshSQL);
    sqlite3_bind_int64(pStmt, 1, nRowId);
    if (DaoStep(pDb, pStmt))
        ReadRow(pStmt, 1, row);
    else
        row.nRowId = nRowId;
    sqlite3_reset(pStmt);
}

void CDaoRecordset::Update()
{
    CheckOpen();
    if (m_nEditMode == dbEditNone)
        AfxThrowDaoException(DAOERR_UPDATE_WITHOUT_EDIT, "Update or CancelUpdate without AddNew or Edit.");
    sqlite3* pDb = m_pDatabase->RequireHandle();
    // An added row joins the rows, which must be in their editable form.
    UnpackRows();
    std::vector<int> changed;
    changed.reserve(m_columns.size());
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_dirty[i])
            changed.push_back((int)i);
    if (m_nEditMode == dbEditInProgress && changed.empty())
    {
        LeaveEdit();
        return;
    }
    CDaoRecordsetStatements& statements = Statements();
    // Row after row writes the same columns: the text is made again only
    // when they differ from the last write's.
    if (statements.m_strWriteSQL.IsEmpty() || statements.m_nWriteMode != m_nEditMode
        || statements.m_writeColumns != changed)
    {
        CString sql;
        if (m_nEditMode == dbEditAdd && changed.empty())
            sql = "INSERT INTO " + DaoQuoteName(m_strTable) + " DEFAULT VALUES";
        else if (m_nEditMode == dbEditAdd)
        {
            CString names, marks;
            for (size_t k = 0; k < changed.size(); ++k)
            {
                names += (k > 0 ? ", " : "") + DaoQuoteName(m_columns[changed[k]].strOrigin);
                marks += k > 0 ? ", ?" : "?";
            }
            sql = "INSERT INTO " + DaoQuoteName(m_strTable) + " (" + names + ") VALUES (" + marks + ")";
        }
        else
        {
            CString sets;
            for (size_t k = 0; k < changed.size(); ++k)
                sets += (k > 0 ? ", " : "") + DaoQuoteName(m_columns[changed[k]].strOrigin) + "=?";
            sql = "UPDATE " + DaoQuoteName(m_strTable) + " SET " + sets + " WHERE _rowid_=?";
        }
        statements.m_strWriteSQL = sql;
        statements.m_nWriteMode = m_nEditMode;
        statements.m_writeColumns = changed;
    }
    {
        sqlite3_stmt* pStmt = statements.m_write.Get(pDb, statements.m_strWriteSQL);
        // The statement reads the edit row's own bytes, so it lets go of
        // them, done or failed, before the row changes.
        CDaoStatementUse use(pStmt);
        for (size_t k = 0; k < changed.size(); ++k)
            DaoBindValue(pStmt, (int)k + 1, m_editRow.values[changed[k]], SQLITE_STATIC);
        if (m_nEditMode == dbEditInProgress)
            sqlite3_bind_int64(pStmt, (int)changed.size() + 1, m_editRow.nRowId);
        DaoStep(pDb, pStmt);
    }
    if (m_nEditMode == dbEditAdd)
    {
        // The edit row becomes the new row, its values read back in place.
        Row row(std::move(m_editRow));
        RefreshRow(sqlite3_last_insert_rowid(pDb), row);
        BOOL bAtEnd = m_nCurrent >= (INT_PTR)m_rows.size();
        m_rows.push_back(std::move(row));
        // A new rowid is above the others, and its place the last.
        LONGLONG nRowId = m_rows.back().nRowId;
        if (m_bRowPlaces && (m_rowPlaces.empty() || m_rowPlaces.back().first < nRowId))
            m_rowPlaces.emplace_back(nRowId, (INT_PTR)m_rows.size() - 1);
        else
            ForgetRowPlaces();
        if (bAtEnd)
            m_nCurrent = (INT_PTR)m_rows.size();
    }
    else
        RefreshRow(m_editRow.nRowId, m_rows[m_nCurrent]);
    LeaveEdit();
}

void CDaoRecordset::Delete()
{
    CheckUpdatable();
    LeaveEdit();
    CheckCurrent();
    UnpackRows();
    sqlite3* pDb = m_pDatabase->RequireHandle();
    CDaoStatement stmt;
    stmt.Prepare(pDb, "DELETE FROM " + DaoQuoteName(m_strTable) + " WHERE _rowid_=?");
    sqlite3_bind_int64(stmt, 1, m_rows[m_nCurrent].nRowId);
    stmt.Step(pDb);
    m_rows.erase(m_rows.begin() + m_nCurrent);
    ForgetRowPlaces();
    m_bDeleted = TRUE;
}

CDaoValueRef CDaoRecordset::CurrentRef(int nIndex) const
{
    CheckIndex(nIndex);
    if (m_nEditMode != dbEditNone)
        return DaoRefOf(m_editRow.values[nIndex]);
    CheckCurrent();
    if (m_pForward != nullptr)
        return DaoColumnRef(*m_pForward, nIndex);
    if (m_bPacked)
        return m_packed.Ref((size_t)m_nCurrent, nIndex);
    return DaoRefOf(m_rows[m_nCurrent].values[nIndex]);
}

void CDaoRecordset::StoreValue(int nIndex, Value&& value)
{
    CheckIndex(nIndex);
    if (m_nEditMode == dbEditNone)
        AfxThrowDaoException(DAOERR_UPDATE_WITHOUT_EDIT, "Update or CancelUpdate without AddNew or Edit.");
    if (m_columns[nIndex].strOrigin.IsEmpty())
        AfxThrowDaoException(DAOERR_FIELD_READ_ONLY, "Field cannot be updated.");
    m_editRow.values[nIndex] = std::move(value);
    m_dirty[nIndex] = true;
}

COleVariant CDaoRecordset::GetFieldValue(int nIndex)
{
    COleVariant value;
    GetFieldValue(nIndex, value);
    return value;
}

COleVariant CDaoRecordset::GetFieldValue(LPCSTR lpszName)
{
    COleVariant value;
    GetFieldValue(FieldIndex(lpszName), value);
    return value;
}

void CDaoRecordset::GetFieldValue(int nIndex, COleVariant& varValue)
{
    DaoRefToVariant(CurrentRef(nIndex), m_columns[nIndex].nFieldType, varValue);
}

void CDaoRecordset::GetFieldValue(LPCSTR lpszName, COleVariant& varValue)
{
    GetFieldValue(FieldIndex(lpszName), varValue);
}

void CDaoRecordset::SetFieldValue(LPCSTR lpszName, LPCSTR lpszValue)
{
    SetFieldValue(FieldIndex(lpszName), lpszValue);
}

void CDaoRecordset::SetFieldValue(int nIndex, LPCSTR lpszValue)
{
    if (lpszValue == NULL)
        StoreValue(nIndex, DaoNullValue());
    else
        StoreValue(nIndex, DaoStoredTextValue(lpszValue, lstrlenA(lpszValue)));
}

void CDaoRecordset::SetFieldValue(int nIndex, const COleVariant& varValue)
{
    StoreValue(nIndex, DaoValueFromVariant(varValue));
}

void CDaoRecordset::SetFieldValue(LPCSTR lpszName, const COleVariant& varValue)
{
    SetFieldValue(FieldIndex(lpszName), varValue);
}

void CDaoRecordset::SetFieldValueNull(int nIndex)
{
    StoreValue(nIndex, DaoNullValue());
}

void CDaoRecordset::SetFieldValueNull(LPCSTR lpszName)
{
    SetFieldValueNull(FieldIndex(lpszName));
}
