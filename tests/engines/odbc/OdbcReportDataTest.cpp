#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/engines/odbc/OdbcTestSource.h"
#include "tests/support/UpdateConfirmDriver.h"
#include "tests/support/Utf8.h"

#include <stdio.h>
#include <stdlib.h>

#include "engines/common/KemRecordset.h"
#include "framework/core/OleVariant.h"

namespace
{

const char kPeriod[] = "2005030000000";
const char kRowsQuery[] =
    "SELECT FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Line, FD_CurType, FD_Value"
    " FROM ss_datalist ORDER BY FD_OrgCode, FD_RowItemCode, FD_ColItemCode, FD_Line";

class OdbcReportData : public testing::TestWithParam<OdbcBackend>
{
protected:
    OdbcReportData() : m_library("ODBC.dll"), m_source(GetParam()), m_db(m_library, m_source) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_library.IsLoaded());
        ASSERT_TRUE(m_source.IsReady());
        ASSERT_NE(nullptr, m_db.Get());
        ASSERT_TRUE(m_db->IsOpen());
        m_source.Exec("INSERT INTO ss_Organ VALUES ('O''K', 'O''Keefe & Sons', 'OK')");
        m_source.Exec("INSERT INTO ss_Organ VALUES ('B1', 'Branch One', 'B1')");
        m_source.Exec("INSERT INTO ss_item VALUES ('R''1', 'Sales ''net''', 'R1', 0)");
        m_source.Exec("INSERT INTO ss_item VALUES ('R2', 'Costs', 'R2', 0)");
        m_source.Exec("INSERT INTO ss_colitem VALUES ('C1', 'Budget', 'C1')");
    }

    int Save() { return m_library.SaveKemReportData(&m_cells, m_db.Get(), "ss_datalist"); }
    int Load() { return m_library.LoadKemReportData(&m_cells, m_db.Get(), "ss_datalist"); }
    void Add(const CCell& cell) { m_cells.Add(const_cast<CCell&>(cell)); }
    CString& Value(int i) { return m_cells.ElementAt(i).m_strValue; }
    std::vector<std::string> Rows() { return m_source.Rows(kRowsQuery); }
    void InsertRow(LPCSTR lpszValues) { m_source.Exec(CString("INSERT INTO ss_datalist VALUES (") + lpszValues + ")"); }

    EngineLibrary m_library;
    OdbcTestSource m_source;
    OdbcEngineDatabase m_db;
    CCellArray m_cells;
};

} // namespace

TEST_P(OdbcReportData, SaveStoresTheCellsAndAnUnchangedResaveWritesNothing)
{
    Add(ReportDataCell("O'K", kPeriod, "R'1", "C1", 1, 0, "12.5", 1));
    Add(ReportDataCell("O'K", kPeriod, "R'1", "", 2, 1, "it's text"));
    CCell text = ReportDataCell("B1", kPeriod, "R2", "", 0, 0, "99");
    text.SetType(CELL_TEXT);
    text.m_strValue = "not data";
    Add(text);
    // Null mode stores an empty value; the currency key is its low byte.
    Add(ReportDataCell("B1", kPeriod, "R2", "C1", 3, 2, "", 260));
    MessageBoxRecorder recorder;
    EXPECT_EQ(1, Save());
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.LastText();
    std::vector<std::string> expected = {
        "B1|2005030000000|R2|C1|3|4|",
        "O'K|2005030000000|R'1|========|2|0|it's text",
        "O'K|2005030000000|R'1|C1|1|1|12.5",
    };
    EXPECT_EQ(expected, Rows());
    EXPECT_EQ(3, m_source.WriteCount());

    EXPECT_EQ(1, Save());
    EXPECT_EQ(3, m_source.WriteCount());
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.LastText();
}

TEST_P(OdbcReportData, MissingValuesOfEachModeAreNotStored)
{
    Add(ReportDataCell("B1", kPeriod, "R2", "", 1, 0, "0.000001"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 2, 0, "abc"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 3, 1, ""));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 4, 2, "NULL"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 5, 0, "0.00001"));
    EXPECT_EQ(1, Save());
    std::vector<std::string> expected = {"B1|2005030000000|R2|========|5|0|0.00001"};
    EXPECT_EQ(expected, Rows());
}

