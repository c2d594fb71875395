#include "tests/support/Gtest.h"

#include "engines/dao/spreadsheet/BiffWorkbookParts.h"
#include "engines/dao/spreadsheet/XlsWorkbookFile.h"
#include "tests/engines/dao/SpreadsheetTables.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WorkbookTools.h"

using namespace spreadsheettest;
using workbooktest::RunPython;
using workbooktest::XlrdDump;

namespace
{

// A workbook as python3-xlwt writes it: header cells left empty or given
// twice, numbers stored in xlwt's compact form (RK) and as doubles, an
// empty row between rows, a sheet holding only a header, a blank sheet.
const char XLWT_BOOK[] = R"(import sys, xlwt
book = xlwt.Workbook(encoding="utf-8")
orders = book.add_sheet("Orders")
rows = [["Name", "Amount", "Code", None, "Amount"],
        ['Smith, "J"', 3.5, "001", "x", 1],
        ["Grüße €", 42, None, None, -0.25],
        [],
        ["last", 1e20, None, None, 0.1]]
for r, row in enumerate(rows):
    for c, value in enumerate(row):
        if value is not None:
            orders.write(r, c, value)
book.add_sheet("Header only").write(0, 0, "H")
book.add_sheet("Blank")
book.save(sys.argv[1])
)";

std::vector<CSourceTable> SampleTables()
{
    std::string strLong(300, 'L');
    return {TableOf("Values", {"Name|Amount|Code|Note",
                               "t:a,\"b\" 'c'|n:3.25|t:001|t:Grüße €",
                               "t:|n:-7|-|t:line",
                               "-|n:0.1|t:1e5|-",
                               "t:big|n:123456789012|t:00|n:1e+20",
                               "t:sum|n:0.30000000000000004|-|-"}),
            TableOf("Notes ü 中", {"Text", "t:" + strLong})};
}

const char SAMPLE_VALUES_DUMP[] = "s:Name|s:Amount|s:Code|s:Note\n"
                                  "s:a,\"b\" 'c'|n:3.25|s:001|s:Grüße €\n"
                                  "-|n:-7.0|-|s:line\n"
                                  "-|n:0.1|s:1e5|-\n"
                                  "s:big|n:123456789012.0|s:00|n:1e+20\n"
                                  "s:sum|n:0.30000000000000004|-|-\n";

} // namespace

TEST(XlsWorkbookFile, ReadsAWorkbookThatXlwtWrote)
{
    CScratchFolder folder;
    CString strBook = folder.PathOf("orders.xls");
    ASSERT_EQ("", RunPython(XLWT_BOOK, workbooktest::Quoted(strBook)));

    std::vector<CSourceTable> tables;
    int nVersion = 0;
    CString strError;
    ASSERT_TRUE(ReadXlsWorkbook(strBook, tables, nVersion, strError)) << strError;
    EXPECT_EQ(8, nVersion);
    ASSERT_EQ(3u, tables.size());
    EXPECT_STREQ("Orders", tables[0].m_strName);
    EXPECT_EQ(LinesOf(TableOf("", {"Name|Amount|Code|F4|F5",
                                   "t:Smith, \"J\"|n:3.5|t:001|t:x|n:1",
                                   "t:Grüße €|n:42|-|-|n:-0.25",
                                   "-|-|-|-|-",
                                   "t:last|n:1e+20|-|-|n:0.1"})),
              LinesOf(tables[0]));
    EXPECT_STREQ("Header only", tables[1].m_strName);
    EXPECT_EQ((std::vector<std::string>{"H"}), LinesOf(tables[1]));
    EXPECT_STREQ("Blank", tables[2].m_strName);
    EXPECT_TRUE(tables[2].m_columns.empty());
    EXPECT_TRUE(tables[2].m_rows.empty());
}

// Every version is written, read back by xlrd and by FreeXL through the
// reader; the versions before Excel 5.0 hold one sheet named by the file.
TEST(XlsWorkbookFile, WritesEveryVersionSoThatXlrdAndFreeXlReadItBack)
{
    CScratchFolder folder;
    const std::vector<CSourceTable> sample = SampleTables();
    for (int nVersion : {2, 3, 4, 5, 8})
    {
        SCOPED_TRACE(nVersion);
        std::vector<CSourceTable> tables = sample;
        if (nVersion < 8)
            tables[1] = TableOf("Notes ü", {"Text", "t:" + std::string(255, 'L')});
        if (nVersion < 5)
            tables.resize(1);
        tables[0].m_strName = CString("Values") + (char)('0' + nVersion);
        CString strBook = folder.PathOf(tables[0].m_strName + ".xls");
        CString strError;
        ASSERT_TRUE(WriteXlsWorkbookAsRead(strBook, tables, nVersion, CString(), strError)) << strError;

        std::string strExpected = "biff " + std::to_string(nVersion * 10) + "\nsheet " +
                                  (nVersion < 5 ? "Sheet 1" : std::string(tables[0].m_strName)) + "\n" +
                                  SAMPLE_VALUES_DUMP;
        if (nVersion >= 5)
            strExpected += std::string(nVersion == 8 ? "sheet Notes ü 中" : "sheet Notes ü") + "\ns:Text\ns:" +
                           std::string(nVersion == 8 ? 300 : 255, 'L') + "\n";
        EXPECT_EQ(strExpected, XlrdDump(strBook));

        std::vector<CSourceTable> read;
        int nReadVersion = 0;
        ASSERT_TRUE(ReadXlsWorkbook(strBook, read, nReadVersion, strError)) << strError;
        EXPECT_EQ(nVersion, nReadVersion);
        // Excel keeps no empty text: it comes back as an empty cell.
        std::vector<CSourceTable> expected = tables;
        expected[0].m_rows[1][0] = CSourceValue();
        ASSERT_EQ(expected.size(), read.size());
        for (size_t i = 0; i < expected.size(); ++i)
        {
            EXPECT_STREQ(expected[i].m_strName, read[i].m_strName);
            EXPECT_EQ(LinesOf(expected[i]), LinesOf(read[i]));
        }
    }
}

