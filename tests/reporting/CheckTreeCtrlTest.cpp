// The check tree: states carried down and up, the lock, the searches; and
// the statement the property selection builds from its checks, run on a
// reporting database.
#include "tests/support/Gtest.h"

#include <windows.h>

#include <commctrl.h>

#include "tests/reporting/ReportingDatabase.h"

#include "framework/db/DaoDatabase.h"
#include "framework/db/DaoRecordset.h"
#include "reporting/CheckTreeCtrl.h"
#include "reporting/OrganPropTreeDlg.h"

namespace
{

class CheckTree : public testing::Test
{
protected:
    void SetUp() override
    {
        InitCommonControls();
        m_parent.CreateEx(0, AfxRegisterWndClass(0), "tree owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                          300, NULL, NULL);
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                  CRect(0, 0, 280, 260), &m_parent, 100));
        m_root = Add("Properties", TVI_ROOT, 0, CHECK_NONE);
        m_region = Add("Region", m_root, 0);
        m_north = Add("North", m_region, 0);
        m_south = Add("South", m_region, 1);
        m_size = Add("Size", m_root, 3);
        m_big = Add("Big", m_size, 2);
        m_small = Add("Small", m_size, 5);
        m_tree.Expand(m_root, TVE_EXPAND);
        m_tree.Expand(m_region, TVE_EXPAND);
    }

    void TearDown() override { m_parent.DestroyWindow(); }

    HTREEITEM Add(LPCSTR lpszText, HTREEITEM hParent, DWORD dwData, int nState = CHECK_CLEAR)
    {
        HTREEITEM hItem = m_tree.InsertItem(lpszText, hParent, TVI_LAST);
        m_tree.SetItemData(hItem, dwData);
        m_tree.SetItemState(hItem, INDEXTOSTATEIMAGEMASK(nState), TVIS_STATEIMAGEMASK);
        return hItem;
    }

    std::vector<int> States()
    {
        std::vector<int> states;
        for (HTREEITEM h : { m_root, m_region, m_north, m_south, m_size, m_big, m_small })
            states.push_back(m_tree.GetCheckState(h));
        return states;
    }

