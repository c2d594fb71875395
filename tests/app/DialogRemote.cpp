#include "tests/app/DialogRemote.h"

#include "tests/app/RemoteStruct.h"

#include <windows.h>
#include <commctrl.h>

namespace
{
const DWORD kHandlerMs = 20000;
const DWORD kPollMs = 50;

// The items of the tree in pre-order with their depth.
void Walk(HWND hTree, HTREEITEM hItem, int nDepth, std::vector<std::pair<HTREEITEM, int>>& items)
{
    for (; hItem != NULL; hItem = (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)hItem))
    {
        items.push_back(std::make_pair(hItem, nDepth));
        Walk(hTree, (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)hItem), nDepth + 1, items);
    }
}

std::vector<std::pair<HTREEITEM, int>> TreeItems(HWND hTree)
{
    std::vector<std::pair<HTREEITEM, int>> items;
    Walk(hTree, (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0), 0, items);
    return items;
}
} // namespace

std::string CDialogRemote::Text(int nID) const
{
    char szText[512] = "";
    SendDlgItemMessageA(m_hDlg, nID, WM_GETTEXT, sizeof(szText), (LPARAM)szText);
    return szText;
}

void CDialogRemote::SetText(int nID, LPCSTR lpszText) const
{
    SendDlgItemMessageA(m_hDlg, nID, WM_SETTEXT, 0, (LPARAM)lpszText);
}

BOOL CDialogRemote::IsEnabled(int nID) const
{
    return IsWindowEnabled(GetDlgItem(m_hDlg, nID));
}

HWND CDialogRemote::FindBox() const
{
    for (HWND hWnd : m_designer.TopLevelWindows())
    {
        if (hWnd != m_hDlg && CDesignerProcess::ClassOf(hWnd) == "#32770" && IsWindowVisible(hWnd) &&
            GetWindow(hWnd, GW_OWNER) == m_hDlg && GetDlgItem(hWnd, 0xFFFF) != NULL)
            return hWnd;
    }
    return NULL;
}

BOOL CDialogRemote::Press(int nID)
{
    DWORD_PTR dwResult = 0;
    HWND hButton = GetDlgItem(m_hDlg, nID);
    if (SendMessageTimeoutA(m_hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hButton, SMTO_NORMAL,
                            kHandlerMs, &dwResult))
        return TRUE;
    Settle();
    return FALSE;
}

std::vector<std::string> CDialogRemote::Settle(int nAnswer)
{
    std::vector<std::string> texts;
    for (;;)
    {
        DWORD_PTR dwResult = 0;
        // A sent message is taken only once the dialog's thread waits for
        // messages again: in its own loop, or in a message box's.
        if (!SendMessageTimeoutA(m_hDlg, WM_NULL, 0, 0, SMTO_NORMAL, kHandlerMs, &dwResult))
            return texts;
        HWND hBox = NULL;
        for (DWORD dwWaited = 0; dwWaited < 300 && (hBox = FindBox()) == NULL; dwWaited += kPollMs)
            Sleep(kPollMs);
        if (hBox == NULL)
            return texts;
        std::string strText = (LPCSTR)CDesignerProcess::MessageText(hBox);
        texts.push_back(strText);
        m_boxes.push_back(strText);
        CDesignerProcess::Press(hBox, GetDlgItem(hBox, nAnswer) != NULL ? nAnswer : IDOK);
        CDesignerProcess::WaitGone(hBox, kHandlerMs);
    }
}

std::vector<std::string> CDialogRemote::PressAnswering(int nID, int nAnswer)
{
    CDesignerProcess::Press(m_hDlg, nID);
    return Settle(nAnswer);
}

HWND CDialogRemote::PressOpening(int nID, LPCSTR lpszCaption)
{
    CDesignerProcess::Press(m_hDlg, nID);
    return m_designer.WaitForDialog(lpszCaption, kHandlerMs);
}

std::vector<std::string> CDialogRemote::ListItems(int nID) const
{
    std::vector<std::string> items;
    HWND hList = GetDlgItem(m_hDlg, nID);
    int nCount = (int)SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i)
    {
        // Between processes the list box answers in its own, Unicode, form.
        WCHAR szWide[512] = {};
        char szText[1024] = "";
        SendMessageW(hList, LB_GETTEXT, i, (LPARAM)szWide);
        WideCharToMultiByte(CP_ACP, 0, szWide, -1, szText, sizeof(szText), NULL, NULL);
        items.push_back(szText);
    }
    return items;
}

std::vector<std::string> CDialogRemote::TreeStates(int nID) const
{
    HWND hTree = GetDlgItem(m_hDlg, nID);
    std::vector<std::string> states;
    for (const auto& item : TreeItems(hTree))
    {
        UINT nState = (UINT)SendMessageA(hTree, TVM_GETITEMSTATE, (WPARAM)item.first, TVIS_STATEIMAGEMASK);
        states.push_back(std::to_string(item.second) + ":" + std::to_string(nState >> 12));
    }
    return states;
}

BOOL CDialogRemote::TreeItemTextRect(int nID, int nPosition, RECT& rc) const
{
    HWND hTree = GetDlgItem(m_hDlg, nID);
    std::vector<std::pair<HTREEITEM, int>> items = TreeItems(hTree);
    if (nPosition < 0 || nPosition >= (int)items.size())
        return FALSE;
    // The control reads the item from the rectangle's first field.
    *(HTREEITEM*)&rc = items[nPosition].first;
    if (!SendForRemoteStruct(hTree, TVM_GETITEMRECT, TRUE, rc))
        return FALSE;
    MapWindowPoints(hTree, NULL, (POINT*)&rc, 2);
    return TRUE;
}

BOOL CDialogRemote::ToggleTreeItem(int nID, int nPosition)
{
    HWND hTree = GetDlgItem(m_hDlg, nID);
    std::vector<std::pair<HTREEITEM, int>> items = TreeItems(hTree);
    if (nPosition < 0 || nPosition >= (int)items.size())
        return FALSE;
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)items[nPosition].first);
    PostMessageA(hTree, WM_KEYDOWN, VK_SPACE, 0);
    Settle();
    return TRUE;
}