// Excel 97 keeps its texts in one shared table that runs on over many
// records: a long text of two-byte characters is split across two of them,
// and the table's index of every n-th string must point right; read back
// from such a workbook for a write-back on it, the strings come whole.
TEST(XlsWorkbookFile, ManyAndLongTextsSpanTheSharedStringRecords)
{
    CSourceTable table = TableOf("Texts", {"Text|Value"});
    std::string strDump = "biff 80\nsheet Texts\ns:Text|s:Value\n";
    for (int i = 0; i < 12000; ++i)
    {
        std::string strText = "text " + std::to_string(i) + (i % 3 == 0 ? " €" : "");
        table.m_rows.push_back(TableOf("", {"-", "t:" + strText + "|n:" + std::to_string(i)}).m_rows[0]);
        strDump += "s:" + strText + "|n:" + std::to_string(i) + ".0\n";
    }
    std::string strLong;
    for (int i = 0; i < 8000; ++i)
        strLong += "€";
    table.m_rows.push_back(TableOf("", {"-", "t:" + strLong + "|n:abc"}).m_rows[0]);
    strDump += "s:" + strLong + "|s:abc\n";

    CScratchFolder folder;
    CString strBook = folder.PathOf("texts.xls");
    CString strError;
    ASSERT_TRUE(WriteXlsWorkbook(strBook, {table}, 8, strError)) << strError;
    EXPECT_EQ(strDump, XlrdDump(strBook));
    std::vector<CSourceTable> read;
    int nVersion = 0;
    ASSERT_TRUE(ReadXlsWorkbook(strBook, read, nVersion, strError)) << strError;
    ASSERT_EQ(1u, read.size());
    table.m_rows.back()[1].m_bNumber = false;  // "abc" is no number, whatever its flag said
    EXPECT_EQ(LinesOf(table), LinesOf(read[0]));

    // Written back on the workbook read, the sheet kept as it was takes
    // its strings along, the long one split where it was; rebuilt with a
    // changed text, it shares the strings it still names and adds the new.
    CBiffWorkbookParts parts;
    ASSERT_TRUE(parts.Read(strBook, 8));
    ASSERT_EQ(12004u, parts.m_strings.size());
    EXPECT_EQ(std::vector<WCHAR>(8000, 0x20AC), parts.m_strings[12002].text);
    CString strKept = folder.PathOf("kept.xls");
    read[0].m_bAsInFile = true;
    ASSERT_TRUE(WriteXlsWorkbookAsRead(strKept, read, 8, strBook, strError)) << strError;
    EXPECT_EQ(strDump, XlrdDump(strKept));
    read[0].m_bAsInFile = false;
    read[0].m_rows[4][0].m_strText = "changed €";
    ASSERT_TRUE(WriteXlsWorkbookAsRead(strKept, read, 8, strBook, strError)) << strError;
    const std::string strFifth = "s:text 4|n:4.0\n";
    std::string strChanged = strDump;
    strChanged.replace(strChanged.find(strFifth), strFifth.size(), "s:changed €|n:4.0\n");
    EXPECT_EQ(strChanged, XlrdDump(strKept));

    table.m_rows.back()[0].m_strText += "x";
    EXPECT_FALSE(WriteXlsWorkbook(strBook, {table}, 8, strError));
    EXPECT_STREQ("Cannot write " + strBook + ": a value of table 'Texts' has more than the 8000 characters written "
                 "to an Excel 97 cell.", strError);
}

