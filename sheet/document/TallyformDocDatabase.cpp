// Saving the report's figures to the reporting database and loading them
// back, through the engine library of the open database.
#include "sheet/document/TallyformDoc.h"

#include <stdlib.h>

#include <vector>

#include "engines/common/EngineExports.h"
#include "framework/core/MessageSink.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/EngineLoader.h"
#include "reporting/ReportConnection.h"
#include "sheet/document/KeyCells.h"
#include "sheet/document/ReportLogStep.h"

namespace
{

const char kDataTable[] = "ss_datalist";

void ShowBalanceFailure(const CSheet& sheet, POSITION posFailed)
{
    AfxMessageBox("Invalid data for balance formula '" + sheet.m_lstBalance.GetAt(posFailed) + "'.", MB_OK);
}

// The figures of the numeric cells, to tell afterwards which of them the
// database kept as it held them.
std::vector<double> FiguresOf(const CCellArray& cells)
{
    std::vector<double> figures;
    for (int i = 0; i < cells.GetSize(); ++i)
        if (cells[i].m_nType == CELL_NUMERIC && cells[i].m_nValueType == 0)
            figures.push_back(atof(cells[i].m_strValue));
    return figures;
}

int CountChanged(const std::vector<double>& before, const std::vector<double>& after)
{
    int nChanged = 0;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i] != after[i])
            ++nChanged;
    return nChanged;
}

} // namespace

void CTallyformDoc::OnUpdateDatabaseData(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetConnection().IsDatabaseOpen() && !m_sheet.m_bDesignMode && !IsAnalysisReport());
}

BOOL CTallyformDoc::SaveDataToDatabase()
{
    CWaitCursor wait;
    CReportConnection& connection = GetConnection();
    if (!connection.IsDatabaseOpen())
    {
        AfxMessageBox("Database is not connected!", MB_OK);
        return FALSE;
    }
    if (IsAnalysisReport())
        return FALSE;
    if (!CloseCellEditor(TRUE))
        return FALSE;
    if (AskReportInformation() == 0)
        return FALSE;
    if (ValidateKeyCells() == 0 || !HasUsableOrgCodes())
    {
        connection.RestoreIfLost();
        return FALSE;
    }
    POSITION posFailed = VerifyData();
    if (posFailed != NULL)
    {
        ShowBalanceFailure(m_sheet, posFailed);
        return FALSE;
    }
    const std::vector<double> typed = FiguresOf(m_sheet.m_cells);
    int nSaved;
    BOOL bLogged;
    {
        CReportLogStep logStep(*this, connection.m_pDatabase, "Failed to record fill in log.");
        nSaved = connection.m_pLoader->SaveReportData(&m_sheet.m_cells, connection.m_pDatabase, kDataTable);
        bLogged = !logStep.HasFailed();
    }
    if (nSaved == 0)
    {
        AfxMessageBox("Failed to save data.", MB_OK);
        connection.RestoreIfLost();
        return FALSE;
    }
    m_bDataModified = FALSE;
    // The sheet shows what is stored now: a value the user chose not to
    // overwrite comes back as the database holds it.
    if (connection.m_pLoader->LoadReportData(&m_sheet.m_cells, connection.m_pDatabase, kDataTable) != 0)
        RecalculateAll();
    UpdateAllViews(NULL);
    // The user has been told the log failed: no success follows it.
    if (!bLogged)
        return TRUE;
    // A file source's files that could not be written have been named,
    // with where the report is kept: the status bar does not claim them.
    CString strText = "The report" + ReportKeysText(m_sheet)
                      + (nSaved == KEM_REPORT_SAVED_NOT_WRITTEN
                             ? " is saved in the working copy; the data source's files are not written."
                             : " is saved to the database.");
    const int nKept = CountChanged(typed, FiguresOf(m_sheet.m_cells));
    if (nKept > 0)
    {
        CString strKept;
        strKept.Format(" %d figure%s kept as stored.", nKept, nKept == 1 ? " was" : "s were");
        strText += strKept;
    }
    ShowStatusText(strText);
    return TRUE;
}

void CTallyformDoc::ShowStatusText(const CString& strText)
{
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (pFrame != NULL)
        pFrame->SetMessageText(strText);
}

void CTallyformDoc::LoadDataFromDatabase(BOOL bInteractive)
{
    CWaitCursor wait;
    CReportConnection& connection = GetConnection();
    if (!connection.IsDatabaseOpen())
    {
        if (bInteractive)
            AfxMessageBox("Please connect to database.", MB_OK);
        return;
    }
    if (!CloseCellEditor(FALSE))
        return;
    if (AskReportInformation() == 0)
        return;
    if (bInteractive)
        CloseCellEditor(TRUE);
    CKeyCells keys(m_sheet);
    if (keys.m_dates.GetSize() == 0)
    {
        if (bInteractive)
            AfxMessageBox("The template has no Report Date cell.\n\nFailed to load data!", MB_OK);
        return;
    }
    LPCSTR pszRefusal = NULL;
    if (m_sheet.m_cells[keys.m_dates[0]].m_szDateCode[0] == '\0')
        pszRefusal = "Report Date Cell cannot be NULL\n\nFaild to load data!";
    else if (keys.m_codes.GetSize() == 1 && m_sheet.m_cells[keys.m_codes[0]].m_strValue.IsEmpty())
        pszRefusal = "Organ Code Cell cannot be NULL\n\nFaild to load data!";
    else if (keys.m_names.GetSize() == 1 && m_sheet.m_cells[keys.m_names[0]].m_strValue.IsEmpty())
        pszRefusal = "Organ Name Cell cannnot be NULL\n\nFaild to load data!";
    if (pszRefusal != NULL)
    {
        if (bInteractive)
            AfxMessageBox(pszRefusal, MB_OK);
        return;
    }
    if (!HasUsableOrgCodes())
        return;
    if (connection.m_pLoader->LoadReportData(&m_sheet.m_cells, connection.m_pDatabase, kDataTable) == 0)
    {
        AfxMessageBox("No data in database or failed to load data!", MB_OK);
        connection.RestoreIfLost();
        return;
    }
    RecalculateAll();
    m_bDataModified = FALSE;
    UpdateAllViews(NULL);
    if (bInteractive)
        ShowStatusText("The report" + ReportKeysText(m_sheet) + " is loaded from the database.");
}
