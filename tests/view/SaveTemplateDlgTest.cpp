#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/view/DrivenDialog.h"

#include <commctrl.h>

#include "view/SaveTemplateDlg.h"
#include "TemplateDialogIds.h"

namespace
{
typedef CDrivenDialog<CSaveTemplateDlg> CDrivenSaveDlg;

// A current directory with template folders:
//   Template\Annual, Template\monthly\Sub, Template\Monthly holds
//   Beta.kvm, Alpha.kvm, notes.txt and Old.kvmx.
class SaveTemplateDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitCommonControls();
        GetCurrentDirectoryA(MAX_PATH, m_szOldDir);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.GetPath()));
        CreateDirectoryA(m_folder.PathOf("Template"), NULL);
        CreateDirectoryA(m_folder.PathOf("Template\\Monthly"), NULL);
        CreateDirectoryA(m_folder.PathOf("Template\\Monthly\\Sub"), NULL);
        CreateDirectoryA(m_folder.PathOf("Template\\annual"), NULL);
        for (const char* name : {"Beta.kvm", "Alpha.kvm", "notes.txt", "Old.kvmx"})
            WriteWholeFile(m_folder.PathOf((std::string("Template\\Monthly\\") + name).c_str()), "x");
        m_strRoot = m_folder.GetPath() + "\\Template\\";
    }

    void TearDown() override { SetCurrentDirectoryA(m_szOldDir); }

    static std::vector<std::string> ListLines(CSaveTemplateDlg* p)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < p->m_listTemplates.GetCount(); ++i)
        {
            CString s;
            p->m_listTemplates.GetText(i, s);
            lines.push_back((LPCSTR)s);
        }
        return lines;
    }

    // The types: the folders under the tree's one top item, the root.
    static std::vector<std::string> TypeFolders(CSaveTemplateDlg* p)
    {
        std::vector<std::string> names;
        HTREEITEM hRoot = p->m_treeFolders.GetRootItem();
        for (HTREEITEM h = hRoot != NULL ? p->m_treeFolders.GetChildItem(hRoot) : NULL; h != NULL;
             h = p->m_treeFolders.GetNextSiblingItem(h))
            names.push_back((LPCSTR)p->m_treeFolders.GetItemText(h));
        return names;
    }

    static void ChooseListLine(CSaveTemplateDlg* p, int nLine)
    {
        p->m_listTemplates.SetCurSel(nLine);
        p->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEMPLATE_LIST, LBN_SELCHANGE),
                       (LPARAM)p->m_listTemplates.m_hWnd);
    }

    static CString NameField(CSaveTemplateDlg* p)
    {
        CString s;
        p->GetDlgItemText(IDC_TEMPLATE_NAME, s);
        return s;
    }

    CScratchFolder m_folder;
    char m_szOldDir[MAX_PATH];
    CString m_strRoot;
};
}

