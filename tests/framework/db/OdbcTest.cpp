#include "framework/db/OdbcDatabase.h"
#include "framework/db/SqlQuote.h"
#include "tests/support/Gtest.h"
#include "tests/support/OdbcRows.h"

// Wine's path mapping: the native driver opens files by their Unix name.
extern "C" char* CDECL wine_get_unix_file_name(LPCWSTR lpszDosName);

namespace
{

// A temporary SQLite file reached through the SQLite3 ODBC driver.
class OdbcTestFile
{
public:
    OdbcTestFile()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_strPath.Format("%sodbc_test_%lu.db", temp, (unsigned long)GetCurrentProcessId());
        DeleteFileA(m_strPath);
    }
    ~OdbcTestFile() { DeleteFileA(m_strPath); }
    // A Windows path would be taken literally and created in the current folder.
    CString Connect() const
    {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, m_strPath, -1, wide, MAX_PATH);
        char* unixName = wine_get_unix_file_name(wide);
        CString connect = CString("DRIVER={SQLite3};Database=") + (unixName != NULL ? unixName : "");
        HeapFree(GetProcessHeap(), 0, unixName);
        return connect;
    }
    CString m_strPath;
};

// The message of the CDBException the statement throws; "<none>" when none
// was thrown.  Checks the exception sits under the common database base.
template <class F>
CString OdbcErrorOf(F f, SQLRETURN* pRetCode = NULL)
{
    try
    {
        f();
    }
    catch (CDBException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CDatabaseException)));
        if (pRetCode != NULL)
            *pRetCode = e->m_nRetCode;
        char text[1024];
        e->GetErrorMessage(text, sizeof(text));
        e->Delete();
        return CString(text);
    }
    return CString("<none>");
}

} // namespace

TEST(OdbcDatabase, ConnectsWritesAndReadsBack)
{
    OdbcTestFile file;
    CDatabase db;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.OpenEx(file.Connect()));
    ASSERT_TRUE(db.IsOpen());
    EXPECT_TRUE(db.m_hdbc != SQL_NULL_HDBC);
    EXPECT_EQ(0, db.GetConnect().Left(5).Compare("ODBC;"));

    db.ExecuteSQL("CREATE TABLE t (id INTEGER, name TEXT)");
    db.ExecuteSQL("INSERT INTO t VALUES (1, " + SqlQuote("O'Brien") + ")");
    db.ExecuteSQL("INSERT INTO t VALUES (2, NULL)");
    // An update that matches nothing is not an error.
    db.ExecuteSQL("UPDATE t SET name = 'x' WHERE id = 99");
    EXPECT_STREQ("1|O'Brien;2|NULL", OdbcRows(db, "SELECT id, name FROM t ORDER BY id"));

    db.Close();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_STREQ("", db.GetConnect());
    // The rows are in the file, not only in the closed connection.
    db.Open(NULL, FALSE, FALSE, "ODBC;" + file.Connect());
    EXPECT_STREQ("1|O'Brien;2|NULL", OdbcRows(db, "SELECT id, name FROM t ORDER BY id"));
}

TEST(OdbcDatabase, BadStatementThrowsWithDriverMessage)
{
    OdbcTestFile file;
    CDatabase db;
    db.OpenEx(file.Connect());
    SQLRETURN rc = SQL_SUCCESS;
    CString message = OdbcErrorOf([&] { db.ExecuteSQL("SELEC nonsense"); }, &rc);
    EXPECT_STRNE("<none>", message);
    EXPECT_FALSE(message.IsEmpty());
    EXPECT_EQ(SQL_ERROR, rc);
    message = OdbcErrorOf([&] { db.ExecuteSQL("SELECT * FROM missing_table"); });
    EXPECT_NE(-1, message.Find("missing_table")) << (LPCSTR)message;
    // The connection survives a failed statement.
    db.ExecuteSQL("CREATE TABLE ok (x INTEGER)");
    EXPECT_STREQ("", OdbcRows(db, "SELECT x FROM ok"));
}

TEST(OdbcDatabase, DiagnosticsCarryStateText)
{
    OdbcTestFile file;
    CDatabase db;
    db.OpenEx(file.Connect());
    try
    {
        db.ExecuteSQL("SELEC nonsense");
        ADD_FAILURE() << "no exception";
    }
    catch (CDBException* e)
    {
        EXPECT_EQ(0, e->m_strStateNativeOrigin.Find("State:"));
        EXPECT_NE(-1, e->m_strStateNativeOrigin.Find(e->m_strError.Left(10)));
        e->Delete();
    }
}

TEST(OdbcDatabase, BadConnectFailsClearlyAndStaysClosed)
{
    CDatabase db;
    CString message = OdbcErrorOf([&] { db.OpenEx("DRIVER={No Such Driver};Database=x"); });
    EXPECT_STRNE("<none>", message);
    EXPECT_FALSE(message.IsEmpty());
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.m_henv == SQL_NULL_HENV);
    message = OdbcErrorOf([&] { db.ExecuteSQL("SELECT 1"); });
    EXPECT_STRNE("<none>", message);
}
