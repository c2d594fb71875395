// COwnerDrawMenu: a menu whose pop-up items the program draws, with the
// image the same command has on a toolbar, embossed disabled items, drawn
// check marks and bullets, and right-aligned accelerator texts.
//
// LoadMenu builds the whole tree itself; each pop-up gets its own heap
// COwnerDrawMenu attached to its handle, so WM_MEASUREITEM and WM_DRAWITEM
// reach it as the pop-up's permanent menu object.
#pragma once

#include "framework/core/Array.h"
#include "framework/core/String.h"
#include "framework/windows/ImageList.h"
#include "framework/windows/Menu.h"

// The kind of system the program runs on; the 3D look of the menus follows it.
enum
{
    OS_KIND_WIN32S = 0,   // non-NT, major version below 4
    OS_KIND_WIN95 = 1,    // non-NT, 4 or later
    OS_KIND_NT3 = 2,      // NT below 4
    OS_KIND_NT4 = 3,      // NT 4 or later
};
// Detected from the system's version on first use unless set before.
int AfxGetOsKind();
void AfxSetOsKind(int nKind);
int AfxDetectOsKind();
// The kinds with the new shell's 3D look.
inline BOOL AfxIsNewShellKind(int nKind) { return nKind == OS_KIND_WIN95 || nKind == OS_KIND_NT4; }

// One per menu item; its address is the item data of the owner-drawn item.
struct OwnerDrawItem
{
    LPWSTR pszText;           // owned; may hold a tab and the accelerator text
    int nImageIndex;          // within pImageList, -1 = none
    int nToolbarID;           // toolbar that gave the image, -1 = none
    UINT nFlags;              // MF_ bits as given to the menu
    UINT_PTR nID;             // command id, or the pop-up's handle
    BOOL bReused;             // while SyncItems matches records again
    CImageList* pImageList;   // owned; only for items with an image
};

class COwnerDrawMenu : public CMenu
{
    DECLARE_DYNAMIC(COwnerDrawMenu)
public:
    COwnerDrawMenu();
    ~COwnerDrawMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    virtual BOOL LoadMenu(UINT nIDResource);
    virtual BOOL LoadMenu(LPCSTR lpszResourceName);
    virtual BOOL DestroyMenu();

    // Builds the tree from a menu template in memory, as LoadMenu does with
    // the resource's bytes.
    BOOL LoadMenuTemplate(const void* pTemplate, DWORD cbTemplate);

    // Gives the items whose commands are on the toolbar that toolbar's images.
    BOOL LoadToolbar(UINT nToolbarID);
    // In order, so a command on several toolbars keeps the last one's image.
    BOOL LoadToolbars(const UINT* pToolbarIDs, int nCount);

    BOOL AppendODMenu(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID, int nToolbarID = -1);
    BOOL ModifyODMenu(LPCWSTR lpszText, UINT nID, int nToolbarID);
    BOOL ModifyODMenu(LPCSTR lpszText, UINT nID, int nToolbarID);
    // A new record for the item at nPos; the caller puts it in an item array.
    OwnerDrawItem* ModifyODMenuByPosition(UINT nPos, UINT nFlags, UINT_PTR nID, LPCWSTR lpszText);

    BOOL GetMenuText(UINT nIDOrPos, CString& rString, UINT nFlags);
    // The menu (this or a sub-menu) holding the command, or NULL and -1.
    COwnerDrawMenu* FindMenuItem(UINT nID, int& rPos);
    // Matches the records to the items again after items were inserted,
    // removed or renamed at run time.
    void SyncItems();

    // The WM_MENUCHAR answer for an owner-drawn pop-up.
    static LRESULT FindMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    static BOOL IsOwnerDrawMenu(HMENU hMenu);

    // Records that exist in the whole process, for leak checks.
    static int GetLiveItemCount();

    int GetItemCount() const { return (int)m_items.GetSize(); }
    OwnerDrawItem* GetItem(int nIndex) const { return (OwnerDrawItem*)m_items.GetAt(nIndex); }

    int m_nImageWidth;
    int m_nImageHeight;

protected:
    CPtrArray m_items;      // OwnerDrawItem*, in menu order
    CPtrArray m_subMenus;   // HMENU of the pop-ups created under this menu

private:
    void SetItemImage(OwnerDrawItem* pItem, int nToolbarID, UINT nID);
    void AlignAccelerators();
    static OwnerDrawItem* NewItem(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID);
    static void FreeItem(OwnerDrawItem* pItem);
    void DrawItemImage(HDC hDC, const OwnerDrawItem* pItem, const RECT& rcItem, int dy,
                       UINT nState);
    void DrawCheckBox(HDC hDC, const RECT& rcItem, int dy, UINT nState, BOOL bRadio);
    void DrawEmbossedImage(HDC hDC, const OwnerDrawItem* pItem, int x, int y);
    void DrawItemText(HDC hDC, const CString& strText, const RECT& rcItem, UINT nState,
                      COLORREF crText);
};
