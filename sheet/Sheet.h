// The sheet of a template: header fields, cells, the lists that travel with
// the template, the selection, the bands and the undo list.  A plain member
// of the document, never copied.
#pragma once

#include "framework/core/String.h"
#include "framework/core/Array.h"
#include "framework/core/List.h"
#include "sheet/Cell.h"

class CUndoAction;
class CDC;

#define SHEET_MAGIC 0x4654
#define SHEET_VERSION 0x0303

#define SHEET_TITLE_LEN 256          // 255 characters and the terminator
#define SHEET_CODE_LEN 9
#define SHEET_VERSIONTEXT_LEN 10
#define SHEET_DATE_LEN 14
#define SHEET_COMPANY_LEN 101        // 100 characters and the terminator
#define SHEET_DESIGNER_LEN 51

// Template kind of an analysis report, whose cells the database computes.
#define SHEET_KIND_ANALYSIS 2

// Results of CSheet::HitTestBorder.
enum
{
    HIT_VERTICAL_BORDER = 0,
    HIT_HORIZONTAL_BORDER = 1,
    HIT_NONE = -1,
    HIT_INSIDE_DATA = -2,
    HIT_INSIDE_OTHER = -3
};

// Display modes of the sheet.
enum
{
    DISPLAY_NORMAL = 0,
    DISPLAY_CELLNAME = 1,
    DISPLAY_TABINDEX = 2,
    DISPLAY_CELLTYPE = 3,
    DISPLAY_ITEM = 4,
    DISPLAY_COLITEM = 5
};

// Text of an item list entry ("code  name"): the code before the first
// space, or the name after it without leading spaces.  An entry without a
// space has no name: asking for the name gives an empty text.
void SplitItemEntry(CString& strEntry, BOOL bWantCode);

// Display text of a VARIANT, and "TRUE"/"FALSE".
CString VariantToText(const VARIANT& var);
CString BoolToText(int bValue);

class CSheet
{
public:
    CSheet();
    ~CSheet();

    // Reading order: TRUE when cell i does not come after cell j.
    BOOL CompareCells(int i, int j) const;
    void SwapCells(int i, int j);
    void SortCells();

    // Moves the tab stops between two tab indices by one (see the .cpp).
    void ShiftTabIndexes(int nFrom, int nTo);

    // Smallest rectangle holding the origin and every cell; unchanged
    // without cells.
    void UpdateBoundingRect();

    // Border class of a point in sheet units (HIT_...).
    int HitTestBorder(int x, int y) const;

    // First cell whose name equals strName exactly, or NULL.
    CCell* FindCellByName(LPCSTR pszName);

    // TRUE for a cell of an analysis report whose analysis formula (which
    // begins with "@") gives its value: the database computes it, nothing
    // is typed into it.
    BOOL IsComputedByDatabase(const CCell& cell) const;

    // Rewrites strText, a numeric cell's value text, by the cell's format.
    static void FormatNumber(const CCell& cell, CString& strText);

    // Drawing (SheetDraw.cpp), into a DC the view has prepared; a paint of
    // many cells draws them through one CCellPainter instead.
    // Background, then the text of the display mode or the picture.
    void DrawCell(CDC* pDC, const CCell& cell) const;
    // Edges and diagonals; bGuides draws dotted grey lines for missing
    // right and bottom edges.
    void DrawCellBorder(CDC* pDC, const CCell& cell, BOOL bGuides) const;
    // The picture of a picture cell that holds a valid one; else nothing.
    void DrawPicture(CDC* pDC, const CCell& cell) const;
    // The text DrawCell shows for the cell in the current display and
    // design/run mode; empty when it shows none.
    CString GetDisplayText(const CCell& cell) const;
    // The text the normal display mode shows for the cell in the current
    // design/run mode, whatever mode is displayed.
    CString GetContentText(const CCell& cell) const;

    // The current cell, or NULL when the index is out of range (an empty
    // sheet has none).
    CCell* GetCurCell();
    BOOL HasCurCell() const;
    // The cell of selection entry n, or NULL when it is out of range.
    CCell* GetSelectedCell(int n);
    // Drops selection entries and the current index that lie beyond the
    // cell array; an empty sheet ends with no selection and no current cell.
    void ValidateSelection();
    // Destroys every cell (releasing picture blocks), empties the
    // selection and the current cell.
    void RemoveAllCells();

