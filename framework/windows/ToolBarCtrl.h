// CToolBarCtrl: the toolbar common control.
#pragma once

#include "framework/windows/ImageList.h"
#include "framework/windows/Wnd.h"

class CToolBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    DWORD SetExtendedStyle(DWORD dwExStyle)
    {
        return (DWORD)SendMessage(TB_SETEXTENDEDSTYLE, 0, (LPARAM)dwExStyle);
    }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(TB_GETEXTENDEDSTYLE); }
    // A temporary wrapper unless the list has a permanent one.
    CImageList* GetImageList() const
    {
        return CImageList::FromHandle((HIMAGELIST)SendMessage(TB_GETIMAGELIST));
    }
    CImageList* SetImageList(CImageList* pImageList);
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
    {
        return (BOOL)SendMessage(TB_ADDBUTTONSA, (WPARAM)nNumButtons, (LPARAM)lpButtons);
    }
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    int GetButtonCount() const { return (int)SendMessage(TB_BUTTONCOUNT); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const
    {
        return (BOOL)SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)lpButton);
    }
    // By command id (or by index with TBIF_BYINDEX); the caller sets
    // cbSize and dwMask.  These return the index, or -1.
    int GetButtonInfo(int nID, TBBUTTONINFOA* ptbbi) const
    {
        return (int)SendMessage(TB_GETBUTTONINFOA, (WPARAM)nID, (LPARAM)ptbbi);
    }
    BOOL SetButtonInfo(int nID, TBBUTTONINFOA* ptbbi)
    {
        return (BOOL)SendMessage(TB_SETBUTTONINFOA, (WPARAM)nID, (LPARAM)ptbbi);
    }
    int CommandToIndex(UINT nID) const { return (int)SendMessage(TB_COMMANDTOINDEX, (WPARAM)nID); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return (BOOL)SendMessage(TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
    }
    BOOL IsButtonChecked(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONCHECKED, (WPARAM)nID); }
    BOOL IsButtonPressed(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONPRESSED, (WPARAM)nID); }
    BOOL IsButtonEnabled(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONENABLED, (WPARAM)nID); }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE)
    {
        return (BOOL)SendMessage(TB_CHECKBUTTON, (WPARAM)nID, MAKELPARAM(bCheck, 0));
    }
    BOOL PressButton(int nID, BOOL bPress = TRUE)
    {
        return (BOOL)SendMessage(TB_PRESSBUTTON, (WPARAM)nID, MAKELPARAM(bPress, 0));
    }
    BOOL EnableButton(int nID, BOOL bEnable = TRUE)
    {
        return (BOOL)SendMessage(TB_ENABLEBUTTON, (WPARAM)nID, MAKELPARAM(bEnable, 0));
    }
    BOOL SetButtonSize(CSize size) { return (BOOL)SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    BOOL SetBitmapSize(CSize size) { return (BOOL)SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
};
