// CTypeListBox: the cell type list of the Cell Format page.  While locked
// (other formulas name a selected cell) a click, a double click or a key
// press on it only tells the user so.
#pragma once

#include "framework/windows/ListBox.h"

class CTypeListBox : public CListBox
{
public:
    CTypeListBox() : m_bLocked(FALSE) {}

    BOOL m_bLocked;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