TEST_P(OdbcReportData, EachOverwriteAnswerIsFollowed)
{
    for (int nLine = 1; nLine <= 4; ++nLine)
    {
        CString values;
        values.Format("'2005030000000','O''K','R''1','C1',%d,0,'%d'", nLine, nLine);
        InsertRow(values);
    }
    for (int nLine = 1; nLine <= 4; ++nLine)
        Add(ReportDataCell("O'K", kPeriod, "R'1", "C1", nLine, 1, "new"));
    Add(ReportDataCell("O'K", kPeriod, "R'1", "C1", 5, 1, "added"));
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::update);
    confirm.Queue(CUpdateConfirmDriver::skip);
    confirm.Queue(CUpdateConfirmDriver::updateAll);
    EXPECT_EQ(1, Save());
    // "Update all" answers line 3 and line 4 without a question.
    ASSERT_EQ(3u, confirm.Asked().size());
    EXPECT_EQ("Report Date: Q3,2005\nReport Organ: O'Keefe & Sons\nColumn Item: Budget\nRow Item: Sales 'net'\n"
              "At Line: 2\nOld Data: 2\nCurrent Data: new\n",
              confirm.Asked()[1]);
    std::vector<std::string> expected = {"new", "2", "new", "new", "added"};
    EXPECT_EQ(expected, m_source.Rows("SELECT FD_Value FROM ss_datalist ORDER BY FD_Line"));
}

TEST_P(OdbcReportData, SkipAllLeavesStoredValuesButAddsNewOnes)
{
    InsertRow("'2005030000000','B1','R2','========',1,0,'5'");
    InsertRow("'2005030000000','B1','R2','========',2,0,'6'");
    Add(ReportDataCell("B1", kPeriod, "R2", "", 1, 0, "5.0"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 2, 0, "7"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 3, 0, "8"));
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::skipAll);
    EXPECT_EQ(1, Save());
    // "5" and "5.0" differ as texts: the first is asked about.
    EXPECT_EQ(1u, confirm.Asked().size());
    std::vector<std::string> expected = {"1|5", "2|6", "3|8"};
    EXPECT_EQ(expected, m_source.Rows("SELECT FD_Line, FD_Value FROM ss_datalist ORDER BY FD_Line"));
}

TEST_P(OdbcReportData, ClearingAValueDeletesItsRowOnlyWhenConfirmed)
{
    InsertRow("'2005030000000','B1','R2','========',1,0,'5'");
    InsertRow("'2005030000000','B1','R2','========',2,0,'text'");
    InsertRow("'2005030000000','B1','R2','========',3,0,'9'");
    Add(ReportDataCell("B1", kPeriod, "R2", "", 1, 0, "0.000001"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 2, 1, ""));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 3, 0, "0"));
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::update);
    confirm.Queue(CUpdateConfirmDriver::update);
    confirm.Queue(CUpdateConfirmDriver::skip);
    EXPECT_EQ(1, Save());
    EXPECT_EQ(3u, confirm.Asked().size());
    std::vector<std::string> expected = {"3|9"};
    EXPECT_EQ(expected, m_source.Rows("SELECT FD_Line, FD_Value FROM ss_datalist ORDER BY FD_Line"));
}

TEST_P(OdbcReportData, LoadGivesStoredTextsAndTheMissingTextOfEachMode)
{
    InsertRow("'2005030000000','O''K','R''1','C1',1,1,'12.5'");
    InsertRow("'2005030000000','O''K','R''1','========',2,0,'it''s'");
    InsertRow("'2005030000000','O''K','R''1','========',3,0,NULL");
    Add(ReportDataCell("O'K", kPeriod, "R'1", "C1", 1, 0, "old", 1));
    Add(ReportDataCell("O'K", kPeriod, "R'1", "", 2, 1, "old"));
    Add(ReportDataCell("O'K", kPeriod, "R'1", "", 3, 0, "old"));
    Add(ReportDataCell("O'K", kPeriod, "R'1", "", 4, 0, "old"));
    Add(ReportDataCell("O'K", kPeriod, "R'1", "", 5, 1, "old"));
    Add(ReportDataCell("O'K", kPeriod, "R'1", "", 6, 2, "old"));
    // Same key but another currency: not the stored row.
    Add(ReportDataCell("O'K", kPeriod, "R'1", "C1", 1, 1, "old", 2));
    CCell text = ReportDataCell("O'K", kPeriod, "R'1", "C1", 1, 0, "");
    text.SetType(CELL_TEXT);
    text.m_strValue = "kept";
    Add(text);
    EXPECT_EQ(1, Load());
    const char* expected[] = {"12.5", "it's", "", "0", "", "NULL", "", "kept"};
    for (int i = 0; i < 8; ++i)
        EXPECT_STREQ(expected[i], Value(i)) << "cell " << i;
}

