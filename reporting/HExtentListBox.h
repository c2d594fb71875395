// CHExtentListBox: a list box whose horizontal scroll range follows the
// width of its widest entry, measured with its own font whenever entries
// are added, inserted, deleted or emptied or its tab stops change.
#pragma once

#include <vector>

#include "framework/windows/ListBox.h"

class CHExtentListBox : public CListBox
{
public:
    CHExtentListBox();

    // The horizontal extent last set.
    int GetWidest() const { return m_nWidest; }

protected:
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTabStops(WPARAM wParam, LPARAM lParam);

    // Records the width of one entry's text at nIndex (a DC with the list
    // box's font selected).
    void MeasureItemText(int nIndex, LPCSTR lpszText, HDC hDC);
    void ExtendForItem(int nIndex, LPCSTR lpszText);
    void RecalcExtent();

    DECLARE_MESSAGE_MAP()

private:
    LRESULT AfterAdding(LRESULT lResult, LPARAM lParam);
    // One tab stop of 2 dialog units until the owner sets its own.
    void EnsureTabStops();

    std::vector<int> m_widths;
    int m_nWidest;
    BOOL m_bTabStopsSet;
    std::vector<int> m_tabStops;   // in pixels
};
