// The sheet the printing tests print and preview: a title in the header
// band, 50 rows of two cells (R01 V01 .. R50 V50, 30 units high) and a
// signature in the tail band, laid out in manual pages whose row breaks
// lie on row edges; every page of any printer the tests meet holds more
// than 500 units.
#pragma once

#include <stdio.h>

#include <initializer_list>
#include <string>

#include "tests/support/Gtest.h"

#include "sheet/PageLayout.h"
#include "sheet/Sheet.h"

namespace printtest
{

const int kRows = 50;
const int kRowHeight = 30;
const int kHeaderBand = 40;
const int kTailBand = 30;

inline std::string RowName(int k)
{
    char sz[8];
    sprintf(sz, "R%02d", k);
    return sz;
}

inline std::string ValueName(int k)
{
    return "V" + RowName(k).substr(1);
}

inline void AddTextCell(CSheet& sheet, const std::string& text, int left, int top, int right, int bottom)
{
    CCell cell;
    cell.m_pSheet = &sheet;
    cell.m_strName = text.c_str();
    SetRect(&cell.m_rect, left, top, right, bottom);
    cell.SetType(CELL_TEXT);
    cell.m_strValue = text.c_str();
    // No borders: a page is not widened into its neighbour's rows.
    cell.m_nLeftEdge = cell.m_nTopEdge = cell.m_nRightEdge = cell.m_nBottomEdge = CELL_LINE_NONE;
    sheet.m_cells.Add(cell);
}

// The row breaks are the tops of pages: 0 and then row edges.
inline void MakePrintTemplate(CSheet& sheet, std::initializer_list<int> rowBreaks)
{
    sheet.RemoveAllCells();
    AddTextCell(sheet, "TITLE", 0, 0, 600, kHeaderBand);
    for (int k = 1; k <= kRows; ++k)
    {
        int top = kHeaderBand + (k - 1) * kRowHeight;
        AddTextCell(sheet, RowName(k), 0, top, 300, top + kRowHeight);
        AddTextCell(sheet, ValueName(k), 300, top, 600, top + kRowHeight);
    }
    int tail = kHeaderBand + kRows * kRowHeight;
    AddTextCell(sheet, "SIGNED", 0, tail, 600, tail + kTailBand);
    sheet.m_nCurCell = 0;
    sheet.UpdateBoundingRect();
    sheet.m_nHeaderBand = kHeaderBand;
    sheet.m_nTailBand = kTailBand;
    sheet.m_nPageLayout = PAGE_LAYOUT_MANUAL;
    sheet.m_arrBreaksA.RemoveAll();
    for (int y : rowBreaks)
        sheet.m_arrBreaksA.Add((DWORD)y);
    sheet.m_arrBreaksB.RemoveAll();
    sheet.m_arrBreaksB.Add(0);
}

// The first row of the page that starts at row break y.
inline int FirstRowAt(int y)
{
    return (y - kHeaderBand) / kRowHeight + 1;
}

// A page shows the header, its own rows and the tail, and no other row.
template<class Has>
void ExpectPageRows(const Has& has, int first, int last)
{
    SCOPED_TRACE(testing::Message() << "rows " << first << ".." << last);
    EXPECT_TRUE(has("TITLE"));
    EXPECT_TRUE(has("SIGNED"));
    for (int k = 1; k <= kRows; ++k)
    {
        bool bOnPage = k >= first && k <= last;
        EXPECT_EQ(has(RowName(k)), bOnPage) << RowName(k);
        EXPECT_EQ(has(ValueName(k)), bOnPage) << ValueName(k);
    }
}

} // namespace printtest
