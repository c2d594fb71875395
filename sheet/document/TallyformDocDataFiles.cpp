#include <string.h>

#include "sheet/document/TallyformDoc.h"

#include "framework/core/File.h"
#include "framework/core/MessageSink.h"
#include "framework/docview/FileFaultText.h"
#include "framework/docview/FileReplacer.h"
#include "sheet/DataFile.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/KeyCells.h"

namespace
{

// The path with ".kvt" or ".kvs" appended unless it already ends in it.
CString WithDataExtension(const CString& strPath, WORD wKind)
{
    LPCSTR pszExt = wKind == DATAFILE_SHARED ? "kvs" : "kvt";
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    if (nForward > nSlash)
        nSlash = nForward;
    int nDot = strPath.ReverseFind('.');
    if (nDot > nSlash && strPath.Mid(nDot + 1).CompareNoCase(pszExt) == 0)
        return strPath;
    return strPath + "." + pszExt;
}

void ShowWithPath(LPCSTR pszFormat, LPCSTR pszPath)
{
    CString str;
    str.Format(pszFormat, pszPath);
    AfxMessageBox(str);
}

BOOL SameTemplateCode(const char* a, const char* b)
{
    return strncmp(a, b, CELL_CODE_LEN) == 0;
}

} // namespace

BOOL CTallyformDoc::ReadDataFile(LPCSTR lpszPathName, CDataFile& data, LPCSTR pszOpenFailure,
                                 LPCSTR pszBadFormat)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
    {
        ShowWithPath(pszOpenFailure, lpszPathName);
        return FALSE;
    }
    try
    {
        if (data.Read(file))
            return TRUE;
    }
    catch (CFileException* e)
    {
        e->Delete();
    }
    ShowWithPath(pszBadFormat, lpszPathName);
    return FALSE;
}

