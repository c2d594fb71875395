#include <vector>

#include "tests/support/Gtest.h"
#include "framework/windows/Button.h"
#include "framework/windows/ComboBox.h"
#include "framework/windows/Edit.h"
#include "framework/windows/ImageList.h"
#include "framework/windows/ListBox.h"
#include "framework/windows/ListCtrl.h"
#include "framework/windows/ProgressCtrl.h"
#include "framework/windows/SpinButtonCtrl.h"
#include "framework/windows/ToolBarCtrl.h"
#include "framework/windows/ToolTipCtrl.h"
#include "framework/windows/TreeCtrl.h"

namespace {

// A visible top-level window the controls are created in.
class CControlHost : public CWnd
{
public:
    CControlHost()
    {
        CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNFACE + 1)), "controls",
                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400, 300, NULL, NULL);
    }
    ~CControlHost() override { DestroyWindow(); }
};

class CMeasuredCombo : public CComboBox
{
public:
    int m_nMeasured = 0;
    std::vector<UINT> m_drawnItems;
    void MeasureItem(LPMEASUREITEMSTRUCT lpmis) override
    {
        ++m_nMeasured;
        lpmis->itemHeight = 23;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpdis) override { m_drawnItems.push_back(lpdis->itemID); }
};

class CMeasuredList : public CListBox
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpmis) override { lpmis->itemHeight = 27; }
};

class CStateButton : public CButton
{
public:
    std::vector<UINT> m_states;
    void DrawItem(LPDRAWITEMSTRUCT lpdis) override { m_states.push_back(lpdis->itemState); }
};

void Paint(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
}

const CString LongText()
{
    CString str;
    for (int i = 0; i < 60; i++)
        str += "0123456789";
    return str;
}

} // namespace

TEST(ControlOwnerDraw, ComboAndListAreMeasuredByTheirObjectsFromCreation)
{
    CControlHost host;
    CMeasuredCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(10, 10, 150, 200), &host, 100));
    EXPECT_GE(combo.m_nMeasured, 1);
    EXPECT_EQ(combo.GetItemHeight(0), 23);
    combo.AddString("first");
    combo.AddString("second");
    combo.SetCurSel(1);
    combo.m_drawnItems.clear();
    Paint(host);
    EXPECT_NE(std::find(combo.m_drawnItems.begin(), combo.m_drawnItems.end(), 1u), combo.m_drawnItems.end());

    CMeasuredList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                            CRect(160, 10, 300, 100), &host, 101));
    EXPECT_EQ((int)list.SendMessage(LB_GETITEMHEIGHT, 0), 27);
}

TEST(ControlOwnerDraw, ButtonSeesItsPressedAndDisabledStates)
{
    CControlHost host;
    CStateButton button;
    ASSERT_TRUE(button.Create("swatch", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40), &host, 102));
    button.SetState(TRUE);
    Paint(host);
    ASSERT_FALSE(button.m_states.empty());
    EXPECT_TRUE(button.m_states.back() & ODS_SELECTED);
    button.SetState(FALSE);
    button.EnableWindow(FALSE);
    Paint(host);
    EXPECT_TRUE(button.m_states.back() & ODS_DISABLED);
    EXPECT_FALSE(button.m_states.back() & ODS_SELECTED);
}

TEST(ControlText, LongItemTextComesBackWholeAndMissingItemsGiveNothing)
{
    CControlHost host;
    const CString strLong = LongText();
    CString str = "stale";

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &host, 110));
    combo.AddString(strLong);
    combo.GetLBText(0, str);
    EXPECT_EQ(str, strLong);
    combo.GetLBText(3, str);
    EXPECT_TRUE(str.IsEmpty());

    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD, CRect(0, 0, 100, 100), &host, 111));
    list.AddString(strLong);
    list.GetText(0, str);
    EXPECT_EQ(str, strLong);
    str = "stale";
    list.GetText(-1, str);
    EXPECT_TRUE(str.IsEmpty());

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD, CRect(0, 0, 100, 100), &host, 112));
    HTREEITEM hItem = tree.InsertItem(strLong);
    EXPECT_EQ(tree.GetItemText(hItem), strLong);

    CListCtrl listView;
    ASSERT_TRUE(listView.Create(WS_CHILD | LVS_ICON, CRect(0, 0, 100, 100), &host, 113));
    ASSERT_EQ(listView.InsertItem(0, strLong), 0);
    EXPECT_EQ(listView.GetItemText(0, 0), strLong);
    EXPECT_TRUE(listView.GetItemText(5, 0).IsEmpty());
}

