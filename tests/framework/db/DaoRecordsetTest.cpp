#include "framework/db/DaoRecordset.h"
#include "framework/db/SqlQuote.h"
#include "tests/framework/db/DaoTestFolder.h"

#include <vector>

namespace
{

const char kSchema[] =
    "CREATE TABLE ss_organ (FD_Code VARCHAR(8), FD_Name TEXT, FD_Line INTEGER, FD_Rate DOUBLE,"
    " FD_Kind TEXT DEFAULT 'plain');"
    "INSERT INTO ss_organ (FD_Code, FD_Name, FD_Line, FD_Rate) VALUES"
    " ('B2', 'Beta', 2, NULL), ('A1', 'Alpha', 1, 1.5), ('C3', 'O''Hara', 3, 2.25), ('D4', 'Delta', 4, 0);"
    "CREATE TABLE empty_t (FD_Code VARCHAR(8), FD_Value TEXT);"
    "CREATE TABLE one_t (FD_Code VARCHAR(8), FD_Value TEXT);"
    "INSERT INTO one_t VALUES ('only', 'x');";

class DaoRecordsetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_db.Open(m_folder.MakeDatabase("rs.db", kSchema));
    }

    // The FD_Code of every row from the first, in recordset order.
    std::vector<CString> Codes(CDaoRecordset& rs)
    {
        std::vector<CString> codes;
        if (rs.IsBOF() && rs.IsEOF())
            return codes;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            codes.push_back(DaoText(rs.GetFieldValue("FD_Code")));
        return codes;
    }

    CString Joined(CDaoRecordset& rs)
    {
        CString text;
        for (const CString& code : Codes(rs))
            text += (text.IsEmpty() ? "" : ",") + code;
        return text;
    }

    // Rows of ss_organ read back through a second recordset.
    CString StoredCodes(LPCSTR lpszOrder = "FD_Code")
    {
        CDaoRecordset rs(&m_db);
        rs.m_strSort = lpszOrder;
        rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ");
        return Joined(rs);
    }

    CDaoTestFolder m_folder;
    CDaoDatabase m_db;
};

} // namespace

TEST_F(DaoRecordsetTest, EmptyResultStandsAtBothEnds)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "empty_t");
    EXPECT_TRUE(rs.IsOpen());
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(0, rs.GetRecordCount());
    EXPECT_EQ(2, rs.GetFieldCount());
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.MoveFirst(); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.MoveLast(); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.MoveNext(); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.MovePrev(); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.Move(1); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.GetFieldValue("FD_Code"); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.Edit(); }));
    EXPECT_FALSE(rs.FindFirst("FD_Code='x'"));
    rs.Close();
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(DAOERR_NOT_OPEN, DaoErrorOf([&] { rs.IsEOF(); }));
}

TEST_F(DaoRecordsetTest, OneRowWalksToEachEndAndBack)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM one_t");
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_FALSE(rs.IsEOF());
    EXPECT_EQ(1, rs.GetRecordCount());
    EXPECT_STREQ("only", DaoText(rs.GetFieldValue("FD_Code")));
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.GetFieldValue(0); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.MoveNext(); }));
    rs.MovePrev();
    EXPECT_STREQ("only", DaoText(rs.GetFieldValue(0)));
    rs.MovePrev();
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_FALSE(rs.IsEOF());
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.MovePrev(); }));
    rs.MoveNext();
    EXPECT_STREQ("x", DaoText(rs.GetFieldValue("FD_Value")));
}

TEST_F(DaoRecordsetTest, ManyRowsMoveAndCount)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ ORDER BY FD_Line");
    EXPECT_EQ(4, rs.GetRecordCount());
    EXPECT_STREQ("A1,B2,C3,D4", Joined(rs));
    rs.MoveLast();
    EXPECT_STREQ("D4", DaoText(rs.GetFieldValue("FD_Code")));
    // The count does not depend on the position.
    EXPECT_EQ(4, rs.GetRecordCount());
    rs.Move(-2);
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    rs.Move(0);
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    rs.Move(10);
    EXPECT_TRUE(rs.IsEOF());
    rs.MoveFirst();
    rs.Move(-1);
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.Move(2); }));
}

