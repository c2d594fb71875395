#include <algorithm>
#include <vector>

#include "tests/support/Gtest.h"
#include "framework/windows/Menu.h"
#include "framework/windows/Wnd.h"
#include "WindowTestResource.h"

namespace {

// Records the owner-drawn items it is asked about.
class CRecordingMenu : public CMenu
{
public:
    std::vector<UINT> m_measured;
    std::vector<UINT> m_drawn;
    UINT m_nHeight = 21;

    void MeasureItem(LPMEASUREITEMSTRUCT lpmis) override
    {
        m_measured.push_back(lpmis->itemID);
        lpmis->itemWidth = 80;
        lpmis->itemHeight = m_nHeight;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpdis) override { m_drawn.push_back(lpdis->itemID); }
};

struct CMenuHost : public CWnd
{
    BOOL CreateHost()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "menu host", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150,
                        NULL, NULL);
    }
};

LRESULT SendMeasure(CWnd& wnd, UINT nItemID, MEASUREITEMSTRUCT& mis)
{
    mis = MEASUREITEMSTRUCT();
    mis.CtlType = ODT_MENU;
    mis.itemID = nItemID;
    return wnd.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
}

LRESULT SendDraw(CWnd& wnd, HMENU hMenu, UINT nItemID)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = nItemID;
    dis.hwndItem = reinterpret_cast<HWND>(hMenu);
    dis.hDC = ::GetDC(wnd.m_hWnd);
    LRESULT lResult = wnd.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
    ::ReleaseDC(wnd.m_hWnd, dis.hDC);
    return lResult;
}

void CALLBACK EndMenuSoon(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(hWnd, nIDEvent);
    ::EndMenu();
}

} // namespace

TEST(MenuMaps, TemporaryWrappersAreSharedAndNeverOwnTheMenu)
{
    HMENU hMenu = ::CreatePopupMenu();
    CMenu* pFirst = CMenu::FromHandle(hMenu);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(CMenu::FromHandle(hMenu), pFirst);
    EXPECT_EQ(pFirst->m_hMenu, hMenu);
    EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), nullptr);
    EXPECT_FALSE(pFirst->DestroyMenu());
    CMenu::DeleteTempMap();
    EXPECT_TRUE(::IsMenu(hMenu));
    EXPECT_EQ(CMenu::FromHandle(NULL), nullptr);
    ::DestroyMenu(hMenu);
}

TEST(MenuMaps, AttachedMenuIsPermanentAndDestroyedWithItsObject)
{
    HMENU hMenu = ::CreatePopupMenu();
    CMenu::FromHandle(hMenu);  // a temporary wrapper already exists
    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(hMenu));
        HMENU hOther = ::CreatePopupMenu();
        EXPECT_FALSE(menu.Attach(hOther));
        ::DestroyMenu(hOther);
        EXPECT_EQ(CMenu::FromHandle(hMenu), &menu);
        EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), &menu);
        CMenu::DeleteTempMap();
        EXPECT_TRUE(::IsMenu(hMenu));
        EXPECT_EQ(menu.m_hMenu, hMenu);
    }
    EXPECT_FALSE(::IsMenu(hMenu));
    EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), nullptr);
}

TEST(MenuMaps, DetachedMenuOutlivesItsObject)
{
    HMENU hMenu = NULL;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hMenu = menu.Detach();
        EXPECT_EQ(menu.m_hMenu, nullptr);
        EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), nullptr);
    }
    EXPECT_TRUE(::IsMenu(hMenu));
    ::DestroyMenu(hMenu);
}

