#include "framework/db/DaoRecordset.h"

#include "framework/db/DBText.h"
#include "framework/db/DaoSql.h"
#include "framework/db/DaoStatement.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CDaoRecordset, CObject)

namespace
{

[[noreturn]] void ThrowNoCurrentRecord()
{
    AfxThrowDaoException(DAOERR_NO_CURRENT_RECORD, "No current record.");
}

// Views answer to _rowid_ too, but cannot be written by it.
BOOL IsBaseTable(sqlite3* pDb, LPCSTR lpszName)
{
    CDaoStatement stmt;
    stmt.Prepare(pDb, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE");
    sqlite3_bind_text(stmt, 1, lpszName, -1, SQLITE_TRANSIENT);
    return stmt.Step(pDb);
}

// The rowids of the table's rows that meet the condition.
CString TableFindSql(const CString& strTable, const CString& condition)
{
    return "SELECT _rowid_ FROM " + DaoQuoteName(strTable) + " WHERE (" + condition + ")";
}

} // namespace

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase)
    : m_pDatabase(pDatabase), m_bOpen(FALSE), m_bUpdatable(FALSE), m_nOpenType(dbOpenDynaset),
      m_nOptions(0), m_bRowPlaces(FALSE), m_bPacked(FALSE), m_nCurrent(0), m_bForwardEnd(FALSE), m_nNextKnown(0), m_bDeleted(FALSE),
      m_nEditMode(dbEditNone)
{
}

CDaoRecordset::~CDaoRecordset()
{
}

void CDaoRecordset::Open(int nOpenType, LPCSTR lpszSQL, int nOptions)
{
    if (m_bOpen)
        Close();
    m_pStatements.reset();
    if (m_pDatabase == NULL)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The recordset has no database.");
    m_pDatabase->RequireHandle();
    CString sql(lpszSQL);
    sql.TrimLeft();
    sql.TrimRight();
    if (sql.IsEmpty())
        AfxThrowDaoException(DAOERR_SYNTAX, "The recordset has no SQL statement or table name.");
    if (DaoIsTableName(sql))
        sql = "SELECT * FROM " + DaoQuoteName(DaoUnquoteName(sql));
    m_strSQL = sql;
    m_nOpenType = nOpenType == AFX_DAO_USE_DEFAULT_TYPE ? dbOpenDynaset : nOpenType;
    m_nOptions = nOptions;
    m_strTable.Empty();
    if (m_nOpenType != dbOpenSnapshot && m_nOpenType != dbOpenForwardOnly && (nOptions & dbReadOnly) == 0
        && m_pDatabase->CanUpdate())
        m_strTable = DBTextToDriver(DaoUnquoteName(DaoSplitSelect(m_strSQL).m_strTable));
    Load();
    m_bOpen = TRUE;
}

CString CDaoRecordset::BuildQuery(BOOL bWithRowId) const
{
    CDaoSqlParts parts = DaoSplitSelect(m_strSQL);
    CString filter(m_strFilter), sort(m_strSort);
    filter.TrimLeft();
    filter.TrimRight();
    sort.TrimLeft();
    sort.TrimRight();
    CString query;
    if (parts.m_bSimple)
    {
        query = "SELECT ";
        if (bWithRowId)
            query += "_rowid_, ";
        query += parts.m_strSelectList + " " + parts.m_strFrom;
        if (!parts.m_strWhere.IsEmpty() && !filter.IsEmpty())
            query += " WHERE (" + parts.m_strWhere + ") AND (" + filter + ")";
        else if (!parts.m_strWhere.IsEmpty())
            query += " WHERE " + parts.m_strWhere;
        else if (!filter.IsEmpty())
            query += " WHERE " + filter;
        if (!sort.IsEmpty())
            query += " ORDER BY " + sort;
        else if (!parts.m_strOrderBy.IsEmpty())
            query += " ORDER BY " + parts.m_strOrderBy;
    }
    else
    {
        query = "SELECT * FROM (" + m_strSQL + ")";
        if (!filter.IsEmpty())
            query += " WHERE " + filter;
        if (!sort.IsEmpty())
            query += " ORDER BY " + sort;
    }
    return query;
}