TEST_F(DaoRecordsetTest, FieldsAreFoundByNameInAnyCaseAndTyped)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT FD_Rate, FD_Line, FD_Name, FD_Code FROM ss_organ ORDER BY FD_Line");
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("fd_code")));
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_CODE")));
    COleVariant line = rs.GetFieldValue("Fd_Line");
    EXPECT_EQ(VT_I4, V_VT(&line));
    EXPECT_EQ(1, V_I4(&line));
    COleVariant rate;
    rs.GetFieldValue("fd_rate", rate);
    EXPECT_EQ(VT_R8, V_VT(&rate));
    EXPECT_DOUBLE_EQ(1.5, V_R8(&rate));
    // Position in the select list, not in the table.
    EXPECT_EQ(VT_R8, DaoType(rs.GetFieldValue(0)));
    EXPECT_STREQ("Alpha", DaoText(rs.GetFieldValue(2)));
    rs.MoveNext();
    EXPECT_EQ(VT_NULL, DaoType(rs.GetFieldValue("FD_Rate")));
    CString message;
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { rs.GetFieldValue("FD_Nope"); }, &message));
    EXPECT_GE(message.Find("FD_Nope"), 0);
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { rs.GetFieldValue(4); }));
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { rs.GetFieldValue(-1); }));

    CDaoFieldInfo info;
    rs.GetFieldInfo("fd_code", info);
    EXPECT_STREQ("FD_Code", info.m_strName);
    EXPECT_EQ(dbText, info.m_nType);
    EXPECT_EQ(8, info.m_lSize);
    rs.GetFieldInfo(1, info);
    EXPECT_EQ(dbLong, info.m_nType);
}

TEST_F(DaoRecordsetTest, AddNewJoinsTheEndAndRequerySeesIt)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ ORDER BY FD_Line");
    rs.MoveFirst();
    rs.AddNew();
    EXPECT_EQ(dbEditAdd, rs.GetEditMode());
    rs.SetFieldValue("fd_code", "E5");
    rs.SetFieldValue("FD_Line", COleVariant((LONG)0));
    rs.SetFieldValue("FD_Rate", COleVariant(7.25));
    rs.Update();
    EXPECT_EQ(dbEditNone, rs.GetEditMode());
    // The current row stays; the new row joins the end with its defaults.
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_EQ(5, rs.GetRecordCount());
    rs.MoveLast();
    EXPECT_STREQ("E5", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_STREQ("plain", DaoText(rs.GetFieldValue("FD_Kind")));
    EXPECT_EQ(VT_NULL, DaoType(rs.GetFieldValue("FD_Name")));
    // Requery puts it where the query's order says.
    rs.Requery();
    EXPECT_STREQ("E5,A1,B2,C3,D4", Joined(rs));
    EXPECT_STREQ("A1,B2,C3,D4,E5", StoredCodes());
}

TEST_F(DaoRecordsetTest, RowAfterRowAddsReadBackWhatIsStoredAndFindThem)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ ORDER BY FD_Line");
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        // The same find and the same fields in the same order, row after row.
        EXPECT_EQ(i > 0, rs.FindFirst("FD_Rate = 9.5") != FALSE);
        rs.AddNew();
        CString code;
        code.Format("N%d", i);
        rs.SetFieldValue("FD_Code", (LPCSTR)code);
        if (i == 1)
            rs.SetFieldValue("fd_name", COleVariant((LONG)7));
        else
            rs.SetFieldValue("FD_Name", i == 0 ? "n" : "a name longer than the others");
        rs.SetFieldValue("FD_Line", i == 2 ? COleVariant("12", VT_BSTRT) : COleVariant((LONG)(10 + i)));
        rs.SetFieldValue("FD_Rate", COleVariant(9.5));
        rs.Update();
    }
    EXPECT_EQ(7, rs.GetRecordCount());
    ASSERT_TRUE(rs.FindFirst("FD_Rate = 9.5"));
    EXPECT_STREQ("N0", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_STREQ("n", DaoText(rs.GetFieldValue("FD_Name")));
    EXPECT_STREQ("plain", DaoText(rs.GetFieldValue("FD_Kind")));
    // Each added row reads back as stored: a whole number in a text column
    // as text, digits in a whole-number column as a number.
    ASSERT_TRUE(rs.FindNext("FD_Rate = 9.5"));
    EXPECT_EQ(VT_BSTR, DaoType(rs.GetFieldValue("FD_Name")));
    EXPECT_STREQ("7", DaoText(rs.GetFieldValue("FD_Name")));
    ASSERT_TRUE(rs.FindNext("FD_Rate = 9.5"));
    EXPECT_STREQ("a name longer than the others", DaoText(rs.GetFieldValue("FD_Name")));
    COleVariant line = rs.GetFieldValue("FD_Line");
    EXPECT_EQ(VT_I4, V_VT(&line));
    EXPECT_EQ(12, V_I4(&line));
    EXPECT_FALSE(rs.FindNext("FD_Rate = 9.5"));

    // An added row edited again takes a longer and then a shorter value.
    ASSERT_TRUE(rs.FindFirst("FD_Code = 'N0'"));
    rs.Edit();
    rs.SetFieldValue("FD_Name", "now much longer than one letter");
    rs.Update();
    EXPECT_STREQ("now much longer than one letter", DaoText(rs.GetFieldValue("FD_Name")));
    rs.Edit();
    rs.SetFieldValue("FD_Name", "s");
    rs.Update();
    EXPECT_STREQ("s", DaoText(rs.GetFieldValue("FD_Name")));
    EXPECT_STREQ("A1,B2,C3,D4,N0,N1,N2", StoredCodes());
}