BOOL CTallyformDoc::AcceptDataFileKeys(LPCSTR lpszPathName, const CDataFile& data)
{
    if (data.IsShared() && !data.m_strPeriodCode.IsEmpty() &&
        !CReportPeriod::IsValidCode(data.m_strPeriodCode, (int)m_sheet.m_nReportType))
    {
        ShowWithPath("The report period in the data file %s is damaged or not one of this template's "
                     "periods.\nThe file is not loaded.", lpszPathName);
        return FALSE;
    }
    CString strFirst;
    int nChanged = DescribeItemCodeChanges(m_sheet, data, strFirst);
    if (nChanged == 0)
        return TRUE;
    CString strQuestion;
    strQuestion.Format("The data file %s gives %d cells other item codes than this template has\n(cell %s).\n\n"
                       "Load the file with its item codes?",
                       lpszPathName, nChanged, (LPCSTR)strFirst);
    return AfxMessageBox(strQuestion, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

BOOL CTallyformDoc::SaveDataFile(LPCSTR lpszPathName, WORD wKind)
{
    CDataFile data(wKind);
    CString strKeys = ReportKeysText(m_sheet);
    // The report information is asked before anything is written, so
    // Cancel leaves an existing file as it was.
    if (wKind == DATAFILE_SHARED)
    {
        CReportInfo info = ReportInfoFromSheet();
        if (!RunReportInfoDialog(info))
            return FALSE;
        data.SetReportInformation(info.strOrgCode, info.strOrgName, (DWORD)info.nPeriodStyle,
                                  info.strPeriod);
        strKeys = ReportKeysText(info.strOrgName.IsEmpty() ? info.strOrgCode : info.strOrgName, info.strPeriod);
    }
    data.CollectFromSheet(m_sheet);
    try
    {
        CFileReplacer replacer(lpszPathName);
        CFile file;
        CFileException error;
        if (!file.Open(replacer.GetTempPath(), CFile::modeCreate | CFile::modeWrite, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, lpszPathName);
        data.Write(file);
        file.Close();
        replacer.Commit();
    }
    catch (CFileException* e)
    {
        // The file by name, and why it could not be written.
        CString strMessage;
        strMessage.Format("Create File %s Error", lpszPathName);
        const CString strCause = FileFaultCause(lpszPathName, e, TRUE);
        e->Delete();
        AfxMessageBox(strCause.IsEmpty() ? strMessage : strMessage + "\n" + strCause);
        return FALSE;
    }
    m_bDataModified = FALSE;
    ShowStatusText("The report" + strKeys + " is saved to " + lpszPathName + ".");
    return TRUE;
}

BOOL CTallyformDoc::SaveDataToChosenFile()
{
    if (m_sheet.m_cells.GetSize() == 0)
    {
        AfxMessageBox("The template have not cell,cannot save!");
        return FALSE;
    }
    CString strPath;
    int nFilter = DATAFILTER_SAVE_TEMPORARY;
    if (!PromptDataFileName(FALSE, strPath, nFilter))
        return FALSE;
    WORD wKind = nFilter == DATAFILTER_SAVE_SHARED ? DATAFILE_SHARED : DATAFILE_TEMPORARY;
    return SaveDataFile(WithDataExtension(strPath, wKind), wKind);
}

BOOL CTallyformDoc::LoadDataFile(LPCSTR lpszPathName, WORD wKind)
{
    CDataFile data;
    if (!ReadDataFile(lpszPathName, data, "Failed open data file %s.", "Invalid data file format."))
        return FALSE;
    if (data.m_wMagic != wKind)
    {
        LPCSTR pszQuestion = wKind == DATAFILE_SHARED
            ? "The file is not shared data file but temporary data file,Continue?"
            : "The file is not temporary data file but shared data file,Continue?";
        if (AfxMessageBox(pszQuestion, MB_YESNO) != IDYES)
            return FALSE;
    }
    // Checked before anything is cleared: a file of another template
    // leaves the data that was typed in.
    if (!SameTemplateCode(data.m_szTemplateCode, m_sheet.m_szCode))
    {
        AfxMessageBox("The data of selected file is not for this template!");
        return FALSE;
    }
    if (!AcceptDataFileKeys(lpszPathName, data))
        return FALSE;
    ClearSheetData(m_sheet, TRUE);
    ApplyDataFile(m_sheet, data);
    // The file holds the figures only: the calculate cells follow them, as
    // after the other loads.
    RecalculateAll();
    m_bDataModified = FALSE;
    UpdateAllViews(NULL);
    return TRUE;
}

void CTallyformDoc::OnLoadDataFromFile()
{
    CString strPath;
    int nFilter = DATAFILTER_OPEN_SHARED;
    if (!PromptDataFileName(TRUE, strPath, nFilter))
        return;
    LoadDataFile(strPath, nFilter == DATAFILTER_OPEN_TEMPORARY ? DATAFILE_TEMPORARY : DATAFILE_SHARED);
}

BOOL CTallyformDoc::SumDataFiles(LPCSTR lpszPathName)
{
    CDataFile data;
    if (!ReadDataFile(lpszPathName, data, "Failed to open data file %s,ignore.",
                      "Failed to open data file %s,ignore."))
        return FALSE;
    AddDataFileValues(m_sheet, data);
    return TRUE;
}

void CTallyformDoc::OnSumDataFromFiles()
{
    CStringList paths;
    if (!RunSumFilesDialog("Sum Data from Files", paths) || paths.IsEmpty())
        return;
    ClearSheetData(m_sheet, FALSE);
    int nSummed = 0;
    for (POSITION pos = paths.GetHeadPosition(); pos != NULL;)
        nSummed += SumDataFiles(paths.GetNext(pos)) ? 1 : 0;
    RecalculateAll();
    // The sums are stored nowhere yet.
    m_bDataModified = TRUE;
    UpdateAllViews(NULL);
    CString strStatus;
    strStatus.Format("%d of %d data files summed into the report.", nSummed, (int)paths.GetCount());
    ShowStatusText(strStatus);
}
