#include "tests/shell/OwnerDrawMenuTestSupport.h"

#include <vector>

#include "shell/MenuText.h"

namespace {

CString LabelOf(const CString& text)
{
    int nTab = text.Find('\t');
    return nTab < 0 ? text : text.Left(nTab);
}

int MenuFontWidth(const CString& text)
{
    HFONT hFont = CreateMenuFont();
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    ::DeleteObject(hFont);
    return size.cx;
}

UINT ItemType(HMENU hMenu, UINT nPos)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii) ? mii.fType : 0xFFFFFFFF;
}

ULONG_PTR ItemData(HMENU hMenu, UINT nPos)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    return ::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii) ? mii.dwItemData : 0;
}

// Every item of the pop-up is owner-drawn with its own record as data.
void ExpectRecordsMatchItems(COwnerDrawMenu* pPopup)
{
    int nCount = pPopup->GetMenuItemCount();
    ASSERT_EQ(nCount, pPopup->GetItemCount());
    for (int i = 0; i < nCount; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_NE(0u, ItemType(pPopup->m_hMenu, i) & MFT_OWNERDRAW);
        EXPECT_EQ((ULONG_PTR)pPopup->GetItem(i), ItemData(pPopup->m_hMenu, i));
    }
}

using OwnerDrawMenuTest = OwnerDrawMenuFixture;

TEST_F(OwnerDrawMenuTest, LoadBuildsOwnerDrawnPopupsUnderAPlainMenuBar)
{
    ASSERT_EQ(2, menu.GetMenuItemCount());
    ASSERT_EQ(2, menu.GetItemCount());
    CString strBar;
    menu.GetMenuString(0, strBar, MF_BYPOSITION);
    EXPECT_STREQ("&File", (LPCTSTR)strBar);
    EXPECT_EQ(0u, ItemType(menu.m_hMenu, 0) & MFT_OWNERDRAW);
    EXPECT_EQ((UINT)(MF_BYPOSITION | MF_POPUP), menu.GetItem(0)->nFlags);
    EXPECT_FALSE(COwnerDrawMenu::IsOwnerDrawMenu(menu.m_hMenu));

    COwnerDrawMenu* pFile = Popup(0);
    COwnerDrawMenu* pEdit = Popup(1);
    ASSERT_TRUE(pFile != NULL && pEdit != NULL);
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(pFile->m_hMenu));
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(pEdit->m_hMenu));
    ExpectRecordsMatchItems(pFile);
    ExpectRecordsMatchItems(pEdit);
    ASSERT_EQ(5, pFile->GetItemCount());
    EXPECT_EQ((UINT_PTR)ID_TEST_OPEN, pFile->GetItem(0)->nID);
    EXPECT_EQ((UINT)(MF_SEPARATOR | MF_OWNERDRAW), pFile->GetItem(2)->nFlags);
    EXPECT_EQ(0u, pFile->GetItem(2)->nID);
    EXPECT_NE(0u, pFile->GetItem(3)->nFlags & MF_POPUP);
    EXPECT_STREQ("E&xit", (LPCTSTR)Text(pFile->GetItem(4)));
    EXPECT_STREQ("&Paste", (LPCTSTR)Text(pEdit->GetItem(2)));

    // The nested pop-up ends with its only item; the File pop-up goes on.
    COwnerDrawMenu* pRecent = DYNAMIC_DOWNCAST(
        COwnerDrawMenu, CMenu::FromHandlePermanent(::GetSubMenu(pFile->m_hMenu, 3)));
    ASSERT_TRUE(pRecent != NULL);
    EXPECT_EQ(1, pRecent->GetItemCount());
    EXPECT_EQ((UINT_PTR)pRecent->m_hMenu, pFile->GetItem(3)->nID);

    COwnerDrawMenu other;
    EXPECT_FALSE(other.LoadMenu(IDT_TEST_MISSING));
    EXPECT_TRUE(other.m_hMenu == NULL);
}

