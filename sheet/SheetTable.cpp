// The sheet's table operations: rows and columns exist only as cells that
// share an edge coordinate, so each operation edits cell rectangles.
// The standard headers go first: windows.h defines min and max as macros.
#include <limits.h>
#include <string.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "sheet/Sheet.h"
#include "sheet/UndoAction.h"

namespace
{

// Length of a name's column letters: its characters up to the first one
// below 'A'.
int LetterCount(LPCSTR pszName)
{
    int n = 0;
    while (pszName[n] != '\0' && (BYTE)pszName[n] >= (BYTE)'A')
        ++n;
    return n;
}

// The row number of a name: the digits after its letters (0 without any).
int RowNumber(LPCSTR pszName)
{
    const char* p = pszName + LetterCount(pszName);
    int nValue = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
    {
        if (nValue > (INT_MAX - 9) / 10)
            return INT_MAX / 2;     // absurd numbers stop growing, never wrap
        nValue = nValue * 10 + (*p - '0');
    }
    return nValue;
}

CString Letters(const CString& strName)
{
    return strName.Left(LetterCount(strName));
}

// Counts A..Z in base 26: A becomes B, Z becomes AA, AZ becomes BA.
CString IncrementLetters(const CString& strLetters)
{
    std::string s((LPCSTR)strLetters, (size_t)strLetters.GetLength());
    int i = (int)s.size() - 1;
    for (; i >= 0; --i)
    {
        if (s[(size_t)i] >= 'A' && s[(size_t)i] < 'Z')
        {
            ++s[(size_t)i];
            break;
        }
        s[(size_t)i] = 'A';
    }
    if (i < 0)
        s.insert(s.begin(), 'A');
    return CString(s.data(), (int)s.size());
}

CString NextColumnLetters(const CCellArray& cells)
{
    if (cells.GetSize() == 0)
        return CString();
    CString strBest;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        LPCSTR pszName = cells[i].m_strName;
        int n = LetterCount(pszName);
        if (n < strBest.GetLength())
            continue;
        if (n == strBest.GetLength() && memcmp(pszName, (LPCSTR)strBest, (size_t)n) <= 0)
            continue;
        strBest = CString(pszName, n);
    }
    return IncrementLetters(strBest);
}

int LargestRowNumber(const CCellArray& cells)
{
    int nMax = 0;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        int n = RowNumber(cells[i].m_strName);
        if (n > nMax)
            nMax = n;
    }
    return nMax;
}

void CopyBounded(LPSTR pszBuf, int cchBuf, const CString& str)
{
    if (pszBuf == NULL || cchBuf <= 0)
        return;
    CopyCode(pszBuf, (size_t)cchBuf, str);
}

// The along-axis edges of a cell: left/right for columns, top/bottom for rows.
LONG& Lo(CCell& c, BOOL bColumn) { return bColumn ? c.m_rect.left : c.m_rect.top; }
LONG& Hi(CCell& c, BOOL bColumn) { return bColumn ? c.m_rect.right : c.m_rect.bottom; }
LONG Lo(const CCell& c, BOOL bColumn) { return bColumn ? c.m_rect.left : c.m_rect.top; }
LONG Hi(const CCell& c, BOOL bColumn) { return bColumn ? c.m_rect.right : c.m_rect.bottom; }
// The edge across the end of the axis: the right edge of a column, the
// bottom edge of a row.
BYTE& EndEdge(CCell& c, BOOL bColumn) { return bColumn ? c.m_nRightEdge : c.m_nBottomEdge; }
// The other axis's start: the top for a column operation, the left for a row.
LONG CrossLo(const CCell& c, BOOL bColumn) { return bColumn ? c.m_rect.top : c.m_rect.left; }
LONG CrossHi(const CCell& c, BOOL bColumn) { return bColumn ? c.m_rect.bottom : c.m_rect.right; }

BOOL Contains(const CCell& c, int x, int y)
{
    return c.m_rect.left <= x && x < c.m_rect.right && c.m_rect.top <= y && y < c.m_rect.bottom;
}

// The selected indices that name cells, each once, in selection order.
std::vector<int> ValidSelection(const CSheet& sheet)
{
    std::vector<int> sel;
    INT_PTR nCount = sheet.m_cells.GetSize();
    std::vector<char> seen((size_t)nCount, 0);
    for (INT_PTR i = 0; i < sheet.m_arrSel.GetSize(); ++i)
    {
        UINT n = sheet.m_arrSel[i];
        if (n >= (UINT)nCount || seen[n])
            continue;
        seen[n] = 1;
        sel.push_back((int)n);
    }
    return sel;
}

RECT UnionOfCells(const CCellArray& cells, const std::vector<int>& sel)
{
    RECT rc = cells[sel[0]].m_rect;
    for (size_t k = 1; k < sel.size(); ++k)
    {
        const RECT& r = cells[sel[k]].m_rect;
        if (r.left < rc.left) rc.left = r.left;
        if (r.top < rc.top) rc.top = r.top;
        if (r.right > rc.right) rc.right = r.right;
        if (r.bottom > rc.bottom) rc.bottom = r.bottom;
    }
    return rc;
}

int CountOverlapping(const CCellArray& cells, const RECT& rc)
{
    int n = 0;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        if (RectsOverlap(cells[i].m_rect, rc))
            ++n;
    return n;
}

// The reference cell of a row or column operation, or -1.  nExtent gets the
// width (height) of the selection's union when bUnionExtent is set, else
// the reference cell's own.
int FindReferenceCell(const CSheet& sheet, const std::vector<int>& sel, BOOL bColumn,
                      int x, int y, BOOL bUnionExtent, LONG& nExtent)
{
    const CCellArray& cells = sheet.m_cells;
    nExtent = 0;
    if (cells.GetSize() == 0)
        return -1;
    int nRef = -1;
    if (!sel.empty())
    {
        for (int n : sel)
            if (nRef < 0 || Hi(cells[n], bColumn) > Hi(cells[nRef], bColumn))
                nRef = n;
        if (bUnionExtent)
        {
            RECT rc = UnionOfCells(cells, sel);
            nExtent = bColumn ? rc.right - rc.left : rc.bottom - rc.top;
        }
        else
        {
            nExtent = Hi(cells[nRef], bColumn) - Lo(cells[nRef], bColumn);
        }
        return nRef;
    }
    for (INT_PTR i = 0; i < cells.GetSize() && nRef < 0; ++i)
        if (Contains(cells[i], x, y))
            nRef = (int)i;
    if (nRef < 0)
    {
        for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        {
            LONG nLo = Lo(cells[i], bColumn);
            if (nLo > 0 && (nRef < 0 || nLo > Lo(cells[nRef], bColumn)))
                nRef = (int)i;
        }
        if (nRef < 0)
            nRef = 0;
    }
    nExtent = Hi(cells[nRef], bColumn) - Lo(cells[nRef], bColumn);
    return nRef;
}

// A label: the text a Normal cell or a static Text cell shows.
BOOL IsLabelCell(const CCell& cell)
{
    return cell.m_nType == CELL_NORMAL || (cell.m_nType == CELL_TEXT && !cell.m_bDynamic);
}

// A new cell made from a neighbour: its look, a fresh content of the given
// type, no formula references.
void MakeFreshCell(CCell& cell, int nType)
{
    cell.SetType(nType);
    cell.m_strFormula.Empty();
    cell.m_strAnalysis.Empty();
    cell.m_nFormulaRefs = 0;
    cell.m_nBalanceRefs = 0;
}

void CopySelected(const CSheet& sheet, const std::vector<int>& sel, CCellArray& out)
{
    out.RemoveAll();
    for (int n : sel)
        out.Add(const_cast<CCell&>(sheet.m_cells[n]));
}

// Records the change, or, when no record is wanted, drops the records that
// no longer fit the sheet.
void Commit(CSheet* pSheet, CUndoAction* pAction, BOOL bRecordUndo)
{
    if (bRecordUndo && pAction != NULL)
    {
        pSheet->AddUndoAction(pAction);
        return;
    }
    delete pAction;
    pSheet->DeleteAllUndoActions();
}

