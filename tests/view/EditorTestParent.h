// What the in-place editor tests share: a visible parent window that
// records the editors' notices (copied, since a record lives only while it
// is handled) and holds a second control to click away to, and keyboard
// input that passes through message pre-translation as in the program.
#pragma once

#include <string>
#include <vector>

#include "framework/windows/Edit.h"
#include "framework/windows/Wnd.h"

struct RecordedNotice
{
    UINT nCode;
    int nCell;
    std::string strText;
    int nKey;
    UINT_PTR idFrom;
};

class CEditorTestParent : public CWnd
{
public:
    CEditorTestParent();
    ~CEditorTestParent() override;

    std::vector<RecordedNotice> m_notices;
    // The other control the focus can move to ("a click elsewhere").
    CEdit m_other;

    int Count(UINT nCode) const;
    const RecordedNotice* Last(UINT nCode) const;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// Dispatches what is waiting, offering each message to pre-translation
// first, as the program's message loop does.
void PumpEditorMessages();
// Posts a key press (down and up) to the focus window and pumps.
void PressKey(UINT nVirtualKey);
// The editor window with the given id under the parent, or NULL once it
// has closed.
HWND FindEditor(const CWnd& parent, UINT nID);
// Puts text on the clipboard as CF_TEXT.
void PutClipboardText(HWND hOwner, const char* pszText);
