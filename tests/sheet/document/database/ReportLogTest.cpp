// The fill-in log: runs of consecutive periods grow, join and stay single
// rows, on both engines and in both ways of recording.
#include "tests/sheet/document/database/DatabaseTestDoc.h"

namespace
{

using ReportLog = ReportDatabaseTest;

std::string LogRun(LPCSTR pszOrg, const CString& strStart, const CString& strEnd)
{
    return std::string(kFormCode) + "|" + pszOrg + "|2|" + (LPCSTR)strStart + "|" + (LPCSTR)strEnd;
}

TEST_P(ReportLog, SavingJanuaryMarchThenFebruaryJoinsTheRunsAndResavingInsideChangesNothing)
{
    const CString jan = MonthCode(2026, 1), feb = MonthCode(2026, 2), mar = MonthCode(2026, 3);
    SetFigures("1", "2", "3", "");
    SetKeys("A01", "Alder", jan);
    m_doc.SaveDataToDatabase();
    SetKeys("A01", "Alder", mar);
    m_doc.SaveDataToDatabase();
    EXPECT_EQ((std::vector<std::string>{LogRun("A01", jan, jan), LogRun("A01", mar, mar)}), LogRows());
    EXPECT_EQ(1, m_doc.IsReportLogged("A01", mar));
    EXPECT_EQ(0, m_doc.IsReportLogged("A01", feb));
    EXPECT_EQ(2, m_doc.CheckReportLogRange("A01", jan, feb));
    EXPECT_EQ(0, m_doc.CheckReportLogRange("B02", jan, mar));

    SetKeys("A01", "Alder", feb);
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(std::vector<std::string>{LogRun("A01", jan, mar)}, LogRows());
    EXPECT_EQ(1, m_doc.CheckReportLogRange("A01", jan, mar));

    // Saving a period inside the run, and the run's ends, leave the one row.
    m_doc.SaveDataToDatabase();
    SetKeys("A01", "Alder", jan);
    m_doc.SaveDataToDatabase();
    EXPECT_EQ(std::vector<std::string>{LogRun("A01", jan, mar)}, LogRows());
    // April extends it; another organization starts its own run.
    SetKeys("A01", "Alder", MonthCode(2026, 4));
    m_doc.SaveDataToDatabase();
    SetKeys("B02", "O'Brien & Co", feb);
    m_doc.SaveDataToDatabase();
    EXPECT_EQ((std::vector<std::string>{LogRun("A01", jan, MonthCode(2026, 4)), LogRun("B02", feb, feb)}), LogRows());
    EXPECT_STREQ(jan, m_doc.GetFirstReportLogStart());
    for (const std::string& text : MessageTexts())
        EXPECT_EQ(std::string::npos, text.find("Failed")) << text;
}

TEST_P(ReportLog, TheOneRecordsetVariantKeepsTheSameRuns)
{
    const CString jan = MonthCode(2026, 1), feb = MonthCode(2026, 2), mar = MonthCode(2026, 3);
    const CString months[] = {jan, mar, feb, feb, MonthCode(2025, 12)};
    for (const CString& month : months)
    {
        SetKeys("A01", "Alder", month);
        EXPECT_EQ(1, m_doc.SaveReportLog());
    }
    EXPECT_EQ(std::vector<std::string>{LogRun("A01", MonthCode(2025, 12), mar)}, LogRows());
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
}

TEST_P(ReportLog, AJoinThatCannotFinishLeavesTheLogAsItWas)
{
    const CString jan = MonthCode(2026, 1), feb = MonthCode(2026, 2), mar = MonthCode(2026, 3);
    SetKeys("A01", "Alder", jan);
    ASSERT_EQ(1, m_doc.RecordReportLog());
    SetKeys("A01", "Alder", mar);
    ASSERT_EQ(1, m_doc.RecordReportLog());
    m_backend->RefuseLogDeletes();
    const std::vector<std::string> before = LogRows();

    SetKeys("A01", "Alder", feb);
    EXPECT_EQ(0, m_doc.RecordReportLog());
    EXPECT_EQ(before, LogRows());
    EXPECT_EQ(0, m_doc.SaveReportLog());
    EXPECT_EQ(before, LogRows());
    EXPECT_FALSE(MessageTexts().empty());

    // Through the save command the figures and their log row are stored
    // together or not at all: the database refusing the log undoes the save.
    m_messages.Clear();
    SetFigures("5", "", "", "");
    m_doc.SaveDataToDatabase();
    std::vector<std::string> told = MessageTexts();
    ASSERT_GE(told.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{"Failed to record fill in log.", "Failed to save data."}),
              std::vector<std::string>(told.end() - 2, told.end()));
    EXPECT_TRUE(Rows("SELECT FD_Value FROM ss_datalist").empty());
    EXPECT_EQ(before, LogRows());
}

TEST_P(ReportLog, NoLogWithoutOrganizationOrPeriod)
{
    SetKeys("", "", MonthCode(2026, 1));
    EXPECT_EQ(0, m_doc.RecordReportLog());
    // A name after the code cell does not name the organization of the log.
    SetKeys("", "O'Brien & Co", MonthCode(2026, 1));
    EXPECT_EQ(0, m_doc.RecordReportLog());
    // Without a code cell the code is looked up by the name.
    m_doc.m_sheet.m_cells[FORM_CODE].SetType(CELL_TEXT);
    EXPECT_EQ(1, m_doc.RecordReportLog());
    EXPECT_EQ(std::vector<std::string>{LogRun("B02", MonthCode(2026, 1), MonthCode(2026, 1))}, LogRows());
}

INSTANTIATE_TEST_SUITE_P(Engines, ReportLog, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace
