// The template folder tree inside the Select Template dialog: the root
// folder's own item, new folders, rename, drag and drop and refresh,
// checked on disk and in the tree.
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/view/DrivenDialog.h"

#include <commctrl.h>

#include "view/SelectTemplateDlg.h"
#include "TemplateDialogIds.h"
#include "TemplatePickerIds.h"

namespace
{
typedef CDrivenDialog<CSelectTemplateDlg> CDrivenSelectDlg;

BOOL Exists(const CString& strPath)
{
    return GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ChildTexts(CFolderTreeCtrl& tree, HTREEITEM hParent)
{
    std::vector<std::string> texts;
    for (HTREEITEM h = hParent == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(hParent); h != NULL;
         h = tree.GetNextSiblingItem(h))
        texts.push_back((LPCSTR)tree.GetItemText(h));
    return texts;
}

void Command(CFolderTreeCtrl& tree, UINT nID)
{
    tree.SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
}

// Lets the dialog finish opening: shown, laid out, its posted start-up
// messages handled.
void Settle(CDialog* pDlg)
{
    pDlg->ShowWindow(SW_SHOW);
    pDlg->UpdateWindow();
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

LPARAM PointOf(CFolderTreeCtrl& tree, HTREEITEM hItem)
{
    CRect rc;
    EXPECT_TRUE(tree.GetItemRect(hItem, &rc, TRUE));
    return MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
}

// A drag of one item onto another with the mouse, and what it makes happen.
void Drag(CFolderTreeCtrl& tree, HTREEITEM hFrom, HTREEITEM hTo)
{
    LPARAM from = PointOf(tree, hFrom), to = PointOf(tree, hTo);
    tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, from);
    tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(LOWORD(from) + 20, HIWORD(from) + 20));
    tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, to);
    tree.PostMessage(WM_LBUTTONUP, 0, to);
    MSG msg;
    for (int i = 0; i < 50 && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE); ++i)
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Template\Monthly (with Alpha.kvm and Sub\), Template\annual and
// Template\Yearly, in a scratch current directory.
class FolderTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitCommonControls();
        GetCurrentDirectoryA(MAX_PATH, m_szOldDir);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.GetPath()));
        for (const char* name : { "Template", "Template\\Monthly", "Template\\Monthly\\Sub",
                                  "Template\\annual", "Template\\Yearly" })
            CreateDirectoryA(m_folder.PathOf(name), NULL);
        WriteWholeFile(m_folder.PathOf("Template\\Monthly\\Alpha.kvm"), "x");
        m_strRoot = m_folder.GetPath() + "\\Template\\";
    }

    void TearDown() override { SetCurrentDirectoryA(m_szOldDir); }

    void Run(std::function<void(CDrivenSelectDlg*)> steps)
    {
        CDrivenSelectDlg dlg(NULL);
        dlg.m_onInit = [&steps](CDrivenSelectDlg* p) {
            Settle(p);
            steps(p);
            p->Press(IDCANCEL);
        };
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_FALSE(dlg.m_bWatchdogFired);
    }

    CScratchFolder m_folder;
    char m_szOldDir[MAX_PATH];
    CString m_strRoot;
    MessageBoxRecorder m_messages;
};
}

TEST_F(FolderTreeTest, FoldersAreOrderedWithoutCaseAndShownWithIcons)
{
    Run([](CDrivenSelectDlg* p) {
        EXPECT_EQ((std::vector<std::string>{ "annual", "Monthly", "Yearly" }), ChildTexts(p->m_treeFolders, p->m_treeFolders.GetRootItem()));
        EXPECT_NE(nullptr, p->m_treeFolders.GetImageList(TVSIL_NORMAL));
    });
}

TEST_F(FolderTreeTest, EveryLiveTreeHasTheSystemIcons)
{
    CFolderTreeCtrl first;
    Run([](CDrivenSelectDlg* p) {
        CImageList* pList = p->m_treeFolders.GetImageList(TVSIL_NORMAL);
        ASSERT_NE(nullptr, pList);
        EXPECT_GT(pList->GetImageCount(), 0);
    });
}

TEST_F(FolderTreeTest, AddingATypeTwicePutsNewInFront)
{
    Run([this](CDrivenSelectDlg* p) {
        CFolderTreeCtrl& tree = p->m_treeFolders;
        ASSERT_NE(nullptr, tree.SelectPath(m_strRoot + "Monthly", FALSE));
        Command(tree, ID_FOLDER_ADD_TYPE);
        ASSERT_NE(nullptr, tree.SelectPath(m_strRoot + "Monthly", FALSE));
        Command(tree, ID_FOLDER_ADD_TYPE);
        Command(tree, ID_FOLDER_ADD_SUBTYPE);
        EXPECT_TRUE(Exists(m_strRoot + "NewTemplateType"));
        EXPECT_TRUE(Exists(m_strRoot + "New NewTemplateType"));
        EXPECT_TRUE(Exists(m_strRoot + "Monthly\\NewTemplateSubType"));
        EXPECT_EQ((std::vector<std::string>{ "annual", "Monthly", "New NewTemplateType", "NewTemplateType", "Yearly" }),
                  ChildTexts(tree, tree.GetRootItem()));
        // Refresh keeps the subtype's folder selected and open.
        EXPECT_STREQ(m_strRoot + "Monthly", (LPCSTR)tree.GetSelectedPath());
    });
}

