// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"

#include "tests/support/ArchiveBytes.h"
#include "tests/sheet/TemplateFileFixtures.h"
#include "tests/sheet/SheetTestGrid.h"
#include "sheet/DataFile.h"

using namespace filetest;

namespace
{

// A template with the cells data files care about: a static and a dynamic
// text cell, numeric cells of value types 0, 1 and 2, key cells and a
// formula.
void MakeDataSheet(CSheet& sheet)
{
    strcpy(sheet.m_szCode, "TPL7");
    strcpy(sheet.m_szTitle, "Monthly");
    AddCell(sheet, "A1", CELL_TEXT, 0, 0);
    sheet.m_cells[0].m_strValue = "Label";
    AddCell(sheet, "B1", CELL_TEXT, 80, 0);
    sheet.m_cells[1].m_bDynamic = 1;
    sheet.m_cells[1].m_strValue = "typed";
    AddCell(sheet, "C1", CELL_NUMERIC, 160, 0);
    CopyCode(sheet.m_cells[2].m_szRowItemCode, CELL_CODE_LEN, "R1");
    CopyCode(sheet.m_cells[2].m_szColItemCode, CELL_CODE_LEN, "C1");
    sheet.m_cells[2].m_strValue = "1.5";
    AddCell(sheet, "D1", CELL_NUMERIC, 240, 0);
    sheet.m_cells[3].m_nValueType = 1;
    sheet.m_cells[3].m_strValue = "n/a";
    AddCell(sheet, "E1", CELL_NUMERIC, 320, 0);
    sheet.m_cells[4].m_nValueType = 2;
    sheet.m_cells[4].m_strValue = "kept out";
    AddCell(sheet, "F1", CELL_ORGAN, 400, 0);
    sheet.m_cells[5].m_strValue = "Org name";
    AddCell(sheet, "G1", CELL_ORGANCODE, 480, 0);
    sheet.m_cells[6].m_strValue = "ORG9";
    AddCell(sheet, "H1", CELL_REPORTDATE, 560, 0);
    CopyCode(sheet.m_cells[7].m_szDateCode, CELL_PERIOD_LEN, "2026110000000");
    AddCell(sheet, "I1", CELL_FORMULA, 640, 0);
    sheet.m_cells[8].m_strValue = "3.0000";
}

Bytes WriteBytes(const CDataFile& data)
{
    CMemFile file;
    data.Write(file);
    return Bytes(file.GetBufferPtr(), file.GetBufferPtr() + file.GetLength());
}

BOOL ReadBytes(const Bytes& bytes, CDataFile& data)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    return data.Read(file);
}

CDataFile SharedFrom(const CSheet& sheet, const char* pszOrg = "ORG1",
                     const char* pszPeriod = "2026120000000")
{
    CDataFile data(DATAFILE_SHARED);
    data.CollectFromSheet(sheet);
    data.SetReportInformation(pszOrg, "First org", 1, pszPeriod);
    return data;
}

void ExpectSameData(const CDataFile& a, const CDataFile& b)
{
    EXPECT_EQ(a.m_wMagic, b.m_wMagic);
    EXPECT_STREQ(a.m_szTemplateCode, b.m_szTemplateCode);
    EXPECT_STREQ(a.m_strTitle, b.m_strTitle);
    if (a.IsShared())
    {
        EXPECT_STREQ(a.m_szOrgCode, b.m_szOrgCode);
        EXPECT_STREQ(a.m_strOrgName, b.m_strOrgName);
        EXPECT_EQ(a.m_dwNumeralStyle, b.m_dwNumeralStyle);
        EXPECT_STREQ(a.m_strPeriodCode, b.m_strPeriodCode);
    }
    ASSERT_EQ(a.m_records.size(), b.m_records.size());
    for (size_t i = 0; i < a.m_records.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(a.m_records[i].m_nType, b.m_records[i].m_nType);
        EXPECT_STREQ(a.m_records[i].m_strName, b.m_records[i].m_strName);
        EXPECT_STREQ(a.m_records[i].m_szRowItemCode, b.m_records[i].m_szRowItemCode);
        EXPECT_STREQ(a.m_records[i].m_szColItemCode, b.m_records[i].m_szColItemCode);
        EXPECT_STREQ(a.m_records[i].m_strValue, b.m_records[i].m_strValue);
    }
}

void PutAt(Bytes& b, size_t at, unsigned n)
{
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = (BYTE)(n >> (8 * i));
}

