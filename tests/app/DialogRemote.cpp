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

// The entries of a list box or a combo box, asked with its count and text
// messages.  Between processes the control answers in its own, Unicode,
// form.
std::vector<std::string> EntriesOf(HWND hControl, UINT nCountMessage, UINT nTextMessage, UINT nCodePage = CP_ACP)
{
    std::vector<std::string> entries;
    int nCount = (int)SendMessageA(hControl, nCountMessage, 0, 0);
    for (int i = 0; i < nCount; ++i)
    {
        WCHAR szWide[512] = {};
        char szText[1024] = "";
        SendMessageW(hControl, nTextMessage, i, (LPARAM)szWide);
        WideCharToMultiByte(nCodePage, 0, szWide, -1, szText, sizeof(szText), NULL, NULL);
        entries.push_back(szText);
    }
    return entries;
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

std::string CDialogRemote::TextUtf8(int nID) const
{
    WCHAR szWide[512] = {};
    char szText[1024] = "";
    SendDlgItemMessageW(m_hDlg, nID, WM_GETTEXT, 512, (LPARAM)szWide);
    WideCharToMultiByte(CP_UTF8, 0, szWide, -1, szText, sizeof(szText), NULL, NULL);
    return szText;
}

void CDialogRemote::SetTextUtf8(int nID, const char* pszUtf8) const
{
    WCHAR szWide[512] = {};
    MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, szWide, 512);
    SendDlgItemMessageW(m_hDlg, nID, WM_SETTEXT, 0, (LPARAM)szWide);
}

std::vector<std::string> CDialogRemote::ListItemsUtf8(int nID) const
{
    return EntriesOf(GetDlgItem(m_hDlg, nID), LB_GETCOUNT, LB_GETTEXT, CP_UTF8);
}

BOOL CDialogRemote::IsEnabled(int nID) const
{
    return IsWindowEnabled(GetDlgItem(m_hDlg, nID));
}

HWND CDialogRemote::FindBox(HWND hOwner) const
{
    for (HWND hWnd : m_designer.TopLevelWindows())
    {
        if (hWnd != m_hDlg && CDesignerProcess::ClassOf(hWnd) == "#32770" && IsWindowVisible(hWnd) &&
            GetWindow(hWnd, GW_OWNER) == hOwner && GetDlgItem(hWnd, 0xFFFF) != NULL)
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

std::vector<std::string> CDialogRemote::Settle(int nAnswer, HWND hOwner)
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
        for (DWORD dwWaited = 0; dwWaited < 300 && (hBox = FindBox(hOwner != NULL ? hOwner : m_hDlg)) == NULL;
             dwWaited += kPollMs)
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

// The command is sent without waiting rather than posted: sent messages
// are taken in their order, and before posted ones, so the handler has run
// (or shows a box) by the time the dialog's thread takes Settle's WM_NULL.
// A posted command could still wait in the queue then.
std::vector<std::string> CDialogRemote::PressAnswering(int nID, int nAnswer)
{
    SendNotifyMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)GetDlgItem(m_hDlg, nID));
    return Settle(nAnswer);
}

HWND CDialogRemote::PressOpening(int nID, LPCSTR lpszCaption)
{
    CDesignerProcess::Press(m_hDlg, nID);
    return m_designer.WaitForDialog(lpszCaption, kHandlerMs);
}

std::vector<std::string> CDialogRemote::Click(int nID, int nAnswer)
{
    SendNotifyMessageA(GetDlgItem(m_hDlg, nID), BM_CLICK, 0, 0);
    return Settle(nAnswer);
}

BOOL CDialogRemote::IsChecked(int nID) const
{
    return SendDlgItemMessageA(m_hDlg, nID, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CDialogRemote::SelectListItems(int nID, const std::vector<int>& indexes) const
{
    HWND hList = GetDlgItem(m_hDlg, nID);
    SendMessageA(hList, LB_SETSEL, FALSE, -1);
    for (int nIndex : indexes)
        SendMessageA(hList, LB_SETSEL, TRUE, nIndex);
}

std::vector<std::string> CDialogRemote::ComboItems(int nID) const
{
    return EntriesOf(GetDlgItem(m_hDlg, nID), CB_GETCOUNT, CB_GETLBTEXT);
}

int CDialogRemote::ComboSelection(int nID) const
{
    return (int)SendDlgItemMessageA(m_hDlg, nID, CB_GETCURSEL, 0, 0);
}

std::vector<std::string> CDialogRemote::ChooseComboItem(int nID, int nIndex, int nAnswer, HWND hOwner)
{
    HWND hCombo = GetDlgItem(m_hDlg, nID);
    SendMessageA(hCombo, CB_SETCURSEL, nIndex, 0);
    PostMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)hCombo);
    return Settle(nAnswer, hOwner);
}

std::vector<std::string> CDialogRemote::ListItems(int nID) const
{
    return ListEntries(GetDlgItem(m_hDlg, nID));
}

std::vector<std::string> CDialogRemote::ListEntries(HWND hList)
{
    return EntriesOf(hList, LB_GETCOUNT, LB_GETTEXT);
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
