#include "tests/support/Gtest.h"
#include "sheet/Sheet.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(const CStringList& list)
{
    std::vector<std::string> out;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
        out.push_back((LPCSTR)list.GetNext(pos));
    return out;
}

int AddCell(CSheet& sheet, const char* name, int l, int t, int r, int b, int type = CELL_TEXT)
{
    CCell cell;
    cell.m_strName = name;
    SetRect(&cell.m_rect, l, t, r, b);
    cell.SetType(type);
    return (int)sheet.m_cells.Add(cell);
}

std::string Names(CSheet& sheet)
{
    std::string out;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        if (i)
            out += ",";
        out += (LPCSTR)sheet.m_cells[i].m_strName;
    }
    return out;
}

// ---------------------------------------------------------- construction

TEST(SheetConstruct, HeaderAndLists)
{
    CSheet sheet;
    EXPECT_EQ(0x4654, sheet.m_wMagic);
    EXPECT_EQ(0x0303, sheet.m_wVersion);
    EXPECT_EQ(0, sheet.m_nKind);
    EXPECT_EQ(4, sheet.m_nHeaderWord1);
    EXPECT_EQ(0, sheet.m_nCellCount);
    EXPECT_EQ(-1, sheet.m_nPageLayout);
    EXPECT_TRUE(sheet.m_bDesignMode);
    EXPECT_EQ(0, sheet.m_nDisplayMode);
    EXPECT_EQ(0, sheet.m_nHeaderBand);
    EXPECT_EQ(0, sheet.m_nTailBand);
    EXPECT_STREQ("", sheet.m_szTitle);
    EXPECT_STREQ("", sheet.m_szDesigner);
    EXPECT_EQ(std::vector<std::string>({"Organ"}), Entries(sheet.m_lstDimOuter));
    EXPECT_EQ(std::vector<std::string>({"RowItem", "Time", "ColItem"}), Entries(sheet.m_lstDimInner));
    EXPECT_EQ(0, sheet.m_lstBalance.GetCount());
    EXPECT_EQ(0, sheet.m_lstAnOrgans.GetCount());
    EXPECT_TRUE(sheet.m_posUndo == NULL);
    EXPECT_EQ(0, sheet.m_lstUndo.GetCount());
}

TEST(SheetConstruct, FieldsHoldTheirLongestTextsTerminated)
{
    CSheet sheet;
    std::string title(255, 'T');
    EXPECT_TRUE(CopyCode(sheet.m_szTitle, sizeof(sheet.m_szTitle), title.c_str()));
    EXPECT_EQ(title, sheet.m_szTitle);
    std::string company(100, 'C');
    EXPECT_TRUE(CopyCode(sheet.m_szDesignCompany, sizeof(sheet.m_szDesignCompany), company.c_str()));
    EXPECT_EQ(company, sheet.m_szDesignCompany);
    std::string designer(50, 'D');
    EXPECT_TRUE(CopyCode(sheet.m_szDesigner, sizeof(sheet.m_szDesigner), designer.c_str()));
    EXPECT_FALSE(CopyCode(sheet.m_szCode, sizeof(sheet.m_szCode), "123456789"));
    EXPECT_STREQ("12345678", sheet.m_szCode);
}

// ------------------------------------------------ empty sheet, selection

TEST(SheetSelection, EmptySheetHasNoCurrentCell)
{
    CSheet sheet;
    EXPECT_FALSE(sheet.HasCurCell());
    EXPECT_TRUE(sheet.GetCurCell() == NULL);
    EXPECT_TRUE(sheet.GetSelectedCell(0) == NULL);
    sheet.m_arrSel.Add(0);
    sheet.m_nCurCell = 0;
    EXPECT_TRUE(sheet.GetSelectedCell(0) == NULL);
    EXPECT_TRUE(sheet.GetCurCell() == NULL);
    sheet.ValidateSelection();
    EXPECT_EQ(0, sheet.m_arrSel.GetSize());
    EXPECT_EQ(-1, sheet.m_nCurCell);
}

