#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/sheet/document/TestTallyformDoc.h"

namespace {

void MakeTextSheet(CSheet& sheet, LONG nFontHeight)
{
    sheet.m_cells.SetSize(1);
    CCell& cell = sheet.m_cells[0];
    cell.SetType(CELL_TEXT);
    ::SetRect(&cell.m_rect, 0, 0, 100, 40);
    cell.m_strValue = "Report";
    cell.m_logFont.lfHeight = nFontHeight;
    sheet.UpdateBoundingRect();
}

bool IsPdf(const std::string& bytes)
{
    return bytes.compare(0, 5, "%PDF-") == 0;
}

TEST(DocSaveToPdf, ExtensionIsAddedUnlessItIsExactlyPdf)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CTestTallyformDoc doc;
    MakeTextSheet(doc.m_sheet, -12);

    doc.m_strPdfPath = folder.PathOf("report");
    doc.OnSaveToPdf();
    doc.m_strPdfPath = folder.PathOf("upper.PDF");
    doc.OnSaveToPdf();
    doc.m_strPdfPath = folder.PathOf("kept.pdf");
    doc.OnSaveToPdf();
    doc.m_strPdfPath = folder.PathOf("dotted.pdf.txt");
    doc.OnSaveToPdf();

    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_TRUE(IsPdf(ReadWholeFile(folder.PathOf("report.pdf"))));
    EXPECT_TRUE(IsPdf(ReadWholeFile(folder.PathOf("upper.PDF.pdf"))));
    EXPECT_TRUE(IsPdf(ReadWholeFile(folder.PathOf("kept.pdf"))));
    EXPECT_TRUE(IsPdf(ReadWholeFile(folder.PathOf("dotted.pdf.txt.pdf"))));
    EXPECT_EQ(4u, folder.FileNames().size());
}

TEST(DocSaveToPdf, CancelWritesNothingAndFailuresAreShown)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CTestTallyformDoc doc;
    MakeTextSheet(doc.m_sheet, -12);

    doc.m_bPdfOk = FALSE;
    doc.m_strPdfPath = folder.PathOf("cancelled");
    doc.OnSaveToPdf();
    EXPECT_TRUE(folder.FileNames().empty());
    EXPECT_TRUE(recorder.Messages().empty());

    // A font the library refuses: its error is shown, no file is left.
    MakeTextSheet(doc.m_sheet, 0);
    doc.m_bPdfOk = TRUE;
    doc.m_strPdfPath = folder.PathOf("refused.pdf");
    doc.OnSaveToPdf();
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_FALSE(recorder.Messages()[0].text.empty());
    EXPECT_TRUE(folder.FileNames().empty());
}

} // namespace
