#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/framework/docview/TestDocuments.h"

#include "framework/core/Archive.h"

IMPLEMENT_DYNCREATE(CNoteDoc, COleDocument)

BOOL CNoteDoc::s_bRefuseNextNew = FALSE;

CNoteDoc::CNoteDoc()
    : m_nNumber(0), m_bFailMidway(FALSE), m_bRefuseNew(s_bRefuseNextNew), m_nDeleteContentsCalls(0)
{
}

void CNoteDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_strText;
        if (m_bFailMidway)
        {
            ar.Flush();
            AfxThrowFileException(CFileException::diskFull, -1, "note");
        }
        ar << m_nNumber;
    }
    else
    {
        ar >> m_strText;
        ar >> m_nNumber;
    }
}

void CNoteDoc::DeleteContents()
{
    ++m_nDeleteContentsCalls;
    m_strText.Empty();
    m_nNumber = 0;
}

BOOL CNoteDoc::OnNewDocument()
{
    return !m_bRefuseNew && COleDocument::OnNewDocument();
}

void CCountingView::OnUpdate(CView*, LPARAM lHint, CObject*)
{
    ++m_nUpdates;
    m_lLastHint = lHint;
}

void SaveNoteFile(const CString& strPath, BOOL bCompound, LPCSTR lpszText, int nNumber)
{
    SCOPED_TRACE(lpszText);
    CNoteDoc doc;
    doc.EnableCompoundFile(bCompound);
    doc.m_strText = lpszText;
    doc.m_nNumber = nNumber;
    doc.SetModifiedFlag(TRUE);
    ASSERT_TRUE(doc.OnSaveDocument(strPath));
    EXPECT_FALSE(doc.IsModified());
}
