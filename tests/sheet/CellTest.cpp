#include "tests/support/Gtest.h"
#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"
#include "sheet/Cell.h"
#include "sheet/PictureBlock.h"
#include "sheet/Sheet.h"

#include <string.h>

#include <set>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

// Little-endian packing written apart from the archive, as the reference.
struct Packer
{
    Bytes b;
    Packer& u8(unsigned v) { b.push_back((unsigned char)v); return *this; }
    Packer& u32(unsigned v)
    {
        for (int i = 0; i < 4; ++i)
            b.push_back((unsigned char)(v >> (8 * i)));
        return *this;
    }
    Packer& raw(const void* p, size_t n)
    {
        const unsigned char* q = (const unsigned char*)p;
        b.insert(b.end(), q, q + n);
        return *this;
    }
    Packer& str(const char* s)
    {
        u32((unsigned)strlen(s));
        return raw(s, strlen(s));
    }
};

Bytes Store(CCell& cell)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        cell.Serialize(ar);
        ar.Close();
    }
    const BYTE* p = file.GetBufferPtr();
    return Bytes(p, p + file.GetLength());
}

Bytes StoreAttributes(const CCell& cell)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        cell.WriteAttributes(ar);
        ar.Close();
    }
    const BYTE* p = file.GetBufferPtr();
    return Bytes(p, p + file.GetLength());
}

// Loads one cell and reports how many bytes were left over.
ULONGLONG Load(const Bytes& bytes, CCell& cell, CSheet* pSheet)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    cell.m_pSheet = pSheet;
    cell.Serialize(ar);
    ULONGLONG nLeft = ar.GetBytesRemaining();
    ar.Close();
    return nLeft;
}

// Fails when loading the bytes does not raise the archive's exception.
void ExpectArchiveException(const Bytes& bytes, CSheet* pSheet)
{
    CCell cell;
    bool bThrown = false;
    try
    {
        Load(bytes, cell, pSheet);
    }
    catch (CException* e)
    {
        bThrown = e->IsKindOf(RUNTIME_CLASS(CArchiveException));
        e->Delete();
    }
    EXPECT_TRUE(bThrown) << "stream of " << bytes.size() << " bytes";
}

// Attribute block of a cell with the constructor's look, by hand.
Packer DefaultAttributes(LONG left, LONG top, LONG right, LONG bottom, LONG type)
{
    Packer p;
    p.u8(0);
    p.u32(left).u32(top).u32(right).u32(bottom).u32(0).u32(type).u32(2).u32(5);
    p.u8(1).u8(0).u8(1).u8(0).u8(0).u8(0);
    p.u32(0xFFFFFF);
    return p;
}

// Counts GlobalAlloc and GlobalFree of picture blocks and catches frees of
// blocks that are not live.
struct CountingAllocator
{
    static int s_nAllocs;
    static int s_nFrees;
    static int s_nBadFrees;
    static std::set<void*>* s_pLive;

    static HGLOBAL WINAPI Alloc(UINT uFlags, SIZE_T cb)
    {
        HGLOBAL h = GlobalAlloc(uFlags, cb);
        if (h != NULL)
        {
            ++s_nAllocs;
            s_pLive->insert(h);
        }
        return h;
    }
    static HGLOBAL WINAPI Free(HGLOBAL h)
    {
        if (s_pLive->erase(h) == 0)
        {
            ++s_nBadFrees;
            return h;
        }
        ++s_nFrees;
        return GlobalFree(h);
    }
};
int CountingAllocator::s_nAllocs;
int CountingAllocator::s_nFrees;
int CountingAllocator::s_nBadFrees;
std::set<void*>* CountingAllocator::s_pLive;

class PictureCountTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CountingAllocator::s_nAllocs = 0;
        CountingAllocator::s_nFrees = 0;
        CountingAllocator::s_nBadFrees = 0;
        CountingAllocator::s_pLive = &m_live;
        SetPictureBlockAllocator(CountingAllocator::Alloc, CountingAllocator::Free);
    }
    void TearDown() override
    {
        EXPECT_EQ(0, CountingAllocator::s_nBadFrees) << "a block was freed twice or never allocated";
        SetPictureBlockAllocator(NULL, NULL);
    }
    void ExpectAllFreed()
    {
        EXPECT_EQ(CountingAllocator::s_nAllocs, CountingAllocator::s_nFrees);
        EXPECT_TRUE(m_live.empty());
    }

    std::set<void*> m_live;
};