    // Table operations (SheetTable.cpp)
    // Each returns TRUE when the sheet changed (a merge of fewer than two
    // cells: nothing to do) and FALSE when it refused, changing nothing.
    // With bRecordUndo the change becomes one undo record; without it the
    // undo list is dropped, since its records no longer fit the sheet.
    BOOL AddColumn(int x, int y, BOOL bRecordUndo = TRUE);
    BOOL AddRow(int x, int y, BOOL bRecordUndo = TRUE);
    BOOL DeleteColumns(int x, int y, BOOL bRecordUndo = TRUE);
    BOOL DeleteRow(int x, int y, BOOL bRecordUndo = TRUE);
    BOOL MergeCells(int x, int y, BOOL bRecordUndo = TRUE);
    BOOL SplitCell(int x, int y, int nRows, int nCols, BOOL bMergeFirst,
                   BOOL bRecordUndo = TRUE);
    // Column letters for a new column (empty without cells); the text after
    // the largest row number in use.  Both bounded and terminated.
    void NextColumnName(LPSTR pszBuf, int cchBuf) const;
    void NextRowNumber(LPSTR pszBuf, int cchBuf) const;
    // Strips pszLetters of characters below 'A', then the largest row
    // number among the cells of exactly those letters (0 when none).
    void GetMaxRowOfColumn(LPSTR pszLetters, int& nMax) const;
    // Undo list (UndoAction.cpp)
    // Deletes the records behind the current position.
    void DiscardRedoActions();
    void DeleteAllUndoActions();
    // Discards the redo tail, appends the record (the sheet owns it) and
    // makes it the current position.
    void AddUndoAction(CUndoAction* pAction);
    // The record Undo would take back, and the one Redo would apply.
    CUndoAction* GetUndoAction() const;
    CUndoAction* GetRedoAction() const;
    BOOL CanUndo() const { return GetUndoAction() != NULL; }
    BOOL CanRedo() const { return GetRedoAction() != NULL; }
    // Apply one record and move the position; return it, or NULL when there
    // is nothing to do.  The caller sorts, recomputes the bounding rectangle
    // when the record's m_bRecomputeExtent is set, and redraws.
    CUndoAction* Undo();
    CUndoAction* Redo();
    // End of table operations

public:
    // Template header
    WORD m_wMagic;
    WORD m_wVersion;
    LONG m_nKind;
    LONG m_nReportType;
    char m_szTitle[SHEET_TITLE_LEN];
    char m_szCode[SHEET_CODE_LEN];
    char m_szVersion[SHEET_VERSIONTEXT_LEN];
    char m_szDesignDate[SHEET_DATE_LEN];
    char m_szDesignCompany[SHEET_COMPANY_LEN];
    char m_szCompanyCode[SHEET_CODE_LEN];
    char m_szDesigner[SHEET_DESIGNER_LEN];
    LONG m_nHeaderWord1;
    LONG m_nHeaderWord2;
    LONG m_nCellCount;

    CCellArray m_cells;
    CStringList m_lstCarried;
    CStringList m_lstBalance;

    // Analysis block
    BYTE m_bAnalysisFlag;
    LONG m_nAnAttrType;
    CStringList m_lstAnOrgans;
    CStringList m_lstAnProperties;
    CStringList m_lstAnTimes;
    CStringList m_lstAnRowItems;
    CStringList m_lstAnColItems;
    CStringList m_lstDimOuter;
    CStringList m_lstDimInner;

    LONG m_nHeaderBand;
    LONG m_nTailBand;

    // Page breaks and page settings of printing; the last four settings
    // are the margins in printer device units.
    LONG m_nPageLayout;
    CDWordArray m_arrBreaksA;       // row starts (y)
    CDWordArray m_arrBreaksB;       // column starts (x)
    DWORD m_dwPageSetting1;
    DWORD m_dwPageSetting2;
    WORD m_wPageSetting3;
    DWORD m_dwMarginLeft;
    DWORD m_dwMarginRight;
    DWORD m_dwMarginTop;
    DWORD m_dwMarginBottom;

    BOOL m_bDesignMode;
    LONG m_nDisplayMode;
    RECT m_rcBounds;
    LONG m_nCurCell;                // -1: no current cell
    CUIntArray m_arrSel;            // cell indices in selection order
    CCellArray m_cellsAux;          // scratch copy of the table operations

    POSITION m_posUndo;             // record the next Undo takes back
    CPtrList m_lstUndo;             // CUndoAction*, oldest first

    CStringList m_lstWizRowItems;
    CStringList m_lstWizColItems;
    // Analysis wizard item pages: code "-" name entries (not stored).
    CStringList m_lstRowItemCodes;
    CStringList m_lstColItemCodes;

    // Border-drag state of the view
    POINT m_ptLastPointer;          // last pointer position, sheet units
    LONG m_nBorderClass;            // HitTestBorder of m_ptLastPointer
    CUIntArray m_arrBorderA;        // cells whose left/top edge is on the border
    CUIntArray m_arrBorderB;        // cells whose right/bottom edge is on it
    CUIntArray m_arrBorderSelA;     // working lists of the selected segment
    CUIntArray m_arrBorderSelB;
    CUIntArray m_arrBorderRuns;     // run start/end pairs of a segment
    LONG m_nMoveKind;               // 1 segment, 2 whole line, -1 refused

private:
    CSheet(const CSheet&) = delete;
    CSheet& operator=(const CSheet&) = delete;
};

// dst becomes a copy of src.
void CopyStringList(CStringList& dst, const CStringList& src);
