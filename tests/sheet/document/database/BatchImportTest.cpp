#include <string.h>

// Batch import of shared data files: each file is saved as the report of
// its own organization and period, a rejected file reaches no database,
// and a sheet holding data is cleared only when the user agrees.
#include "tests/sheet/document/database/DatabaseTestDoc.h"
#include "tests/support/ScratchFolder.h"

#include "framework/core/File.h"
#include "sheet/DataFile.h"

namespace
{

class BatchImport : public ReportDatabaseTest
{
protected:
    // A shared data file of the template with the figures given (NULL: no
    // record for that cell).
    CString WriteFile(LPCSTR pszFile, LPCSTR pszOrg, const CString& strPeriod, LPCSTR pszSales,
                      LPCSTR pszCosts, LPCSTR pszStaff, LPCSTR pszNote)
    {
        CDataFile data(DATAFILE_SHARED);
        data.CollectFromSheet(m_doc.m_sheet);
        LPCSTR pszOrgName = strcmp(pszOrg, "A01") == 0 ? "Alder" : strcmp(pszOrg, "B02") == 0 ? "O'Brien & Co"
                       : strcmp(pszOrg, "C03") == 0 ? "Cedar" : "Zed";
        data.SetReportInformation(pszOrg, pszOrgName, 1, strPeriod);
        const char* const values[] = {pszSales, pszCosts, pszStaff, pszNote};
        const char* const names[] = {"A2", "B2", "A3", "B3"};
        std::vector<CDataRecord> records;
        for (const CDataRecord& record : data.m_records)
        {
            for (int i = 0; i < 4; ++i)
            {
                if (record.m_strName == names[i] && values[i] != NULL)
                {
                    records.push_back(record);
                    records.back().m_strValue = values[i];
                }
            }
        }
        data.m_records = records;
        CString strPath = m_folder.PathOf(pszFile);
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        data.Write(file);
        return strPath;
    }

