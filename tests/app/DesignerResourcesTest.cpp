// The designer's own menus, accelerators and strings, read from the built
// program module.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/Gtest.h"
#include "framework/docview/ToolBarResource.h"
#include "tests/app/DesignerProcess.h"

namespace
{
struct MenuEntry
{
    std::string text;
    UINT id;        // 0 for a separator, (UINT)-1 for a pop-up
};

std::vector<MenuEntry> Entries(HMENU hMenu)
{
    std::vector<MenuEntry> entries;
    int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        char szText[128] = "";
        GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        entries.push_back({ szText, GetMenuItemID(hMenu, i) });
    }
    return entries;
}

HMENU PopupNamed(HMENU hMenu, const std::string& text)
{
    int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        char szText[128] = "";
        GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        if (text == szText)
            return GetSubMenu(hMenu, i);
    }
    return NULL;
}

std::string ResourceString(UINT nID)
{
    char szText[512] = "";
    LoadStringA(LoadDesignerResources(), nID, szText, sizeof(szText));
    return szText;
}

// The command an accelerator table gives a key with the modifiers.
UINT AcceleratorCommand(UINT nTable, WORD wKey, BYTE fVirt)
{
    HACCEL hAccel = LoadAcceleratorsA(LoadDesignerResources(), MAKEINTRESOURCEA(nTable));
    ACCEL accels[64];
    int nCount = CopyAcceleratorTableA(hAccel, accels, 64);
    DestroyAcceleratorTable(hAccel);
    for (int i = 0; i < nCount; ++i)
    {
        if (accels[i].key == wKey && (accels[i].fVirt & ~FNOINVERT) == (fVirt | FVIRTKEY))
            return accels[i].cmd;
    }
    return 0;
}

class DesignerResourcesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(LoadDesignerResources(), nullptr); }

    HMENU Menu(UINT nID) { return LoadMenuA(LoadDesignerResources(), MAKEINTRESOURCEA(nID)); }
};

TEST_F(DesignerResourcesTest, NoDocumentMenuHoldsTheApplicationCommands)
{
    HMENU hMenu = Menu(4);
    ASSERT_NE(hMenu, nullptr);
    std::vector<MenuEntry> bar = Entries(hMenu);
    ASSERT_EQ(bar.size(), 4u);
    EXPECT_EQ(bar[0].text, "&File");
    EXPECT_EQ(bar[1].text, "&View");
    EXPECT_EQ(bar[2].text, "&Database");
    EXPECT_EQ(bar[3].text, "&Help");

    std::vector<MenuEntry> file = Entries(PopupNamed(hMenu, "&File"));
    ASSERT_GE(file.size(), 3u);
    EXPECT_EQ(file[0].text, "&New Template Wizard...\tCtrl+N");
    EXPECT_EQ(file[0].id, 57600u);
    EXPECT_EQ(file[1].id, 57601u);
    EXPECT_EQ(file.back().id, 57665u);

    std::vector<MenuEntry> database = Entries(PopupNamed(hMenu, "&Database"));
    ASSERT_EQ(database.size(), 4u);
    EXPECT_EQ(database[0].id, 32837u);
    EXPECT_EQ(database[1].id, 32838u);
    EXPECT_EQ(database[2].id, 0u);
    std::vector<MenuEntry> setup = Entries(PopupNamed(PopupNamed(hMenu, "&Database"), "&Setup"));
    ASSERT_EQ(setup.size(), 4u);
    EXPECT_EQ(setup[0].id, 32836u);
    EXPECT_EQ(setup[1].id, 32832u);
    EXPECT_EQ(setup[2].id, 32833u);
    EXPECT_EQ(setup[3].id, 32834u);

    // The no-document menu names the Table bar "Sheet" and the Format bar "Style".
    std::vector<MenuEntry> bars = Entries(PopupNamed(PopupNamed(hMenu, "&View"), "&Toolbars"));
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars[1].text, "&Sheet");
    EXPECT_EQ(bars[1].id, 33009u);
    EXPECT_EQ(bars[3].text, "St&yle");
    EXPECT_EQ(bars[3].id, 33011u);

    std::vector<MenuEntry> help = Entries(PopupNamed(hMenu, "&Help"));
    EXPECT_EQ(help.front().id, 57667u);
    EXPECT_EQ(help.back().id, 57664u);
    DestroyMenu(hMenu);
}

