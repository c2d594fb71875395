// A picture cell holding a picture of one colour, for the drawing tests.
#pragma once

#include <string.h>

#include "sheet/Cell.h"
#include "sheet/PictureBlock.h"

namespace sheettest
{

// A cx by cy 24-bit picture of colour cr in a picture cell with
// background crBack and no left or top edge.
inline CCell SolidPictureCell(const RECT& rc, int cx, int cy, COLORREF cr, COLORREF crBack)
{
    CCell cell;
    cell.SetType(CELL_PICTURE);
    cell.m_rect = rc;
    cell.m_crBack = crBack;
    cell.m_nLeftEdge = cell.m_nTopEdge = CELL_LINE_NONE;
    DWORD cbStride = ((DWORD)cx * 3 + 3) & ~3u;
    cell.m_hDibInfo = PictureBlockAlloc(sizeof(BITMAPINFOHEADER));
    cell.m_hDibBits = PictureBlockAlloc(cbStride * cy);
    BITMAPINFOHEADER* pbih = (BITMAPINFOHEADER*)cell.m_hDibInfo;
    memset(pbih, 0, sizeof(*pbih));
    pbih->biSize = sizeof(*pbih);
    pbih->biWidth = cx;
    pbih->biHeight = cy;
    pbih->biPlanes = 1;
    pbih->biBitCount = 24;
    pbih->biSizeImage = cbStride * cy;
    BYTE* pRow = (BYTE*)cell.m_hDibBits;
    for (int y = 0; y < cy; ++y, pRow += cbStride)
        for (int x = 0; x < cx; ++x)
        {
            pRow[3 * x] = GetBValue(cr);
            pRow[3 * x + 1] = GetGValue(cr);
            pRow[3 * x + 2] = GetRValue(cr);
        }
    return cell;
}

} // namespace sheettest
