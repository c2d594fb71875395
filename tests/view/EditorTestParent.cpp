#include "tests/view/EditorTestParent.h"

#include <string.h>

#include "view/CellEditNotify.h"

CEditorTestParent::CEditorTestParent()
{
    CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "editor test",
             WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 480, 320, NULL, NULL);
    m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 250, 200, 274), this, 2000);
    ::SetForegroundWindow(m_hWnd);
    UpdateWindow();
}

CEditorTestParent::~CEditorTestParent()
{
    DestroyWindow();
    PumpEditorMessages();
}

BOOL CEditorTestParent::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader->code < CELLN_END || pHeader->code > CELLN_CHANGE)
        return CWnd::OnNotify(0, lParam, pResult);
    const CellEditNotify* pRecord = reinterpret_cast<const CellEditNotify*>(lParam);
    m_notices.push_back({ pHeader->code, pRecord->cell, (LPCSTR)pRecord->text, pRecord->key,
                          pHeader->idFrom });
    *pResult = 0;
    return TRUE;
}

int CEditorTestParent::Count(UINT nCode) const
{
    int n = 0;
    for (const RecordedNotice& notice : m_notices)
        n += notice.nCode == nCode;
    return n;
}

const RecordedNotice* CEditorTestParent::Last(UINT nCode) const
{
    for (auto it = m_notices.rbegin(); it != m_notices.rend(); ++it)
        if (it->nCode == nCode)
            return &*it;
    return NULL;
}

void PumpEditorMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (CWnd::WalkPreTranslateTree(NULL, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void PressKey(UINT nVirtualKey)
{
    const HWND hFocus = ::GetFocus();
    ::PostMessageA(hFocus, WM_KEYDOWN, nVirtualKey, 1);
    ::PostMessageA(hFocus, WM_KEYUP, nVirtualKey, 0xC0000001);
    PumpEditorMessages();
}

HWND FindEditor(const CWnd& parent, UINT nID)
{
    return ::GetDlgItem(parent.m_hWnd, (int)nID);
}

void PutClipboardText(HWND hOwner, const char* pszText)
{
    if (!::OpenClipboard(hOwner))
        return;
    ::EmptyClipboard();
    const size_t nSize = strlen(pszText) + 1;
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    if (hData != NULL)
    {
        memcpy(::GlobalLock(hData), pszText, nSize);
        ::GlobalUnlock(hData);
        if (::SetClipboardData(CF_TEXT, hData) == NULL)
            ::GlobalFree(hData);
    }
    ::CloseClipboard();
}
