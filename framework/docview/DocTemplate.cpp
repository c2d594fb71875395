#include "framework/docview/DocTemplate.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/Document.h"
#include "framework/docview/FrameWnd.h"

namespace
{
// A new object of pClass when that is a kind of T; otherwise NULL, with
// nothing left over.
template <class T>
T* CreateObjectOfKind(CRuntimeClass* pClass)
{
    if (pClass == NULL)
        return NULL;
    CObject* pObject = pClass->CreateObject();
    T* pResult = DYNAMIC_DOWNCAST(T, pObject);
    if (pResult == NULL)
        delete pObject;
    return pResult;
}
} // namespace

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDServerResource(0), m_nIDEmbeddingResource(0), m_pOleFrameClass(NULL),
      m_hMenuEmbedding(NULL), m_hAccelEmbedding(NULL), m_nIDResource(nIDResource),
      m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass),
      m_pDocManager(NULL)
{
    // A template without strings still works, with empty parts.
    if (nIDResource != 0 && !m_strDocStrings.LoadString(nIDResource))
        m_strDocStrings.Empty();
}

CDocTemplate::~CDocTemplate()
{
    if (m_hMenuEmbedding != NULL)
        ::DestroyMenu(m_hMenuEmbedding);
    if (m_hAccelEmbedding != NULL)
        ::DestroyAcceleratorTable(m_hAccelEmbedding);
}

void CDocTemplate::SetServerInfo(UINT nIDOleEmbedding, UINT nIDOleInPlaceServer,
                                 CRuntimeClass* pOleFrameClass)
{
    m_nIDEmbeddingResource = nIDOleEmbedding;
    m_nIDServerResource = nIDOleInPlaceServer;
    m_pOleFrameClass = pOleFrameClass;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_hMenuEmbedding == NULL && nIDOleEmbedding != 0)
        m_hMenuEmbedding = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDOleEmbedding));
    if (m_hAccelEmbedding == NULL && nIDOleEmbedding != 0)
        m_hAccelEmbedding = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDOleEmbedding));
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int nStart = 0;
    for (int i = 0; i < (int)index; ++i)
    {
        nStart = m_strDocStrings.Find('\n', nStart);
        if (nStart < 0)
            return FALSE;
        ++nStart;
    }
    int nEnd = m_strDocStrings.Find('\n', nStart);
    if (nEnd < 0)
        nEnd = m_strDocStrings.GetLength();
    rString = m_strDocStrings.Mid(nStart, nEnd - nStart);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == NULL);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == this);
    pDoc->m_pDocTemplate = NULL;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CDocument* pDocument = CreateObjectOfKind<CDocument>(m_pDocClass);
    if (pDocument == NULL)
        return NULL;
    AddDocument(pDocument);
    return pDocument;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && lstrcmpiA(pDoc->GetPathName(), lpszPathName) == 0)
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strExt;
    if (GetDocString(strExt, filterExt))
    {
        int nPath = lstrlenA(lpszPathName);
        if (nPath >= strExt.GetLength() &&
            lstrcmpiA(lpszPathName + nPath - strExt.GetLength(), strExt) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
    {
        // The next position is taken first: closing removes the document.
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
    }
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CFrameWnd* pFrame = CreateObjectOfKind<CFrameWnd>(m_pFrameClass);
    if (pFrame == NULL)
        return NULL;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
    {
        delete pFrame;
        return NULL;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL),
      m_hAccelTable(NULL), m_nUntitledCount(0)
{
    if (nIDResource != 0)
    {
        HINSTANCE hInst = AfxGetResourceHandle();
        m_hMenuShared = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
        m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    }
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    while (!m_docList.IsEmpty())
    {
        CDocument* pDoc = static_cast<CDocument*>(m_docList.GetHead());
        delete pDoc;   // its destructor removes it from the list
    }
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strName;
    if (!GetDocString(strName, docName))
        strName = "Untitled";
    CString strTitle;
    strTitle.Format("%s%u", (LPCSTR)strName, m_nUntitledCount + 1);
    pDocument->SetTitle(strTitle);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == NULL)
        return NULL;
    // Until the document is ready, its window going must not close it: a
    // failure below deletes it here, once.
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = NULL;
    if (m_pFrameClass != NULL)
    {
        pFrame = CreateNewFrame(pDocument, NULL);
        if (pFrame == NULL)
        {
            delete pDocument;
            AfxMessageBox("The document window could not be created.", MB_OK | MB_ICONSTOP);
            return NULL;
        }
    }

    BOOL bReady;
    if (lpszPathName == NULL)
    {
        SetDefaultTitle(pDocument);
        bReady = pDocument->OnNewDocument();
        if (bReady)
            ++m_nUntitledCount;
    }
    else
    {
        // The document reports its own failure to open.
        bReady = pDocument->OnOpenDocument(lpszPathName);
        if (bReady)
            pDocument->SetPathName(lpszPathName);
    }
    if (!bReady)
    {
        if (pFrame != NULL)
            pFrame->DestroyWindow();
        delete pDocument;
        return NULL;
    }
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame != NULL)
        InitialUpdateFrame(pFrame, pDocument, TRUE);
    return pDocument;
}