TEST(SheetSelection, ValidateDropsIndicesBeyondTheCells)
{
    CSheet sheet;
    AddCell(sheet, "A1", 0, 0, 10, 10);
    AddCell(sheet, "B1", 10, 0, 20, 10);
    sheet.m_arrSel.Add(5);
    sheet.m_arrSel.Add(1);
    sheet.m_arrSel.Add(2);
    sheet.m_nCurCell = 7;
    sheet.ValidateSelection();
    ASSERT_EQ(1, sheet.m_arrSel.GetSize());
    EXPECT_EQ(1u, sheet.m_arrSel[0]);
    EXPECT_EQ(1, sheet.m_nCurCell);
    EXPECT_STREQ("B1", sheet.GetCurCell()->m_strName);
    EXPECT_STREQ("B1", sheet.GetSelectedCell(0)->m_strName);
    EXPECT_TRUE(sheet.GetSelectedCell(-1) == NULL);

    sheet.RemoveAllCells();
    EXPECT_EQ(0, sheet.m_cells.GetSize());
    EXPECT_EQ(0, sheet.m_arrSel.GetSize());
    EXPECT_FALSE(sheet.HasCurCell());
}

// ---------------------------------------------------------------- order

TEST(SheetOrder, CompareCellsIsReadingOrder)
{
    CSheet sheet;
    AddCell(sheet, "low", 0, 20, 10, 30);
    AddCell(sheet, "right", 50, 0, 60, 10);
    AddCell(sheet, "left", 0, 0, 10, 10);
    AddCell(sheet, "left2", 0, 0, 5, 5);
    EXPECT_TRUE(sheet.CompareCells(1, 0));
    EXPECT_FALSE(sheet.CompareCells(0, 1));
    EXPECT_TRUE(sheet.CompareCells(2, 1));
    EXPECT_FALSE(sheet.CompareCells(1, 2));
    EXPECT_TRUE(sheet.CompareCells(2, 3));          // equal corners: not after
    EXPECT_TRUE(sheet.CompareCells(3, 2));
}

TEST(SheetOrder, SortPutsTopsFirstThenLefts)
{
    CSheet sheet;
    AddCell(sheet, "C2", 40, 20, 60, 40);
    AddCell(sheet, "B1", 20, 0, 40, 20);
    AddCell(sheet, "A2", 0, 20, 40, 40);
    AddCell(sheet, "A1", 0, 0, 20, 20);
    AddCell(sheet, "A3", 0, 40, 60, 60);
    AddCell(sheet, "C1", 40, 0, 60, 20);
    sheet.SortCells();
    EXPECT_EQ("A1,B1,C1,A2,C2,A3", Names(sheet));
    for (int i = 0; i + 1 < (int)sheet.m_cells.GetSize(); ++i)
        EXPECT_TRUE(sheet.CompareCells(i, i + 1)) << i;
}

TEST(SheetOrder, SortOfManyCellsInReverse)
{
    CSheet sheet;
    for (int row = 29; row >= 0; --row)
        for (int col = 19; col >= 0; --col)
        {
            char name[16];
            wsprintfA(name, "%c%d", 'A' + col, row + 1);
            AddCell(sheet, name, col * 10, row * 10, col * 10 + 10, row * 10 + 10);
        }
    sheet.SortCells();
    EXPECT_STREQ("A1", sheet.m_cells[0].m_strName);
    EXPECT_STREQ("T30", sheet.m_cells[599].m_strName);
    for (int i = 0; i + 1 < 600; ++i)
        ASSERT_TRUE(sheet.CompareCells(i, i + 1)) << i;
}

TEST(SheetOrder, SelectionAndCurrentCellFollowTheirCells)
{
    CSheet sheet;
    AddCell(sheet, "B", 20, 0, 40, 10);
    AddCell(sheet, "C", 0, 10, 40, 20);
    AddCell(sheet, "A", 0, 0, 20, 10);
    sheet.m_arrSel.Add(2);
    sheet.m_arrSel.Add(1);
    sheet.m_nCurCell = 2;
    sheet.SortCells();
    EXPECT_EQ("A,B,C", Names(sheet));
    EXPECT_STREQ("A", sheet.GetCurCell()->m_strName);
    EXPECT_STREQ("A", sheet.GetSelectedCell(0)->m_strName);
    EXPECT_STREQ("C", sheet.GetSelectedCell(1)->m_strName);
}

