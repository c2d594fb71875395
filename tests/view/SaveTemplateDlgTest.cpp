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

    static std::vector<std::string> TopLevelFolders(CSaveTemplateDlg* p)
    {
        std::vector<std::string> names;
        for (HTREEITEM h = p->m_treeFolders.GetRootItem(); h != NULL;
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

TEST_F(SaveTemplateDlgTest, OkRightAfterOpeningDoesNothing)
{
    MessageBoxRecorder recorder;
    CDrivenSaveDlg dlg("Budget");
    CString shownName;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        shownName = NameField(p);
        p->Press(IDOK);
        p->Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_STREQ("Budget", shownName);
    EXPECT_TRUE(dlg.m_strFolder.IsEmpty());
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(SaveTemplateDlgTest, FolderListsItsTemplatesAndALineGivesTheName)
{
    MessageBoxRecorder recorder;
    CDrivenSaveDlg dlg("Budget");
    std::vector<std::string> folders, lines;
    CString nameAfterClick;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        folders = TopLevelFolders(p);
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
    HTREEITEM hOutside = (HTREEITEM)1, hMissing = (HTREEITEM)1, hRoot = (HTREEITEM)1;
    dlg.m_onInit = [&](CDrivenSaveDlg* p) {
        hOutside = p->m_treeFolders.SelectPath(m_folder.PathOf("Elsewhere\\Monthly"), FALSE);
        hMissing = p->m_treeFolders.SelectPath(m_strRoot + "Monthly\\Nothing", FALSE);
        hRoot = p->m_treeFolders.SelectPath(m_strRoot, FALSE);
        p->Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(nullptr, hOutside);
    EXPECT_EQ(nullptr, hMissing);
    EXPECT_EQ(nullptr, hRoot);
    EXPECT_TRUE(dlg.m_strFolder.IsEmpty());
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
        foldersAfter = TopLevelFolders(p);
        HTREEITEM hType = p->m_treeFolders.FindChildItem(TVI_ROOT, "monthly");
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
