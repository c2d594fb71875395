// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"

#include "tests/support/ArchiveBytes.h"
#include "tests/sheet/TemplateFileFixtures.h"
#include "tests/sheet/SheetTestGrid.h"
#include "sheet/UndoAction.h"

using namespace filetest;

namespace
{

// An open sheet with content of its own, to see that a failed load leaves it
// exactly as it was.
void MakeOpenSheet(CSheet& sheet)
{
    sheettest::MakeGrid(sheet, 2, 3);
    strcpy(sheet.m_szTitle, "Open template");
    strcpy(sheet.m_szCode, "OPEN0001");
    sheet.m_cells[4].SetType(CELL_NUMERIC);
    sheet.m_cells[4].m_strValue = "99.5";
    sheet.m_lstBalance.AddTail(CString("A1=B1"));
    sheet.m_nPageLayout = 1;
    sheet.m_dwMarginTop = 123;
    sheet.m_nHeaderBand = 40;
    sheet.m_nTailBand = 20;
    sheettest::Select(sheet, { "B1", "C2" });
    sheet.AddColumn(-1, -1);
}

struct OpenState
{
    Bytes stored;
    sheettest::SheetSnap snap;
    int undo;
    RECT bounds;
};

OpenState Capture(CSheet& sheet)
{
    OpenState state;
    state.stored = StoreTemplate(sheet);
    state.snap = sheettest::Snapshot(sheet);
    state.undo = sheettest::CountUndo(sheet);
    state.bounds = sheet.m_rcBounds;
    return state;
}

void ExpectUnchanged(const OpenState& before, CSheet& sheet)
{
    OpenState after = Capture(sheet);
    EXPECT_EQ(before.stored, after.stored);
    sheettest::ExpectSameSheet(before.snap, after.snap);
    EXPECT_EQ(before.undo, after.undo);
    EXPECT_TRUE(EqualRect(&before.bounds, &after.bounds));
}

// Offsets in the stream of the rich sheet (longest header texts): the title
// length (after magic, version, kind and type), the design company's length,
// the designer's length, the cell count and the first cell.
const size_t kTitleLength = 12;
const size_t kCompanyLength = kTitleLength + 4 + 255 + 9 + 10 + 14;
const size_t kDesignerLength = kCompanyLength + 4 + 100 + 9;
const size_t kCellCount = kDesignerLength + 4 + 50 + 8;
const size_t kFirstCell = kCellCount + 4;

void PutAt(Bytes& b, size_t at, unsigned n)
{
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = (BYTE)(n >> (8 * i));
}

} // namespace

// ------------------------------------------------------------- round trips

TEST(TemplateRoundTrip, EveryCellTypePictureDepthListAndSetting)
{
    for (LONG nKind : { 0, 2 })
    {
        SCOPED_TRACE(nKind);
        CSheet original;
        MakeRichSheet(original, nKind);
        Bytes bytes = StoreTemplate(original);

        CSheet loaded;
        ASSERT_EQ(-1, LoadTemplate(bytes, loaded));
        ExpectSameTemplate(original, loaded);
        EXPECT_EQ(SHEET_MAGIC, loaded.m_wMagic);
        EXPECT_EQ(SHEET_VERSION, loaded.m_wVersion);
        for (INT_PTR i = 0; i < loaded.m_cells.GetSize(); ++i)
            EXPECT_EQ(&loaded, loaded.m_cells[i].m_pSheet);
        // Saving what was loaded gives the same bytes again.
        EXPECT_EQ(bytes, StoreTemplate(loaded));
    }
}

