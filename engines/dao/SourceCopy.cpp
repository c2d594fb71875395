#include <unordered_map>

#include "engines/dao/SourceCopy.h"

#include "engines/common/DataSourceType.h"
#include "engines/common/ReportDataRules.h"
#include "engines/dao/FileLength.h"
#include "engines/dao/ReportingNames.h"
#include "engines/dao/SourceNumbers.h"
#include "framework/db/DBText.h"
#include "framework/db/DaoDatabase.h"
#include "framework/db/DaoException.h"
#include "framework/db/DaoStatement.h"


namespace
{

const char kCreateBookkeeping[] =
    "CREATE TABLE MSysSource (nType INTEGER, strDatabase TEXT);"
    "CREATE TABLE MSysSourceTables (nOrder INTEGER PRIMARY KEY, strName TEXT UNIQUE, strFile TEXT,"
    " bChanged INTEGER NOT NULL DEFAULT 0, strCodePage TEXT, bCellKinds INTEGER, nVersion INTEGER,"
    " nLastRow INTEGER, nFileRecords INTEGER, strStamp TEXT, nKeyFields INTEGER NOT NULL DEFAULT 0);"
    "CREATE TABLE MSysSourceFields (strTable TEXT, nOrder INTEGER, strName TEXT, chType TEXT, nWidth INTEGER,"
    " nDecimals INTEGER, PRIMARY KEY (strTable, nOrder));"
    "CREATE TABLE MSysSourceCells (strTable TEXT, nRow INTEGER, strKinds TEXT, PRIMARY KEY (strTable, nRow))"
    " WITHOUT ROWID;";

// bChanged in MSysSourceTables: rows were only added to the table since it
// was last written, or rows were changed or deleted too.
const int kRowsAdded = 1;
const int kRowsChanged = 2;

// A cell kind in MSysSourceCells: a number, a text, or changed since it
// was read (the write-back judges it by its column and its text).
const char kNumberCell = 'N';
const char kTextCell = 'T';
const char kChangedCell = '?';

void BindText(sqlite3_stmt* pStmt, int nIndex, const CString& strText)
{
    sqlite3_bind_text(pStmt, nIndex, strText, strText.GetLength(), SQLITE_TRANSIENT);
}

// Binds the text without a copy: it must stay unchanged until the
// statement has been stepped.
void BindKeptText(sqlite3_stmt* pStmt, int nIndex, const CString& strText)
{
    sqlite3_bind_text(pStmt, nIndex, strText, strText.GetLength(), SQLITE_STATIC);
}

CString ColumnText(sqlite3_stmt* pStmt, int nColumn)
{
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(pStmt, nColumn));
    return p != NULL ? CString(p, sqlite3_column_bytes(pStmt, nColumn)) : CString();
}

// As ColumnText, into strText, whose buffer is kept (see SetSourceText).
void SetColumnText(CString& strText, sqlite3_stmt* pStmt, int nColumn)
{
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(pStmt, nColumn));
    SetSourceText(strText, p, p != NULL ? sqlite3_column_bytes(pStmt, nColumn) : 0);
}

// The same for a file of the system code page: the copy's UTF-8 converted
// straight from the column.
void SetColumnCodePageText(CString& strText, sqlite3_stmt* pStmt, int nColumn)
{
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(pStmt, nColumn));
    DBTextFromDriver(p != NULL ? p : "", p != NULL ? sqlite3_column_bytes(pStmt, nColumn) : 0, strText);
}

// The kinds of values a column of a worksheet holds, as its rows go by.
const BYTE kHoldsNumbers = 1;
const BYTE kHoldsTexts = 2;

// 'N' when every value of the column that has one is a number, 'T' when
// every one is a text, '?' when they are mixed or there is none.
char ColumnKind(BYTE held)
{
    return held == kHoldsNumbers ? kNumberCell : held == kHoldsTexts ? kTextCell : kChangedCell;
}

CString Quoted(const CString& strText)
{
    CString strQuoted(strText);
    strQuoted.Replace("'", "''");
    return "'" + strQuoted + "'";
}

