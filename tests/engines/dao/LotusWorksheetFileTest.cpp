#include "tests/support/Gtest.h"

#include "engines/dao/spreadsheet/LotusWorksheetFile.h"
#include "tests/engines/dao/SpreadsheetTables.h"
#include "tests/support/ScratchFolder.h"

using namespace spreadsheettest;

namespace
{

CSourceTable SampleTable(const char* pszName)
{
    return TableOf(pszName, {"Name|Amount|Code",
                             "t:a,\"b\" Grüße|n:3.25|t:001",
                             "t:^centre|n:-42|-",
                             "t:'quoted|n:40000|t:1e5",
                             "-|n:1e+20|t:\\\\"});
}

// What wks2csv, libwps's own converter, prints for the sample: a line of
// column numbers, then every cell quoted, NULL as "", and an empty line.
const char SAMPLE_CSV[] = "Col1,Col2,Col3\n"
                          "\"Name\",\"Amount\",\"Code\"\n"
                          "\"a,\"\"b\"\" Grüße\",\"3.25\",\"001\"\n"
                          "\"^centre\",\"-42\",\"\"\n"
                          "\"'quoted\",\"40000\",\"1e5\"\n"
                          "\"\",\"1e+20\",\"\\\\\"\n\n";

} // namespace

TEST(LotusWorksheetFile, WritesWksAndWk1ThatWks2csvAndTheReaderReadBack)
{
    CScratchFolder folder;
    for (LotusFormat nFormat : {LOTUS_WKS, LOTUS_WK1})
    {
        SCOPED_TRACE(nFormat == LOTUS_WKS ? "WKS" : "WK1");
        const char* pszName = nFormat == LOTUS_WKS ? "Sheet_a" : "Sheet_b";
        CSourceTable table = SampleTable(pszName);
        CString strFile = folder.PathOf(CString(pszName) + (nFormat == LOTUS_WKS ? ".wks" : ".wk1"));
        CString strError;
        ASSERT_TRUE(WriteLotusFile(strFile, table, nFormat, strError)) << strError;
        EXPECT_EQ(SAMPLE_CSV, RunTool("wks2csv '" + UnixPath(strFile) + "' 2>/dev/null"));

        CSourceTable read;
        LotusFormat nReadFormat = nFormat == LOTUS_WKS ? LOTUS_WK1 : LOTUS_WKS;
        ASSERT_TRUE(ReadLotusFile(strFile, read, nReadFormat, strError)) << strError;
        EXPECT_EQ(nFormat, nReadFormat);
        EXPECT_STREQ(pszName, read.m_strName);
        EXPECT_EQ(LinesOf(table), LinesOf(read));
    }
}

TEST(LotusWorksheetFile, DamagedFilesAndTablesBeyondTheFormatGiveClearMessages)
{
    CScratchFolder folder;
    CString strGood = folder.PathOf("good.wk1");
    CString strError;
    ASSERT_TRUE(WriteLotusFile(strGood, SampleTable("good"), LOTUS_WK1, strError)) << strError;
    std::string strBytes = ReadWholeFile(strGood);
    CSourceTable read = SampleTable("kept");
    LotusFormat nFormat = LOTUS_WKS;

    CString strCut = folder.PathOf("cut.wk1");
    WriteWholeFile(strCut, strBytes.substr(0, strBytes.size() - 10));
    EXPECT_FALSE(ReadLotusFile(strCut, read, nFormat, strError));
    EXPECT_STREQ(strCut + " is damaged or cut short and cannot be read.", strError);
    EXPECT_STREQ("kept", read.m_strName) << "a failed read leaves the table alone";
    EXPECT_EQ(LOTUS_WKS, nFormat);

    CString strText = folder.PathOf("text.wk1");
    WriteWholeFile(strText, "Name,Amount\r\nA,1\r\n");
    EXPECT_FALSE(ReadLotusFile(strText, read, nFormat, strError));
    EXPECT_STREQ(strText + " is not a Lotus worksheet.", strError);

    // 2,047 rows below the names fill a WKS sheet, one more does not fit.
    CSourceTable big = TableOf("big", {"N"});
    big.m_rows.resize(2047, {CSourceValue{"7", false, true}});
    CString strBig = folder.PathOf("big.wks");
    ASSERT_TRUE(WriteLotusFile(strBig, big, LOTUS_WKS, strError)) << strError;
    ASSERT_TRUE(ReadLotusFile(strBig, read, nFormat, strError)) << strError;
    EXPECT_EQ(2047u, read.m_rows.size());
    big.m_rows.push_back(big.m_rows.back());
    CString strTooBig = folder.PathOf("toobig.wks");
    EXPECT_FALSE(WriteLotusFile(strTooBig, big, LOTUS_WKS, strError));
    EXPECT_STREQ("Cannot write " + strTooBig + ": the table has 2048 rows, and a WKS worksheet holds 2047 below "
                 "the row of field names.", strError);
    EXPECT_TRUE(WriteLotusFile(strTooBig, big, LOTUS_WK1, strError)) << strError;

    CSourceTable wide = TableOf("wide", {"Text", "t:" + std::string(241, 'x')});
    CString strWide = folder.PathOf("wide.wk1");
    EXPECT_FALSE(WriteLotusFile(strWide, wide, LOTUS_WK1, strError));
    EXPECT_STREQ("Cannot write " + strWide + ": a text is longer than the 240 characters a WK1 cell holds.", strError);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strWide));

    EXPECT_FALSE(WriteLotusFile("Z:\\dev\\full", big, LOTUS_WK1, strError));
    EXPECT_STREQ("The disk is full: the file \"Z:\\dev\\full\" could not be written.", strError);
}
