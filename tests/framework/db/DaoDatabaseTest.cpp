#include "framework/db/DaoDatabase.h"
#include "framework/db/DaoQueryDef.h"
#include "framework/db/DaoRecordset.h"
#include "framework/db/DaoTableDef.h"
#include "framework/db/SqlQuote.h"
#include "tests/framework/db/DaoTestFolder.h"

TEST(SqlQuote, DoublesEveryQuote)
{
    EXPECT_STREQ("'abc'", SqlQuote("abc"));
    EXPECT_STREQ("'O''Brien'", SqlQuote("O'Brien"));
    EXPECT_STREQ("''''''", SqlQuote("''"));
    EXPECT_STREQ("''", SqlQuote(""));
    EXPECT_STREQ("''", SqlQuote(NULL));
}

TEST(DaoConnect, DriverAndPathParts)
{
    EXPECT_STREQ("", DaoConnectDriver(";DATABASE=C:\\a\\b.mdb;UID=u"));
    EXPECT_STREQ("dBASE III", DaoConnectDriver("dBASE III;DATABASE=C:\\a"));
    EXPECT_STREQ("C:\\a\\b.mdb", DaoConnectDatabasePath(";DATABASE=C:\\a\\b.mdb;UID=u;PWD=p"));
    EXPECT_STREQ("C:\\x.xls", DaoConnectDatabasePath("Excel 8.0;HDR=YES;database=C:\\x.xls"));
    // A key that merely ends in DATABASE= is not the DATABASE part.
    EXPECT_STREQ("", DaoConnectDatabasePath(";MYDATABASE=C:\\x"));
    EXPECT_STREQ("", DaoConnectDatabasePath(""));
}

TEST(DaoDatabase, OpensAndClosesAnExistingFile)
{
    CDaoTestFolder folder;
    CString path = folder.MakeDatabase("a.db", "CREATE TABLE t (x INTEGER)");
    CDaoDatabase db;
    EXPECT_FALSE(db.IsOpen());
    db.Open(path);
    EXPECT_TRUE(db.IsOpen());
    EXPECT_TRUE(db.CanUpdate());
    EXPECT_STREQ(path, db.GetName());
    db.Close();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_STREQ("", db.GetName());
    // Close twice is harmless.
    db.Close();
}

TEST(DaoDatabase, CreatesAndOpensAFileWithANonAsciiName)
{
    CDaoTestFolder folder;
    CString path = folder.Path("r\xE9sum\xE9 data.db");
    {
        CDaoDatabase db;
        db.Create(path);
        db.Execute("CREATE TABLE t (x TEXT); INSERT INTO t VALUES ('kept')");
    }
    // The file is where the Windows path says, under its own name.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
    CDaoDatabase db;
    db.Open(path);
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "t");
    EXPECT_STREQ("kept", DaoText(rs.GetFieldValue("x")));
}

TEST(DaoDatabase, OpensThePathOfTheConnectString)
{
    CDaoTestFolder folder;
    CString path = folder.MakeDatabase("c.db", "CREATE TABLE t (x INTEGER); INSERT INTO t VALUES (7)");
    CDaoDatabase db;
    db.Open("", FALSE, FALSE, ";DATABASE=" + path + ";UID=admin;PWD=secret");
    ASSERT_TRUE(db.IsOpen());
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT x FROM t");
    EXPECT_EQ(7, DaoLong(rs.GetFieldValue("x")));
}

TEST(DaoDatabase, MissingFileIsAnErrorAndIsNotCreated)
{
    CDaoTestFolder folder;
    CString path = folder.Path("missing.mdb");
    CDaoDatabase db;
    CString message;
    EXPECT_EQ(DAOERR_FILE_NOT_FOUND, DaoErrorOf([&] { db.Open(path); }, &message));
    EXPECT_GE(message.Find("missing.mdb"), 0) << (LPCSTR)message;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
    EXPECT_EQ(DAOERR_FILE_NOT_FOUND, DaoErrorOf([&] { db.Open("", FALSE, FALSE, ""); }));
}