// The triggers that mark the table changed (by added rows only, or by
// changed or deleted ones), and with cell kinds keep the
// kinds of its rows: a changed cell becomes '?', a new row all '?', a
// deleted row loses its record.
CString TriggerSql(const CSourceTable& table, int nOrder, BOOL bCellKinds)
{
    CString strName = DaoQuoteName(table.m_strName);
    CString strTableLiteral = Quoted(table.m_strName);
    CString strAdded, strMark;
    strAdded.Format("UPDATE MSysSourceTables SET bChanged=%d WHERE nOrder=%d AND bChanged=0;", kRowsAdded, nOrder);
    strMark.Format("UPDATE MSysSourceTables SET bChanged=%d WHERE nOrder=%d AND bChanged<%d;", kRowsChanged, nOrder,
                   kRowsChanged);
    CString strAllChanged(kChangedCell, (int)table.m_columns.size());
    CString strAllText(kTextCell, (int)table.m_columns.size());
    CString strPrefix;
    strPrefix.Format("CREATE TRIGGER \"MSysChange%d", nOrder);
    CString strInsert = strPrefix + "i\" AFTER INSERT ON " + strName + " BEGIN " + strAdded;
    CString strUpdate = strPrefix + "u\" AFTER UPDATE ON " + strName + " BEGIN " + strMark;
    CString strDelete = strPrefix + "d\" AFTER DELETE ON " + strName + " BEGIN " + strMark;
    if (bCellKinds)
    {
        strInsert += "INSERT OR REPLACE INTO MSysSourceCells VALUES (" + strTableLiteral + ", NEW._rowid_, '"
                     + strAllChanged + "');";
        CString strKinds;
        for (size_t i = 0; i < table.m_columns.size(); ++i)
        {
            CString strColumn = DaoQuoteName(table.m_columns[i]);
            CString strPart;
            strPart.Format("(CASE WHEN NEW.%s IS OLD.%s THEN substr(strKinds, %d, 1) ELSE '?' END)",
                           (LPCSTR)strColumn, (LPCSTR)strColumn, (int)i + 1);
            strKinds += (i > 0 ? " || " : "") + strPart;
        }
        strUpdate += "INSERT OR IGNORE INTO MSysSourceCells VALUES (" + strTableLiteral + ", NEW._rowid_, '"
                     + strAllText + "');UPDATE MSysSourceCells SET strKinds = " + strKinds + " WHERE strTable="
                     + strTableLiteral + " AND nRow=NEW._rowid_;";
        strDelete += "DELETE FROM MSysSourceCells WHERE strTable=" + strTableLiteral + " AND nRow=OLD._rowid_;";
    }
    return strInsert + " END;" + strUpdate + " END;" + strDelete + " END;";
}

BOOL HoldsColumn(const CSourceTable& table, LPCSTR lpszName)
{
    for (const CString& strColumn : table.m_columns)
        if (strColumn.CompareNoCase(lpszName) == 0)
            return TRUE;
    return FALSE;
}

// The indexes of a table that holds report data: the programs find its
// rows one cell key at a time, and a worksheet's rows by a NULL value to
// reuse them; without an index each such find reads the whole table.
CString ReportDataIndexSql(const CSourceTable& table, BOOL bCellKinds)
{
    static const LPCSTR kKey[] = {RD_ORGCODE, RD_TIME, RD_ROWITEM, RD_COLITEM, RD_LINE, RD_CURTYPE};
    CString strColumns;
    for (LPCSTR lpszColumn : kKey)
    {
        if (!HoldsColumn(table, lpszColumn))
            return CString();
        strColumns += (strColumns.IsEmpty() ? "" : ", ") + DaoQuoteName(lpszColumn);
    }
    CString strTable = DaoQuoteName(table.m_strName);
    CString strSql = "CREATE INDEX " + DaoQuoteName("MSysKey " + table.m_strName) + " ON " + strTable + " ("
                     + strColumns + ");";
    if (bCellKinds && HoldsColumn(table, RD_VALUE))
        strSql += "CREATE INDEX " + DaoQuoteName("MSysFree " + table.m_strName) + " ON " + strTable + " ("
                  + DaoQuoteName(RD_VALUE) + ") WHERE " + DaoQuoteName(RD_VALUE) + " IS NULL;";
    return strSql;
}


