// Test helpers of the template and data-file suites: a sheet that uses every
// stored field, whole-stream bytes, and a comparison of everything a
// template stores.
#pragma once

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"
#include "sheet/PictureBlock.h"
#include "sheet/Sheet.h"
#include "sheet/TemplateStream.h"

namespace filetest
{

typedef std::vector<BYTE> Bytes;

inline Bytes StoreTemplate(CSheet& sheet)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    WriteTemplateStream(ar, sheet);
    ar.Close();
    return Bytes(file.GetBufferPtr(), file.GetBufferPtr() + file.GetLength());
}

// Loads bytes into sheet; returns the archive exception's cause, or -1 when
// the load succeeded.
inline int LoadTemplate(const Bytes& bytes, CSheet& sheet)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    try
    {
        ReadTemplateStream(ar, sheet);
    }
    catch (CArchiveException* e)
    {
        int cause = e->m_cause;
        e->Delete();
        ar.Abort();
        return cause;
    }
    ar.Close();
    return -1;
}

// A picture of w x h pixels at the given depth: header, full colour table
// below 24 bits, and pixel rows filled with a pattern.
inline void SetPicture(CCell& cell, int bpp, int w, int h)
{
    cell.SetType(CELL_PICTURE);
    DWORD nColors = bpp < 24 ? (1u << bpp) : 0;
    DWORD cbInfo = sizeof(BITMAPINFOHEADER) + 4 * nColors;
    DWORD cbBits = (DWORD)(((w * bpp + 31) / 32) * 4 * h);
    HGLOBAL hInfo = PictureBlockAlloc(cbInfo);
    HGLOBAL hBits = PictureBlockAlloc(cbBits);
    BITMAPINFOHEADER* pbih = (BITMAPINFOHEADER*)hInfo;
    memset(pbih, 0, cbInfo);
    pbih->biSize = sizeof(BITMAPINFOHEADER);
    pbih->biWidth = w;
    pbih->biHeight = h;
    pbih->biPlanes = 1;
    pbih->biBitCount = (WORD)bpp;
    pbih->biSizeImage = cbBits;
    BYTE* pColors = (BYTE*)hInfo + sizeof(BITMAPINFOHEADER);
    for (DWORD i = 0; i < 4 * nColors; ++i)
        pColors[i] = (BYTE)(i * 7);
    for (DWORD i = 0; i < cbBits; ++i)
        ((BYTE*)hBits)[i] = (BYTE)(i * 13 + bpp);
    cell.m_hDibInfo = hInfo;
    cell.m_hDibBits = hBits;
    cell.m_bStretch = bpp & 1;
}

inline void AddCell(CSheet& sheet, const char* pszName, int nType, int x, int y)
{
    INT_PTR n = sheet.m_cells.GetSize();
    sheet.m_cells.SetSize(n + 1);
    CCell& cell = sheet.m_cells[n];
    cell.m_pSheet = &sheet;
    cell.m_strName = pszName;
    SetRect(&cell.m_rect, x, y, x + 80, y + 30);
    cell.m_nTabIndex = (LONG)n;
    cell.SetType(nType);
}

inline std::string Repeat(char ch, size_t n)
{
    return std::string(n, ch);
}