TEST(MenuResource, LoadMenuGivesThePopupsAndTheirItems)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    ASSERT_EQ(menu.GetMenuItemCount(), 2);
    CMenu* pFile = menu.GetSubMenu(0);
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(CMenu::FromHandlePermanent(pFile->m_hMenu), nullptr);
    ASSERT_EQ(pFile->GetMenuItemCount(), 3);
    EXPECT_EQ(pFile->GetMenuItemID(0), (UINT)IDM_OPEN);
    EXPECT_EQ(pFile->GetMenuItemID(2), (UINT)IDM_CLOSE);
    CString strText;
    EXPECT_EQ(pFile->GetMenuString(IDM_CLOSE, strText, MF_BYCOMMAND), 6);
    EXPECT_STREQ((LPCSTR)strText, "&Close");
    EXPECT_EQ(pFile->GetMenuString(9999, strText, MF_BYCOMMAND), 0);
    EXPECT_TRUE(strText.IsEmpty());
    EXPECT_EQ(pFile->CheckMenuItem(IDM_OPEN, MF_BYCOMMAND | MF_CHECKED), (UINT)MF_UNCHECKED);
    EXPECT_TRUE(pFile->GetMenuState(IDM_OPEN, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(menu.GetSubMenu(5), nullptr);
    CMenu::DeleteTempMap();

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(9876));
    EXPECT_EQ(missing.m_hMenu, nullptr);
}

TEST(MenuOwnerDraw, MeasureAndDrawReachThePermanentMenuOfTheItem)
{
    CMenuHost host;
    ASSERT_TRUE(host.CreateHost());
    CRecordingMenu popup, nested;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(nested.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 501, (LPCSTR)NULL));
    ASSERT_TRUE(nested.AppendMenu(MF_OWNERDRAW, 601, (LPCSTR)NULL));
    ASSERT_TRUE(popup.AppendMenu(MF_POPUP, (UINT_PTR)nested.m_hMenu, "More"));

    host.SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0);
    MEASUREITEMSTRUCT mis;
    EXPECT_EQ(SendMeasure(host, 501, mis), TRUE);
    EXPECT_EQ(mis.itemHeight, 21u);
    // An item of a pop-up inside the one just opened goes to its own menu.
    nested.m_nHeight = 30;
    SendMeasure(host, 601, mis);
    EXPECT_EQ(mis.itemHeight, 30u);
    EXPECT_EQ(popup.m_measured, std::vector<UINT>({ 501 }));
    EXPECT_EQ(nested.m_measured, std::vector<UINT>({ 601 }));

    EXPECT_EQ(SendDraw(host, nested.m_hMenu, 601), TRUE);
    EXPECT_EQ(SendDraw(host, popup.m_hMenu, 501), TRUE);
    EXPECT_EQ(nested.m_drawn, std::vector<UINT>({ 601 }));
    EXPECT_EQ(popup.m_drawn, std::vector<UINT>({ 501 }));

    // A menu without an object is left to the window.
    HMENU hForeign = ::CreatePopupMenu();
    ::AppendMenuA(hForeign, MF_OWNERDRAW, 701, NULL);
    host.SendMessage(WM_INITMENUPOPUP, (WPARAM)hForeign, 0);
    SendMeasure(host, 701, mis);
    SendDraw(host, hForeign, 701);
    EXPECT_EQ(popup.m_measured.size() + nested.m_measured.size(), 2u);
    EXPECT_EQ(popup.m_drawn.size() + nested.m_drawn.size(), 2u);
    ::DestroyMenu(hForeign);
    host.DestroyWindow();
}

TEST(MenuOwnerDraw, ShownPopupIsMeasuredAndDrawnByItsObject)
{
    CMenuHost host;
    ASSERT_TRUE(host.CreateHost());
    host.ShowWindow(SW_SHOW);
    host.UpdateWindow();
    CRecordingMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 801, (LPCSTR)NULL));
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 802, (LPCSTR)NULL));
    ::SetTimer(host.m_hWnd, 77, 400, EndMenuSoon);
    popup.TrackPopupMenu(TPM_LEFTALIGN, 40, 40, &host);
    EXPECT_NE(std::find(popup.m_measured.begin(), popup.m_measured.end(), 801u), popup.m_measured.end());
    EXPECT_NE(std::find(popup.m_measured.begin(), popup.m_measured.end(), 802u), popup.m_measured.end());
    EXPECT_FALSE(popup.m_drawn.empty());
    host.DestroyWindow();
}