TEST_F(DaoRecordsetTest, FieldNamesAreFoundAfreshForEachOpen)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT FD_Code, FD_Name FROM ss_organ ORDER BY FD_Line");
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_STREQ("Alpha", DaoText(rs.GetFieldValue("FD_Name")));
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { rs.GetFieldValue("FD_Line"); }));
    rs.Close();
    // The same names stand elsewhere in another select list.
    rs.Open(dbOpenDynaset, "SELECT FD_Line, FD_Name, FD_Code FROM ss_organ ORDER BY FD_Line");
    EXPECT_STREQ("Alpha", DaoText(rs.GetFieldValue("FD_Name")));
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_Code")));
    COleVariant line = rs.GetFieldValue("FD_Line");
    EXPECT_EQ(1, V_I4(&line));
    rs.Close();
    rs.Open(dbOpenDynaset, "SELECT FD_Name FROM ss_organ ORDER BY FD_Line");
    EXPECT_EQ(DAOERR_NOT_FOUND, DaoErrorOf([&] { rs.GetFieldValue("FD_Code"); }));
    EXPECT_STREQ("Alpha", DaoText(rs.GetFieldValue("FD_Name")));
}

TEST_F(DaoRecordsetTest, AddNewToAnEmptyResultKeepsNoCurrentRecord)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "empty_t");
    rs.AddNew();
    rs.SetFieldValue("FD_Code", "n1");
    rs.Update();
    EXPECT_EQ(1, rs.GetRecordCount());
    EXPECT_TRUE(rs.IsEOF());
    rs.MovePrev();
    EXPECT_STREQ("n1", DaoText(rs.GetFieldValue("FD_Code")));
}

TEST_F(DaoRecordsetTest, EditUpdatesOnlyTheCurrentRow)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ ORDER BY FD_Line");
    rs.MoveNext();
    rs.Edit();
    rs.SetFieldValue("FD_Name", "Bravo");
    // The edit buffer answers while editing.
    EXPECT_STREQ("Bravo", DaoText(rs.GetFieldValue("FD_Name")));
    rs.Update();
    EXPECT_STREQ("Bravo", DaoText(rs.GetFieldValue("FD_Name")));

    CDaoRecordset check(&m_db);
    check.Open(dbOpenSnapshot, "SELECT FD_Code, FD_Name FROM ss_organ ORDER BY FD_Code");
    CString names;
    for (; !check.IsEOF(); check.MoveNext())
        names += DaoText(check.GetFieldValue("FD_Name")) + ";";
    EXPECT_STREQ("Alpha;Bravo;O'Hara;Delta;", names);

    // CancelUpdate drops the buffer.
    rs.Edit();
    rs.SetFieldValue("FD_Name", "Nothing");
    rs.CancelUpdate();
    EXPECT_STREQ("Bravo", DaoText(rs.GetFieldValue("FD_Name")));
    rs.Requery();
    rs.MoveNext();
    EXPECT_STREQ("Bravo", DaoText(rs.GetFieldValue("FD_Name")));
}

TEST_F(DaoRecordsetTest, ChangesWithoutEditModeAreRefused)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "ss_organ");
    EXPECT_EQ(DAOERR_UPDATE_WITHOUT_EDIT, DaoErrorOf([&] { rs.Update(); }));
    EXPECT_EQ(DAOERR_UPDATE_WITHOUT_EDIT, DaoErrorOf([&] { rs.CancelUpdate(); }));
    EXPECT_EQ(DAOERR_UPDATE_WITHOUT_EDIT, DaoErrorOf([&] { rs.SetFieldValue("FD_Name", "x"); }));
    // A move abandons a pending edit.
    rs.Edit();
    rs.SetFieldValue("FD_Name", "lost");
    rs.MoveNext();
    EXPECT_EQ(DAOERR_UPDATE_WITHOUT_EDIT, DaoErrorOf([&] { rs.Update(); }));
    EXPECT_STREQ("A1,B2,C3,D4", StoredCodes());
    rs.MoveFirst();
    EXPECT_STREQ("Beta", DaoText(rs.GetFieldValue("FD_Name")));
}

