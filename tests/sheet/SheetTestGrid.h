// Test helpers of the table-operation and undo suites: a grid template and
// whole-sheet snapshots that compare every field a table operation can touch.
#pragma once

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/sheet/SheetGrid.h"
#include "sheet/PictureBlock.h"
#include "sheet/Sheet.h"

namespace sheettest
{


// Gives the grid's cells a mix of types and payloads, so that comparisons
// see codes, formulas, counters and shared pictures.
inline void MixCellTypes(CSheet& sheet)
{
    HGLOBAL hInfo = PictureBlockAlloc(sizeof(BITMAPINFOHEADER));
    HGLOBAL hBits = PictureBlockAlloc(64);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = sheet.m_cells[i];
        switch (i % 7)
        {
        case 1:
            cell.SetType(CELL_NUMERIC);
            CopyCode(cell.m_szRowItemCode, sizeof(cell.m_szRowItemCode), "R01");
            CopyCode(cell.m_szColItemCode, sizeof(cell.m_szColItemCode), "C02");
            cell.m_nLine = (LONG)i;
            cell.m_strValue = "12.5";
            cell.m_nFormulaRefs = 1;
            break;
        case 3:
            cell.SetType(CELL_FORMULA);
            cell.m_strFormula = "A1+B1";
            break;
        case 4:
            cell.SetType(CELL_REPORTDATE);
            cell.m_nDateStyle = 2;
            break;
        case 5:
            cell.SetType(CELL_PICTURE);
            cell.m_hDibInfo = hInfo;
            cell.m_hDibBits = hBits;
            PictureBlockAddRef(hInfo);
            PictureBlockAddRef(hBits);
            cell.m_bStretch = 1;
            break;
        case 6:
            cell.m_nRightEdge = CELL_LINE_THICK;
            cell.m_nBottomEdge = CELL_LINE_DOT;
            break;
        default:
            break;
        }
    }
    // The cells hold their own references now.
    PictureBlockRelease(hInfo);
    PictureBlockRelease(hBits);
}

struct CellSnap
{
    std::string name;
    RECT rect;
    LONG tab, type, hAlign, vAlign;
    BYTE edges[6];
    BYTE payload[CELL_PAYLOAD_SIZE];
    std::string value, formula, analysis;
    LONG formulaRefs, balanceRefs;
};

inline bool operator==(const CellSnap& a, const CellSnap& b)
{
    return a.name == b.name && EqualRect(&a.rect, &b.rect) && a.tab == b.tab &&
           a.type == b.type && a.hAlign == b.hAlign && a.vAlign == b.vAlign &&
           memcmp(a.edges, b.edges, sizeof(a.edges)) == 0 &&
           memcmp(a.payload, b.payload, sizeof(a.payload)) == 0 && a.value == b.value &&
           a.formula == b.formula && a.analysis == b.analysis &&
           a.formulaRefs == b.formulaRefs && a.balanceRefs == b.balanceRefs;
}

inline std::ostream& operator<<(std::ostream& os, const CellSnap& s)
{
    return os << s.name << " (" << s.rect.left << "," << s.rect.top << "," << s.rect.right
              << "," << s.rect.bottom << ") tab " << s.tab << " type " << s.type
              << " edges R" << (int)s.edges[1] << " B" << (int)s.edges[3];
}

// The cells in array order, the selection and the current cell by name.
struct SheetSnap
{
    std::vector<CellSnap> cells;
    std::vector<std::string> selection;
    std::string current;
};

inline SheetSnap Snapshot(const CSheet& sheet)
{
    SheetSnap snap;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const CCell& c = sheet.m_cells[i];
        CellSnap s;
        s.name = (LPCSTR)c.m_strName;
        s.rect = c.m_rect;
        s.tab = c.m_nTabIndex;
        s.type = c.m_nType;
        s.hAlign = c.m_nHAlign;
        s.vAlign = c.m_nVAlign;
        BYTE edges[6] = { c.m_nLeftEdge, c.m_nRightEdge, c.m_nTopEdge,
                          c.m_nBottomEdge, c.m_nDiagDown, c.m_nDiagUp };
        memcpy(s.edges, edges, sizeof(edges));
        memcpy(s.payload, c.m_abPayload, sizeof(s.payload));
        s.value = (LPCSTR)c.m_strValue;
        s.formula = (LPCSTR)c.m_strFormula;
        s.analysis = (LPCSTR)c.m_strAnalysis;
        s.formulaRefs = c.m_nFormulaRefs;
        s.balanceRefs = c.m_nBalanceRefs;
        snap.cells.push_back(s);
    }
    for (INT_PTR i = 0; i < sheet.m_arrSel.GetSize(); ++i)
    {
        UINT n = sheet.m_arrSel[i];
        snap.selection.push_back(n < (UINT)sheet.m_cells.GetSize()
                                     ? std::string((LPCSTR)sheet.m_cells[n].m_strName)
                                     : std::string("<bad index>"));
    }
    if (sheet.m_nCurCell >= 0 && sheet.m_nCurCell < (LONG)sheet.m_cells.GetSize())
        snap.current = (LPCSTR)sheet.m_cells[sheet.m_nCurCell].m_strName;
    else if (sheet.m_nCurCell != -1)
        snap.current = "<bad index>";
    return snap;
}

inline void ExpectSameSheet(const SheetSnap& expected, const SheetSnap& actual,
                            bool bCompareSelection = true)
{
    ASSERT_EQ(expected.cells.size(), actual.cells.size());
    for (size_t i = 0; i < expected.cells.size(); ++i)
        ASSERT_EQ(expected.cells[i], actual.cells[i]) << "cell " << i;
    if (bCompareSelection)
    {
        EXPECT_EQ(expected.selection, actual.selection);
        EXPECT_EQ(expected.current, actual.current);
    }
}

// What the callers do after a table operation or an undo step.
inline void Settle(CSheet& sheet)
{
    sheet.SortCells();
    sheet.UpdateBoundingRect();
}

inline int CountUndo(const CSheet& sheet)
{
    return (int)sheet.m_lstUndo.GetCount();
}

// Index of the cell with this name, or -1.
inline int Find(const CSheet& sheet, const char* pszName)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        if (strcmp(sheet.m_cells[i].m_strName, pszName) == 0)
            return (int)i;
    return -1;
}

inline void Select(CSheet& sheet, std::initializer_list<const char*> names)
{
    sheet.m_arrSel.RemoveAll();
    for (const char* pszName : names)
    {
        int n = Find(sheet, pszName);
        EXPECT_GE(n, 0) << pszName;
        if (n >= 0)
            sheet.m_arrSel.Add((UINT)n);
    }
    if (sheet.m_arrSel.GetSize() > 0)
        sheet.m_nCurCell = (LONG)sheet.m_arrSel[0];
}

inline const CCell& Cell(const CSheet& sheet, const char* pszName)
{
    int n = Find(sheet, pszName);
    EXPECT_GE(n, 0) << pszName;
    return sheet.m_cells[n < 0 ? 0 : n];
}

// The cells tile their bounding rectangle: no overlap, no gap, no empty
// cell; the selection and the current cell are valid indices.
inline void ExpectTiling(const CSheet& sheet)
{
    const CCellArray& cells = sheet.m_cells;
    for (INT_PTR i = 0; i < sheet.m_arrSel.GetSize(); ++i)
        ASSERT_LT(sheet.m_arrSel[i], (UINT)cells.GetSize());
    ASSERT_LT(sheet.m_nCurCell, (LONG)cells.GetSize());
    ASSERT_GE(sheet.m_nCurCell, -1);
    if (cells.GetSize() == 0)
        return;
    std::vector<LONG> xs, ys;
    RECT rcAll = cells[0].m_rect;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        const RECT& rc = cells[i].m_rect;
        ASSERT_LT(rc.left, rc.right) << cells[i].m_strName;
        ASSERT_LT(rc.top, rc.bottom) << cells[i].m_strName;
        xs.push_back(rc.left);
        xs.push_back(rc.right);
        ys.push_back(rc.top);
        ys.push_back(rc.bottom);
        UnionRect(&rcAll, &rcAll, &rc);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<int> cover((xs.size() - 1) * (ys.size() - 1), 0);
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        const RECT& rc = cells[i].m_rect;
        size_t x0 = std::lower_bound(xs.begin(), xs.end(), rc.left) - xs.begin();
        size_t x1 = std::lower_bound(xs.begin(), xs.end(), rc.right) - xs.begin();
        size_t y0 = std::lower_bound(ys.begin(), ys.end(), rc.top) - ys.begin();
        size_t y1 = std::lower_bound(ys.begin(), ys.end(), rc.bottom) - ys.begin();
        for (size_t y = y0; y < y1; ++y)
            for (size_t x = x0; x < x1; ++x)
                ++cover[y * (xs.size() - 1) + x];
    }
    for (size_t k = 0; k < cover.size(); ++k)
        ASSERT_EQ(1, cover[k]) << "grid square " << k << " covered " << cover[k] << " times";
}

} // namespace sheettest
