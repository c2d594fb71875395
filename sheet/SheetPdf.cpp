#include <hpdf.h>

#include <math.h>

#include <vector>

#include "sheet/SheetPdf.h"
#include "sheet/CellDraw.h"
#include "sheet/PeriodText.h"
#include "sheet/Sheet.h"
#include "sheet/SheetPdfPicture.h"

#include "framework/core/Exception.h"
#include "framework/core/File.h"

namespace {

// Distance of a top or bottom aligned text from the cell's edge, and of a
// centred baseline below the cell's middle.
const HPDF_REAL kTextMargin = 5;

// White space around the sheet: the edges on its outline are stroked
// across the outline, and half of each would fall off a page of the
// sheet's own size.
const HPDF_REAL kPageMargin = 10;

// The standard faces, by index: bold adds one, italic two.
const char* const kFontNames[] = { "Helvetica", "Helvetica-Bold", "Helvetica-Oblique",
                                   "Helvetica-BoldOblique" };
const int kFontCount = 4;

// The library's Chinese face for the ten-day period texts, whose bytes are
// in the Chinese code page (GB2312), by the same index.
const char* const kChineseFontNames[] = { "SimSun", "SimSun,Bold", "SimSun,Italic",
                                          "SimSun,BoldItalic" };
const char kChineseEncoding[] = "GB-EUC-H";

// The length of the run of text that starts at nStart and is drawn in one
// face.  In a text of the Chinese code page (bMixed) the ASCII bytes run in
// the standard face and the double-byte characters in the Chinese one
// (bChinese): the Chinese encoding's single bytes stand for full-width
// forms, so a digit written through it would be read back as a full-width
// digit.  A lead byte at the end, without its second byte, stays a single
// byte of the standard face.
int TextRunLength(const CString& str, int nStart, BOOL bMixed, BOOL& bChinese)
{
    const int nLength = str.GetLength();
    bChinese = FALSE;
    if (!bMixed)
        return nLength - nStart;
    int n = nStart;
    while (n + 1 < nLength && (BYTE)str[n] >= 0x80)
        n += 2;
    if (n > nStart)
    {
        bChinese = TRUE;
        return n - nStart;
    }
    while (n < nLength && (BYTE)str[n] < 0x80)
        ++n;
    return n > nStart ? n - nStart : 1;
}

// The first error the library reported; later ones follow from it.
struct PdfErrorState
{
    HPDF_STATUS nError;
    HPDF_STATUS nDetail;
};

void HPDF_STDCALL RecordPdfError(HPDF_STATUS nError, HPDF_STATUS nDetail, void* pUser)
{
    PdfErrorState* pState = (PdfErrorState*)pUser;
    if (pState->nError == HPDF_OK)
    {
        pState->nError = nError;
        pState->nDetail = nDetail;
    }
}

CString PdfErrorText(const PdfErrorState& state)
{
    CString str;
    str.Format("PDF library error 0x%04lX (detail %lu).", (unsigned long)state.nError,
               (unsigned long)state.nDetail);
    return str;
}

int FontIndex(const LOGFONTA& lf)
{
    return (lf.lfItalic ? 2 : 0) + (lf.lfWeight == FW_BOLD ? 1 : 0);
}

// A negative LOGFONT height is the character height, a positive one the
// cell height, taken as the face's glyph box: both give an em size.  Zero
// stays zero, which the library refuses.
HPDF_REAL FontSize(const LOGFONTA& lf, HPDF_Font font)
{
    if (lf.lfHeight <= 0)
        return (HPDF_REAL)-lf.lfHeight;
    HPDF_Box box = HPDF_Font_GetBBox(font);
    HPDF_REAL cellHeight = box.top - box.bottom;
    if (cellHeight <= 0)
        return (HPDF_REAL)lf.lfHeight;
    return (HPDF_REAL)lf.lfHeight * 1000 / cellHeight;
}

void SetFill(HPDF_Page page, COLORREF cr)
{
    HPDF_Page_SetRGBFill(page, GetRValue(cr) / 255.0f, GetGValue(cr) / 255.0f,
                         GetBValue(cr) / 255.0f);
}

// The drawing of one sheet onto one page.
class CSheetPage
{
public:
    CSheetPage(const CSheet& sheet, HPDF_Doc pdf, HPDF_Page page, HPDF_Font* pFonts)
        : m_sheet(sheet), m_pdf(pdf), m_page(page), m_pFonts(pFonts)
    {
        m_xOrigin = sheet.m_rcBounds.left;
        m_yOrigin = sheet.m_rcBounds.top;
        m_height = HPDF_Page_GetMediaBox(page).top;
        for (int i = 0; i < kFontCount; ++i)
            m_chineseFonts[i] = NULL;
        m_bChineseRegistered = FALSE;
    }