TEST_F(DesignerResourcesTest, DocumentAndModeMenus)
{
    HMENU hMenu = Menu(5);
    ASSERT_NE(hMenu, nullptr);
    std::vector<MenuEntry> bar = Entries(hMenu);
    std::vector<std::string> names;
    for (const MenuEntry& entry : bar)
        names.push_back(entry.text);
    EXPECT_EQ(names, (std::vector<std::string>{ "&File", "&Edit", "&View", "&Table", "&Cell",
                                                "&Data", "&Window", "&Help" }));
    std::vector<MenuEntry> view = Entries(PopupNamed(hMenu, "&View"));
    ASSERT_GE(view.size(), 2u);
    EXPECT_EQ(view[0].text, "&Design Mode     F2");
    EXPECT_EQ(view[0].id, 33006u);
    EXPECT_EQ(view[1].text, "&Run Mode F5");
    EXPECT_EQ(view[1].id, 33007u);
    HMENU hLoad = PopupNamed(PopupNamed(hMenu, "&File"), "&Load Data");
    ASSERT_NE(hLoad, nullptr);
    EXPECT_EQ(Entries(hLoad)[1].text, "From &Databae...");
    EXPECT_EQ(Entries(hLoad)[1].id, 32829u);
    HMENU hSave = PopupNamed(PopupNamed(hMenu, "&File"), "S&ave Data");
    ASSERT_NE(hSave, nullptr);
    EXPECT_EQ(Entries(hSave)[1].text, "to &Database");
    EXPECT_EQ(Entries(hSave)[1].id, 32827u);
    // The document's Data commands, by their texts.
    std::vector<std::pair<std::string, UINT>> dataCommands;
    for (const MenuEntry& entry : Entries(PopupNamed(hMenu, "&Data")))
        dataCommands.push_back({ entry.text, entry.id });
    for (const std::pair<std::string, UINT>& expected :
         std::vector<std::pair<std::string, UINT>>{ { "&Sum Data From Databases...", 33031u },
                                                    { "Sum Data From &Files...", 33056u },
                                                    { "&Batch Import to Database...", 33058u } })
        EXPECT_NE(std::find(dataCommands.begin(), dataCommands.end(), expected), dataCommands.end())
            << expected.first;
    HMENU hData = PopupNamed(hMenu, "&Data");
    bool bConnect = false;
    for (const MenuEntry& entry : Entries(hData))
        bConnect = bConnect || (entry.text == "Connect Database..." && entry.id == 32837u);
    EXPECT_TRUE(bConnect);
    DestroyMenu(hMenu);

    HMENU hMode = Menu(10);
    ASSERT_NE(hMode, nullptr);
    std::vector<MenuEntry> mode = Entries(GetSubMenu(hMode, 0));
    ASSERT_EQ(mode.size(), 2u);
    EXPECT_EQ(mode[0].text, "&Design");
    EXPECT_EQ(mode[0].id, 33006u);
    EXPECT_EQ(mode[1].text, "&Run");
    EXPECT_EQ(mode[1].id, 33007u);
    DestroyMenu(hMode);
}

