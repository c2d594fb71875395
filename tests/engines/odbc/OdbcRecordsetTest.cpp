#include <climits>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/engines/odbc/OdbcTestSource.h"

namespace
{

// The return code of the CDBException the statement throws; 0 when none.
template <class F>
int DbErrorOf(F f)
{
    try
    {
        f();
    }
    catch (CDBException* e)
    {
        int code = e->m_nRetCode;
        e->Delete();
        return code;
    }
    return 0;
}

CString TextOf(const COleVariant& var)
{
    return V_VT(&var) == VT_BSTR ? AfxStringFromBstrBytes(V_BSTR(&var)) : CString("<not text>");
}

class OdbcRecordset : public testing::TestWithParam<OdbcBackend>
{
protected:
    OdbcRecordset() : m_library("ODBC.dll"), m_source(GetParam()), m_db(m_library, m_source) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_library.IsLoaded());
        ASSERT_TRUE(m_source.IsReady());
        ASSERT_NE(nullptr, m_db.Get());
        ASSERT_TRUE(m_db->IsOpen());
        m_source.Exec("INSERT INTO ss_Organ VALUES ('A1', 'Alpha', 'a')");
        m_source.Exec("INSERT INTO ss_Organ VALUES ('B''2', 'O''Brien', 'b')");
        m_source.Exec("INSERT INTO ss_Organ VALUES ('C3', 'Gamma', 'c')");
        m_source.Exec("INSERT INTO ss_Organ VALUES ('D4', 'Delta', 'd')");
        m_rs = m_library.GetRecordset(m_db.Get());
        ASSERT_NE(nullptr, m_rs);
    }

    void TearDown() override
    {
        if (m_rs != NULL)
            m_library.ReleaseRecordset(m_rs);
    }

    CString Code() { return TextOf(m_rs->GetFieldValue("FD_Code")); }

    // many_t with kRows rows, more than a block holds: FD_No i, FD_Code
    // "c<i>" (NULL for 500; on SQLite, which keeps any length, row 600 holds
    // LongText(), longer than the column's declared size) and FD_Rate i.5.
    static constexpr int kRows = 700;
    static CString LongText() { return CString('x', 300); }
    CString ExpectedCode(int i) const
    {
        CString code;
        if (i == 600 && !GetParam().postgres)
            return LongText();
        code.Format("c%d", i);
        return code;
    }
    void FillManyRows()
    {
        m_source.Exec("DROP TABLE IF EXISTS many_t");
        m_source.Exec("CREATE TABLE many_t (FD_No INTEGER, FD_Code VARCHAR(8), FD_Rate DOUBLE PRECISION)");
        for (int first = 0; first < kRows; first += 100)
        {
            CString sql = "INSERT INTO many_t VALUES ";
            for (int i = first; i < first + 100; ++i)
            {
                CString row;
                if (i == 500)
                    row.Format("(%d, NULL, %d.5)", i, i);
                else
                    row.Format("(%d, '%s', %d.5)", i, (LPCSTR)ExpectedCode(i), i);
                sql += (i > first ? "," : "") + row;
            }
            m_source.Exec(sql);
        }
    }
    // Reads every row forward from the current one, row nFirst, checking
    // FD_No and FD_Code (FD_Code of row nChanged is strChanged); the number
    // of the row after the last.
    int CheckRowsForward(int nFirst = 0, int nChanged = -1, const CString& strChanged = CString())
    {
        SCOPED_TRACE("rows read forward");
        COleVariant no, code;
        int nRows = nFirst;
        for (; !m_rs->IsEOF(); m_rs->MoveNext(), ++nRows)
        {
            m_rs->GetFieldValue("FD_No", no);
            m_rs->GetFieldValue("FD_Code", code);
            EXPECT_EQ(VT_I4, V_VT(&no));
            EXPECT_EQ(nRows, V_I4(&no));
            if (nRows == 500)
                EXPECT_EQ(VT_NULL, V_VT(&code));
            else
                EXPECT_STREQ(nRows == nChanged ? strChanged : ExpectedCode(nRows), TextOf(code)) << "row " << nRows;
        }
        return nRows;
    }

    EngineLibrary m_library;
    OdbcTestSource m_source;
    OdbcEngineDatabase m_db;
    CKemRecordset* m_rs = NULL;
};

} // namespace

