#include "sheet/CellPainter.h"

#include "framework/core/WideText.h"
#include "framework/windows/CodePageFont.h"
#include "framework/windows/Dc.h"
#include "framework/windows/ScopedGdi.h"
#include "sheet/BorderGuides.h"
#include "sheet/CellDraw.h"
#include "sheet/Sheet.h"

namespace {

// The face a printed cell takes when its own is not TrueType.
const char kPrintSubstituteFace[] = "Arial";

// Whether the system draws the font with a TrueType face, judged on a
// memory DC so that no printer driver sees the font first.
BOOL IsTrueTypeFont(HFONT hFont)
{
    CScopedMemoryDC dc(NULL);
    if (dc.Get() == NULL)
        return FALSE;
    CScopedSelectObject select(dc.Get(), hFont);
    TEXTMETRICA tm = {};
    return ::GetTextMetricsA(dc.Get(), &tm) && (tm.tmPitchAndFamily & TMPF_TRUETYPE);
}

// The slot for a new object: the next unused one, else the next one whose
// object is not selected, after deleting that object.
template<class Slot>
int TakeSlot(Slot* pSlots, int& nUsed, int nSelected, int& nNext, int nSlots)
{
    if (nUsed < nSlots)
        return nUsed++;
    if (nNext == nSelected)
        nNext = (nNext + 1) % nSlots;
    int n = nNext;
    nNext = (nNext + 1) % nSlots;
    ::DeleteObject(pSlots[n].hObject);
    pSlots[n].hObject = NULL;
    return n;
}

} // namespace

CCellPainter::CCellPainter(const CSheet& sheet, CDC* pDC)
    : m_sheet(sheet), m_pDC(pDC), m_nFonts(0), m_nPens(0), m_nFont(-1), m_nPen(-1),
      m_nNextFont(0), m_nNextPen(0), m_hOwnFont(NULL), m_hOwnPen(NULL), m_pGuides(NULL)
{
}

CCellPainter::~CCellPainter()
{
    if (m_nFont >= 0)
        ::SelectObject(m_pDC->m_hDC, m_hOwnFont);
    if (m_nPen >= 0)
        ::SelectObject(m_pDC->m_hDC, m_hOwnPen);
    for (int i = 0; i < m_nFonts; ++i)
        ::DeleteObject(m_fonts[i].hObject);
    for (int i = 0; i < m_nPens; ++i)
        ::DeleteObject(m_pens[i].hObject);
    delete m_pGuides;
}

void CCellPainter::DrawCell(const CCell& cell)
{
    m_pDC->FillSolidRect(&cell.m_rect, cell.m_crBack);
    if (m_sheet.m_nDisplayMode == DISPLAY_NORMAL && cell.m_nType == CELL_PICTURE)
    {
        m_sheet.DrawPicture(m_pDC, cell);
        return;
    }
    CString strText = m_sheet.GetDisplayText(cell);
    if (strText.IsEmpty())
        return;
    // A text of another code page asks for a face that has its characters.
    UINT nCodePage = CellTextCodePage(m_sheet, cell);
    LOGFONTA lf = cell.m_logFont;
    AfxFitFontToCodePage(lf, nCodePage);
    if (!SelectFont(lf))
        return;
    m_pDC->SetTextColor(cell.m_crText);
    m_pDC->SetBkMode(TRANSPARENT);
    CWideText text(strText, strText.GetLength(), nCodePage);
    POINT pt = CellTextOrigin(cell, m_pDC->GetTextExtent(text.GetString(), text.GetLength()));

    // Clipped to the cell by the call itself: cheaper than a clip region per cell.
    m_pDC->ExtTextOut(pt.x, pt.y, ETO_CLIPPED, &cell.m_rect, text.GetString(), text.GetLength(),
                      NULL);
}

void CCellPainter::DrawCellBorder(const CCell& cell, BOOL bGuides)
{
    const RECT& rc = cell.m_rect;
    // Inside the sheet the right and bottom edges lie on the cell's last
    // unit; on the sheet's outer edge they lie just outside it.
    int xRight = rc.right == m_sheet.m_rcBounds.right ? rc.right : rc.right - 1;
    int yBottom = rc.bottom == m_sheet.m_rcBounds.bottom ? rc.bottom : rc.bottom - 1;

    // Guides first: their ends meet the cell's own edges at the corners.
    if (bGuides)
    {
        DrawGuides(cell, TRUE, xRight);
        DrawGuides(cell, FALSE, yBottom);
    }
    DrawEdge(cell.m_nLeftEdge, cell.m_crLeftEdge, rc.left, rc.top, rc.left, rc.bottom, 1, 0);
    DrawEdge(cell.m_nTopEdge, cell.m_crTopEdge, rc.left, rc.top, rc.right, rc.top, 0, 1);
    DrawEdge(cell.m_nRightEdge, cell.m_crRightEdge, xRight, rc.top, xRight, rc.bottom, -1, 0);
    DrawEdge(cell.m_nBottomEdge, cell.m_crBottomEdge, rc.left, yBottom, rc.right, yBottom, 0, -1);
    DrawDiagonal(cell.m_nDiagDown, cell.m_crDiagDown, rc.left, rc.top, rc.right, rc.bottom);
    DrawDiagonal(cell.m_nDiagUp, cell.m_crDiagUp, rc.left, rc.bottom, rc.right, rc.top);
}