TEST_F(DaoRecordsetTest, DeleteLeavesNoCurrentRecordUntilAMove)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ ORDER BY FD_Line");
    rs.MoveNext();
    rs.Delete();
    EXPECT_TRUE(rs.IsDeleted());
    EXPECT_FALSE(rs.IsEOF());
    EXPECT_EQ(DAOERR_DELETED, DaoErrorOf([&] { rs.GetFieldValue("FD_Code"); }));
    EXPECT_EQ(DAOERR_DELETED, DaoErrorOf([&] { rs.Edit(); }));
    EXPECT_EQ(DAOERR_DELETED, DaoErrorOf([&] { rs.Delete(); }));
    rs.MoveNext();
    EXPECT_FALSE(rs.IsDeleted());
    EXPECT_STREQ("C3", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_EQ(3, rs.GetRecordCount());
    rs.Delete();
    rs.MovePrev();
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_STREQ("A1,D4", StoredCodes());

    // Deleting every row in a loop ends at EOF on an empty result.
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        rs.Delete();
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_EQ(0, rs.GetRecordCount());
    EXPECT_STREQ("", StoredCodes());
}

TEST_F(DaoRecordsetTest, FindMovesToMatchesAndStaysWhenNoneMatch)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ ORDER BY FD_Line");
    ASSERT_TRUE(rs.FindFirst("FD_Line >= 2"));
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    ASSERT_TRUE(rs.FindNext("FD_Line >= 2"));
    EXPECT_STREQ("C3", DaoText(rs.GetFieldValue("FD_Code")));
    ASSERT_TRUE(rs.FindLast("FD_Line >= 2"));
    EXPECT_STREQ("D4", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_FALSE(rs.FindNext("FD_Line >= 2"));
    EXPECT_STREQ("D4", DaoText(rs.GetFieldValue("FD_Code")));
    ASSERT_TRUE(rs.FindPrev("FD_Line < 3"));
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_FALSE(rs.FindFirst("FD_Code = 'Z9'"));
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    ASSERT_TRUE(rs.Find(AFX_DAO_FIRST, "FD_Rate Is Null"));
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    // A quote inside the literal, through the quoting helper.
    ASSERT_TRUE(rs.FindFirst("FD_Name=" + SqlQuote("O'Hara")));
    EXPECT_STREQ("C3", DaoText(rs.GetFieldValue("FD_Code")));
    // DAO wildcards in a LIKE pattern.
    ASSERT_TRUE(rs.FindFirst("FD_Name LIKE 'D*'"));
    EXPECT_STREQ("D4", DaoText(rs.GetFieldValue("FD_Code")));
    ASSERT_TRUE(rs.FindFirst("FD_Code LIKE '?1'"));
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_NE(-1, DaoErrorOf([&] { rs.FindFirst("FD_Name = = 'x'"); }));
    EXPECT_NE(-1, DaoErrorOf([&] { rs.FindFirst(""); }));

    // The direction forms, and a find just after a delete.
    ASSERT_TRUE(rs.Find(AFX_DAO_LAST, "FD_Line < 4"));
    EXPECT_STREQ("C3", DaoText(rs.GetFieldValue("FD_Code")));
    ASSERT_TRUE(rs.Find(AFX_DAO_PREV, "FD_Line < 4"));
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    rs.Delete();
    ASSERT_TRUE(rs.Find(AFX_DAO_NEXT, "FD_Line < 4"));
    EXPECT_STREQ("C3", DaoText(rs.GetFieldValue("FD_Code")));
    rs.MovePrev();
    rs.Delete();
    // Nothing stands before the deleted first row.
    EXPECT_FALSE(rs.FindPrev("FD_Line > 0"));
    EXPECT_TRUE(rs.IsDeleted());
    ASSERT_TRUE(rs.FindNext("FD_Line > 0"));
    EXPECT_FALSE(rs.IsDeleted());
    EXPECT_EQ(2, rs.GetRecordCount());
    EXPECT_STREQ("C3", DaoText(rs.GetFieldValue("FD_Code")));
    bool invalid = false;
    try
    {
        rs.Find(7, "FD_Line > 0");
    }
    catch (CInvalidArgException* e)
    {
        invalid = true;
        e->Delete();
    }
    EXPECT_TRUE(invalid);
}