TEST_P(OdbcReportData, SavedReportLoadsBackAsItWas)
{
    const char* values[] = {"1", "2.25", "-3", "it's", "x y", "1e5"};
    for (int i = 0; i < 6; ++i)
        Add(ReportDataCell(i % 2 ? "O'K" : "B1", kPeriod, i % 3 ? "R'1" : "R2", i % 2 ? "C1" : "", i, 1, values[i]));
    EXPECT_EQ(1, Save());
    for (int i = 0; i < 6; ++i)
        Value(i) = "changed";
    EXPECT_EQ(1, Load());
    for (int i = 0; i < 6; ++i)
        EXPECT_STREQ(values[i], Value(i));
    // The direct query sees the same rows the load gave.
    EXPECT_EQ(6u, Rows().size());
    std::vector<std::string> expected = {"2.25"};
    EXPECT_EQ(expected, m_source.Rows("SELECT FD_Value FROM ss_datalist WHERE FD_OrgCode='O''K'"
                                      " AND FD_RowItemCode='R''1' AND FD_ColItemCode='C1' AND FD_Line=1"));
}

TEST_P(OdbcReportData, EmptyTableLoadsEveryMissingText)
{
    Add(ReportDataCell("B1", kPeriod, "R2", "", 1, 0, "x"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 2, 1, "x"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 3, 7, "x"));
    EXPECT_EQ(1, Load());
    EXPECT_STREQ("0", Value(0));
    EXPECT_STREQ("", Value(1));
    EXPECT_STREQ("NULL", Value(2));
}

TEST_P(OdbcReportData, DatabaseErrorIsShownAndStoresNothing)
{
    Add(ReportDataCell("B1", kPeriod, "R2", "", 1, 1, "a"));
    MessageBoxRecorder recorder;
    EXPECT_EQ(0, m_library.SaveKemReportData(&m_cells, m_db.Get(), "no_such_table"));
    EXPECT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ(0, m_library.LoadKemReportData(&m_cells, m_db.Get(), "no_such_table"));
    EXPECT_EQ(2u, recorder.Messages().size());
    EXPECT_STREQ("a", Value(0));

    // A failure midway rolls back the rows already written.
    m_source.Exec("CREATE TABLE ss_small (FD_Time VARCHAR(13), FD_OrgCode VARCHAR(8), FD_RowItemCode VARCHAR(8),"
                  " FD_ColItemCode VARCHAR(8), FD_Line INTEGER, FD_CurType SMALLINT,"
                  " FD_Value VARCHAR(255) CHECK (FD_Value <> 'bad'))");
    Add(ReportDataCell("B1", kPeriod, "R2", "", 2, 1, "bad"));
    EXPECT_EQ(0, m_library.SaveKemReportData(&m_cells, m_db.Get(), "ss_small"));
    EXPECT_EQ(3u, recorder.Messages().size());
    EXPECT_TRUE(m_source.Rows("SELECT * FROM ss_small").empty());
    m_source.Exec("DROP TABLE ss_small");
}

TEST_P(OdbcReportData, OtherEnginesTypesAreNotServed)
{
    Add(ReportDataCell("B1", kPeriod, "R2", "", 1, 1, "a"));
    OdbcEngineDatabase sybase(m_library, m_source, 26);
    ASSERT_NE(nullptr, sybase.Get());
    EXPECT_EQ(0, m_library.SaveKemReportData(&m_cells, sybase.Get(), "ss_datalist"));
    EXPECT_EQ(0, m_library.LoadKemReportData(&m_cells, sybase.Get(), "ss_datalist"));
    EXPECT_STREQ("a", Value(0));
    EXPECT_EQ(0, m_source.WriteCount());
    // The other ODBC labels are served.
    OdbcEngineDatabase oracle(m_library, m_source, 27);
    EXPECT_EQ(1, m_library.SaveKemReportData(&m_cells, oracle.Get(), "ss_datalist"));
    EXPECT_EQ(1, m_source.WriteCount());
}

// Another user's session on the same data source; a statement's error
// text, "" when it ran.
std::string ExecIn(CDatabase& db, const char* lpszSql)
{
    try
    {
        db.ExecuteSQL(lpszSql);
        return std::string();
    }
    catch (CDBException* e)
    {
        std::string text = e->m_strError.IsEmpty() ? "failed" : (LPCSTR)e->m_strError;
        e->Delete();
        return text;
    }
}

