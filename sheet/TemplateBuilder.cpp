#include "sheet/TemplateBuilder.h"

#include <stdlib.h>
#include <string.h>

namespace
{

const char kTitleFont[] = "MS Sans Serif";
const LONG kTitleFontHeight = -27;
const char kEmptyTitle[] = "Double click to input title.";

CString ItemPart(const CStringList& entries, int nIndex, BOOL bWantCode)
{
    POSITION pos = entries.FindIndex(nIndex);
    if (pos == NULL)
        return CString();
    CString strEntry = entries.GetAt(pos);
    SplitItemEntry(strEntry, bWantCode);
    return strEntry;
}


// The layout of the item grid.
struct ItemGrid
{
    const CStringList* pDown;       // items that run down the rows
    const CStringList* pAcross;     // items that run across the columns
    BOOL bRowItemsDown;
    int nDown;                      // A
    int nAcross;                    // B
    int nGroups;                    // g
    int nRowsPerGroup;              // P
    int nNameWidth;
    int nDataWidth;

    int GroupWidth() const { return ITEM_CODE_WIDTH + nNameWidth + nAcross * nDataWidth; }
};

// Cells from index 7, group by group; returns the index after the last.
int AddItemGridCells(CSheet& sheet, const ItemGrid& grid)
{
    int n = 7;
    LONG nTab = 1;
    const int nCols = grid.nAcross + 2;
    for (int t = 0; t < grid.nGroups; ++t)
    {
        const int x0 = t * grid.GroupWidth();
        const int nFirstCol = nCols * t;
        const int xData = x0 + ITEM_CODE_WIDTH + grid.nNameWidth;
        const int yTop = ITEM_HEADING_TOP;
        const int yRows = ITEM_HEADING_TOP + GRID_CELL_HEIGHT;

        PlaceCell(sheet, n++, 2, nFirstCol, CELL_NORMAL, x0, yTop, x0 + ITEM_CODE_WIDTH,
                  yTop + GRID_CELL_HEIGHT);
        PlaceCell(sheet, n++, 2, nFirstCol + 1, CELL_NORMAL, x0 + ITEM_CODE_WIDTH, yTop, xData,
                  yTop + GRID_CELL_HEIGHT);
        for (int j = 0; j < grid.nAcross; ++j)
        {
            int x = xData + j * grid.nDataWidth;
            PlaceCell(sheet, n, 2, nFirstCol + 2 + j, CELL_TEXT, x, yTop, x + grid.nDataWidth,
                      yTop + GRID_CELL_HEIGHT);
            sheet.m_cells[n].m_strValue = ItemPart(*grid.pAcross, j, FALSE);
            if (j == grid.nAcross - 1)
                sheet.m_cells[n].m_nRightEdge = CELL_LINE_THIN;
            ++n;
        }

        for (int k = 0; k < grid.nRowsPerGroup; ++k)
        {
            const int nItem = t * grid.nRowsPerGroup + k;
            const BOOL bItem = nItem < grid.nDown;
            const int y = yRows + GRID_CELL_HEIGHT * k;
            const int nRow = k + 3;
            const int nFirstOfRow = n;

            PlaceCell(sheet, n, nRow, nFirstCol, bItem ? CELL_TEXT : CELL_NORMAL, x0, y,
                      x0 + ITEM_CODE_WIDTH, y + GRID_CELL_HEIGHT);
            if (bItem)
                sheet.m_cells[n].m_strValue = ItemPart(*grid.pDown, nItem, TRUE);
            ++n;
            PlaceCell(sheet, n, nRow, nFirstCol + 1, bItem ? CELL_TEXT : CELL_NORMAL,
                      x0 + ITEM_CODE_WIDTH, y, xData, y + GRID_CELL_HEIGHT);
            if (bItem)
                sheet.m_cells[n].m_strValue = ItemPart(*grid.pDown, nItem, FALSE);
            ++n;
            CString strDownCode = ItemPart(*grid.pDown, nItem, TRUE);
            for (int j = 0; j < grid.nAcross; ++j)
            {
                int x = xData + j * grid.nDataWidth;
                PlaceCell(sheet, n, nRow, nFirstCol + 2 + j, bItem ? CELL_NUMERIC : CELL_NORMAL,
                          x, y, x + grid.nDataWidth, y + GRID_CELL_HEIGHT);
                if (bItem)
                {
                    CCell& cell = sheet.m_cells[n];
                    CString strAcrossCode = ItemPart(*grid.pAcross, j, TRUE);
                    LPCSTR pszRow = grid.bRowItemsDown ? strDownCode : strAcrossCode;
                    LPCSTR pszCol = grid.bRowItemsDown ? strAcrossCode : strDownCode;
                    CopyCode(cell.m_szRowItemCode, sizeof(cell.m_szRowItemCode), pszRow);
                    CopyCode(cell.m_szColItemCode, sizeof(cell.m_szColItemCode), pszCol);
                    cell.m_nTabIndex = nTab++;
                }
                ++n;
            }
            sheet.m_cells[n - 1].m_nRightEdge = CELL_LINE_THIN;
            if (k == grid.nRowsPerGroup - 1)
                for (int i = nFirstOfRow; i < n; ++i)
                    sheet.m_cells[i].m_nBottomEdge = CELL_LINE_THIN;
        }
    }
    return n;
}

// The row number at the end of a cell name (A12 gives 12).
int NameRowNumber(const CString& strName)
{
    int i = strName.GetLength();
    while (i > 0 && strName[i - 1] >= '0' && strName[i - 1] <= '9')
        --i;
    return atoi((LPCSTR)strName + i);
}

} // namespace

