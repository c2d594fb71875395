#include "view/TypeListBox.h"

#include "framework/core/MessageSink.h"

LRESULT CTypeListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const BOOL bInput = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_KEYDOWN;
    if (m_bLocked && bInput)
    {
        AfxMessageBox("This cell is used by other Formula Cells,cannot change type!");
        return 0;
    }
    // A typed letter would move the selection as well.
    if (m_bLocked && message == WM_CHAR)
        return 0;
    return CListBox::WindowProc(message, wParam, lParam);
}