TEST_F(DaoRecordsetTest, FindInAReadOnlyJoinEvaluatesItsColumns)
{
    m_db.Execute("CREATE TABLE ss_attr (FD_Code TEXT, FD_Attr TEXT);"
                 "INSERT INTO ss_attr VALUES ('A1', 'red'), ('C3', 'blue'), ('D4', 'red')");
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset,
            "SELECT o.FD_Code AS FD_Code, a.FD_Attr AS FD_Attr FROM ss_organ o, ss_attr a "
            "WHERE o.FD_Code = a.FD_Code ORDER BY o.FD_Code");
    EXPECT_FALSE(rs.CanUpdate());
    EXPECT_EQ(3, rs.GetRecordCount());
    ASSERT_TRUE(rs.FindFirst("FD_Attr='red'"));
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_Code")));
    ASSERT_TRUE(rs.FindNext("fd_attr='red'"));
    EXPECT_STREQ("D4", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_EQ(DAOERR_READ_ONLY, DaoErrorOf([&] { rs.AddNew(); }));
    EXPECT_EQ(DAOERR_READ_ONLY, DaoErrorOf([&] { rs.Delete(); }));
}

TEST_F(DaoRecordsetTest, FilterAndSortApplyAtOpenAndRequery)
{
    CDaoRecordset rs(&m_db);
    rs.m_strFilter = "FD_Line > 1";
    rs.m_strSort = "FD_Code DESC";
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ WHERE FD_Line < 4 ORDER BY FD_Line");
    // The query's own condition and the filter both hold.
    EXPECT_STREQ("C3,B2", Joined(rs));
    rs.m_strFilter = "FD_Name LIKE '*a' And FD_Line > 1";
    rs.m_strSort.Empty();
    EXPECT_STREQ("C3,B2", Joined(rs));
    rs.Requery();
    // Without a sort the query's own order is back.
    EXPECT_STREQ("B2,C3", Joined(rs));
    rs.m_strFilter.Empty();
    rs.Requery();
    EXPECT_STREQ("A1,B2,C3", Joined(rs));

    CDaoRecordset table(&m_db);
    table.m_strFilter = "FD_Code <> 'A1'";
    table.m_strSort = "FD_Line DESC";
    table.Open(dbOpenTable, "[ss_organ]");
    EXPECT_STREQ("D4,C3,B2", Joined(table));
    EXPECT_TRUE(table.CanUpdate());

    CDaoRecordset bad(&m_db);
    bad.m_strFilter = "FD_Nothing = 1";
    EXPECT_NE(-1, DaoErrorOf([&] { bad.Open(dbOpenDynaset, "ss_organ"); }));
    EXPECT_FALSE(bad.IsOpen());
}

TEST_F(DaoRecordsetTest, SqlOfAnOpenRecordsetCarriesFilterAndSort)
{
    CDaoRecordset rs(&m_db);
    rs.m_strFilter = "FD_Name LIKE '*ta'";
    rs.m_strSort = "FD_Line DESC";
    rs.Open(dbOpenDynaset, "ss_organ");
    // Changing the filter after the open does not change the statement that ran.
    rs.m_strFilter = "FD_Line = 1";
    CDaoRecordset second(&m_db);
    second.Open(rs.GetType(), rs.GetSQL());
    EXPECT_EQ(dbOpenDynaset, second.GetType());
    EXPECT_EQ(2, second.GetRecordCount());
    EXPECT_STREQ("D4,B2", Joined(second));
    EXPECT_STREQ(Joined(rs), Joined(second));
    rs.Close();
    EXPECT_STREQ("SELECT * FROM \"ss_organ\"", rs.GetSQL());
}

TEST_F(DaoRecordsetTest, NullValuesReadAndWrite)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ ORDER BY FD_Line");
    rs.Edit();
    rs.SetFieldValueNull("fd_name");
    rs.SetFieldValue("FD_Rate", COleVariant());
    rs.Update();
    EXPECT_EQ(VT_NULL, DaoType(rs.GetFieldValue("FD_Name")));
    EXPECT_EQ(VT_NULL, DaoType(rs.GetFieldValue("FD_Rate")));
    rs.Requery();
    EXPECT_TRUE(rs.FindFirst("FD_Name Is Null"));
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_Code")));
    // An empty text is not NULL.
    rs.Edit();
    rs.SetFieldValue(1, "");
    rs.Update();
    EXPECT_STREQ("", DaoText(rs.GetFieldValue(1)));
    rs.Requery();
    EXPECT_FALSE(rs.FindFirst("FD_Name Is Null"));
}