// Runs statements whose texts are in the copy's own form (UTF-8) already.
void ExecuteStored(CDaoDatabase& db, const CString& strSQL)
{
    sqlite3* pDb = db.RequireHandle();
    int nResult = sqlite3_exec(pDb, strSQL, NULL, NULL, NULL);
    if (nResult != SQLITE_OK)
        DaoThrowSqliteError(pDb, nResult);
}

// The sources whose files hold text in the system code page, kept in the
// copy as UTF-8; the libraries of the others give UTF-8 themselves.
BOOL HoldsCodePageTexts(int nType)
{
    return (nType >= DSTYPE_DBASE3 && nType <= DSTYPE_FOXPRO26) || (nType >= DSTYPE_PARADOX3 && nType <= DSTYPE_PARADOX5)
           || nType == DSTYPE_TEXT;
}

} // namespace

void CSourceCopy::Create(int nType, const CString& strDatabase)
{
    ExecuteStored(m_db, kCreateBookkeeping);
    m_nOriginType = nType;
    CDaoStatement stmt;
    stmt.Prepare(m_db.RequireHandle(), "INSERT INTO MSysSource VALUES (?, ?)");
    sqlite3_bind_int(stmt, 1, nType);
    BindText(stmt, 2, strDatabase);
    stmt.Step(m_db.GetHandle());
}