void CDaoRecordset::ReadRow(sqlite3_stmt* pStmt, int nFirst, Row& row) const
{
    row.nRowId = nFirst > 0 ? sqlite3_column_int64(pStmt, 0) : 0;
    int nCount = sqlite3_column_count(pStmt);
    row.values.resize(nCount > nFirst ? nCount - nFirst : 0);
    for (int i = nFirst; i < nCount; ++i)
        DaoAssignRef(row.values[i - nFirst], DaoColumnRef(pStmt, i));
}

void CDaoRecordset::Load()
{
    sqlite3* pDb = m_pDatabase->RequireHandle();
    std::unique_ptr<CDaoStatement> pStmt(new CDaoStatement);
    CDaoStatement& stmt = *pStmt;
    m_bUpdatable = !m_strTable.IsEmpty() && IsBaseTable(pDb, m_strTable);
    CString strRunSQL = BuildQuery(FALSE);
    // A table without rowids, or a view, cannot be a dynaset: fall back to a snapshot.
    if (!m_bUpdatable || !stmt.TryPrepare(pDb, DaoLikeToSqlite(DBTextToDriver(BuildQuery(TRUE)))))
    {
        m_bUpdatable = FALSE;
        m_strTable.Empty();
        stmt.Prepare(pDb, DaoLikeToSqlite(DBTextToDriver(strRunSQL)));
    }
    int nFirst = m_bUpdatable ? 1 : 0;
    std::vector<Column> columns;
    int nCount = sqlite3_column_count(stmt);
    for (int i = nFirst; i < nCount; ++i)
    {
        Column column;
        column.strName = DBTextFromDriver(sqlite3_column_name(stmt, i));
        column.strDeclType = sqlite3_column_decltype(stmt, i);
        column.nFieldType = DaoFieldTypeOfDecl(column.strDeclType, NULL);
        LPCSTR lpszTable = sqlite3_column_table_name(stmt, i);
        LPCSTR lpszOrigin = sqlite3_column_origin_name(stmt, i);
        if (m_bUpdatable && lpszTable != NULL && lpszOrigin != NULL && m_strTable.CompareNoCase(lpszTable) == 0)
            column.strOrigin = lpszOrigin;
        columns.push_back(column);
    }
    // A dynaset reads all its rows now, packed, and holds no lock on the
    // file afterwards; a snapshot reads its first row only: the rest follow
    // as it moves.
    CDaoPackedRows packed;
    BOOL bForwardEnd = FALSE;
    if (m_bUpdatable)
    {
        packed.Reset(nCount - 1);
        while (stmt.Step(pDb))
            packed.AppendRow(stmt);
    }
    else if (!stmt.Step(pDb))
    {
        bForwardEnd = TRUE;
        sqlite3_reset(stmt);
    }
    m_strRunSQL = strRunSQL;
    m_columns.swap(columns);
    // The columns may have changed under a requery: so may the writes.
    if (m_pStatements != nullptr)
        m_pStatements->m_strWriteSQL.Empty();
    m_rows.clear();
    ForgetRowPlaces();
    m_packed.Swap(packed);
    m_bPacked = m_bUpdatable;
    m_nCurrent = 0;
    m_bDeleted = FALSE;
    m_nEditMode = dbEditNone;
    m_knownFields.clear();
    m_pForward.reset(m_bUpdatable ? nullptr : pStmt.release());
    m_bForwardEnd = bForwardEnd;
}

void CDaoRecordset::StepForward()
{
    sqlite3_stmt* pStmt = *m_pForward;
    int nResult = sqlite3_step(pStmt);
    ++m_nCurrent;
    if (nResult == SQLITE_ROW)
        return;
    // Reset, the statement holds no read lock on the file.
    m_bForwardEnd = TRUE;
    sqlite3_reset(pStmt);
    if (nResult != SQLITE_DONE)
        DaoThrowSqliteError(m_pDatabase->RequireHandle(), nResult);
}

