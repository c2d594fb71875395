#include "tests/engines/dao/ReportDatabaseFile.h"

#include <stdlib.h>

namespace
{

const char kWriteLog[] =
    "CREATE TABLE test_writes (n INTEGER);"
    "CREATE TRIGGER test_ins AFTER INSERT ON ss_datalist BEGIN INSERT INTO test_writes VALUES (1); END;"
    "CREATE TRIGGER test_upd AFTER UPDATE ON ss_datalist BEGIN INSERT INTO test_writes VALUES (2); END;"
    "CREATE TRIGGER test_del AFTER DELETE ON ss_datalist BEGIN INSERT INTO test_writes VALUES (3); END;";

} // namespace

ReportDatabaseFile::ReportDatabaseFile() : m_strPath(m_folder.Path("kem.mdb")), m_pDb(NULL)
{
    EXPECT_EQ(SQLITE_OK, sqlite3_open(DaoUnixPath(m_strPath), &m_pDb));
    Exec(ReportSchemaSql().c_str());
    Exec(kWriteLog);
}

ReportDatabaseFile::~ReportDatabaseFile()
{
    sqlite3_close(m_pDb);
}

void ReportDatabaseFile::Exec(const char* lpszSql)
{
    char* pError = NULL;
    int rc = sqlite3_exec(m_pDb, lpszSql, NULL, NULL, &pError);
    EXPECT_EQ(SQLITE_OK, rc) << (pError != NULL ? pError : "") << "\n" << lpszSql;
    sqlite3_free(pError);
}

std::vector<std::string> ReportDatabaseFile::Rows(const char* lpszSql)
{
    std::vector<std::string> rows;
    sqlite3_stmt* pStmt = NULL;
    EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(m_pDb, lpszSql, -1, &pStmt, NULL)) << sqlite3_errmsg(m_pDb);
    while (pStmt != NULL && sqlite3_step(pStmt) == SQLITE_ROW)
    {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(pStmt); ++i)
        {
            if (i > 0)
                row += "|";
            const unsigned char* p = sqlite3_column_text(pStmt, i);
            row += p != NULL ? std::string((const char*)p) : std::string("<null>");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(pStmt);
    return rows;
}

int ReportDatabaseFile::WriteCount()
{
    std::vector<std::string> rows = Rows("SELECT count(*) FROM test_writes");
    return rows.empty() ? -1 : atoi(rows[0].c_str());
}

