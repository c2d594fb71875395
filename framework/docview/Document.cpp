#include "framework/docview/Document.h"

#include "framework/core/File.h"
#include "framework/core/MessageSink.h"
#include "framework/docview/DocManager.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/FileReplacer.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/View.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(NULL), m_bModified(FALSE)
{
}

CDocument::~CDocument()
{
    POSITION pos = m_viewList.GetHeadPosition();
    while (pos != NULL)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = NULL;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = AfxFullPath(lpszPathName);
    const int nSlash = m_strPathName.ReverseFind('\\');
    SetTitle(nSlash >= 0 ? m_strPathName.Mid(nSlash + 1) : m_strPathName);
    if (bAddToMRU && m_pDocTemplate != NULL && m_pDocTemplate->GetDocManager() != NULL)
        m_pDocTemplate->GetDocManager()->AddToRecentFileList(m_strPathName);
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

void CDocument::AddView(CView* pView)
{
    ASSERT(pView->m_pDocument == NULL);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos != NULL)
        m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    if (pos != NULL)
        OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // Only a template's documents are known to live on the heap.
    if (m_viewList.IsEmpty() && m_bAutoDelete && m_pDocTemplate != NULL)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    CPtrList frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL)
    {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != NULL && frames.Find(pFrame) == NULL)
            frames.AddTail(pFrame);
    }
    int nWindow = frames.GetCount() > 1 ? 1 : 0;
    for (pos = frames.GetHeadPosition(); pos != NULL;)
    {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        pFrame->m_nWindow = nWindow;
        if (nWindow > 0)
            ++nWindow;
        // A frame still being made takes its caption at its first update.
        if (pFrame->GetActiveView() != NULL)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL)
        if (GetNextView(pos)->GetParentFrame() != pFrame)
            return TRUE;
    return SaveModified();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = m_viewList.GetHeadPosition();
    while (pos != NULL)
    {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFileReplacer::RemoveLeftovers(lpszPathName);
    DeleteContents();
    SetModifiedFlag(TRUE);
    try
    {
        LoadDocumentFile(lpszPathName);
    }
    catch (CException* e)
    {
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    try
    {
        StoreDocumentFile(lpszPathName);
    }
    catch (CException* e)
    {
        ReportSaveLoadException(lpszPathName, e, TRUE);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // The views going one by one must not close the document again.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL)
            pFrame->DestroyWindow();
        else if (pView->GetSafeHwnd() != NULL)
            pView->DestroyWindow();
        // A view without a window is only let go.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString strName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString strPrompt;
    strPrompt.Format("Save changes to %s?", (LPCSTR)strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::DoFileSave()
{
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES
                                             : GetFileAttributesA(m_strPathName);
    // A read-only file is saved under a new name, as is a new document.
    if (m_strPathName.IsEmpty() ||
        (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY) != 0))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName;
    if (strNewName.IsEmpty())
    {
        // A document made outside a template still gets the plain prompt.
        CDocManager plainPrompt;
        CDocManager* pManager = m_pDocTemplate != NULL ? m_pDocTemplate->GetDocManager() : NULL;
        if (pManager == NULL)
            pManager = &plainPrompt;
        strNewName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        if (!pManager->DoPromptFileName(strNewName, FALSE, m_pDocTemplate))
            return FALSE;
    }
    // A failed save leaves any earlier file as it was (the save writes a
    // temporary file first), so there is nothing to clean up here.
    if (!OnSaveDocument(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}
