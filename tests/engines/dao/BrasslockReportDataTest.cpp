#include <unistd.h>

#include <deque>
#include <thread>

#include "tests/engines/dao/ReportDatabaseFile.h"
#include "tests/engines/dao/BrasslockLibrary.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/UpdateConfirmDriver.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/OleVariant.h"
#include "framework/db/DaoDatabase.h"

namespace
{

const char kPeriod[] = "2005030000000";
const char kRowsQuery[] =
    "SELECT FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Line, FD_CurType, FD_Value"
    " FROM ss_datalist ORDER BY FD_OrgCode, FD_RowItemCode, FD_ColItemCode, FD_Line";

// A second connection to the database file, as another program writing to
// it has.
class OtherWriter
{
public:
    explicit OtherWriter(const CString& strPath)
    {
        sqlite3_open_v2(DaoUnixPath(strPath), &m_pDb, SQLITE_OPEN_READWRITE, NULL);
        sqlite3_busy_timeout(m_pDb, 500);
    }
    ~OtherWriter() { sqlite3_close(m_pDb); }
    int Exec(const char* lpszSql) { return sqlite3_exec(m_pDb, lpszSql, NULL, NULL, NULL); }

private:
    sqlite3* m_pDb = NULL;
};

class ReportData : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_library.IsLoaded());
        ASSERT_NE(nullptr, m_library.SaveKemReportData);
        ASSERT_NE(nullptr, m_library.LoadKemReportData);
        m_file.Exec("INSERT INTO ss_Organ VALUES ('O''K', 'O''Keefe & Sons', 'OK');"
                    "INSERT INTO ss_Organ VALUES ('B1', 'Branch One', 'B1');"
                    "INSERT INTO ss_item VALUES ('R''1', 'Sales ''net''', 'R1', 0);"
                    "INSERT INTO ss_item VALUES ('R2', 'Costs', 'R2', 0);"
                    "INSERT INTO ss_colitem VALUES ('C1', 'Budget', 'C1');");
        m_pDb = m_library.GetDatabase(1);
        ASSERT_NE(nullptr, m_pDb);
        m_pDb->m_strDatabase = m_file.WindowsPath();
        m_pDb->Reopen(FALSE);
        ASSERT_TRUE(m_pDb->IsOpen());
    }

    void TearDown() override
    {
        if (m_pDb != NULL)
        {
            m_pDb->Close();
            m_library.ReleaseDatabase(m_pDb);
        }
    }

    int Save() { return m_library.SaveKemReportData(&m_cells, m_pDb, "ss_datalist"); }
    int Load() { return m_library.LoadKemReportData(&m_cells, m_pDb, "ss_datalist"); }
    void Add(const CCell& cell) { m_cells.Add(const_cast<CCell&>(cell)); }
    CString& Value(int i) { return m_cells.ElementAt(i).m_strValue; }
    std::vector<std::string> Rows() { return m_file.Rows(kRowsQuery); }

    BrasslockLibrary m_library;
    ReportDatabaseFile m_file;
    CKemDatabase* m_pDb = NULL;
    CCellArray m_cells;
};

} // namespace

TEST_F(ReportData, SavedRowsMatchTheCellsAndAnUnchangedResaveWritesNothing)
{
    Add(DataCell("O'K", kPeriod, "R'1", "C1", 1, 0, "12.5", 1));
    Add(DataCell("O'K", kPeriod, "R'1", "", 2, 1, "it's text"));
    CCell text = DataCell("B1", kPeriod, "R2", "", 0, 0, "99");
    text.SetType(CELL_TEXT);
    text.m_strValue = "not data";
    Add(text);
    Add(DataCell("B1", kPeriod, "R2", "C1", 3, 2, "", 260));
    MessageBoxRecorder recorder;
    EXPECT_EQ(1, Save());
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.LastText();
    std::vector<std::string> expected = {
        "B1|2005030000000|R2|C1|3|4|",
        "O'K|2005030000000|R'1|========|2|0|it's text",
        "O'K|2005030000000|R'1|C1|1|1|12.5",
    };
    EXPECT_EQ(expected, Rows());
    int nWrites = m_file.WriteCount();
    EXPECT_EQ(3, nWrites);

    EXPECT_EQ(1, Save());
    EXPECT_EQ(nWrites, m_file.WriteCount());
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.LastText();
}