void CDaoRecordset::KeepAllRows()
{
    if (m_pForward == nullptr)
        return;
    sqlite3* pDb = m_pDatabase->RequireHandle();
    sqlite3_stmt* pStmt = *m_pForward;
    sqlite3_reset(pStmt);
    std::vector<Row> rows;
    try
    {
        while (DaoStep(pDb, pStmt))
        {
            rows.push_back(Row());
            ReadRow(pStmt, 0, rows.back());
        }
    }
    catch (CException*)
    {
        sqlite3_reset(pStmt);
        throw;
    }
    m_pForward.reset();
    m_rows.swap(rows);
    ForgetRowPlaces();
    if (m_nCurrent > (INT_PTR)m_rows.size())
        m_nCurrent = (INT_PTR)m_rows.size();
}

void CDaoRecordset::UnpackRows()
{
    if (!m_bPacked)
        return;
    std::vector<Row> rows(m_packed.GetCount());
    int nColumns = (int)m_columns.size();
    for (size_t r = 0; r < rows.size(); ++r)
    {
        rows[r].nRowId = m_packed.RowId(r);
        rows[r].values.reserve(nColumns);
        for (int i = 0; i < nColumns; ++i)
            rows[r].values.push_back(DaoValueOfRef(m_packed.Ref(r, i)));
    }
    m_rows.swap(rows);
    ForgetRowPlaces();
    m_packed.Release();
    m_bPacked = FALSE;
}

INT_PTR CDaoRecordset::RowCount() const
{
    return m_bPacked ? (INT_PTR)m_packed.GetCount() : (INT_PTR)m_rows.size();
}

void CDaoRecordset::Close()
{
    m_pStatements.reset();
    m_pForward.reset();
    m_knownFields.clear();
    m_bOpen = FALSE;
    m_bUpdatable = FALSE;
    m_columns.clear();
    m_rows.clear();
    ForgetRowPlaces();
    m_packed.Release();
    m_bPacked = FALSE;
    m_nCurrent = 0;
    m_bDeleted = FALSE;
    m_nEditMode = dbEditNone;
}

void CDaoRecordset::Requery()
{
    CheckOpen();
    Load();
}

void CDaoRecordset::CheckOpen() const
{
    if (!m_bOpen)
        AfxThrowDaoException(DAOERR_NOT_OPEN, "The recordset is not open.");
}

void CDaoRecordset::CheckCurrent() const
{
    CheckOpen();
    if (m_bDeleted)
        AfxThrowDaoException(DAOERR_DELETED, "Record is deleted.");
    if (m_pForward != nullptr ? m_bForwardEnd : (m_nCurrent < 0 || m_nCurrent >= RowCount()))
        ThrowNoCurrentRecord();
}

void CDaoRecordset::CheckUpdatable() const
{
    CheckOpen();
    if (!m_bUpdatable)
        AfxThrowDaoException(DAOERR_READ_ONLY, "Cannot update. Database or object is read-only.");
}

void CDaoRecordset::LeaveEdit()
{
    m_nEditMode = dbEditNone;
}

LONG CDaoRecordset::GetRecordCount()
{
    CheckOpen();
    KeepAllRows();
    return (LONG)RowCount();
}

short CDaoRecordset::GetFieldCount() const
{
    CheckOpen();
    return (short)m_columns.size();
}

int CDaoRecordset::FieldIndex(LPCSTR lpszName) const
{
    CheckOpen();
    size_t nKnown = m_knownFields.size();
    for (size_t k = 0; lpszName != NULL && k < nKnown; ++k)
    {
        size_t nAt = (m_nNextKnown + k) % nKnown;
        if (strcmp(m_knownFields[nAt].first, lpszName) == 0)
        {
            m_nNextKnown = nAt + 1;
            return m_knownFields[nAt].second;
        }
    }
    for (size_t i = 0; i < m_columns.size(); ++i)
    {
        if (m_columns[i].strName.CompareNoCase(lpszName) == 0)
        {
            // Each column under a few spellings at most; a caller that makes
            // up names without end finds them by comparison alone.
            if (nKnown < 2 * m_columns.size() + 8)
            {
                m_knownFields.emplace_back(CString(lpszName), (int)i);
                m_nNextKnown = nKnown + 1;
            }
            return (int)i;
        }
    }
    CString message;
    message.Format("Item '%s' not found in this collection.", lpszName != NULL ? lpszName : "");
    AfxThrowDaoException(DAOERR_NOT_FOUND, message);
}