TEST(TemplateRoundTrip, LoadSelectsCellZeroRecomputesBoundsAndDropsUndo)
{
    CSheet original;
    MakeRichSheet(original);
    Bytes bytes = StoreTemplate(original);

    CSheet open;
    MakeOpenSheet(open);
    ASSERT_GT(sheettest::CountUndo(open), 0);
    ASSERT_EQ(-1, LoadTemplate(bytes, open));
    ASSERT_EQ(1, open.m_arrSel.GetSize());
    EXPECT_EQ(0u, open.m_arrSel[0]);
    EXPECT_EQ(0, open.m_nCurCell);
    EXPECT_EQ(0, sheettest::CountUndo(open));
    RECT expected = { 0, 0, 640, 150 };
    EXPECT_TRUE(EqualRect(&expected, &open.m_rcBounds));
}

TEST(TemplateRoundTrip, SheetWithoutCellsHasNoSelection)
{
    CSheet empty;
    Bytes bytes = StoreTemplate(empty);
    CSheet open;
    MakeOpenSheet(open);
    ASSERT_EQ(-1, LoadTemplate(bytes, open));
    EXPECT_EQ(0, open.m_cells.GetSize());
    EXPECT_EQ(0, open.m_arrSel.GetSize());
    EXPECT_EQ(-1, open.m_nCurCell);
}

// --------------------------------------------------------------- layout

TEST(TemplateLayout, HeaderAndTailBytesOfASheetWithoutCells)
{
    CSheet sheet;
    sheet.m_nKind = 0;
    sheet.m_nReportType = 4;
    strcpy(sheet.m_szTitle, "Ab");
    strcpy(sheet.m_szCode, "K1");
    strcpy(sheet.m_szDesigner, "Z");
    sheet.m_nHeaderWord1 = 5;
    sheet.m_lstCarried.AddTail(CString("x"));
    sheet.m_nPageLayout = -1;
    sheet.m_arrBreaksB.Add(300);
    sheet.m_wPageSetting3 = 0x1234;
    sheet.m_nHeaderBand = 75;
    sheet.m_nTailBand = 30;

    Bytes expected;
    PutU16(expected, 0x4654);
    PutU16(expected, 0x0303);
    PutU32(expected, 0);
    PutU32(expected, 4);
    PutU32(expected, 2);
    expected.push_back('A');
    expected.push_back('b');
    const char code[9] = { 'K', '1' };
    expected.insert(expected.end(), code, code + 9);
    expected.insert(expected.end(), 10 + 14, 0);         // version text, design date
    PutU32(expected, 0);                                  // design company: no bytes
    expected.insert(expected.end(), 9, 0);               // company code
    PutU32(expected, 1);
    expected.push_back('Z');
    PutU32(expected, 5);
    PutU32(expected, 0);
    PutU32(expected, 0);                                  // cell count
    PutU16(expected, 1);                                  // carried list
    expected.push_back(1);
    expected.push_back('x');
    PutU16(expected, 0);                                  // balance list
    PutU32(expected, 0xFFFFFFFF);
    PutU16(expected, 0);
    PutU16(expected, 1);
    PutU32(expected, 300);
    PutU32(expected, 0);
    PutU32(expected, 0);
    PutU16(expected, 0x1234);
    for (int i = 0; i < 4; ++i)
        PutU32(expected, 0);
    PutU32(expected, 75);
    PutU32(expected, 30);

    EXPECT_EQ(expected, StoreTemplate(sheet));
}

TEST(TemplateLayout, AnalysisBlockFollowsTheBandsOfKindTwoOnly)
{
    CSheet ordinary, analysis;
    MakeRichSheet(ordinary, 0);
    MakeRichSheet(analysis, 2);
    Bytes a = StoreTemplate(ordinary);
    Bytes b = StoreTemplate(analysis);
    ASSERT_GT(b.size(), a.size());
    // Same bands right before the block: 75 and 30.
    Bytes bands;
    PutU32(bands, 75);
    PutU32(bands, 30);
    EXPECT_TRUE(std::equal(bands.begin(), bands.end(), a.end() - 8));
    EXPECT_TRUE(std::equal(bands.begin(), bands.end(), b.begin() + (a.size() - 8)));
    EXPECT_EQ(1, b[a.size()]);                            // analysis flag
}