// The after-deletion rectangle of a cell that stays.
void TransformForDeletion(RECT& rc, BOOL bColumn, LONG nFrom, LONG nTo)
{
    LONG& lo = bColumn ? rc.left : rc.top;
    LONG& hi = bColumn ? rc.right : rc.bottom;
    LONG d = nTo - nFrom;
    if (lo < nTo && hi > nTo)
        hi -= d;
    else if (hi == nTo)
        hi = nFrom;
    else if (hi == nFrom)
        ;
    else if (lo >= nTo)
    {
        lo -= d;
        hi -= d;
    }
}

BOOL InsertLine(CSheet* pSheet, BOOL bColumn, int x, int y, BOOL bRecordUndo)
{
    CCellArray& cells = pSheet->m_cells;
    INT_PTR nCount = cells.GetSize();
    if (nCount == 0)
        return FALSE;
    std::vector<int> sel = ValidSelection(*pSheet);
    LONG nExtent = 0;
    int nRef = FindReferenceCell(*pSheet, sel, bColumn, x, y, TRUE, nExtent);
    if (nRef < 0 || nExtent <= 0)
        return FALSE;
    LONG nLine = Hi(cells[nRef], bColumn);
    BOOL bClearEdges = EndEdge(cells[nRef], bColumn) != 0;

    // The new cells are copies of the cells ending on the line, made before
    // those lose their edge lines.
    CString strLetters = bColumn ? NextColumnLetters(cells) : CString();
    int nCounter = bColumn ? 0 : LargestRowNumber(cells) + 1;
    CCellArray cellsNew;
    int nSeq = 0;
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        const CCell& c = cells[i];
        if (Hi(c, bColumn) != nLine)
            continue;
        CCell cell(c);
        Lo(cell, bColumn) = nLine;
        Hi(cell, bColumn) = nLine + nExtent;
        MakeFreshCell(cell, CELL_TEXT);
        // The new row or column repeats its neighbour's label; a figure or
        // a key of a data cell is no label.
        if (IsLabelCell(c))
            cell.m_strValue = c.m_strValue;
        ++nSeq;
        CString strName;
        if (bColumn)
        {
            strName.Format("%s%d", (LPCSTR)strLetters, nSeq);
            cell.m_nTabIndex = (LONG)(nCount + nSeq - 1);
        }
        else
        {
            // The counter is raised before each new cell takes it.
            ++nCounter;
            strName.Format("%s%d", (LPCSTR)Letters(c.m_strName), nCounter);
            cell.m_nTabIndex = nSeq;
        }
        cell.m_strName = strName;
        cellsNew.Add(cell);
    }

    CInsertRowColAction* pAction = NULL;
    if (bRecordUndo)
    {
        pAction = new CInsertRowColAction;
        pAction->SetKind(bColumn ? UNDO_ADDCOLUMN : UNDO_ADDROW);
        pAction->m_cursor.Save(pSheet);
        CopySelected(*pSheet, sel, pAction->m_cellsSelBefore);
        pAction->m_cellsInserted.Copy(cellsNew);
        pAction->m_bHadEdge = bClearEdges;
        pAction->m_nLine = nLine;
        pAction->m_nExtent = nExtent;
    }
    ApplyInsertion(pSheet, bColumn, nLine, nExtent, bClearEdges, cellsNew);
    Commit(pSheet, pAction, bRecordUndo);
    return TRUE;
}

