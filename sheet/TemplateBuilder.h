// The first content of a new template: a plain grid of text cells, or the
// default item template (title and key cells, groups of item rows with
// their numeric cells, and a footer), built from the new-template choices.
#pragma once

#include "framework/core/String.h"
#include "sheet/Sheet.h"

// Geometry of generated templates, in sheet units.
#define GRID_CELL_WIDTH 80
#define GRID_CELL_HEIGHT 30
#define TITLE_CELL_HEIGHT 45
#define NEW_HEADER_BAND 75
#define NEW_TAIL_BAND 30
#define ITEM_HEADING_TOP 75
#define ITEM_CODE_WIDTH 80
#define MIN_ITEM_TEXT_WIDTH 80
// Room left between an item text and each side of its cell.
#define ITEM_TEXT_MARGIN 8

// Measures a text in the units of the sheet (the main window's font).
class CTextMeasure
{
public:
    virtual ~CTextMeasure() = default;
    virtual int TextWidth(LPCSTR pszText) = 0;
};

// What the Create Template wizard hands over.
struct CNewTemplateFields
{
    CNewTemplateFields();

    LONG nReportType;
    CString strName;
    CString strCode;
    CString strVersion;
    CString strCompany;
    CString strCompanyCode;
    CString strDesigner;
    CString strDesignDate;
    int nRows;
    int nCols;
    BOOL bByItems;          // "Create Default Template by Items"
    BOOL bItemsDown;        // row items run down the rows
    int nGroups;
};

// Column letters followed by the decimal of nRow + 1 (both from 0): A1,
// Z1, AA1, ..., ZZ1, AAA1.
CString MakeCellName(int nRow, int nCol);
void MakeCellName(int nRow, int nCol, CCell& cell);

// Magic, version, kind, type, cleared header words and the seven texts
// (each cut to its field).
void SetNewTemplateHeader(CSheet& sheet, const CNewTemplateFields& fields, LONG nKind);
// The seven texts alone, each cut to its field.
void SetHeaderTexts(CSheet& sheet, const CNewTemplateFields& fields);

// rows x columns text cells of 80 x 30, cell i = row x columns + column.
// The last column gets a thin right edge, the last row a thin bottom edge.
void BuildTextGrid(CSheet& sheet, int nRows, int nCols);

// The widest name part of the entries with ITEM_TEXT_MARGIN on each side,
// at least MIN_ITEM_TEXT_WIDTH.
int MaxItemTextWidth(const CStringList& entries, CTextMeasure& measure);

// The default item template from the sheet's two wizard item lists.  With
// bItemsDown the row items run down the rows, else the column items.  A
// group that runs out of items is filled with plain cells.
void BuildItemTemplate(CSheet& sheet, BOOL bItemsDown, int nGroups, CTextMeasure& measure);

// Cell nIndex as a fresh cell of a type at grid position (nRow, nCol) with
// tab index 0 and the given rectangle.
void PlaceCell(CSheet& sheet, int nIndex, int nRow, int nCol, int nType,
               int left, int top, int right, int bottom);
void ClearEdges(CCell& cell);
// Cell 0 as the title: nWidth wide, the sheet's title (or the prompt to
// type one) in the title font, no edges.
void PlaceTitleCell(CSheet& sheet, int nWidth);

// The parts of the item template (BuildItemTemplate sizes the array).
void AddDefaultHeaderCells(CSheet& sheet, int nWidth);
void AddDefaultFooterCells(CSheet& sheet, int nWidth, int nTotal);
