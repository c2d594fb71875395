// The record with which an in-place cell editor tells the view what
// happened, and the editors' shared notification helper.
#pragma once

#include <windows.h>

#include "framework/core/String.h"
#include "SheetViewIds.h"       // IDC_CELL_EDITOR, the editors' child id

class CWnd;

// Notification codes.
const UINT CELLN_END = 33051;       // focus lost: final text, the editor closes
const UINT CELLN_LEAVE = 33052;     // a key asks to leave the cell
const UINT CELLN_CHANGE = 33053;    // the text may have changed

// Valid only while the WM_NOTIFY that carries it is being handled.
struct CellEditNotify
{
    NMHDR hdr;
    int cell;
    CString text;
    int key;
};

// Sends the record to the editor's owner, or its parent when it has none.
// Nothing is sent when neither exists.  Returns the handler's result.
LRESULT SendCellEditNotify(CWnd* pEditor, UINT nCode, int nCell, const CString& strText,
                           int nKey);

// The editors' message pre-translation: key-downs and key-ups are
// translated and dispatched at once (no accelerator or dialog navigation
// sees them), except the mode keys F2 and F5, which go on to the frame's
// accelerators; Alt+character is swallowed.  TRUE when the message was
// taken.
BOOL PreTranslateEditorKeys(MSG* pMsg);