void CDaoRecordset::CheckIndex(int nIndex) const
{
    CheckOpen();
    if (nIndex < 0 || nIndex >= (int)m_columns.size())
        AfxThrowDaoException(DAOERR_NOT_FOUND, "Item not found in this collection.");
}

void CDaoRecordset::GetFieldInfo(int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions)
{
    CheckIndex(nIndex);
    const Column& column = m_columns[nIndex];
    info.m_strName = column.strName;
    info.m_nType = DaoFieldTypeOfDecl(column.strDeclType, &info.m_lSize);
    info.m_lAttributes = 0;
    info.m_nOrdinalPosition = (short)nIndex;
    info.m_bRequired = FALSE;
    info.m_strSourceTable = column.strOrigin.IsEmpty() ? CString() : DBTextFromDriver(m_strTable);
    info.m_strSourceField = DBTextFromDriver(column.strOrigin);
    info.m_strDefaultValue.Empty();
}

void CDaoRecordset::GetFieldInfo(LPCSTR lpszName, CDaoFieldInfo& info, DWORD dwInfoOptions)
{
    GetFieldInfo(FieldIndex(lpszName), info, dwInfoOptions);
}

BOOL CDaoRecordset::IsBOF() const
{
    CheckOpen();
    if (m_pForward != nullptr)
        return m_bForwardEnd && m_nCurrent == 0;
    if (m_bDeleted)
        return FALSE;
    return RowCount() == 0 || m_nCurrent < 0;
}

BOOL CDaoRecordset::IsEOF() const
{
    CheckOpen();
    if (m_pForward != nullptr)
        return m_bForwardEnd;
    if (m_bDeleted)
        return FALSE;
    return RowCount() == 0 || m_nCurrent >= RowCount();
}

void CDaoRecordset::MoveNext()
{
    CheckOpen();
    LeaveEdit();
    if (m_pForward != nullptr)
    {
        if (m_bForwardEnd)
            ThrowNoCurrentRecord();
        StepForward();
        return;
    }
    if (m_bDeleted)
    {
        // The rows after a deleted one moved up into its place.
        m_bDeleted = FALSE;
        return;
    }
    if (RowCount() == 0 || m_nCurrent >= RowCount())
        ThrowNoCurrentRecord();
    ++m_nCurrent;
}

void CDaoRecordset::MovePrev()
{
    CheckOpen();
    LeaveEdit();
    KeepAllRows();
    if (m_bDeleted)
    {
        m_bDeleted = FALSE;
        --m_nCurrent;
        return;
    }
    if (RowCount() == 0 || m_nCurrent < 0)
        ThrowNoCurrentRecord();
    --m_nCurrent;
}

void CDaoRecordset::MoveFirst()
{
    CheckOpen();
    LeaveEdit();
    // Already on the first row of a forward read: nothing to re-read.
    if (m_pForward != nullptr && m_nCurrent == 0 && !m_bForwardEnd)
        return;
    KeepAllRows();
    if (RowCount() == 0)
        ThrowNoCurrentRecord();
    m_bDeleted = FALSE;
    m_nCurrent = 0;
}

void CDaoRecordset::MoveLast()
{
    CheckOpen();
    LeaveEdit();
    KeepAllRows();
    if (RowCount() == 0)
        ThrowNoCurrentRecord();
    m_bDeleted = FALSE;
    m_nCurrent = RowCount() - 1;
}

void CDaoRecordset::Move(long lRows)
{
    CheckOpen();
    LeaveEdit();
    KeepAllRows();
    if (lRows == 0)
    {
        CheckCurrent();
        return;
    }
    INT_PTR nFrom = m_nCurrent;
    if (m_bDeleted)
    {
        // A deleted row sat just before the row that now has its index.
        if (lRows > 0)
            --nFrom;
    }
    else if (RowCount() == 0 || m_nCurrent < 0 || m_nCurrent >= RowCount())
        ThrowNoCurrentRecord();
    INT_PTR nTarget = nFrom + lRows;
    if (nTarget < 0)
        nTarget = -1;
    if (nTarget > RowCount())
        nTarget = RowCount();
    m_bDeleted = FALSE;
    m_nCurrent = nTarget;
}

