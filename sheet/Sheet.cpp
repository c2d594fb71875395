#include "sheet/Sheet.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

CSheet::CSheet()
    : m_wMagic(SHEET_MAGIC), m_wVersion(SHEET_VERSION), m_nKind(0), m_nReportType(0),
      m_nHeaderWord1(4), m_nHeaderWord2(0), m_nCellCount(0),
      m_lstCarried(10), m_lstBalance(10),
      m_bAnalysisFlag(0), m_nAnAttrType(0),
      m_lstAnOrgans(10), m_lstAnProperties(10), m_lstAnTimes(10),
      m_lstAnRowItems(10), m_lstAnColItems(10), m_lstDimOuter(10), m_lstDimInner(10),
      m_nHeaderBand(0), m_nTailBand(0), m_nPageLayout(-1),
      m_dwPageSetting1(0), m_dwPageSetting2(0), m_wPageSetting3(0),
      m_dwMarginLeft(0), m_dwMarginRight(0), m_dwMarginTop(0), m_dwMarginBottom(0),
      m_bDesignMode(TRUE), m_nDisplayMode(DISPLAY_NORMAL), m_nCurCell(-1),
      m_posUndo(NULL), m_lstUndo(10),
      m_lstWizRowItems(10), m_lstWizColItems(10),
      m_lstRowItemCodes(10), m_lstColItemCodes(10),
      m_nBorderClass(HIT_NONE), m_nMoveKind(0)
{
    memset(m_szTitle, 0, sizeof(m_szTitle));
    memset(m_szCode, 0, sizeof(m_szCode));
    memset(m_szVersion, 0, sizeof(m_szVersion));
    memset(m_szDesignDate, 0, sizeof(m_szDesignDate));
    memset(m_szDesignCompany, 0, sizeof(m_szDesignCompany));
    memset(m_szCompanyCode, 0, sizeof(m_szCompanyCode));
    memset(m_szDesigner, 0, sizeof(m_szDesigner));
    SetRectEmpty(&m_rcBounds);
    m_ptLastPointer.x = 0;
    m_ptLastPointer.y = 0;

    m_lstDimOuter.AddTail(CString("Organ"));
    m_lstDimInner.AddTail(CString("Time"));
    m_lstDimInner.AddHead(CString("RowItem"));
    m_lstDimInner.AddTail(CString("ColItem"));
}

// The undo records go first; the cells then release their picture blocks
// as the arrays destroy them.
CSheet::~CSheet()
{
    DeleteAllUndoActions();
}

BOOL CSheet::CompareCells(int i, int j) const
{
    const RECT& a = m_cells[i].m_rect;
    const RECT& b = m_cells[j].m_rect;
    return a.top < b.top || (a.top == b.top && a.left <= b.left);
}

void CSheet::SwapCells(int i, int j)
{
    if (i == j)
        return;
    CCell scratch(m_cells[i]);
    m_cells[i] = m_cells[j];
    m_cells[j] = scratch;
}

// Sorts into reading order.  The cells move as raw bytes (as the array moves
// them), and the selection and the current cell follow their cells.
void CSheet::SortCells()
{
    int nCount = (int)m_cells.GetSize();
    if (nCount < 2)
        return;
    std::vector<int> order(nCount);
    for (int i = 0; i < nCount; ++i)
        order[i] = i;
    CCell* pCells = m_cells.GetData();
    std::stable_sort(order.begin(), order.end(), [pCells](int i, int j) {
        const RECT& a = pCells[i].m_rect;
        const RECT& b = pCells[j].m_rect;
        return a.top < b.top || (a.top == b.top && a.left < b.left);
    });

    std::vector<unsigned char> bytes((size_t)nCount * sizeof(CCell));
    for (int k = 0; k < nCount; ++k)
        memcpy(&bytes[(size_t)k * sizeof(CCell)], (void*)&pCells[order[k]], sizeof(CCell));
    memcpy((void*)pCells, bytes.data(), bytes.size());

    std::vector<int> newIndex(nCount);
    for (int k = 0; k < nCount; ++k)
        newIndex[order[k]] = k;
    if (m_nCurCell >= 0 && m_nCurCell < nCount)
        m_nCurCell = newIndex[m_nCurCell];
    for (INT_PTR n = 0; n < m_arrSel.GetSize(); ++n)
    {
        UINT nSel = m_arrSel[n];
        if (nSel < (UINT)nCount)
            m_arrSel[n] = (UINT)newIndex[nSel];
    }
}