TEST_F(OwnerDrawMenuTest, LabelsArePaddedToTheWidestLabelAndASpace)
{
    for (int nPopup = 0; nPopup < 2; ++nPopup)
    {
        SCOPED_TRACE(nPopup);
        COwnerDrawMenu* pPopup = Popup(nPopup);
        int nWidest = 0;
        for (int i = 0; i < pPopup->GetItemCount(); ++i)
        {
            // The padding that was added does not count.
            CString label = LabelOf(Text(pPopup->GetItem(i)));
            label.TrimRight(' ');
            nWidest = (std::max)(nWidest, MenuFontWidth(label + " "));
        }
        for (int i = 0; i < pPopup->GetItemCount(); ++i)
        {
            CString text = Text(pPopup->GetItem(i));
            if (text.Find('\t') < 0)
                continue;
            CString label = LabelOf(text);
            EXPECT_GE(MenuFontWidth(label), nWidest) << i;
            ASSERT_EQ(' ', label[label.GetLength() - 1]);
            EXPECT_LT(MenuFontWidth(label.Left(label.GetLength() - 1)), nWidest) << i;
        }
    }
    CString open = Text(Popup(0)->GetItem(0));
    EXPECT_EQ(0, open.Find("&Open "));
    EXPECT_STREQ("\tCtrl+O", (LPCTSTR)open.Mid(open.Find('\t')));
}

TEST_F(OwnerDrawMenuTest, FindMenuCharExecutesTheFirstItemWithTheMnemonic)
{
    COwnerDrawMenu* pFile = Popup(0);
    EXPECT_EQ(MAKELRESULT(4, 2), COwnerDrawMenu::FindMenuChar('x', MF_POPUP, pFile));
    EXPECT_EQ(MAKELRESULT(4, 2), COwnerDrawMenu::FindMenuChar('X', MF_POPUP, pFile));
    EXPECT_EQ(MAKELRESULT(1, 2), COwnerDrawMenu::FindMenuChar('s', MF_POPUP, pFile));
    // The frame passes the handle's temporary wrapper.
    CMenu* pTemp = CMenu::FromHandle(Popup(1)->m_hMenu);
    EXPECT_EQ(MAKELRESULT(0, 2), COwnerDrawMenu::FindMenuChar('T', MF_POPUP, pTemp));
    // Letters that only follow no ampersand do not count.
    EXPECT_EQ(0, COwnerDrawMenu::FindMenuChar('u', MF_POPUP, pTemp));
    EXPECT_EQ(0, COwnerDrawMenu::FindMenuChar('q', MF_POPUP, pFile));
    EXPECT_EQ(0, COwnerDrawMenu::FindMenuChar('x', 0, pFile));
    EXPECT_EQ(0, COwnerDrawMenu::FindMenuChar('x', MF_POPUP, NULL));

    // An item the framework added since: matched before the lookup.
    ::AppendMenuA(pFile->m_hMenu, MF_STRING, 9250, "&1 report.kvm");
    EXPECT_EQ(MAKELRESULT(5, 2), COwnerDrawMenu::FindMenuChar('1', MF_POPUP, pFile));
    EXPECT_EQ(6, pFile->GetItemCount());
}

TEST_F(OwnerDrawMenuTest, FindsItemsAndTheirTextThroughTheTree)
{
    int nPos = -1;
    COwnerDrawMenu* pHolder = menu.FindMenuItem(ID_TEST_FIRST, nPos);
    ASSERT_TRUE(pHolder != NULL);
    EXPECT_EQ(0, nPos);
    EXPECT_EQ((HMENU)::GetSubMenu(Popup(0)->m_hMenu, 3), pHolder->m_hMenu);
    EXPECT_EQ(Popup(1), menu.FindMenuItem(ID_TEST_PASTE, nPos));
    EXPECT_EQ(2, nPos);
    EXPECT_TRUE(menu.FindMenuItem(4242, nPos) == NULL);
    EXPECT_EQ(-1, nPos);

    CString str;
    EXPECT_TRUE(menu.GetMenuText(ID_TEST_FIRST, str, MF_BYCOMMAND));
    EXPECT_STREQ("&First", (LPCTSTR)str);
    EXPECT_TRUE(Popup(0)->GetMenuText(4, str, MF_BYPOSITION));
    EXPECT_STREQ("E&xit", (LPCTSTR)str);
    EXPECT_FALSE(Popup(0)->GetMenuText(5, str, MF_BYPOSITION));
    EXPECT_FALSE(menu.GetMenuText(4242, str, MF_BYCOMMAND));

    // New text through the ANSI form; no text keeps the old one.
    EXPECT_TRUE(menu.ModifyODMenu("&Quit", ID_TEST_EXIT, -1));
    EXPECT_STREQ("&Quit", (LPCTSTR)Text(Record(ID_TEST_EXIT)));
    EXPECT_TRUE(menu.ModifyODMenu((LPCSTR)NULL, ID_TEST_EXIT, -1));
    EXPECT_STREQ("&Quit", (LPCTSTR)Text(Record(ID_TEST_EXIT)));
    ExpectRecordsMatchItems(Popup(0));
}