BOOL CCellPainter::SelectFont(const LOGFONTA& lf)
{
    if (m_nFont >= 0 && IsSameFont(m_fonts[m_nFont].lf, lf))
        return TRUE;
    int n = 0;
    while (n < m_nFonts && !IsSameFont(m_fonts[n].lf, lf))
        ++n;
    if (n == m_nFonts)
    {
        HFONT hFont = ::CreateFontIndirectA(&lf);
        if (hFont == NULL)
            return FALSE;
        if (m_pDC->IsPrinting() && !IsTrueTypeFont(hFont))
        {
            // The printer driver fails on other outline faces: a template
            // made elsewhere prints in the TrueType face standing for it.
            LOGFONTA lfPrint = lf;
            lstrcpynA(lfPrint.lfFaceName, kPrintSubstituteFace, LF_FACESIZE);
            ::DeleteObject(hFont);
            hFont = ::CreateFontIndirectA(&lfPrint);
            if (hFont == NULL)
                return FALSE;
        }
        n = TakeSlot(m_fonts, m_nFonts, m_nFont, m_nNextFont, kSlots);
        m_fonts[n].lf = lf;
        m_fonts[n].hObject = hFont;
    }
    return SelectSlot(m_fonts[n].hObject, n, m_nFont, m_hOwnFont);
}

BOOL CCellPainter::SelectPen(int nStyle, int nWidth, COLORREF cr)
{
    int n = 0;
    while (n < m_nPens
           && (m_pens[n].nStyle != nStyle || m_pens[n].nWidth != nWidth || m_pens[n].cr != cr))
        ++n;
    if (n == m_nPen)
        return TRUE;
    if (n == m_nPens)
    {
        HPEN hPen = ::CreatePen(nStyle, nWidth, cr);
        if (hPen == NULL)
            return FALSE;
        n = TakeSlot(m_pens, m_nPens, m_nPen, m_nNextPen, kSlots);
        m_pens[n].nStyle = nStyle;
        m_pens[n].nWidth = nWidth;
        m_pens[n].cr = cr;
        m_pens[n].hObject = hPen;
    }
    return SelectSlot(m_pens[n].hObject, n, m_nPen, m_hOwnPen);
}

// Selects the object of slot nSlot; the first selection keeps the DC's own
// object in hOwn, to be selected back at the end.
BOOL CCellPainter::SelectSlot(HGDIOBJ hObject, int nSlot, int& nSelected, HGDIOBJ& hOwn)
{
    HGDIOBJ hOld = ::SelectObject(m_pDC->m_hDC, hObject);
    if (hOld == NULL || hOld == HGDI_ERROR)
        return FALSE;
    if (nSelected < 0)
        hOwn = hOld;
    nSelected = nSlot;
    return TRUE;
}

// One straight line in the pen of that look.
void CCellPainter::DrawLine(int nPenStyle, int nWidth, COLORREF cr, int x1, int y1, int x2,
                            int y2)
{
    if (!SelectPen(nPenStyle, nWidth, cr))
        return;
    m_pDC->MoveTo(x1, y1);
    m_pDC->LineTo(x2, y2);
}

// An edge from (x1, y1) to (x2, y2) in line style nStyle.  A thick edge is
// three one-unit lines stepping (dx, dy) into the cell.
void CCellPainter::DrawEdge(BYTE nStyle, COLORREF cr, int x1, int y1, int x2, int y2, int dx,
                            int dy)
{
    switch (nStyle)
    {
    case CELL_LINE_THIN:
        DrawLine(PS_SOLID, 1, cr, x1, y1, x2, y2);
        break;
    case CELL_LINE_THICK:
        for (int i = 0; i < 3; ++i)
            DrawLine(PS_SOLID, 1, cr, x1 + i * dx, y1 + i * dy, x2 + i * dx, y2 + i * dy);
        break;
    case CELL_LINE_DOT:
        DrawLine(PS_DOT, 1, cr, x1, y1, x2, y2);
        break;
    case CELL_LINE_DASHDOT:
        DrawLine(PS_DASHDOT, 1, cr, x1, y1, x2, y2);
        break;
    default:
        break;
    }
}

// A diagonal: as an edge, except that thick is one line of pen width 3.
void CCellPainter::DrawDiagonal(BYTE nStyle, COLORREF cr, int x1, int y1, int x2, int y2)
{
    if (nStyle == CELL_LINE_THICK)
        DrawLine(PS_SOLID, 3, cr, x1, y1, x2, y2);
    else
        DrawEdge(nStyle, cr, x1, y1, x2, y2, 0, 0);
}

// The dotted guides of the cell's right side (bRight, at x nAt) or bottom
// side (at y nAt).
void CCellPainter::DrawGuides(const CCell& cell, BOOL bRight, int nAt)
{
    if (m_pGuides == NULL)
        m_pGuides = new CBorderGuides(m_sheet);
    const COLORREF cr = ::GetSysColor(COLOR_GRAYTEXT);
    for (const CBorderGuides::Span& span : m_pGuides->GuideSpans(cell, bRight))
    {
        if (bRight)
            DrawLine(PS_DOT, 1, cr, nAt, span.first, nAt, span.second);
        else
            DrawLine(PS_DOT, 1, cr, span.first, nAt, span.second, nAt);
    }
}
