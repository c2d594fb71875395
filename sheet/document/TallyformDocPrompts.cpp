#include "sheet/document/TallyformDoc.h"

#include "framework/docview/View.h"
#include "framework/windows/FileDialog.h"
#include "framework/windows/ScopedGdi.h"
#include "sheet/document/DataFolder.h"
#include "sheet/document/ExportFileName.h"
#include "sheet/document/ReportWorksheet.h"
#include "sheet/document/SumFilesDlg.h"
#include "reporting/DataGatherDlg.h"
#include "reporting/ReportConnection.h"
#include "view/SaveTemplateDlg.h"
#include "view/TallyformView.h"
#include "DocumentIds.h"

BOOL CTallyformDoc::RunSaveTemplateDialog(const CString& strProposed, CString& strFolder,
                                          CString& strName)
{
    CSaveTemplateDlg dlg(strProposed, NULL);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strFolder = dlg.m_strFolder;
    strName = dlg.m_strName;
    return TRUE;
}

BOOL CTallyformDoc::PromptDataFileName(BOOL bOpen, CString& strPath, int& nFilterIndex)
{
    static const char kSaveFilter[] =
        "Tallyform Temporary Data File(*.kvt)|*.kvt|Tallyform Shared Data File(*.kvs)|*.kvs||";
    static const char kOpenFilter[] =
        "Tallyform Shared Data File(*.kvs)|*.kvs|Tallyform Temporary Data File(*.kvt)|*.kvt||";
    CDataFolderScope folder;
    DWORD dwFlags = OFN_HIDEREADONLY | (bOpen ? 0 : OFN_OVERWRITEPROMPT);
    CFileDialog dlg(bOpen, NULL, NULL, dwFlags, bOpen ? kOpenFilter : kSaveFilter, NULL);
    dlg.m_ofn.lpstrInitialDir = folder.GetDataFolder();
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    nFilterIndex = (int)dlg.m_ofn.nFilterIndex;
    return TRUE;
}

BOOL CTallyformDoc::PromptPdfFileName(CString& strPath)
{
    CDataFolderScope folder;
    // The template's name as its window shows it, beside the template once
    // it has a file; a new one's in the data folder.
    CString strName = m_strTitle;
    const CString strExtension = DefaultExtension();
    const int nKept = strName.GetLength() - strExtension.GetLength();
    if (nKept > 0 && strName.Mid(nKept).CompareNoCase(strExtension) == 0)
        strName = strName.Left(nKept);
    const CString strProposed = ExportFileName(strName, ".pdf");
    const CString strTemplate = GetPathName();
    const CString strFolder = strTemplate.IsEmpty()
                                  ? folder.GetDataFolder()
                                  : strTemplate.Left(strTemplate.ReverseFind('\\') + 1);
    CFileDialog dlg(FALSE, NULL, strProposed, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "PDF File(*.pdf)|*.pdf||", NULL);
    dlg.m_ofn.lpstrInitialDir = strFolder;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

BOOL CTallyformDoc::PromptWorkbookFileName(BOOL bOpen, CString& strPath)
{
    static const char kFilter[] = "Excel Workbook(*.xls)|*.xls|All Files(*.*)|*.*||";
    CDataFolderScope folder;
    const CString strProposed = bOpen ? CString() : ReportWorkbookFileName(m_sheet);
    DWORD dwFlags = OFN_HIDEREADONLY | (bOpen ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    CFileDialog dlg(bOpen, "xls", bOpen ? NULL : (LPCSTR)strProposed, dwFlags, kFilter, NULL);
    dlg.m_ofn.lpstrInitialDir = folder.GetDataFolder();
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

BOOL CTallyformDoc::RunSumFilesDialog(LPCSTR pszCaption, CStringList& paths)
{
    CSumFilesDlg dlg(this, pszCaption, NULL);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    paths.RemoveAll();
    paths.AddTail(&dlg.m_lstFiles);
    return TRUE;
}

int CTallyformDoc::MeasureItemText(LPCSTR pszText)
{
    CScopedMemoryDC dc(NULL);
    // The font the new cells draw their texts in.
    CScopedGdiObject cellFont(CreateFontIndirectA(&CCell::DefaultFont()));
    CScopedSelectObject font(dc, cellFont.Get());
    SIZE size = { 0, 0 };
    if (!GetTextExtentPoint32A(dc, pszText, lstrlenA(pszText), &size))
        return 0;
    return size.cx;
}

BOOL CTallyformDoc::RunDataGatherDialog(CDataGatherChoice& choice)
{
    CDataGatherDlg dlg(NULL);
    dlg.m_pDoc = this;
    dlg.m_nPeriodType = (int)m_sheet.m_nReportType;
    dlg.m_nNumeralStyle = 1;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    choice.m_strSql = dlg.m_strSql;
    choice.m_strReportDate = dlg.m_strReportDate;
    choice.m_mapSingleOrg.RemoveAll();
    for (POSITION pos = dlg.m_mapSingleOrg.GetStartPosition(); pos != NULL;)
    {
        CString strCode, strName;
        dlg.m_mapSingleOrg.GetNextAssoc(pos, strCode, strName);
        choice.m_mapSingleOrg[strCode] = strName;
    }
    return TRUE;
}

CReportConnection& CTallyformDoc::GetConnection()
{
    return GetReportConnection();
}

BOOL CTallyformDoc::CloseCellEditor(BOOL bClose)
{
    POSITION pos = GetFirstViewPosition();
    CView* pView = pos != NULL ? GetNextView(pos) : NULL;
    if (pView == NULL)
        return FALSE;
    if (bClose && pView->m_hWnd != NULL)
    {
        HWND hEditor = GetDlgItem(pView->m_hWnd, IDC_CELL_EDITOR);
        if (hEditor != NULL)
            SendMessage(hEditor, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

void CTallyformDoc::EditRejectedCell(int nCell)
{
    // A document without the active sheet view leaves the complaint to the
    // message shown.
    CTallyformView* pView = CTallyformView::GetMainActiveView();
    if (pView != NULL && pView->GetDocument() == this)
        pView->EditRejectedCell(nCell);
}