    CScratchFolder m_folder;
};

TEST_P(BatchImport, EachFileIsSavedAsItsOwnReportAndAnUnknownOrganizationReachesNoDatabase)
{
    // The balance formula names the calculate cell, which files do not hold.
    m_doc.m_sheet.m_lstBalance.AddTail("C2=A2+B2");
    const CString jan = MonthCode(2026, 1), feb = MonthCode(2026, 2), mar = MonthCode(2026, 3);
    m_doc.m_sumPaths = {
        WriteFile("a-jan.kvs", "A01", jan, "10", "1", "5", "n1"),
        // Empty figures must not carry those of the file before.
        WriteFile("a-feb.kvs", "A01", feb, "20", "2", "", ""),
        WriteFile("z-jan.kvs", "Z99", jan, "999", "999", "999", "zz"),
        // No record for two cells: they are this file's, and empty.
        WriteFile("b-jan.kvs", "B02", jan, "30", "3", NULL, NULL),
        WriteFile("c-mar.kvs", "C03", mar, "40", "4", "7", NULL),
    };
    m_doc.OnBatchImport();

    const std::string j = (LPCSTR)jan, f = (LPCSTR)feb, m = (LPCSTR)mar;
    std::vector<std::string> expected = {
        "A01|" + j + "|R1|C1|10", "A01|" + j + "|R1|C2|1", "A01|" + j + "|R2|C1|5", "A01|" + j + "|R2|C2|n1",
        "A01|" + f + "|R1|C1|20", "A01|" + f + "|R1|C2|2",
        "B02|" + j + "|R1|C1|30", "B02|" + j + "|R1|C2|3",
        "C03|" + m + "|R1|C1|40", "C03|" + m + "|R1|C2|4", "C03|" + m + "|R2|C1|7",
    };
    EXPECT_EQ(expected, DataRows());
    std::string code(kFormCode);
    EXPECT_EQ((std::vector<std::string>{code + "|A01|2|" + j + "|" + f, code + "|B02|2|" + j + "|" + j,
                                        code + "|C03|2|" + m + "|" + m}),
              LogRows());
    CString strRefused;
    strRefused.Format("The data in file %s is not valid.", (LPCSTR)m_doc.m_sumPaths[2]);
    EXPECT_EQ((std::vector<std::string>{"Invalid Organ Code.", (LPCSTR)strRefused}), MessageTexts());
    // The sheet is left empty.
    for (int i : {FORM_CODE, FORM_SALES, FORM_COSTS, FORM_STAFF, FORM_NOTE, FORM_TOTAL})
        EXPECT_STREQ("", Value(i)) << i;
    EXPECT_EQ('\0', m_doc.m_sheet.m_cells[FORM_DATE].m_szDateCode[0]);
}

TEST_P(BatchImport, ASheetWithDataIsClearedOnlyWithConsent)
{
    m_doc.m_sumPaths = {WriteFile("a-jan.kvs", "A01", MonthCode(2026, 1), "10", "1", "5", "n1")};
    Value(FORM_SALES) = "typed";
    m_messages.QueueAnswer(IDNO);
    m_doc.OnBatchImport();
    EXPECT_EQ(std::vector<std::string>{"Are you sure you want to clear data?"}, MessageTexts());
    EXPECT_STREQ("typed", Value(FORM_SALES));
    EXPECT_TRUE(DataRows().empty());

    m_messages.Clear();
    m_messages.QueueAnswer(IDYES);
    m_doc.OnBatchImport();
    EXPECT_EQ(std::vector<std::string>{"Are you sure you want to clear data?"}, MessageTexts());
    EXPECT_EQ(4u, DataRows().size());
}

TEST_P(BatchImport, AFileThatIsNoDataFileIsToldAndSkipped)
{
    CString strPath = m_folder.PathOf("junk.kvs");
    WriteWholeFile(strPath, "not a data file");
    EXPECT_EQ(0, m_doc.ImportDataFile(strPath));
    CString strExpected;
    strExpected.Format("Failed to open data file %s,ignore.", (LPCSTR)strPath);
    EXPECT_EQ(std::vector<std::string>{(LPCSTR)strExpected}, MessageTexts());
    EXPECT_TRUE(DataRows().empty());
}

TEST_P(BatchImport, DamagedPeriodsAndChangedItemCodesReachNoDatabaseUnlessAccepted)
{
    const CString jan = MonthCode(2026, 1);
    // A damaged period, and a quarter's code in a monthly template.
    CString strJunk = WriteFile("junk-period.kvs", "A01", "ABCDEFGHIJKLM", "10", "1", "5", "n1");
    CString strQuarter = WriteFile("quarter.kvs", "A01", "2026010000000", "10", "1", "5", "n1");
    // A file whose records carry item codes the template does not have.
    CString strCodes = WriteFile("codes.kvs", "B02", jan, "30", "3", NULL, NULL);
    {
        CFile file(strCodes, CFile::modeRead);
        CDataFile data;
        ASSERT_TRUE(data.Read(file));
        strcpy(data.m_records[0].m_szRowItemCode, "X9");
        file.Close();
        CFile out(strCodes, CFile::modeCreate | CFile::modeWrite);
        data.Write(out);
    }
    m_doc.m_sumPaths = {strJunk, strQuarter, strCodes};
    m_messages.QueueAnswer(IDOK);
    m_messages.QueueAnswer(IDOK);
    m_messages.QueueAnswer(IDNO);
    m_doc.OnBatchImport();
    std::vector<std::string> told = MessageTexts();
    ASSERT_EQ(3u, told.size());
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_NE(std::string::npos, told[i].find((LPCSTR)m_doc.m_sumPaths[i])) << told[i];
        EXPECT_NE(std::string::npos, told[i].find("not one of this template's periods")) << told[i];
    }
    EXPECT_NE(std::string::npos, told[2].find("gives 1 cells other item codes")) << told[2];
    EXPECT_NE(std::string::npos, told[2].find("A2: R1/C1 becomes X9/C1")) << told[2];
    EXPECT_TRUE(DataRows().empty());
    EXPECT_TRUE(LogRows().empty());

    // Accepted, the file is saved under its own codes.
    m_messages.Clear();
    m_doc.m_sumPaths = {strCodes};
    m_messages.QueueAnswer(IDYES);
    m_doc.OnBatchImport();
    const std::string j = (LPCSTR)jan;
    EXPECT_EQ((std::vector<std::string>{"B02|" + j + "|R1|C2|3", "B02|" + j + "|X9|C1|30"}), DataRows());
    EXPECT_EQ(1u, LogRows().size());
}

INSTANTIATE_TEST_SUITE_P(Engines, BatchImport, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace
