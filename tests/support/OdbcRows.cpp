#include "tests/support/Gtest.h"
#include "tests/support/OdbcRows.h"

std::vector<std::string> OdbcRowList(CDatabase& db, LPCSTR lpszSQL)
{
    std::vector<std::string> rows;
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    EXPECT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, db.m_hdbc, &hstmt)));
    EXPECT_TRUE(SQL_SUCCEEDED(SQLExecDirect(hstmt, (SQLCHAR*)lpszSQL, SQL_NTS))) << lpszSQL;
    SQLSMALLINT columns = 0;
    SQLNumResultCols(hstmt, &columns);
    while (SQL_SUCCEEDED(SQLFetch(hstmt)))
    {
        std::string row;
        for (SQLSMALLINT c = 1; c <= columns; ++c)
        {
            char value[512] = "";
            SQLLEN length = 0;
            SQLGetData(hstmt, c, SQL_C_CHAR, value, sizeof(value), &length);
            if (c > 1)
                row += "|";
            row += length == SQL_NULL_DATA ? "NULL" : value;
        }
        rows.push_back(row);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    return rows;
}

CString OdbcRows(CDatabase& db, LPCSTR lpszSQL)
{
    CString joined;
    for (const std::string& row : OdbcRowList(db, lpszSQL))
    {
        if (!joined.IsEmpty())
            joined += ";";
        joined += row.c_str();
    }
    return joined;
}