TEST_F(DaoRecordsetTest, TextRoundTripsByteForByte)
{
    // Quotes, a backslash, percent and underscore, and cp1252 bytes that are not UTF-8.
    const char kText[] = "it's \"quoted\" \\ 50% _x_ \xE9t\xE9 \x80\xFF";
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "one_t");
    rs.AddNew();
    rs.SetFieldValue("FD_Code", "t1");
    rs.SetFieldValue("FD_Value", kText);
    rs.Update();
    rs.AddNew();
    rs.SetFieldValue("FD_Code", "t2");
    rs.SetFieldValue("FD_Value", COleVariant(kText, VT_BSTRT));
    rs.Update();

    CDaoRecordset check(&m_db);
    check.Open(dbOpenDynaset, "SELECT FD_Value FROM one_t WHERE FD_Code LIKE 't*' ORDER BY FD_Code");
    ASSERT_EQ(2, check.GetRecordCount());
    for (; !check.IsEOF(); check.MoveNext())
    {
        CString value = DaoText(check.GetFieldValue("FD_Value"));
        EXPECT_EQ((int)sizeof(kText) - 1, value.GetLength());
        EXPECT_EQ(0, memcmp(kText, (LPCSTR)value, sizeof(kText) - 1));
    }
    // The text is found again by a quoted literal of itself.
    check.Close();
    check.Open(dbOpenDynaset, "SELECT * FROM one_t ORDER BY FD_Code");
    ASSERT_TRUE(check.FindFirst("FD_Value=" + SqlQuote(kText)));
    EXPECT_STREQ("t1", DaoText(check.GetFieldValue("FD_Code")));
    ASSERT_TRUE(check.FindNext("FD_Value=" + SqlQuote(kText)));
    EXPECT_STREQ("t2", DaoText(check.GetFieldValue("FD_Code")));
    // A literal % is literal in a DAO pattern.
    EXPECT_TRUE(check.FindFirst("FD_Value LIKE '*50%*'"));
    EXPECT_FALSE(check.FindFirst("FD_Value LIKE '*5%0*'"));
}

TEST_F(DaoRecordsetTest, WideTextVariantsAreStoredAsAnsi)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "one_t");
    rs.AddNew();
    rs.SetFieldValue("FD_Code", COleVariant("w\xE9", VT_BSTR));
    rs.SetFieldValue("FD_Value", COleVariant("ab", VT_BSTRT));
    rs.Update();
    rs.MoveLast();
    EXPECT_STREQ("w\xE9", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_EQ(2, DaoText(rs.GetFieldValue("FD_Code")).GetLength());
    EXPECT_STREQ("ab", DaoText(rs.GetFieldValue("FD_Value")));
}

TEST_F(DaoRecordsetTest, VariantTypesAreStoredByValue)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM ss_organ ORDER BY FD_Line");
    rs.Edit();
    rs.SetFieldValue("FD_Line", COleVariant((BYTE)200));
    rs.SetFieldValue("FD_Rate", COleVariant((short)-3));
    rs.Update();
    EXPECT_EQ(200, DaoLong(rs.GetFieldValue("FD_Line")));
    // The column's real affinity turns the stored integer into a real.
    EXPECT_DOUBLE_EQ(-3.0, DaoReal(rs.GetFieldValue("FD_Rate")));
    rs.Edit();
    rs.SetFieldValue("FD_Name", COleVariant(COleCurrency(12, 5000)));
    rs.Update();
    EXPECT_STREQ("12.5", DaoText(rs.GetFieldValue("FD_Name")));
    // Bytes stay bytes, '\0' included.
    CByteArray bytes;
    bytes.Add(0);
    bytes.Add(0xFF);
    bytes.Add('a');
    rs.Edit();
    rs.SetFieldValue("FD_Kind", COleVariant(bytes));
    rs.Update();
    COleVariant blob = rs.GetFieldValue("FD_Kind");
    ASSERT_EQ(VT_ARRAY | VT_UI1, V_VT(&blob));
    BYTE* pData = NULL;
    ASSERT_EQ(S_OK, SafeArrayAccessData(V_ARRAY(&blob), (void**)&pData));
    EXPECT_EQ(0, memcmp(bytes.GetData(), pData, 3));
    SafeArrayUnaccessData(V_ARRAY(&blob));
    // A whole number beyond 32 bits comes back as a real, not truncated.
    m_db.Execute("UPDATE ss_organ SET FD_Line = 5000000000 WHERE FD_Code = 'B2'");
    rs.Requery();
    ASSERT_TRUE(rs.FindFirst("FD_Code='B2'"));
    EXPECT_DOUBLE_EQ(5000000000.0, DaoReal(rs.GetFieldValue("FD_Line")));
    rs.Edit();
    EXPECT_NE(-1, DaoErrorOf([&] {
        COleVariant dispatch;
        V_VT(&dispatch) = VT_DISPATCH;
        V_DISPATCH(&dispatch) = NULL;
        rs.SetFieldValue("FD_Name", dispatch);
    }));
    rs.CancelUpdate();
}