TEST_P(OdbcRecordset, ColumnsAreFoundByNameInAnyCaseAndUnknownOnesRaise1026)
{
    m_rs->m_strSort = "FD_Code";
    m_rs->Open("select * from ss_Organ", TRUE);
    ASSERT_TRUE(m_rs->IsOpen());
    EXPECT_EQ(3, m_rs->GetFieldCount());
    EXPECT_STREQ("A1", TextOf(m_rs->GetFieldValue("FD_CODE")));
    EXPECT_STREQ("Alpha", TextOf(m_rs->GetFieldValue("fd_name")));
    EXPECT_STREQ("Alpha", TextOf(m_rs->GetFieldValue(1)));
    COleVariant value;
    m_rs->GetFieldValue("FD_SearchCode", value);
    EXPECT_STREQ("a", TextOf(value));
    EXPECT_EQ(AFX_SQL_ERROR_FIELD_NOT_FOUND, DbErrorOf([&] { m_rs->GetFieldValue("FD_Nothing"); }));
    EXPECT_EQ(AFX_SQL_ERROR_FIELD_NOT_FOUND, DbErrorOf([&] { m_rs->GetFieldValue(3); }));
    EXPECT_EQ(AFX_SQL_ERROR_FIELD_NOT_FOUND, DbErrorOf([&] { m_rs->GetFieldValue(-1); }));
    EXPECT_EQ(AFX_SQL_ERROR_FIELD_NOT_FOUND, DbErrorOf([&] { m_rs->SetFieldValue("FD_Nothing", "x"); }));
}

TEST_P(OdbcRecordset, MovesCountsAndEndsOfTheResult)
{
    m_rs->m_strFilter = "FD_SearchCode <> 'c'";
    m_rs->m_strSort = "FD_Code";
    m_rs->Open("select * from [ss_Organ]", TRUE);
    EXPECT_FALSE(m_rs->IsBOF());
    EXPECT_STREQ("A1", Code());
    m_rs->MoveLast();
    EXPECT_STREQ("D4", Code());
    EXPECT_EQ(3, m_rs->GetRecordCount());
    m_rs->MovePrev();
    EXPECT_STREQ("B'2", Code());
    m_rs->MoveNext();
    m_rs->MoveNext();
    EXPECT_TRUE(m_rs->IsEOF());
    EXPECT_NE(0, DbErrorOf([&] { m_rs->MoveNext(); }));
    m_rs->MoveFirst();
    m_rs->Move(2);
    EXPECT_STREQ("D4", Code());

    // A filter set afterwards applies at the next re-query.
    m_rs->m_strFilter = "FD_Code = 'Z9'";
    m_rs->Requery();
    EXPECT_TRUE(m_rs->IsBOF());
    EXPECT_TRUE(m_rs->IsEOF());
    EXPECT_EQ(0, m_rs->GetRecordCount());
}