CNewTemplateFields::CNewTemplateFields()
    : nReportType(0), nRows(0), nCols(0), bByItems(FALSE), bItemsDown(TRUE), nGroups(1)
{
}

CString MakeCellName(int nRow, int nCol)
{
    char szLetters[16];
    int nPos = (int)sizeof(szLetters) - 1;
    szLetters[nPos] = '\0';
    for (unsigned n = (unsigned)nCol + 1; n > 0 && nPos > 0; n = (n - 1) / 26)
        szLetters[--nPos] = (char)('A' + (n - 1) % 26);
    CString strName;
    strName.Format("%s%d", szLetters + nPos, nRow + 1);
    return strName;
}

void MakeCellName(int nRow, int nCol, CCell& cell)
{
    cell.m_strName = MakeCellName(nRow, nCol);
}

void SetNewTemplateHeader(CSheet& sheet, const CNewTemplateFields& fields, LONG nKind)
{
    sheet.m_wMagic = SHEET_MAGIC;
    sheet.m_wVersion = SHEET_VERSION;
    sheet.m_nKind = nKind;
    sheet.m_nReportType = fields.nReportType;
    sheet.m_nHeaderWord1 = 0;
    sheet.m_nHeaderWord2 = 0;
    SetHeaderTexts(sheet, fields);
}

void SetHeaderTexts(CSheet& sheet, const CNewTemplateFields& fields)
{
    CopyCode(sheet.m_szTitle, sizeof(sheet.m_szTitle), fields.strName);
    CopyCode(sheet.m_szCode, sizeof(sheet.m_szCode), fields.strCode);
    CopyCode(sheet.m_szVersion, sizeof(sheet.m_szVersion), fields.strVersion);
    CopyCode(sheet.m_szDesignCompany, sizeof(sheet.m_szDesignCompany), fields.strCompany);
    CopyCode(sheet.m_szCompanyCode, sizeof(sheet.m_szCompanyCode), fields.strCompanyCode);
    CopyCode(sheet.m_szDesigner, sizeof(sheet.m_szDesigner), fields.strDesigner);
    CopyCode(sheet.m_szDesignDate, sizeof(sheet.m_szDesignDate), fields.strDesignDate);
}

void BuildTextGrid(CSheet& sheet, int nRows, int nCols)
{
    sheet.DeleteAllUndoActions();
    sheet.RemoveAllCells();
    if (nRows <= 0 || nCols <= 0)
        return;
    sheet.m_cells.SetSize((INT_PTR)nRows * nCols);
    for (int r = 0; r < nRows; ++r)
    {
        for (int c = 0; c < nCols; ++c)
        {
            int n = r * nCols + c;
            PlaceCell(sheet, n, r, c, CELL_TEXT, GRID_CELL_WIDTH * c, GRID_CELL_HEIGHT * r,
                      GRID_CELL_WIDTH * c + GRID_CELL_WIDTH, GRID_CELL_HEIGHT * r + GRID_CELL_HEIGHT);
            if (c == nCols - 1)
                sheet.m_cells[n].m_nRightEdge = CELL_LINE_THIN;
            if (r == nRows - 1)
                sheet.m_cells[n].m_nBottomEdge = CELL_LINE_THIN;
        }
    }
}

int MaxItemTextWidth(const CStringList& entries, CTextMeasure& measure)
{
    int nWidth = MIN_ITEM_TEXT_WIDTH;
    for (POSITION pos = entries.GetHeadPosition(); pos != NULL;)
    {
        CString strName = entries.GetNext(pos);
        SplitItemEntry(strName, FALSE);
        int n = measure.TextWidth(strName) + 2 * ITEM_TEXT_MARGIN;
        if (n > nWidth)
            nWidth = n;
    }
    return nWidth;
}