TEST_F(ReportData, MissingValuesOfEachModeAreNotStored)
{
    Add(DataCell("B1", kPeriod, "R2", "", 1, 0, "0.000001"));
    Add(DataCell("B1", kPeriod, "R2", "", 2, 0, "abc"));
    Add(DataCell("B1", kPeriod, "R2", "", 3, 1, ""));
    Add(DataCell("B1", kPeriod, "R2", "", 4, 2, "NULL"));
    Add(DataCell("B1", kPeriod, "R2", "", 5, 0, "0.00001"));
    Add(DataCell("B1", kPeriod, "R2", "", 6, 2, ""));
    EXPECT_EQ(1, Save());
    std::vector<std::string> expected = {"B1|2005030000000|R2|========|5|0|0.00001",
                                         "B1|2005030000000|R2|========|6|0|"};
    EXPECT_EQ(expected, Rows());
}

TEST_F(ReportData, EachOverwriteAnswerIsFollowed)
{
    m_file.Exec("INSERT INTO ss_datalist VALUES ('2005030000000','O''K','R''1','C1',1,0,'1');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','O''K','R''1','C1',2,0,'2');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','O''K','R''1','C1',3,0,'3');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','O''K','R''1','C1',4,0,'4');");
    for (int nLine = 1; nLine <= 4; ++nLine)
        Add(DataCell("O'K", kPeriod, "R'1", "C1", nLine, 1, "new"));
    Add(DataCell("O'K", kPeriod, "R'1", "C1", 5, 1, "added"));
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::update);
    confirm.Queue(CUpdateConfirmDriver::skip);
    confirm.Queue(CUpdateConfirmDriver::updateAll);
    EXPECT_EQ(1, Save());
    ASSERT_EQ(3u, confirm.Asked().size());
    EXPECT_EQ("Report Date: Q3,2005\nReport Organ: O'Keefe & Sons\nColumn Item: Budget\nRow Item: Sales 'net'\n"
              "At Line: 1\nOld Data: 1\nCurrent Data: new\n",
              confirm.Asked()[0]);
    std::vector<std::string> values = m_file.Rows("SELECT FD_Value FROM ss_datalist ORDER BY FD_Line");
    EXPECT_EQ((std::vector<std::string>{"new", "2", "new", "new", "added"}), values);

    // Leave-all: nothing more is asked or replaced, new values are still added.
    for (int i = 0; i < 4; ++i)
        Value(i) = "newer";
    Add(DataCell("O'K", kPeriod, "R'1", "C1", 6, 1, "more"));
    confirm.Clear();
    confirm.Queue(CUpdateConfirmDriver::skipAll);
    EXPECT_EQ(1, Save());
    EXPECT_EQ(1u, confirm.Asked().size());
    values = m_file.Rows("SELECT FD_Value FROM ss_datalist ORDER BY FD_Line");
    EXPECT_EQ((std::vector<std::string>{"new", "2", "new", "new", "added", "more"}), values);

    // Escape leaves that value and asks again at the next one.
    confirm.Clear();
    confirm.Queue(CUpdateConfirmDriver::escape);
    EXPECT_EQ(1, Save());
    EXPECT_EQ(4u, confirm.Asked().size());
}

TEST_F(ReportData, ClearedValuesDeleteTheirRowsAfterConfirmation)
{
    m_file.Exec("INSERT INTO ss_datalist VALUES ('2005030000000','B1','R2','========',1,0,'5');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','B1','R2','========',2,0,'text');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','B1','R2','========',3,0,'5');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','B1','R2','========',4,0,'5');");
    Add(DataCell("B1", kPeriod, "R2", "", 1, 0, "0.000001"));
    Add(DataCell("B1", kPeriod, "R2", "", 2, 1, ""));
    Add(DataCell("B1", kPeriod, "R2", "", 3, 0, "0"));
    // The texts 5 and 5.0 differ.
    Add(DataCell("B1", kPeriod, "R2", "", 4, 0, "5.0"));
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::update);
    confirm.Queue(CUpdateConfirmDriver::update);
    confirm.Queue(CUpdateConfirmDriver::skip);
    confirm.Queue(CUpdateConfirmDriver::update);
    EXPECT_EQ(1, Save());
    EXPECT_EQ(4u, confirm.Asked().size());
    EXPECT_EQ((std::vector<std::string>{"3|5", "4|5.0"}),
              m_file.Rows("SELECT FD_Line, FD_Value FROM ss_datalist ORDER BY FD_Line"));
}