TEST_P(OdbcReportData, NoRowIsHeldWhileTheUserAnswersAndAnotherSessionsRowsAreWaitedForAWhile)
{
    InsertRow("'2005030000000','B1','R2','========',1,0,'1'");
    InsertRow("'2005030000000','B1','R2','========',2,0,'2'");
    Add(ReportDataCell("B1", kPeriod, "R2", "", 1, 1, "new"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 2, 1, "new"));
    Add(ReportDataCell("B1", kPeriod, "R2", "", 3, 1, "added"));
    CDatabase other;
    other.OpenEx("DSN=" + m_source.Dsn() + (GetParam().postgres ? ";UID=" + OdbcConnectValue(m_source.User()) +
                                                                      ";PWD=" + OdbcConnectValue(m_source.Password())
                                                                : CString()));
    // Waiting on a lock would end the other session's statement in a while.
    if (GetParam().postgres)
    {
        ASSERT_EQ("", ExecIn(other, "SET lock_timeout TO '2s'"));
    }
    // While the second question shows, the other session changes the value
    // the first one was about: it is not held, and the save stores nothing.
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::update);
    confirm.Queue(CUpdateConfirmDriver::update);
    std::string otherError = "not run";
    confirm.WhileAsking([&](size_t nAsked) {
        if (nAsked == 1)
            otherError = ExecIn(other, "UPDATE ss_datalist SET FD_Value = 'theirs' WHERE FD_Line = 1");
    });
    MessageBoxRecorder recorder;
    EXPECT_EQ(0, Save());
    EXPECT_EQ("", otherError);
    EXPECT_EQ(2u, confirm.Asked().size());
    EXPECT_EQ(0u, recorder.LastText().find("Another user has saved this report")) << recorder.LastText();
    EXPECT_EQ((std::vector<std::string>{"theirs", "2"}),
              m_source.Rows("SELECT FD_Value FROM ss_datalist ORDER BY FD_Line"));
    confirm.WhileAsking(nullptr);
    confirm.Clear();

    // A row the other session is writing: the save gives up after the
    // lock timeout, in words (SQLite's driver waits by its own timeout).
    if (GetParam().postgres)
    {
        other.BeginTrans();
        ASSERT_EQ("", ExecIn(other, "UPDATE ss_datalist SET FD_Value = 'again' WHERE FD_Line = 2"));
        confirm.Queue(CUpdateConfirmDriver::updateAll);
        DWORD dwStart = GetTickCount();
        EXPECT_EQ(0, Save());
        DWORD dwWaited = GetTickCount() - dwStart;
        EXPECT_GE(dwWaited, 4000u);
        EXPECT_LT(dwWaited, 30000u);
        EXPECT_EQ("Another user is saving this report; try again.", recorder.LastText());
        other.Rollback();
        confirm.Clear();
    }

    // Saved again, the question shows the other session's value.
    confirm.Queue(CUpdateConfirmDriver::updateAll);
    EXPECT_EQ(1, Save());
    ASSERT_EQ(1u, confirm.Asked().size());
    EXPECT_NE(std::string::npos, confirm.Asked()[0].find("Old Data: theirs\n")) << confirm.Asked()[0];
    EXPECT_EQ((std::vector<std::string>{"new", "new", "added"}),
              m_source.Rows("SELECT FD_Value FROM ss_datalist ORDER BY FD_Line"));
}

CString FieldText(const COleVariant& var)
{
    return V_VT(&var) == VT_BSTR ? AfxStringFromBstrBytes(V_BSTR(&var)) : CString("<not text>");
}

// The Access-type engine on the SQLite file the ODBC driver writes: it
// finds the name the driver stored by its text, shows it as the ODBC
// engine does, and stores what it writes as the driver does (UTF-8).
void ExpectTheAccessEngineAgrees(OdbcTestSource& source, const char* pszCode, const CString& strName,
                                 const char* pszUtf8)
{
    CString strPath = "Z:" + EnvironmentValue("KEM_TEST_SQLITE_FILE");
    strPath.Replace('/', '\\');
    EngineLibrary brasslock("Brasslock.dll");
    ASSERT_TRUE(brasslock.IsLoaded());
    CKemDatabase* pDb = brasslock.GetDatabase(1);
    ASSERT_NE(nullptr, pDb);
    pDb->m_strDatabase = strPath;
    pDb->Reopen(FALSE);
    EXPECT_TRUE(pDb->IsOpen());
    CKemRecordset* pRecordset = pDb->IsOpen() ? brasslock.GetRecordset(pDb) : NULL;
    try
    {
        if (pRecordset != NULL)
        {
            pRecordset->Open("select * from ss_Organ where FD_Name='" + strName + "'", FALSE);
            EXPECT_FALSE(pRecordset->IsEOF());
            if (!pRecordset->IsEOF())
            {
                EXPECT_STREQ(pszCode, FieldText(pRecordset->GetFieldValue("FD_Code")));
                EXPECT_STREQ(strName, FieldText(pRecordset->GetFieldValue("FD_Name")));
                pRecordset->Edit();
                pRecordset->SetFieldValue("FD_SearchCode", (LPCSTR)strName);
                pRecordset->Update();
            }
            pRecordset->Close();
        }
    }
    catch (CException* e)
    {
        ADD_FAILURE() << TakeExceptionText(e);
    }
    brasslock.ReleaseRecordset(pRecordset);
    brasslock.ReleaseDatabase(pDb);
    CString strQuery;
    strQuery.Format("SELECT lower(hex(FD_SearchCode)) FROM ss_Organ WHERE FD_Code='%s'", pszCode);
    EXPECT_EQ(std::vector<std::string>{HexOf(pszUtf8)}, source.Rows(strQuery));
}

