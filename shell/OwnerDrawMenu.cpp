#include "shell/OwnerDrawMenu.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/ToolBarResource.h"
#include "framework/windows/GdiObject.h"
#include "framework/windows/ScopedGdi.h"
#include "shell/MenuText.h"

IMPLEMENT_DYNAMIC(COwnerDrawMenu, CMenu)

namespace
{
const int kKindUnknown = -1;
int g_nOsKind = kKindUnknown;
int g_nLiveItems = 0;

// The handles of every pop-up this class made; created on first use (so
// before any menu, whatever the order of static construction) and freed at
// exit.
class COwnerDrawMenuList
{
public:
    ~COwnerDrawMenuList() { delete m_pHandles; }
    CPtrArray& Handles()
    {
        if (m_pHandles == NULL)
            m_pHandles = new CPtrArray;
        return *m_pHandles;
    }
    BOOL Contains(HMENU hMenu) const
    {
        if (m_pHandles == NULL || hMenu == NULL)
            return FALSE;
        for (INT_PTR i = 0; i < m_pHandles->GetSize(); ++i)
            if (m_pHandles->GetAt(i) == hMenu)
                return TRUE;
        return FALSE;
    }
    void RemoveAll(HMENU hMenu)
    {
        if (m_pHandles == NULL || hMenu == NULL)
            return;
        for (INT_PTR i = m_pHandles->GetSize() - 1; i >= 0; --i)
            if (m_pHandles->GetAt(i) == hMenu)
                m_pHandles->RemoveAt(i);
    }

private:
    CPtrArray* m_pHandles = NULL;
};
COwnerDrawMenuList g_ownerDrawMenus;

const int kMaxPadding = 256;

// The image index of the command's button: separators take no image, so
// buttons count up from 0 skipping them; -1 when the command has no button.
int ButtonImageIndex(const CUIntArray& ids, UINT nID)
{
    int nImage = 0;
    for (INT_PTR i = 0; i < ids.GetSize(); ++i)
    {
        if (ids[i] == 0)
            continue;
        if (ids[i] == nID)
            return nImage;
        ++nImage;
    }
    return -1;
}

// The image list colour flag matching the display's depth.
UINT DisplayColourFlag()
{
    HDC hScreen = ::GetDC(NULL);
    int nDepth = hScreen != NULL ? ::GetDeviceCaps(hScreen, BITSPIXEL) : 24;
    if (hScreen != NULL)
        ::ReleaseDC(NULL, hScreen);
    if (nDepth >= 32)
        return ILC_COLOR32;
    if (nDepth >= 24)
        return ILC_COLOR24;
    if (nDepth >= 16)
        return ILC_COLOR16;
    return nDepth >= 8 ? ILC_COLOR8 : ILC_COLOR4;
}
}

int AfxGetOsKind()
{
    if (g_nOsKind == kKindUnknown)
        g_nOsKind = AfxDetectOsKind();
    return g_nOsKind;
}

void AfxSetOsKind(int nKind) { g_nOsKind = nKind; }

int AfxDetectOsKind()
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
    if (!::GetVersionExA(&vi))
        return OS_KIND_NT4;
    if (vi.dwPlatformId == VER_PLATFORM_WIN32_NT)
        return vi.dwMajorVersion >= 4 ? OS_KIND_NT4 : OS_KIND_NT3;
    return vi.dwMajorVersion >= 4 ? OS_KIND_WIN95 : OS_KIND_WIN32S;
}

BOOL COwnerDrawMenu::IsOwnerDrawMenu(HMENU hMenu)
{
    return g_ownerDrawMenus.Contains(hMenu);
}

OwnerDrawItem* COwnerDrawMenu::NewItem(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID)
{
    OwnerDrawItem* p = new OwnerDrawItem;
    p->pszText = DuplicateWide(lpszText);
    p->nImageIndex = -1;
    p->nToolbarID = -1;
    p->nFlags = nFlags;
    p->nID = nID;
    p->bReused = FALSE;
    p->pImageList = NULL;
    ++g_nLiveItems;
    return p;
}

int COwnerDrawMenu::GetLiveItemCount() { return g_nLiveItems; }

COwnerDrawMenu::COwnerDrawMenu() : m_nImageWidth(16), m_nImageHeight(15) {}

COwnerDrawMenu::~COwnerDrawMenu() { DestroyMenu(); }

void COwnerDrawMenu::FreeItem(OwnerDrawItem* pItem)
{
    if (pItem == NULL)
        return;
    delete pItem->pImageList;
    delete[] pItem->pszText;
    delete pItem;
    --g_nLiveItems;
}