TEST(SheetOrder, SwapExchangesContentNotOwner)
{
    CSheet sheet;
    AddCell(sheet, "X", 0, 0, 1, 1, CELL_NUMERIC);
    AddCell(sheet, "Y", 5, 5, 6, 6, CELL_TEXT);
    sheet.m_cells[0].m_pSheet = &sheet;
    sheet.SwapCells(0, 1);
    EXPECT_STREQ("Y", sheet.m_cells[0].m_strName);
    EXPECT_EQ(CELL_TEXT, sheet.m_cells[0].m_nType);
    EXPECT_STREQ("X", sheet.m_cells[1].m_strName);
    EXPECT_STREQ("========", sheet.m_cells[1].m_szOrgCode);
    EXPECT_EQ(&sheet, sheet.m_cells[0].m_pSheet);
    sheet.SwapCells(1, 1);
    EXPECT_STREQ("X", sheet.m_cells[1].m_strName);
}

// ------------------------------------------------------------ tab order

TEST(SheetTabs, ShiftBothDirections)
{
    CSheet sheet;
    for (int i = 0; i < 8; ++i)
    {
        int n = AddCell(sheet, "t", i * 10, 0, i * 10 + 10, 10);
        sheet.m_cells[n].m_nTabIndex = i;
    }
    sheet.ShiftTabIndexes(5, 2);
    std::vector<int> tabs;
    for (int i = 0; i < 8; ++i)
        tabs.push_back(sheet.m_cells[i].m_nTabIndex);
    EXPECT_EQ(std::vector<int>({0, 1, 2, 2, 3, 4, 6, 7}), tabs);

    for (int i = 0; i < 8; ++i)
        sheet.m_cells[i].m_nTabIndex = i;
    sheet.ShiftTabIndexes(2, 5);
    tabs.clear();
    for (int i = 0; i < 8; ++i)
        tabs.push_back(sheet.m_cells[i].m_nTabIndex);
    EXPECT_EQ(std::vector<int>({0, 1, 3, 4, 5, 5, 6, 7}), tabs);

    sheet.ShiftTabIndexes(3, 3);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(tabs[i], sheet.m_cells[i].m_nTabIndex);
}

// ------------------------------------------------------- bounding rect

TEST(SheetBounds, ContainsTheOriginAndEveryCell)
{
    CSheet sheet;
    AddCell(sheet, "a", 100, 50, 180, 80);
    AddCell(sheet, "b", 180, 80, 300, 95);
    sheet.UpdateBoundingRect();
    EXPECT_EQ(0, sheet.m_rcBounds.left);
    EXPECT_EQ(0, sheet.m_rcBounds.top);
    EXPECT_EQ(300, sheet.m_rcBounds.right);
    EXPECT_EQ(95, sheet.m_rcBounds.bottom);

    AddCell(sheet, "c", -20, -5, 10, 10);
    sheet.UpdateBoundingRect();
    EXPECT_EQ(-20, sheet.m_rcBounds.left);
    EXPECT_EQ(-5, sheet.m_rcBounds.top);
}

TEST(SheetBounds, NoCellsKeepsThePreviousValue)
{
    CSheet sheet;
    SetRect(&sheet.m_rcBounds, 3, 4, 500, 600);
    sheet.UpdateBoundingRect();
    EXPECT_EQ(3, sheet.m_rcBounds.left);
    EXPECT_EQ(600, sheet.m_rcBounds.bottom);
}

// ------------------------------------------------------------ hit test

