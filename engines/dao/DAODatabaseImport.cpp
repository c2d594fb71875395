// Text and HTML sources: copied into a temporary database at Open, written
// back at Close after a change.  Paradox tables have no reader here.
#include "engines/dao/DAODatabase.h"

#include "engines/common/DataSourceType.h"
#include "engines/dao/DaoErrorReport.h"
#include "engines/dao/SourceFiles.h"
#include "engines/dao/SourceTable.h"
#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"

#include <sqlite3.h>

namespace {

// "name" with each " doubled: a table or column name in SQL text.
CString QuotedName(const CString& strName)
{
    CString strQuoted("\"");
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        if (strName[i] == '"')
            strQuoted += '"';
        strQuoted += strName[i];
    }
    return strQuoted + "\"";
}

// Every column is text: the values come back exactly as they were read,
// and comparisons with numbers compare their text.
void CreateTable(CDaoDatabase& db, const CSourceTable& table)
{
    CString strSQL = "CREATE TABLE " + QuotedName(table.m_strName) + " (";
    for (size_t i = 0; i < table.m_columns.size(); ++i)
        strSQL += (i > 0 ? ", " : "") + QuotedName(table.m_columns[i]) + " TEXT";
    db.Execute(strSQL + ")");
    for (const std::vector<CSourceValue>& row : table.m_rows)
    {
        CString strInsert = "INSERT INTO " + QuotedName(table.m_strName) + " VALUES (";
        for (size_t i = 0; i < row.size(); ++i)
            strInsert += (i > 0 ? ", " : "") + (row[i].m_bNull ? CString("NULL") : SqlQuote(row[i].m_strText));
        db.Execute(strInsert + ")");
    }
}

// Run one query to its end, handing over each row.
template <typename ROW>
void EachRow(CDaoDatabase& db, const CString& strSQL, ROW onRow)
{
    sqlite3_stmt* pStmt = NULL;
    if (sqlite3_prepare_v2(db.RequireHandle(), strSQL, -1, &pStmt, NULL) != SQLITE_OK)
        AfxThrowDaoException(DAOERR_GENERIC, sqlite3_errmsg(db.GetHandle()));
    int rc;
    while ((rc = sqlite3_step(pStmt)) == SQLITE_ROW)
        onRow(pStmt);
    sqlite3_finalize(pStmt);
    if (rc != SQLITE_DONE)
        AfxThrowDaoException(DAOERR_GENERIC, sqlite3_errmsg(db.GetHandle()));
}

CString ColumnText(sqlite3_stmt* pStmt, int nColumn)
{
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(pStmt, nColumn));
    return p != NULL ? CString(p, sqlite3_column_bytes(pStmt, nColumn)) : CString();
}

// Every user table of the database, in the order they were made (the
// source's own order), with its rows in their stored order.
std::vector<CSourceTable> ReadTables(CDaoDatabase& db)
{
    std::vector<CString> names;
    EachRow(db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                "ORDER BY rowid",
            [&](sqlite3_stmt* pStmt) { names.push_back(ColumnText(pStmt, 0)); });
    std::vector<CSourceTable> tables;
    for (const CString& strName : names)
    {
        CSourceTable table;
        table.m_strName = strName;
        EachRow(db, "SELECT * FROM " + QuotedName(strName) + " ORDER BY rowid", [&](sqlite3_stmt* pStmt) {
            int nColumns = sqlite3_column_count(pStmt);
            std::vector<CSourceValue> row(nColumns);
            for (int i = 0; i < nColumns; ++i)
            {
                row[i].m_bNull = sqlite3_column_type(pStmt, i) == SQLITE_NULL;
                row[i].m_strText = ColumnText(pStmt, i);
            }
            table.m_rows.push_back(row);
        });
        // The names also for a table without rows.
        sqlite3_stmt* pStmt = NULL;
        if (sqlite3_prepare_v2(db.RequireHandle(), "SELECT * FROM " + QuotedName(strName), -1, &pStmt, NULL)
            == SQLITE_OK)
        {
            for (int i = 0; i < sqlite3_column_count(pStmt); ++i)
                table.m_columns.push_back(sqlite3_column_name(pStmt, i));
        }
        sqlite3_finalize(pStmt);
        tables.push_back(table);
    }
    return tables;
}

}

BOOL CDAODatabase::ImportDatabase()
{
    m_strTempPath.Empty();
    if (m_nType != DSTYPE_TEXT && m_nType != DSTYPE_HTML)
    {
        AfxMessageBox("Paradox tables cannot be opened: there is no Paradox engine here.");
        return FALSE;
    }
    std::vector<CSourceTable> tables;
    CString strError;
    BOOL bRead = m_nType == DSTYPE_TEXT ? ReadTextSource(m_strDatabase, tables, strError)
                                        : ReadHtmlSource(m_strDatabase, tables, strError);
    if (!bRead)
    {
        AfxMessageBox(strError);
        return FALSE;
    }
    // A name of its own, so that two programs on one source never share
    // (or delete) each other's working copy.
    CString strTemp = UniqueFileBeside(SourceFolder(m_nType, m_strDatabase));
    if (strTemp.IsEmpty())
    {
        AfxMessageBox("No temporary database can be made beside " + m_strDatabase + ".");
        return FALSE;
    }
    try
    {
        m_pDaoDatabase->Create(strTemp);
        m_pDaoDatabase->BeginTrans();
        for (const CSourceTable& table : tables)
            CreateTable(*m_pDaoDatabase, table);
        m_pDaoDatabase->CommitTrans();
    }
    catch (CDaoException* e)
    {
        ReportDaoException(e);
        e->Delete();
        m_pDaoDatabase->Close();
        DeleteFileA(strTemp);
        return FALSE;
    }
    m_strTempPath = strTemp;
    m_bModified = FALSE;
    return TRUE;
}

BOOL CDAODatabase::WriteBackDatabase()
{
    if (m_nType != DSTYPE_TEXT && m_nType != DSTYPE_HTML)
        return FALSE;
    std::vector<CSourceTable> tables = ReadTables(*m_pDaoDatabase);
    CString strError;
    BOOL bWritten = m_nType == DSTYPE_TEXT ? WriteTextSource(m_strDatabase, tables, strError)
                                           : WriteHtmlSource(m_strDatabase, tables, strError);
    if (!bWritten)
        AfxMessageBox(strError);
    return bWritten;
}
