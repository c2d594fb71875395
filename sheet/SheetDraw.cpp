#include "sheet/Sheet.h"
#include "sheet/CellDraw.h"
#include "sheet/CellPainter.h"
#include "sheet/PeriodText.h"

#include <stdlib.h>
#include <string.h>

#include "framework/windows/Dc.h"

namespace {

// Distance of the text from the cell's edges, in sheet units.
const int kTextInset = 3;

const char* const kTypeNames[] = { "Normal", "Text",    "Data",    "Report Organ",
                                   "Organ Code", "Report Date", "Formula", "Picture" };

// A fixed code field as text: it may lack its terminator.
CString CodeText(const char* pszField, size_t cchField)
{
    return CString(pszField, (int)strnlen(pszField, cchField));
}

// The text of a cell in the normal display mode.
CString NormalText(const CSheet& sheet, const CCell& cell)
{
    switch (cell.m_nType)
    {
    case CELL_TEXT:
        return cell.m_strValue;
    case CELL_NUMERIC:
    {
        if (sheet.m_bDesignMode)
            return CString();
        CString strText(cell.m_strValue);
        if (cell.m_nValueType == 0)
            CSheet::FormatNumber(cell, strText);
        return strText;
    }
    case CELL_ORGAN:
    case CELL_ORGANCODE:
    case CELL_FORMULA:
        return sheet.m_bDesignMode ? CString() : cell.m_strValue;
    case CELL_REPORTDATE:
    {
        CString strCode = CodeText(cell.m_szDateCode, sizeof(cell.m_szDateCode));
        if (sheet.m_bDesignMode || strCode.IsEmpty())
            return CString();
        return PeriodCodeToText(strCode, sheet.m_nReportType, cell.m_nDateStyle);
    }
    default:
        return CString();
    }
}

} // namespace

CString CSheet::GetContentText(const CCell& cell) const
{
    return NormalText(*this, cell);
}

CString CSheet::GetDisplayText(const CCell& cell) const
{
    CString strText;
    switch (m_nDisplayMode)
    {
    case DISPLAY_NORMAL:
        return GetContentText(cell);
    case DISPLAY_CELLNAME:
        return cell.m_strName;
    case DISPLAY_TABINDEX:
        strText.Format("%d", (int)cell.m_nTabIndex);
        return strText;
    case DISPLAY_CELLTYPE:
        if (cell.m_nType >= CELL_NORMAL && cell.m_nType <= CELL_PICTURE)
            strText = kTypeNames[cell.m_nType];
        return strText;
    case DISPLAY_ITEM:
        if (cell.m_nType == CELL_NUMERIC)
            strText = CodeText(cell.m_szRowItemCode, sizeof(cell.m_szRowItemCode));
        return strText;
    case DISPLAY_COLITEM:
        if (cell.m_nType == CELL_NUMERIC)
            strText = CodeText(cell.m_szColItemCode, sizeof(cell.m_szColItemCode));
        return strText;
    default:
        return strText;
    }
}

void CSheet::DrawCell(CDC* pDC, const CCell& cell) const
{
    CCellPainter(*this, pDC).DrawCell(cell);
}

void CSheet::DrawCellBorder(CDC* pDC, const CCell& cell, BOOL bGuides) const
{
    CCellPainter(*this, pDC).DrawCellBorder(cell, bGuides);
}

void CSheet::DrawPicture(CDC* pDC, const CCell& cell) const
{
    // A header or pixel block that does not fit its own description (a
    // damaged template) is never handed to GDI.
    if (!cell.IsPictureValid())
        return;
    const BITMAPINFO* pInfo = (const BITMAPINFO*)cell.m_hDibInfo;
    RECT rcDest = cell.m_rect;
    RECT rcSource = { 0, 0, pInfo->bmiHeader.biWidth, (LONG)abs(pInfo->bmiHeader.biHeight) };
    FitPictureRect(cell, rcDest, rcSource);
    pDC->StretchDIBits(rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                       rcDest.bottom - rcDest.top, rcSource.left, rcSource.top,
                       rcSource.right - rcSource.left, rcSource.bottom - rcSource.top,
                       cell.m_hDibBits, pInfo, DIB_RGB_COLORS, SRCCOPY);
}

UINT CellTextCodePage(const CSheet& sheet, const CCell& cell)
{
    if (sheet.m_nDisplayMode == DISPLAY_NORMAL && cell.m_nType == CELL_REPORTDATE)
        return PeriodTextCodePage(sheet.m_nReportType);
    return CP_ACP;
}

POINT CellTextOrigin(const CCell& cell, SIZE sizeText)
{
    const RECT& rc = cell.m_rect;
    POINT pt;
    switch (cell.m_nHAlign)
    {
    case CELL_ALIGN_LEFT:
        pt.x = rc.left + kTextInset;
        break;
    case CELL_ALIGN_RIGHT:
        pt.x = rc.right - sizeText.cx - kTextInset;
        break;
    default:
        pt.x = (rc.right - sizeText.cx + rc.left) / 2;
        break;
    }
    switch (cell.m_nVAlign)
    {
    case CELL_ALIGN_TOP:
        pt.y = rc.top + kTextInset;
        break;
    case CELL_ALIGN_BOTTOM:
        pt.y = rc.bottom - sizeText.cy - kTextInset;
        break;
    default:
        pt.y = (rc.bottom - sizeText.cy + rc.top) / 2;
        break;
    }
    return pt;
}

void DrawFocusFrame(CDC* pDC, const CCell& cell)
{
    RECT rc = { cell.m_rect.left + 1, cell.m_rect.top + 1, cell.m_rect.right, cell.m_rect.bottom };
    for (int i = 0; i < 3; ++i)
    {
        pDC->DrawFocusRect(&rc);
        ::InflateRect(&rc, -1, -1);
    }
}

void FitPictureRect(const CCell& cell, RECT& rcDest, RECT& rcSource)
{
    if (cell.m_hDibInfo == NULL || cell.m_hDibBits == NULL || cell.m_bStretch)
        return;
    int cxCell = rcDest.right - rcDest.left;
    int cyCell = rcDest.bottom - rcDest.top;
    int cxPicture = rcSource.right - rcSource.left;
    int cyPicture = rcSource.bottom - rcSource.top;
    int cx = cxPicture < cxCell ? cxPicture : cxCell;
    int cy = cyPicture < cyCell ? cyPicture : cyCell;

    int x = rcDest.left;
    if (cell.m_nHAlign == CELL_ALIGN_RIGHT)
        x += cxCell - cx;
    else if (cell.m_nHAlign == CELL_ALIGN_MIDDLE)
        x += (cxCell - cx) / 2;
    int y = rcDest.top;
    if (cell.m_nVAlign == CELL_ALIGN_BOTTOM)
        y += cyCell - cy;
    else if (cell.m_nVAlign == CELL_ALIGN_CENTER)
        y += (cyCell - cy) / 2;

    ::SetRect(&rcDest, x, y, x + cx, y + cy);
    ::SetRect(&rcSource, 0, 0, cx, cy);
}