TEST_F(DaoRecordsetTest, YesNoCurrencyAndDateColumnsReadTyped)
{
    m_db.Execute("CREATE TABLE typed (FD_Flag BIT, FD_Money CURRENCY, FD_When DATETIME)");
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "typed");
    rs.AddNew();
    rs.SetFieldValue("FD_Flag", COleVariant((short)VARIANT_TRUE, VT_BOOL));
    rs.SetFieldValue("FD_Money", COleVariant(COleCurrency(-7, -2500)));
    rs.SetFieldValue("FD_When", COleVariant(COleDateTime(2026, 12, 8, 23, 5, 9)));
    rs.Update();
    rs.AddNew();
    rs.SetFieldValue("FD_Flag", COleVariant((LONG)0));
    rs.SetFieldValue("FD_When", "not a date");
    rs.Update();
    rs.Requery();
    COleVariant flag = rs.GetFieldValue("FD_Flag");
    ASSERT_EQ(VT_BOOL, V_VT(&flag));
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&flag));
    COleVariant money = rs.GetFieldValue("FD_Money");
    ASSERT_EQ(VT_CY, V_VT(&money));
    EXPECT_EQ(-72500, V_CY(&money).int64);
    COleVariant when = rs.GetFieldValue("FD_When");
    ASSERT_EQ(VT_DATE, V_VT(&when));
    COleDateTime back(V_DATE(&when));
    EXPECT_EQ(2026, back.GetYear());
    EXPECT_EQ(12, back.GetMonth());
    EXPECT_EQ(8, back.GetDay());
    EXPECT_EQ(23, back.GetHour());
    EXPECT_EQ(9, back.GetSecond());
    rs.MoveNext();
    COleVariant off = rs.GetFieldValue("FD_Flag");
    ASSERT_EQ(VT_BOOL, V_VT(&off));
    EXPECT_EQ(VARIANT_FALSE, V_BOOL(&off));
    EXPECT_EQ(VT_NULL, DaoType(rs.GetFieldValue("FD_Money")));
    EXPECT_STREQ("not a date", DaoText(rs.GetFieldValue("FD_When")));
}

TEST_F(DaoRecordsetTest, SnapshotReadForwardStillScrollsCountsAndFinds)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenSnapshot, "SELECT * FROM ss_organ ORDER BY FD_Line");
    EXPECT_FALSE(rs.IsBOF());
    rs.MoveFirst();
    EXPECT_STREQ("A1", DaoText(rs.GetFieldValue("FD_Code")));
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_STREQ("C3", DaoText(rs.GetFieldValue("fd_code")));
    // Moving back, counting and finding read the rows gone by again.
    rs.MovePrev();
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_EQ(4, rs.GetRecordCount());
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    ASSERT_TRUE(rs.FindNext("FD_Line = 4"));
    EXPECT_STREQ("D4", DaoText(rs.GetFieldValue("FD_Code")));
    rs.Requery();
    EXPECT_STREQ("A1,B2,C3,D4", Joined(rs));
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.MoveNext(); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { rs.GetFieldValue("FD_Code"); }));
    rs.MoveLast();
    EXPECT_STREQ("D4", DaoText(rs.GetFieldValue("FD_Code")));

    CDaoRecordset empty(&m_db);
    empty.Open(dbOpenSnapshot, "empty_t");
    EXPECT_TRUE(empty.IsBOF());
    EXPECT_TRUE(empty.IsEOF());
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { empty.MoveFirst(); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { empty.MoveNext(); }));
    EXPECT_EQ(DAOERR_NO_CURRENT_RECORD, DaoErrorOf([&] { empty.GetFieldValue(0); }));
    EXPECT_EQ(0, empty.GetRecordCount());
}

TEST_F(DaoRecordsetTest, SnapshotReadIntoOneVariantGivesEachRowAndFreesTheFile)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT FD_Code, FD_Name FROM ss_organ ORDER BY FD_Line", dbReadOnly);
    // Codes of one length and names of several, row after row into the same
    // two variants.
    COleVariant code, name;
    CString text;
    for (; !rs.IsEOF(); rs.MoveNext())
    {
        rs.GetFieldValue("FD_Code", code);
        rs.GetFieldValue("FD_Name", name);
        text += DaoText(code) + "=" + DaoText(name) + ";";
    }
    EXPECT_STREQ("A1=Alpha;B2=Beta;C3=O'Hara;D4=Delta;", text);
    // Read to its end, the result holds no lock: another connection writes
    // at once instead of timing out.
    CDaoDatabase other;
    other.Open(m_folder.Path("rs.db"));
    EXPECT_EQ(-1, DaoErrorOf([&] { other.Execute("UPDATE ss_organ SET FD_Name='Alef' WHERE FD_Code='A1'"); }));
}