void BuildItemTemplate(CSheet& sheet, BOOL bItemsDown, int nGroups, CTextMeasure& measure)
{
    ItemGrid grid;
    grid.bRowItemsDown = bItemsDown;
    grid.pDown = bItemsDown ? &sheet.m_lstWizRowItems : &sheet.m_lstWizColItems;
    grid.pAcross = bItemsDown ? &sheet.m_lstWizColItems : &sheet.m_lstWizRowItems;
    grid.nDown = grid.pDown->GetCount() > 0 ? (int)grid.pDown->GetCount() : 1;
    grid.nAcross = grid.pAcross->GetCount() > 0 ? (int)grid.pAcross->GetCount() : 1;
    grid.nGroups = nGroups < 1 ? 1 : (nGroups < grid.nDown ? nGroups : grid.nDown);
    grid.nRowsPerGroup = (grid.nDown + grid.nGroups - 1) / grid.nGroups;
    grid.nNameWidth = MaxItemTextWidth(*grid.pDown, measure);
    grid.nDataWidth = MaxItemTextWidth(*grid.pAcross, measure);
    const int nWidth = grid.nGroups * grid.GroupWidth();
    const int nTotal = (grid.nRowsPerGroup + 1) * (grid.nAcross + 2) * grid.nGroups + 13;

    sheet.DeleteAllUndoActions();
    sheet.RemoveAllCells();
    sheet.m_cells.SetSize(nTotal);
    AddDefaultHeaderCells(sheet, nWidth);
    AddItemGridCells(sheet, grid);
    AddDefaultFooterCells(sheet, nWidth, nTotal);
}

void PlaceCell(CSheet& sheet, int nIndex, int nRow, int nCol, int nType,
               int left, int top, int right, int bottom)
{
    CCell& cell = sheet.m_cells[nIndex];
    cell.m_pSheet = &sheet;
    cell.SetType(nType);
    cell.m_nTabIndex = 0;
    SetRect(&cell.m_rect, left, top, right, bottom);
    MakeCellName(nRow, nCol, cell);
}

void ClearEdges(CCell& cell)
{
    cell.m_nLeftEdge = cell.m_nRightEdge = cell.m_nTopEdge = cell.m_nBottomEdge = CELL_LINE_NONE;
}

void PlaceTitleCell(CSheet& sheet, int nWidth)
{
    PlaceCell(sheet, 0, 0, 0, CELL_TEXT, 0, 0, nWidth, TITLE_CELL_HEIGHT);
    CCell& title = sheet.m_cells[0];
    title.m_strValue = sheet.m_szTitle[0] != '\0' ? sheet.m_szTitle : kEmptyTitle;
    CopyCode(title.m_logFont.lfFaceName, sizeof(title.m_logFont.lfFaceName), kTitleFont);
    title.m_logFont.lfHeight = kTitleFontHeight;
    ClearEdges(title);
}

void AddDefaultHeaderCells(CSheet& sheet, int nWidth)
{
    const int W = nWidth;
    PlaceTitleCell(sheet, W);

    static const int anType[6] = { CELL_TEXT, CELL_ORGAN, CELL_TEXT, CELL_ORGANCODE,
                                   CELL_TEXT, CELL_REPORTDATE };
    static const char* const apszLabel[6] = { "Organ Name:", NULL, "Organ Code:", NULL,
                                              "Report Date:", NULL };
    const int anLeft[7] = { 0, W / 6, W / 3, W / 2, 2 * W / 3, 5 * W / 6, W };
    for (int i = 0; i < 6; ++i)
    {
        PlaceCell(sheet, i + 1, 1, i, anType[i], anLeft[i], TITLE_CELL_HEIGHT, anLeft[i + 1],
                  NEW_HEADER_BAND);
        CCell& cell = sheet.m_cells[i + 1];
        if (apszLabel[i] != NULL)
            cell.m_strValue = apszLabel[i];
        ClearEdges(cell);
    }
    sheet.m_nHeaderBand = NEW_HEADER_BAND;
}

void AddDefaultFooterCells(CSheet& sheet, int nWidth, int nTotal)
{
    const CCell& before = sheet.m_cells[nTotal - 7];
    const int y0 = before.m_rect.bottom;
    const int nRow = NameRowNumber(before.m_strName);   // the footer's row is one more
    static const char* const apszLabel[6] = { "Editor:", NULL, "Assessor:", NULL,
                                              "Fill Date:", NULL };
    for (int k = 0; k < 6; ++k)
    {
        int n = nTotal - 6 + k;
        // Each cell ends where the next begins, as the header's do: a width
        // that six does not divide leaves no gap and no short last cell.
        PlaceCell(sheet, n, nRow, k, CELL_TEXT, k * nWidth / 6, y0, (k + 1) * nWidth / 6,
                  y0 + GRID_CELL_HEIGHT);
        CCell& cell = sheet.m_cells[n];
        ClearEdges(cell);
        if (apszLabel[k] != NULL)
            cell.m_strValue = apszLabel[k];
        else
            cell.m_bDynamic = 1;
    }
    sheet.m_nTailBand = NEW_TAIL_BAND;
}
