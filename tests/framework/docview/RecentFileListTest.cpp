#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/framework/docview/TestDocuments.h"

#include "framework/docview/DocTemplate.h"
#include "framework/docview/RecentFileList.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/Wnd.h"

namespace
{
const char kSection[] = "Recent File List";

// An application whose settings live under a test key, emptied before and
// after each test.
class CRecentApp : public CWinApp
{
public:
    CRecentApp() : CWinApp("RecentFileListTest")
    {
        SetRegistryKey("Tallyform Tests");
    }
    void ForgetList() { WriteProfileString(kSection, NULL, NULL); }
    // A list of four and windowless notes to open.
    void StartWithNotes()
    {
        LoadStdProfileSettings(4);
        AddDocTemplate(new CMultiDocTemplate(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL));
    }
};

class RecentFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CRecentApp app;
        app.ForgetList();
    }
    void TearDown() override { SetUp(); }
};

std::vector<std::string> Entries(const CRecentFileList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i)
        names.push_back((LPCSTR)list[i]);
    return names;
}

typedef std::vector<std::string> Names;

struct MenuItem
{
    UINT nID;
    std::string text;
    BOOL bGrayed;
};

std::vector<MenuItem> Items(HMENU hMenu)
{
    std::vector<MenuItem> items;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
    {
        char szText[256] = "";
        ::GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        UINT nState = ::GetMenuState(hMenu, i, MF_BYPOSITION);
        items.push_back({ ::GetMenuItemID(hMenu, i), szText, (nState & MF_GRAYED) != 0 });
    }
    return items;
}

// A File menu as the programs' resources have it.
HMENU MakeFileMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_FILE_NEW, "&New");
    ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "Recent File");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_STRING, 7411, "E&xit");
    return hMenu;
}
} // namespace

TEST_F(RecentFiles, ListSurvivesTheApplicationThroughTheProfileMostRecentFirst)
{
    {
        CRecentApp app;
        app.LoadStdProfileSettings(4);
        ASSERT_NE(nullptr, app.m_pRecentFileList);
        EXPECT_EQ(0, app.m_pRecentFileList->GetCount());
        for (LPCSTR lpszPath : { "C:\\reports\\a.kvm", "C:\\reports\\b.kvm", "C:\\reports\\c.kvm",
                                 "C:\\reports\\d.kvm", "C:\\reports\\e.kvm" })
            app.AddToRecentFileList(lpszPath);
        app.ExitInstance();
    }
    {
        CRecentApp app;
        app.LoadStdProfileSettings(4);
        // Four kept, the newest first; the oldest fell off.
        EXPECT_EQ(Names({ "C:\\reports\\e.kvm", "C:\\reports\\d.kvm", "C:\\reports\\c.kvm",
                          "C:\\reports\\b.kvm" }),
                  Entries(*app.m_pRecentFileList));
        EXPECT_STREQ("C:\\reports\\e.kvm", (LPCSTR)app.GetProfileString(kSection, "File1"));
        EXPECT_STREQ("C:\\reports\\b.kvm", (LPCSTR)app.GetProfileString(kSection, "File4"));
    }
    {
        // A smaller list reads only its own entries and writes the rest away.
        CRecentApp app;
        app.LoadStdProfileSettings(2);
        EXPECT_EQ(Names({ "C:\\reports\\e.kvm", "C:\\reports\\d.kvm" }),
                  Entries(*app.m_pRecentFileList));
        app.ExitInstance();
        EXPECT_STREQ("", (LPCSTR)app.GetProfileString(kSection, "File3"));
    }
    {
        CRecentApp app;
        app.LoadStdProfileSettings(0);
        EXPECT_EQ(nullptr, app.m_pRecentFileList);
    }
}