TEST_F(ReportData, LoadGivesStoredTextsAndTheMissingTextOfEachMode)
{
    m_file.Exec("INSERT INTO ss_datalist VALUES ('2005030000000','O''K','R''1','========',1,0,'7.25');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','O''K','R''1','C1',1,0,NULL);"
                "INSERT INTO ss_datalist VALUES ('2005030000000','O''K','R''1','C1',2,3,'cur 3');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','B1','R2','========',1,0,'other');");
    Add(DataCell("O'K", kPeriod, "R'1", "", 1, 0, "x"));
    Add(DataCell("O'K", kPeriod, "R'1", "C1", 1, 1, "x"));
    Add(DataCell("O'K", kPeriod, "R'1", "C1", 2, 2, "x", 3));
    Add(DataCell("O'K", kPeriod, "R'1", "C1", 2, 2, "x", 4));
    Add(DataCell("O'K", kPeriod, "R'1", "C1", 9, 0, "x"));
    Add(DataCell("O'K", kPeriod, "R'1", "C1", 9, 1, "x"));
    CCell text = DataCell("O'K", kPeriod, "R'1", "", 1, 0, "");
    text.SetType(CELL_TEXT);
    text.m_strValue = "kept";
    Add(text);
    EXPECT_EQ(1, Load());
    const char* expected[] = {"7.25", "", "cur 3", "NULL", "0", "", "kept"};
    for (int i = 0; i < 7; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_STREQ(expected[i], Value(i));
    }

    // What was loaded saves back unchanged: not even the placeholders.
    int nWrites = m_file.WriteCount();
    MessageBoxRecorder recorder;
    EXPECT_EQ(1, Save());
    EXPECT_EQ(nWrites, m_file.WriteCount());
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.LastText();
}

TEST_F(ReportData, LoadFromAnEmptyTableChangesNothing)
{
    Add(DataCell("B1", kPeriod, "R2", "", 1, 0, "left alone"));
    EXPECT_EQ(0, Load());
    EXPECT_STREQ("left alone", Value(0));
}

TEST_F(ReportData, SaveLoadRoundTrip)
{
    const char* values[] = {"1", "-2.5", "O'Hara", "", "1e3"};
    for (int i = 0; i < 5; ++i)
        Add(DataCell("O'K", kPeriod, "R'1", "C1", i, 2, values[i]));
    EXPECT_EQ(1, Save());
    for (int i = 0; i < 5; ++i)
        Value(i) = "changed";
    EXPECT_EQ(1, Load());
    for (int i = 0; i < 5; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_STREQ(values[i], Value(i));
    }
}

TEST_F(ReportData, AFailedSaveStoresNothingAndSaysWhy)
{
    m_file.Exec("CREATE TRIGGER refuse BEFORE INSERT ON ss_datalist WHEN NEW.FD_Value = 'refused'"
                " BEGIN SELECT RAISE(ABORT, 'value refused'); END;");
    Add(DataCell("B1", kPeriod, "R2", "", 1, 1, "first"));
    Add(DataCell("B1", kPeriod, "R2", "", 2, 1, "refused"));
    MessageBoxRecorder recorder;
    EXPECT_EQ(0, Save());
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_NE(std::string::npos, recorder.LastText().find("value refused")) << recorder.LastText();
    EXPECT_TRUE(Rows().empty());

    // The database stays usable.
    Value(1) = "accepted";
    EXPECT_EQ(1, Save());
    EXPECT_EQ(2u, Rows().size());
}

TEST_F(ReportData, AMissingTableIsReported)
{
    Add(DataCell("B1", kPeriod, "R2", "", 1, 1, "v"));
    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDNO);
    recorder.QueueAnswer(IDNO);
    EXPECT_EQ(0, m_library.SaveKemReportData(&m_cells, m_pDb, "ss_nosuch"));
    EXPECT_EQ(0, m_library.LoadKemReportData(&m_cells, m_pDb, "ss_nosuch"));
    ASSERT_EQ(2u, recorder.Messages().size());
    EXPECT_NE(std::string::npos, recorder.Messages()[0].text.find("(3078)")) << recorder.Messages()[0].text;
    EXPECT_STREQ("v", Value(0));
}

