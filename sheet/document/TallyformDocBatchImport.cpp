// Batch import: shared data files saved to the reporting database one
// after the other, each as the report of its own organization and period.
#include "sheet/document/TallyformDoc.h"

#include "framework/core/MessageSink.h"
#include "reporting/EngineLoader.h"
#include "reporting/ReportConnection.h"
#include "sheet/DataFile.h"
#include "sheet/document/KeyCells.h"
#include "sheet/document/ReportLogStep.h"

namespace
{

// TRUE when a cell holds data that clearing would remove.
BOOL HasSheetData(const CSheet& sheet)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = sheet.m_cells[i];
        switch (cell.m_nType)
        {
        case CELL_NUMERIC:
        case CELL_FORMULA:
        case CELL_ORGAN:
        case CELL_ORGANCODE:
            if (!cell.m_strValue.IsEmpty())
                return TRUE;
            break;
        case CELL_TEXT:
            if (cell.m_bDynamic != 0 && !cell.m_strValue.IsEmpty())
                return TRUE;
            break;
        case CELL_REPORTDATE:
            if (cell.m_szDateCode[0] != '\0')
                return TRUE;
            break;
        default:
            break;
        }
    }
    return FALSE;
}

int RefuseFile(LPCSTR pszFormat, LPCSTR pszPath)
{
    CString str;
    str.Format(pszFormat, pszPath);
    AfxMessageBox(str, MB_OK);
    return 0;
}

} // namespace

BOOL CTallyformDoc::AskClearData()
{
    if (!HasSheetData(m_sheet))
        return TRUE;
    if (AfxMessageBox("Are you sure you want to clear data?", MB_YESNO) != IDYES)
        return FALSE;
    ClearSheetData(m_sheet, TRUE);
    return TRUE;
}

void CTallyformDoc::OnBatchImport()
{
    if (!GetConnection().IsDatabaseOpen())
    {
        AfxMessageBox("Database is not connected!", MB_OK);
        return;
    }
    CStringList paths;
    if (!RunSumFilesDialog("Batch import to database", paths) || paths.IsEmpty())
        return;
    if (!AskClearData())
        return;
    int nImported = 0;
    for (POSITION pos = paths.GetHeadPosition(); pos != NULL;)
        nImported += ImportDataFile(paths.GetNext(pos));
    ClearSheetData(m_sheet, TRUE);
    m_bDataModified = FALSE;
    UpdateAllViews(NULL);
    CString strStatus;
    strStatus.Format("%d of %d data files imported to the database.", nImported, (int)paths.GetCount());
    ShowStatusText(strStatus);
}

int CTallyformDoc::ImportDataFile(LPCSTR lpszPathName)
{
    CReportConnection& connection = GetConnection();
    if (!connection.IsDatabaseOpen())
        return 0;
    CDataFile data;
    if (!ReadDataFile(lpszPathName, data, "Failed to open data file %s,ignore.",
                      "Failed to open data file %s,ignore."))
        return 0;
    // Each file is its own report: nothing of the file before remains, and
    // every numeric cell carries this file's organization and period, also
    // those the file has no record for.
    ClearSheetData(m_sheet, TRUE);
    if (!data.IsShared() || data.m_strPeriodCode.IsEmpty())
        return RefuseFile("The data in file %s is not valid.", lpszPathName);
    if (!AcceptDataFileKeys(lpszPathName, data))
        return 0;
    SetNumericCellKeys(m_sheet, data.m_szOrgCode, data.m_strPeriodCode);
    ApplyDataFile(m_sheet, data);
    // Balance formulas may name calculate cells, which the file does not hold.
    RecalculateAll();
    if (ValidateKeyCells() == 0 || !HasUsableOrgCodes())
        return RefuseFile("The data in file %s is not valid.", lpszPathName);
    POSITION posFailed = VerifyData();
    if (posFailed != NULL)
    {
        CString str;
        str.Format("Invalid data in file %s\n", lpszPathName);
        AfxMessageBox(str + "for banlance formula: " + m_sheet.m_lstBalance.GetAt(posFailed), MB_OK);
        return 0;
    }
    CString strLogFailure;
    strLogFailure.Format("Failed to write fill in log with file %s.", lpszPathName);
    int nSaved;
    {
        CReportLogStep logStep(*this, connection.m_pDatabase, strLogFailure);
        nSaved = connection.m_pLoader->SaveReportData(&m_sheet.m_cells, connection.m_pDatabase, "ss_datalist");
    }
    if (nSaved == 0)
    {
        RefuseFile("Failed to import file %s to database.", lpszPathName);
        connection.RestoreIfLost();
        return 0;
    }
    return 1;
}
