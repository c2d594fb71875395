#include "tests/support/Gtest.h"
#include "tests/sheet/PdfTools.h"
#include "tests/sheet/SolidPictureCell.h"
#include "sheet/PeriodCode.h"
#include "sheet/Sheet.h"
#include "sheet/SheetPdf.h"

#include <string>

using namespace sheettest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
// The white space the page keeps around the sheet.
const int kMargin = 10;

std::string EvidencePath(const char* pszName)
{
    return std::string(SHEET_TEST_EVIDENCE_DIR) + "/" + pszName;
}

// A white cell without edges, left aligned and centred.
CCell& AddCell(CSheet& sheet, int l, int t, int r, int b)
{
    INT_PTR i = sheet.m_cells.GetSize();
    sheet.m_cells.SetSize(i + 1);
    CCell& cell = sheet.m_cells[i];
    ::SetRect(&cell.m_rect, l, t, r, b);
    cell.m_crBack = kWhite;
    cell.m_crText = kBlack;
    cell.m_nHAlign = CELL_ALIGN_LEFT;
    cell.m_nVAlign = CELL_ALIGN_CENTER;
    cell.m_nLeftEdge = cell.m_nRightEdge = cell.m_nTopEdge = cell.m_nBottomEdge = CELL_LINE_NONE;
    cell.m_nDiagDown = cell.m_nDiagUp = CELL_LINE_NONE;
    cell.m_logFont.lfHeight = -14;
    cell.m_logFont.lfWeight = FW_NORMAL;
    cell.m_logFont.lfItalic = FALSE;
    return cell;
}

// One cell of every type in a row, each with a value text of its own.
void BuildEveryTypeSheet(CSheet& sheet, BOOL bDesignMode)
{
    static const char* const kValues[] = { "NormalValue", "Alpha",    "1234.5",    "AcmeWorks",
                                           "A17",         "DateValue", "99.5",      "PictureValue" };
    sheet.m_bDesignMode = bDesignMode;
    sheet.m_nReportType = 2;
    for (int i = CELL_NORMAL; i <= CELL_PICTURE; ++i)
    {
        if (i == CELL_PICTURE)
        {
            RECT rc = { i * 120, 0, i * 120 + 120, 40 };
            CCell picture = SolidPictureCell(rc, 4, 4, kRed, kWhite);
            sheet.m_cells.Add(picture);
            sheet.m_cells[i].m_bStretch = TRUE;
        }
        else
        {
            AddCell(sheet, i * 120, 0, i * 120 + 120, 40).SetType(i);
        }
        sheet.m_cells[i].m_strValue = kValues[i];
        sheet.m_cells[i].m_nTopEdge = sheet.m_cells[i].m_nBottomEdge = CELL_LINE_THIN;
        sheet.m_cells[i].m_nLeftEdge = sheet.m_cells[i].m_nRightEdge = CELL_LINE_THIN;
    }
    CopyCode(sheet.m_cells[CELL_REPORTDATE].m_szDateCode, CELL_PERIOD_LEN, "2024000300000");
    sheet.UpdateBoundingRect();
}

BOOL Export(const CSheet& sheet, const std::string& strPdf, CString& strError)
{
    remove(strPdf.c_str());
    return WriteSheetPdf(sheet, DosPath(strPdf), strError);
}

::testing::AssertionResult Exported(const CSheet& sheet, const std::string& strPdf)
{
    CString strError;
    if (Export(sheet, strPdf, strError))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (LPCSTR)strError;
}