BOOL CSourceCopy::AddTable(const CSourceTable& table, const CString& strFile, BOOL bCellKinds, CString& strReason)
{
    sqlite3* pDb = m_db.RequireHandle();
    CDaoStatement entry;
    entry.Prepare(pDb, "INSERT INTO MSysSourceTables (strName, strFile, strCodePage, bCellKinds, nVersion, nKeyFields)"
                       " VALUES (?, ?, ?, ?, ?, ?)");
    // The table as the copy names it: names and texts in UTF-8.
    CSourceTable stored;
    stored.m_strName = StoredName(table.m_strName);
    BindText(entry, 1, stored.m_strName);
    BindText(entry, 2, strFile);
    BindText(entry, 3, table.m_strCodePage);
    sqlite3_bind_int(entry, 4, bCellKinds);
    sqlite3_bind_int(entry, 5, table.m_nVersion);
    sqlite3_bind_int(entry, 6, table.m_nKeyFields);
    entry.Step(pDb);
    int nOrder = (int)sqlite3_last_insert_rowid(pDb);
    for (const CString& strColumn : table.m_columns)
        stored.m_columns.push_back(StoredText(strColumn));
    BOOL bCodePage = CodePageTexts();
    std::vector<CString> storedTexts(bCodePage ? table.m_columns.size() : 0);
    // A blank worksheet has no column, and no table can be made of it: it
    // is only listed, so that its file keeps it at the write-back.
    if (table.m_columns.empty())
        return TRUE;

    CString strName = DaoQuoteName(stored.m_strName);
    CString strCreate = "CREATE TABLE " + strName + " (";
    CString strMarks;
    for (size_t i = 0; i < stored.m_columns.size(); ++i)
    {
        strCreate += (i > 0 ? ", " : "") + DaoQuoteName(stored.m_columns[i]) + " TEXT";
        strMarks += i > 0 ? ", ?" : "?";
    }
    ExecuteStored(m_db, strCreate + ")");

    // Values are bound with their length: a '\0' inside a text stays.
    // SQLite reads the texts in place: each row's are bound before its
    // step, while the row holds them.
    CDaoStatement insert;
    insert.Prepare(pDb, "INSERT INTO " + strName + " VALUES (" + strMarks + ")");
    CDaoStatement kinds;
    kinds.Prepare(pDb, "INSERT INTO MSysSourceCells VALUES (?, ?, ?)");
    std::vector<BYTE> held(table.m_columns.size(), 0);
    int nRows = 0;
    sqlite3_int64 nLastRow = 0;
    auto insertRow = [&](const std::vector<CSourceValue>& row) {
        BOOL bNumbers = FALSE;
        for (size_t i = 0; i < table.m_columns.size(); ++i)
        {
            if (i >= row.size() || row[i].m_bNull)
            {
                sqlite3_bind_null(insert, (int)i + 1);
                continue;
            }
            const CString& strText = row[i].m_strText;
            if (bCodePage && !AfxIsAsciiText(strText, strText.GetLength()))
            {
                DBTextToDriver(strText, strText.GetLength(), storedTexts[i]);
                BindKeptText(insert, (int)i + 1, storedTexts[i]);
            }
            else
                BindKeptText(insert, (int)i + 1, strText);
            held[i] |= row[i].m_bNumber ? kHoldsNumbers : kHoldsTexts;
            bNumbers = bNumbers || row[i].m_bNumber;
        }
        insert.Step(pDb);
        sqlite3_reset(insert);
        ++nRows;
        nLastRow = sqlite3_last_insert_rowid(pDb);
        if (bCellKinds && bNumbers)
        {
            CString strKinds;
            for (size_t i = 0; i < table.m_columns.size(); ++i)
                strKinds += i < row.size() && row[i].m_bNumber ? kNumberCell : kTextCell;
            BindText(kinds, 1, stored.m_strName);
            sqlite3_bind_int64(kinds, 2, nLastRow);
            BindText(kinds, 3, strKinds);
            kinds.Step(pDb);
            sqlite3_reset(kinds);
        }
        return TRUE;
    };
    if (!ForEachSourceRow(table, strReason, insertRow))
        return FALSE;
    NoteFileRows(nOrder, nLastRow, nRows, FileStamp(strFile));
    // The fields after the rows: a worksheet column's kind is known once
    // every row has gone by.
    CDaoStatement field;
    field.Prepare(pDb, "INSERT INTO MSysSourceFields VALUES (?, ?, ?, ?, ?, ?)");
    for (size_t i = 0; i < table.m_columns.size(); ++i)
    {
        CSourceField definition;
        if (i < table.m_fields.size())
            definition = table.m_fields[i];
        else
        {
            definition.m_strName = table.m_columns[i];
            // A code typed as a number in a cell stays as read; a changed
            // or added one goes back as a text.
            definition.m_chType = !bCellKinds ? 0
                                  : IsReportingTextColumn(table.m_strName, table.m_columns[i]) ? kTextCell
                                                                                              : ColumnKind(held[i]);
        }
        BindText(field, 1, stored.m_strName);
        sqlite3_bind_int(field, 2, (int)i);
        BindText(field, 3, definition.m_strName);
        BindText(field, 4, CString(definition.m_chType, definition.m_chType != 0 ? 1 : 0));
        sqlite3_bind_int(field, 5, definition.m_nWidth);
        sqlite3_bind_int(field, 6, definition.m_nDecimals);
        field.Step(pDb);
        sqlite3_reset(field);
    }

    // After the rows: reading the source is no change, and an index is
    // made faster whole than row by row.
    CString strIndexes = ReportDataIndexSql(stored, bCellKinds);
    if (!strIndexes.IsEmpty())
        ExecuteStored(m_db, strIndexes);
    ExecuteStored(m_db, TriggerSql(stored, nOrder, bCellKinds));
    return TRUE;
}

int CSourceCopy::OriginType()
{
    if (m_nOriginType == kUnknownOrigin)
    {
        int nType = 0;
        CString strDatabase;
        m_nOriginType = ReadOrigin(nType, strDatabase) ? nType : kNoOrigin;
    }
    return m_nOriginType;
}

BOOL CSourceCopy::CodePageTexts()
{
    return HoldsCodePageTexts(OriginType());
}

CString CSourceCopy::StoredText(const CString& strText)
{
    return CodePageTexts() ? DBTextToDriver(strText) : strText;
}

