#include <deque>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"

#include "engines/dao/DAODatabase.h"
#include "engines/dao/DAORecordset.h"
#include "engines/dao/DaoReportData.h"

TEST(DaoTableNames, EachSourceTypeAddressesItsTablesItsOwnWay)
{
    CDAODatabase db;
    db.m_nType = 2;
    CDAORecordset rs(&db);
    EXPECT_STREQ("ss_datal", rs.GetTableName("ss_datalist", -1));
    EXPECT_STREQ("ss_datalist", rs.GetTableName("ss_datalist", 1));
    EXPECT_STREQ("ss_datalist", rs.GetTableName("ss_datalist", 23));
    EXPECT_STREQ("ss_datal", rs.GetTableName("ss_datalist", 13));
    EXPECT_STREQ("ss_datalist$", rs.GetTableName("ss_datalist", 18));
    EXPECT_STREQ("ss_datalist#wks", rs.GetTableName("ss_datalist", 19));
    EXPECT_STREQ("ss_datalist#wk1", rs.GetTableName("ss_datalist", 20));
    EXPECT_STREQ("ss_datalist:", rs.GetTableName("ss_datalist", 22));
    MessageBoxRecorder recorder;
    EXPECT_STREQ("", rs.GetTableName("ss_datalist", 24));
    EXPECT_EQ("Invalid data source.", recorder.LastText());
}

TEST(DaoTableNames, ReportQueryOrdersByTheSixKeys)
{
    MessageBoxRecorder recorder;
    EXPECT_STREQ("Select * From [ss_datalist] Order By "
                 "FD_OrgCode,FD_Time,FD_RowItemCode,FD_ColItemCode,FD_Line,FD_CurType",
                 BuildReportDataSql("ss_datalist", 1));
    // Every file source is worked on in a copy that keeps the full table
    // names, whatever its format shortened or marked on disk.
    for (int nType : {4, 13, 15, 20, 23, 24})
        EXPECT_STREQ(BuildReportDataSql("ss_datalist", 1), BuildReportDataSql("ss_datalist", nType)) << nType;
    EXPECT_TRUE(recorder.Messages().empty());
}