TEST_F(OwnerDrawMenuTest, ItemsTakeTheImageOfTheLastToolbarWithTheirCommand)
{
    const UINT toolbars[] = {IDT_TEST_FIRST, IDT_TEST_SECOND};
    EXPECT_TRUE(menu.LoadToolbars(toolbars, 2));
    struct Expected
    {
        UINT nID;
        int nToolbar;
        int nImage;
    };
    // The separator between Open and Save takes no image index.
    const Expected expected[] = {
        {ID_TEST_OPEN, IDT_TEST_FIRST, 0}, {ID_TEST_SAVE, IDT_TEST_SECOND, 1},
        {ID_TEST_CUT, IDT_TEST_FIRST, 2},  {ID_TEST_COPY, IDT_TEST_SECOND, 0},
        {ID_TEST_PASTE, -1, -1},           {ID_TEST_EXIT, -1, -1},
    };
    for (const Expected& e : expected)
    {
        SCOPED_TRACE(e.nID);
        OwnerDrawItem* pItem = Record(e.nID);
        ASSERT_TRUE(pItem != NULL);
        EXPECT_EQ(e.nToolbar, pItem->nToolbarID);
        EXPECT_EQ(e.nImage, pItem->nImageIndex);
        EXPECT_EQ(e.nToolbar != -1, pItem->pImageList != NULL);
        if (pItem->pImageList != NULL)
        {
            EXPECT_EQ(e.nToolbar == IDT_TEST_FIRST ? 3 : 2, pItem->pImageList->GetImageCount());
        }
    }
    ExpectRecordsMatchItems(Popup(0));
    ExpectRecordsMatchItems(Popup(1));
}

TEST_F(OwnerDrawMenuTest, ToolbarFailuresLeaveItemsWithoutImages)
{
    EXPECT_TRUE(COwnerDrawMenu().LoadToolbars(NULL, 0));
    // The resource loads but no bitmap has its id.
    EXPECT_TRUE(menu.LoadToolbar(IDT_TEST_NO_BITMAP));
    EXPECT_EQ(-1, Record(ID_TEST_PASTE)->nToolbarID);
    EXPECT_EQ(-1, Record(ID_TEST_PASTE)->nImageIndex);
    EXPECT_TRUE(Record(ID_TEST_PASTE)->pImageList == NULL);

    // A missing toolbar fails the whole call, the others are still loaded.
    const UINT toolbars[] = {IDT_TEST_MISSING, IDT_TEST_FIRST};
    EXPECT_FALSE(menu.LoadToolbars(toolbars, 2));
    EXPECT_EQ(IDT_TEST_FIRST, Record(ID_TEST_OPEN)->nToolbarID);
}