// A picture cell with a header of the given depth and its colour table.
void MakePicture(CCell& cell, WORD nBits, LONG width, LONG height, DWORD cbHeader = 0)
{
    cell.SetType(CELL_PICTURE);
    if (cbHeader == 0)
        cbHeader = sizeof(BITMAPINFOHEADER) + (nBits == 24 ? 0 : 4u << nBits);
    DWORD nStride = ((width * nBits + 31) / 32) * 4;
    DWORD cbImage = nStride * (DWORD)height;
    cell.m_hDibInfo = PictureBlockAlloc(cbHeader);
    cell.m_hDibBits = PictureBlockAlloc(cbImage);
    ASSERT_TRUE(cell.m_hDibInfo != NULL && cell.m_hDibBits != NULL);
    memset(cell.m_hDibInfo, 0x5A, cbHeader);
    BITMAPINFOHEADER* pbih = (BITMAPINFOHEADER*)cell.m_hDibInfo;
    pbih->biSize = sizeof(BITMAPINFOHEADER);
    pbih->biWidth = width;
    pbih->biHeight = height;
    pbih->biPlanes = 1;
    pbih->biBitCount = nBits;
    pbih->biCompression = BI_RGB;
    pbih->biSizeImage = cbImage;
    pbih->biClrUsed = 0;
    for (DWORD i = 0; i < cbImage; ++i)
        ((BYTE*)cell.m_hDibBits)[i] = (BYTE)(i * 7);
}

// ---------------------------------------------------------------- layout

TEST(CellLayout, PayloadViewsShareTheSameBytes)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    cell.m_nLine = 0x11223344;
    EXPECT_EQ(0x44, cell.m_abPayload[44]);
    EXPECT_EQ(0x11, cell.m_abPayload[47]);
    cell.m_abPayload[9] = '7';
    EXPECT_EQ('7', cell.m_szPeriodCode[0]);
    cell.m_abPayload[32] = 'C';
    EXPECT_EQ('C', cell.m_szColItemCode[0]);
    EXPECT_EQ(64u, sizeof(cell.m_abPayload));
}

// ---------------------------------------------------------- construction

TEST(CellConstruct, DefaultsOfTheLook)
{
    CCell cell;
    EXPECT_EQ(CELL_NORMAL, cell.m_nType);
    EXPECT_EQ(2, cell.m_nHAlign);
    EXPECT_EQ(5, cell.m_nVAlign);
    EXPECT_EQ(1, cell.m_nLeftEdge);
    EXPECT_EQ(0, cell.m_nRightEdge);
    EXPECT_EQ(1, cell.m_nTopEdge);
    EXPECT_EQ(0, cell.m_nBottomEdge);
    EXPECT_EQ(0, cell.m_nDiagDown);
    EXPECT_EQ(0, cell.m_nDiagUp);
    EXPECT_EQ(0xFFFFFFu, cell.m_crBack);
    EXPECT_EQ(0u, cell.m_crText);
    EXPECT_EQ(0u, cell.m_crDiagUp);
    EXPECT_TRUE(cell.m_strName.IsEmpty());
    EXPECT_TRUE(cell.m_strValue.IsEmpty());
    EXPECT_EQ(0, cell.m_nFormulaRefs);

    // The stock GUI font under the name of the face it draws with.
    LOGFONTA lf;
    ASSERT_EQ((int)sizeof(lf), GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf));
    EXPECT_STRNE(lf.lfFaceName, cell.m_logFont.lfFaceName) << "a substitute name stays";
    LOGFONTA lfRenamed = cell.m_logFont;
    lstrcpynA(lfRenamed.lfFaceName, lf.lfFaceName, LF_FACESIZE);
    EXPECT_TRUE(IsSameFont(lf, lfRenamed));
    HDC hDC = CreateCompatibleDC(NULL);
    HFONT hCellFont = CreateFontIndirectA(&cell.m_logFont);
    SIZE sizeStock = {}, sizeCell = {};
    HGDIOBJ hOld = SelectObject(hDC, GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32A(hDC, "Sales revenue 2024", 18, &sizeStock);
    SelectObject(hDC, hCellFont);
    GetTextExtentPoint32A(hDC, "Sales revenue 2024", 18, &sizeCell);
    SelectObject(hDC, hOld);
    DeleteObject(hCellFont);
    DeleteDC(hDC);
    EXPECT_EQ(sizeStock.cx, sizeCell.cx) << "the same face draws";
    EXPECT_EQ(sizeStock.cy, sizeCell.cy);
}

TEST(CellConstruct, ArrayCellsStartZeroedWithNoOwner)
{
    CCellArray cells;
    cells.SetSize(3);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_TRUE(cells[i].m_pSheet == NULL);
        EXPECT_EQ(0, cells[i].m_rect.right);
        EXPECT_EQ(0, cells[i].m_nTabIndex);
        EXPECT_EQ(2, cells[i].m_nHAlign);
    }
}

// ---------------------------------------------------------- reset, types

TEST(CellReset, DefaultsByType)
{
    CCell cell;
    cell.m_strValue = "12";
    cell.SetType(CELL_NUMERIC);
    EXPECT_STREQ("========", cell.m_szOrgCode);
    EXPECT_STREQ("", cell.m_szPeriodCode);
    EXPECT_STREQ("", cell.m_szRowItemCode);
    EXPECT_EQ(0, cell.m_nLine);
    EXPECT_EQ(0, cell.m_nNumberFormat);
    EXPECT_TRUE(cell.m_strValue.IsEmpty());

    cell.SetType(CELL_REPORTDATE);
    EXPECT_STREQ("", cell.m_szDateCode);
    EXPECT_EQ(1, cell.m_nDateStyle);

    cell.SetType(CELL_PICTURE);
    EXPECT_TRUE(cell.m_hDibInfo == NULL);
    EXPECT_TRUE(cell.m_hDibBits == NULL);
    EXPECT_EQ(0, cell.m_bStretch);
}