TEST_F(DaoRecordsetTest, DynasetHeldMidwayLocksNothingAndEditsTheRowsItRead)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT FD_Code, FD_Line, FD_Rate, FD_Name FROM ss_organ ORDER BY FD_Line");
    rs.MoveNext();
    // Standing on its second row, the dynaset keeps no read open on the
    // file: another connection writes at once, and the rows read stay.
    CDaoDatabase other;
    other.Open(m_folder.Path("rs.db"));
    EXPECT_EQ(-1, DaoErrorOf([&] { other.Execute("UPDATE ss_organ SET FD_Name='Bet' WHERE FD_Code='B2'"); }));
    EXPECT_STREQ("B2", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_STREQ("Beta", DaoText(rs.GetFieldValue("FD_Name")));
    EXPECT_EQ(VT_NULL, DaoType(rs.GetFieldValue("FD_Rate")));
    rs.MoveNext();
    COleVariant rate = rs.GetFieldValue("FD_Rate");
    EXPECT_DOUBLE_EQ(2.25, V_R8(&rate));

    // Edited, added and deleted rows keep the others as they were read.
    rs.Edit();
    rs.SetFieldValue("FD_Name", "Oh");
    rs.Update();
    EXPECT_STREQ("Oh", DaoText(rs.GetFieldValue("FD_Name")));
    rs.AddNew();
    rs.SetFieldValue("FD_Code", "E5");
    rs.Update();
    rs.MoveFirst();
    rs.Delete();
    rs.MoveNext();
    EXPECT_STREQ("B2,C3,D4,E5", Joined(rs));
    rs.MoveFirst();
    EXPECT_STREQ("Beta", DaoText(rs.GetFieldValue("FD_Name")));
    EXPECT_STREQ("B2,C3,D4,E5", StoredCodes());
}

TEST_F(DaoRecordsetTest, ComputedColumnsCannotBeUpdated)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT FD_Code, FD_Line * 10 AS Tens FROM ss_organ ORDER BY FD_Line");
    EXPECT_TRUE(rs.CanUpdate());
    EXPECT_EQ(10, DaoLong(rs.GetFieldValue("tens")));
    rs.Edit();
    EXPECT_NE(-1, DaoErrorOf([&] { rs.SetFieldValue("Tens", COleVariant((LONG)5)); }));
    rs.SetFieldValue("FD_Code", "A9");
    rs.Update();
    EXPECT_STREQ("A9", DaoText(rs.GetFieldValue(0)));
    EXPECT_EQ(10, DaoLong(rs.GetFieldValue(1)));
    // Criteria on the computed column are evaluated on the rows.
    ASSERT_TRUE(rs.FindFirst("Tens = 30"));
    EXPECT_STREQ("C3", DaoText(rs.GetFieldValue("FD_Code")));
    EXPECT_FALSE(rs.FindNext("Tens = 30"));
    EXPECT_NE(-1, DaoErrorOf([&] { rs.FindFirst("NoSuchColumn = 1"); }));
}

TEST_F(DaoRecordsetTest, OpenFailuresLeaveItClosed)
{
    CDaoRecordset rs(&m_db);
    CString message;
    EXPECT_EQ(DAOERR_NO_TABLE, DaoErrorOf([&] { rs.Open(dbOpenDynaset, "nothere"); }, &message));
    EXPECT_GE(message.Find("nothere"), 0);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_NE(-1, DaoErrorOf([&] { rs.Open(dbOpenDynaset, ""); }));
    CDaoRecordset orphan;
    EXPECT_NE(-1, DaoErrorOf([&] { orphan.Open(dbOpenDynaset, "ss_organ"); }));
    CDaoDatabase closed;
    CDaoRecordset onClosed(&closed);
    EXPECT_EQ(DAOERR_NOT_OPEN, DaoErrorOf([&] { onClosed.Open(dbOpenDynaset, "ss_organ"); }));
}

TEST_F(DaoRecordsetTest, SnapshotAndReadOnlyOptionRefuseChanges)
{
    CDaoRecordset snap(&m_db);
    snap.Open(dbOpenSnapshot, "ss_organ");
    EXPECT_FALSE(snap.CanUpdate());
    EXPECT_EQ(DAOERR_READ_ONLY, DaoErrorOf([&] { snap.AddNew(); }));
    CDaoRecordset ro(&m_db);
    ro.Open(dbOpenDynaset, "ss_organ", dbReadOnly);
    EXPECT_EQ(DAOERR_READ_ONLY, DaoErrorOf([&] { ro.Edit(); }));
    EXPECT_EQ(4, ro.GetRecordCount());
}
