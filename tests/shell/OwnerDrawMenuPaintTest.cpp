#include "tests/shell/OwnerDrawMenuTestSupport.h"

#include <functional>

#include "tests/shell/ShellTestWindow.h"
#include "tests/sheet/RenderCanvas.h"

namespace {

const int kWidth = 220;
const int kImageW = 16;
const int kImageH = 15;

// The items are drawn into the drawing tests' DIB canvas, black to begin
// with.
class CItemCanvas : public sheettest::RenderCanvas
{
public:
    explicit CItemCanvas(int nHeight) : RenderCanvas(kWidth, nHeight)
    {
        Fill(RGB(0, 0, 0));
    }
    HDC Dc() { return DC()->m_hDC; }
    COLORREF At(int x, int y) const { return Pixel(x, y); }
    // Pixels of colour cr in the rectangle.
    int Count(const RECT& rc, COLORREF cr) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += At(x, y) == cr;
        return n;
    }
    // The leftmost and rightmost columns of the rectangle with a pixel not cr.
    bool InkColumns(const RECT& rc, COLORREF crBack, int& rLeft, int& rRight) const
    {
        rLeft = kWidth;
        rRight = -1;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (At(x, y) != crBack)
                {
                    rLeft = (std::min)(rLeft, x);
                    rRight = (std::max)(rRight, x);
                }
        return rRight >= 0;
    }
};

COLORREF Sys(int nIndex) { return ::GetSysColor(nIndex); }

class OwnerDrawMenuPaintTest : public OwnerDrawMenuFixture
{
protected:
    void SetUp() override
    {
        OwnerDrawMenuFixture::SetUp();
        const UINT toolbars[] = {IDT_TEST_FIRST, IDT_TEST_SECOND};
        ASSERT_TRUE(menu.LoadToolbars(toolbars, 2));
        MEASUREITEMSTRUCT mis = {};
        mis.CtlType = ODT_MENU;
        mis.itemID = ID_TEST_OPEN;
        mis.itemData = (ULONG_PTR)Record(ID_TEST_OPEN);
        menu.MeasureItem(&mis);
        m_nItemHeight = (int)mis.itemHeight;
        m_dy = (std::max)(0, (m_nItemHeight - kImageH - 4) / 2);
    }

    // Draws the item of a command (or a given record) at the canvas's top.
    void Draw(CItemCanvas& canvas, UINT nID, UINT nState, OwnerDrawItem* pItem = NULL)
    {
        int nPos = -1;
        COwnerDrawMenu* pHolder = menu.FindMenuItem(nID, nPos);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = nID;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = nState;
        dis.hwndItem = (HWND)(pHolder != NULL ? pHolder->m_hMenu : NULL);
        dis.hDC = canvas.Dc();
        dis.rcItem = {0, 0, kWidth, m_nItemHeight};
        dis.itemData = (ULONG_PTR)(pItem != NULL ? pItem : Record(nID));
        (pHolder != NULL ? pHolder : &menu)->DrawItem(&dis);
    }

    // The image's top-left corner within the item.
    int ImageX() const { return 2; }
    int ImageY() const { return m_dy + 2; }
    RECT TextArea() const { return {kImageW + 9, 0, kWidth, m_nItemHeight}; }

    int m_nItemHeight = 0;
    int m_dy = 0;
};