TEST(CellReset, TypeChangeLeavesNothingOfTheOldPayload)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    // A text cell must not read the first org-code byte as its dynamic flag.
    cell.SetType(CELL_TEXT);
    EXPECT_EQ(0, cell.m_bDynamic);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(0, cell.m_abPayload[i]) << "byte " << i;

    cell.SetType(CELL_NUMERIC);
    cell.m_nType = CELL_FORMULA;
    cell.ResetContent();
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(0, cell.m_abPayload[i]) << "byte " << i;
}

// -------------------------------------------------------------- copying

TEST(CellCopy, AssignCopiesEverythingButTheOwner)
{
    CSheet sheetA, sheetB;
    CCell a;
    a.m_pSheet = &sheetA;
    a.m_strName = "B7";
    SetRect(&a.m_rect, 10, 20, 30, 40);
    a.m_nTabIndex = 9;
    a.SetType(CELL_NUMERIC);
    CopyCode(a.m_szRowItemCode, sizeof(a.m_szRowItemCode), "R001");
    a.m_nUnit = 3;
    a.m_crDiagUp = RGB(1, 2, 3);
    a.m_strValue = "1.5";
    a.m_strFormula = "A1+A2";
    a.m_strAnalysis = "@x";
    a.m_nFormulaRefs = 2;
    a.m_nBalanceRefs = 4;

    CCell b;
    b.m_pSheet = &sheetB;
    b = a;
    EXPECT_EQ(&sheetB, b.m_pSheet);
    EXPECT_STREQ("B7", b.m_strName);
    EXPECT_TRUE(EqualRect(&a.m_rect, &b.m_rect));
    EXPECT_EQ(9, b.m_nTabIndex);
    EXPECT_STREQ("R001", b.m_szRowItemCode);
    EXPECT_EQ(3, b.m_nUnit);
    EXPECT_EQ(RGB(1, 2, 3), b.m_crDiagUp);
    EXPECT_STREQ("A1+A2", b.m_strFormula);
    EXPECT_STREQ("@x", b.m_strAnalysis);
    EXPECT_EQ(2, b.m_nFormulaRefs);
    EXPECT_EQ(4, b.m_nBalanceRefs);
    EXPECT_EQ(0, memcmp(a.m_abPayload, b.m_abPayload, 64));
}

// ------------------------------------------------------------ CopyCode

TEST(CellCopyCode, BoundedTerminatedAndZeroFilled)
{
    char field[9];
    memset(field, 'x', sizeof(field));
    EXPECT_TRUE(CopyCode(field, sizeof(field), "AB"));
    EXPECT_STREQ("AB", field);
    for (size_t i = 2; i < sizeof(field); ++i)
        EXPECT_EQ(0, field[i]);

    EXPECT_TRUE(CopyCode(field, sizeof(field), "12345678"));
    EXPECT_STREQ("12345678", field);

    char guard[16];
    memset(guard, '#', sizeof(guard));
    EXPECT_FALSE(CopyCode(guard, 9, "123456789ABC"));
    EXPECT_STREQ("12345678", guard);
    EXPECT_EQ('#', guard[9]);

    EXPECT_TRUE(CopyCode(field, sizeof(field), NULL));
    EXPECT_STREQ("", field);
    EXPECT_FALSE(CopyCode(field, 0, "A"));
}

// ------------------------------------------------------------ fonts

TEST(CellFont, SameFontComparesEveryMemberAndTheFaceByCase)
{
    LOGFONTA a = CCell::DefaultFont();
    LOGFONTA b = a;
    EXPECT_TRUE(IsSameFont(a, b));
    // Bytes after the face name's terminator do not count.
    b.lfFaceName[LF_FACESIZE - 1] = 'z';
    if (strlen(a.lfFaceName) < LF_FACESIZE - 1)
    {
        EXPECT_TRUE(IsSameFont(a, b));
    }

    b = a; b.lfHeight += 1; EXPECT_FALSE(IsSameFont(a, b));
    b = a; b.lfWeight = a.lfWeight == FW_BOLD ? FW_NORMAL : FW_BOLD; EXPECT_FALSE(IsSameFont(a, b));
    b = a; b.lfItalic ^= 1; EXPECT_FALSE(IsSameFont(a, b));
    b = a; b.lfPitchAndFamily ^= 0x10; EXPECT_FALSE(IsSameFont(a, b));
    b = a; b.lfQuality ^= 1; EXPECT_FALSE(IsSameFont(a, b));

    LOGFONTA c = a, d = a;
    strcpy(c.lfFaceName, "Arial");
    strcpy(d.lfFaceName, "arial");
    EXPECT_FALSE(IsSameFont(c, d));
}

// ----------------------------------------------------------- stored form