TEST(ControlTree, ItemsKeepTheirPlaceDataAndStateAndAreHitWhereShown)
{
    CControlHost host;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_CHECKBOXES, CRect(0, 0, 300, 200),
                            &host, 120));
    HTREEITEM hRoot = tree.InsertItem("root");
    HTREEITEM hFirst = tree.InsertItem("first", hRoot);
    HTREEITEM hSecond = tree.InsertItem("second", hRoot);
    EXPECT_EQ(tree.GetRootItem(), hRoot);
    EXPECT_EQ(tree.GetChildItem(hRoot), hFirst);
    EXPECT_EQ(tree.GetNextSiblingItem(hFirst), hSecond);
    EXPECT_EQ(tree.GetNextSiblingItem(hSecond), nullptr);
    EXPECT_EQ(tree.GetParentItem(hSecond), hRoot);
    EXPECT_TRUE(tree.ItemHasChildren(hRoot));
    EXPECT_FALSE(tree.ItemHasChildren(hFirst));

    EXPECT_TRUE(tree.SetItemData(hSecond, 0x5151));
    EXPECT_EQ(tree.GetItemData(hSecond), (DWORD_PTR)0x5151);
    EXPECT_TRUE(tree.SetItemState(hFirst, INDEXTOSTATEIMAGEMASK(2), TVIS_STATEIMAGEMASK));
    EXPECT_EQ(tree.GetItemState(hFirst, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));

    tree.Expand(hRoot, TVE_EXPAND);
    EXPECT_TRUE(tree.SelectItem(hSecond));
    EXPECT_EQ(tree.GetSelectedItem(), hSecond);
    CRect rcText;
    ASSERT_TRUE(tree.GetItemRect(hSecond, &rcText, TRUE));
    UINT nFlags = 0;
    EXPECT_EQ(tree.HitTest(rcText.CenterPoint(), &nFlags), hSecond);
    EXPECT_TRUE(nFlags & TVHT_ONITEMLABEL);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST(ControlListView, SelectedItemsAreFoundAndKeepTheirData)
{
    CControlHost host;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 300, 200), &host, 130));
    for (int i = 0; i < 3; i++)
        list.InsertItem(i, "item");
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_TRUE(list.SetItemData(1, 99));
    EXPECT_EQ(list.GetItemData(1), (DWORD_PTR)99);
    EXPECT_EQ(list.GetItemData(7), (DWORD_PTR)0);
}

TEST(ControlImageList, AttachedListsArePermanentForeignOnesTemporary)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    EXPECT_EQ(CImageList::FromHandle(images.m_hImageList), &images);
    EXPECT_EQ(images.Add(::LoadIconA(NULL, IDI_APPLICATION)), 0);
    EXPECT_EQ(images.GetImageCount(), 1);

    CControlHost host;
    CToolBarCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, CRect(0, 0, 300, 30), &host, 140));
    bar.SetImageList(&images);
    EXPECT_EQ(bar.GetImageList(), &images);

    HIMAGELIST hForeign = ImageList_Create(8, 8, ILC_COLOR24, 1, 1);
    CImageList* pTemp = CImageList::FromHandle(hForeign);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_NE(pTemp, &images);
    EXPECT_EQ(CImageList::FromHandle(hForeign), pTemp);
    CImageList::DeleteTempMap();
    EXPECT_EQ(ImageList_Add(hForeign, NULL, NULL), -1);  // still a valid list: a null bitmap is refused
    EXPECT_TRUE(ImageList_Destroy(hForeign));
    bar.SetImageList(NULL);

    HIMAGELIST hTaken = images.Detach();
    EXPECT_EQ(images.m_hImageList, nullptr);
    EXPECT_NE(CImageList::FromHandle(hTaken), &images);
    CImageList::DeleteTempMap();
    EXPECT_TRUE(ImageList_Destroy(hTaken));
}

