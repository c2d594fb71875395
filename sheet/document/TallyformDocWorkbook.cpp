// Data > Export to Excel and Import from Excel: the report as one worksheet
// of an Excel workbook (ReportWorksheet.h), and its figures, period and
// organization taken back from one through the checks of typed input.
#include "sheet/document/TallyformDoc.h"

#include "engines/dao/spreadsheet/XlsWorkbookFile.h"
#include "framework/core/File.h"
#include "framework/core/MessageSink.h"
#include "framework/db/DBText.h"
#include "framework/db/SqlQuote.h"
#include "framework/docview/FileReplacer.h"
#include "framework/windows/CmdUI.h"
#include "reporting/ReportConnection.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/ReportPeriod.h"
#include "sheet/SheetGridMap.h"
#include "sheet/document/KeyCells.h"
#include "sheet/document/ReportWorksheet.h"

namespace
{

const int kExcel97 = 8;
// A refusal message lists this many values, then how many more there were.
const int kMaxListedRefusals = 20;

CString TemplateCode(const CSheet& sheet)
{
    return CString(sheet.m_szCode, (int)strnlen(sheet.m_szCode, SHEET_CODE_LEN));
}

CString Quoted(const CString& strText)
{
    return "'" + strText + "'";
}

CString RefusalMessage(LPCSTR pszPath, const CStringArray& refusals)
{
    CString strMessage = CString("These values of ") + pszPath + " were not taken:";
    const int nCount = (int)refusals.GetSize();
    for (int i = 0; i < nCount && i < kMaxListedRefusals; ++i)
        strMessage += "\n" + refusals[i];
    if (nCount > kMaxListedRefusals)
    {
        CString strMore;
        strMore.Format("\n... and %d more.", nCount - kMaxListedRefusals);
        strMessage += strMore;
    }
    return strMessage;
}

} // namespace

void CTallyformDoc::OnUpdateWorkbookExchange(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_sheet.m_bDesignMode && m_sheet.m_cells.GetSize() > 0);
}

void CTallyformDoc::OnExportToExcel()
{
    CloseCellEditor(TRUE);
    CString strPath;
    if (PromptWorkbookFileName(FALSE, strPath))
        ExportToWorkbook(strPath);
}

void CTallyformDoc::OnImportFromExcel()
{
    CloseCellEditor(TRUE);
    CString strPath;
    if (PromptWorkbookFileName(TRUE, strPath))
        ImportFromWorkbook(strPath);
}

BOOL CTallyformDoc::ExportToWorkbook(LPCSTR lpszPathName)
{
    const CReportInfo info = ReportInfoFromSheet();
    CReportWorksheetKeys keys;
    keys.m_strTemplate = TemplateCode(m_sheet);
    keys.m_strPeriod = info.strPeriod;
    keys.m_strOrgCode = info.strOrgCode;
    keys.m_strOrgName = info.strOrgName;
    const std::vector<CSourceTable> tables(1, MakeReportWorksheet(m_sheet, keys));
    CString strError;
    try
    {
        // Written beside the target and renamed over it, so a failure leaves
        // an existing file as it was.
        CFileReplacer replacer(lpszPathName);
        if (!WriteXlsWorkbook(replacer.GetTempPath(), tables, kExcel97, strError))
        {
            strError.Replace(replacer.GetTempPath(), lpszPathName);
            AfxMessageBox("Export to Excel failed. " + strError);
            return FALSE;
        }
        replacer.Commit();
    }
    catch (CFileException* e)
    {
        char szCause[512] = "";
        e->GetErrorMessage(szCause, sizeof(szCause));
        e->Delete();
        AfxMessageBox(CString("Export to Excel failed. ") + szCause);
        return FALSE;
    }
    return TRUE;
}

BOOL CTallyformDoc::ImportFromWorkbook(LPCSTR lpszPathName)
{
    // The workbook is read and checked whole before the report changes.
    std::vector<CSourceTable> tables;
    int nVersion = 0;
    CString strError;
    if (!ReadXlsWorkbook(lpszPathName, tables, nVersion, strError))
    {
        AfxMessageBox("Nothing was imported. " + strError);
        return FALSE;
    }
    // The workbook's texts are UTF-8: the keys of the first row come into
    // the system's code page here, each figure as it is taken.
    if (!tables.empty())
        for (CString& strColumn : tables[0].m_columns)
            strColumn = DBTextFromDriver(strColumn);
    CReportWorksheetKeys keys;
    if (tables.empty() || !ReadReportWorksheetKeys(tables[0], keys))
    {
        AfxMessageBox(CString("Nothing was imported. The first worksheet of ") + lpszPathName +
                      " names no template: it holds no report exported to Excel.");
        return FALSE;
    }
    const CString strCode = TemplateCode(m_sheet);
    if (keys.m_strTemplate != strCode)
    {
        AfxMessageBox(CString("Nothing was imported. ") + lpszPathName + " holds a report of template " +
                      Quoted(keys.m_strTemplate) + ", not of this template " + Quoted(strCode) + ".");
        return FALSE;
    }
    CStringArray refusals;
    ImportWorksheetKeys(keys, refusals);
    CUIntArray emptied;
    ImportWorksheetFigures(tables[0], refusals, emptied);
    RecalculateAll();
    // A formula reading an emptied figure has no result, as when the figure
    // is typed away.
    for (INT_PTR i = 0; i < emptied.GetSize(); ++i)
        RecalculateDependentFormulas(m_sheet, (int)emptied[i]);
    SetModifiedFlag(TRUE);
    UpdateAllViews(NULL);
    if (refusals.GetSize() > 0)
        AfxMessageBox(RefusalMessage(lpszPathName, refusals));
    return TRUE;
}