void PutText(Bytes& b, const std::string& s)
{
    PutU32(b, (unsigned)s.size());
    b.insert(b.end(), s.begin(), s.end());
}

void PutFixed(Bytes& b, const char* psz, size_t cb)
{
    std::vector<char> field(cb, 0);
    strncpy(field.data(), psz, cb - 1);
    b.insert(b.end(), field.begin(), field.end());
}

// Every 32-bit length position of a written file: the offsets at which a
// Text field's length word starts.
std::vector<size_t> LengthOffsets(const CDataFile& data)
{
    std::vector<size_t> at;
    size_t pos = 2;
    if (data.IsShared())
    {
        pos += 9;
        at.push_back(pos);
        pos += 4 + data.m_strOrgName.GetLength() + 4;
        at.push_back(pos);
        pos += 4 + data.m_strPeriodCode.GetLength();
    }
    pos += 9;
    at.push_back(pos);
    pos += 4 + data.m_strTitle.GetLength();
    for (const CDataRecord& r : data.m_records)
    {
        at.push_back(pos);                                // the type word
        pos += 4;
        at.push_back(pos);
        pos += 4 + r.m_strName.GetLength();
        if (r.m_nType == CELL_NUMERIC)
            pos += 18;
        at.push_back(pos);
        pos += 4 + r.m_strValue.GetLength();
    }
    at.push_back(pos);                                    // the final offset
    return at;
}

CString Value(const CSheet& sheet, const char* pszName)
{
    return sheettest::Cell(sheet, pszName).m_strValue;
}

} // namespace

// --------------------------------------------------------------- writing

TEST(DataFileWrite, SharedFileBytesByteForByte)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    CDataFile data = SharedFrom(sheet, "ORG1", "2026120000000");

    Bytes expected;
    PutU16(expected, 0x5255);
    PutFixed(expected, "ORG1", 9);
    PutText(expected, "First org");
    PutU32(expected, 1);
    PutText(expected, "2026120000000");
    PutFixed(expected, "TPL7", 9);
    PutText(expected, "Monthly");
    unsigned nFirst = (unsigned)expected.size();
    PutU32(expected, 1);
    PutText(expected, "B1");
    PutText(expected, "typed");
    PutU32(expected, 2);
    PutText(expected, "C1");
    PutFixed(expected, "R1", 9);
    PutFixed(expected, "C1", 9);
    PutText(expected, "1.5");
    PutU32(expected, 2);
    PutText(expected, "D1");
    PutFixed(expected, "", 9);
    PutFixed(expected, "", 9);
    PutText(expected, "n/a");
    PutU32(expected, nFirst);

    EXPECT_EQ(expected, WriteBytes(data));
}

TEST(DataFileWrite, TemporaryFileHasNoReportHeader)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    CDataFile data(DATAFILE_TEMPORARY);
    data.CollectFromSheet(sheet);
    Bytes bytes = WriteBytes(data);
    ASSERT_GE(bytes.size(), 2u + 9 + 4);
    EXPECT_EQ(0x55, bytes[0]);
    EXPECT_EQ(0x44, bytes[1]);
    EXPECT_EQ(0, memcmp(&bytes[2], "TPL7", 5));
    // The final word points right behind the title.
    unsigned nFirst = bytes[bytes.size() - 4] | (bytes[bytes.size() - 3] << 8);
    EXPECT_EQ(2u + 9 + 4 + 7, nFirst);
}

TEST(DataFileWrite, LongCodesAreCutAndTerminated)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    CDataFile data = SharedFrom(sheet, "ABCDEFGHIJKL", "20261200000001234");
    EXPECT_STREQ("ABCDEFGH", data.m_szOrgCode);
    EXPECT_STREQ("2026120000000", data.m_strPeriodCode);
    CDataFile back;
    ASSERT_TRUE(ReadBytes(WriteBytes(data), back));
    ExpectSameData(data, back);
}

// ----------------------------------------------------------- round trips

TEST(DataFileRoundTrip, SharedAndTemporaryFilesReadBackEveryField)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    // A 255-character title and long names and values are read back whole.
    strcpy(sheet.m_szTitle, Repeat('t', 255).c_str());
    sheet.m_cells[1].m_strName = Repeat('N', 40).c_str();
    sheet.m_cells[1].m_strValue = Repeat('v', 1000).c_str();
    for (WORD wMagic : { DATAFILE_SHARED, DATAFILE_TEMPORARY })
    {
        CDataFile data = SharedFrom(sheet);
        data.m_wMagic = wMagic;
        CDataFile back;
        ASSERT_TRUE(ReadBytes(WriteBytes(data), back));
        ExpectSameData(data, back);
    }
}