TEST_P(OdbcRecordset, FindsStandOnTheMatchAndLaterMovesGoOnFromThere)
{
    m_rs->m_strSort = "FD_Code";
    m_rs->Open("select * from ss_Organ", FALSE);
    EXPECT_TRUE(m_rs->FindFirst("FD_Code='C3'"));
    EXPECT_STREQ("C3", Code());
    m_rs->MoveNext();
    EXPECT_STREQ("D4", Code());
    // A quote in the criteria goes through the caller's own quoting.
    EXPECT_TRUE(m_rs->FindFirst("FD_Name='O''Brien'"));
    EXPECT_STREQ("B'2", Code());
    EXPECT_FALSE(m_rs->FindNext("FD_Name='O''Brien'"));
    EXPECT_STREQ("B'2", Code());
    EXPECT_FALSE(m_rs->FindFirst("FD_Code='none'"));
    m_rs->MovePrev();
    EXPECT_STREQ("A1", Code());
    // The count is of the rows reached: back in the whole result, up to B'2.
    EXPECT_EQ(2, m_rs->GetRecordCount());

    // Repeated finds with their own criteria do not pile up.
    EXPECT_TRUE(m_rs->FindNext("FD_SearchCode >= 'b'"));
    EXPECT_STREQ("B'2", Code());
    EXPECT_TRUE(m_rs->FindNext("FD_SearchCode >= 'b'"));
    EXPECT_STREQ("C3", Code());
    EXPECT_TRUE(m_rs->FindLast("FD_SearchCode <= 'c'"));
    EXPECT_STREQ("C3", Code());
    EXPECT_TRUE(m_rs->FindPrev("FD_SearchCode <= 'c'"));
    EXPECT_STREQ("B'2", Code());
    EXPECT_TRUE(m_rs->Find(LONG_MIN, "FD_Code='D4'"));
    EXPECT_STREQ("D4", Code());
    m_rs->MoveFirst();
    EXPECT_STREQ("A1", Code());
    EXPECT_EQ(4, [&] { m_rs->MoveLast(); return m_rs->GetRecordCount(); }());
}

TEST_P(OdbcRecordset, FindsInAStatementWithItsOwnWhere)
{
    m_rs->Open("SELECT FD_Code, FD_Name FROM ss_Organ where FD_SearchCode <> 'a' ORDER BY FD_Code", TRUE);
    EXPECT_FALSE(m_rs->FindFirst("FD_Code='A1'"));
    EXPECT_TRUE(m_rs->FindFirst("FD_Code='D4'"));
    EXPECT_TRUE(m_rs->FindFirst("FD_Code='C3'"));
    EXPECT_STREQ("Gamma", TextOf(m_rs->GetFieldValue("FD_Name")));
}

TEST_P(OdbcRecordset, ChangesReachTheTable)
{
    m_rs->m_strSort = "FD_Code";
    m_rs->Open("select * from ss_Organ", FALSE);
    m_rs->AddNew();
    m_rs->SetFieldValue("FD_Code", "E'5");
    m_rs->SetFieldValue(1, COleVariant("Epsilon's", VT_BSTRT));
    m_rs->Update();
    ASSERT_TRUE(m_rs->FindFirst("FD_Code='A1'"));
    m_rs->Edit();
    m_rs->SetFieldValue("FD_Name", "Alpha'");
    m_rs->SetFieldValueNull("FD_SearchCode");
    m_rs->Update();
    ASSERT_TRUE(m_rs->FindFirst("FD_Code='C3'"));
    m_rs->Delete();
    EXPECT_TRUE(m_rs->IsDeleted());
    m_rs->MoveFirst();
    m_rs->Edit();
    m_rs->SetFieldValue("FD_Name", "unsaved");
    m_rs->CancelUpdate();
    std::vector<std::string> expected = {"A1|Alpha'|NULL", "B'2|O'Brien|b", "D4|Delta|d", "E'5|Epsilon's|NULL"};
    EXPECT_EQ(expected, m_source.Rows("SELECT FD_Code, FD_Name, FD_SearchCode FROM ss_Organ ORDER BY FD_Code"));

    CKemRecordset* pReadOnly = m_library.GetRecordset(m_db.Get());
    pReadOnly->Open("select * from ss_Organ", TRUE);
    EXPECT_NE(0, DbErrorOf([&] { pReadOnly->AddNew(); }));
    m_library.ReleaseRecordset(pReadOnly);
}