TEST(DaoDatabase, ForeignDriversAndFilesFailClearly)
{
    CDaoTestFolder folder;
    CDaoDatabase db;
    CString message;
    EXPECT_EQ(DAOERR_NO_ISAM,
              DaoErrorOf([&] { db.Open("", FALSE, FALSE, "dBASE IV;DATABASE=" + folder.m_strFolder); }, &message));
    EXPECT_GE(message.Find("dBASE IV"), 0) << (LPCSTR)message;
    EXPECT_FALSE(db.IsOpen());

    // A file with the Jet signature, and a text file, are no SQLite databases.
    CString jet = folder.Path("real.mdb");
    char header[64] = {0};
    memcpy(header + 4, "Standard Jet DB", 15);
    CString text = folder.Path("notes.mdb");
    for (int pass = 0; pass < 2; ++pass)
    {
        HANDLE h = CreateFileA(pass == 0 ? jet : text, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        DWORD written = 0;
        const char* notes = "just some notes, no database at all, long enough to be read as a header";
        WriteFile(h, pass == 0 ? header : notes, pass == 0 ? sizeof(header) : (DWORD)strlen(notes), &written, NULL);
        CloseHandle(h);
    }
    EXPECT_EQ(DAOERR_UNSUPPORTED_FILE, DaoErrorOf([&] { db.Open(jet); }, &message));
    EXPECT_GE(message.Find("Jet"), 0) << (LPCSTR)message;
    EXPECT_EQ(DAOERR_UNSUPPORTED_FILE, DaoErrorOf([&] { db.Open(text); }, &message));
    EXPECT_FALSE(db.IsOpen());
}

TEST(DaoDatabase, CreateRefusesAnExistingFile)
{
    CDaoTestFolder folder;
    CString path = folder.MakeDatabase("e.db", NULL);
    CDaoDatabase db;
    EXPECT_NE(-1, DaoErrorOf([&] { db.Create(path); }));
    EXPECT_FALSE(db.IsOpen());
}

TEST(DaoDatabase, ExecuteErrorsCarrySqliteMessages)
{
    CDaoTestFolder folder;
    CDaoDatabase db;
    db.Open(folder.MakeDatabase("x.db", "CREATE TABLE t (k TEXT PRIMARY KEY)"));
    CString message;
    EXPECT_EQ(DAOERR_NO_TABLE, DaoErrorOf([&] { db.Execute("DELETE FROM nothere"); }, &message));
    EXPECT_GE(message.Find("no such table: nothere"), 0) << (LPCSTR)message;
    EXPECT_EQ(DAOERR_SYNTAX, DaoErrorOf([&] { db.Execute("SELEKT 1"); }, &message));
    EXPECT_GE(message.Find("syntax error"), 0) << (LPCSTR)message;
    db.Execute("INSERT INTO t VALUES ('a')");
    EXPECT_EQ(DAOERR_DUPLICATE, DaoErrorOf([&] { db.Execute("INSERT INTO t VALUES ('a')"); }, &message));
    EXPECT_GE(message.Find("UNIQUE"), 0) << (LPCSTR)message;

    // Caught through the common base of the database exceptions.
    bool caught = false;
    try
    {
        db.Execute("DROP TABLE nothere");
    }
    catch (CDatabaseException* e)
    {
        caught = e->IsKindOf(RUNTIME_CLASS(CDaoException)) != FALSE;
        e->Delete();
    }
    EXPECT_TRUE(caught);

    CDaoDatabase closed;
    EXPECT_EQ(DAOERR_NOT_OPEN, DaoErrorOf([&] { closed.Execute("SELECT 1"); }));
}

TEST(DaoDatabase, RecordsAffectedAndTransactions)
{
    CDaoTestFolder folder;
    CDaoDatabase db;
    db.Open(folder.MakeDatabase("t.db", "CREATE TABLE t (x INTEGER); INSERT INTO t VALUES (1),(2),(3)"));
    db.Execute("UPDATE t SET x = x + 10 WHERE x >= 2");
    EXPECT_EQ(2, db.GetRecordsAffected());

    db.BeginTrans();
    db.Execute("DELETE FROM t");
    db.Rollback();
    db.BeginTrans();
    db.Execute("INSERT INTO t VALUES (4)");
    db.CommitTrans();
    CDaoRecordset rs(&db);
    rs.Open(dbOpenSnapshot, "SELECT count(*) AS n, sum(x) AS s FROM t");
    EXPECT_EQ(4, DaoLong(rs.GetFieldValue("n")));
    EXPECT_EQ(1 + 12 + 13 + 4, DaoLong(rs.GetFieldValue("s")));
    EXPECT_NE(-1, DaoErrorOf([&] { db.CommitTrans(); }));
}

TEST(DaoDatabase, ReadOnlyOpenRefusesChanges)
{
    CDaoTestFolder folder;
    CString path = folder.MakeDatabase("r.db", "CREATE TABLE t (x INTEGER); INSERT INTO t VALUES (1)");
    CDaoDatabase db;
    db.Open(path, FALSE, TRUE);
    EXPECT_FALSE(db.CanUpdate());
    EXPECT_EQ(DAOERR_READ_ONLY, DaoErrorOf([&] { db.Execute("DELETE FROM t"); }));
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "t");
    EXPECT_FALSE(rs.CanUpdate());
    EXPECT_EQ(DAOERR_READ_ONLY, DaoErrorOf([&] { rs.Edit(); }));
}