TEST(ControlToolBar, ButtonsAreFoundByCommandAndKeepTheirState)
{
    CControlHost host;
    CToolBarCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, CRect(0, 0, 300, 30), &host, 141));
    TBBUTTON buttons[3] = {};
    const int ids[3] = { 301, 0, 302 };
    for (int i = 0; i < 3; i++)
    {
        buttons[i].idCommand = ids[i];
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = ids[i] == 0 ? BTNS_SEP : BTNS_CHECK;
    }
    ASSERT_TRUE(bar.AddButtons(3, buttons));
    EXPECT_EQ(bar.GetButtonCount(), 3);
    EXPECT_EQ(bar.CommandToIndex(302), 2);
    EXPECT_EQ(bar.CommandToIndex(999), -1);
    EXPECT_TRUE(bar.CheckButton(302));
    EXPECT_TRUE(bar.IsButtonChecked(302));
    EXPECT_FALSE(bar.IsButtonChecked(301));
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE;
    EXPECT_EQ(bar.GetButtonInfo(302, &info), 2);
    info.fsStyle |= BTNS_DROPDOWN;
    EXPECT_TRUE(bar.SetButtonInfo(302, &info));
    info.fsStyle = 0;
    bar.GetButtonInfo(302, &info);
    EXPECT_TRUE(info.fsStyle & BTNS_DROPDOWN);
    CRect rcItem;
    EXPECT_TRUE(bar.GetItemRect(2, &rcItem));
    EXPECT_GT(rcItem.Width(), 0);
}

TEST(ControlToolTip, ToolsAreAddedUpdatedAndRemoved)
{
    CControlHost host;
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host, TTS_ALWAYSTIP));
    EXPECT_EQ(tip.GetOwner(), &host);
    ASSERT_TRUE(tip.AddTool(&host, "whole window"));
    CRect rcCell(10, 10, 40, 30);
    ASSERT_TRUE(tip.AddTool(&host, "one cell", &rcCell, 7));
    EXPECT_EQ(tip.GetToolCount(), 2);
    EXPECT_STREQ((LPCSTR)tip.GetToolText(&host), "whole window");
    EXPECT_STREQ((LPCSTR)tip.GetToolText(&host, 7), "one cell");
    tip.UpdateTipText("another cell", &host, 7);
    EXPECT_STREQ((LPCSTR)tip.GetToolText(&host, 7), "another cell");
    tip.DelTool(&host, 7);
    EXPECT_EQ(tip.GetToolCount(), 1);
    EXPECT_TRUE(tip.GetToolText(&host, 7).IsEmpty());
}

TEST(ControlValues, PositionsReportThePreviousValueAndStayInRange)
{
    CControlHost host;
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &host, 150));
    progress.SetRange(0, 100);
    EXPECT_EQ(progress.SetPos(40), 0);
    EXPECT_EQ(progress.SetPos(60), 40);
    progress.SetStep(5);
    EXPECT_EQ(progress.StepIt(), 60);
    EXPECT_EQ(progress.GetPos(), 65);

    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 20, 60), &host, 151));
    spin.SetRange(1, 10);
    int nLow = 0, nHigh = 0;
    spin.GetRange(nLow, nHigh);
    EXPECT_EQ(nLow, 1);
    EXPECT_EQ(nHigh, 10);
    spin.SetPos(4);
    EXPECT_EQ(spin.SetPos(8), 4);
    spin.SetPos(50);
    EXPECT_EQ(spin.GetPos(), 10);

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(30, 30, 200, 50), &host, 152));
    edit.SetWindowText("abcdef");
    edit.SetSel(1, 3);
    int nStart = 0, nEnd = 0;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 1);
    EXPECT_EQ(nEnd, 3);
    EXPECT_EQ(edit.GetSel(), (DWORD)MAKELONG(1, 3));
    edit.ReplaceSel("XY");
    CString str;
    edit.GetWindowText(str);
    EXPECT_STREQ((LPCSTR)str, "aXYdef");
    edit.LimitText(4);
    EXPECT_EQ(edit.GetLimitText(), 4u);
}
