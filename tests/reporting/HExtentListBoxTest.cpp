// The horizontal-extent list box: its scroll range follows the widest
// entry through additions, insertions, failed insertions, deletions and
// emptying.
#include "tests/support/Gtest.h"

#include <windows.h>

#include "reporting/HExtentListBox.h"

namespace
{

class HExtentListBox : public testing::Test
{
protected:
    void SetUp() override
    {
        m_parent.CreateEx(0, AfxRegisterWndClass(0), "list owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                          200, NULL, NULL);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 120, 150),
                                  &m_parent, 100));
        m_list.SendMessage(WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT));
    }

    void TearDown() override { m_parent.DestroyWindow(); }

    // The text's width in the list box's font, with the room beside it.
    int Width(LPCSTR lpszText)
    {
        HDC hDC = ::GetDC(m_list.m_hWnd);
        HGDIOBJ hOld = ::SelectObject(hDC, GetStockObject(DEFAULT_GUI_FONT));
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, lpszText, lstrlenA(lpszText), &size);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_list.m_hWnd, hDC);
        return size.cx + 6;
    }

    int Extent() { return (int)m_list.SendMessage(LB_GETHORIZONTALEXTENT); }

    CWnd m_parent;
    CHExtentListBox m_list;
};

TEST_F(HExtentListBox, TheExtentIsTheWidestEntryLeft)
{
    const char kShort[] = "ab", kLong[] = "a much longer entry of the list", kMiddle[] = "middle entry";
    m_list.AddString(kShort);
    EXPECT_EQ(Width(kShort), Extent());
    m_list.AddString(kLong);
    m_list.InsertString(1, kMiddle);
    EXPECT_EQ(Width(kLong), Extent());
    // An entry that cannot go in records nothing.
    EXPECT_EQ(LB_ERR, m_list.InsertString(10, "an entry far wider than every other entry of the list"));
    EXPECT_EQ(Width(kLong), Extent());

    m_list.DeleteString(1);   // the middle one
    EXPECT_EQ(Width(kLong), Extent());
    m_list.DeleteString(1);   // the long one
    EXPECT_EQ(Width(kShort), Extent());
    m_list.ResetContent();
    EXPECT_EQ(0, Extent());
    m_list.AddString(kMiddle);
    EXPECT_EQ(Width(kMiddle), Extent());
}

} // namespace