TEST_F(OwnerDrawMenuPaintTest, MeasuresTextWithTheMenuFontBesideTwoImageWidths)
{
    HFONT hFont = CreateMenuFont();
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    LPCWSTR pszText = Record(ID_TEST_OPEN)->pszText;
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(hDC, pszText, ::lstrlenW(pszText), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    ::DeleteObject(hFont);

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemData = (ULONG_PTR)Record(ID_TEST_OPEN);
    menu.MeasureItem(&mis);
    EXPECT_EQ((UINT)(size.cx + 33), mis.itemWidth);
    EXPECT_EQ((UINT)(std::max)(::GetSystemMetrics(SM_CYMENU), 19), mis.itemHeight);

    // A longer label measures wider by its own width.
    OwnerDrawItem* pExit = Record(ID_TEST_EXIT);
    MEASUREITEMSTRUCT misExit = mis;
    misExit.itemData = (ULONG_PTR)pExit;
    menu.MeasureItem(&misExit);
    ReplaceWide(pExit->pszText, L"E&xit and close every window");
    MEASUREITEMSTRUCT misLong = mis;
    misLong.itemData = (ULONG_PTR)pExit;
    menu.MeasureItem(&misLong);
    EXPECT_GT(misLong.itemWidth, misExit.itemWidth + 50);

    MEASUREITEMSTRUCT misSep = {};
    misSep.CtlType = ODT_MENU;
    misSep.itemData = (ULONG_PTR)Popup(0)->GetItem(2);
    menu.MeasureItem(&misSep);
    EXPECT_EQ(0u, misSep.itemWidth);
    EXPECT_EQ((UINT)(::GetSystemMetrics(SM_CYMENU) / 2), misSep.itemHeight);
}

TEST_F(OwnerDrawMenuPaintTest, ImagesComeFromTheToolbarWithTheButtonFaceTransparent)
{
    struct Case
    {
        UINT nID;
        COLORREF cr;
    };
    // Save is on both toolbars: the second one's image (magenta) wins.
    const Case cases[] = {{ID_TEST_OPEN, RGB(255, 0, 0)}, {ID_TEST_SAVE, RGB(255, 0, 255)},
                          {ID_TEST_CUT, RGB(0, 0, 255)}, {ID_TEST_COPY, RGB(255, 255, 0)}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nID);
        CItemCanvas canvas(m_nItemHeight);
        Draw(canvas, c.nID, 0);
        EXPECT_EQ(c.cr, canvas.At(ImageX() + 8, ImageY() + 7));
        EXPECT_EQ(c.cr, canvas.At(ImageX() + 2, ImageY() + 2));
        // The image's grey border shows the menu behind it.
        EXPECT_EQ(Sys(COLOR_MENU), canvas.At(ImageX() + 1, ImageY() + 1));
        EXPECT_EQ(Sys(COLOR_MENU), canvas.At(0, m_dy));
        EXPECT_EQ(Sys(COLOR_MENU), canvas.At(kWidth - 1, m_nItemHeight - 1));
    }
}

TEST_F(OwnerDrawMenuPaintTest, HighlightAndBoxesOfItemsWithImages)
{
    const int nBoxRight = kImageW + 3;
    const int nMidY = m_dy + 8;
    {
        SCOPED_TRACE("selected");
        CItemCanvas canvas(m_nItemHeight);
        Draw(canvas, ID_TEST_OPEN, ODS_SELECTED);
        EXPECT_EQ(Sys(COLOR_HIGHLIGHT), canvas.At(kImageW + 5, 0));
        EXPECT_EQ(Sys(COLOR_HIGHLIGHT), canvas.At(kWidth - 1, m_nItemHeight - 1));
        EXPECT_NE(Sys(COLOR_HIGHLIGHT), canvas.At(kImageW + 4, nMidY));
        EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(0, nMidY));
        EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(nBoxRight, nMidY));
        EXPECT_EQ(RGB(255, 0, 0), canvas.At(ImageX() + 8, ImageY() + 7));
        EXPECT_LT(0, canvas.Count(TextArea(), Sys(COLOR_HIGHLIGHTTEXT)));
    }
    {
        SCOPED_TRACE("selected and checked");
        CItemCanvas canvas(m_nItemHeight);
        Draw(canvas, ID_TEST_OPEN, ODS_SELECTED | ODS_CHECKED);
        EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(0, nMidY));
        EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(nBoxRight, nMidY));
    }
    {
        SCOPED_TRACE("checked");
        CItemCanvas canvas(m_nItemHeight);
        Draw(canvas, ID_TEST_OPEN, ODS_CHECKED);
        EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(0, nMidY));
        EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(nBoxRight, nMidY));
        EXPECT_EQ(Sys(COLOR_3DLIGHT), canvas.At(ImageX() + 1, ImageY() + 1));
        EXPECT_EQ(RGB(255, 0, 0), canvas.At(ImageX() + 8, ImageY() + 7));
    }
    {
        SCOPED_TRACE("checked on an old shell");
        AfxSetOsKind(OS_KIND_NT3);
        CItemCanvas canvas(m_nItemHeight);
        Draw(canvas, ID_TEST_OPEN, ODS_CHECKED);
        EXPECT_EQ(Sys(COLOR_MENU), canvas.At(0, nMidY));
        EXPECT_EQ(Sys(COLOR_3DLIGHT), canvas.At(ImageX() + 1, ImageY() + 1));
    }
}

