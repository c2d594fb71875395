// Paints cells of one sheet into one DC for the length of a paint.
#pragma once

#include "sheet/Cell.h"

class CBorderGuides;
class CDC;
class CSheet;

// Draws cells as CSheet::DrawCell and DrawCellBorder do, but makes each
// distinct font and pen once, when a cell first needs it, and leaves it
// selected while the next cells share it.  At the end the DC's own font
// and pen are selected back and the made ones deleted.  Fonts and pens take
// their device size when selected, so the DC's mapping must stay as it is
// while the painter lives.
class CCellPainter
{
public:
    CCellPainter(const CSheet& sheet, CDC* pDC);
    ~CCellPainter();
    CCellPainter(const CCellPainter&) = delete;
    CCellPainter& operator=(const CCellPainter&) = delete;

    // Background, then the text of the display mode or the picture.
    void DrawCell(const CCell& cell);
    // Edges and diagonals; bGuides draws dotted grey lines along the right
    // and bottom sides where no border of the sheet's cells lies.
    void DrawCellBorder(const CCell& cell, BOOL bGuides);

private:
    struct FontSlot
    {
        LOGFONTA lf;
        HGDIOBJ hObject;
    };
    struct PenSlot
    {
        int nStyle;
        int nWidth;
        COLORREF cr;
        HGDIOBJ hObject;
    };
    // Made objects kept at once; past that, a new one takes the slot of
    // one not selected.
    enum { kSlots = 8 };

    BOOL SelectFont(const LOGFONTA& lf);
    BOOL SelectPen(int nStyle, int nWidth, COLORREF cr);
    BOOL SelectSlot(HGDIOBJ hObject, int nSlot, int& nSelected, HGDIOBJ& hOwn);
    void DrawLine(int nPenStyle, int nWidth, COLORREF cr, int x1, int y1, int x2, int y2);
    void DrawEdge(BYTE nStyle, COLORREF cr, int x1, int y1, int x2, int y2, int dx, int dy);
    void DrawDiagonal(BYTE nStyle, COLORREF cr, int x1, int y1, int x2, int y2);
    void DrawGuides(const CCell& cell, BOOL bRight, int nAt);

    const CSheet& m_sheet;
    CDC* m_pDC;
    FontSlot m_fonts[kSlots];
    PenSlot m_pens[kSlots];
    int m_nFonts;
    int m_nPens;
    int m_nFont;                    // slot of the selected font; -1: the DC's own
    int m_nPen;
    int m_nNextFont;                // slot a new font takes once all are used
    int m_nNextPen;
    HGDIOBJ m_hOwnFont;             // the DC's font and pen before the first cell's
    HGDIOBJ m_hOwnPen;
    CBorderGuides* m_pGuides;       // owned; made for the first guide
};