BOOL CSourceCopy::ReadOrigin(int& nType, CString& strDatabase)
{
    CDaoStatement stmt;
    if (!stmt.TryPrepare(m_db.RequireHandle(), "SELECT nType, strDatabase FROM MSysSource"))
        return FALSE;
    if (!stmt.Step(m_db.GetHandle()))
        return FALSE;
    nType = sqlite3_column_int(stmt, 0);
    strDatabase = ColumnText(stmt, 1);
    return TRUE;
}

void CSourceCopy::NoteFileRows(int nOrder, long long nLastRow, int nRecords, const CString& strStamp)
{
    sqlite3* pDb = m_db.RequireHandle();
    CDaoStatement stmt;
    // A copy left by a session that kept no such record has no columns
    // for it.
    if (!stmt.TryPrepare(pDb, "UPDATE MSysSourceTables SET nLastRow=?, nFileRecords=?, strStamp=? WHERE nOrder=?"))
        return;
    sqlite3_bind_int64(stmt, 1, nLastRow);
    sqlite3_bind_int(stmt, 2, nRecords);
    BindText(stmt, 3, strStamp);
    sqlite3_bind_int(stmt, 4, nOrder);
    stmt.Step(pDb);
}

BOOL CSourceCopy::RowsOnlyAdded(const CString& strName, CSourceAddedRows& added)
{
    sqlite3* pDb = m_db.RequireHandle();
    CDaoStatement stmt;
    // A copy left by a session that kept no such record has no columns
    // for it: its tables are written whole.
    if (!stmt.TryPrepare(pDb, "SELECT nLastRow, nFileRecords, strStamp FROM MSysSourceTables"
                              " WHERE strName=? AND bChanged=? AND strStamp<>''"))
        return FALSE;
    BindText(stmt, 1, StoredName(strName));
    sqlite3_bind_int(stmt, 2, kRowsAdded);
    if (!stmt.Step(pDb))
        return FALSE;
    added.m_nLastRow = sqlite3_column_int64(stmt, 0);
    added.m_nFileRecords = sqlite3_column_int(stmt, 1);
    added.m_strStamp = ColumnText(stmt, 2);
    return TRUE;
}

std::vector<CString> CSourceCopy::ChangedTables()
{
    return Names("SELECT strName FROM MSysSourceTables WHERE bChanged ORDER BY nOrder");
}

std::vector<CString> CSourceCopy::AllTables()
{
    return Names("SELECT strName FROM MSysSourceTables ORDER BY nOrder");
}

std::vector<CString> CSourceCopy::Names(LPCSTR lpszSQL)
{
    std::vector<CString> names;
    CDaoStatement stmt;
    stmt.Prepare(m_db.RequireHandle(), lpszSQL);
    while (stmt.Step(m_db.GetHandle()))
        names.push_back(UTF8Names() ? ColumnText(stmt, 0) : DBTextFromDriver(ColumnText(stmt, 0)));
    return names;
}

BOOL CSourceCopy::UTF8Names()
{
    return IsExcelType(OriginType()) || OriginType() == DSTYPE_HTML;
}

CString CSourceCopy::StoredName(const CString& strName)
{
    return UTF8Names() ? strName : DBTextToDriver(strName);
}

struct CSourceCopyRows::CRowKinds
{
    std::unordered_map<long long, CString> m_kinds;
};

CSourceTable CSourceCopy::ReadTable(const CString& strName, CString& strFile, CSourceCopyRows* pRows,
                                    long long nAfterRow)
{
    sqlite3* pDb = m_db.RequireHandle();
    CSourceTable table;
    table.m_strName = strName;
    CSourceCopyRows ownRows;
    CSourceCopyRows& rows = pRows != NULL ? *pRows : ownRows;
    rows.m_pDb = pDb;
    rows.m_bCodePageTexts = CodePageTexts();
    const CString strStoredName = StoredName(strName);
    {
        CDaoStatement entry;
        entry.Prepare(pDb, "SELECT strFile, strCodePage, bCellKinds, nVersion FROM MSysSourceTables WHERE strName=?");
        BindText(entry, 1, strStoredName);
        if (entry.Step(pDb))
        {
            strFile = ColumnText(entry, 0);
            table.m_strCodePage = ColumnText(entry, 1);
            rows.m_bCellKinds = sqlite3_column_int(entry, 2);
            table.m_nVersion = sqlite3_column_int(entry, 3);
        }
    }
    {
        // A copy left by a session that kept no keys has no column for them.
        CDaoStatement key;
        if (key.TryPrepare(pDb, "SELECT nKeyFields FROM MSysSourceTables WHERE strName=?"))
        {
            BindText(key, 1, strStoredName);
            if (key.Step(pDb))
                table.m_nKeyFields = sqlite3_column_int(key, 0);
        }
    }
    {
        CDaoStatement fields;
        fields.Prepare(pDb, "SELECT strName, chType, nWidth, nDecimals FROM MSysSourceFields WHERE strTable=? "
                            "ORDER BY nOrder");
        BindText(fields, 1, strStoredName);
        while (fields.Step(pDb))
        {
            CSourceField field;
            field.m_strName = ColumnText(fields, 0);
            CString strType = ColumnText(fields, 1);
            field.m_chType = strType.IsEmpty() ? 0 : strType[0];
            field.m_nWidth = sqlite3_column_int(fields, 2);
            field.m_nDecimals = sqlite3_column_int(fields, 3);
            rows.m_columnKinds.push_back(field.m_chType);
            if (!rows.m_bCellKinds && field.m_chType != 0)
                table.m_fields.push_back(field);
        }
    }
    // A blank worksheet, listed without a table.
    if (rows.m_columnKinds.empty())
        return table;
    if (rows.m_bCellKinds)
    {
        CDaoStatement kinds;
        kinds.Prepare(pDb, "SELECT nRow, strKinds FROM MSysSourceCells WHERE strTable=?");
        BindText(kinds, 1, strStoredName);
        while (kinds.Step(pDb))
            rows.m_pRowKinds->m_kinds[sqlite3_column_int64(kinds, 0)] = ColumnText(kinds, 1);
    }
    rows.m_pRows.reset(new CDaoStatement);
    CString strRows = "SELECT _rowid_, * FROM " + DaoQuoteName(strStoredName);
    if (nAfterRow > 0)
        strRows.AppendFormat(" WHERE _rowid_>%lld", nAfterRow);
    rows.m_pRows->Prepare(pDb, strRows + " ORDER BY _rowid_");
    int nColumns = sqlite3_column_count(*rows.m_pRows) - 1;
    for (int i = 0; i < nColumns; ++i)
    {
        CString strColumn = sqlite3_column_name(*rows.m_pRows, i + 1);
        table.m_columns.push_back(rows.m_bCodePageTexts ? DBTextFromDriver(strColumn) : strColumn);
    }
    if (pRows != NULL)
    {
        table.m_pRowReader = pRows;
        return table;
    }
    CString strReason;
    ReadSourceRows(rows, table.m_rows, strReason);
    rows.ThrowFailure();
    return table;
}

CSourceCopyRows::CSourceCopyRows() : m_pDb(NULL), m_bCellKinds(FALSE), m_bCodePageTexts(FALSE), m_pRowKinds(new CRowKinds), m_pFailure(NULL)
{
}

CSourceCopyRows::~CSourceCopyRows()
{
    if (m_pFailure != NULL)
        m_pFailure->Delete();
}