TEST_F(OwnerDrawMenuTest, SyncItemsFollowsItemsAddedRemovedAndRenamed)
{
    const UINT toolbars[] = {IDT_TEST_FIRST};
    ASSERT_TRUE(menu.LoadToolbars(toolbars, 1));
    COwnerDrawMenu* pFile = Popup(0);
    OwnerDrawItem* pSave = pFile->GetItem(1);
    HMENU hFile = pFile->m_hMenu;

    // As the framework does with the recent-file list: a separator and two
    // string items before Exit, Open removed, Save renamed by position.
    ::InsertMenuA(hFile, 4, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    ::InsertMenuA(hFile, 5, MF_BYPOSITION | MF_STRING, 9250, "&1 one.kvm");
    ::InsertMenuA(hFile, 6, MF_BYPOSITION | MF_STRING | MF_GRAYED, 9251, "&2 two.kvm");
    ::DeleteMenu(hFile, 0, MF_BYPOSITION);
    ::ModifyMenuA(hFile, 0, MF_BYPOSITION | MF_STRING, ID_TEST_SAVE, "Save &As");
    HMENU hAdded = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_POPUP, (UINT_PTR)hAdded, "&More");

    pFile->SyncItems();
    ExpectRecordsMatchItems(pFile);
    ASSERT_EQ(8, pFile->GetItemCount());
    const char* texts[] = {"Save &As", "", "&Recent", "", "&1 one.kvm", "&2 two.kvm", "E&xit",
                           "&More"};
    for (int i = 0; i < 8; ++i)
        EXPECT_STREQ(texts[i], (LPCTSTR)Text(pFile->GetItem(i))) << i;
    // The records of items still there are kept, with their images.
    EXPECT_EQ(pSave, pFile->GetItem(0));
    EXPECT_EQ(IDT_TEST_FIRST, pSave->nToolbarID);
    EXPECT_NE(0u, pFile->GetItem(3)->nFlags & MF_SEPARATOR);
    EXPECT_EQ(9251u, pFile->GetItem(5)->nID);
    EXPECT_NE(0u, ::GetMenuState(hFile, 5, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_NE(0u, pFile->GetItem(7)->nFlags & MF_POPUP);
    EXPECT_EQ((UINT_PTR)hAdded, pFile->GetItem(7)->nID);
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(hAdded));
    EXPECT_TRUE(Record(ID_TEST_OPEN) == NULL);

    // A second pass changes nothing.
    std::vector<OwnerDrawItem*> before;
    for (int i = 0; i < pFile->GetItemCount(); ++i)
        before.push_back(pFile->GetItem(i));
    pFile->SyncItems();
    for (int i = 0; i < pFile->GetItemCount(); ++i)
        EXPECT_EQ(before[(size_t)i], pFile->GetItem(i)) << i;
}

// Loads the test menu with images, syncs a pop-up and destroys it all.
void BuildAndDestroyMenu(bool bDetach)
{
    COwnerDrawMenu* pMenu = new COwnerDrawMenu;
    ASSERT_TRUE(pMenu->LoadMenu(IDM_TEST_MENU));
    const UINT toolbars[] = {IDT_TEST_FIRST, IDT_TEST_SECOND};
    pMenu->LoadToolbars(toolbars, 2);
    HMENU hFile = ::GetSubMenu(pMenu->m_hMenu, 0);
    ::AppendMenuA(hFile, MF_STRING, 9250, "&1 one.kvm");
    DYNAMIC_DOWNCAST(COwnerDrawMenu, CMenu::FromHandlePermanent(hFile))->SyncItems();
    EXPECT_LT(10, COwnerDrawMenu::GetLiveItemCount());
    HMENU hDetached = bDetach ? pMenu->Detach() : NULL;
    delete pMenu;
    EXPECT_FALSE(COwnerDrawMenu::IsOwnerDrawMenu(hFile));
    if (hDetached != NULL)
        ::DestroyMenu(hDetached);
}

TEST(OwnerDrawMenuLifetimeTest, MenusLeaveNoRecordsBehind)
{
    for (bool bDetach : {false, true})
    {
        SCOPED_TRACE(bDetach);
        int nBefore = COwnerDrawMenu::GetLiveItemCount();
        BuildAndDestroyMenu(bDetach);
        EXPECT_EQ(nBefore, COwnerDrawMenu::GetLiveItemCount());
    }

    // DestroyMenu empties the object, which can load again.
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    HMENU hEdit = ::GetSubMenu(menu.m_hMenu, 1);
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(0, menu.GetItemCount());
    EXPECT_TRUE(menu.m_hMenu == NULL);
    EXPECT_TRUE(CMenu::FromHandlePermanent(hEdit) == NULL);
    EXPECT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
}

} // namespace