TEST(SheetPdfTest, EveryCellTypeShowsTheTextTheScreenShows)
{
    CSheet sheet;
    BuildEveryTypeSheet(sheet, FALSE);
    std::string strPdf = EvidencePath("pdf_every_type.pdf");
    ASSERT_TRUE(Exported(sheet, strPdf));

    std::string strText = PdfText(strPdf);
    int nShown = 0;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CString strShown = sheet.GetDisplayText(sheet.m_cells[i]);
        if (strShown.IsEmpty())
            continue;
        ++nShown;
        EXPECT_NE(std::string::npos, strText.find((LPCSTR)strShown)) << (LPCSTR)strShown;
    }
    // Text, numeric, both organization cells, report date and formula.
    EXPECT_EQ(6, nShown);
    // The report date shows its period, not its value text; normal and
    // picture cells show no text at all.
    EXPECT_EQ(std::string::npos, strText.find("DateValue"));
    EXPECT_EQ(std::string::npos, strText.find("NormalValue"));
    EXPECT_EQ(std::string::npos, strText.find("PictureValue"));
    EXPECT_EQ("980 x 60", PdfPageSize(strPdf));

    PdfPixels pixels;
    ASSERT_TRUE(pixels.Load(strPdf));
    EXPECT_EQ(kRed, pixels.Pixel(kMargin + CELL_PICTURE * 120 + 60, kMargin + 20));

    // The page as evidence of the export.
    RunTool("pdftoppm -png -r 72 -singlefile '" + strPdf + "' '" +
            EvidencePath("pdf_export") + "'");
    EXPECT_TRUE(FileExists(EvidencePath("pdf_export.png")));
}

TEST(SheetPdfTest, TenDayPeriodComesOutInChineseCharacters)
{
    // The ten-day text's bytes are Chinese (GB2312) in a sheet that also
    // holds English text: both come out as their own characters.
    CSheet sheet;
    sheet.m_bDesignMode = FALSE;
    sheet.m_nReportType = PERIOD_TENDAY;
    AddCell(sheet, 0, 0, 200, 40).SetType(CELL_TEXT);
    sheet.m_cells[0].m_strValue = "Total";
    CCell& date = AddCell(sheet, 200, 0, 400, 40);
    date.SetType(CELL_REPORTDATE);
    date.m_logFont.lfWeight = FW_BOLD;
    CopyCode(date.m_szDateCode, CELL_PERIOD_LEN, "2024000320000");
    CCell& last = AddCell(sheet, 0, 40, 200, 80);
    last.SetType(CELL_REPORTDATE);
    CopyCode(last.m_szDateCode, CELL_PERIOD_LEN, "2023001230000");
    sheet.UpdateBoundingRect();
    std::string strPdf = EvidencePath("pdf_tenday.pdf");
    ASSERT_TRUE(Exported(sheet, strPdf));

    std::string strText = PdfText(strPdf);
    EXPECT_NE(std::string::npos, strText.find("Total")) << strText;
    // 2024 year 3 month middle ten days; 2023 year 12 month last ten days.
    EXPECT_NE(std::string::npos, strText.find("2024\u5e743\u6708\u4e2d\u65ec")) << strText;
    EXPECT_NE(std::string::npos, strText.find("2023\u5e7412\u6708\u4e0b\u65ec")) << strText;
}

TEST(SheetPdfTest, PerMilleSignComesOutAsItself)
{
    CSheet sheet;
    sheet.m_bDesignMode = FALSE;
    CCell& cell = AddCell(sheet, 0, 0, 300, 40);
    cell.SetType(CELL_NUMERIC);
    cell.m_nNumberFormat = NUMFMT_PERMILLE;
    cell.m_strValue = "900";
    sheet.UpdateBoundingRect();
    std::string strPdf = EvidencePath("pdf_permille.pdf");
    ASSERT_TRUE(Exported(sheet, strPdf));
    std::string strText = PdfText(strPdf);
    EXPECT_NE(std::string::npos, strText.find("900\u2030")) << strText;
}

TEST(SheetPdfTest, DesignModeHidesValuesOfDataCells)
{
    CSheet sheet;
    BuildEveryTypeSheet(sheet, TRUE);
    std::string strPdf = EvidencePath("pdf_design_mode.pdf");
    ASSERT_TRUE(Exported(sheet, strPdf));
    std::string strText = PdfText(strPdf);
    EXPECT_NE(std::string::npos, strText.find("Alpha"));
    EXPECT_EQ(std::string::npos, strText.find("1234"));
    EXPECT_EQ(std::string::npos, strText.find("AcmeWorks"));
    EXPECT_EQ(std::string::npos, strText.find("99.5"));
}