TEST(XlsWorkbookFile, TablesBeyondAVersionGoToExcel97AndBeyondItAreRefused)
{
    CScratchFolder folder;
    CString strError;
    // The version a workbook read as nReadVersion is written back in.
    auto writtenVersion = [&](const std::vector<CSourceTable>& tables, int nReadVersion) {
        CString strPath = folder.PathOf("asread.xls");
        std::vector<CSourceTable> read;
        int nVersion = 0;
        EXPECT_TRUE(WriteXlsWorkbookAsRead(strPath, tables, nReadVersion, CString(), strError)) << strError;
        EXPECT_TRUE(ReadXlsWorkbook(strPath, read, nVersion, strError)) << strError;
        return nVersion;
    };
    const std::vector<CSourceTable> sample = SampleTables();
    std::vector<CSourceTable> one(sample.begin(), sample.begin() + 1);
    EXPECT_EQ(3, writtenVersion(one, 3));
    EXPECT_EQ(8, writtenVersion(sample, 4)) << "two sheets";
    EXPECT_EQ(8, writtenVersion(sample, 5)) << "300 characters";
    std::vector<CSourceTable> rows = one;
    rows[0].m_rows.resize(16383, rows[0].m_rows[0]);
    EXPECT_EQ(5, writtenVersion(rows, 5));
    rows[0].m_rows.push_back(rows[0].m_rows[0]);
    EXPECT_EQ(8, writtenVersion(rows, 5));

    CString strBook = folder.PathOf("big.xls");
    CSourceTable big = TableOf("Big", {"N"});
    for (int i = 1; i <= 65535; ++i)
        big.m_rows.push_back({CSourceValue{std::to_string(i).c_str(), false, true}});
    ASSERT_TRUE(WriteXlsWorkbook(strBook, {big}, 8, strError)) << strError;
    std::vector<CSourceTable> read;
    int nVersion = 0;
    ASSERT_TRUE(ReadXlsWorkbook(strBook, read, nVersion, strError)) << strError;
    ASSERT_EQ(65535u, read.at(0).m_rows.size());
    EXPECT_STREQ("65535", read[0].m_rows.back().at(0).m_strText);

    big.m_rows.push_back(big.m_rows.back());
    CString strTooBig = folder.PathOf("toobig.xls");
    EXPECT_FALSE(WriteXlsWorkbook(strTooBig, {big}, 8, strError));
    EXPECT_STREQ("Cannot write " + strTooBig + ": table 'Big' has 65536 rows, and an Excel 97 worksheet holds "
                 "65535 below the row of field names.", strError);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strTooBig));

    EXPECT_FALSE(WriteXlsWorkbook(strTooBig, {TableOf("a/b", {"N"})}, 8, strError));
    EXPECT_STREQ("Cannot write " + strTooBig + ": the sheet name 'a/b' holds one of the characters :\\/?*[].",
                 strError);
    EXPECT_FALSE(WriteXlsWorkbook(strTooBig, sample, 3, strError));
    EXPECT_STREQ("Cannot write " + strTooBig + ": an Excel 3.0 file holds one worksheet, not 2.", strError);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strTooBig));
}

TEST(XlsWorkbookFile, DamagedLockedAndMissingFilesGiveMessagesNamingThem)
{
    CScratchFolder folder;
    CString strGood = folder.PathOf("good.xls");
    CString strError;
    ASSERT_TRUE(WriteXlsWorkbook(strGood, SampleTables(), 8, strError)) << strError;
    std::string strBytes = ReadWholeFile(strGood);
    std::vector<CSourceTable> tables = SampleTables();
    int nVersion = 0;

    CString strCut = folder.PathOf("cut.xls");
    WriteWholeFile(strCut, strBytes.substr(0, strBytes.size() / 2));
    EXPECT_FALSE(ReadXlsWorkbook(strCut, tables, nVersion, strError));
    EXPECT_STREQ(strCut + " is damaged or cut short and cannot be read.", strError);
    EXPECT_EQ(2u, tables.size()) << "a failed read leaves the tables alone";

    CString strText = folder.PathOf("text.xls");
    WriteWholeFile(strText, "Name,Amount\r\nA,1\r\n");
    EXPECT_FALSE(ReadXlsWorkbook(strText, tables, nVersion, strError));
    EXPECT_STREQ(strText + " is not an Excel workbook.", strError);

    CString strMissing = folder.PathOf("missing.xls");
    EXPECT_FALSE(ReadXlsWorkbook(strMissing, tables, nVersion, strError));
    EXPECT_STREQ("The file \"" + strMissing + "\" was not found.", strError);

    HANDLE hLock = CreateFileA(strGood, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    EXPECT_FALSE(ReadXlsWorkbook(strGood, tables, nVersion, strError));
    EXPECT_STREQ("The file \"" + strGood + "\" is in use by another program (sharing violation).", strError);
    EXPECT_FALSE(WriteXlsWorkbook(strGood, tables, 8, strError));
    EXPECT_NE(-1, strError.Find(strGood)) << strError;
    CloseHandle(hLock);
    EXPECT_TRUE(ReadXlsWorkbook(strGood, tables, nVersion, strError)) << strError;

    EXPECT_FALSE(WriteXlsWorkbook("Z:\\dev\\full", tables, 8, strError));
    EXPECT_STREQ("The disk is full: the file \"Z:\\dev\\full\" could not be written.", strError);
}