BOOL DeleteLine(CSheet* pSheet, BOOL bColumn, int x, int y, BOOL bRecordUndo)
{
    CCellArray& cells = pSheet->m_cells;
    if (cells.GetSize() < 2)
        return FALSE;
    std::vector<int> sel = ValidSelection(*pSheet);
    LONG nExtent = 0;
    int nRef = FindReferenceCell(*pSheet, sel, bColumn, x, y, FALSE, nExtent);
    if (nRef < 0 || nExtent <= 0)
        return FALSE;
    LONG nFrom = Lo(cells[nRef], bColumn);
    LONG nTo = Hi(cells[nRef], bColumn);

    // The cell that defines the deleted band's edge: a selected cell under
    // the point, else the reference cell.
    int nDefine = nRef;
    for (int n : sel)
    {
        if (Contains(cells[n], x, y))
        {
            nDefine = n;
            break;
        }
    }
    BOOL bEdge = EndEdge(cells[nDefine], bColumn) != 0;

    if (!CanDeleteBand(cells, bColumn, nFrom, nTo))
        return FALSE;
    // A deletion that would leave no cell at all is refused: the table
    // would be gone and nothing could be added back to it.
    INT_PTR nStay = 0;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        if (!(Hi(cells[i], bColumn) == nTo && Lo(cells[i], bColumn) == nFrom))
            ++nStay;
    if (nStay == 0)
        return FALSE;

    CDeleteRowColAction* pAction = NULL;
    if (bRecordUndo)
    {
        pAction = new CDeleteRowColAction;
        pAction->SetKind(bColumn ? UNDO_DELETECOLUMN : UNDO_DELETEROW);
        pAction->m_cursor.Save(pSheet);
        CopySelected(*pSheet, sel, pAction->m_cellsSelBefore);
        pAction->m_bHadEdge = bEdge;
        pAction->m_nFrom = nFrom;
        pAction->m_nTo = nTo;
    }
    ApplyDeletion(pSheet, bColumn, nFrom, nTo, bEdge,
                  pAction != NULL ? &pAction->m_cellsDeleted : NULL,
                  pAction != NULL ? &pAction->m_cellsCut : NULL);
    Commit(pSheet, pAction, bRecordUndo);
    return TRUE;
}

} // namespace

// ---------------------------------------------------------------------------
// Shared with the undo records

void ApplyInsertion(CSheet* pSheet, BOOL bColumn, LONG nLine, LONG nExtent,
                    BOOL bClearEdges, const CCellArray& cellsNew)
{
    CCellArray& cells = pSheet->m_cells;
    INT_PTR nCount = cells.GetSize();
    std::vector<int> widened;
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        CCell& c = cells[i];
        LONG& lo = Lo(c, bColumn);
        LONG& hi = Hi(c, bColumn);
        if (hi == nLine)
        {
            // The edge line moves out to the new neighbour.
            if (bClearEdges)
                EndEdge(c, bColumn) = CELL_LINE_NONE;
        }
        else if (lo < nLine && nLine < hi)
        {
            hi += nExtent;
            widened.push_back((int)i);
        }
        else if (lo >= nLine)
        {
            lo += nExtent;
            hi += nExtent;
        }
    }
    int nFirstNew = (int)cells.GetSize();
    for (INT_PTR i = 0; i < cellsNew.GetSize(); ++i)
        AppendSheetCell(pSheet, cellsNew[i]);

    // The current cell: the new cell at the sheet's edge (top 0 for a
    // column, left 0 for a row), else a widened cell there, else unchanged.
    pSheet->m_arrSel.RemoveAll();
    LONG nCur = -1;
    for (int n : widened)
    {
        pSheet->m_arrSel.Add((UINT)n);
        if (nCur < 0 && CrossLo(cells[n], bColumn) == 0)
            nCur = n;
    }
    LONG nCurNew = -1;
    for (int n = nFirstNew; n < (int)cells.GetSize(); ++n)
    {
        pSheet->m_arrSel.Add((UINT)n);
        if (nCurNew < 0 && CrossLo(cells[n], bColumn) == 0)
            nCurNew = n;
    }
    if (nCurNew >= 0)
        pSheet->m_nCurCell = nCurNew;
    else if (nCur >= 0)
        pSheet->m_nCurCell = nCur;
}