BOOL CTallyformDoc::IsKnownOrganization(LPCSTR pszField, const CString& strValue)
{
    // Typed in, a key cell takes only an organization that the list shows
    // while the organizations are open, and any text while they are not.
    if (!IsOrganRecordsetOpen())
        return TRUE;
    return GetConnection().RecordExists("ss_Organ", CString(pszField) + "=" + SqlQuote(strValue)) == 1;
}

void CTallyformDoc::ImportWorksheetKeys(const CReportWorksheetKeys& keys, CStringArray& refusals)
{
    CKeyCells cells(m_sheet);
    if (cells.m_dates.GetSize() > 0 && !keys.m_strPeriod.IsEmpty())
    {
        if (CReportPeriod::IsValidCode(keys.m_strPeriod, (int)m_sheet.m_nReportType))
        {
            for (INT_PTR i = 0; i < cells.m_dates.GetSize(); ++i)
                StoreEnteredText((int)cells.m_dates[i], keys.m_strPeriod);
        }
        else
        {
            refusals.Add("Period: " + Quoted(keys.m_strPeriod) + " is no period of this report.");
        }
    }
    // The code decides the organization; the name follows it from the
    // organizations, or as it stands when they are not open.
    if (cells.m_codes.GetSize() > 0 && !keys.m_strOrgCode.IsEmpty())
    {
        if (!IsKnownOrganization("FD_Code", keys.m_strOrgCode))
        {
            refusals.Add("Organization code: " + Quoted(keys.m_strOrgCode) + " is no known organization.");
            return;
        }
        StoreEnteredText((int)cells.m_codes[0], keys.m_strOrgCode);
        if (!IsOrganRecordsetOpen())
            for (INT_PTR i = 0; i < cells.m_names.GetSize(); ++i)
                m_sheet.m_cells[cells.m_names[i]].m_strValue = keys.m_strOrgName;
    }
    else if (cells.m_names.GetSize() > 0 && !keys.m_strOrgName.IsEmpty())
    {
        if (!IsKnownOrganization("FD_Name", keys.m_strOrgName))
            refusals.Add("Organization name: " + Quoted(keys.m_strOrgName) + " is no known organization.");
        else
            StoreEnteredText((int)cells.m_names[0], keys.m_strOrgName);
    }
}

// A figure is stored as StoreEnteredText stores it; the calculate cells
// are recalculated once after all of them.
void CTallyformDoc::ImportWorksheetFigures(const CSourceTable& table, CStringArray& refusals, CUIntArray& emptied)
{
    const CSheetGridMap grid(m_sheet);
    for (int i = 0; i < (int)m_sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = m_sheet.m_cells[i];
        int nRow = 0, nColumn = 0;
        if (!IsImportedFigureCell(cell) || !grid.GetPosition(i, nRow, nColumn))
            continue;
        const CSourceValue* pStored = ReportWorksheetValue(table, nRow, nColumn);
        CSourceValue value;
        BOOL bInexact = FALSE;
        if (pStored != NULL)
        {
            value = *pStored;
            DBTextFromDriver(pStored->m_strText, pStored->m_strText.GetLength(), value.m_strText, CP_ACP, &bInexact);
        }
        CString strText;
        // A refused figure leaves its cell empty, never the figure of the
        // report shown before.
        if (bInexact)
        {
            refusals.Add(ReportWorksheetAddress(nRow, nColumn) + ": " + Quoted(value.m_strText) +
                         " holds characters that this system's code page cannot hold.");
            cell.m_strValue.Empty();
            emptied.Add((UINT)i);
        }
        else if (!ImportedFigureText(cell, pStored != NULL ? &value : NULL, strText))
        {
            refusals.Add(ReportWorksheetAddress(nRow, nColumn) + ": " + Quoted(value.m_strText) +
                         " is not a number.");
            cell.m_strValue.Empty();
            emptied.Add((UINT)i);
        }
        else
        {
            cell.m_strValue = strText;
            if (strText.IsEmpty())
                emptied.Add((UINT)i);
        }
    }
}
