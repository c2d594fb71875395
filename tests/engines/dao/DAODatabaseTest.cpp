#include <deque>

#include "tests/engines/dao/ReportDatabaseFile.h"
#include "tests/support/MessageBoxRecorder.h"

#include "engines/dao/DAODatabase.h"
#include "engines/dao/DAORecordset.h"

TEST(DAODatabase, ChangesThroughRecordsetsMarkTheDatabaseUntilClose)
{
    ReportDatabaseFile file;
    file.Exec("INSERT INTO ss_colitem VALUES ('C1', 'Budget', 'C1');");
    CDAODatabase db;
    db.m_nType = 0;
    db.m_strDatabase = file.WindowsPath();
    db.Reopen(FALSE);
    ASSERT_TRUE(db.IsOpen());
    EXPECT_STREQ(";DATABASE=" + file.WindowsPath(), db.m_strConnect);
    EXPECT_TRUE(db.m_strTempPath.IsEmpty());
    EXPECT_FALSE(db.m_bModified);
    {
        CDAORecordset rs(&db);
        rs.Open("select * from ss_colitem", FALSE);
        EXPECT_FALSE(db.m_bModified);
        rs.Edit();
        rs.SetFieldValue("FD_Name", "Plan");
        rs.Update();
        EXPECT_TRUE(db.m_bModified);
    }
    db.Close();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(db.m_bModified);
    EXPECT_EQ((std::vector<std::string>{"C1|Plan"}), file.Rows("SELECT FD_Code, FD_Name FROM ss_colitem"));
}

// A workbook is read into a temporary database like every file source: a
// missing one is named, stays closed and leaves no copy behind.
TEST(DAODatabase, AMissingWorkbookIsNamedAndLeavesNoCopy)
{
    CDAODatabase db;
    db.m_nType = 14;
    db.m_strDatabase = "C:\\x\\book.xls";
    MessageBoxRecorder recorder;
    db.Reopen(FALSE);
    EXPECT_STREQ("Excel 3.0;HDR=YES;DATABASE=C:\\x\\book.xls", db.m_strConnect);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.m_strTempPath.IsEmpty());
    EXPECT_EQ((std::vector<std::string>{"C:\\x\\book.xls was not found.", "Failed to import."}), recorder.Texts());
    db.Close();
    EXPECT_EQ(2u, recorder.Messages().size());
}
