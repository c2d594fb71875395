// Saving the report's figures to the reporting database and loading them
// back, through the engine library of the open database.
#include "sheet/document/TallyformDoc.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/EngineLoader.h"
#include "reporting/ReportConnection.h"
#include "sheet/document/KeyCells.h"

namespace
{

const char kDataTable[] = "ss_datalist";

void ShowBalanceFailure(const CSheet& sheet, POSITION posFailed)
{
    AfxMessageBox("Invalid data for balance formula '" + sheet.m_lstBalance.GetAt(posFailed) + "'.", MB_OK);
}

} // namespace

void CTallyformDoc::OnUpdateDatabaseData(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetConnection().IsDatabaseOpen() && !m_sheet.m_bDesignMode);
}

void CTallyformDoc::SaveDataToDatabase()
{
    CWaitCursor wait;
    CReportConnection& connection = GetConnection();
    if (!connection.IsDatabaseOpen())
    {
        AfxMessageBox("Database is not connected!", MB_OK);
        return;
    }
    if (!CloseCellEditor(TRUE))
        return;
    if (AskReportInformation() == 0)
        return;
    if (ValidateKeyCells() == 0)
        return;
    POSITION posFailed = VerifyData();
    if (posFailed != NULL)
    {
        ShowBalanceFailure(m_sheet, posFailed);
        return;
    }
    if (connection.m_pLoader->SaveReportData(&m_sheet.m_cells, connection.m_pDatabase, kDataTable) == 0)
    {
        AfxMessageBox("Failed to save data.", MB_OK);
        return;
    }
    if (RecordReportLog() == 0)
        AfxMessageBox("Failed to record fill in log.", MB_OK);
    UpdateAllViews(NULL);
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
    if (connection.m_pLoader->LoadReportData(&m_sheet.m_cells, connection.m_pDatabase, kDataTable) == 0)
    {
        AfxMessageBox("No data in database or failed to load data!", MB_OK);
        return;
    }
    RecalculateAll();
    UpdateAllViews(NULL);
}