BOOL COwnerDrawMenu::DestroyMenu()
{
    g_ownerDrawMenus.RemoveAll(m_hMenu);
    for (INT_PTR i = m_subMenus.GetSize() - 1; i >= 0; --i)
    {
        HMENU hSub = (HMENU)m_subMenus.GetAt(i);
        g_ownerDrawMenus.RemoveAll(hSub);
        CMenu* pSub = CMenu::FromHandlePermanent(hSub);
        if (pSub != NULL && pSub != this && pSub->IsKindOf(RUNTIME_CLASS(COwnerDrawMenu)))
            delete pSub;   // destroys its own pop-up and those under it
    }
    m_subMenus.RemoveAll();
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        FreeItem((OwnerDrawItem*)m_items.GetAt(i));
    m_items.RemoveAll();
    if (m_hMenu == NULL)
        return FALSE;
    return CMenu::DestroyMenu();
}

BOOL COwnerDrawMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL COwnerDrawMenu::LoadMenu(LPCSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, lpszResourceName, (LPCSTR)RT_MENU);
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hInst, hRes);
    const void* p = hData != NULL ? ::LockResource(hData) : NULL;
    if (p == NULL)
        return FALSE;
    return LoadMenuTemplate(p, ::SizeofResource(hInst, hRes));
}

BOOL COwnerDrawMenu::LoadMenuTemplate(const void* pTemplate, DWORD cbTemplate)
{
    const BYTE* pBytes = (const BYTE*)pTemplate;
    if (pBytes == NULL || cbTemplate < 4)
        return FALSE;
    const WORD* p = (const WORD*)pBytes;
    DWORD nOffset = 4 + p[1];
    if (nOffset > cbTemplate)
        return FALSE;
    if (m_hMenu != NULL)
        DestroyMenu();
    if (!CreateMenu())
        return FALSE;

    // The words of the template; a truncated template ends the tree there.
    const WORD* pEnd = (const WORD*)(pBytes + (cbTemplate & ~1u));
    p = (const WORD*)(pBytes + nOffset);

    struct Level
    {
        COwnerDrawMenu* pMenu;
        BOOL bEndsHere;
    };
    CArray<Level, const Level&> stack;
    stack.Add(Level{this, FALSE});
    while (stack.GetSize() > 0 && p < pEnd)
    {
        UINT nFlags = *p++;
        UINT nID = 0;
        if (!(nFlags & MF_POPUP))
        {
            if (p >= pEnd)
                break;
            nID = *p++;
        }
        const WORD* pText = p;
        while (p < pEnd && *p != 0)
            ++p;
        if (p >= pEnd)
            break;
        CArray<WCHAR, WCHAR> text;
        for (const WORD* q = pText; q < p; ++q)
            text.Add((WCHAR)*q);
        text.Add(0);
        ++p;
        BOOL bEnd = (nFlags & MF_END) != 0;
        nFlags &= ~MF_END;
        Level& top = stack[stack.GetSize() - 1];
        if (nFlags & MF_POPUP)
        {
            if (bEnd)
                top.bEndsHere = TRUE;
            COwnerDrawMenu* pSub = new COwnerDrawMenu;
            if (!pSub->CreatePopupMenu())
            {
                delete pSub;
                DestroyMenu();
                return FALSE;
            }
            top.pMenu->AppendODMenu(text.GetData(), nFlags, (UINT_PTR)pSub->m_hMenu, -1);
            stack.Add(Level{pSub, FALSE});
        }
        else
        {
            top.pMenu->AppendODMenu(text.GetData(), nFlags, nID, -1);
            if (bEnd)
                top.bEndsHere = TRUE;
            while (stack.GetSize() > 0 && stack[stack.GetSize() - 1].bEndsHere)
            {
                stack[stack.GetSize() - 1].pMenu->AlignAccelerators();
                stack.RemoveAt(stack.GetSize() - 1);
            }
        }
    }

    // The menu bar itself is drawn by the system.
    for (int i = 0; i < GetItemCount(); ++i)
    {
        OwnerDrawItem* pItem = GetItem(i);
        if (pItem->nFlags & MF_POPUP)
        {
            pItem->nFlags = MF_BYPOSITION | MF_POPUP;
            CMenu::ModifyMenu(i, MF_BYPOSITION | MF_POPUP, pItem->nID, pItem->pszText);
        }
        else
        {
            pItem->nFlags = MF_BYPOSITION;
            CMenu::ModifyMenu(i, MF_BYPOSITION | MF_STRING, pItem->nID, pItem->pszText);
        }
    }
    return TRUE;
}