TEST(CellStore, DefaultCellStoresFlagsZeroAndNoOptionalFields)
{
    CCell cell;
    cell.m_strName = "A1";
    SetRect(&cell.m_rect, 6, 7, 86, 37);
    Packer expected;
    expected.str("A1");
    Packer attrs = DefaultAttributes(6, 7, 86, 37, 0);
    expected.raw(attrs.b.data(), attrs.b.size());
    EXPECT_EQ(expected.b, Store(cell));
}

TEST(CellStore, OnlyOneDiagonalColourStoresOneColour)
{
    CCell down;
    down.m_crDiagDown = RGB(0x12, 0x34, 0x56);
    Bytes a = StoreAttributes(down);
    ASSERT_EQ(47u, a.size());
    EXPECT_EQ(0x40, a[0]);
    EXPECT_EQ(Bytes({0x12, 0x34, 0x56, 0x00}), Bytes(a.begin() + 1, a.begin() + 5));

    CCell up;
    up.m_crDiagUp = RGB(0xAB, 0, 0);
    a = StoreAttributes(up);
    ASSERT_EQ(47u, a.size());
    EXPECT_EQ(0x80, a[0]);
    EXPECT_EQ(Bytes({0xAB, 0, 0, 0}), Bytes(a.begin() + 1, a.begin() + 5));
}

TEST(CellStore, FontAndColoursInBitOrder)
{
    CCell cell;
    cell.m_logFont.lfHeight = -21;
    cell.m_crText = 1;
    cell.m_crBottomEdge = 5;
    cell.m_crDiagUp = 7;
    Bytes a = StoreAttributes(cell);
    ASSERT_EQ(1u + 60 + 12 + 42, a.size());
    EXPECT_EQ(0x01 | 0x02 | 0x20 | 0x80, a[0]);
    EXPECT_EQ(0, memcmp(&a[1], &cell.m_logFont, 60));
    EXPECT_EQ(1, a[61]);
    EXPECT_EQ(5, a[65]);
    EXPECT_EQ(7, a[69]);

    CCell loaded;
    Load(Store(cell), loaded, NULL);
    EXPECT_TRUE(IsSameFont(cell.m_logFont, loaded.m_logFont));
    EXPECT_EQ(1u, loaded.m_crText);
    EXPECT_EQ(0u, loaded.m_crLeftEdge);
    EXPECT_EQ(5u, loaded.m_crBottomEdge);
    EXPECT_EQ(7u, loaded.m_crDiagUp);
}

TEST(CellStore, AttributesRoundTrip)
{
    CCell cell;
    cell.m_strName = "AB12";
    SetRect(&cell.m_rect, -3, 4, 500, 600);
    cell.m_nTabIndex = 77;
    cell.m_nHAlign = 0;
    cell.m_nVAlign = 3;
    cell.m_nLeftEdge = 4;
    cell.m_nRightEdge = 2;
    cell.m_nTopEdge = 0;
    cell.m_nBottomEdge = 3;
    cell.m_nDiagDown = 1;
    cell.m_nDiagUp = 2;
    cell.m_crBack = RGB(9, 8, 7);
    cell.m_crLeftEdge = RGB(1, 1, 1);
    CCell loaded;
    EXPECT_EQ(0u, Load(Store(cell), loaded, NULL));
    EXPECT_STREQ("AB12", loaded.m_strName);
    EXPECT_TRUE(EqualRect(&cell.m_rect, &loaded.m_rect));
    EXPECT_EQ(77, loaded.m_nTabIndex);
    EXPECT_EQ(0, loaded.m_nHAlign);
    EXPECT_EQ(3, loaded.m_nVAlign);
    EXPECT_EQ(4, loaded.m_nLeftEdge);
    EXPECT_EQ(2, loaded.m_nRightEdge);
    EXPECT_EQ(0, loaded.m_nTopEdge);
    EXPECT_EQ(3, loaded.m_nBottomEdge);
    EXPECT_EQ(1, loaded.m_nDiagDown);
    EXPECT_EQ(2, loaded.m_nDiagUp);
    EXPECT_EQ(RGB(9, 8, 7), loaded.m_crBack);
    EXPECT_EQ(RGB(1, 1, 1), loaded.m_crLeftEdge);
}

TEST(CellStore, DynamicTextCellStoresOnePayloadByte)
{
    CCell cell;
    cell.SetType(CELL_TEXT);
    cell.m_bDynamic = 1;
    cell.m_strValue = "filled in at run time";
    cell.m_strAnalysis = "@a";
    Bytes bytes = Store(cell);
    EXPECT_EQ(4u + StoreAttributes(cell).size() + 1, bytes.size());
    EXPECT_EQ(1, bytes.back());

    CSheet sheet;
    CCell loaded;
    EXPECT_EQ(0u, Load(bytes, loaded, &sheet));
    EXPECT_EQ(CELL_TEXT, loaded.m_nType);
    EXPECT_NE(0, loaded.m_bDynamic);
    EXPECT_TRUE(loaded.m_strValue.IsEmpty());
    EXPECT_TRUE(loaded.m_strAnalysis.IsEmpty());
}

