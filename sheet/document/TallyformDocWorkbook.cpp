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
#include "sheet/CellDataCheck.h"
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

// The heading and the values refused, as many as a message shows.
CString RefusalMessage(const CString& strHeading, const CStringArray& refusals)
{
    CString strMessage = strHeading;
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

// The period and organization the import takes: those the template has a
// cell for and the worksheet names.
CReportWorksheetKeys KeysToTake(const CSheet& sheet, CReportWorksheetKeys keys)
{
    CKeyCells cells(sheet);
    if (cells.m_dates.GetSize() == 0)
        keys.m_strPeriod.Empty();
    if (cells.m_codes.GetSize() == 0)
        keys.m_strOrgCode.Empty();
    if (cells.m_names.GetSize() == 0)
        keys.m_strOrgName.Empty();
    return keys;
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
    if (!PromptWorkbookFileName(FALSE, strPath))
        return;
    if (ExportToWorkbook(strPath))
        ShowStatusText("The report" + ReportKeysText(m_sheet) + " is exported to " + strPath + ".");
    else
        ShowStatusText("Nothing was exported to " + strPath + ".");
}

void CTallyformDoc::OnImportFromExcel()
{
    CloseCellEditor(TRUE);
    CString strPath;
    if (!PromptWorkbookFileName(TRUE, strPath))
        return;
    int nRefused = 0;
    if (!ImportFromWorkbook(strPath, nRefused))
    {
        ShowStatusText("Nothing was imported from " + strPath + ".");
        return;
    }
    CString strText = "The report" + ReportKeysText(m_sheet) + " is imported from " + strPath + ".";
    if (nRefused > 0)
    {
        CString strRefused;
        strRefused.Format(" %d value%s not taken.", nRefused, nRefused == 1 ? " was" : "s were");
        strText += strRefused;
    }
    ShowStatusText(strText);
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

BOOL CTallyformDoc::ImportFromWorkbook(LPCSTR lpszPathName, int& nRefused)
{
    nRefused = 0;
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
    // Figures are read by their places: a moved row or column would give
    // each figure to another item.
    const CString strDifference = ReportWorksheetDifference(m_sheet, tables[0]);
    if (!strDifference.IsEmpty())
    {
        AfxMessageBox(CString("Nothing was imported. The layout of ") + lpszPathName +
                      " differs from this template's: " + strDifference + ".");
        return FALSE;
    }
    keys = KeysToTake(m_sheet, keys);
    CStringArray refusals;
    // The figures belong to the keys: without them none is taken.
    CheckWorksheetKeys(keys, refusals);
    if (refusals.GetSize() > 0)
    {
        AfxMessageBox(RefusalMessage(CString("Nothing was imported. These keys of ") + lpszPathName +
                                         " were not taken:", refusals));
        return FALSE;
    }
    ImportWorksheetKeys(keys);
    CUIntArray emptied;
    ImportWorksheetFigures(tables[0], refusals, emptied);
    RecalculateAll();
    // A formula reading an emptied figure has no result, as when the figure
    // is typed away.
    for (INT_PTR i = 0; i < emptied.GetSize(); ++i)
        RecalculateDependentFormulas(m_sheet, (int)emptied[i]);
    m_bDataModified = TRUE;
    UpdateAllViews(NULL);
    nRefused = (int)refusals.GetSize();
    if (nRefused > 0)
        AfxMessageBox(RefusalMessage(CString("These values of ") + lpszPathName + " were not taken:", refusals));
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

void CTallyformDoc::CheckWorksheetKeys(const CReportWorksheetKeys& keys, CStringArray& refusals)
{
    if (!keys.m_strPeriod.IsEmpty() && !CReportPeriod::IsValidCode(keys.m_strPeriod, (int)m_sheet.m_nReportType))
        refusals.Add("Period: " + Quoted(keys.m_strPeriod) + " is no period of this report.");
    if (!keys.m_strOrgCode.IsEmpty())
    {
        if (!IsKnownOrganization("FD_Code", keys.m_strOrgCode))
            refusals.Add("Organization code: " + Quoted(keys.m_strOrgCode) + " is no known organization.");
    }
    else if (!keys.m_strOrgName.IsEmpty() && !IsKnownOrganization("FD_Name", keys.m_strOrgName))
    {
        refusals.Add("Organization name: " + Quoted(keys.m_strOrgName) + " is no known organization.");
    }
}

void CTallyformDoc::ImportWorksheetKeys(const CReportWorksheetKeys& keys)
{
    CKeyCells cells(m_sheet);
    if (!keys.m_strPeriod.IsEmpty())
        for (INT_PTR i = 0; i < cells.m_dates.GetSize(); ++i)
            StoreEnteredText((int)cells.m_dates[i], keys.m_strPeriod);
    // The code decides the organization; the name follows it from the
    // organizations, or as it stands when they are not open.
    if (!keys.m_strOrgCode.IsEmpty())
    {
        StoreEnteredText((int)cells.m_codes[0], keys.m_strOrgCode);
        if (!IsOrganRecordsetOpen())
            for (INT_PTR i = 0; i < cells.m_names.GetSize(); ++i)
                m_sheet.m_cells[cells.m_names[i]].m_strValue = keys.m_strOrgName;
    }
    else if (!keys.m_strOrgName.IsEmpty())
    {
        StoreEnteredText((int)cells.m_names[0], keys.m_strOrgName);
    }
}

// A figure is stored as StoreEnteredText stores it, the calculate cells
// recalculated once after all of them.
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
        // A figure is refused as typed input or a save would refuse it.
        CString strText, strComplaint;
        if (bInexact)
            strComplaint = "holds characters that this system's code page cannot hold.";
        else if (!ImportedFigureText(cell, pStored != NULL ? &value : NULL, strText))
            strComplaint = "is not a number.";
        else
        {
            const CString strRule = CellValueComplaint(cell, strText);
            if (!strRule.IsEmpty())
                strComplaint = "is refused: " + strRule;
        }
        // A refused figure leaves its cell empty, never the figure of the
        // report shown before.
        if (!strComplaint.IsEmpty())
        {
            refusals.Add(ReportWorksheetAddress(nRow, nColumn) + ": " + Quoted(value.m_strText) + " " + strComplaint);
            strText.Empty();
        }
        cell.m_strValue = strText;
        if (strText.IsEmpty())
            emptied.Add((UINT)i);
    }
}