void RevertInsertion(CSheet* pSheet, BOOL bColumn, LONG nLine, LONG nExtent,
                     BOOL bClearEdges, const CCellArray& cellsInserted)
{
    CCellArray& cells = pSheet->m_cells;
    std::vector<char> remove((size_t)cells.GetSize(), 0);
    {
        CCellLocator locator(cells);
        for (INT_PTR k = 0; k < cellsInserted.GetSize(); ++k)
        {
            int n = locator.FindRect(cellsInserted[k].m_rect);
            if (n >= 0)
                remove[(size_t)n] = 1;
        }
    }
    RemoveFlaggedCells(cells, remove);

    // Each inserted cell copied the edge line of the cell it stands beside,
    // so the exact style goes back, not merely a thin line.
    std::unordered_map<uint64_t, BYTE> edges;
    if (bClearEdges)
    {
        for (INT_PTR k = 0; k < cellsInserted.GetSize(); ++k)
        {
            CCell& c = const_cast<CCell&>(cellsInserted[k]);
            uint64_t key = ((uint64_t)(uint32_t)CrossLo(c, bColumn) << 32) |
                           (uint32_t)CrossHi(c, bColumn);
            edges.emplace(key, EndEdge(c, bColumn));
        }
    }
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        CCell& c = cells[i];
        LONG& lo = Lo(c, bColumn);
        LONG& hi = Hi(c, bColumn);
        if (hi == nLine)
        {
            if (bClearEdges)
            {
                uint64_t key = ((uint64_t)(uint32_t)CrossLo(c, bColumn) << 32) |
                               (uint32_t)CrossHi(c, bColumn);
                auto it = edges.find(key);
                if (it != edges.end())
                    EndEdge(c, bColumn) = it->second;
            }
        }
        else if (lo < nLine && hi > nLine)
        {
            hi -= nExtent;
        }
        else if (lo >= nLine)
        {
            lo -= nExtent;
            hi -= nExtent;
        }
    }
}

// Besides a cell whose far edge falls inside the band (not a whole column),
// a cell whose near edge falls inside it would end up inverted.
BOOL CanDeleteBand(const CCellArray& cells, BOOL bColumn, LONG nFrom, LONG nTo)
{
    if (nTo <= nFrom)
        return FALSE;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        LONG lo = Lo(cells[i], bColumn);
        LONG hi = Hi(cells[i], bColumn);
        if (hi > nFrom && hi < nTo)
            return FALSE;
        if (lo > nFrom && lo < nTo)
            return FALSE;
        if (hi <= lo && lo >= nFrom && lo <= nTo)
            return FALSE;
    }
    return TRUE;
}

void ApplyDeletion(CSheet* pSheet, BOOL bColumn, LONG nFrom, LONG nTo, BOOL bEdge,
                   CCellArray* pDeleted, CCellArray* pCut)
{
    CCellArray& cells = pSheet->m_cells;
    LONG d = nTo - nFrom;
    std::vector<char> remove((size_t)cells.GetSize(), 0);
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        CCell& c = cells[i];
        LONG& lo = Lo(c, bColumn);
        LONG& hi = Hi(c, bColumn);
        if (lo < nTo && hi > nTo)
        {
            if (lo == nFrom && pCut != NULL)
                pCut->Add(c);
            hi -= d;
        }
        else if (hi == nTo)
        {
            if (lo == nFrom)
            {
                if (pDeleted != NULL)
                    pDeleted->Add(c);
                remove[(size_t)i] = 1;
            }
            else
            {
                if (pCut != NULL)
                    pCut->Add(c);
                hi = nFrom;
            }
        }
        else if (hi == nFrom)
        {
            if (pCut != NULL)
                pCut->Add(c);
            EndEdge(c, bColumn) = bEdge ? CELL_LINE_THIN : CELL_LINE_NONE;
        }
        else if (lo >= nTo)
        {
            if (lo == nTo && pCut != NULL)
                pCut->Add(c);
            lo -= d;
            hi -= d;
        }
    }
    RemoveFlaggedCells(cells, remove);

    // The cell at the origin becomes current and the only selected cell;
    // without one, the first cell.
    pSheet->m_arrSel.RemoveAll();
    pSheet->m_nCurCell = -1;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        if (cells[i].m_rect.left == 0 && cells[i].m_rect.top == 0)
        {
            pSheet->m_nCurCell = (LONG)i;
            break;
        }
    }
    if (pSheet->m_nCurCell < 0 && cells.GetSize() > 0)
        pSheet->m_nCurCell = 0;
    if (pSheet->m_nCurCell >= 0)
        pSheet->m_arrSel.Add((UINT)pSheet->m_nCurCell);
}