// ---------------------------------------------------------- old versions

TEST(TemplateVersion, Version0x0200FileWithoutAnalysisFormulasLoads)
{
    CSheet source;
    AddCell(source, "A1", CELL_TEXT, 0, 0);
    source.m_cells[0].m_strValue = "Label";
    AddCell(source, "B1", CELL_NUMERIC, 80, 0);
    source.m_cells[1].m_nLine = 8;

    // The header of the current form with the old version word, then the
    // cells without their analysis strings.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        WriteSheetHeader(ar, source);
        for (int i = 0; i < 2; ++i)
        {
            const CCell& c = source.m_cells[i];
            ar << (LONG)c.m_strName.GetLength();
            ar.Write((LPCSTR)c.m_strName, c.m_strName.GetLength());
            c.WriteAttributes(ar);
            if (i == 0)
            {
                ar << (BYTE)0 << (LONG)5;
                ar.Write("Label", 5);
            }
            else
            {
                ar.Write(c.m_abPayload, 41);
                ar.Write("\0\0\0", 3);
                ar << c.m_nLine << c.m_nValueType << c.m_nCurType << c.m_nNumberFormat
                   << c.m_nUnit << (LONG)0 << (LONG)0;
            }
        }
        ar << (WORD)0 << (WORD)0;                         // both lists empty
        ar.Close();
    }
    Bytes bytes(file.GetBufferPtr(), file.GetBufferPtr() + file.GetLength());
    bytes[2] = 0x00;
    bytes[3] = 0x02;

    CSheet loaded;
    ASSERT_EQ(-1, LoadTemplate(bytes, loaded));
    EXPECT_EQ(0x0200, loaded.m_wVersion);
    ASSERT_EQ(2, loaded.m_cells.GetSize());
    EXPECT_STREQ("Label", loaded.m_cells[0].m_strValue);
    EXPECT_TRUE(loaded.m_cells[0].m_strAnalysis.IsEmpty());
    EXPECT_EQ(8, loaded.m_cells[1].m_nLine);
    // Saved again, it is a current template.
    CSheet again;
    ASSERT_EQ(-1, LoadTemplate(StoreTemplate(loaded), again));
    EXPECT_EQ(SHEET_VERSION, again.m_wVersion);
    EXPECT_STREQ("Label", again.m_cells[0].m_strValue);
}

// ------------------------------------------------------ tolerated endings

TEST(TemplateShortTail, EndingAfterTheBalanceListKeepsTheOpenSheetsSettings)
{
    CSheet source;
    MakeRichSheet(source);
    Bytes full = StoreTemplate(source);
    // Trailer: 4 + (2 + 8) + (2 + 4) + 4 + 4 + 2 + 16, then the two bands.
    const size_t nTail = 4 + 10 + 6 + 26 + 8;
    Bytes cut(full.begin(), full.end() - nTail);

    CSheet open;
    MakeOpenSheet(open);
    ASSERT_EQ(-1, LoadTemplate(cut, open));
    EXPECT_EQ(source.m_cells.GetSize(), open.m_cells.GetSize());
    EXPECT_EQ(1, open.m_nPageLayout);
    EXPECT_EQ(123u, open.m_dwMarginTop);
    EXPECT_EQ(40, open.m_nHeaderBand);
    EXPECT_EQ(20, open.m_nTailBand);
    EXPECT_EQ(ListItems(source.m_lstBalance), ListItems(open.m_lstBalance));

    // Ending inside the tail band keeps only the tail band.
    Bytes half(full.begin(), full.end() - 2);
    CSheet open2;
    MakeOpenSheet(open2);
    ASSERT_EQ(-1, LoadTemplate(half, open2));
    EXPECT_EQ(75, open2.m_nHeaderBand);
    EXPECT_EQ(20, open2.m_nTailBand);
    EXPECT_EQ(77u, open2.m_dwMarginBottom);
}

// ------------------------------------------------------------ damaged files