TEST(CellStore, StaticTextKeepsLabelAndAnalysis)
{
    CSheet sheet;
    CCell cell;
    cell.SetType(CELL_TEXT);
    cell.m_strValue = "Total";
    cell.m_strAnalysis = "@org";
    Bytes bytes = Store(cell);
    Packer tail;
    tail.u8(0).str("Total").str("@org");
    ASSERT_GE(bytes.size(), tail.b.size());
    EXPECT_EQ(tail.b, Bytes(bytes.end() - tail.b.size(), bytes.end()));

    CCell loaded;
    EXPECT_EQ(0u, Load(bytes, loaded, &sheet));
    EXPECT_STREQ("Total", loaded.m_strValue);
    EXPECT_STREQ("@org", loaded.m_strAnalysis);
}

TEST(CellStore, NumericCellKeepsKeysAndDropsTheFigure)
{
    CSheet sheet;
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    CopyCode(cell.m_szOrgCode, 9, "ORG1");
    CopyCode(cell.m_szPeriodCode, 14, "2024100000000");
    CopyCode(cell.m_szRowItemCode, 9, "ROW00001");
    CopyCode(cell.m_szColItemCode, 9, "C2");
    cell.m_nLine = 12;
    cell.m_nValueType = 1;
    cell.m_nCurType = 2;
    cell.m_nNumberFormat = NUMFMT_SCIENTIFIC;
    cell.m_nUnit = 5;
    cell.m_nFormulaRefs = 3;
    cell.m_nBalanceRefs = 1;
    cell.m_strValue = "1234.5";
    cell.m_strAnalysis = "@row";
    cell.m_abPayload[41] = 0xEE;                // filler bytes never reach the file

    Bytes bytes = Store(cell);
    size_t nPayload = 4 + StoreAttributes(cell).size();
    Packer payload;
    payload.raw(cell.m_szOrgCode, 9).raw(cell.m_szPeriodCode, 14);
    payload.raw(cell.m_szRowItemCode, 9).raw(cell.m_szColItemCode, 9);
    payload.u8(0).u8(0).u8(0);
    payload.u32(12).u32(1).u32(2).u32(2).u32(5).u32(3).u32(1).str("@row");
    EXPECT_EQ(payload.b, Bytes(bytes.begin() + nPayload, bytes.end()));

    CCell loaded;
    EXPECT_EQ(0u, Load(bytes, loaded, &sheet));
    EXPECT_STREQ("ORG1", loaded.m_szOrgCode);
    EXPECT_STREQ("2024100000000", loaded.m_szPeriodCode);
    EXPECT_STREQ("ROW00001", loaded.m_szRowItemCode);
    EXPECT_STREQ("C2", loaded.m_szColItemCode);
    EXPECT_EQ(12, loaded.m_nLine);
    EXPECT_EQ(1, loaded.m_nValueType);
    EXPECT_EQ(2, loaded.m_nCurType);
    EXPECT_EQ(NUMFMT_SCIENTIFIC, loaded.m_nNumberFormat);
    EXPECT_EQ(5, loaded.m_nUnit);
    EXPECT_EQ(3, loaded.m_nFormulaRefs);
    EXPECT_EQ(1, loaded.m_nBalanceRefs);
    EXPECT_STREQ("@row", loaded.m_strAnalysis);
    EXPECT_TRUE(loaded.m_strValue.IsEmpty());
}

TEST(CellStore, UnterminatedCodesFromAFileAreTerminated)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    Bytes bytes = Store(cell);
    size_t nPayload = 4 + StoreAttributes(cell).size();
    memset(&bytes[nPayload], 'Q', 41);
    CCell loaded;
    Load(bytes, loaded, NULL);
    EXPECT_STREQ("QQQQQQQQ", loaded.m_szOrgCode);
    EXPECT_STREQ("QQQQQQQQQQQQQ", loaded.m_szPeriodCode);
    EXPECT_STREQ("QQQQQQQQ", loaded.m_szRowItemCode);
    EXPECT_STREQ("QQQQQQQQ", loaded.m_szColItemCode);
}

TEST(CellStore, ReportDateKeepsStyleAndDropsTheCode)
{
    CCell cell;
    cell.SetType(CELL_REPORTDATE);
    CopyCode(cell.m_szDateCode, 14, "2024010000000");
    cell.m_nDateStyle = 3;
    Bytes bytes = Store(cell);
    EXPECT_EQ(Bytes({3, 0, 0, 0}), Bytes(bytes.end() - 4, bytes.end()));

    CCell loaded;
    loaded.SetType(CELL_REPORTDATE);
    CopyCode(loaded.m_szDateCode, 14, "1999");
    EXPECT_EQ(0u, Load(bytes, loaded, NULL));
    EXPECT_STREQ("", loaded.m_szDateCode);
    EXPECT_EQ(3, loaded.m_nDateStyle);
}