TEST_F(RecentFiles, AFileAddedAgainMovesToTheTopWhateverItsCase)
{
    CRecentFileList list(ID_FILE_MRU_FILE1, kSection, "File", 3);
    list.Add("C:\\Reports\\One.kvm");
    list.Add("C:\\Reports\\Two.kvm");
    list.Add("c:\\reports\\ONE.KVM");
    EXPECT_EQ(Names({ "c:\\reports\\ONE.KVM", "C:\\Reports\\Two.kvm" }), Entries(list));
    list.Add("C:\\Reports\\Three.kvm");
    list.Add("C:\\Reports\\Four.kvm");
    EXPECT_EQ(Names({ "C:\\Reports\\Four.kvm", "C:\\Reports\\Three.kvm", "c:\\reports\\ONE.KVM" }),
              Entries(list));
    // A relative name is kept as the full path.
    list.Add("Five.kvm");
    char szFull[MAX_PATH];
    ASSERT_NE(0u, ::GetFullPathNameA("Five.kvm", MAX_PATH, szFull, NULL));
    EXPECT_STREQ(szFull, (LPCSTR)list[0]);
    EXPECT_EQ(Names({ szFull, "C:\\Reports\\Four.kvm", "C:\\Reports\\Three.kvm" }),
              Entries(list));
    list.Remove(1);
    list.Remove(7);
    EXPECT_EQ(Names({ szFull, "C:\\Reports\\Three.kvm" }), Entries(list));
}

TEST_F(RecentFiles, DisplayNamesAreShortened)
{
    EXPECT_STREQ("C:\\a\\b.kvm", (LPCSTR)AfxAbbreviatePath("C:\\a\\b.kvm", 30));
    // The last folders that fit stay, with the root in front.
    EXPECT_STREQ("C:\\...\\North\\Summary.kvm",
                 (LPCSTR)AfxAbbreviatePath("C:\\Reports\\2026\\Quarterly\\North\\Summary.kvm", 30));
    EXPECT_STREQ("C:\\...\\Quarterly\\North\\Summary.kvm",
                 (LPCSTR)AfxAbbreviatePath("C:\\Reports\\2026\\Quarterly\\North\\Summary.kvm", 34));
    EXPECT_STREQ("\\\\server\\share\\...\\Summary.kvm",
                 (LPCSTR)AfxAbbreviatePath("\\\\server\\share\\Reports\\2026\\Summary.kvm", 30));
    // A name too long for even the shortest form stands alone.
    EXPECT_STREQ("A very long report file name.kvm",
                 (LPCSTR)AfxAbbreviatePath("C:\\Reports\\A very long report file name.kvm", 30));

    CRecentFileList list(ID_FILE_MRU_FILE1, kSection, "File", 4);
    list.Add("C:\\Work\\Here\\Budget.kvm");
    list.Add("C:\\Work\\Elsewhere\\Budget.kvm");
    EXPECT_STREQ("Budget.kvm", (LPCSTR)list.GetDisplayName(1, "C:\\Work\\Here"));
    EXPECT_STREQ("Budget.kvm", (LPCSTR)list.GetDisplayName(1, "c:\\work\\here\\"));
    EXPECT_STREQ("C:\\Work\\Elsewhere\\Budget.kvm", (LPCSTR)list.GetDisplayName(0, "C:\\Work\\Here"));
}