BOOL CSourceCopyRows::Next(std::vector<CSourceValue>& row, CString& strReason)
{
    if (m_pRows == nullptr || m_pFailure != NULL)
        return FALSE;
    try
    {
        if (!m_pRows->Step(m_pDb))
            return FALSE;
    }
    catch (CDaoException* e)
    {
        m_pFailure = e;
        strReason = e->m_pErrorInfo != NULL ? e->m_pErrorInfo->m_strDescription : CString("database error");
        return FALSE;
    }
    sqlite3_stmt* pStmt = *m_pRows;
    int nColumns = sqlite3_column_count(pStmt) - 1;
    row.resize(nColumns);
    std::unordered_map<long long, CString>& rowKinds = m_pRowKinds->m_kinds;
    auto found = m_bCellKinds ? rowKinds.find(sqlite3_column_int64(pStmt, 0)) : rowKinds.end();
    for (int i = 0; i < nColumns; ++i)
    {
        CSourceValue& value = row[i];
        value.m_bNull = sqlite3_column_type(pStmt, i + 1) == SQLITE_NULL;
        value.m_bNumber = false;
        if (m_bCodePageTexts)
            SetColumnCodePageText(value.m_strText, pStmt, i + 1);
        else
            SetColumnText(value.m_strText, pStmt, i + 1);
        if (!m_bCellKinds || value.m_bNull)
            continue;
        char chKind = found != rowKinds.end() && i < found->second.GetLength() ? found->second[i] : kTextCell;
        char chColumn = i < (int)m_columnKinds.size() ? m_columnKinds[i] : kChangedCell;
        value.m_bNumber = chKind == kNumberCell
                          || (chKind == kChangedCell && chColumn != kTextCell && IsPlainNumber(value.m_strText));
    }
    return TRUE;
}

void CSourceCopyRows::ThrowFailure()
{
    CDaoException* e = m_pFailure;
    m_pFailure = NULL;
    if (e != NULL)
        throw e;
}

CString CSourceCopy::FileChangedBehind(const std::vector<CString>& names)
{
    sqlite3* pDb = m_db.RequireHandle();
    CDaoStatement entry;
    // A copy left by a session that kept no stamps cannot tell.
    if (!entry.TryPrepare(pDb, "SELECT strFile, strStamp FROM MSysSourceTables WHERE strName=?"))
        return CString();
    for (const CString& strName : names)
    {
        BindText(entry, 1, StoredName(strName));
        if (entry.Step(pDb))
        {
            CString strFile = ColumnText(entry, 0);
            CString strStamp = ColumnText(entry, 1);
            if (!strFile.IsEmpty() && !strStamp.IsEmpty() && FileStamp(strFile) != strStamp)
                return strFile;
        }
        sqlite3_reset(entry);
    }
    return CString();
}

void CSourceCopy::MarkWritten(const std::vector<CString>& names, BOOL bNoteFileRows)
{
    sqlite3* pDb = m_db.RequireHandle();
    CDaoStatement stmt;
    stmt.Prepare(pDb, "UPDATE MSysSourceTables SET bChanged=0 WHERE strName=?");
    CDaoStatement entry;
    entry.Prepare(pDb, "SELECT nOrder, strFile FROM MSysSourceTables WHERE strName=?");
    CDaoStatement stamp;
    BOOL bStamps = stamp.TryPrepare(pDb, "UPDATE MSysSourceTables SET strStamp=? WHERE strFile=?");
    for (const CString& strName : names)
    {
        const CString strStoredName = StoredName(strName);
        BindText(stmt, 1, strStoredName);
        stmt.Step(pDb);
        sqlite3_reset(stmt);
        BindText(entry, 1, strStoredName);
        if (!entry.Step(pDb))
        {
            sqlite3_reset(entry);
            continue;
        }
        CString strFile = ColumnText(entry, 1);
        int nOrder = sqlite3_column_int(entry, 0);
        sqlite3_reset(entry);
        // The file as written, for the next write-back to compare with:
        // for a document, every table it holds.
        if (bStamps && !strFile.IsEmpty())
        {
            BindText(stamp, 1, FileStamp(strFile));
            BindText(stamp, 2, strFile);
            stamp.Step(pDb);
            sqlite3_reset(stamp);
        }
        if (!bNoteFileRows)
            continue;
        // The rows that the file now holds, for the next write-back to
        // add to.  A blank worksheet has no table to count.
        CDaoStatement count;
        if (count.TryPrepare(pDb, "SELECT max(_rowid_), count(*) FROM " + DaoQuoteName(strStoredName)) && count.Step(pDb))
            NoteFileRows(nOrder, sqlite3_column_int64(count, 0), sqlite3_column_int(count, 1), FileStamp(strFile));
    }
}
