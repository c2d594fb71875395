// The program's printer: the default printer taken once, Print Setup, and
// the printer DCs the print loop and the views' page metrics use.
#include "framework/docview/WinApp.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/Dc.h"
#include "framework/windows/DevNames.h"
#include "framework/windows/PrintDialog.h"

void AfxMessageNoPrinter()
{
    AfxMessageBox("No printer is installed. Install a printer and try again.",
                  MB_OK | MB_ICONEXCLAMATION);
}

void CWinApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (m_hDevNames != NULL && m_hDevNames != hDevNames)
        ::GlobalFree(m_hDevNames);
    if (m_hDevMode != NULL && m_hDevMode != hDevMode)
        ::GlobalFree(m_hDevMode);
    m_hDevNames = hDevNames;
    m_hDevMode = hDevMode;
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (!bForceDefaults && m_hDevNames != NULL)
    {
        HDC hDC = AfxCreateDCFromDevNames(m_hDevNames, m_hDevMode);
        if (hDC != NULL)
        {
            ::DeleteDC(hDC);
            return;
        }
    }
    CPrintDialog dlg(TRUE);
    if (dlg.GetDefaults())
        SelectPrinter(dlg.m_pd.hDevNames, dlg.m_pd.hDevMode);
    else
        SelectPrinter(NULL, NULL);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg)
{
    if (m_hDevNames == NULL)
        UpdatePrinterSelection(TRUE);
    if (m_hDevNames == NULL)
        return FALSE;
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    PRINTDLGA pd = {};
    if (!GetPrinterDeviceDefaults(&pd))
        return FALSE;
    HDC hDC = AfxCreateDCFromDevNames(pd.hDevNames, pd.hDevMode);
    return hDC != NULL && dc.Attach(hDC);
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    PRINTDLGA pd = {};
    if (GetPrinterDeviceDefaults(&pd))
    {
        pPD->m_pd.hDevNames = AfxCopyGlobalBlock(pd.hDevNames);
        pPD->m_pd.hDevMode = AfxCopyGlobalBlock(pd.hDevMode);
    }
    INT_PTR nResult = pPD->DoModal();
    if (nResult == IDOK && pPD->m_pd.hDevNames != NULL)
        SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode);
    else
    {
        if (pPD->m_pd.hDevNames != NULL)
            ::GlobalFree(pPD->m_pd.hDevNames);
        if (pPD->m_pd.hDevMode != NULL)
            ::GlobalFree(pPD->m_pd.hDevMode);
    }
    // The blocks are the program's now, or gone.
    pPD->m_pd.hDevNames = NULL;
    pPD->m_pd.hDevMode = NULL;
    return nResult == IDOK ? IDOK : IDCANCEL;
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA pd = {};
    if (!GetPrinterDeviceDefaults(&pd))
    {
        AfxMessageNoPrinter();
        return;
    }
    CPrintDialog dlg(TRUE);
    DoPrintDialog(&dlg);
}
