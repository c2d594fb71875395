#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/framework/docview/TestDocuments.h"

#include "framework/docview/DocTemplate.h"

namespace
{
std::string DocString(const CDocTemplate& t, CDocTemplate::DocStringIndex index, BOOL* pbFound = NULL)
{
    CString s;
    BOOL bFound = t.GetDocString(s, index);
    if (pbFound != NULL)
        *pbFound = bFound;
    return (LPCSTR)s;
}
}

TEST(DocTemplate, DocStringsComeFromTheResource)
{
    CMultiDocTemplate t(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL);
    EXPECT_EQ(7001u, t.GetResourceID());
    BOOL bFound = TRUE;
    EXPECT_EQ("", DocString(t, CDocTemplate::windowTitle, &bFound));
    EXPECT_FALSE(bFound);
    EXPECT_EQ("Note", DocString(t, CDocTemplate::docName));
    EXPECT_EQ("Note Files (*.nte)", DocString(t, CDocTemplate::filterName));
    EXPECT_EQ(".nte", DocString(t, CDocTemplate::filterExt));
    EXPECT_EQ("Test Note", DocString(t, CDocTemplate::regFileTypeName));

    CMultiDocTemplate shortOne(7002, RUNTIME_CLASS(CNoteDoc), NULL, NULL);
    EXPECT_EQ("Only a window title", DocString(shortOne, CDocTemplate::windowTitle));
    EXPECT_EQ("", DocString(shortOne, CDocTemplate::filterExt, &bFound));
    EXPECT_FALSE(bFound);

    CMultiDocTemplate missing(7999, RUNTIME_CLASS(CNoteDoc), NULL, NULL);
    EXPECT_EQ("", DocString(missing, CDocTemplate::docName));
}

TEST(DocTemplate, NewDocumentsAreNumbered)
{
    CMultiDocTemplate t(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL);
    CDocument* pFirst = t.OpenDocumentFile(NULL);
    CDocument* pSecond = t.OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_STREQ("Note1", (LPCSTR)pFirst->GetTitle());
    EXPECT_STREQ("Note2", (LPCSTR)pSecond->GetTitle());
    EXPECT_EQ(&t, pFirst->GetDocTemplate());
    EXPECT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CNoteDoc)));

    // A refused new document is discarded and does not use up a number.
    CNoteDoc::s_bRefuseNextNew = TRUE;
    EXPECT_EQ(nullptr, t.OpenDocumentFile(NULL));
    CNoteDoc::s_bRefuseNextNew = FALSE;
    CDocument* pThird = t.OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pThird);
    EXPECT_STREQ("Note3", (LPCSTR)pThird->GetTitle());

    int nCount = 0;
    for (POSITION pos = t.GetFirstDocPosition(); pos != NULL; t.GetNextDoc(pos))
        ++nCount;
    EXPECT_EQ(3, nCount);
}

TEST(DocManager, OpeningAnOpenFileGivesTheSameDocument)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strPath = folder.PathOf("shared.nte");
    SaveNoteFile(strPath, FALSE, "from disk", 0);
    CRecordingDocManager manager;
    manager.AddDocTemplate(new CMultiDocTemplate(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL));
    CDocument* pDoc = manager.OpenDocumentFile(strPath);
    ASSERT_NE(nullptr, pDoc);
    EXPECT_STREQ("from disk", (LPCSTR)static_cast<CNoteDoc*>(pDoc)->m_strText);
    EXPECT_STREQ("shared.nte", (LPCSTR)pDoc->GetTitle());
    ASSERT_EQ(1u, manager.m_strRecent.size());
    EXPECT_EQ(0, lstrcmpiA(strPath, manager.m_strRecent[0].c_str()));

    CString strUpper = strPath;
    strUpper.MakeUpper();
    EXPECT_EQ(pDoc, manager.OpenDocumentFile(strUpper));
    EXPECT_EQ(1, manager.GetOpenDocumentCount());
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(DocManager, FileThatCannotBeOpenedLeavesNoDocument)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CRecordingDocManager manager;
    manager.AddDocTemplate(new CMultiDocTemplate(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL));
    EXPECT_EQ(nullptr, manager.OpenDocumentFile(folder.PathOf("absent.nte")));
    EXPECT_EQ(0, manager.GetOpenDocumentCount());
    EXPECT_EQ(1u, recorder.Messages().size());
    EXPECT_TRUE(manager.m_strRecent.empty());
}

TEST(DocManager, SaveAllModifiedStopsAtCancel)
{
    CRecordingDocManager manager;
    manager.AddDocTemplate(new CMultiDocTemplate(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL));
    CDocument* pFirst = manager.OnFileNew();
    CDocument* pSecond = manager.OnFileNew();
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    pFirst->SetModifiedFlag();
    pSecond->SetModifiedFlag();

    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(manager.SaveAllModified());
    EXPECT_EQ(1u, recorder.Messages().size());

    recorder.Clear();
    recorder.QueueAnswer(IDNO);
    recorder.QueueAnswer(IDNO);
    EXPECT_TRUE(manager.SaveAllModified());
    EXPECT_EQ(2u, recorder.Messages().size());

    manager.CloseAllDocuments(FALSE);
    EXPECT_EQ(0, manager.GetOpenDocumentCount());
}
