// Data > Sum Data From Databases: each numeric cell receives the exact sum
// of the values stored under its row and column item over the rows of a
// Data Gather selection.
#include "sheet/document/TallyformDoc.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"
#include "reporting/CyValueList.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "reporting/SqlKeyword.h"
#include "sheet/document/KeyCells.h"
#include "shell/PercentProgressDlg.h"
#include "ProgressResource.h"

namespace
{

// A key of the LocalOrg section of the configuration file; empty when the
// file or the key is missing.
CString LocalOrgValue(const CString& strIniPath, LPCSTR pszKey)
{
    char szValue[256] = "";
    if (!strIniPath.IsEmpty())
        GetPrivateProfileStringA("LocalOrg", pszKey, "", szValue, sizeof(szValue), strIniPath);
    return szValue;
}

// The organization a summed report is made out for: the one chosen, else
// the local organization.
void SummedOrganization(const CDataGatherChoice& choice, const CString& strIniPath, CString& strCode,
                        CString& strName)
{
    if (choice.m_mapSingleOrg.GetCount() == 1)
    {
        POSITION pos = choice.m_mapSingleOrg.GetStartPosition();
        choice.m_mapSingleOrg.GetNextAssoc(pos, strCode, strName);
        return;
    }
    strCode = LocalOrgValue(strIniPath, "LocalOrgCode");
    strName = LocalOrgValue(strIniPath, "LocalOrgName");
}

// The sum of the rows of one query as the cell's value text: "0" without
// rows, empty when a value is no amount or the sum overflows (told).
CString SumOfQuery(CKemRecordset* pRecordset, CCyValueList& values, const CString& strSql)
{
    pRecordset->Open(strSql, TRUE);
    CString strSum("0");
    if (!pRecordset->IsEOF())
        strSum = values.LoadFromRecordset(pRecordset, "FD_Value") ? values.FormatValues() : CString();
    pRecordset->Close();
    return strSum;
}

} // namespace

void CTallyformDoc::OnSumDataFromDatabases()
{
    CDataGatherChoice choice;
    if (!RunDataGatherDialog(choice))
        return;
    SumDataFromDatabase(choice);
}

void CTallyformDoc::SumDataFromDatabase(const CDataGatherChoice& choice)
{
    CReportConnection& connection = GetConnection();
    if (!connection.IsDatabaseOpen())
    {
        AfxMessageBox("Database is not connected!", MB_OK);
        return;
    }
    // Destroyed on every way out, which gives the owner back its input.
    CPercentProgressDlg progress(IDS_SUMMING_DATA);
    progress.Create(NULL);
    CScopedRecordset rs(connection);
    if (rs.Get() == NULL)
    {
        AfxMessageBox("Failed to sum data.", MB_OK);
        return;
    }
    CCyValueList values;
    LPCSTR pszItemFormat = FindSqlKeyword(choice.m_strSql, " WHERE") >= 0
        ? "%s And FD_RowItemCode=%s And FD_ColItemCode=%s"
        : "%s Where FD_RowItemCode=%s And FD_ColItemCode=%s";
    INT_PTR nCount = m_sheet.m_cells.GetSize();
    try
    {
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            if (progress.m_hWnd != NULL)
                progress.SetPos((int)(i * 100 / nCount));
            CCell& cell = m_sheet.m_cells[i];
            switch (cell.m_nType)
            {
            case CELL_REPORTDATE:
                CopyCode(cell.m_szDateCode, sizeof(cell.m_szDateCode), choice.m_strReportDate);
                break;
            case CELL_ORGANCODE:
            case CELL_ORGAN:
            {
                CString strCode, strName;
                SummedOrganization(choice, connection.m_strIniPath, strCode, strName);
                cell.m_strValue = cell.m_nType == CELL_ORGANCODE ? strCode : strName;
                break;
            }
            case CELL_NUMERIC:
                if (cell.m_nValueType == 0)
                {
                    CString strSql;
                    strSql.Format(pszItemFormat, (LPCSTR)choice.m_strSql,
                                  (LPCSTR)SqlQuote(cell.m_szRowItemCode), (LPCSTR)SqlQuote(cell.m_szColItemCode));
                    cell.m_strValue = SumOfQuery(rs.Get(), values, strSql);
                }
                break;
            default:
                break;
            }
        }
    }
    catch (CException* e)
    {
        e->Delete();
        AfxMessageBox("Failed to sum data.", MB_OK);
        return;
    }
    RecalculateAll();
    // The sums are stored nowhere yet.
    m_bDataModified = TRUE;
    UpdateAllViews(NULL);
    ShowStatusText("The report" + ReportKeysText(m_sheet) + " is summed from the database.");
}