TEST(SheetHitTest, MarginBordersAndInsides)
{
    CSheet sheet;
    AddCell(sheet, "T", 0, 0, 100, 30, CELL_TEXT);
    AddCell(sheet, "N", 100, 0, 200, 30, CELL_NUMERIC);
    AddCell(sheet, "F", 0, 30, 100, 60, CELL_FORMULA);
    AddCell(sheet, "P", 100, 30, 200, 60, CELL_PICTURE);

    EXPECT_EQ(HIT_NONE, sheet.HitTestBorder(5, 15));      // inside T but margin
    EXPECT_EQ(HIT_NONE, sheet.HitTestBorder(50, 5));
    EXPECT_EQ(HIT_INSIDE_OTHER, sheet.HitTestBorder(50, 15));
    EXPECT_EQ(HIT_INSIDE_DATA, sheet.HitTestBorder(150, 15));
    EXPECT_EQ(HIT_INSIDE_DATA, sheet.HitTestBorder(50, 45));
    EXPECT_EQ(HIT_INSIDE_OTHER, sheet.HitTestBorder(150, 45));

    EXPECT_EQ(HIT_VERTICAL_BORDER, sheet.HitTestBorder(101, 15));   // one inside N's left
    EXPECT_EQ(HIT_VERTICAL_BORDER, sheet.HitTestBorder(100, 15));
    EXPECT_EQ(HIT_VERTICAL_BORDER, sheet.HitTestBorder(99, 15));    // T's right edge
    EXPECT_EQ(HIT_INSIDE_DATA, sheet.HitTestBorder(102, 15));
    EXPECT_EQ(HIT_HORIZONTAL_BORDER, sheet.HitTestBorder(50, 31));
    EXPECT_EQ(HIT_HORIZONTAL_BORDER, sheet.HitTestBorder(50, 29));
    EXPECT_EQ(HIT_INSIDE_OTHER, sheet.HitTestBorder(50, 28));
    EXPECT_EQ(HIT_VERTICAL_BORDER, sheet.HitTestBorder(101, 31));   // vertical tested first

    EXPECT_EQ(HIT_NONE, sheet.HitTestBorder(200, 15));              // right is exclusive
    EXPECT_EQ(HIT_NONE, sheet.HitTestBorder(150, 60));
    EXPECT_EQ(HIT_NONE, sheet.HitTestBorder(500, 500));
    CSheet empty;
    EXPECT_EQ(HIT_NONE, empty.HitTestBorder(50, 50));
}

// --------------------------------------------------------- find by name

TEST(SheetFind, ExactCaseSensitiveFirstMatch)
{
    CSheet sheet;
    AddCell(sheet, "A1", 0, 0, 10, 10);
    AddCell(sheet, "AB12", 10, 0, 20, 10);
    AddCell(sheet, "A1", 20, 0, 30, 10);
    EXPECT_EQ(&sheet.m_cells[0], sheet.FindCellByName("A1"));
    EXPECT_EQ(&sheet.m_cells[1], sheet.FindCellByName("AB12"));
    EXPECT_TRUE(sheet.FindCellByName("a1") == NULL);
    EXPECT_TRUE(sheet.FindCellByName("A") == NULL);
    EXPECT_TRUE(sheet.FindCellByName("AB1") == NULL);
    EXPECT_TRUE(sheet.FindCellByName("") == NULL);
    EXPECT_TRUE(sheet.FindCellByName(NULL) == NULL);
}

// ------------------------------------------------------ item entries

TEST(SheetItemEntry, CodeAndName)
{
    CString entry("R001    Gross output");
    SplitItemEntry(entry, TRUE);
    EXPECT_STREQ("R001", entry);

    entry = "R001    Gross output";
    SplitItemEntry(entry, FALSE);
    EXPECT_STREQ("Gross output", entry);

    entry = "X Y";
    SplitItemEntry(entry, FALSE);
    EXPECT_STREQ("Y", entry);

    entry = "NOSPACE";
    SplitItemEntry(entry, TRUE);
    EXPECT_STREQ("NOSPACE", entry);
    entry = "NOSPACE";
    SplitItemEntry(entry, FALSE);
    EXPECT_STREQ("", entry);

    entry = " leading";
    SplitItemEntry(entry, TRUE);
    EXPECT_STREQ("", entry);

    entry = "C1 ";
    SplitItemEntry(entry, FALSE);
    EXPECT_STREQ("", entry);
}

} // namespace