TEST_F(ReportData, NothingIsHeldWhileTheUserAnswersAndAnotherWriterIsWaitedForAWhile)
{
    m_file.Exec("INSERT INTO ss_datalist VALUES ('2005030000000','B1','R2','========',1,0,'1');"
                "INSERT INTO ss_datalist VALUES ('2005030000000','B1','R2','========',2,0,'2');");
    Add(DataCell("B1", kPeriod, "R2", "", 1, 1, "new"));
    Add(DataCell("B1", kPeriod, "R2", "", 2, 1, "new"));
    Add(DataCell("B1", kPeriod, "R2", "", 3, 1, "added"));
    OtherWriter other(m_file.WindowsPath());
    // While the second question shows, another program changes the value
    // the first one was about: the file is not held, and the save stores
    // nothing.
    CUpdateConfirmDriver confirm;
    confirm.Queue(CUpdateConfirmDriver::update);
    confirm.Queue(CUpdateConfirmDriver::update);
    int nOtherWrite = -1;
    confirm.WhileAsking([&](size_t nAsked) {
        if (nAsked == 1)
            nOtherWrite = other.Exec("UPDATE ss_datalist SET FD_Value = 'theirs' WHERE FD_Line = 1");
    });
    MessageBoxRecorder recorder;
    EXPECT_EQ(0, Save());
    EXPECT_EQ(SQLITE_OK, nOtherWrite);
    EXPECT_EQ(2u, confirm.Asked().size());
    EXPECT_EQ(0u, recorder.LastText().find("Another user has saved this report")) << recorder.LastText();
    const char kValues[] = "SELECT FD_Value FROM ss_datalist ORDER BY FD_Line";
    EXPECT_EQ((std::vector<std::string>{"theirs", "2"}), m_file.Rows(kValues));
    confirm.WhileAsking(nullptr);
    confirm.Clear();

    // The other program writing: the save waits for it, and the question
    // shows the other program's value.
    ASSERT_EQ(SQLITE_OK, other.Exec("BEGIN IMMEDIATE; INSERT INTO ss_colitem VALUES ('C9', 'Other', 'C9')"));
    std::thread release([&other]() {
        usleep(700 * 1000);
        other.Exec("COMMIT");
    });
    confirm.Queue(CUpdateConfirmDriver::updateAll);
    DWORD dwStart = GetTickCount();
    EXPECT_EQ(1, Save());
    DWORD dwWaited = GetTickCount() - dwStart;
    release.join();
    EXPECT_GE(dwWaited, 600u);
    ASSERT_EQ(1u, confirm.Asked().size());
    EXPECT_NE(std::string::npos, confirm.Asked()[0].find("Old Data: theirs\n")) << confirm.Asked()[0];
    EXPECT_EQ((std::vector<std::string>{"new", "new", "added"}), m_file.Rows(kValues));

    // Held past the wait: nothing is stored, and the message says why in
    // words, offering no help that does not exist.
    ASSERT_EQ(SQLITE_OK, other.Exec("BEGIN IMMEDIATE"));
    Value(0) = "newer";
    confirm.Queue(CUpdateConfirmDriver::update);
    recorder.Clear();
    EXPECT_EQ(0, Save());
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ(0u, recorder.LastText().find("The database is busy")) << recorder.LastText();
    EXPECT_EQ(std::string::npos, recorder.LastText().find("help")) << recorder.LastText();
    EXPECT_EQ((UINT)MB_OK, recorder.Messages()[0].type & MB_TYPEMASK);
    EXPECT_EQ(SQLITE_OK, other.Exec("ROLLBACK"));
    EXPECT_EQ((std::vector<std::string>{"new", "new", "added"}), m_file.Rows(kValues));
}

TEST_F(ReportData, NamesHoldingLikeAndWildcardsAreFoundAsTyped)
{
    m_file.Exec("INSERT INTO ss_Organ VALUES ('S1', 'Stores like ours_north', 'S1');"
                "INSERT INTO ss_Organ VALUES ('S2', 'Stores like ours north', 'S2');"
                "INSERT INTO ss_Organ VALUES ('S3', 'Shops like this', 'S3');");
    CKemRecordset* pRecordset = m_library.GetRecordset(m_pDb);
    ASSERT_NE(nullptr, pRecordset);
    auto codesOf = [&](LPCSTR lpszSql, LPCSTR lpszFilter) {
        std::vector<std::string> codes;
        pRecordset->m_strFilter = lpszFilter;
        pRecordset->Open(lpszSql, TRUE);
        for (; !pRecordset->IsEOF(); pRecordset->MoveNext())
        {
            COleVariant value = pRecordset->GetFieldValue("FD_Code");
            codes.push_back((LPCSTR)AfxStringFromBstrBytes(V_BSTR(&value)));
        }
        pRecordset->Close();
        return codes;
    };
    try
    {
        // The duplicate test of the organizations dialog and the key cells'.
        EXPECT_EQ(std::vector<std::string>{"S1"},
                  codesOf("Select * From ss_Organ Where FD_Code='S9' Or FD_Name='Stores like ours_north'", ""));
        EXPECT_EQ(std::vector<std::string>{"S3"}, codesOf("select * from ss_Organ", "FD_Name='Shops like this'"));
        // A pattern after LIKE still takes the wildcards, next to such a name.
        EXPECT_EQ((std::vector<std::string>{"S1", "S2"}),
                  codesOf("select * from ss_Organ where FD_Name <> 'Shops like this' And FD_Name LIKE 'Stores%'"
                          " Order By FD_Code", ""));
        EXPECT_EQ((std::vector<std::string>{"S1", "S2"}),
                  codesOf("select * from ss_Organ Order By FD_Code", "FD_Name like 'Stores like ours_north'"));
    }
    catch (CException* e)
    {
        ADD_FAILURE() << TakeExceptionText(e);
    }
    m_library.ReleaseRecordset(pRecordset);
}