TEST(SheetPdfTest, PageHasTheSheetsExtentWithAMargin)
{
    CSheet sheet;
    AddCell(sheet, 0, 0, 100, 40).SetType(CELL_TEXT);
    sheet.m_cells[0].m_strValue = "One";
    sheet.UpdateBoundingRect();
    std::string strPdf = EvidencePath("pdf_one_cell.pdf");
    ASSERT_TRUE(Exported(sheet, strPdf));
    EXPECT_EQ("120 x 60", PdfPageSize(strPdf));

    // Helvetica rises 0.718 em above its baseline, which lies 5 units
    // below the middle of the cell: 15 above the cell's bottom.
    PdfWordBox box = FindPdfWord(strPdf, "One");
    ASSERT_TRUE(box.bFound);
    EXPECT_NEAR(kMargin + 40 - 15, box.yMin + 0.718 * 14, 0.01);
    EXPECT_NEAR(kMargin + 3, box.xMin, 0.01);
}

TEST(SheetPdfTest, AlignedTextsStayInsideTheirCells)
{
    CSheet sheet;
    const struct
    {
        const char* pszText;
        LONG nHAlign;
        LONG nVAlign;
    } cells[] = { { "TopLeft", CELL_ALIGN_LEFT, CELL_ALIGN_TOP },
                  { "BottomRight", CELL_ALIGN_RIGHT, CELL_ALIGN_BOTTOM },
                  { "Middle", CELL_ALIGN_MIDDLE, CELL_ALIGN_CENTER } };
    for (int i = 0; i < 3; ++i)
    {
        CCell& cell = AddCell(sheet, 0, i * 60, 150, i * 60 + 60);
        cell.SetType(CELL_TEXT);
        cell.m_strValue = cells[i].pszText;
        cell.m_nHAlign = cells[i].nHAlign;
        cell.m_nVAlign = cells[i].nVAlign;
    }
    sheet.UpdateBoundingRect();
    std::string strPdf = EvidencePath("pdf_aligned.pdf");
    ASSERT_TRUE(Exported(sheet, strPdf));

    PdfWordBox top = FindPdfWord(strPdf, "TopLeft");
    PdfWordBox bottom = FindPdfWord(strPdf, "BottomRight");
    PdfWordBox middle = FindPdfWord(strPdf, "Middle");
    ASSERT_TRUE(top.bFound && bottom.bFound && middle.bFound);
    EXPECT_NEAR(kMargin + 5, top.yMin, 0.01);
    EXPECT_NEAR(kMargin + 3, top.xMin, 0.01);
    EXPECT_NEAR(kMargin + 120 - 5, bottom.yMax, 0.01);
    EXPECT_NEAR(kMargin + 150 - 3, bottom.xMax, 1.0);
    EXPECT_NEAR(kMargin + 150 - middle.xMax, middle.xMin - kMargin, 1.0);
}

TEST(SheetPdfTest, FillsEdgesAndBordersOverNeighbours)
{
    CSheet sheet;
    AddCell(sheet, 20, 10, 100, 50).m_nLeftEdge = CELL_LINE_DOT;
    AddCell(sheet, 100, 10, 200, 50).m_nRightEdge = CELL_LINE_THICK;
    AddCell(sheet, 200, 10, 300, 50).m_crBack = kBlue;
    AddCell(sheet, 300, 10, 340, 50).m_crBack = kBlack;
    sheet.UpdateBoundingRect();
    std::string strPdf = EvidencePath("pdf_lines.pdf");
    ASSERT_TRUE(Exported(sheet, strPdf));
    PdfPixels pixels;
    ASSERT_TRUE(pixels.Load(strPdf));
    ASSERT_EQ(kMargin + 340 + kMargin, pixels.Width());
    ASSERT_EQ(kMargin + 50 + kMargin, pixels.Height());
    auto pixel = [&](int x, int y) { return pixels.Pixel(kMargin + x, kMargin + y); };

    // A dotted edge is a solid line three units wide.
    for (int y = 12; y < 48; ++y)
    {
        EXPECT_EQ(kBlack, pixel(20, y)) << y;
        EXPECT_EQ(kBlack, pixel(19, y)) << y;
    }
    EXPECT_EQ(kWhite, pixel(24, 30));
    EXPECT_EQ(kWhite, pixel(16, 30));
    // The thick right edge lies over the next cell's background.
    EXPECT_EQ(kBlack, pixel(200, 30));
    EXPECT_EQ(kBlue, pixel(250, 30));
    // A black background is filled as any colour but white is.
    EXPECT_EQ(kBlack, pixel(320, 30));
    EXPECT_EQ(kWhite, pixel(60, 30));
}