void RevertDeletion(CSheet* pSheet, BOOL bColumn, LONG nFrom, LONG nTo,
                    const CCellArray& cellsDeleted, const CCellArray& cellsCut)
{
    CCellArray& cells = pSheet->m_cells;
    LONG d = nTo - nFrom;
    // The cut cells are found where the deletion left them.
    std::vector<int> match((size_t)cells.GetSize(), -1);
    {
        CCellLocator locator(cells);
        for (INT_PTR k = 0; k < cellsCut.GetSize(); ++k)
        {
            RECT rc = cellsCut[k].m_rect;
            TransformForDeletion(rc, bColumn, nFrom, nTo);
            int n = locator.FindRect(rc);
            if (n >= 0 && match[(size_t)n] < 0)
                match[(size_t)n] = (int)k;
        }
    }
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        CCell& c = cells[i];
        if (match[(size_t)i] >= 0)
        {
            c = cellsCut[match[(size_t)i]];
            continue;
        }
        LONG& lo = Lo(c, bColumn);
        LONG& hi = Hi(c, bColumn);
        if (lo >= nFrom)
        {
            lo += d;
            hi += d;
        }
        else if (hi > nFrom)
        {
            hi += d;
        }
    }
    for (INT_PTR k = 0; k < cellsDeleted.GetSize(); ++k)
        AppendSheetCell(pSheet, cellsDeleted[k]);
}

// ---------------------------------------------------------------------------
// Cell names

void CSheet::NextColumnName(LPSTR pszBuf, int cchBuf) const
{
    CopyBounded(pszBuf, cchBuf, NextColumnLetters(m_cells));
}

void CSheet::NextRowNumber(LPSTR pszBuf, int cchBuf) const
{
    CString str;
    str.Format("%d", LargestRowNumber(m_cells) + 1);
    CopyBounded(pszBuf, cchBuf, str);
}

void CSheet::GetMaxRowOfColumn(LPSTR pszLetters, int& nMax) const
{
    nMax = 0;
    if (pszLetters == NULL)
        return;
    char* pDst = pszLetters;
    for (const char* p = pszLetters; *p != '\0'; ++p)
        if ((BYTE)*p >= (BYTE)'A')
            *pDst++ = *p;
    *pDst = '\0';
    int nLength = (int)(pDst - pszLetters);
    for (INT_PTR i = 0; i < m_cells.GetSize(); ++i)
    {
        LPCSTR pszName = m_cells[i].m_strName;
        if (LetterCount(pszName) != nLength || memcmp(pszName, pszLetters, (size_t)nLength) != 0)
            continue;
        int n = RowNumber(pszName);
        if (n > nMax)
            nMax = n;
    }
}

// ---------------------------------------------------------------------------
// Rows and columns

BOOL CSheet::AddColumn(int x, int y, BOOL bRecordUndo)
{
    return InsertLine(this, TRUE, x, y, bRecordUndo);
}

BOOL CSheet::AddRow(int x, int y, BOOL bRecordUndo)
{
    return InsertLine(this, FALSE, x, y, bRecordUndo);
}

BOOL CSheet::DeleteColumns(int x, int y, BOOL bRecordUndo)
{
    return DeleteLine(this, TRUE, x, y, bRecordUndo);
}

BOOL CSheet::DeleteRow(int x, int y, BOOL bRecordUndo)
{
    return DeleteLine(this, FALSE, x, y, bRecordUndo);
}

// ---------------------------------------------------------------------------
// Merge and split