// A sheet with every cell type, pictures of 1, 4, 8 and 24 bits, fonts,
// colours, both string lists, page-break arrays, page settings and bands,
// and header texts at their longest.
inline void MakeRichSheet(CSheet& sheet, LONG nKind = 0)
{
    sheet.m_nKind = nKind;
    sheet.m_nReportType = 3;
    strcpy(sheet.m_szTitle, Repeat('T', 255).c_str());
    strcpy(sheet.m_szCode, "TPL00042");
    strcpy(sheet.m_szVersion, "v1.2.3");
    strcpy(sheet.m_szDesignDate, "2026-12-09");
    strcpy(sheet.m_szDesignCompany, Repeat('C', 100).c_str());
    strcpy(sheet.m_szCompanyCode, "CO12345");
    strcpy(sheet.m_szDesigner, Repeat('D', 50).c_str());
    sheet.m_nHeaderWord1 = 7;
    sheet.m_nHeaderWord2 = -9;

    AddCell(sheet, "A1", CELL_NORMAL, 0, 0);
    AddCell(sheet, "B1", CELL_TEXT, 80, 0);
    sheet.m_cells[1].m_strValue = "Static label";
    sheet.m_cells[1].m_strAnalysis = "@org";
    AddCell(sheet, "C1", CELL_TEXT, 160, 0);
    sheet.m_cells[2].m_bDynamic = 1;
    AddCell(sheet, "D1", CELL_NUMERIC, 240, 0);
    {
        CCell& c = sheet.m_cells[3];
        CopyCode(c.m_szOrgCode, sizeof(c.m_szOrgCode), "ORG1");
        CopyCode(c.m_szPeriodCode, sizeof(c.m_szPeriodCode), "2026120900000");
        CopyCode(c.m_szRowItemCode, sizeof(c.m_szRowItemCode), "R0001");
        CopyCode(c.m_szColItemCode, sizeof(c.m_szColItemCode), "C0002");
        c.m_nLine = 12;
        c.m_nValueType = 1;
        c.m_nCurType = 2;
        c.m_nNumberFormat = NUMFMT_THOUSANDS;
        c.m_nUnit = 1000;
        c.m_nFormulaRefs = 2;
        c.m_nBalanceRefs = 1;
        c.m_strAnalysis = "@sum";
    }
    AddCell(sheet, "E1", CELL_ORGAN, 320, 0);
    AddCell(sheet, "F1", CELL_ORGANCODE, 400, 0);
    AddCell(sheet, "G1", CELL_REPORTDATE, 480, 0);
    sheet.m_cells[6].m_nDateStyle = 0;
    AddCell(sheet, "H1", CELL_FORMULA, 560, 0);
    sheet.m_cells[7].m_strFormula = "D1*2+(A1-3)";
    sheet.m_cells[7].m_nFormulaRefs = 1;
    const int anDepths[4] = { 1, 4, 8, 24 };
    for (int i = 0; i < 4; ++i)
    {
        std::string name = "A" + std::to_string(i + 2);
        AddCell(sheet, name.c_str(), CELL_PICTURE, 0, 30 * (i + 1));
        SetPicture(sheet.m_cells[8 + i], anDepths[i], 5 + i, 3 + i);
    }
    // Look: a font and every colour on one cell, odd edges on another.
    CCell& look = sheet.m_cells[1];
    strcpy(look.m_logFont.lfFaceName, "Courier New");
    look.m_logFont.lfHeight = -19;
    look.m_logFont.lfWeight = FW_BOLD;
    look.m_crText = RGB(1, 2, 3);
    look.m_crLeftEdge = RGB(4, 5, 6);
    look.m_crRightEdge = RGB(7, 8, 9);
    look.m_crTopEdge = RGB(10, 11, 12);
    look.m_crBottomEdge = RGB(13, 14, 15);
    look.m_crDiagDown = RGB(16, 17, 18);
    look.m_crDiagUp = RGB(19, 20, 21);
    look.m_crBack = RGB(200, 201, 202);
    CCell& edges = sheet.m_cells[0];
    edges.m_nHAlign = CELL_ALIGN_RIGHT;
    edges.m_nVAlign = CELL_ALIGN_TOP;
    edges.m_nLeftEdge = CELL_LINE_NONE;
    edges.m_nRightEdge = CELL_LINE_THICK;
    edges.m_nTopEdge = CELL_LINE_DOT;
    edges.m_nBottomEdge = CELL_LINE_DASHDOT;
    edges.m_nDiagDown = CELL_LINE_THIN;
    edges.m_nDiagUp = CELL_LINE_THICK;

    sheet.m_lstCarried.AddTail(CString("D1"));
    sheet.m_lstCarried.AddTail(CString(Repeat('x', 300).c_str()));
    sheet.m_lstBalance.AddTail(CString("D1=H1"));
    sheet.m_nPageLayout = 2;
    sheet.m_arrBreaksA.Add(0);
    sheet.m_arrBreaksA.Add(600);
    sheet.m_arrBreaksB.Add(0);
    sheet.m_dwPageSetting1 = 11;
    sheet.m_dwPageSetting2 = 22;
    sheet.m_wPageSetting3 = 33;
    sheet.m_dwMarginLeft = 44;
    sheet.m_dwMarginRight = 55;
    sheet.m_dwMarginTop = 66;
    sheet.m_dwMarginBottom = 77;
    sheet.m_nHeaderBand = 75;
    sheet.m_nTailBand = 30;
    if (nKind == 2)
    {
        sheet.m_bAnalysisFlag = 1;
        sheet.m_nAnAttrType = 5;
        sheet.m_lstAnOrgans.AddTail(CString("ORG1"));
        sheet.m_lstAnTimes.AddTail(CString("2026"));
        sheet.m_lstDimOuter.AddTail(CString("Extra"));
    }
}

