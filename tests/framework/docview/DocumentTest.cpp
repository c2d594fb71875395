#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/framework/docview/TestDocuments.h"
#include "tests/support/DialogDriver.h"

#include <dlgs.h>

#include "framework/docview/DocTemplate.h"

TEST(ModifiedFlag, SaveModifiedOfAnUnchangedDocumentAsksNothing)
{
    MessageBoxRecorder recorder;
    CNoteDoc doc;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(ModifiedFlag, SaveModifiedAnswers)
{
    CScratchFolder folder;
    CString strPath = folder.PathOf("note.nte");
    struct Case { int nAnswer; BOOL bResult; BOOL bFileWritten; BOOL bStillModified; };
    const Case cases[] = {
        {IDYES, TRUE, TRUE, FALSE},
        {IDNO, TRUE, FALSE, TRUE},
        {IDCANCEL, FALSE, FALSE, TRUE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nAnswer);
        DeleteFileA(strPath);
        MessageBoxRecorder recorder;
        recorder.QueueAnswer(c.nAnswer);
        CNoteDoc doc;
        doc.EnableCompoundFile();
        doc.SetPathName(strPath, FALSE);
        doc.m_strText = "changed";
        doc.SetModifiedFlag();
        EXPECT_EQ(c.bResult, doc.SaveModified());
        ASSERT_EQ(1u, recorder.Messages().size());
        const RecordedMessage& m = recorder.Messages()[0];
        EXPECT_EQ("Save changes to " + std::string((LPCSTR)doc.GetPathName()) + "?", m.text);
        EXPECT_EQ((UINT)MB_YESNOCANCEL, m.type & MB_TYPEMASK);
        EXPECT_EQ(c.bFileWritten, GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(c.bStillModified, doc.IsModified());
    }
}

TEST(ModifiedFlag, YesWithAFailingSaveKeepsTheDocumentOpen)
{
    CScratchFolder folder;
    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDYES);
    CNoteDoc doc;
    doc.EnableCompoundFile();
    doc.SetPathName(folder.PathOf("note.nte"), FALSE);
    doc.m_bFailMidway = TRUE;
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.SaveModified());
    // The question, then the failure of the save.
    EXPECT_EQ(2u, recorder.Messages().size());
    EXPECT_TRUE(doc.IsModified());
}

TEST(ModifiedFlag, UntitledDocumentAsksForANameAndCancelSavesNothing)
{
    CScratchFolder folder;
    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDYES);
    CNoteDoc doc;
    doc.SetTitle("Note3");
    doc.SetModifiedFlag();
    CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDCANCEL); });
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_NE(nullptr, driver.Driven());
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ("Save changes to Note3?", recorder.Messages()[0].text);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
}

TEST(ModifiedFlag, NameChosenInTheFileDialogIsSavedWithTheTemplateExtension)
{
    CScratchFolder folder;
    CRecordingDocManager manager;
    manager.AddDocTemplate(new CMultiDocTemplate(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL));
    CNoteDoc* pDoc = static_cast<CNoteDoc*>(manager.OnFileNew());
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strText = "typed";
    pDoc->SetModifiedFlag();
    CString strTyped = folder.PathOf("chosen");
    CDialogDriver driver([&](HWND hDlg) {
        // The name box is an edit in one dialog layout and a combo in the other.
        ::SetDlgItemTextA(hDlg, edt1, strTyped);
        ::SetDlgItemTextA(hDlg, cmb13, strTyped);
        CDialogDriver::Press(hDlg, IDOK);
    });
    EXPECT_TRUE(pDoc->DoFileSave());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(std::vector<std::string>{"chosen.nte"}, folder.FileNames());
    EXPECT_STREQ("chosen.nte", (LPCSTR)pDoc->GetTitle());
}

TEST(DocManagerPrompt, FileOpenOpensTheChosenFile)
{
    CScratchFolder folder;
    CString strPath = folder.PathOf("picked.nte");
    SaveNoteFile(strPath, FALSE, "picked text", 0);
    CRecordingDocManager manager;
    manager.AddDocTemplate(new CMultiDocTemplate(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL));
    CDialogDriver driver([&](HWND hDlg) {
        ::SetDlgItemTextA(hDlg, edt1, strPath);
        ::SetDlgItemTextA(hDlg, cmb13, strPath);
        CDialogDriver::Press(hDlg, IDOK);
    });
    CDocument* pDoc = manager.OnFileOpen();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_STREQ("picked text", (LPCSTR)static_cast<CNoteDoc*>(pDoc)->m_strText);

    CDialogDriver cancel([](HWND hDlg) { CDialogDriver::Press(hDlg, IDCANCEL); });
    EXPECT_EQ(nullptr, manager.OnFileOpen());
    EXPECT_EQ(1, manager.GetOpenDocumentCount());
}

TEST(ModifiedFlag, ReadOnlyFileIsNotOverwrittenByDoFileSave)
{
    CScratchFolder folder;
    CString strPath = folder.PathOf("locked.nte");
    WriteWholeFile(strPath, "locked bytes");
    SetFileAttributesA(strPath, FILE_ATTRIBUTE_READONLY);
    MessageBoxRecorder recorder;
    CNoteDoc doc;
    doc.SetPathName(strPath, FALSE);
    doc.SetModifiedFlag();
    // It asks for another name instead; Cancel there saves nothing.
    CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDCANCEL); });
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_NE(nullptr, driver.Driven());
    EXPECT_EQ("locked bytes", ReadWholeFile(strPath));
}

TEST(ModifiedFlag, DoSaveWithReplaceTakesTheNewPath)
{
    CScratchFolder folder;
    CNoteDoc doc;
    doc.EnableCompoundFile();
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.DoSave(folder.PathOf("copy.nte"), FALSE));
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
    EXPECT_TRUE(doc.DoSave(folder.PathOf("kept.nte")));
    EXPECT_EQ(0, lstrcmpiA(folder.PathOf("kept.nte"), doc.GetPathName()));
    EXPECT_STREQ("kept.nte", (LPCSTR)doc.GetTitle());
    EXPECT_FALSE(doc.IsModified());
}

TEST(Views, UpdateAllViewsSkipsTheSender)
{
    CNoteDoc doc;
    CCountingView first, second;
    doc.AddView(&first);
    doc.AddView(&second);
    EXPECT_EQ(&doc, first.GetDocument());
    doc.UpdateAllViews(NULL, 7);
    doc.UpdateAllViews(&first, 9);
    EXPECT_EQ(1, first.m_nUpdates);
    EXPECT_EQ(2, second.m_nUpdates);
    EXPECT_EQ(9, second.m_lLastHint);
    doc.RemoveView(&first);
    EXPECT_EQ(NULL, first.GetDocument());
}

TEST(Views, DestroyedViewLeavesTheDocument)
{
    CNoteDoc doc;
    {
        CCountingView view;
        doc.AddView(&view);
    }
    EXPECT_EQ(NULL, doc.GetFirstViewPosition());
    doc.UpdateAllViews(NULL);
}