TEST(CellStore, FormulaCellKeepsFormulaAndCounters)
{
    CCell cell;
    cell.SetType(CELL_FORMULA);
    cell.m_strFormula = "A1+B2*2";
    cell.m_strValue = "9";
    cell.m_nFormulaRefs = 1;
    cell.m_nBalanceRefs = 2;
    Bytes bytes = Store(cell);
    Packer tail;
    tail.str("A1+B2*2").u32(1).u32(2);
    EXPECT_EQ(tail.b, Bytes(bytes.end() - tail.b.size(), bytes.end()));
    CCell loaded;
    EXPECT_EQ(0u, Load(bytes, loaded, NULL));
    EXPECT_STREQ("A1+B2*2", loaded.m_strFormula);
    EXPECT_EQ(1, loaded.m_nFormulaRefs);
    EXPECT_EQ(2, loaded.m_nBalanceRefs);
}

TEST(CellStore, TypesWithoutPayloadStoreNothingMore)
{
    for (int nType : { (int)CELL_NORMAL, (int)CELL_ORGAN, (int)CELL_ORGANCODE, 8, -1 })
    {
        CCell cell;
        cell.m_nType = nType;
        cell.m_strValue = "x";
        EXPECT_EQ(4 + StoreAttributes(cell).size(), Store(cell).size()) << "type " << nType;
    }
}

TEST(CellStore, EmptyOrNegativeStringCountsLeaveMembersAlone)
{
    Packer p;
    p.u32(0xFFFFFFFF);                              // name count -1
    Packer attrs = DefaultAttributes(0, 0, 10, 10, CELL_FORMULA);
    p.raw(attrs.b.data(), attrs.b.size());
    p.u32(0).u32(0).u32(0);                         // empty formula, counters
    CCell loaded;
    loaded.m_strName = "keep";
    loaded.m_strFormula = "old";
    EXPECT_EQ(0u, Load(p.b, loaded, NULL));
    EXPECT_STREQ("keep", loaded.m_strName);
    EXPECT_STREQ("old", loaded.m_strFormula);
}

// ------------------------------------------------------------- versions

TEST(CellVersion, AnalysisFormulaOnlyAbove0x0200)
{
    CCell text;
    text.SetType(CELL_TEXT);
    Packer base;
    base.str("C3");
    Bytes attrs = StoreAttributes(text);
    base.raw(attrs.data(), attrs.size());
    base.u8(0).str("Label");

    CSheet oldSheet;
    oldSheet.m_wVersion = 0x0200;
    CCell fromOld;
    EXPECT_EQ(0u, Load(base.b, fromOld, &oldSheet));
    EXPECT_STREQ("Label", fromOld.m_strValue);
    EXPECT_TRUE(fromOld.m_strAnalysis.IsEmpty());

    Packer withAnalysis = base;
    withAnalysis.str("@time");
    CSheet newSheet;
    newSheet.m_wVersion = 0x0201;
    CCell fromNew;
    EXPECT_EQ(0u, Load(withAnalysis.b, fromNew, &newSheet));
    EXPECT_STREQ("@time", fromNew.m_strAnalysis);

    // A 0x0200 reader leaves the analysis string of a newer file unread.
    CCell misread;
    EXPECT_EQ(9u, Load(withAnalysis.b, misread, &oldSheet));
}

TEST(CellVersion, NumericCellOfVersion0x0200HasNoAnalysis)
{
    CCell numeric;
    numeric.SetType(CELL_NUMERIC);
    numeric.m_nLine = 4;
    Bytes bytes = Store(numeric);
    bytes.resize(bytes.size() - 4);                 // drop the empty analysis string
    CSheet oldSheet;
    oldSheet.m_wVersion = 0x0200;
    CCell loaded;
    EXPECT_EQ(0u, Load(bytes, loaded, &oldSheet));
    EXPECT_EQ(4, loaded.m_nLine);

    CSheet newSheet;
    ExpectArchiveException(bytes, &newSheet);
}

// ------------------------------------------------------------ truncation

TEST(CellTruncated, EveryShortStreamRaisesTheArchiveException)
{
    CSheet sheet;
    CCell numeric;
    numeric.m_strName = "D4";
    numeric.m_crText = 3;
    numeric.SetType(CELL_NUMERIC);
    numeric.m_strAnalysis = "@x";
    Bytes bytes = Store(numeric);
    for (size_t n = 0; n < bytes.size(); ++n)
        ExpectArchiveException(Bytes(bytes.begin(), bytes.begin() + n), &sheet);
}

TEST(CellTruncated, HugeStringCountIsRefusedNotAllocated)
{
    Packer p;
    p.u32(0x7FFFFFF0).raw("abc", 3);
    ExpectArchiveException(p.b, NULL);
}

// --------------------------------------------------------------- pictures

