// The framework's print loop: the printer DC from the print dialog or the
// program's printer, the job with its printing dialog, page by page
// through the view's printing hooks.
#include "framework/docview/View.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/CommandLineInfo.h"
#include "framework/docview/Document.h"
#include "framework/docview/PrintInfo.h"
#include "framework/docview/PreviewView.h"
#include "framework/docview/PrintingDialog.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/Dc.h"
#include "framework/windows/DevNames.h"
#include "framework/windows/PrintDialog.h"

namespace {

// The printer of a /pt command line being processed, or NULL.
HDC CreateCommandLinePrinterDC()
{
    CWinApp* pApp = AfxGetApp();
    CCommandLineInfo* pCmdInfo = pApp != NULL ? pApp->m_pCmdInfo : NULL;
    if (pCmdInfo == NULL || pCmdInfo->m_nShellCommand != CCommandLineInfo::FilePrintTo ||
        pCmdInfo->m_strPrinterName.IsEmpty())
        return NULL;
    return ::CreateDCA(pCmdInfo->m_strDriverName.IsEmpty() ? NULL : (LPCSTR)pCmdInfo->m_strDriverName,
                       pCmdInfo->m_strPrinterName, NULL, NULL);
}

} // namespace

BOOL CView::OnPreparePrinting(CPrintInfo*)
{
    return FALSE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    CPrintDialog* pPD = pInfo->m_pPD;
    PRINTDLGA pd = {};
    if (pInfo->m_bDirect && !pInfo->m_bPreview)
        pPD->m_pd.hDC = CreateCommandLinePrinterDC();
    if (pPD->m_pd.hDC != NULL)
        return TRUE;
    if (pApp == NULL || !pApp->GetPrinterDeviceDefaults(&pd))
    {
        AfxMessageNoPrinter();
        return FALSE;
    }
    // The dialog's range starts as all the pages the view knows of.
    pPD->m_pd.nFromPage = (WORD)pInfo->GetMinPage();
    pPD->m_pd.nToPage = (WORD)pInfo->GetMaxPage();
    if (pInfo->m_bDirect || pInfo->m_bPreview)
        pPD->m_pd.hDC = AfxCreateDCFromDevNames(pd.hDevNames, pd.hDevMode);
    else if (pApp->DoPrintDialog(pPD) != IDOK)
        return FALSE;
    if (pPD->m_pd.hDC == NULL)
    {
        AfxMessageNoPrinter();
        return FALSE;
    }
    return TRUE;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    PrintDocument(info);
}

void CView::OnFilePrintDirect()
{
    CPrintInfo info;
    info.m_bDirect = TRUE;
    PrintDocument(info);
}

void CView::OnFilePrintPreview()
{
    CPreviewView* pPreview = new CPreviewView;
    if (!pPreview->Open(this))
        delete pPreview;
}

void CView::PrintDocument(CPrintInfo& info)
{
    if (!OnPreparePrinting(&info) || info.m_pPD->m_pd.hDC == NULL)
        return;
    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    dc.m_bPrinting = TRUE;
    CString strTitle = m_pDocument != NULL ? m_pDocument->GetTitle() : CString("Document");
    DOCINFOA di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = strTitle;

    OnBeginPrinting(&dc, &info);
    if (!info.m_bContinuePrinting)
    {
        OnEndPrinting(&dc, &info);
        dc.Detach();
        return;
    }
    BOOL bOk = TRUE, bCancelled = FALSE;
    {
        CWnd* pMain = AfxGetMainWnd();
        CPrintingDialog dlgPrinting(pMain != NULL ? pMain->GetSafeHwnd() : NULL, strTitle);
        dc.SetAbortProc(CPrintingDialog::AbortProc);
        bOk = dc.StartDoc(&di) > 0;
        UINT nLast = info.GetToPage();
        for (UINT nPage = info.GetFromPage(); bOk && nPage <= nLast; ++nPage)
        {
            info.m_nCurPage = nPage;
            OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting)
                break;
            dlgPrinting.SetPage(nPage);
            if (dc.StartPage() <= 0)
            {
                bOk = FALSE;
                break;
            }
            // Starting a page may reset the DC's mapping.
            OnPrepareDC(&dc, &info);
            info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
            dc.DPtoLP(&info.m_rectDraw);
            OnPrint(&dc, &info);
            bOk = dc.EndPage() > 0 && !dlgPrinting.IsCancelled();
        }
        bCancelled = dlgPrinting.IsCancelled();
        if (bOk)
            bOk = dc.EndDoc() > 0;
        else
            dc.AbortDoc();
    }
    OnEndPrinting(&dc, &info);
    // The print dialog object deletes the DC.
    dc.Detach();
    if (!bOk && !bCancelled)
        AfxMessageBox("The document could not be printed.", MB_OK | MB_ICONEXCLAMATION);
}