    // A click in the middle of the item's label.
    void ClickLabel(HTREEITEM hItem)
    {
        CRect rc;
        ASSERT_TRUE(m_tree.GetItemRect(hItem, &rc, TRUE));
        // The release waits in the queue for the control's drag tracking.
        m_tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
        m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
        MSG msg;
        while (PeekMessageA(&msg, m_tree.m_hWnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    CWnd m_parent;
    CCheckTreeCtrl m_tree;
    HTREEITEM m_root, m_region, m_north, m_south, m_size, m_big, m_small;
};

TEST_F(CheckTree, ChecksGoDownToEveryDescendantAndUpAsAllNoneOrPart)
{
    // An item without a box neither gets one nor passes anything on.
    m_tree.SetCheck(m_root, 2);
    ClickLabel(m_root);
    EXPECT_EQ((std::vector<int>{ 0, 1, 1, 1, 1, 1, 1 }), States());

    m_tree.SetCheck(m_region, 0);
    EXPECT_EQ((std::vector<int>{ 3, 2, 2, 2, 1, 1, 1 }), States());
    m_tree.SetCheck(m_size, 0);
    EXPECT_EQ((std::vector<int>{ 2, 2, 2, 2, 2, 2, 2 }), States());
    m_tree.SetCheck(m_south, 1);
    EXPECT_EQ((std::vector<int>{ 3, 3, 2, 1, 2, 2, 2 }), States());
    // A partly checked item toggles to clear, with all below it.
    m_tree.SetCheck(m_region, 2);
    EXPECT_EQ((std::vector<int>{ 3, 1, 1, 1, 2, 2, 2 }), States());
    EXPECT_FALSE(m_tree.SetCheck(NULL, 0));
}

TEST_F(CheckTree, ClicksAndTheSpaceBarToggleUnlessLocked)
{
    ClickLabel(m_north);
    EXPECT_EQ((std::vector<int>{ 3, 3, 2, 1, 1, 1, 1 }), States());
    EXPECT_EQ(m_north, m_tree.GetSelectedItem());
    m_tree.SelectItem(m_region);
    m_tree.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ((std::vector<int>{ 1, 1, 1, 1, 1, 1, 1 }), States());

    m_tree.m_bLocked = 1;
    ClickLabel(m_south);
    m_tree.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ((std::vector<int>{ 1, 1, 1, 1, 1, 1, 1 }), States());
    // A locked click does not even select.
    EXPECT_EQ(m_region, m_tree.GetSelectedItem());
}

TEST_F(CheckTree, SearchesFindTheFirstCheckedAndChildrenByExactTextOrData)
{
    EXPECT_EQ(nullptr, m_tree.GetFirstChecked());
    m_tree.SetCheck(m_small, 0);
    EXPECT_EQ(m_small, m_tree.GetFirstChecked());
    m_tree.SetCheck(m_north, 0);
    EXPECT_EQ(m_north, m_tree.GetFirstChecked());
    EXPECT_EQ(m_south, m_tree.FindChildByText(m_region, "South"));
    EXPECT_EQ(nullptr, m_tree.FindChildByText(m_region, "south"));
    EXPECT_EQ(m_small, m_tree.FindChildByData(m_size, 5));
    EXPECT_EQ(nullptr, m_tree.FindChildByData(m_size, 0));
    EXPECT_EQ(m_size, m_tree.GetNextPreorder(m_south));
    EXPECT_EQ(nullptr, m_tree.GetNextPreorder(m_small));
}

// The codes of the organizations the statement selects, in code order.
std::vector<std::string> Selected(CDaoDatabase& db, const CString& strSql)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenSnapshot, "Select FD_Code From (" + strSql + ") Order By FD_Code");
    std::vector<std::string> codes;
    for (; !rs.IsEOF(); rs.MoveNext())
    {
        COleVariant value;
        rs.GetFieldValue("FD_Code", value);
        codes.push_back((LPCSTR)AfxStringFromBstrBytes(V_BSTR(&value)));
    }
    return codes;
}

TEST_F(CheckTree, TheSelectionStatementNamesEachOrganizationWithACheckedPropertyOnce)
{
    CReportingTestFolder folder;
    CDaoDatabase db;
    db.Open(folder.MakeDatabase("select.db", FALSE));
    db.Execute("INSERT INTO ss_Organ VALUES ('A1', 'Alder', 'A'), ('B''2', 'Birch', 'B'), ('C3', 'Cedar', 'C')");
    // Region 0: North 0, South 1; Size 3: Big 2, Small 5.
    db.Execute("INSERT INTO ss_OrgAttr VALUES ('A1', 0, 0), ('A1', 3, 2), ('B''2', 0, 1), ('B''2', 3, 5),"
               " ('C3', 3, 5)");

    EXPECT_EQ("Select * From ss_Organ", COrganPropTreeDlg::BuildOrganSQL(m_tree, m_root));
    m_tree.SetCheck(m_size, 0);
    CString strSql = COrganPropTreeDlg::BuildOrganSQL(m_tree, m_root);
    EXPECT_EQ("Select FD_Code,FD_Name From ss_Organ Where FD_Code In (Select ss_OrgAttr.FD_OrgCode From ss_OrgAttr"
              " Where ss_OrgAttr.FD_AttrTypeCode=3)",
              strSql);
    EXPECT_EQ((std::vector<std::string>{ "A1", "B'2", "C3" }), Selected(db, strSql));

    m_tree.SetCheck(m_size, 1);
    m_tree.SetCheck(m_small, 0);
    m_tree.SetCheck(m_north, 0);
    strSql = COrganPropTreeDlg::BuildOrganSQL(m_tree, m_root);
    EXPECT_NE(-1, strSql.Find("Where ss_OrgAttr.FD_AttrTypeCode=0 And ss_OrgAttr.FD_ValCode In (0) Or "
                              "ss_OrgAttr.FD_AttrTypeCode=3 And ss_OrgAttr.FD_ValCode In (5))"))
        << (LPCSTR)strSql;
    // A1 holds North, B'2 and C3 hold Small: each once.
    EXPECT_EQ((std::vector<std::string>{ "A1", "B'2", "C3" }), Selected(db, strSql));
    m_tree.SetCheck(m_north, 1);
    EXPECT_EQ((std::vector<std::string>{ "B'2", "C3" }), Selected(db, COrganPropTreeDlg::BuildOrganSQL(m_tree, m_root)));
}

} // namespace