TEST_F(SaveTemplateDlgTest, OkRightAfterOpeningSavesInTheRootFolder)
{
    WriteWholeFile(m_folder.PathOf("Template\\Sample.kvm"), "x");
    MessageBoxRecorder recorder;
    CDrivenSaveDlg dlg("Budget");
    CString shownName, rootText;
    std::vector<std::string> lines;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        shownName = NameField(p);
        rootText = p->m_treeFolders.GetItemText(p->m_treeFolders.GetSelectedItem());
        lines = ListLines(p);
        p->Press(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_STREQ("Budget", shownName);
    // The root folder's own item is chosen, with its templates listed.
    EXPECT_STREQ("Template", rootText);
    EXPECT_EQ((std::vector<std::string>{"Sample"}), lines);
    EXPECT_STREQ(m_strRoot, dlg.m_strFolder);
    EXPECT_STREQ("Budget", dlg.m_strName);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(SaveTemplateDlgTest, FolderListsItsTemplatesAndALineGivesTheName)
{
    MessageBoxRecorder recorder;
    CDrivenSaveDlg dlg("Budget");
    std::vector<std::string> folders, lines;
    CString nameAfterClick;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        folders = TypeFolders(p);
        ASSERT_NE(nullptr, p->m_treeFolders.SelectPath(m_strRoot + "Monthly", FALSE));
        lines = ListLines(p);
        ChooseListLine(p, 1);
        nameAfterClick = NameField(p);
        p->Press(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    // Folders only, ordered without regard to case.
    EXPECT_EQ((std::vector<std::string>{"annual", "Monthly"}), folders);
    ASSERT_EQ(2u, lines.size());
    // In the order the file search gives them.
    std::vector<std::string> sorted = lines;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta"}), sorted);
    EXPECT_EQ(lines[1], (LPCSTR)nameAfterClick);
    EXPECT_EQ(lines[1], (LPCSTR)dlg.m_strName);
    EXPECT_STREQ(m_strRoot + "Monthly\\", dlg.m_strFolder);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(SaveTemplateDlgTest, SubfolderIsReachedAndEndsInOneBackslash)
{
    CDrivenSaveDlg dlg("Budget");
    CString selected;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        ASSERT_NE(nullptr, p->m_treeFolders.SelectPath(m_strRoot + "MONTHLY\\sub\\", FALSE));
        selected = p->m_treeFolders.GetSelectedPath();
        p->SetDlgItemText(IDC_TEMPLATE_NAME, "Quarterly sums");
        p->Press(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ(m_strRoot + "Monthly\\Sub", selected);
    EXPECT_STREQ(m_strRoot + "Monthly\\Sub\\", dlg.m_strFolder);
    EXPECT_STREQ("Quarterly sums", dlg.m_strName);
}

TEST_F(SaveTemplateDlgTest, PathsOutsideTheRootSelectNothing)
{
    CDrivenSaveDlg dlg("Budget");
    HTREEITEM hOutside = (HTREEITEM)1, hMissing = (HTREEITEM)1, hRoot = NULL;
    CString rootPath;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        hOutside = p->m_treeFolders.SelectPath(m_folder.PathOf("Elsewhere\\Monthly"), FALSE);
        hMissing = p->m_treeFolders.SelectPath(m_strRoot + "Monthly\\Nothing", FALSE);
        hRoot = p->m_treeFolders.SelectPath(m_strRoot, FALSE);
        rootPath = p->m_treeFolders.GetItemPath(hRoot);
        p->Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(nullptr, hOutside);
    EXPECT_EQ(nullptr, hMissing);
    // The root itself is the tree's top item.
    EXPECT_NE(nullptr, hRoot);
    EXPECT_STREQ(m_strRoot.Left(m_strRoot.GetLength() - 1), rootPath);
}

TEST_F(SaveTemplateDlgTest, BadNamesAreRefusedAndTheDialogStaysOpen)
{
    struct Case { const char* name; const char* message; };
    const Case cases[] = {
        {"", "Please input the template name."},
        {"Sales/2024", "A template name cannot contain any of the characters \\ / : * ? \" < > |."},
        {"nul", "nul is a name reserved by the system."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MessageBoxRecorder recorder;
        CDrivenSaveDlg dlg("Budget");
        dlg.m_onInit = [&](CDrivenSaveDlg* p) {
            p->m_treeFolders.SelectPath(m_strRoot + "annual", FALSE);
            p->SetDlgItemText(IDC_TEMPLATE_NAME, c.name);
            p->Press(IDOK);
            p->Press(IDCANCEL);
        };
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_FALSE(dlg.m_bWatchdogFired);
        ASSERT_EQ(1u, recorder.Messages().size());
        EXPECT_EQ(c.message, recorder.LastText());
        // Cancel keeps the name the dialog was given.
        EXPECT_STREQ("Budget", dlg.m_strName);
    }
}

TEST_F(SaveTemplateDlgTest, MissingTemplateFolderGivesAnEmptyTreeAndNoWayOut)
{
    SetCurrentDirectoryA(m_folder.PathOf("Template\\annual"));
    MessageBoxRecorder recorder;
    CDrivenSaveDlg dlg("Budget");
    UINT nItems = 99;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        nItems = p->m_treeFolders.GetCount();
        p->Press(IDOK);
        p->Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0u, nItems);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(SaveTemplateDlgTest, RefreshKeepsTheSubtypeSelectedAndShowsNewFolders)
{
    CDrivenSaveDlg dlg("Budget");
    CString selectedAfter, pathOfNoItem;
    std::vector<std::string> foldersAfter;
    UINT nTypeState = 0;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        ASSERT_NE(nullptr, p->m_treeFolders.SelectPath(m_strRoot + "Monthly\\Sub", FALSE));
        CreateDirectoryA(m_folder.PathOf("Template\\Zeta"), NULL);
        p->m_treeFolders.Refresh();
        selectedAfter = p->m_treeFolders.GetSelectedPath();
        foldersAfter = TypeFolders(p);
        HTREEITEM hType = p->m_treeFolders.FindChildItem(p->m_treeFolders.GetRootItem(), "monthly");
        nTypeState = hType != NULL ? p->m_treeFolders.GetItemState(hType, TVIS_EXPANDED) : 0;
        pathOfNoItem = p->m_treeFolders.GetItemPath(NULL);
        p->Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ(m_strRoot + "Monthly\\Sub", selectedAfter);
    EXPECT_EQ((std::vector<std::string>{"annual", "Monthly", "Zeta"}), foldersAfter);
    EXPECT_EQ((UINT)TVIS_EXPANDED, nTypeState);
    EXPECT_STREQ(m_strRoot, pathOfNoItem);
}