inline std::vector<std::string> ListItems(const CStringList& list)
{
    std::vector<std::string> items;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        items.push_back((LPCSTR)list.GetNext(pos));
    return items;
}

inline std::vector<DWORD> ArrayItems(const CDWordArray& arr)
{
    return std::vector<DWORD>(arr.GetData(), arr.GetData() + arr.GetSize());
}

inline Bytes BlockBytes(HGLOBAL h, DWORD cb)
{
    const BYTE* p = (const BYTE*)h;
    return p == NULL ? Bytes() : Bytes(p, p + cb);
}

// The stored parts of a cell: the look, and the payload and texts its type
// keeps (a numeric figure, a dynamic text and a report date's code are data,
// not template).
inline void ExpectSameStoredCell(const CCell& a, const CCell& b)
{
    SCOPED_TRACE((LPCSTR)a.m_strName);
    EXPECT_STREQ(a.m_strName, b.m_strName);
    EXPECT_TRUE(EqualRect(&a.m_rect, &b.m_rect));
    EXPECT_EQ(a.m_nTabIndex, b.m_nTabIndex);
    EXPECT_EQ(a.m_nType, b.m_nType);
    EXPECT_EQ(a.m_nHAlign, b.m_nHAlign);
    EXPECT_EQ(a.m_nVAlign, b.m_nVAlign);
    EXPECT_EQ(a.m_nLeftEdge, b.m_nLeftEdge);
    EXPECT_EQ(a.m_nRightEdge, b.m_nRightEdge);
    EXPECT_EQ(a.m_nTopEdge, b.m_nTopEdge);
    EXPECT_EQ(a.m_nBottomEdge, b.m_nBottomEdge);
    EXPECT_EQ(a.m_nDiagDown, b.m_nDiagDown);
    EXPECT_EQ(a.m_nDiagUp, b.m_nDiagUp);
    EXPECT_EQ(a.m_crBack, b.m_crBack);
    EXPECT_TRUE(IsSameFont(a.m_logFont, b.m_logFont));
    EXPECT_EQ(a.m_crText, b.m_crText);
    EXPECT_EQ(a.m_crLeftEdge, b.m_crLeftEdge);
    EXPECT_EQ(a.m_crRightEdge, b.m_crRightEdge);
    EXPECT_EQ(a.m_crTopEdge, b.m_crTopEdge);
    EXPECT_EQ(a.m_crBottomEdge, b.m_crBottomEdge);
    EXPECT_EQ(a.m_crDiagDown, b.m_crDiagDown);
    EXPECT_EQ(a.m_crDiagUp, b.m_crDiagUp);
    EXPECT_STREQ(a.m_strFormula, b.m_strFormula);
    EXPECT_STREQ(a.m_strAnalysis, b.m_strAnalysis);
    switch (a.m_nType)
    {
    case CELL_TEXT:
        EXPECT_EQ(a.m_bDynamic, b.m_bDynamic);
        if (a.m_bDynamic == 0)
        {
            EXPECT_STREQ(a.m_strValue, b.m_strValue);
        }
        break;
    case CELL_NUMERIC:
        EXPECT_EQ(0, memcmp(a.m_abPayload, b.m_abPayload, CELL_PAYLOAD_SIZE));
        EXPECT_EQ(a.m_nFormulaRefs, b.m_nFormulaRefs);
        EXPECT_EQ(a.m_nBalanceRefs, b.m_nBalanceRefs);
        break;
    case CELL_REPORTDATE:
        EXPECT_EQ(a.m_nDateStyle, b.m_nDateStyle);
        break;
    case CELL_FORMULA:
        EXPECT_EQ(a.m_nFormulaRefs, b.m_nFormulaRefs);
        EXPECT_EQ(a.m_nBalanceRefs, b.m_nBalanceRefs);
        break;
    case CELL_PICTURE:
        EXPECT_EQ(a.PictureHeaderStoreSize(), b.PictureHeaderStoreSize());
        EXPECT_EQ(a.PictureBitsStoreSize(), b.PictureBitsStoreSize());
        EXPECT_EQ(BlockBytes(a.m_hDibInfo, a.PictureHeaderStoreSize()),
                  BlockBytes(b.m_hDibInfo, b.PictureHeaderStoreSize()));
        EXPECT_EQ(BlockBytes(a.m_hDibBits, a.PictureBitsStoreSize()),
                  BlockBytes(b.m_hDibBits, b.PictureBitsStoreSize()));
        EXPECT_EQ(a.m_bStretch, b.m_bStretch);
        EXPECT_TRUE(b.IsPictureValid());
        break;
    default:
        break;
    }
}

// Everything a template stores, cells included.
inline void ExpectSameTemplate(const CSheet& a, const CSheet& b)
{
    EXPECT_EQ(a.m_nKind, b.m_nKind);
    EXPECT_EQ(a.m_nReportType, b.m_nReportType);
    EXPECT_STREQ(a.m_szTitle, b.m_szTitle);
    EXPECT_STREQ(a.m_szCode, b.m_szCode);
    EXPECT_STREQ(a.m_szVersion, b.m_szVersion);
    EXPECT_STREQ(a.m_szDesignDate, b.m_szDesignDate);
    EXPECT_STREQ(a.m_szDesignCompany, b.m_szDesignCompany);
    EXPECT_STREQ(a.m_szCompanyCode, b.m_szCompanyCode);
    EXPECT_STREQ(a.m_szDesigner, b.m_szDesigner);
    EXPECT_EQ(a.m_nHeaderWord1, b.m_nHeaderWord1);
    EXPECT_EQ(a.m_nHeaderWord2, b.m_nHeaderWord2);
    ASSERT_EQ(a.m_cells.GetSize(), b.m_cells.GetSize());
    for (INT_PTR i = 0; i < a.m_cells.GetSize(); ++i)
        ExpectSameStoredCell(a.m_cells[i], b.m_cells[i]);
    EXPECT_EQ(ListItems(a.m_lstCarried), ListItems(b.m_lstCarried));
    EXPECT_EQ(ListItems(a.m_lstBalance), ListItems(b.m_lstBalance));
    EXPECT_EQ(a.m_nPageLayout, b.m_nPageLayout);
    EXPECT_EQ(ArrayItems(a.m_arrBreaksA), ArrayItems(b.m_arrBreaksA));
    EXPECT_EQ(ArrayItems(a.m_arrBreaksB), ArrayItems(b.m_arrBreaksB));
    EXPECT_EQ(a.m_dwPageSetting1, b.m_dwPageSetting1);
    EXPECT_EQ(a.m_dwPageSetting2, b.m_dwPageSetting2);
    EXPECT_EQ(a.m_wPageSetting3, b.m_wPageSetting3);
    EXPECT_EQ(a.m_dwMarginLeft, b.m_dwMarginLeft);
    EXPECT_EQ(a.m_dwMarginRight, b.m_dwMarginRight);
    EXPECT_EQ(a.m_dwMarginTop, b.m_dwMarginTop);
    EXPECT_EQ(a.m_dwMarginBottom, b.m_dwMarginBottom);
    EXPECT_EQ(a.m_nHeaderBand, b.m_nHeaderBand);
    EXPECT_EQ(a.m_nTailBand, b.m_nTailBand);
    if (a.m_nKind == 2)
    {
        EXPECT_EQ(a.m_bAnalysisFlag, b.m_bAnalysisFlag);
        EXPECT_EQ(a.m_nAnAttrType, b.m_nAnAttrType);
        EXPECT_EQ(ListItems(a.m_lstAnOrgans), ListItems(b.m_lstAnOrgans));
        EXPECT_EQ(ListItems(a.m_lstAnProperties), ListItems(b.m_lstAnProperties));
        EXPECT_EQ(ListItems(a.m_lstAnTimes), ListItems(b.m_lstAnTimes));
        EXPECT_EQ(ListItems(a.m_lstAnRowItems), ListItems(b.m_lstAnRowItems));
        EXPECT_EQ(ListItems(a.m_lstAnColItems), ListItems(b.m_lstAnColItems));
        EXPECT_EQ(ListItems(a.m_lstDimOuter), ListItems(b.m_lstDimOuter));
        EXPECT_EQ(ListItems(a.m_lstDimInner), ListItems(b.m_lstDimInner));
    }
}

} // namespace filetest