TEST_P(OdbcRecordset, ValuesAreTypedByTheColumn)
{
    m_source.Exec("INSERT INTO ss_reportlog VALUES ('T1', 'A1', 7, '2005030000000', '2005-03-15 10:20:30', 2.5, 3)");
    m_source.Exec("INSERT INTO ss_reportlog VALUES ('T2', 'A1', 8, '2005030000000', NULL, NULL, NULL)");
    m_rs->m_strSort = "FD_TemplateCode";
    m_rs->Open("SELECT * FROM ss_reportlog", FALSE);
    COleVariant type = m_rs->GetFieldValue("FD_ReportType");
    EXPECT_EQ(VT_I4, V_VT(&type));
    EXPECT_EQ(7, V_I4(&type));
    COleVariant stamp = m_rs->GetFieldValue("FD_Stamp");
    ASSERT_EQ(VT_DATE, V_VT(&stamp));
    SYSTEMTIME st = {};
    VariantTimeToSystemTime(V_DATE(&stamp), &st);
    EXPECT_EQ(2005, st.wYear);
    EXPECT_EQ(15, st.wDay);
    EXPECT_EQ(30, st.wSecond);
    COleVariant ratio = m_rs->GetFieldValue("FD_Ratio");
    EXPECT_EQ(VT_R8, V_VT(&ratio));
    EXPECT_DOUBLE_EQ(2.5, V_R8(&ratio));
    COleVariant flag = m_rs->GetFieldValue("FD_Flag");
    EXPECT_EQ(VT_I4, V_VT(&flag));
    m_rs->MoveNext();
    COleVariant noStamp = m_rs->GetFieldValue("FD_Stamp");
    EXPECT_EQ(VT_NULL, V_VT(&noStamp));

    // Text is not stored into a number column; a variant is converted.
    MessageBoxRecorder recorder;
    m_rs->Edit();
    m_rs->SetFieldValue("FD_ReportType", "3");
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ("Field type is not matching.", recorder.LastText());
    m_rs->SetFieldValue("FD_Ratio", COleVariant("0.25", VT_BSTRT));
    m_rs->SetFieldValue("FD_Stamp", COleVariant(COleDateTime(2006, 1, 2, 3, 4, 5)));
    m_rs->Update();
    std::vector<std::string> expected = {"8|0.25"};
    EXPECT_EQ(expected, m_source.Rows("SELECT FD_ReportType, FD_Ratio FROM ss_reportlog WHERE FD_TemplateCode='T2'"));
    std::vector<std::string> stamps = m_source.Rows("SELECT FD_Stamp FROM ss_reportlog WHERE FD_TemplateCode='T2'");
    ASSERT_EQ(1u, stamps.size());
    EXPECT_EQ(0u, stamps[0].find("2006-01-02 03:04:05")) << stamps[0];
}

TEST_P(OdbcRecordset, ReadOnlyResultOfManyBlocksReadsWholeAndScrollsBack)
{
    FillManyRows();
    m_rs->Open("select * from many_t order by FD_No", TRUE);
    EXPECT_EQ(kRows, CheckRowsForward());
    EXPECT_EQ(kRows, m_rs->GetRecordCount());
    m_rs->MovePrev();
    COleVariant no = m_rs->GetFieldValue("FD_No");
    EXPECT_EQ(kRows - 1, V_I4(&no));
    m_rs->MoveFirst();
    EXPECT_STREQ("c0", TextOf(m_rs->GetFieldValue("FD_Code")));
    COleVariant rate = m_rs->GetFieldValue("FD_Rate");
    ASSERT_EQ(VT_R8, V_VT(&rate));
    EXPECT_DOUBLE_EQ(0.5, V_R8(&rate));

    // A column first asked for deep into the result, within a block of
    // rows, still gives that row's value, and the rows after it follow.
    m_rs->Open("select * from many_t order by FD_No", TRUE);
    EXPECT_STREQ("c0", Code());
    m_rs->Move(450);
    rate = m_rs->GetFieldValue("FD_Rate");
    ASSERT_EQ(VT_R8, V_VT(&rate));
    EXPECT_DOUBLE_EQ(450.5, V_R8(&rate));
    EXPECT_EQ(kRows, CheckRowsForward(450));
}