TEST_F(PictureCountTest, HeaderSizes24And8Bit)
{
    {
        CCell cell;
        MakePicture(cell, 24, 3, 2);
        cell.m_bStretch = 1;
        EXPECT_TRUE(cell.IsPictureValid());
        EXPECT_EQ(40u, cell.PictureHeaderStoreSize());
        Bytes bytes = Store(cell);
        size_t nAt = 4 + StoreAttributes(cell).size();
        EXPECT_EQ(Bytes({40, 0, 0, 0}), Bytes(bytes.begin() + nAt, bytes.begin() + nAt + 4));
        // 3 pixels of 24 bits pad to 12 bytes a row.
        EXPECT_EQ(4u + 40 + 4 + 24 + 4, bytes.size() - nAt);

        CCell loaded;
        EXPECT_EQ(0u, Load(bytes, loaded, NULL));
        EXPECT_EQ(1, loaded.m_bStretch);
        ASSERT_EQ(40u, PictureBlockSize(loaded.m_hDibInfo));
        ASSERT_EQ(24u, PictureBlockSize(loaded.m_hDibBits));
        EXPECT_EQ(0, memcmp(cell.m_hDibInfo, loaded.m_hDibInfo, 40));
        EXPECT_EQ(0, memcmp(cell.m_hDibBits, loaded.m_hDibBits, 24));
        EXPECT_NE(cell.m_hDibInfo, loaded.m_hDibInfo);
    }
    {
        CCell cell;
        MakePicture(cell, 8, 4, 4);
        EXPECT_TRUE(cell.IsPictureValid());
        EXPECT_EQ(1064u, cell.PictureHeaderStoreSize());
        EXPECT_EQ(16u, cell.PictureBitsStoreSize());
        CCell loaded;
        Load(Store(cell), loaded, NULL);
        EXPECT_EQ(1064u, PictureBlockSize(loaded.m_hDibInfo));
        EXPECT_EQ(0, memcmp(cell.m_hDibInfo, loaded.m_hDibInfo, 1064));
    }
    ExpectAllFreed();
}

TEST_F(PictureCountTest, ColourTableRuleOtherDepths)
{
    const struct { WORD bits; DWORD header; } cases[] = {
        { 1, 48 }, { 4, 104 }, { 32, 44 } };
    for (const auto& c : cases)
    {
        CCell cell;
        MakePicture(cell, c.bits, 2, 2, 2048);
        EXPECT_EQ(c.header, cell.PictureHeaderStoreSize()) << c.bits << " bits";
    }
    ExpectAllFreed();
}

TEST_F(PictureCountTest, ShortHeaderBlockIsNeverReadBeyond)
{
    {
        CCell cell;
        MakePicture(cell, 8, 4, 4, 40);                 // no room for the colour table
        EXPECT_FALSE(cell.IsPictureValid());
        EXPECT_EQ(40u, cell.PictureHeaderStoreSize());
        Bytes bytes = Store(cell);
        CCell loaded;
        EXPECT_EQ(0u, Load(bytes, loaded, NULL));
        EXPECT_EQ(40u, PictureBlockSize(loaded.m_hDibInfo));

        CCell tiny;
        tiny.SetType(CELL_PICTURE);
        tiny.m_hDibInfo = PictureBlockAlloc(12);
        memset(tiny.m_hDibInfo, 0xFF, 12);
        tiny.m_hDibBits = PictureBlockAlloc(5);
        EXPECT_EQ(12u, tiny.PictureHeaderStoreSize());
        EXPECT_EQ(5u, tiny.PictureBitsStoreSize());
        EXPECT_FALSE(tiny.IsPictureValid());
    }
    ExpectAllFreed();
}

TEST_F(PictureCountTest, ImageSizeBeyondThePixelBlockIsBounded)
{
    CCell cell;
    MakePicture(cell, 24, 2, 2);
    ((BITMAPINFOHEADER*)cell.m_hDibInfo)->biSizeImage = 1u << 30;
    EXPECT_EQ(16u, cell.PictureBitsStoreSize());
    ((BITMAPINFOHEADER*)cell.m_hDibInfo)->biSizeImage = 8;
    EXPECT_EQ(8u, cell.PictureBitsStoreSize());
}

TEST_F(PictureCountTest, EmptyPictureCellStoresZeroSizes)
{
    CCell cell;
    cell.SetType(CELL_PICTURE);
    Bytes bytes = Store(cell);
    size_t nAt = 4 + StoreAttributes(cell).size();
    EXPECT_EQ(Bytes(12, 0), Bytes(bytes.begin() + nAt, bytes.end()));
    CCell loaded;
    EXPECT_EQ(0u, Load(bytes, loaded, NULL));
    EXPECT_TRUE(loaded.m_hDibInfo == NULL);
    EXPECT_TRUE(loaded.m_hDibBits == NULL);
    EXPECT_EQ(0, CountingAllocator::s_nAllocs);
}

TEST_F(PictureCountTest, CorruptBlockSizeAllocatesNothing)
{
    CCell pic;
    pic.SetType(CELL_PICTURE);
    Packer p;
    p.str("P1");
    Bytes attrs = StoreAttributes(pic);
    p.raw(attrs.data(), attrs.size());
    Packer huge = p;
    huge.u32(0x7FFFFFFF).raw("0123456789", 10);
    ExpectArchiveException(huge.b, NULL);
    Packer large = p;
    large.u32(100000).raw("0123456789", 10);
    ExpectArchiveException(large.b, NULL);
    EXPECT_EQ(0, CountingAllocator::s_nAllocs);
}

