#include "sheet/document/TallyformDoc.h"

#include "framework/windows/FileDialog.h"
#include "framework/windows/ScopedGdi.h"
#include "sheet/document/DataFolder.h"
#include "sheet/document/SumFilesDlg.h"
#include "view/SaveTemplateDlg.h"

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
    CFileDialog dlg(FALSE, NULL, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "PDF File(*.pdf)|*.pdf||", NULL);
    dlg.m_ofn.lpstrInitialDir = folder.GetDataFolder();
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

BOOL CTallyformDoc::RunSumFilesDialog(CStringList& paths)
{
    CSumFilesDlg dlg(this, "Sum Data from Files", NULL);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    paths.RemoveAll();
    paths.AddTail(&dlg.m_lstFiles);
    return TRUE;
}

int CTallyformDoc::MeasureItemText(LPCSTR pszText)
{
    CScopedMemoryDC dc(NULL);
    CScopedSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = { 0, 0 };
    if (!GetTextExtentPoint32A(dc, pszText, lstrlenA(pszText), &size))
        return 0;
    return size.cx;
}