TEST_P(OdbcRecordset, KeptResultReadsNullAndLongTextAndReadsAnEditAfterARequery)
{
    FillManyRows();
    m_rs->Open("select * from many_t order by FD_No", FALSE);
    EXPECT_EQ(kRows, CheckRowsForward());

    // The edited row, longer than its column on SQLite, is read back whole.
    CString strEdited = GetParam().postgres ? CString("e123") : CString('y', 500);
    m_rs->MoveFirst();
    m_rs->Move(123);
    m_rs->Edit();
    m_rs->SetFieldValue("FD_Code", (LPCSTR)strEdited);
    m_rs->Update();
    m_rs->Requery();
    EXPECT_EQ(kRows, CheckRowsForward(0, 123, strEdited));
    std::vector<std::string> expected = {std::string(strEdited)};
    EXPECT_EQ(expected, m_source.Rows("SELECT FD_Code FROM many_t WHERE FD_No = 123"));
}

TEST_P(OdbcRecordset, ABadStatementRaisesTheDriversError)
{
    EXPECT_NE(0, DbErrorOf([&] { m_rs->Open("select * from no_such_table", TRUE); }));
    EXPECT_FALSE(m_rs->IsOpen());
    m_rs->Open("select * from ss_Organ", TRUE);
    EXPECT_TRUE(m_rs->IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Backends, OdbcRecordset, testing::ValuesIn(kOdbcBackends), OdbcBackendName);

TEST(OdbcEngineDatabase, UserAndPasswordReachTheServer)
{
    EngineLibrary library("ODBC.dll");
    ASSERT_TRUE(library.IsLoaded());
    OdbcTestSource source(kOdbcBackends[1]);
    ASSERT_TRUE(source.IsReady());
    CKemDatabase* pDb = library.GetDatabase(25);
    pDb->m_strDatabase = source.Dsn();
    pDb->m_strUser = source.User();
    pDb->m_strPassword = source.Password() + "x";
    EXPECT_NE(0, DbErrorOf([&] { pDb->Reopen(FALSE); }));
    EXPECT_FALSE(pDb->IsOpen());
    // The password holds ';' and a quote: it still arrives whole.
    pDb->m_strPassword = source.Password();
    ASSERT_NE(-1, source.Password().Find(';'));
    pDb->Reopen(FALSE);
    EXPECT_TRUE(pDb->IsOpen());
    pDb->Close();
    EXPECT_FALSE(pDb->IsOpen());
    library.ReleaseDatabase(pDb);
}

TEST(OdbcEngineDatabase, ExportsAcceptAnyTypeAndNullPointers)
{
    EngineLibrary library("ODBC.dll");
    ASSERT_TRUE(library.IsLoaded());
    ASSERT_NE(nullptr, library.GetRecordset);
    CKemDatabase* pDb = library.GetDatabase(40);
    ASSERT_NE(nullptr, pDb);
    EXPECT_EQ(40, pDb->m_nType);
    EXPECT_STREQ("", pDb->GetConnectString());
    CCellArray cells;
    EXPECT_EQ(0, library.LoadKemReportData(&cells, pDb, "ss_datalist"));
    EXPECT_EQ(0, library.SaveKemReportData(&cells, pDb, "ss_datalist"));
    EXPECT_EQ(0, DbErrorOf([&] { library.ReleaseDatabase(NULL); library.ReleaseRecordset(NULL); }));
    // An unopened database gives a recordset whose open fails cleanly.
    CKemRecordset* pRs = library.GetRecordset(pDb);
    ASSERT_NE(nullptr, pRs);
    EXPECT_NE(0, DbErrorOf([&] { pRs->Open("select 1", TRUE); }));
    library.ReleaseRecordset(pRs);
    library.ReleaseDatabase(pDb);
}