    // Background, picture and text: the screen's first pass.
    void DrawContent(const CCell& cell);
    // Edges and diagonals over every neighbour's background.
    void DrawEdges(const CCell& cell);

private:
    HPDF_REAL X(LONG x) const { return kPageMargin + (HPDF_REAL)(x - m_xOrigin); }
    HPDF_REAL Y(LONG y) const { return m_height - kPageMargin - (HPDF_REAL)(y - m_yOrigin); }
    void DrawPicture(const CCell& cell);
    void DrawText(const CCell& cell, const CString& strText);
    // The library's Chinese face of that index, loaded at the first use.
    HPDF_Font ChineseFont(int nIndex);
    void Line(BYTE nStyle, HPDF_REAL x1, HPDF_REAL y1, HPDF_REAL x2, HPDF_REAL y2);

    const CSheet& m_sheet;
    HPDF_Doc m_pdf;
    HPDF_Page m_page;
    HPDF_Font* m_pFonts;
    HPDF_Font m_chineseFonts[kFontCount];  // loaded at the first Chinese text
    BOOL m_bChineseRegistered;             // the library registers them once only
    LONG m_xOrigin;
    LONG m_yOrigin;
    HPDF_REAL m_height;
};

void CSheetPage::DrawContent(const CCell& cell)
{
    const RECT& rc = cell.m_rect;
    if (cell.m_crBack < RGB(255, 255, 255))
    {
        SetFill(m_page, cell.m_crBack);
        HPDF_Page_Rectangle(m_page, X(rc.left), Y(rc.bottom), (HPDF_REAL)(rc.right - rc.left),
                            (HPDF_REAL)(rc.bottom - rc.top));
        HPDF_Page_Fill(m_page);
    }
    if (m_sheet.m_nDisplayMode == DISPLAY_NORMAL && cell.m_nType == CELL_PICTURE)
    {
        DrawPicture(cell);
        return;
    }
    CString strText = m_sheet.GetDisplayText(cell);
    if (!strText.IsEmpty())
        DrawText(cell, strText);
}

void CSheetPage::DrawPicture(const CCell& cell)
{
    std::vector<unsigned char> rgb;
    if (!RenderPictureCell(m_sheet, cell, rgb))
        return;
    const RECT& rc = cell.m_rect;
    HPDF_UINT cx = (HPDF_UINT)(rc.right - rc.left);
    HPDF_UINT cy = (HPDF_UINT)(rc.bottom - rc.top);
    HPDF_Image image = HPDF_LoadRawImageFromMem(m_pdf, &rgb[0], cx, cy, HPDF_CS_DEVICE_RGB, 8);
    if (image != NULL)
        HPDF_Page_DrawImage(m_page, image, X(rc.left), Y(rc.bottom), (HPDF_REAL)cx, (HPDF_REAL)cy);
}

void CSheetPage::DrawText(const CCell& cell, const CString& strText)
{
    const RECT& rc = cell.m_rect;
    const int nIndex = FontIndex(cell.m_logFont);
    HPDF_Font font = m_pFonts[nIndex];
    HPDF_Font chinese = NULL;
    const UINT nCodePage = CellTextCodePage(m_sheet, cell);
    if ((nCodePage == CP_ACP ? GetACP() : nCodePage) == CHINESE_CODE_PAGE)
    {
        chinese = ChineseFont(nIndex);
        if (chinese == NULL)
            return;
    }
    HPDF_REAL size = FontSize(cell.m_logFont, font);
    SetFill(m_page, cell.m_crText);

    // The width of all runs, each in its own face.
    HPDF_REAL width = 0;
    for (int nStart = 0, nLength; nStart < strText.GetLength(); nStart += nLength)
    {
        BOOL bChinese;
        nLength = TextRunLength(strText, nStart, chinese != NULL, bChinese);
        if (HPDF_Page_SetFontAndSize(m_page, bChinese ? chinese : font, size) != HPDF_OK)
            return;
        width += HPDF_Page_TextWidth(m_page, strText.Mid(nStart, nLength));
    }
    SIZE sizeText = { (LONG)ceilf(width), 0 };
    HPDF_REAL x = X(CellTextOrigin(cell, sizeText).x);

    HPDF_REAL y;
    switch (cell.m_nVAlign)
    {
    case CELL_ALIGN_TOP:
        y = Y(rc.top) - kTextMargin - HPDF_Font_GetAscent(font) * size / 1000;
        break;
    case CELL_ALIGN_BOTTOM:
        y = Y(rc.bottom) + kTextMargin - HPDF_Font_GetDescent(font) * size / 1000;
        break;
    default:
        y = Y(m_yOrigin + (rc.top - m_yOrigin + rc.bottom - m_yOrigin) / 2) - kTextMargin;
        break;
    }

    // As on the screen, the text stays inside its cell.
    HPDF_Page_GSave(m_page);
    HPDF_Page_Rectangle(m_page, X(rc.left), Y(rc.bottom), (HPDF_REAL)(rc.right - rc.left),
                        (HPDF_REAL)(rc.bottom - rc.top));
    HPDF_Page_Clip(m_page);
    HPDF_Page_EndPath(m_page);
    HPDF_Page_BeginText(m_page);
    HPDF_Page_MoveTextPos(m_page, x, y);
    // Each run moves the text position on by its own width.
    for (int nStart = 0, nLength; nStart < strText.GetLength(); nStart += nLength)
    {
        BOOL bChinese;
        nLength = TextRunLength(strText, nStart, chinese != NULL, bChinese);
        HPDF_Page_SetFontAndSize(m_page, bChinese ? chinese : font, size);
        HPDF_Page_ShowText(m_page, strText.Mid(nStart, nLength));
    }
    HPDF_Page_EndText(m_page);
    HPDF_Page_GRestore(m_page);
}

HPDF_Font CSheetPage::ChineseFont(int nIndex)
{
    if (!m_bChineseRegistered)
    {
        HPDF_UseCNSFonts(m_pdf);
        HPDF_UseCNSEncodings(m_pdf);
        m_bChineseRegistered = TRUE;
    }
    if (m_chineseFonts[nIndex] == NULL)
        m_chineseFonts[nIndex] = HPDF_GetFont(m_pdf, kChineseFontNames[nIndex], kChineseEncoding);
    return m_chineseFonts[nIndex];
}

// A straight line as wide as the style's code; style 0 draws nothing.
void CSheetPage::Line(BYTE nStyle, HPDF_REAL x1, HPDF_REAL y1, HPDF_REAL x2, HPDF_REAL y2)
{
    if (nStyle == CELL_LINE_NONE)
        return;
    HPDF_Page_SetLineWidth(m_page, nStyle);
    HPDF_Page_MoveTo(m_page, x1, y1);
    HPDF_Page_LineTo(m_page, x2, y2);
    HPDF_Page_Stroke(m_page);
}

void CSheetPage::DrawEdges(const CCell& cell)
{
    HPDF_REAL x1 = X(cell.m_rect.left), x2 = X(cell.m_rect.right);
    HPDF_REAL yT = Y(cell.m_rect.top), yB = Y(cell.m_rect.bottom);
    Line(cell.m_nLeftEdge, x1, yT, x1, yB);
    Line(cell.m_nRightEdge, x2, yT, x2, yB);
    Line(cell.m_nTopEdge, x1, yT, x2, yT);
    Line(cell.m_nBottomEdge, x1, yB, x2, yB);
    Line(cell.m_nDiagDown, x1, yT, x2, yB);
    Line(cell.m_nDiagUp, x1, yB, x2, yT);
}

// Builds the page; FALSE once the library reported an error.
BOOL DrawSheet(const CSheet& sheet, HPDF_Doc pdf, const PdfErrorState& state)
{
    HPDF_Font fonts[kFontCount];
    for (int i = 0; i < kFontCount; ++i)
        fonts[i] = HPDF_GetFont(pdf, kFontNames[i], "WinAnsiEncoding");
    HPDF_Page page = HPDF_AddPage(pdf);
    HPDF_Page_SetWidth(page, (HPDF_REAL)(sheet.m_rcBounds.right - sheet.m_rcBounds.left) + 2 * kPageMargin);
    HPDF_Page_SetHeight(page, (HPDF_REAL)(sheet.m_rcBounds.bottom - sheet.m_rcBounds.top) + 2 * kPageMargin);
    if (state.nError != HPDF_OK)
        return FALSE;

    CSheetPage drawing(sheet, pdf, page, fonts);
    INT_PTR nCells = sheet.m_cells.GetSize();
    for (INT_PTR i = 0; i < nCells && state.nError == HPDF_OK; ++i)
        drawing.DrawContent(sheet.m_cells[i]);
    HPDF_Page_SetRGBFill(page, 0, 0, 0);
    HPDF_Page_SetRGBStroke(page, 0, 0, 0);
    for (INT_PTR i = 0; i < nCells && state.nError == HPDF_OK; ++i)
        drawing.DrawEdges(sheet.m_cells[i]);
    return state.nError == HPDF_OK;
}

// The finished document's bytes.
BOOL ReadPdfBytes(HPDF_Doc pdf, std::vector<BYTE>& bytes)
{
    if (HPDF_SaveToStream(pdf) != HPDF_OK)
        return FALSE;
    HPDF_UINT32 nSize = HPDF_GetStreamSize(pdf);
    bytes.resize(nSize);
    if (nSize == 0)
        return FALSE;
    HPDF_ResetStream(pdf);
    HPDF_UINT32 nRead = nSize;
    HPDF_ReadFromStream(pdf, &bytes[0], &nRead);
    return nRead == nSize;
}

// Writes the bytes; a file that could not be completed is removed.
BOOL WriteFileBytes(LPCSTR pszPath, const std::vector<BYTE>& bytes, CString& strError)
{
    CFile file;
    CFileException error;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite, &error))
    {
        char szMessage[512];
        error.GetErrorMessage(szMessage, sizeof(szMessage));
        strError = szMessage;
        return FALSE;
    }
    try
    {
        file.Write(&bytes[0], (UINT)bytes.size());
        file.Close();
        return TRUE;
    }
    catch (CException* e)
    {
        char szMessage[512];
        e->GetErrorMessage(szMessage, sizeof(szMessage));
        e->Delete();
        strError = szMessage;
    }
    file.Abort();
    ::DeleteFileA(pszPath);
    return FALSE;
}

} // namespace

BOOL WriteSheetPdf(const CSheet& sheet, LPCSTR pszPath, CString& strError)
{
    PdfErrorState state = { HPDF_OK, 0 };
    HPDF_Doc pdf = HPDF_New(RecordPdfError, &state);
    if (pdf == NULL)
    {
        strError = PdfErrorText(state);
        return FALSE;
    }
    std::vector<BYTE> bytes;
    BOOL bBuilt = DrawSheet(sheet, pdf, state) && ReadPdfBytes(pdf, bytes);
    if (!bBuilt && state.nError != HPDF_OK)
        strError = PdfErrorText(state);
    else if (!bBuilt)
        strError = "PDF library error: the document could not be produced.";
    HPDF_Free(pdf);
    return bBuilt && WriteFileBytes(pszPath, bytes, strError);
}