TEST_F(RecentFiles, FileMenuShowsNumberedEntriesInPlaceOfThePlaceholder)
{
    CRecentApp app;
    HMENU hMenu = MakeFileMenu();

    // Without a list the placeholder stays, disabled.
    AfxUpdateMenuPopup(&app, hMenu, FALSE);
    ASSERT_EQ(4u, Items(hMenu).size());
    EXPECT_TRUE(Items(hMenu)[1].bGrayed);

    app.LoadStdProfileSettings(4);
    AfxUpdateMenuPopup(&app, hMenu, FALSE);
    EXPECT_EQ("Recent File", Items(hMenu)[1].text);
    EXPECT_TRUE(Items(hMenu)[1].bGrayed);

    app.AddToRecentFileList("C:\\Reports\\2026\\Quarterly\\North\\Summary.kvm");
    app.AddToRecentFileList("C:\\Ledgers\\R&D.kvm");
    // Opening the menu twice shows the entries once.
    AfxUpdateMenuPopup(&app, hMenu, FALSE);
    AfxUpdateMenuPopup(&app, hMenu, FALSE);
    std::vector<MenuItem> items = Items(hMenu);
    ASSERT_EQ(5u, items.size());
    EXPECT_EQ((UINT)ID_FILE_NEW, items[0].nID);
    EXPECT_EQ((UINT)ID_FILE_MRU_FILE1, items[1].nID);
    EXPECT_EQ("&1 C:\\Ledgers\\R&&D.kvm", items[1].text);
    EXPECT_FALSE(items[1].bGrayed);
    EXPECT_EQ((UINT)ID_FILE_MRU_FILE1 + 1, items[2].nID);
    EXPECT_EQ("&2 C:\\...\\North\\Summary.kvm", items[2].text);
    EXPECT_EQ(0u, items[3].nID);
    EXPECT_EQ("E&xit", items[4].text);

    // The items after the entries are still updated in the same pass.
    ::EnableMenuItem(hMenu, 7411, MF_BYCOMMAND | MF_ENABLED);
    AfxUpdateMenuPopup(&app, hMenu, TRUE);
    EXPECT_TRUE(Items(hMenu)[4].bGrayed);

    app.m_pRecentFileList->Remove(0);
    app.m_pRecentFileList->Remove(0);
    AfxUpdateMenuPopup(&app, hMenu, FALSE);
    items = Items(hMenu);
    ASSERT_EQ(4u, items.size());
    EXPECT_EQ((UINT)ID_FILE_MRU_FILE1, items[1].nID);
    EXPECT_EQ("Recent File", items[1].text);
    EXPECT_TRUE(items[1].bGrayed);
    ::DestroyMenu(hMenu);
}

TEST_F(RecentFiles, DocumentsOpenedAndSavedJoinTheList)
{
    CScratchFolder folder;
    SaveNoteFile(folder.PathOf("first.nte"), FALSE, "first", 1);
    CRecentApp app;
    app.StartWithNotes();

    CDocument* pDoc = app.OpenDocumentFile(folder.PathOf("first.nte"));
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(Names({ (LPCSTR)folder.PathOf("first.nte") }), Entries(*app.m_pRecentFileList));
    ASSERT_TRUE(pDoc->DoSave(folder.PathOf("second.nte")));
    EXPECT_EQ(Names({ (LPCSTR)folder.PathOf("second.nte"), (LPCSTR)folder.PathOf("first.nte") }),
              Entries(*app.m_pRecentFileList));
    // A copy saved under another name leaves the list alone.
    ASSERT_TRUE(pDoc->DoSave(folder.PathOf("copy.nte"), FALSE));
    EXPECT_EQ(2, app.m_pRecentFileList->GetCount());
}

TEST_F(RecentFiles, ClickOpensTheEntryAndDropsOneThatNoLongerOpens)
{
    CScratchFolder folder;
    SaveNoteFile(folder.PathOf("kept.nte"), FALSE, "kept", 1);
    CRecentApp app;
    app.StartWithNotes();
    app.AddToRecentFileList(folder.PathOf("kept.nte"));
    app.AddToRecentFileList(folder.PathOf("gone.nte"));
    app.AddToRecentFileList(folder.PathOf("other.nte"));

    MessageBoxRecorder recorder;
    // The second entry is the missing file.
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1 + 1, CN_COMMAND, NULL, NULL));
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_NE(std::string::npos, recorder.LastText().find("gone.nte")) << recorder.LastText();
    EXPECT_EQ(Names({ (LPCSTR)folder.PathOf("other.nte"), (LPCSTR)folder.PathOf("kept.nte") }),
              Entries(*app.m_pRecentFileList));

    // A file that opens moves to the top.
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1 + 1, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ(1, app.GetDocManager()->GetOpenDocumentCount());
    EXPECT_EQ(Names({ (LPCSTR)folder.PathOf("kept.nte"), (LPCSTR)folder.PathOf("other.nte") }),
              Entries(*app.m_pRecentFileList));

    // An entry past the list's end does nothing.
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1 + 5, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(2, app.m_pRecentFileList->GetCount());
}