TEST(DaoTableDef, ListsTablesAndTheirFields)
{
    CDaoTestFolder folder;
    CDaoDatabase db;
    db.Open(folder.MakeDatabase("d.db",
        "CREATE TABLE ss_item (FD_Code VARCHAR(8) NOT NULL, FD_Name TEXT, FD_Line INTEGER, "
        "FD_CurType TINYINT, FD_Rate DOUBLE, FD_Note MEMO DEFAULT 'n/a');"
        "CREATE TABLE ss_organ (FD_Code VARCHAR(12));"
        "CREATE INDEX ix ON ss_organ (FD_Code)"));
    ASSERT_EQ(2, db.GetTableDefCount());
    CDaoTableDefInfo tableInfo;
    db.GetTableDefInfo(0, tableInfo);
    EXPECT_STREQ("ss_item", tableInfo.m_strName);
    db.GetTableDefInfo(1, tableInfo);
    EXPECT_STREQ("ss_organ", tableInfo.m_strName);
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { db.GetTableDefInfo(2, tableInfo); }));

    CDaoTableDef def(&db);
    def.Open("SS_ITEM");
    ASSERT_EQ(6, def.GetFieldCount());
    CDaoFieldInfo info;
    def.GetFieldInfo(0, info);
    EXPECT_STREQ("FD_Code", info.m_strName);
    EXPECT_EQ(dbText, info.m_nType);
    EXPECT_EQ(8, info.m_lSize);
    EXPECT_TRUE(info.m_bRequired);
    def.GetFieldInfo(1, info);
    EXPECT_EQ(dbText, info.m_nType);
    EXPECT_EQ(255, info.m_lSize);
    def.GetFieldInfo("fd_line", info);
    EXPECT_EQ(dbLong, info.m_nType);
    EXPECT_EQ(2, info.m_nOrdinalPosition);
    def.GetFieldInfo(3, info);
    EXPECT_EQ(dbByte, info.m_nType);
    def.GetFieldInfo(4, info);
    EXPECT_EQ(dbDouble, info.m_nType);
    def.GetFieldInfo(5, info);
    EXPECT_EQ(dbMemo, info.m_nType);
    EXPECT_STREQ("'n/a'", info.m_strDefaultValue);
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { def.GetFieldInfo(6, info); }));
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { def.GetFieldInfo("nope", info); }));

    CDaoTableDef missing(&db);
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { missing.Open("nothere"); }));
    EXPECT_FALSE(missing.IsOpen());

    db.DeleteTableDef("ss_organ");
    EXPECT_EQ(1, db.GetTableDefCount());
}