BOOL CSheet::MergeCells(int x, int y, BOOL bRecordUndo)
{
    if (m_cells.GetSize() == 0)
        return FALSE;
    std::vector<int> sel = ValidSelection(*this);
    if (sel.size() < 2)
        return TRUE;
    RECT rcUnion = UnionOfCells(m_cells, sel);
    BYTE nRightEdge = 0, nBottomEdge = 0;
    for (int n : sel)
    {
        if (nRightEdge == 0)
            nRightEdge = m_cells[n].m_nRightEdge;
        if (nBottomEdge == 0)
            nBottomEdge = m_cells[n].m_nBottomEdge;
    }
    // Any unselected cell overlapping the union makes the count differ.
    if (CountOverlapping(m_cells, rcUnion) != (int)sel.size())
        return FALSE;

    // The merged cell continues the last selected cell under the point, or
    // the first selected cell; an unselected cell there is not merged, so
    // it cannot lend its content.
    std::vector<char> selected((size_t)m_cells.GetSize(), 0);
    for (int n : sel)
        selected[(size_t)n] = 1;
    int nBase = -1;
    for (INT_PTR i = 0; i < m_cells.GetSize(); ++i)
        if (selected[(size_t)i] && Contains(m_cells[i], x, y))
            nBase = (int)i;
    if (nBase < 0)
        nBase = sel[0];

    CCell merged(m_cells[nBase]);
    merged.m_rect = rcUnion;
    if (nRightEdge != 0)
        merged.m_nRightEdge = nRightEdge;
    if (nBottomEdge != 0)
        merged.m_nBottomEdge = nBottomEdge;
    int nKeep = (int)(m_cells.GetSize() - (INT_PTR)sel.size());
    merged.m_nTabIndex = nKeep + 1;

    CMergeAction* pAction = NULL;
    if (bRecordUndo)
    {
        pAction = new CMergeAction;
        pAction->m_cursor.Save(this);
        CopySelected(*this, sel, pAction->m_cellsMerged);
        pAction->m_cellMerged = merged;
    }
    RemoveFlaggedCells(m_cells, selected);
    int n = AppendSheetCell(this, merged);
    m_arrSel.RemoveAll();
    m_arrSel.Add((UINT)n);
    m_nCurCell = n;
    Commit(this, pAction, bRecordUndo);
    return TRUE;
}

