#include "tests/support/Gtest.h"

#include "engines/common/DataSourceType.h"
#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"

namespace
{

CString ConnectOf(int nType, LPCSTR lpszDatabase, LPCSTR lpszUser = "", LPCSTR lpszPassword = "",
                  LPCSTR lpszServer = "")
{
    CKemDatabase db;
    db.m_nType = nType;
    db.m_strDatabase = lpszDatabase;
    db.m_strUser = lpszUser;
    db.m_strPassword = lpszPassword;
    db.m_strServer = lpszServer;
    return db.GetConnectString();
}

} // namespace

TEST(ConnectString, AccessPartsAppearOnlyWhenGiven)
{
    EXPECT_STREQ("", ConnectOf(0, ""));
    EXPECT_STREQ(";DATABASE=C:\\data\\kem.mdb", ConnectOf(0, "C:\\data\\kem.mdb"));
    EXPECT_STREQ(";DATABASE=C:\\kem.mdb;UID=ann;PWD=x'y", ConnectOf(1, "C:\\kem.mdb", "ann", "x'y"));
    EXPECT_STREQ(";PWD=secret", ConnectOf(1, "", "", "secret"));
}

TEST(ConnectString, FolderTypesTakeTheFolderOfThePath)
{
    EXPECT_STREQ("dBASE III;DATABASE=C:\\data", ConnectOf(2, "C:\\data\\org.dbf"));
    EXPECT_STREQ("FoxPro 2.6;DATABASE=C:\\data", ConnectOf(7, "C:\\data\\org.dbf"));
    EXPECT_STREQ("Paradox 4.X;DATABASE=D:\\px", ConnectOf(12, "D:\\px\\ss_item.db"));
    EXPECT_STREQ("Text;HDR=YES;DATABASE=C:\\txt", ConnectOf(23, "C:\\txt\\ss_datalist.txt"));
    EXPECT_STREQ("Lotus WK1;HDR=YES;DATABASE=C:\\w", ConnectOf(20, "C:\\w\\a.wk1"));
    // A bare file name has no folder.
    EXPECT_STREQ("dBASE IV;DATABASE=", ConnectOf(3, "org.dbf"));
}

TEST(ConnectString, FileTypesTakeThePathItself)
{
    EXPECT_STREQ("FoxPro DBC;DATABASE=C:\\f\\kem.dbc", ConnectOf(9, "C:\\f\\kem.dbc"));
    EXPECT_STREQ("Excel 3.0;HDR=YES;DATABASE=C:\\x\\book.xls", ConnectOf(14, "C:\\x\\book.xls"));
    EXPECT_STREQ("Excel 5.0;HDR=YES;DATABASE=C:\\x\\book.xls", ConnectOf(17, "C:\\x\\book.xls"));
    EXPECT_STREQ("Excel 8.0;HDR=YES;DATABASE=C:\\x\\book.xls", ConnectOf(18, "C:\\x\\book.xls"));
    EXPECT_STREQ("Lotus WKS;HDR=YES;DATABASE=C:\\w\\a.wks", ConnectOf(22, "C:\\w\\a.wks"));
    EXPECT_STREQ("HTML Import;HDR=YES;DATABASE=C:\\h\\r.html", ConnectOf(24, "C:\\h\\r.html"));
}

TEST(ConnectString, ServerTypesCarryUserAndPassword)
{
    EXPECT_STREQ("ODBC", ConnectOf(25, "KemData"));
    EXPECT_STREQ("ODBC;PWD=pw", ConnectOf(25, "KemData", "", "pw"));
    EXPECT_STREQ("ODBC;UID=u;PWD=pw", ConnectOf(25, "KemData", "u", "pw"));
    EXPECT_STREQ("SYBASE;SERVER=srv;UID=u", ConnectOf(26, "db", "u", "", "srv"));
    EXPECT_STREQ("", ConnectOf(27, "KemData", "u", "pw"));
    EXPECT_STREQ("", ConnectOf(40, "C:\\kem.mdb", "u", "pw"));
    EXPECT_STREQ("", ConnectOf(-1, "C:\\kem.mdb"));
}

TEST(DataSourceTypes, NamesAndLibraries)
{
    EXPECT_STREQ("Microsoft Access 97", DataSourceTypeName(1));
    EXPECT_STREQ("Microsoft FoxPro 6.0", DataSourceTypeName(10));
    EXPECT_STREQ("", DataSourceTypeName(19));
    EXPECT_STREQ("HTML Documents", DataSourceTypeName(24));
    EXPECT_STREQ("DB2", DataSourceTypeName(29));
    EXPECT_STREQ("", DataSourceTypeName(30));
    for (int nType = -1; nType <= 31; ++nType)
    {
        SCOPED_TRACE(nType);
        BOOL bDao = (nType >= 0 && nType <= 7) || (nType >= 11 && nType <= 24);
        BOOL bOdbc = nType == 25 || (nType >= 27 && nType <= 29);
        EXPECT_EQ(bDao, IsDaoEngineType(nType));
        EXPECT_EQ(bOdbc, IsOdbcEngineType(nType));
    }
}

TEST(KemDefaults, AbstractOperationsDoNothing)
{
    CKemDatabase db;
    db.m_nType = 1;
    db.m_strDatabase = "C:\\none.mdb";
    db.Reopen(FALSE);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.IsKindOf(RUNTIME_CLASS(CKemDatabase)));

    CKemRecordset rs(&db);
    EXPECT_EQ(&db, rs.m_pDatabase);
    EXPECT_TRUE(rs.m_strFilter.IsEmpty());
    rs.Open("select * from ss_item", TRUE);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(-1, rs.GetRecordCount());
    EXPECT_EQ(-1, rs.GetFieldCount());
    EXPECT_FALSE(rs.FindFirst("FD_Code='1'"));
    COleVariant value = rs.GetFieldValue("FD_Code");
    EXPECT_EQ(VT_I2, V_VT(&value));
    EXPECT_EQ(-1, V_I2(&value));
    value = rs.GetFieldValue(0);
    EXPECT_EQ(-1, V_I2(&value));
}
