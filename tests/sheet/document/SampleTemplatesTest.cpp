// The sample templates the set-up writes with WriteSampleTemplates: they
// open as templates of their report type, their key cells and figures are
// keyed to the default database's sample items, their formulas compute and
// the monthly balance formula holds; a file already there is left alone.
#include <stdlib.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/SampleWriter.h"
#include "tests/support/ScratchFolder.h"

#include "sheet/BalanceFormula.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/PeriodCode.h"
#include "sheet/document/TallyformDoc.h"

namespace
{

const char kMonthly[] = "Monthly Report.kvm";
const char kTenDay[] = "Ten-day Report.kvm";

// The codes quoted at the start of the rows inserted into a table of the
// sample data script.
std::set<std::string> SampleCodes(const std::string& strTable)
{
    // A Unix path: the C++ library, not Win32, opens it.
    std::ifstream in(SAMPLE_DATA_SQL);
    std::stringstream text;
    text << in.rdbuf();
    std::set<std::string> codes;
    std::string line;
    bool bInside = false;
    while (std::getline(text, line))
    {
        if (line.rfind("INSERT INTO " + strTable + " ", 0) == 0)
            bInside = true;
        else if (line.rfind("INSERT", 0) == 0 || line.empty())
            bInside = false;
        else if (bInside && line.find("('") != std::string::npos)
        {
            size_t nStart = line.find("('") + 2;
            codes.insert(line.substr(nStart, line.find('\'', nStart) - nStart));
        }
    }
    return codes;
}

CCell* CellNamed(CSheet& sheet, LPCSTR pszName)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        if (sheet.m_cells[i].m_strName == pszName)
            return &sheet.m_cells[i];
    return NULL;
}

int CountOfType(const CSheet& sheet, int nType)
{
    int n = 0;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        n += sheet.m_cells[i].m_nType == nType ? 1 : 0;
    return n;
}

// Each figure keyed to a sample row and column item; each key cell once.
void ExpectKeyedToSampleItems(const CSheet& sheet)
{
    const std::set<std::string> rows = SampleCodes("ss_item");
    const std::set<std::string> cols = SampleCodes("ss_colitem");
    ASSERT_FALSE(rows.empty());
    ASSERT_FALSE(cols.empty());
    EXPECT_EQ(CountOfType(sheet, CELL_REPORTDATE), 1);
    EXPECT_EQ(CountOfType(sheet, CELL_ORGANCODE), 1);
    EXPECT_EQ(CountOfType(sheet, CELL_ORGAN), 1);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = sheet.m_cells[i];
        if (cell.m_nType != CELL_NUMERIC)
            continue;
        EXPECT_EQ(rows.count(cell.m_szRowItemCode), 1u) << (LPCSTR)cell.m_strName;
        EXPECT_EQ(cols.count(cell.m_szColItemCode), 1u) << (LPCSTR)cell.m_strName;
        EXPECT_GT(cell.m_nTabIndex, 0) << (LPCSTR)cell.m_strName;
    }
}

void Fill(CSheet& sheet, LPCSTR pszName, LPCSTR pszValue)
{
    CCell* pCell = CellNamed(sheet, pszName);
    ASSERT_NE(pCell, nullptr) << pszName;
    ASSERT_EQ(pCell->m_nType, CELL_NUMERIC) << pszName;
    pCell->m_strValue = pszValue;
}

double ValueOf(CSheet& sheet, LPCSTR pszName)
{
    CCell* pCell = CellNamed(sheet, pszName);
    return pCell != NULL ? atof(pCell->m_strValue) : -1e300;
}

class SampleTemplatesTest : public testing::Test
{
protected:
    void Open(LPCSTR pszFile, CTallyformDoc& doc)
    {
        doc.m_bAutoDelete = FALSE;
        ASSERT_TRUE(doc.OnOpenDocument(m_folder.PathOf(pszFile)));
    }

    // Writes the samples, opens one and checks its report type and keys.
    void OpenWritten(LPCSTR pszFile, LONG nReportType, CTallyformDoc& doc)
    {
        ASSERT_EQ(RunSampleWriter(m_folder.GetPath()), 0u);
        Open(pszFile, doc);
        EXPECT_EQ(doc.m_sheet.m_nReportType, nReportType);
        ExpectKeyedToSampleItems(doc.m_sheet);
    }

    CScratchFolder m_folder;
};

TEST_F(SampleTemplatesTest, MonthlyReportComputesAndBalances)
{
    CTallyformDoc doc;
    ASSERT_NO_FATAL_FAILURE(OpenWritten(kMonthly, PERIOD_MONTH, doc));
    CSheet& sheet = doc.m_sheet;
    EXPECT_EQ(CountOfType(sheet, CELL_NUMERIC), 8);
    ASSERT_EQ(sheet.m_lstBalance.GetCount(), 1);

    const char* const figures[][2] = { { "B5", "1000" }, { "B6", "400" }, { "B7", "250" },
                                       { "B8", "50" },   { "C5", "900" },  { "C6", "380" },
                                       { "C7", "240" },  { "C8", "30" } };
    for (const auto& figure : figures)
        Fill(sheet, figure[0], figure[1]);
    RecalculateAllFormulas(sheet);
    EXPECT_DOUBLE_EQ(ValueOf(sheet, "B9"), 300);
    EXPECT_DOUBLE_EQ(ValueOf(sheet, "C9"), 250);
    EXPECT_DOUBLE_EQ(ValueOf(sheet, "D5"), 100);
    EXPECT_DOUBLE_EQ(ValueOf(sheet, "D9"), 50);
    EXPECT_EQ(VerifyData(sheet), nullptr);
}

TEST_F(SampleTemplatesTest, TenDayReportComputesItsMargin)
{
    CTallyformDoc doc;
    ASSERT_NO_FATAL_FAILURE(OpenWritten(kTenDay, PERIOD_TENDAY, doc));
    CSheet& sheet = doc.m_sheet;
    Fill(sheet, "B5", "120.5");
    Fill(sheet, "B6", "20.25");
    RecalculateAllFormulas(sheet);
    EXPECT_DOUBLE_EQ(ValueOf(sheet, "B7"), 100.25);
}

TEST_F(SampleTemplatesTest, ExistingFilesAreLeftAlone)
{
    const std::string strMine = "a template of the user's own";
    WriteWholeFile(m_folder.PathOf(kMonthly), strMine);
    ASSERT_EQ(RunSampleWriter(m_folder.GetPath()), 0u);
    EXPECT_EQ(ReadWholeFile(m_folder.PathOf(kMonthly)), strMine);
    CTallyformDoc doc;
    Open(kTenDay, doc);
}

} // namespace