// from <= to: tab indices in [from, to) move up by one; from > to: those in
// (to, from] move down by one.
void CSheet::ShiftTabIndexes(int nFrom, int nTo)
{
    for (INT_PTR i = 0; i < m_cells.GetSize(); ++i)
    {
        LONG& nTab = m_cells[i].m_nTabIndex;
        if (nFrom <= nTo)
        {
            if (nTab >= nFrom && nTab < nTo)
                ++nTab;
        }
        else if (nTab > nTo && nTab <= nFrom)
        {
            --nTab;
        }
    }
}

void CSheet::UpdateBoundingRect()
{
    if (m_cells.GetSize() == 0)
        return;
    RECT rc = { 0, 0, 0, 0 };
    for (INT_PTR i = 0; i < m_cells.GetSize(); ++i)
    {
        const RECT& r = m_cells[i].m_rect;
        if (r.left < rc.left)
            rc.left = r.left;
        if (r.top < rc.top)
            rc.top = r.top;
        if (r.right > rc.right)
            rc.right = r.right;
        if (r.bottom > rc.bottom)
            rc.bottom = r.bottom;
    }
    m_rcBounds = rc;
}

int CSheet::HitTestBorder(int x, int y) const
{
    if (x < 6 || y < 6)
        return HIT_NONE;
    for (INT_PTR i = 0; i < m_cells.GetSize(); ++i)
    {
        const CCell& cell = m_cells[i];
        const RECT& r = cell.m_rect;
        if (!(r.left <= x && x < r.right && r.top <= y && y < r.bottom))
            continue;
        BOOL bInRows = r.top <= y && y <= r.bottom;
        BOOL bInCols = r.left <= x && x <= r.right;
        if (abs(x - r.left) <= 1 && bInRows)
            return HIT_VERTICAL_BORDER;
        if (abs(y - r.top) <= 1 && bInCols)
            return HIT_HORIZONTAL_BORDER;
        if (abs(x - r.right) <= 1 && bInRows)
            return HIT_VERTICAL_BORDER;
        if (abs(y - r.bottom) <= 1 && bInCols)
            return HIT_HORIZONTAL_BORDER;
        return (cell.m_nType == CELL_NUMERIC || cell.m_nType == CELL_FORMULA)
            ? HIT_INSIDE_DATA : HIT_INSIDE_OTHER;
    }
    return HIT_NONE;
}

CCell* CSheet::FindCellByName(LPCSTR pszName)
{
    if (pszName == NULL)
        return NULL;
    for (INT_PTR i = 0; i < m_cells.GetSize(); ++i)
        if (m_cells[i].m_strName == pszName)
            return &m_cells[i];
    return NULL;
}

BOOL CSheet::IsComputedByDatabase(const CCell& cell) const
{
    return m_nKind == SHEET_KIND_ANALYSIS && !cell.m_strAnalysis.IsEmpty() && cell.m_strAnalysis[0] == '@';
}

BOOL CSheet::HasCurCell() const
{
    return m_nCurCell >= 0 && m_nCurCell < m_cells.GetSize();
}

CCell* CSheet::GetCurCell()
{
    return HasCurCell() ? &m_cells[m_nCurCell] : NULL;
}

CCell* CSheet::GetSelectedCell(int n)
{
    if (n < 0 || n >= m_arrSel.GetSize())
        return NULL;
    UINT nIndex = m_arrSel[n];
    return nIndex < (UINT)m_cells.GetSize() ? &m_cells[nIndex] : NULL;
}

void CSheet::ValidateSelection()
{
    INT_PTR nCount = m_cells.GetSize();
    for (INT_PTR n = m_arrSel.GetSize() - 1; n >= 0; --n)
        if (m_arrSel[n] >= (UINT)nCount)
            m_arrSel.RemoveAt(n);
    if (nCount == 0)
    {
        m_arrSel.RemoveAll();
        m_nCurCell = -1;
        return;
    }
    if (!HasCurCell())
        m_nCurCell = m_arrSel.GetSize() > 0 ? (LONG)m_arrSel[0] : -1;
}

void CSheet::RemoveAllCells()
{
    m_cells.RemoveAll();
    m_arrSel.RemoveAll();
    m_nCurCell = -1;
}

void SplitItemEntry(CString& strEntry, BOOL bWantCode)
{
    int nSpace = strEntry.Find(' ');
    if (bWantCode)
    {
        if (nSpace >= 0)
            strEntry = strEntry.Left(nSpace);
        return;
    }
    if (nSpace < 0)
    {
        strEntry.Empty();
        return;
    }
    strEntry = strEntry.Mid(nSpace + 1);
    strEntry.TrimLeft(' ');
}

void CopyStringList(CStringList& dst, const CStringList& src)
{
    dst.RemoveAll();
    for (POSITION pos = src.GetHeadPosition(); pos != NULL;)
        dst.AddTail(src.GetNext(pos));
}