TEST_F(OwnerDrawMenuPaintTest, GrayedItemsShowAnEmbossedImage)
{
    for (UINT nState : {(UINT)ODS_GRAYED, (UINT)(ODS_GRAYED | ODS_SELECTED)})
    {
        SCOPED_TRACE(nState);
        CItemCanvas canvas(m_nItemHeight);
        Draw(canvas, ID_TEST_OPEN, nState);
        RECT rcImage = {0, 0, kImageW + 4, m_nItemHeight};
        EXPECT_EQ(0, canvas.Count(rcImage, RGB(255, 0, 0)));
        // The square (image pixels 2..13 by 2..12) in shadow, its highlight
        // one pixel right and down, the rest button face.
        EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(ImageX() + 2, ImageY() + 2));
        EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(ImageX() + 13, ImageY() + 12));
        EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(ImageX() + 14, ImageY() + 13));
        EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(ImageX() + 8, ImageY() + 13));
        EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.At(ImageX() + 1, ImageY() + 1));
        EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.At(ImageX() + 14, ImageY() + 1));
    }
}

TEST_F(OwnerDrawMenuPaintTest, GrayedTextIsEmbossedOnlyWhenNotHighlighted)
{
    CItemCanvas plain(m_nItemHeight);
    Draw(plain, ID_TEST_EXIT, ODS_GRAYED);
    EXPECT_LT(0, plain.Count(TextArea(), Sys(COLOR_GRAYTEXT)));
    // Wine's default scheme has a white menu and highlight.
    if (Sys(COLOR_3DHILIGHT) != Sys(COLOR_MENU))
    {
        EXPECT_LT(0, plain.Count(TextArea(), Sys(COLOR_3DHILIGHT)));
    }
    EXPECT_EQ(0, plain.Count(TextArea(), Sys(COLOR_MENUTEXT)));

    CItemCanvas selected(m_nItemHeight);
    Draw(selected, ID_TEST_EXIT, ODS_GRAYED | ODS_SELECTED);
    EXPECT_EQ(0, selected.Count(TextArea(), Sys(COLOR_GRAYTEXT)));
    if (Sys(COLOR_HIGHLIGHTTEXT) != Sys(COLOR_MENU))
    {
        EXPECT_EQ(0, selected.Count(TextArea(), Sys(COLOR_HIGHLIGHTTEXT)));
    }
    EXPECT_LT(0, selected.Count(TextArea(), Sys(COLOR_MENU)));
}

TEST_F(OwnerDrawMenuPaintTest, CheckedItemsWithoutImagesShowACheckMarkOrABullet)
{
    // The check box, and the check mark's (x, y) within it.
    const int nBoxLeft = 1;
    const int nBoxTop = m_dy + 2;
    const int x = nBoxLeft + 4;
    const int y = nBoxTop + 4;
    const COLORREF crMark = Sys(COLOR_MENUTEXT);

    CItemCanvas check(m_nItemHeight);
    Draw(check, ID_TEST_EXIT, ODS_CHECKED);
    static const int kFirstRow[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int col = 0; col < 7; ++col)
    {
        SCOPED_TRACE(col);
        EXPECT_NE(crMark, check.At(x + col, y + kFirstRow[col] - 1));
        for (int row = kFirstRow[col]; row < kFirstRow[col] + 3; ++row)
            EXPECT_EQ(crMark, check.At(x + col, y + row));
        EXPECT_NE(crMark, check.At(x + col, y + kFirstRow[col] + 3));
    }
    EXPECT_EQ(Sys(COLOR_3DSHADOW), check.At(nBoxLeft, nBoxTop + 5));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), check.At(nBoxLeft + 2, nBoxTop + 12));

    CItemCanvas selected(m_nItemHeight);
    Draw(selected, ID_TEST_EXIT, ODS_CHECKED | ODS_SELECTED);
    EXPECT_EQ(Sys(COLOR_MENU), selected.At(nBoxLeft + 2, nBoxTop + 12));
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), selected.At(kImageW + 5, 1));
    EXPECT_NE(Sys(COLOR_HIGHLIGHT), selected.At(kImageW + 4, nBoxTop + 12));

    // A radio-style item: the 6 x 6 bullet at (5, 4) of the box.
    COwnerDrawMenu* pFile = Popup(0);
    ::CheckMenuRadioItem(pFile->m_hMenu, 4, 4, 4, MF_BYPOSITION);
    CItemCanvas bullet(m_nItemHeight);
    Draw(bullet, ID_TEST_EXIT, ODS_CHECKED);
    EXPECT_EQ(crMark, bullet.At(nBoxLeft + 7, nBoxTop + 6));
    EXPECT_EQ(crMark, bullet.At(nBoxLeft + 8, nBoxTop + 7));
    EXPECT_NE(crMark, bullet.At(x, y + 2));
    EXPECT_NE(crMark, bullet.At(nBoxLeft + 12, nBoxTop + 7));
}