INT_PTR CDaoRecordset::PlaceOfRow(LONGLONG nRowId)
{
    // Built once for the rows as they stand, so that a find among many
    // rows does not walk them all to place each match.
    if (!m_bRowPlaces || m_rowPlaces.size() != m_rows.size())
    {
        m_rowPlaces.clear();
        m_rowPlaces.reserve(m_rows.size());
        for (size_t i = 0; i < m_rows.size(); ++i)
            m_rowPlaces.emplace_back(m_rows[i].nRowId, (INT_PTR)i);
        std::sort(m_rowPlaces.begin(), m_rowPlaces.end());
        m_bRowPlaces = TRUE;
    }
    auto found = std::lower_bound(m_rowPlaces.begin(), m_rowPlaces.end(), std::make_pair((long long)nRowId, (INT_PTR)-1));
    if (found == m_rowPlaces.end() || found->first != nRowId)
        return -1;
    return found->second;
}

void CDaoRecordset::ForgetRowPlaces()
{
    m_bRowPlaces = FALSE;
    m_rowPlaces.clear();
}

const CString& CDaoRecordset::FindCriteria(LPCSTR lpszFilter)
{
    CDaoRecordsetStatements& statements = Statements();
    if (statements.m_strFindFilter != lpszFilter)
    {
        CString criteria = DaoLikeToSqlite(DBTextToDriver(lpszFilter));
        criteria.TrimLeft();
        criteria.TrimRight();
        statements.m_strFindFilter = lpszFilter;
        statements.m_strFindCriteria = std::move(criteria);
        statements.m_strFindSQL.Empty();
        statements.m_findLiterals.clear();
    }
    return statements.m_strFindCriteria;
}

void CDaoRecordset::MatchingRows(LPCSTR lpszFilter, std::vector<INT_PTR>& places)
{
    sqlite3* pDb = m_pDatabase->RequireHandle();
    const CString& criteria = FindCriteria(lpszFilter);
    if (criteria.IsEmpty())
        AfxThrowDaoException(DAOERR_SYNTAX, "Syntax error: empty search criteria.");
    UnpackRows();
    places.clear();
    // The table itself answers when the criteria name only its columns, so
    // its indexes and column affinities apply; result aliases need the rows.
    if (sqlite3_stmt* pStmt = m_bUpdatable ? PrepareTableFind(pDb) : NULL)
    {
        int nResult;
        while ((nResult = sqlite3_step(pStmt)) == SQLITE_ROW)
        {
            // Rows of the table that the result does not hold are no match.
            INT_PTR nPlace = PlaceOfRow(sqlite3_column_int64(pStmt, 0));
            if (nPlace >= 0)
                places.push_back(nPlace);
        }
        sqlite3_reset(pStmt);
        if (nResult != SQLITE_DONE)
            DaoThrowSqliteError(pDb, nResult);
        std::sort(places.begin(), places.end());
        return;
    }
    CString query = "SELECT (" + criteria + ") FROM (SELECT ";
    for (size_t i = 0; i < m_columns.size(); ++i)
    {
        CString item;
        item.Format("%s?%d AS ", i > 0 ? ", " : "", (int)i + 1);
        query += item + DaoQuoteName(DBTextToDriver(m_columns[i].strName));
    }
    query += ")";
    CDaoStatement stmt;
    stmt.Prepare(pDb, query);
    for (size_t r = 0; r < m_rows.size(); ++r)
    {
        sqlite3_reset(stmt);
        for (size_t i = 0; i < m_columns.size(); ++i)
            DaoBindValue(stmt, (int)i + 1, m_rows[r].values[i]);
        if (stmt.Step(pDb) && sqlite3_column_type(stmt, 0) != SQLITE_NULL && sqlite3_column_double(stmt, 0) != 0.0)
            places.push_back((INT_PTR)r);
    }
}

CDaoRecordsetStatements& CDaoRecordset::Statements()
{
    if (m_pStatements == nullptr)
        m_pStatements.reset(new CDaoRecordsetStatements);
    return *m_pStatements;
}