TEST(DataFileRoundTrip, OnlyStaticTextCellsGiveAFileWithoutRecords)
{
    CSheet sheet;
    AddCell(sheet, "A1", CELL_TEXT, 0, 0);
    sheet.m_cells[0].m_strValue = "Label";
    CDataFile data(DATAFILE_TEMPORARY);
    data.CollectFromSheet(sheet);
    EXPECT_TRUE(data.m_records.empty());
    CDataFile back;
    ASSERT_TRUE(ReadBytes(WriteBytes(data), back));
    EXPECT_TRUE(back.m_records.empty());
}

// ------------------------------------------------------------ damaged files

TEST(DataFileDamaged, EveryTruncationIsRefusedAndLeavesTheReaderAlone)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    for (WORD wMagic : { DATAFILE_SHARED, DATAFILE_TEMPORARY })
    {
        CDataFile data = SharedFrom(sheet);
        data.m_wMagic = wMagic;
        Bytes full = WriteBytes(data);
        for (size_t n = 0; n < full.size(); ++n)
        {
            SCOPED_TRACE(testing::Message() << std::hex << wMagic << std::dec << " length " << n);
            CDataFile reader(DATAFILE_TEMPORARY);
            strcpy(reader.m_szTemplateCode, "KEEP");
            EXPECT_FALSE(ReadBytes(Bytes(full.begin(), full.begin() + n), reader));
            EXPECT_STREQ("KEEP", reader.m_szTemplateCode);
            EXPECT_TRUE(reader.m_records.empty());
        }
    }
}

TEST(DataFileDamaged, FlippedLengthWordsAreRefused)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    CDataFile data = SharedFrom(sheet);
    Bytes good = WriteBytes(data);
    for (size_t at : LengthOffsets(data))
    {
        for (unsigned n : { 0xFFFFFFFFu, 0x7FFFFFFFu, 0x100u, 3u })
        {
            SCOPED_TRACE(testing::Message() << "offset " << at << " value " << n);
            Bytes bad = good;
            unsigned old = bad[at] | (bad[at + 1] << 8) | (bad[at + 2] << 16);
            if (old == n)
                continue;
            PutAt(bad, at, n);
            CDataFile reader;
            EXPECT_FALSE(ReadBytes(bad, reader));
        }
    }
}

TEST(DataFileDamaged, UnknownMagicAndBytesAfterTheOffsetAreRefused)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    Bytes good = WriteBytes(SharedFrom(sheet));
    Bytes magic = good;
    magic[1] = 0x46;                                    // "TF": a template, not data
    Bytes extra = good;
    extra.push_back(0);
    CDataFile reader;
    EXPECT_FALSE(ReadBytes(magic, reader));
    EXPECT_FALSE(ReadBytes(extra, reader));
    EXPECT_TRUE(ReadBytes(good, reader));
}

// ----------------------------------------------------------- loading data

TEST(DataFileApply, SharedFileFillsKeyCellsRecordsAndCellKeys)
{
    CSheet source;
    MakeDataSheet(source);
    CDataFile data = SharedFrom(source, "ORG1", "2026120000000");

    CSheet target;
    MakeDataSheet(target);
    ClearSheetData(target, TRUE);
    EXPECT_TRUE(Value(target, "B1").IsEmpty());
    EXPECT_TRUE(Value(target, "C1").IsEmpty());
    EXPECT_TRUE(Value(target, "F1").IsEmpty());
    EXPECT_TRUE(Value(target, "I1").IsEmpty());
    EXPECT_STREQ("", sheettest::Cell(target, "H1").m_szDateCode);
    EXPECT_STREQ("Label", Value(target, "A1"));
    EXPECT_TRUE(Value(target, "E1").IsEmpty());          // every numeric cell, saved or not

    ApplyDataFile(target, data);
    EXPECT_STREQ("typed", Value(target, "B1"));
    EXPECT_STREQ("1.5", Value(target, "C1"));
    EXPECT_STREQ("n/a", Value(target, "D1"));
    EXPECT_STREQ("ORG1", Value(target, "G1"));
    EXPECT_STREQ("First org", Value(target, "F1"));
    const CCell& date = sheettest::Cell(target, "H1");
    EXPECT_STREQ("2026120000000", date.m_szDateCode);
    EXPECT_EQ(1, date.m_nDateStyle);
    const CCell& c1 = sheettest::Cell(target, "C1");
    EXPECT_STREQ("ORG1", c1.m_szOrgCode);
    EXPECT_STREQ("2026120000000", c1.m_szPeriodCode);
    EXPECT_STREQ("R1", c1.m_szRowItemCode);
}

