// How a frame works with the documents of its views: a new frame's first
// update and showing, closing (with the question to save), and files
// dropped on it.
#include "framework/docview/FrameWnd.h"

#include "framework/docview/Document.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"

namespace
{
// TRUE when a view of pDoc lives in a frame other than pFrame.
BOOL ShownInAnotherFrame(CDocument* pDoc, CFrameWnd* pFrame)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL)
        if (pDoc->GetNextView(pos)->GetParentFrame() != pFrame)
            return TRUE;
    return FALSE;
}
} // namespace

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = !IsWindowVisible() ? SW_SHOWNORMAL : IsIconic() ? SW_RESTORE : SW_SHOW;
    ShowWindow(nCmdShow);
    BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (pDoc != NULL)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        while (pos != NULL)
        {
            CView* pView = pDoc->GetNextView(pos);
            if (pView->GetParentFrame() != this)
                continue;
            if (GetActiveView() == NULL)
                SetActiveView(pView);
            pView->OnInitialUpdate();
        }
    }
    if (bMakeVisible)
    {
        ActivateFrame();
        // The view could not take the focus while the frame was hidden.
        if (GetActiveView() != NULL)
            SetActiveView(GetActiveView());
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnClose()
{
    // Closing a frame in print preview closes the preview.
    if (HWND hPreview = ::GetDlgItem(m_hWnd, AFX_IDW_PREVIEW_PANE))
    {
        ::SendMessageA(hPreview, WM_CLOSE, 0, 0);
        return;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        if (!pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        DestroyWindow();
        return;
    }
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != NULL && !pDoc->CanCloseFrame(this))
        return;
    // The document goes with its last frame; closing it destroys the frame.
    if (pDoc != NULL && pDoc->m_bAutoDelete && pDoc->GetDocTemplate() != NULL &&
        !ShownInAnotherFrame(pDoc, this))
    {
        pDoc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    SetActiveWindow();
    CWinApp* pApp = AfxGetApp();
    UINT nFiles = ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, NULL, 0);
    for (UINT i = 0; i < nFiles && pApp != NULL; ++i)
    {
        char szPath[MAX_PATH];
        if (::DragQueryFileA(hDropInfo, i, szPath, MAX_PATH) != 0)
            pApp->OpenDocumentFile(szPath);
    }
    ::DragFinish(hDropInfo);
}