// Sub-cells tile the split cell exactly: column j spans
// [left + w*j/cols, left + w*(j+1)/cols), and likewise for rows, so the
// remainder is spread and no gap opens.  A cell narrower than its column
// count (or lower than its row count) cannot be split.
BOOL CSheet::SplitCell(int x, int y, int nRows, int nCols, BOOL bMergeFirst, BOOL bRecordUndo)
{
    if (nRows < 1 || nCols < 1 || m_cells.GetSize() == 0)
        return FALSE;
    std::vector<int> sel = ValidSelection(*this);
    BOOL bNoSelection = sel.empty();
    if (bNoSelection)
    {
        for (INT_PTR i = 0; i < m_cells.GetSize() && sel.empty(); ++i)
            if (Contains(m_cells[i], x, y))
                sel.push_back((int)i);
        if (sel.empty())
            return FALSE;
    }
    RECT rcUnion = UnionOfCells(m_cells, sel);
    if (CountOverlapping(m_cells, rcUnion) != (int)sel.size())
        return FALSE;

    // The cells to split, and which of them holds the current position.
    CCellArray pieces;
    int nCurPiece = -1;
    if (bMergeFirst && sel.size() > 1)
    {
        CCell cell(m_cells[sel[0]]);
        cell.m_rect = rcUnion;
        BYTE nRightEdge = 0, nBottomEdge = 0;
        for (int n : sel)
        {
            if (nRightEdge == 0)
                nRightEdge = m_cells[n].m_nRightEdge;
            if (nBottomEdge == 0)
                nBottomEdge = m_cells[n].m_nBottomEdge;
        }
        if (nRightEdge != 0)
            cell.m_nRightEdge = nRightEdge;
        if (nBottomEdge != 0)
            cell.m_nBottomEdge = nBottomEdge;
        pieces.Add(cell);
        for (int n : sel)
            if (n == m_nCurCell)
                nCurPiece = 0;
    }
    else
    {
        for (size_t k = 0; k < sel.size(); ++k)
        {
            pieces.Add(m_cells[sel[k]]);
            if (sel[k] == m_nCurCell)
                nCurPiece = (int)k;
        }
    }
    for (INT_PTR k = 0; k < pieces.GetSize(); ++k)
    {
        const RECT& rc = pieces[k].m_rect;
        if ((LONGLONG)rc.right - rc.left < nCols || (LONGLONG)rc.bottom - rc.top < nRows)
            return FALSE;
    }

    CSplitAction* pAction = NULL;
    if (bRecordUndo)
    {
        pAction = new CSplitAction;
        pAction->m_cursor.Save(this);
        pAction->m_bNoSelection = bNoSelection;
        CopySelected(*this, sel, pAction->m_cellsBefore);
    }

    // Largest row number of each column the sub-cells are named in, over
    // the cells that stay; the sub-cells raise it as they are made.
    std::vector<char> split((size_t)m_cells.GetSize(), 0);
    for (int n : sel)
        split[(size_t)n] = 1;
    std::unordered_map<std::string, int> maxRow;
    for (INT_PTR k = 0; k < pieces.GetSize(); ++k)
    {
        CString strLetters = Letters(pieces[k].m_strName);
        maxRow.emplace(std::string((LPCSTR)strLetters, (size_t)strLetters.GetLength()), 0);
    }
    for (INT_PTR i = 0; i < m_cells.GetSize(); ++i)
    {
        if (split[(size_t)i])
            continue;
        LPCSTR pszName = m_cells[i].m_strName;
        auto it = maxRow.find(std::string(pszName, (size_t)LetterCount(pszName)));
        if (it != maxRow.end())
        {
            int n = RowNumber(pszName);
            if (n > it->second)
                it->second = n;
        }
    }

    LONG nCurOld = m_nCurCell;
    LONG nCurNew = -1;
    if (nCurPiece < 0 && nCurOld >= 0 && nCurOld < (LONG)m_cells.GetSize())
    {
        // An unsplit current cell keeps its place among the cells that stay.
        nCurNew = 0;
        for (LONG i = 0; i < nCurOld; ++i)
            if (!split[(size_t)i])
                ++nCurNew;
    }
    RemoveFlaggedCells(m_cells, split);

    m_arrSel.RemoveAll();
    int nFirstSub = -1;
    for (INT_PTR k = 0; k < pieces.GetSize(); ++k)
    {
        CCell& piece = pieces[k];
        RECT rc = piece.m_rect;
        LONGLONG w = (LONGLONG)rc.right - rc.left;
        LONGLONG h = (LONGLONG)rc.bottom - rc.top;
        BYTE nRightEdge = piece.m_nRightEdge;
        BYTE nBottomEdge = piece.m_nBottomEdge;
        piece.m_nRightEdge = CELL_LINE_NONE;
        piece.m_nBottomEdge = CELL_LINE_NONE;
        CString strLetters = Letters(piece.m_strName);
        int& nLargest = maxRow[std::string((LPCSTR)strLetters, (size_t)strLetters.GetLength())];
        for (int i = 0; i < nRows; ++i)
        {
            for (int j = 0; j < nCols; ++j)
            {
                CCell cell(piece);
                cell.m_rect.left = (LONG)(rc.left + w * j / nCols);
                cell.m_rect.right = (LONG)(rc.left + w * (j + 1) / nCols);
                cell.m_rect.top = (LONG)(rc.top + h * i / nRows);
                cell.m_rect.bottom = (LONG)(rc.top + h * (i + 1) / nRows);
                if (j == nCols - 1)
                    cell.m_nRightEdge = nRightEdge;
                if (i == nRows - 1)
                    cell.m_nBottomEdge = nBottomEdge;
                if (i != 0 || j != 0)
                    MakeFreshCell(cell, CELL_NORMAL);
                cell.m_strName.Format("%s%d", (LPCSTR)strLetters, ++nLargest);
                int n = AppendSheetCell(this, cell);
                m_arrSel.Add((UINT)n);
                if (i == 0 && j == 0)
                {
                    if (nFirstSub < 0)
                        nFirstSub = n;
                    if (k == nCurPiece)
                        nCurNew = n;
                }
            }
        }
    }
    m_nCurCell = nCurNew >= 0 ? nCurNew : nFirstSub;

    if (pAction != NULL)
    {
        for (UINT i = (UINT)(m_cells.GetSize() - (INT_PTR)m_arrSel.GetSize());
             i < (UINT)m_cells.GetSize(); ++i)
            pAction->m_cellsAfter.Add(m_cells[i]);
        pAction->m_cursorAfter.Save(this);
    }
    Commit(this, pAction, bRecordUndo);
    return TRUE;
}