TEST_F(DesignerResourcesTest, AcceleratorsAndStrings)
{
    EXPECT_EQ(AcceleratorCommand(4, 'N', FCONTROL), 57600u);
    EXPECT_EQ(AcceleratorCommand(4, 'O', FCONTROL), 57601u);
    EXPECT_EQ(AcceleratorCommand(5, VK_F2, 0), 33006u);
    EXPECT_EQ(AcceleratorCommand(5, VK_F5, 0), 33007u);
    EXPECT_EQ(AcceleratorCommand(5, 'S', FCONTROL), 57603u);
    EXPECT_EQ(AcceleratorCommand(4, VK_F2, 0), 0u);

    EXPECT_EQ(ResourceString(1), "OLE program initial failed,please check OLE libary verison.");
    EXPECT_EQ(ResourceString(4), "Tallyform");
    EXPECT_EQ(ResourceString(5),
              "\nUntitled\n\nTemplate File (*.kvm)\n.kvm\nTallyform.Sheet\nTallyform Template");
    EXPECT_EQ(ResourceString(419), "Tallyform.chm");
    EXPECT_EQ(ResourceString(33016), "Full Screen");
    // Command strings are a status-bar prompt and a tool tip.
    for (UINT nID : { 32837u, 32838u, 57600u, 57601u, 33006u, 33007u, 57664u })
    {
        std::string text = ResourceString(nID);
        size_t nBreak = text.find('\n');
        ASSERT_NE(nBreak, std::string::npos) << nID;
        EXPECT_GT(nBreak, 0u) << nID;
        EXPECT_LT(nBreak + 1, text.size()) << nID;
    }
}
TEST_F(DesignerResourcesTest, ToolbarButtonsInOrder)
{
    struct Bar
    {
        UINT nID;
        std::vector<UINT> buttons;
    };
    const Bar bars[] = {
        { 4, { 57600, 57601, 57603, 33082, 0, 32826, 32827, 32828, 32829, 0, 57607, 57609, 57605,
               0, 57635, 57634, 57637, 57636, 0, 57643, 57644, 0, 33007, 33015, 33016, 33006,
               33055, 0, 57664 } },
        { 6, { 32804, 32805, 32806, 32807, 0, 32810, 32811, 0, 32808, 32809, 0, 33064, 33063 } },
        { 11, { 33034, 32830, 0, 33056, 32835, 0, 32837, 32838 } },
        { 7, { 33016 } },
    };
    for (const Bar& bar : bars)
    {
        CToolBarResource resource;
        ASSERT_TRUE(resource.Load(LoadDesignerResources(), MAKEINTRESOURCEA(bar.nID))) << bar.nID;
        std::vector<UINT> ids;
        for (INT_PTR i = 0; i < resource.m_arrIDs.GetSize(); ++i)
            ids.push_back(resource.m_arrIDs[i]);
        EXPECT_EQ(ids, bar.buttons) << bar.nID;
        // The zoom combo takes the Standard bar's button at index 25.
        if (bar.nID == 4)
        {
            ASSERT_GT(ids.size(), 25u);
            EXPECT_EQ(ids[25], 33006u);
        }
    }
}

// Every button of every bar has a picture of its own: a cell of the bar's
// bitmap with several colours besides the transparent face, never a plain
// square, and no two cells alike.
TEST_F(DesignerResourcesTest, ToolbarImagesArePictures)
{
    const COLORREF kFace = RGB(192, 192, 192);
    for (UINT nBar : { 4u, 6u, 11u, 7u, 8u })
    {
        SCOPED_TRACE(nBar);
        CToolBarResource resource;
        ASSERT_TRUE(resource.Load(LoadDesignerResources(), MAKEINTRESOURCEA(nBar)));
        int nButtons = (int)std::count_if(resource.m_arrIDs.GetData(),
                                          resource.m_arrIDs.GetData() + resource.m_arrIDs.GetSize(),
                                          [](UINT nID) { return nID != 0; });
        HBITMAP hBitmap = (HBITMAP)LoadImageA(LoadDesignerResources(), MAKEINTRESOURCEA(nBar),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(hBitmap, nullptr);
        BITMAP bm = {};
        GetObject(hBitmap, sizeof(bm), &bm);
        ASSERT_EQ(bm.bmWidth, 16 * nButtons);
        ASSERT_EQ(bm.bmHeight, 15);
        HDC hDC = CreateCompatibleDC(NULL);
        HGDIOBJ hOld = SelectObject(hDC, hBitmap);
        std::vector<std::vector<COLORREF>> cells;
        for (int i = 0; i < nButtons; ++i)
        {
            std::vector<COLORREF> pixels;
            for (int y = 0; y < 15; ++y)
                for (int x = 0; x < 16; ++x)
                    pixels.push_back(GetPixel(hDC, i * 16 + x, y));
            std::vector<COLORREF> colours(pixels);
            std::sort(colours.begin(), colours.end());
            colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
            colours.erase(std::remove(colours.begin(), colours.end(), kFace), colours.end());
            EXPECT_GE(colours.size(), 3u) << "button " << i;
            EXPECT_EQ(std::find(cells.begin(), cells.end(), pixels), cells.end()) << "button " << i;
            cells.push_back(pixels);
        }
        SelectObject(hDC, hOld);
        DeleteDC(hDC);
        DeleteObject(hBitmap);
    }
}
} // namespace