TEST(DaoTableDef, CreatedFieldsReadBackWithTheirTypes)
{
    CDaoTestFolder folder;
    CDaoDatabase db;
    db.Open(folder.MakeDatabase("n.db", NULL));
    static const struct
    {
        LPCSTR name;
        short type;
        LONG size;
    } kFields[] = {
        {"FD_Flag", dbBoolean, 1}, {"FD_Byte", dbByte, 1}, {"FD_Short", dbInteger, 2}, {"FD_Long", dbLong, 4},
        {"FD_Money", dbCurrency, 8}, {"FD_Single", dbSingle, 4}, {"FD_Double", dbDouble, 8},
        {"FD_When", dbDate, 8}, {"FD_Code", dbText, 8}, {"FD_Blob", dbLongBinary, 0}, {"FD_Memo", dbMemo, 0},
    };
    CDaoTableDef def(&db);
    def.Create("ss new");
    for (const auto& field : kFields)
        def.CreateField(field.name, field.type, field.size);
    EXPECT_EQ(DAOERR_DUPLICATE, DaoErrorOf([&] { def.CreateField("fd_code", dbText, 4); }));
    def.Append();
    ASSERT_TRUE(def.IsOpen());

    CDaoTableDef read(&db);
    read.Open("ss new");
    ASSERT_EQ((short)(sizeof(kFields) / sizeof(kFields[0])), read.GetFieldCount());
    for (int i = 0; i < read.GetFieldCount(); ++i)
    {
        SCOPED_TRACE(kFields[i].name);
        CDaoFieldInfo info;
        read.GetFieldInfo(i, info);
        EXPECT_STREQ(kFields[i].name, info.m_strName);
        EXPECT_EQ(kFields[i].type, info.m_nType);
        EXPECT_EQ(kFields[i].size, info.m_lSize);
    }
    // Appending a table that exists fails with the database's message.
    CDaoTableDef again(&db);
    again.Create("ss new");
    again.CreateField("x", dbLong, 4);
    CString message;
    EXPECT_NE(-1, DaoErrorOf([&] { again.Append(); }, &message));
    EXPECT_GE(message.Find("already exists"), 0) << (LPCSTR)message;
    CDaoTableDef empty(&db);
    empty.Create("ss_empty");
    EXPECT_NE(-1, DaoErrorOf([&] { empty.Append(); }));
    EXPECT_NE(-1, DaoErrorOf([&] { empty.Create("t", 0, "src", ""); }));
}

TEST(DaoQueryDef, StoresNamedQueriesThatRecordsetsOpenByName)
{
    CDaoTestFolder folder;
    CDaoDatabase db;
    db.Open(folder.MakeDatabase("q.db",
        "CREATE TABLE ss_item (FD_Code TEXT, FD_Name TEXT);"
        "INSERT INTO ss_item VALUES ('a1', 'Apple'), ('b1', 'Banana'), ('a2', 'Apricot')"));
    CDaoQueryDef def(&db);
    def.Create("A items", "SELECT FD_Code FROM ss_item WHERE FD_Name LIKE 'Ap*' ORDER BY FD_Code");
    def.Append();
    EXPECT_TRUE(def.IsOpen());
    EXPECT_EQ(1, db.GetQueryDefCount());
    // Views are no table definitions.
    EXPECT_EQ(1, db.GetTableDefCount());

    CDaoQueryDefInfo info;
    db.GetQueryDefInfo(0, info);
    EXPECT_STREQ("A items", info.m_strName);
    EXPECT_STREQ("SELECT FD_Code FROM ss_item WHERE FD_Name LIKE 'Ap%' ORDER BY FD_Code", info.m_strSQL);

    CDaoQueryDef read(&db);
    read.Open("a ITEMS");
    EXPECT_STREQ("A items", read.GetName());
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "[A items]");
    EXPECT_FALSE(rs.CanUpdate());
    ASSERT_EQ(2, rs.GetRecordCount());
    EXPECT_STREQ("a1", DaoText(rs.GetFieldValue("fd_code")));
    rs.MoveNext();
    EXPECT_STREQ("a2", DaoText(rs.GetFieldValue("fd_code")));
    rs.Close();

    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { read.Open("nothing"); }));
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { db.GetQueryDefInfo(1, info); }));
    db.DeleteQueryDef("A items");
    EXPECT_EQ(0, db.GetQueryDefCount());
    EXPECT_STREQ("SELECT 1", DaoViewSelect("CREATE VIEW \"as x\" (a) AS SELECT 1"));
}