TEST_F(OwnerDrawMenuPaintTest, SeparatorsAreAnEtchedLineThroughTheMiddle)
{
    OwnerDrawItem* pSeparator = Popup(0)->GetItem(2);
    CItemCanvas canvas(10);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.hDC = canvas.Dc();
    dis.rcItem = {0, 0, kWidth, 10};
    dis.itemData = (ULONG_PTR)pSeparator;
    Popup(0)->DrawItem(&dis);
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(50, 5));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(50, 6));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(50, 4));
}

TEST_F(OwnerDrawMenuPaintTest, LabelsSkipTheirAmpersandAndAcceleratorsAlignRight)
{
    const RECT rcText = TextArea();
    const COLORREF crMenu = Sys(COLOR_MENU);
    OwnerDrawItem* pExit = Record(ID_TEST_EXIT);
    auto inkOf = [&](LPCWSTR pszText, int& rLeft, int& rRight) {
        ReplaceWide(pExit->pszText, pszText);
        CItemCanvas canvas(m_nItemHeight);
        Draw(canvas, ID_TEST_EXIT, 0);
        EXPECT_TRUE(canvas.InkColumns(rcText, crMenu, rLeft, rRight));
    };
    int nLeftPlain = 0, nRightPlain = 0, nLeftMnemonic = 0, nRightMnemonic = 0;
    inkOf(L"Open", nLeftPlain, nRightPlain);
    inkOf(L"&Open", nLeftMnemonic, nRightMnemonic);
    EXPECT_GE(nLeftPlain, kImageW + 9);
    EXPECT_LE(nLeftPlain, kImageW + 12);
    EXPECT_EQ(nLeftPlain, nLeftMnemonic);
    EXPECT_EQ(nRightPlain, nRightMnemonic);

    // The accelerator's right end stands one image width inside the item.
    int nLeft = 0, nRight = 0;
    inkOf(L"Open\tCtrl+O", nLeft, nRight);
    EXPECT_EQ(nLeftPlain, nLeft);
    EXPECT_LE(nRight, kWidth - kImageW - 1);
    EXPECT_GE(nRight, kWidth - kImageW - 4);
    // Only the part after the last tab is the accelerator.
    int nLeft2 = 0, nRight2 = 0;
    inkOf(L"Open\tjunk\tCtrl+O", nLeft2, nRight2);
    EXPECT_EQ(nRight, nRight2);
}

TEST_F(OwnerDrawMenuPaintTest, WindowsHandOwnerDrawMessagesToTheMenuObject)
{
    CShellTestWindow window;
    CItemCanvas canvas(m_nItemHeight);
    int nPos = -1;
    COwnerDrawMenu* pHolder = menu.FindMenuItem(ID_TEST_OPEN, nPos);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = ID_TEST_OPEN;
    dis.hwndItem = (HWND)pHolder->m_hMenu;
    dis.hDC = canvas.Dc();
    dis.rcItem = {0, 0, kWidth, m_nItemHeight};
    dis.itemData = (ULONG_PTR)Record(ID_TEST_OPEN);
    EXPECT_TRUE(window.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(ImageX() + 8, ImageY() + 7));
}

} // namespace
