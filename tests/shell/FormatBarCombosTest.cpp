#include <map>
#include <set>
#include <string>

#include "tests/support/Gtest.h"
#include "tests/shell/ShellTestWindow.h"
#include "shell/FaceNameCombo.h"
#include "shell/PointSizeCombo.h"

namespace {

class FormatBarCombosTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(faces.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST
                                     | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                 CRect(10, 10, 200, 300), &host, 101));
        ASSERT_TRUE(sizes.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN,
                                 CRect(210, 10, 280, 300), &host, 102));
        faces.FillFaces();
    }

    CString SizeText() const
    {
        CString str;
        sizes.GetWindowText(str);
        return str;
    }
    // The index of the first TrueType face, or -1.
    int FirstTrueTypeFace() const
    {
        for (int i = 0; i < faces.GetCount(); ++i)
            if (faces.GetEntry(i)->m_dwFlags & FONT_ENTRY_TRUETYPE)
                return i;
        return -1;
    }

    CShellTestWindow host;
    CFaceNameCombo faces;
    CPointSizeCombo sizes;
};

TEST_F(FormatBarCombosTest, FacesInSeveralCharsetsShowTheirScript)
{
    ASSERT_LT(0, faces.GetCount());
    std::map<std::string, int> perName;
    for (int i = 0; i < faces.GetCount(); ++i)
        ++perName[(LPCTSTR)faces.GetEntry(i)->m_strName];
    bool bSeenRepeated = false;
    std::set<std::string> texts;
    for (int i = 0; i < faces.GetCount(); ++i)
    {
        const CFontFaceEntry* pEntry = faces.GetEntry(i);
        SCOPED_TRACE((LPCTSTR)pEntry->m_strName);
        CString strText;
        faces.GetLBText(i, strText);
        texts.insert((LPCTSTR)strText);
        if (perName[(LPCTSTR)pEntry->m_strName] > 1 && !pEntry->m_strScript.IsEmpty())
        {
            bSeenRepeated = true;
            EXPECT_STREQ((LPCTSTR)(pEntry->m_strName + " (" + pEntry->m_strScript + ")"),
                         (LPCTSTR)strText);
        }
        else if (perName[(LPCTSTR)pEntry->m_strName] == 1)
        {
            EXPECT_STREQ((LPCTSTR)pEntry->m_strName, (LPCTSTR)strText);
        }
        EXPECT_NE(MAC_CHARSET, pEntry->m_nCharSet);
    }
    // Wine's own fonts cover several charsets.
    EXPECT_TRUE(bSeenRepeated);
    EXPECT_EQ((size_t)faces.GetCount(), texts.size());
}

TEST_F(FormatBarCombosTest, SelectFacePicksTheCharsetVariant)
{
    // A face listed in two charsets, and the second one's charset.
    int nFirst = -1, nSecond = -1;
    for (int i = 0; i < faces.GetCount() && nSecond < 0; ++i)
        for (int j = i + 1; j < faces.GetCount() && nSecond < 0; ++j)
            if (faces.GetEntry(i)->m_strName == faces.GetEntry(j)->m_strName)
            {
                nFirst = i;
                nSecond = j;
            }
    ASSERT_GE(nSecond, 0);
    CString strName = faces.GetEntry(nSecond)->m_strName;
    faces.SelectFace(strName, faces.GetEntry(nSecond)->m_nCharSet);
    EXPECT_EQ(nSecond, faces.GetCurSel());
    faces.SelectFace(strName, faces.GetEntry(nFirst)->m_nCharSet);
    EXPECT_EQ(nFirst, faces.GetCurSel());
    // Any charset will do: the first variant.
    faces.SelectFace(strName, DEFAULT_CHARSET);
    EXPECT_EQ(faces.FindString(-1, strName), faces.GetCurSel());
    CString strText;
    faces.GetComboText(strText);
    EXPECT_EQ(0, strText.Find(strName));

    faces.SetComboText("", FALSE);
    EXPECT_EQ(CB_ERR, faces.GetCurSel());
}

TEST_F(FormatBarCombosTest, SizesShowAsHalfPointsAndKeepAnEquivalentText)
{
    sizes.SetSizeTwips(205);
    EXPECT_STREQ("10.5", (LPCTSTR)SizeText());
    EXPECT_EQ(210, sizes.GetSizeTwips());
    sizes.SetWindowText("10.26");
    sizes.SetSizeTwips(205);
    EXPECT_STREQ("10.26", (LPCTSTR)SizeText());
    EXPECT_EQ(205, sizes.GetLastTwips());
    sizes.SetSizeTwips(-1);
    EXPECT_STREQ("", (LPCTSTR)SizeText());
    EXPECT_EQ(SIZE_TEXT_EMPTY, sizes.GetSizeTwips());
}

TEST_F(FormatBarCombosTest, DropDownListsTheFaceSizesAndFallsBackToTheLastSize)
{
    int nFace = FirstTrueTypeFace();
    ASSERT_GE(nFace, 0);
    faces.SetCurSel(nFace);
    sizes.SetSizeTwips(240);
    sizes.SetWindowText("abc");
    EXPECT_EQ(SIZE_TEXT_INVALID, sizes.GetSizeTwips());
    sizes.PrepareDropDown(faces);
    ASSERT_EQ(16, sizes.GetCount());
    CString str;
    sizes.GetLBText(0, str);
    EXPECT_STREQ("8", (LPCTSTR)str);
    sizes.GetLBText(15, str);
    EXPECT_STREQ("72", (LPCTSTR)str);
    EXPECT_EQ(1440u, sizes.GetItemData(15));
    EXPECT_STREQ("12", (LPCTSTR)SizeText());
    EXPECT_EQ(4, sizes.GetCurSel());

    // Too small and too large texts fall back as well; a valid one stays.
    for (const char* pszText : {"0.5", "2000"})
    {
        sizes.SetWindowText(pszText);
        sizes.PrepareDropDown(faces);
        EXPECT_STREQ("12", (LPCTSTR)SizeText()) << pszText;
    }
    sizes.SetWindowText("9.5");
    sizes.PrepareDropDown(faces);
    EXPECT_STREQ("9.5", (LPCTSTR)SizeText());
    EXPECT_EQ(190, sizes.GetLastTwips());

    // No listed face: no sizes.
    faces.SetCurSel(-1);
    sizes.PrepareDropDown(faces);
    EXPECT_EQ(0, sizes.GetCount());
    sizes.FillSizes("");
    EXPECT_EQ(0, sizes.GetCount());
}

TEST_F(FormatBarCombosTest, TrueTypeFacesAreMarkedInTheList)
{
    int nFace = FirstTrueTypeFace();
    ASSERT_GE(nFace, 0);
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 200, 20);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT rc = {0, 0, 200, 20};
    ::FillRect(hDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ::SetBkColor(hDC, RGB(255, 255, 255));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = (UINT)nFace;
    dis.hDC = hDC;
    dis.rcItem = rc;
    dis.itemData = (ULONG_PTR)faces.GetEntry(nFace);
    faces.DrawItem(&dis);
    int nMarkPixels = 0, nTextPixels = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 200; ++x)
            if (::GetPixel(hDC, x, y) != RGB(255, 255, 255))
                ++(x < 16 ? nMarkPixels : nTextPixels);
    EXPECT_LT(0, nMarkPixels);
    EXPECT_LT(0, nTextPixels);
    // Nothing left of the text's indent but the mark.
    for (int y = 0; y < 20; ++y)
        for (int x = 16; x < 22; ++x)
            EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hDC, x, y)) << x << "," << y;
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
}

} // namespace