TEST(DataFileApply, RecordsOfDeletedOrRetypedCellsAreSkippedAndTheRestLoad)
{
    CSheet source;
    MakeDataSheet(source);
    CDataFile data(DATAFILE_TEMPORARY);
    data.CollectFromSheet(source);
    // The file's first record names B1, now gone; C1 became a text cell.
    CSheet target;
    MakeDataSheet(target);
    target.m_cells[1].m_strName = "Z9";
    target.m_cells[2].SetType(CELL_TEXT);
    target.m_cells[2].m_bDynamic = 1;
    ClearSheetData(target, TRUE);
    ApplyDataFile(target, data);
    EXPECT_TRUE(Value(target, "Z9").IsEmpty());
    EXPECT_TRUE(Value(target, "C1").IsEmpty());
    EXPECT_STREQ("n/a", Value(target, "D1"));
    // A temporary file carries no keys.
    EXPECT_STREQ("========", sheettest::Cell(target, "D1").m_szOrgCode);
}

TEST(DataFileApply, SumClearLeavesKeyCellsAlone)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    ClearSheetData(sheet, FALSE);
    EXPECT_STREQ("Org name", Value(sheet, "F1"));
    EXPECT_STREQ("ORG9", Value(sheet, "G1"));
    EXPECT_STREQ("2026110000000", sheettest::Cell(sheet, "H1").m_szDateCode);
    EXPECT_TRUE(Value(sheet, "C1").IsEmpty());
    EXPECT_TRUE(Value(sheet, "I1").IsEmpty());
}

// ---------------------------------------------------------------- summing

TEST(DataFileSum, ThreeFilesWithEqualMissingAndNonNumericValues)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    AddCell(sheet, "J1", CELL_NUMERIC, 720, 0);
    AddCell(sheet, "K1", CELL_NUMERIC, 800, 0);

    // File 1: C1 1.5, J1 2, K1 missing.  File 2: C1 2.25, J1 "abc", K1 7.
    // File 3: C1 1.5 (equal to file 1), J1 missing, K1 "" (empty).
    const char* values[3][3] = { { "1.5", "2", NULL }, { "2.25", "abc", "7" },
                                 { "1.5", NULL, "" } };
    std::vector<CDataFile> files;
    for (auto& row : values)
    {
        CSheet one;
        MakeDataSheet(one);
        const char* names[3] = { "C1", "J1", "K1" };
        for (int i = 1; i < 3; ++i)
            AddCell(one, names[i], CELL_NUMERIC, 720 + 80 * i, 0);
        for (int i = 0; i < 3; ++i)
        {
            int n = sheettest::Find(one, names[i]);
            if (row[i] == NULL)
                one.m_cells[n].m_nValueType = 2;         // not saved: missing
            else
                one.m_cells[n].m_strValue = row[i];
        }
        one.m_cells[3].m_strValue = "5";                 // D1 is text-like
        CDataFile data = SharedFrom(one);
        CDataFile back;
        ASSERT_TRUE(ReadBytes(WriteBytes(data), back));
        files.push_back(back);
    }

    ClearSheetData(sheet, FALSE);
    for (const CDataFile& data : files)
        AddDataFileValues(sheet, data);
    EXPECT_STREQ("5.2500", Value(sheet, "C1"));
    EXPECT_STREQ("2.0000", Value(sheet, "J1"));
    EXPECT_STREQ("7.0000", Value(sheet, "K1"));
    EXPECT_TRUE(Value(sheet, "D1").IsEmpty());          // cleared, not summed
    EXPECT_STREQ("Label", Value(sheet, "A1"));
}

TEST(DataFileSum, TwoValuesOfOneCellGiveFourDecimals)
{
    CSheet sheet;
    MakeDataSheet(sheet);
    CDataFile a = SharedFrom(sheet);
    sheet.m_cells[2].m_strValue = "2.25";
    CDataFile b = SharedFrom(sheet);
    ClearSheetData(sheet, FALSE);
    AddDataFileValues(sheet, a);
    AddDataFileValues(sheet, b);
    EXPECT_STREQ("3.7500", Value(sheet, "C1"));
}