TEST_F(PictureCountTest, TruncatedPictureStreamsLeakNothing)
{
    {
        CCell cell;
        MakePicture(cell, 8, 2, 2);
        Bytes bytes = Store(cell);
        for (size_t n = bytes.size() - 1; n > bytes.size() - 1100; --n)
            ExpectArchiveException(Bytes(bytes.begin(), bytes.begin() + n), NULL);
    }
    ExpectAllFreed();
}

TEST_F(PictureCountTest, CopiesShareBlocksAndTheLastOneFrees)
{
    {
        CCell a;
        MakePicture(a, 24, 2, 2);
        HGLOBAL hInfo = a.m_hDibInfo;
        {
            CCell b(a);
            EXPECT_EQ(hInfo, b.m_hDibInfo);
            EXPECT_EQ(a.m_hDibBits, b.m_hDibBits);
            EXPECT_EQ(2, PictureBlockRefCount(hInfo));
            CCell c;
            c = a;
            EXPECT_EQ(3, PictureBlockRefCount(hInfo));
        }
        EXPECT_EQ(1, PictureBlockRefCount(hInfo));
        EXPECT_EQ(0, CountingAllocator::s_nFrees);
    }
    EXPECT_EQ(2, CountingAllocator::s_nAllocs);
    ExpectAllFreed();
}

TEST_F(PictureCountTest, AssignmentOverAPictureReleasesTheOldBlocks)
{
    {
        CCell a, b;
        MakePicture(a, 24, 2, 2);
        MakePicture(b, 24, 4, 4);
        HGLOBAL hOld = b.m_hDibInfo;
        b = a;
        EXPECT_EQ(0, PictureBlockRefCount(hOld));
        EXPECT_EQ(2, CountingAllocator::s_nFrees);
        b = b;
        EXPECT_EQ(2, PictureBlockRefCount(a.m_hDibInfo));
        a = b;                                      // already sharing
        EXPECT_EQ(2, PictureBlockRefCount(a.m_hDibInfo));
        CCell text;
        text.SetType(CELL_TEXT);
        b = text;
        EXPECT_EQ(1, PictureBlockRefCount(a.m_hDibInfo));
        EXPECT_EQ(CELL_TEXT, b.m_nType);
    }
    ExpectAllFreed();
}

TEST_F(PictureCountTest, ResetAndTypeChangeRelease)
{
    CCell a;
    MakePicture(a, 24, 2, 2);
    CCell b(a);
    a.ResetContent();
    EXPECT_TRUE(a.m_hDibInfo == NULL);
    EXPECT_EQ(1, PictureBlockRefCount(b.m_hDibInfo));
    b.SetType(CELL_NUMERIC);
    EXPECT_STREQ("========", b.m_szOrgCode);
    ExpectAllFreed();

    // A picture cell never picks up another type's bytes as block pointers.
    CCell c;
    c.SetType(CELL_NUMERIC);
    c.SetType(CELL_PICTURE);
    EXPECT_TRUE(c.m_hDibInfo == NULL);
    EXPECT_TRUE(c.m_hDibBits == NULL);
}

TEST_F(PictureCountTest, ArrayGrowthRemovalAndSheetDestruction)
{
    {
        CSheet sheet;
        CCell pic;
        MakePicture(pic, 24, 2, 2);
        for (int i = 0; i < 50; ++i)
        {
            SetRect(&pic.m_rect, 0, 100 - i, 10, 110 - i);
            sheet.m_cells.Add(pic);                 // grows by reallocation
        }
        EXPECT_EQ(51, PictureBlockRefCount(pic.m_hDibInfo));
        sheet.m_cells.RemoveAt(3, 4);
        sheet.m_cells.InsertAt(0, pic, 2);
        EXPECT_EQ(49, PictureBlockRefCount(pic.m_hDibInfo));
        sheet.SwapCells(0, 10);
        sheet.SortCells();
        EXPECT_EQ(49, PictureBlockRefCount(pic.m_hDibInfo));
        sheet.m_cellsAux.Copy(sheet.m_cells);
        EXPECT_EQ(97, PictureBlockRefCount(pic.m_hDibInfo));
        pic.ResetContent();
        EXPECT_EQ(0, CountingAllocator::s_nFrees);
    }
    EXPECT_EQ(2, CountingAllocator::s_nAllocs);
    ExpectAllFreed();
}

TEST(PictureBlock, UnknownPointersAreNeitherCountedNorFreed)
{
    char local[4];
    PictureBlockAddRef(local);
    EXPECT_EQ(0, PictureBlockRefCount(local));
    PictureBlockRelease(local);
    PictureBlockRelease(NULL);
    EXPECT_TRUE(PictureBlockAlloc(0) == NULL);
    SIZE_T nLive = PictureBlockLiveCount();
    HGLOBAL h = PictureBlockAlloc(10);
    EXPECT_EQ(nLive + 1, PictureBlockLiveCount());
    EXPECT_EQ(10u, PictureBlockSize(h));
    PictureBlockRelease(h);
    EXPECT_EQ(nLive, PictureBlockLiveCount());
}

} // namespace
