#include "framework/docview/DocManager.h"

#include "framework/core/File.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/Document.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/FileDialog.h"

CDocManager::CDocManager()
{
}

CDocManager::~CDocManager()
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != NULL)
        delete GetNextDocTemplate(pos);
    m_templateList.RemoveAll();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    ASSERT(pTemplate->m_pDocManager == NULL);
    pTemplate->m_pDocManager = this;
    m_templateList.AddTail(pTemplate);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& rPos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPos));
}

int CDocManager::GetOpenDocumentCount() const
{
    int nCount = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION posDoc = pTemplate->GetFirstDocPosition();
        while (posDoc != NULL)
        {
            pTemplate->GetNextDoc(posDoc);
            ++nCount;
        }
    }
    return nCount;
}

CDocument* CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty())
        return NULL;
    return static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(NULL);
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName)
{
    // An open document is found under any form of its path.
    const CString strPath = AfxFullPath(lpszFileName);

    CDocTemplate* pBest = NULL;
    CDocTemplate::Confidence best = CDocTemplate::noAttempt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pOpen = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pOpen);
        if (match == CDocTemplate::yesAlreadyOpen)
        {
            ActivateDocumentFrame(pOpen);
            return pOpen;
        }
        if (match > best)
        {
            best = match;
            pBest = pTemplate;
        }
    }
    if (pBest == NULL)
        return NULL;
    return pBest->OpenDocumentFile(strPath);
}

BOOL CDocManager::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

CDocument* CDocManager::OnFileOpen()
{
    CDocTemplate* pTemplate =
        m_templateList.IsEmpty() ? NULL : static_cast<CDocTemplate*>(m_templateList.GetHead());
    CString strFileName;
    if (!DoPromptFileName(strFileName, TRUE, pTemplate))
        return NULL;
    return OpenDocumentFile(strFileName);
}

BOOL CDocManager::DoPromptFileName(CString& rFileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    // The template's own files first, then every file.
    CString strFilter, strFilterName, strExt;
    if (pTemplate != NULL && pTemplate->GetDocString(strExt, CDocTemplate::filterExt) &&
        pTemplate->GetDocString(strFilterName, CDocTemplate::filterName))
        strFilter = strFilterName + "|*" + strExt + "|";
    strFilter += "All Files (*.*)|*.*||";
    CString strDefExt = strExt.IsEmpty() || strExt[0] != '.' ? strExt : strExt.Mid(1);

    DWORD dwFlags = bOpenFileDialog ? OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST
                                    : OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    CFileDialog dlg(bOpenFileDialog, strDefExt.IsEmpty() ? NULL : (LPCSTR)strDefExt,
                    rFileName.IsEmpty() ? NULL : (LPCSTR)rFileName, dwFlags, strFilter);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    rFileName = dlg.GetPathName();
    return TRUE;
}

void CDocManager::AddToRecentFileList(LPCSTR lpszPathName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->AddToRecentFileList(lpszPathName);
}

void CDocManager::ActivateDocumentFrame(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    CFrameWnd* pFrame = pos != NULL ? pDoc->GetNextView(pos)->GetParentFrame() : NULL;
    if (pFrame != NULL)
        pFrame->ActivateFrame();
}
