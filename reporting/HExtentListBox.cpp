#include "reporting/HExtentListBox.h"

#include "framework/windows/ScopedGdi.h"

namespace
{
// Room beside the text.
const int kMargin = 6;
const int kDefaultTabStop = 2;   // dialog units
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

} // namespace

BEGIN_MESSAGE_MAP(CHExtentListBox, CListBox)
    ON_MESSAGE(LB_ADDSTRING, OnAddString)
    ON_MESSAGE(LB_INSERTSTRING, OnInsertString)
    ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
    ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
    ON_MESSAGE(LB_SETTABSTOPS, OnSetTabStops)
END_MESSAGE_MAP()

CHExtentListBox::CHExtentListBox() : m_nWidest(0), m_bTabStopsSet(FALSE)
{
}

void CHExtentListBox::EnsureTabStops()
{
    // Set before anything is measured, so no measuring is under way when
    // the re-measure of the tab stops runs.
    if (m_bTabStopsSet)
        return;
    int nStop = kDefaultTabStop;
    SendMessage(LB_SETTABSTOPS, 1, (LPARAM)&nStop);
}

LRESULT CHExtentListBox::AfterAdding(LRESULT lResult, LPARAM lParam)
{
    if (lResult != LB_ERR && lResult != LB_ERRSPACE)
        ExtendForItem((int)lResult, (LPCSTR)lParam);
    return lResult;
}

LRESULT CHExtentListBox::OnAddString(WPARAM, LPARAM lParam)
{
    EnsureTabStops();
    return AfterAdding(Default(), lParam);
}

LRESULT CHExtentListBox::OnInsertString(WPARAM, LPARAM lParam)
{
    EnsureTabStops();
    return AfterAdding(Default(), lParam);
}

void CHExtentListBox::MeasureItemText(int nIndex, LPCSTR lpszText, HDC hDC)
{
    int nLength = lstrlenA(lpszText);
    int nWidth;
    if (GetStyle() & LBS_USETABSTOPS)
    {
        nWidth = (short)LOWORD(::GetTabbedTextExtentA(hDC, lpszText, nLength, (int)m_tabStops.size(),
                                                        m_tabStops.empty() ? NULL : m_tabStops.data()));
    }
    else
    {
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, lpszText, nLength, &size);
        nWidth = size.cx;
    }
    nWidth += kMargin;
    if (nIndex < 0 || nIndex > (int)m_widths.size())
        nIndex = (int)m_widths.size();
    m_widths.insert(m_widths.begin() + nIndex, nWidth);
    if (nWidth > m_nWidest)
        m_nWidest = nWidth;
}

void CHExtentListBox::ExtendForItem(int nIndex, LPCSTR lpszText)
{
    CClientDC dc(m_hWnd);
    CScopedSelectObject font(dc.m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
    MeasureItemText(nIndex, lpszText, dc.m_hDC);
    SetHorizontalExtent(m_nWidest);
}

LRESULT CHExtentListBox::OnDeleteString(WPARAM wParam, LPARAM)
{
    LRESULT lResult = Default();
    int nIndex = (int)wParam;
    if (lResult == LB_ERR || nIndex < 0 || nIndex >= (int)m_widths.size())
        return lResult;
    int nWidth = m_widths[nIndex];
    m_widths.erase(m_widths.begin() + nIndex);
    if (nWidth < m_nWidest)
    {
        SetHorizontalExtent(m_nWidest);
        return lResult;
    }
    m_nWidest = 0;
    for (int nLeft : m_widths)
        if (nLeft > m_nWidest)
            m_nWidest = nLeft;
    SetHorizontalExtent(m_nWidest);
    return lResult;
}

LRESULT CHExtentListBox::OnResetContent(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    m_widths.clear();
    m_nWidest = 0;
    SetHorizontalExtent(0);
    return lResult;
}

LRESULT CHExtentListBox::OnSetTabStops(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    if (lResult == 0)
        return 0;
    m_bTabStopsSet = TRUE;
    m_tabStops.clear();
    int nCount = (int)wParam;
    if (nCount > 0 && lParam != 0)
    {
        CClientDC dc(m_hWnd);
        CScopedSelectObject font(dc.m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
        SIZE size = {};
        ::GetTextExtentPoint32A(dc.m_hDC, kAlphabet, lstrlenA(kAlphabet), &size);
        int nAverage = (size.cx / 26 + 1) / 2;
        const int* pStops = (const int*)lParam;
        for (int i = 0; i < nCount; ++i)
            m_tabStops.push_back((pStops[i] * nAverage + 2) / 4);
    }
    RecalcExtent();
    return lResult;
}

void CHExtentListBox::RecalcExtent()
{
    m_widths.clear();
    m_nWidest = 0;
    CClientDC dc(m_hWnd);
    CScopedSelectObject font(dc.m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        CString strText;
        GetText(i, strText);
        MeasureItemText(i, strText, dc.m_hDC);
    }
    SetHorizontalExtent(m_nWidest);
}
