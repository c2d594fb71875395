// The designer's document windows in this process: a template opened
// through the application becomes a child frame with the sheet view, under
// the document menu, and enters the File menu's recent files.
#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/sheet/SheetGrid.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/RecentFileList.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/app/ChildFrame.h"
#include "shell/app/TallyformApp.h"
#include "view/TallyformView.h"

namespace
{
const char kRegistryKey[] = "Veltrano Inc.";
const UINT kFirstRecentFile = 57616;

// The File pop-up of a menu bar: the one holding File > Open.
HMENU FilePopup(HMENU hBar)
{
    for (int i = 0; i < GetMenuItemCount(hBar); ++i)
    {
        HMENU hPopup = GetSubMenu(hBar, i);
        if (hPopup != NULL && GetMenuState(hPopup, 57601, MF_BYCOMMAND) != (UINT)-1)
            return hPopup;
    }
    return NULL;
}

std::string MenuText(HMENU hMenu, UINT nID)
{
    char szText[MAX_PATH] = "";
    GetMenuStringA(hMenu, nID, szText, sizeof(szText), MF_BYCOMMAND);
    return szText;
}

TEST(DesignerDocumentWindows, TemplateOpensInAChildFrameWithTheSheetViewAndDocumentMenu)
{
    MessageBoxRecorder messages;
    CScratchFolder folder;
    CString strTemplate = folder.PathOf("Monthly.kvm");
    {
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, 2, 3);
        ASSERT_TRUE(doc.OnSaveDocument(strTemplate));
    }

    CTallyformApp app;
    app.SetRegistryKey(kRegistryKey);
    app.LoadStdProfileSettings(4);
    while (app.m_pRecentFileList->GetCount() > 0)
        app.m_pRecentFileList->Remove(0);
    app.AddTallyformTemplate();
    ASSERT_TRUE(app.CreateMainFrame());
    HWND hMain = app.m_pMainWnd->GetSafeHwnd();
    HMENU hDocumentMenu = app.m_pDocTemplate->m_hMenuShared;
    ASSERT_NE(hDocumentMenu, nullptr);
    HMENU hNoDocumentMenu = GetMenu(hMain);
    EXPECT_NE(hNoDocumentMenu, hDocumentMenu);

    CDocument* pDoc = app.OpenDocumentFile(strTemplate);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_TRUE(pDoc->IsKindOf(RUNTIME_CLASS(CTallyformDoc)));
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTallyformView)));
    EXPECT_EQ(static_cast<CTallyformView*>(pView)->GetSheet()->m_cells.GetSize(), 6);
    CFrameWnd* pFrame = pView->GetParentFrame();
    ASSERT_NE(pFrame, nullptr);
    ASSERT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CChildFrame)));
    EXPECT_EQ(static_cast<CChildFrame*>(pFrame)->m_hMenuShared, hDocumentMenu);
    EXPECT_EQ(GetMenu(hMain), hDocumentMenu);

    // The opened template is the first recent file of the File menu.
    HMENU hFile = FilePopup(hDocumentMenu);
    ASSERT_NE(hFile, nullptr);
    SendMessageA(hMain, WM_INITMENUPOPUP, (WPARAM)hFile, 0);
    std::string strEntry = MenuText(hFile, kFirstRecentFile);
    EXPECT_EQ(strEntry.rfind("&1 ", 0), 0u) << strEntry;
    EXPECT_NE(strEntry.find("Monthly.kvm"), std::string::npos) << strEntry;

    // With the last document gone the bar shows the no-document menu again.
    app.CloseAllDocuments(FALSE);
    EXPECT_EQ(GetMenu(hMain), hNoDocumentMenu);
    app.m_pMainWnd->DestroyWindow();
    app.m_pMainWnd = NULL;
    EXPECT_TRUE(messages.Messages().empty());
}
} // namespace
