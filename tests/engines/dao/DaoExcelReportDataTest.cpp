#include "tests/engines/dao/ReportDatabaseFile.h"
#include "tests/engines/dao/BrasslockLibrary.h"

#include "engines/common/ReportDataTransfer.h"
#include "engines/dao/DaoReportData.h"

namespace
{

class ScriptedPrompt : public CReportOverwritePrompt
{
public:
    explicit ScriptedPrompt(std::vector<int> answers) : m_answers(answers) {}
    int Ask(const CReportOverwriteQuestion& question) override
    {
        m_asked.push_back((LPCSTR)question.m_strOldData);
        if (m_answers.empty())
            return OVERWRITE_SKIP;
        int nAnswer = m_answers.front();
        m_answers.erase(m_answers.begin());
        return nAnswer;
    }
    std::vector<int> m_answers;
    std::vector<std::string> m_asked;
};

class RecordedProgress : public CReportProgress
{
public:
    void SetPos(int nPercent) override { m_positions.push_back(nPercent); }
    std::vector<int> m_positions;
};

// Worksheet sources keep their rows: the engine is driven here on a file
// laid out as a workbook's temporary database, one table per sheet.
class ExcelReportData : public testing::Test
{
protected:
    void SetUp() override
    {
        // A sheet's table has no key index: its free rows share keys.
        m_file.Exec("DROP TABLE ss_datalist; CREATE TABLE ss_datalist (FD_OrgCode TEXT, FD_Time TEXT, FD_RowItemCode TEXT,"
                    " FD_ColItemCode TEXT, FD_Line INTEGER, FD_CurType INTEGER, FD_Value TEXT);");
        m_db.m_nType = 14;
        m_db.m_pDaoDatabase->Open(m_file.WindowsPath());
        ASSERT_TRUE(m_db.IsOpen());
    }

    std::vector<std::string> Rows()
    {
        return m_file.Rows("SELECT FD_OrgCode, FD_Line, FD_Value FROM ss_datalist ORDER BY rowid");
    }

    ReportDatabaseFile m_file;
    CDAODatabase m_db;
    CCellArray m_cells;
    RecordedProgress m_progress;
};

} // namespace

TEST_F(ExcelReportData, ClearedValuesKeepTheirRowsAndNewValuesReuseFreeRows)
{
    m_file.Exec("INSERT INTO ss_datalist VALUES ('B1','2005030000000','R2','========',1,0,'5');"
                "INSERT INTO ss_datalist VALUES ('OLD','2004030000000','R9','========',7,0,NULL);");
    CCell cleared = DataCell("B1", "2005030000000", "R2", "", 1, 0, "0.000001");
    CCell first = DataCell("B1", "2005030000000", "R2", "", 2, 1, "first");
    CCell second = DataCell("B1", "2005030000000", "R2", "", 3, 1, "second");
    m_cells.Add(cleared);
    m_cells.Add(first);
    m_cells.Add(second);
    ScriptedPrompt prompt({OVERWRITE_UPDATE});
    EXPECT_EQ(1, SaveDaoReportData(m_cells, m_db, "ss_datalist", prompt, m_progress));
    EXPECT_EQ((std::vector<std::string>{"5"}), prompt.m_asked);
    // The cleared row is the first free one, so the first new value takes
    // it; the old free row goes to the second.
    EXPECT_EQ((std::vector<std::string>{"B1|2|first", "B1|3|second"}), Rows());
    EXPECT_EQ((std::vector<int>{0, 33, 66}), m_progress.m_positions);

    // A NULL value loads as the missing text of the cell's mode.
    m_file.Exec("UPDATE ss_datalist SET FD_Value = NULL WHERE FD_Line = 3");
    m_cells.ElementAt(2).m_nValueType = 0;
    EXPECT_EQ(1, LoadDaoReportData(m_cells, m_db, "ss_datalist", m_progress));
    EXPECT_STREQ("0", m_cells[0].m_strValue);
    EXPECT_STREQ("first", m_cells[1].m_strValue);
    EXPECT_STREQ("0", m_cells[2].m_strValue);
}

TEST_F(ExcelReportData, WithoutAFreeRowANewRowIsAdded)
{
    m_file.Exec("INSERT INTO ss_datalist VALUES ('B1','2005030000000','R2','========',1,0,'5');");
    CCell cell = DataCell("O'K", "2005030000000", "R2", "C1", 4, 2, "");
    m_cells.Add(cell);
    ScriptedPrompt prompt({});
    EXPECT_EQ(1, SaveDaoReportData(m_cells, m_db, "ss_datalist", prompt, m_progress));
    EXPECT_TRUE(prompt.m_asked.empty());
    EXPECT_EQ((std::vector<std::string>{"B1|1|5", "O'K|4|"}), Rows());
}