TEST(SheetPdfTest, FontFacesFollowWeightAndItalic)
{
    struct Case
    {
        LONG nWeight;
        BYTE bItalic;
        const char* pszFace;
        const char* pszNotFace;
    };
    const Case cases[] = {
        { 600, FALSE, "Helvetica ", "Helvetica-" },
        { FW_BOLD, FALSE, "Helvetica-Bold ", "Oblique" },
        { 400, TRUE, "Helvetica-Oblique", "Bold" },
        { FW_BOLD, TRUE, "Helvetica-BoldOblique", "Helvetica " },
    };
    for (const Case& c : cases)
    {
        CSheet sheet;
        CCell& cell = AddCell(sheet, 0, 0, 100, 40);
        cell.SetType(CELL_TEXT);
        cell.m_strValue = "Face";
        cell.m_logFont.lfWeight = c.nWeight;
        cell.m_logFont.lfItalic = c.bItalic;
        sheet.UpdateBoundingRect();
        std::string strPdf = EvidencePath("pdf_face.pdf");
        ASSERT_TRUE(Exported(sheet, strPdf));
        std::string strFonts = PdfFonts(strPdf);
        EXPECT_NE(std::string::npos, strFonts.find(c.pszFace)) << c.nWeight << strFonts;
        EXPECT_EQ(std::string::npos, strFonts.find(c.pszNotFace)) << c.nWeight << strFonts;
    }
}

TEST(SheetPdfTest, FontHeightsOfEitherSignGiveTheirSizes)
{
    CSheet sheet;
    const struct
    {
        const char* pszText;
        LONG nHeight;
    } cells[] = { { "Negative", -20 }, { "Positive", 20 } };
    for (int i = 0; i < 2; ++i)
    {
        CCell& cell = AddCell(sheet, 0, i * 40, 200, i * 40 + 40);
        cell.SetType(CELL_TEXT);
        cell.m_strValue = cells[i].pszText;
        cell.m_logFont.lfHeight = cells[i].nHeight;
    }
    sheet.UpdateBoundingRect();
    std::string strPdf = EvidencePath("pdf_heights.pdf");
    ASSERT_TRUE(Exported(sheet, strPdf));

    double cyNegative = FindPdfWord(strPdf, "Negative").Height();
    double cyPositive = FindPdfWord(strPdf, "Positive").Height();
    EXPECT_GT(cyPositive, 0);
    // A positive height counts the whole cell of the face, so its
    // characters come out smaller than those of the same negative height.
    EXPECT_GT(cyNegative, cyPositive);
    EXPECT_GT(cyPositive, cyNegative * 0.7);
}

TEST(SheetPdfTest, FailuresLeaveNoFileAndSayWhy)
{
    CSheet sheet;
    CCell& cell = AddCell(sheet, 0, 0, 100, 40);
    cell.SetType(CELL_TEXT);
    cell.m_strValue = "Zero";
    cell.m_logFont.lfHeight = 0;
    sheet.UpdateBoundingRect();
    std::string strPdf = EvidencePath("pdf_zero_height.pdf");
    CString strError;
    EXPECT_FALSE(Export(sheet, strPdf, strError));
    EXPECT_FALSE(strError.IsEmpty());
    EXPECT_FALSE(FileExists(strPdf));

    sheet.m_cells[0].m_logFont.lfHeight = -12;
    std::string strMissing = EvidencePath("no_such_folder/pdf_missing.pdf");
    strError.Empty();
    EXPECT_FALSE(Export(sheet, strMissing, strError));
    EXPECT_FALSE(strError.IsEmpty());
    EXPECT_FALSE(FileExists(strMissing));
}

} // namespace
