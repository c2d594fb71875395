// Plain text (CF_TEXT) on the system clipboard: the open clipboard as a
// scope, and reading and writing its text with every step checked.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

// Opens the clipboard for hOwner and closes it again when it goes.
class CClipboardScope
{
public:
    explicit CClipboardScope(HWND hOwner) : m_bOpen(::OpenClipboard(hOwner)) {}
    ~CClipboardScope()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    BOOL IsOpen() const { return m_bOpen; }

    CClipboardScope(const CClipboardScope&) = delete;
    CClipboardScope& operator=(const CClipboardScope&) = delete;

private:
    BOOL m_bOpen;
};

// The clipboard's text; FALSE, leaving strText empty, when the clipboard
// cannot be opened, holds no text or its block cannot be read.
BOOL ReadClipboardText(HWND hOwner, CString& strText);
// Empties the clipboard and puts the text on it as a shared movable block;
// FALSE when the clipboard or the block cannot be had (nothing is left on
// the clipboard then).
BOOL WriteClipboardText(HWND hOwner, const CString& strText);