void COwnerDrawMenu::AlignAccelerators()
{
    CScopedGdiObject font(CreateMenuFont());
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return;
    HGDIOBJ hOld = ::SelectObject(hDC, font.Get());

    auto labelLength = [](LPCWSTR s) {
        LPCWSTR pTab = FindTab(s);
        return pTab != NULL ? (int)(pTab - s) : ::lstrlenW(s);
    };
    auto measure = [hDC](const CArray<WCHAR, WCHAR>& s) {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(hDC, s.GetData(), (int)s.GetSize(), &size);
        return (int)size.cx;
    };
    int nMax = 0;
    for (int i = 0; i < GetItemCount(); ++i)
    {
        LPCWSTR s = GetItem(i)->pszText;
        CArray<WCHAR, WCHAR> label;
        for (int k = 0, n = labelLength(s); k < n; ++k)
            label.Add(s[k]);
        label.Add(L' ');
        int cx = measure(label);
        if (cx > nMax)
            nMax = cx;
    }
    for (int i = 0; i < GetItemCount(); ++i)
    {
        OwnerDrawItem* pItem = GetItem(i);
        LPCWSTR s = pItem->pszText;
        LPCWSTR pTab = FindTab(s);
        if (pTab == NULL)
            continue;
        CArray<WCHAR, WCHAR> label;
        for (const WCHAR* q = s; q < pTab; ++q)
            label.Add(*q);
        // The cap guards against a font whose space has no width.
        for (int nSpaces = 0; measure(label) < nMax && nSpaces < kMaxPadding; ++nSpaces)
            label.Add(L' ');
        for (const WCHAR* q = pTab; *q != 0; ++q)
            label.Add(*q);
        label.Add(0);
        ReplaceWide(pItem->pszText, label.GetData());
    }

    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
}

BOOL COwnerDrawMenu::AppendODMenu(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID, int nToolbarID)
{
    if (nID != 0)
        nFlags |= MF_OWNERDRAW;
    else
        nFlags = MF_SEPARATOR | MF_OWNERDRAW | (nFlags & MF_BYPOSITION);
    if (nFlags & MF_POPUP)
    {
        g_ownerDrawMenus.Handles().Add((void*)nID);
        m_subMenus.Add((void*)nID);
    }
    OwnerDrawItem* pItem = NewItem(lpszText, nFlags, nID);
    if (nToolbarID >= 0)
        SetItemImage(pItem, nToolbarID, (UINT)nID);
    // The records stay in step with the items: a refused item has none.
    if (!::AppendMenuW(m_hMenu, nFlags, nID, (LPCWSTR)pItem))
    {
        FreeItem(pItem);
        return FALSE;
    }
    m_items.Add(pItem);
    return TRUE;
}

void COwnerDrawMenu::SetItemImage(OwnerDrawItem* pItem, int nToolbarID, UINT nID)
{
    pItem->nToolbarID = nToolbarID;
    pItem->nImageIndex = -1;
    if (nToolbarID < 0)
        return;
    CToolBarResource toolbar;
    toolbar.Load(AfxGetResourceHandle(), MAKEINTRESOURCEA(nToolbarID));
    int nIndex = ButtonImageIndex(toolbar.m_arrIDs, nID);
    pItem->nImageIndex = nIndex >= 0 ? nIndex : 0;

    delete pItem->pImageList;
    pItem->pImageList = new CImageList;
    // The bitmap's black, greys and white follow the user's colours; its
    // button face becomes transparent.
    CBitmap bitmap;
    BOOL bAdded = bitmap.LoadMappedBitmap((UINT)nToolbarID)
                  && pItem->pImageList->Create(m_nImageWidth, m_nImageHeight,
                                               DisplayColourFlag() | ILC_MASK, 1, 1)
                  && pItem->pImageList->Add(&bitmap, ::GetSysColor(COLOR_BTNFACE)) >= 0;
    if (!bAdded)
    {
        delete pItem->pImageList;
        pItem->pImageList = NULL;
        pItem->nImageIndex = -1;
        pItem->nToolbarID = -1;
    }
}