TEST_F(FolderTreeTest, RenameRefusesBadNamesBeforeTheShellIsAsked)
{
    Run([this](CDrivenSelectDlg* p) {
        CFolderTreeCtrl& tree = p->m_treeFolders;
        for (const char* name : { "", "..", "a\\b", "Bad:name", "CON" })
        {
            SCOPED_TRACE(name);
            HTREEITEM hItem = tree.SelectPath(m_strRoot + "Yearly", FALSE);
            ASSERT_NE(nullptr, hItem);
            Command(tree, ID_FOLDER_RENAME);
            HWND hEdit = (HWND)tree.SendMessage(TVM_GETEDITCONTROL);
            ASSERT_NE(nullptr, hEdit);
            SetWindowTextA(hEdit, name);
            tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE);
            EXPECT_STREQ("Yearly", (LPCSTR)tree.GetItemText(hItem));
        }
        EXPECT_TRUE(Exists(m_strRoot + "Yearly"));
        HTREEITEM hItem = tree.SelectPath(m_strRoot + "Yearly", FALSE);
        Command(tree, ID_FOLDER_RENAME);
        SetWindowTextA((HWND)tree.SendMessage(TVM_GETEDITCONTROL), "Annual sums");
        tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE);
        EXPECT_STREQ("Annual sums", (LPCSTR)tree.GetItemText(hItem));
        EXPECT_TRUE(Exists(m_strRoot + "Annual sums"));
        EXPECT_FALSE(Exists(m_strRoot + "Yearly"));
    });
    // Each refused name is explained.
    EXPECT_EQ(5u, m_messages.Messages().size());
}

TEST_F(FolderTreeTest, DraggingAFolderMovesItAndRefusesItsOwnParentAndSubtree)
{
    std::vector<std::string> under;
    Run([&under, this](CDrivenSelectDlg* p) {
        CFolderTreeCtrl& tree = p->m_treeFolders;
        HTREEITEM hMonthly = tree.SelectPath(m_strRoot + "Monthly", TRUE);
        HTREEITEM hSub = tree.SelectPath(m_strRoot + "Monthly\\Sub", FALSE);
        HTREEITEM hAnnual = tree.FindChildItem(tree.GetRootItem(), "annual");
        ASSERT_TRUE(hMonthly != NULL && hSub != NULL && hAnnual != NULL);
        auto drag = [&tree](HTREEITEM hFrom, HTREEITEM hTo) { Drag(tree, hFrom, hTo); };
        // Into its own subtree, onto itself: refused.
        drag(hMonthly, hSub);
        drag(hSub, hSub);
        EXPECT_TRUE(Exists(m_strRoot + "Monthly\\Sub"));
        drag(hMonthly, hAnnual);
        EXPECT_FALSE(tree.IsDragging());
        HTREEITEM hTarget = tree.FindChildItem(tree.GetRootItem(), "annual");
        ASSERT_NE(nullptr, hTarget);
        under = ChildTexts(tree, hTarget);
        EXPECT_EQ(nullptr, tree.FindChildItem(tree.GetRootItem(), "Monthly"));
    });
    EXPECT_TRUE(Exists(m_strRoot + "annual\\Monthly\\Alpha.kvm"));
    EXPECT_FALSE(Exists(m_strRoot + "Monthly"));
    EXPECT_EQ((std::vector<std::string>{ "Monthly" }), under);
}

TEST_F(FolderTreeTest, TheRootIsChosenTakesTypesAndIsNeverRenamedDeletedOrDragged)
{
    Run([this](CDrivenSelectDlg* p) {
        CFolderTreeCtrl& tree = p->m_treeFolders;
        HTREEITEM hRoot = tree.GetRootItem();
        ASSERT_NE(nullptr, hRoot);
        EXPECT_EQ(nullptr, tree.GetNextSiblingItem(hRoot));
        EXPECT_STREQ("Template", (LPCSTR)tree.GetItemText(hRoot));
        EXPECT_EQ(hRoot, tree.GetSelectedItem());
        EXPECT_STREQ(m_strRoot, (LPCSTR)p->m_strFolder);
        // Delete and Rename leave it alone; Add Type puts a type in it.
        Command(tree, ID_FOLDER_DELETE);
        Command(tree, ID_FOLDER_RENAME);
        EXPECT_EQ(nullptr, (HWND)tree.SendMessage(TVM_GETEDITCONTROL));
        Command(tree, ID_FOLDER_ADD_TYPE);
        EXPECT_TRUE(Exists(m_strRoot + "NewTemplateType"));
        EXPECT_EQ((std::vector<std::string>{ "annual", "Monthly", "NewTemplateType", "Yearly" }),
                  ChildTexts(tree, tree.GetRootItem()));
        EXPECT_EQ(tree.GetRootItem(), tree.GetSelectedItem());
        // A subtype dropped on the root becomes a type.
        HTREEITEM hSub = tree.SelectPath(m_strRoot + "Monthly\\Sub", FALSE);
        ASSERT_NE(nullptr, hSub);
        // The root itself does not move.
        Drag(tree, tree.GetRootItem(), tree.FindChildItem(tree.GetRootItem(), "annual"));
        EXPECT_FALSE(tree.IsDragging());
        Drag(tree, hSub, tree.GetRootItem());
        EXPECT_TRUE(Exists(m_strRoot + "Sub"));
        EXPECT_FALSE(Exists(m_strRoot + "Monthly\\Sub"));
    });
    EXPECT_TRUE(Exists(m_strRoot));
    EXPECT_TRUE(m_messages.Messages().empty());
}