sqlite3_stmt* CDaoRecordset::PrepareTableFind(sqlite3* pDb)
{
    CDaoRecordsetStatements& statements = Statements();
    const CString& criteria = statements.m_strFindCriteria;
    // Made once for the criteria FindCriteria keeps.
    if (statements.m_strFindSQL.IsEmpty())
        statements.m_strFindSQL = TableFindSql(m_strTable, DaoParameterize(criteria, statements.m_findLiterals));
    sqlite3_stmt* pStmt = statements.m_find.TryGet(pDb, statements.m_strFindSQL);
    if (pStmt == NULL)
    {
        // A literal SQLite takes only as written (a type's length in a
        // CAST, say): the criteria as they stand.
        return statements.m_find.TryGet(pDb, TableFindSql(m_strTable, criteria));
    }
    const std::vector<CDaoSqlLiteral>& literals = statements.m_findLiterals;
    for (size_t k = 0; k < literals.size(); ++k)
    {
        const CDaoSqlLiteral& literal = literals[k];
        int nParam = (int)k + 1;
        if (literal.m_kind == CDaoSqlLiteral::text)
            sqlite3_bind_text(pStmt, nParam, literal.m_strText, literal.m_strText.GetLength(), SQLITE_TRANSIENT);
        else
        {
            errno = 0;
            long long n = strtoll(literal.m_strText, NULL, 10);
            if (literal.m_kind == CDaoSqlLiteral::integer && errno == 0)
                sqlite3_bind_int64(pStmt, nParam, n);
            else
                sqlite3_bind_double(pStmt, nParam, strtod(literal.m_strText, NULL));
        }
    }
    return pStmt;
}

BOOL CDaoRecordset::FindFrom(LPCSTR lpszFilter, int nStart, int nStep)
{
    CheckOpen();
    LeaveEdit();
    KeepAllRows();
    std::vector<INT_PTR> places;
    MatchingRows(lpszFilter, places);
    if (nStart < 0 || nStart >= RowCount())
        return FALSE;
    // The nearest matching row from nStart on in the direction of nStep.
    INT_PTR nFound = -1;
    if (nStep > 0)
    {
        auto next = std::lower_bound(places.begin(), places.end(), (INT_PTR)nStart);
        if (next != places.end())
            nFound = *next;
    }
    else
    {
        auto after = std::upper_bound(places.begin(), places.end(), (INT_PTR)nStart);
        if (after != places.begin())
            nFound = *(after - 1);
    }
    if (nFound < 0)
        return FALSE;
    m_bDeleted = FALSE;
    m_nCurrent = nFound;
    return TRUE;
}

BOOL CDaoRecordset::FindFirst(LPCSTR lpszFilter)
{
    return FindFrom(lpszFilter, 0, +1);
}

BOOL CDaoRecordset::FindLast(LPCSTR lpszFilter)
{
    CheckOpen();
    KeepAllRows();
    return FindFrom(lpszFilter, (int)RowCount() - 1, -1);
}

BOOL CDaoRecordset::FindNext(LPCSTR lpszFilter)
{
    CheckOpen();
    INT_PTR nStart = m_bDeleted ? m_nCurrent : m_nCurrent + 1;
    if (nStart < 0)
        nStart = 0;
    return FindFrom(lpszFilter, (int)nStart, +1);
}

BOOL CDaoRecordset::FindPrev(LPCSTR lpszFilter)
{
    CheckOpen();
    KeepAllRows();
    INT_PTR nStart = m_nCurrent - 1;
    if (nStart >= RowCount())
        nStart = RowCount() - 1;
    return FindFrom(lpszFilter, (int)nStart, -1);
}

BOOL CDaoRecordset::Find(long lFindType, LPCSTR lpszFilter)
{
    switch (lFindType)
    {
    case AFX_DAO_FIRST:
        return FindFirst(lpszFilter);
    case AFX_DAO_LAST:
        return FindLast(lpszFilter);
    case AFX_DAO_NEXT:
        return FindNext(lpszFilter);
    case AFX_DAO_PREV:
        return FindPrev(lpszFilter);
    default:
        AfxThrowInvalidArgException();
    }
}