TEST(TemplateDamaged, TextLengthsBeyondTheirFieldsAreRefused)
{
    CSheet source;
    MakeRichSheet(source);
    Bytes good = StoreTemplate(source);
    // Title 255 is the longest accepted: patch it to 256 (the byte after is
    // the code, which is read as the 256th title byte).
    Bytes title = good;
    PutAt(title, kTitleLength, 256);
    Bytes company = good;
    PutAt(company, kCompanyLength, 101);
    Bytes designer = good;
    PutAt(designer, kDesignerLength, 51);
    Bytes negative = good;
    PutAt(negative, kTitleLength, 0xFFFFFFFF);
    Bytes magic = good;
    magic[0] = 'X';

    for (const Bytes* p : { &title, &company, &designer, &negative, &magic })
    {
        CSheet open;
        MakeOpenSheet(open);
        OpenState before = Capture(open);
        EXPECT_EQ(TEMPLATE_BAD_HEADER, LoadTemplate(*p, open));
        ExpectUnchanged(before, open);
    }
}

TEST(TemplateDamaged, CellCountNegativeOrBeyondTheFileIsRefused)
{
    CSheet source;
    MakeRichSheet(source);
    Bytes good = StoreTemplate(source);
    ASSERT_EQ(source.m_cells.GetSize(), (INT_PTR)good[kCellCount]);
    for (unsigned n : { 0xFFFFFFFFu, 0x7FFFFFFFu, 0x10000000u, (unsigned)good.size() })
    {
        SCOPED_TRACE(n);
        Bytes bad = good;
        PutAt(bad, kCellCount, n);
        CSheet open;
        MakeOpenSheet(open);
        OpenState before = Capture(open);
        EXPECT_EQ(TEMPLATE_BAD_HEADER, LoadTemplate(bad, open));
        ExpectUnchanged(before, open);
    }
}

TEST(TemplateDamaged, EveryTruncationFailsOrLoadsWholeCellsAndNeverHalfChanges)
{
    for (LONG nKind : { 0, 2 })
    {
        CSheet source;
        MakeRichSheet(source, nKind);
        Bytes full = StoreTemplate(source);
        const size_t nTolerated = full.size() - (nKind == 2 ? 0 : 4 + 10 + 6 + 26 + 8);
        for (size_t n = 0; n < full.size(); ++n)
        {
            SCOPED_TRACE(testing::Message() << "kind " << nKind << " length " << n);
            Bytes cut(full.begin(), full.begin() + n);
            CSheet open;
            MakeOpenSheet(open);
            OpenState before = Capture(open);
            int cause = LoadTemplate(cut, open);
            if (cause == -1)
            {
                // Only the tolerant tail may be missing.
                ASSERT_GE(n, nTolerated);
                ASSERT_EQ(source.m_cells.GetSize(), open.m_cells.GetSize());
                for (INT_PTR i = 0; i < open.m_cells.GetSize(); ++i)
                    ExpectSameStoredCell(source.m_cells[i], open.m_cells[i]);
            }
            else
            {
                ExpectUnchanged(before, open);
            }
        }
    }
}

TEST(TemplateDamaged, FlippedCountsInsideRecordsFailCleanly)
{
    CSheet source;
    MakeRichSheet(source);
    Bytes good = StoreTemplate(source);
    // Every 32-bit word inside the cells and lists set to a huge value: a
    // length or a picture size read from it must not be trusted.
    for (size_t at = kFirstCell; at + 4 <= good.size(); at += 37)
    {
        SCOPED_TRACE(at);
        Bytes bad = good;
        PutAt(bad, at, 0x7FFFFFF0);
        CSheet open;
        MakeOpenSheet(open);
        OpenState before = Capture(open);
        if (LoadTemplate(bad, open) == -1)
            EXPECT_EQ(source.m_cells.GetSize(), open.m_cells.GetSize());
        else
            ExpectUnchanged(before, open);
    }
}