BOOL COwnerDrawMenu::ModifyODMenu(LPCWSTR lpszText, UINT nID, int nToolbarID)
{
    int nPos = -1;
    COwnerDrawMenu* pMenu = FindMenuItem(nID, nPos);
    OwnerDrawItem* pItem = NULL;
    if (pMenu != NULL && nPos >= 0 && nPos < pMenu->GetItemCount())
        pItem = pMenu->GetItem(nPos);
    if (pItem == NULL)
    {
        pMenu = this;
        pItem = NewItem(NULL, 0, nID);
        m_items.Add(pItem);
    }
    if (lpszText != NULL)
        ReplaceWide(pItem->pszText, lpszText);
    pMenu->SetItemImage(pItem, nToolbarID, nID);
    pItem->nFlags = MF_OWNERDRAW;
    return ::ModifyMenuW(pMenu->m_hMenu, nID, MF_BYCOMMAND | MF_OWNERDRAW, nID, (LPCWSTR)pItem);
}

BOOL COwnerDrawMenu::ModifyODMenu(LPCSTR lpszText, UINT nID, int nToolbarID)
{
    if (lpszText == NULL)
        return ModifyODMenu((LPCWSTR)NULL, nID, nToolbarID);
    int nLen = (int)strlen(lpszText) + 1;
    CArray<WCHAR, WCHAR> wide;
    wide.SetSize(nLen);
    if (AnsiToWide(wide.GetData(), lpszText, nLen, CP_ACP) == NULL)
        return FALSE;
    return ModifyODMenu(wide.GetData(), nID, nToolbarID);
}

OwnerDrawItem* COwnerDrawMenu::ModifyODMenuByPosition(UINT nPos, UINT nFlags, UINT_PTR nID,
                                                      LPCWSTR lpszText)
{
    OwnerDrawItem* pItem = NewItem(lpszText, nFlags, nID);
    if (nFlags & MF_POPUP)
        g_ownerDrawMenus.Handles().Add((void*)nID);
    ::ModifyMenuW(m_hMenu, nPos, nFlags, nID,
                  (nFlags & MF_OWNERDRAW) ? (LPCWSTR)pItem : lpszText);
    return pItem;
}

COwnerDrawMenu* COwnerDrawMenu::FindMenuItem(UINT nID, int& rPos)
{
    int nCount = GetMenuItemCount();
    for (int i = 0; i < nCount; ++i)
    {
        HMENU hSub = ::GetSubMenu(m_hMenu, i);
        if (hSub == NULL)
        {
            if (::GetMenuItemID(m_hMenu, i) == nID)
            {
                rPos = i;
                return this;
            }
            continue;
        }
        CMenu* pSub = CMenu::FromHandlePermanent(hSub);
        if (pSub != NULL && pSub->IsKindOf(RUNTIME_CLASS(COwnerDrawMenu)))
        {
            COwnerDrawMenu* pFound = ((COwnerDrawMenu*)pSub)->FindMenuItem(nID, rPos);
            if (pFound != NULL)
                return pFound;
        }
    }
    rPos = -1;
    return NULL;
}

BOOL COwnerDrawMenu::GetMenuText(UINT nIDOrPos, CString& rString, UINT nFlags)
{
    COwnerDrawMenu* pMenu = this;
    int nPos = (int)nIDOrPos;
    if (!(nFlags & MF_BYPOSITION))
    {
        pMenu = FindMenuItem(nIDOrPos, nPos);
        if (pMenu == NULL)
            return FALSE;
    }
    if (nPos < 0 || nPos >= pMenu->GetItemCount())
        return FALSE;
    rString = WideToAnsiString(pMenu->GetItem(nPos)->pszText);
    return TRUE;
}

// The toolbar's buttons are read from its resource: no toolbar window is
// needed to learn which command has which image.
BOOL COwnerDrawMenu::LoadToolbar(UINT nToolbarID)
{
    CToolBarResource toolbar;
    if (!toolbar.Load(AfxGetResourceHandle(), MAKEINTRESOURCEA(nToolbarID)))
        return FALSE;
    for (INT_PTR i = 0; i < toolbar.m_arrIDs.GetSize(); ++i)
    {
        UINT nID = toolbar.m_arrIDs[i];
        if (nID != 0 && GetMenuState(nID, MF_BYCOMMAND) != (UINT)-1)
            ModifyODMenu((LPCWSTR)NULL, nID, (int)nToolbarID);
    }
    return TRUE;
}

BOOL COwnerDrawMenu::LoadToolbars(const UINT* pToolbarIDs, int nCount)
{
    BOOL bAll = TRUE;
    for (int i = 0; i < nCount; ++i)
        if (!LoadToolbar(pToolbarIDs[i]))
            bAll = FALSE;
    return bAll;
}