// The tests run a second time with the Chinese code page (936) as the
// system's: then the Chinese name is tested too.
TEST_P(OdbcReportData, NamesBeyondAsciiReachTheServerAsItExpectsThemAndComeBack)
{
    CString strCodePage = EnvironmentValue("KEM_TEST_EXPECT_ACP");
    if (!strCodePage.IsEmpty())
    {
        ASSERT_EQ((UINT)atoi(strCodePage), GetACP());
    }
    const struct
    {
        const char* pszCode;
        const char* pszUtf8;
    } names[] = {{"N1", "Caf\xc3\xa9 M\xc3\xbcller"}, {"N2", "\xe4\xb8\xad\xe6\x96\x87\xe6\x9c\xba\xe6\x9e\x84"}};
    int nTested = 0;
    for (const auto& name : names)
    {
        CString strName = CodePageText(name.pszUtf8);
        if (strName.IsEmpty())
            continue;
        SCOPED_TRACE(name.pszCode);
        ++nTested;
        // Added through the engine's recordset, as the organizations dialog does.
        CKemRecordset* pRecordset = m_library.GetRecordset(m_db.Get());
        ASSERT_NE(nullptr, pRecordset);
        try
        {
            pRecordset->Open("select * from ss_Organ", FALSE);
            pRecordset->AddNew();
            pRecordset->SetFieldValue("FD_Code", name.pszCode);
            pRecordset->SetFieldValue("FD_Name", (LPCSTR)strName);
            pRecordset->SetFieldValue("FD_SearchCode", name.pszCode);
            pRecordset->Update();
            pRecordset->Close();
            // Found by a condition in the statement's text, as the key cells are.
            pRecordset->Open("select * from ss_Organ where FD_Name='" + strName + "'", TRUE);
            EXPECT_FALSE(pRecordset->IsEOF());
            if (!pRecordset->IsEOF())
            {
                EXPECT_STREQ(name.pszCode, FieldText(pRecordset->GetFieldValue("FD_Code")));
                EXPECT_STREQ(strName, FieldText(pRecordset->GetFieldValue("FD_Name")));
            }
            pRecordset->Close();
        }
        catch (CException* e)
        {
            ADD_FAILURE() << TakeExceptionText(e);
        }
        m_library.ReleaseRecordset(pRecordset);
        CString strHexQuery;
        strHexQuery.Format(GetParam().postgres
                               ? "SELECT encode(convert_to(FD_Name, 'UTF8'), 'hex') FROM ss_Organ WHERE FD_Code='%s'"
                               : "SELECT lower(hex(FD_Name)) FROM ss_Organ WHERE FD_Code='%s'",
                           name.pszCode);
        EXPECT_EQ(std::vector<std::string>{HexOf(name.pszUtf8)}, m_source.Rows(strHexQuery));
        if (!GetParam().postgres)
            ExpectTheAccessEngineAgrees(m_source, name.pszCode, strName, name.pszUtf8);

        // The overwrite question shows the name as stored.
        m_cells.RemoveAll();
        CString strRow;
        strRow.Format("'2005030000000','%s','R2','========',1,0,'1'", name.pszCode);
        InsertRow(strRow);
        Add(ReportDataCell(name.pszCode, kPeriod, "R2", "", 1, 1, "2"));
        CUpdateConfirmDriver confirm;
        confirm.Queue(CUpdateConfirmDriver::skip);
        EXPECT_EQ(1, Save());
        ASSERT_EQ(1u, confirm.Asked().size());
        EXPECT_NE(std::string::npos, confirm.Asked()[0].find("Report Organ: " + std::string((LPCSTR)strName) + "\n"))
            << confirm.Asked()[0];
    }
    EXPECT_GT(nTested, 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, OdbcReportData, testing::ValuesIn(kOdbcBackends), OdbcBackendName);
