// Cell > Item Setup and Item Column Setup: the row or column item of the
// selected numeric cells, chosen through the Find Item dialog.
#include "sheet/document/TallyformDoc.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/CmdUI.h"
#include "reporting/FindItemDlg.h"
#include "reporting/ReportConnection.h"

BOOL CTallyformDoc::RunFindItemDialog(int nTable, CString& strCode)
{
    CFindItemDlg dlg(nTable, 1, "%", NULL);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strCode = dlg.m_strCode;
    return TRUE;
}

BOOL CTallyformDoc::CanSetItemCodes(int nTable)
{
    CReportConnection& connection = GetConnection();
    CKemRecordset* pList = nTable == 1 ? connection.m_pItemRecordset : connection.m_pColItemRecordset;
    if (!connection.IsDatabaseOpen() || pList == NULL || !pList->IsOpen() || m_sheet.m_arrSel.GetSize() == 0)
        return FALSE;
    for (INT_PTR n = 0; n < m_sheet.m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = m_sheet.GetSelectedCell((int)n);
        if (pCell == NULL || pCell->m_nType != CELL_NUMERIC)
            return FALSE;
    }
    return TRUE;
}

void CTallyformDoc::OnUpdateCellItemSetup(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanSetItemCodes(1));
}

void CTallyformDoc::OnUpdateCellColItemSetup(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanSetItemCodes(2));
}

void CTallyformDoc::SetSelectedItemCodes(int nTable)
{
    if (!CanSetItemCodes(nTable))
        return;
    CString strCode;
    if (!RunFindItemDialog(nTable, strCode))
        return;
    // A code that does not fit the cells' field would name another item.
    if (strCode.GetLength() >= CELL_CODE_LEN)
    {
        CString strMessage;
        strMessage.Format("Item code %s is longer than %d characters.", (LPCSTR)strCode, CELL_CODE_LEN - 1);
        AfxMessageBox(strMessage);
        return;
    }
    BOOL bChanged = FALSE;
    for (INT_PTR n = 0; n < m_sheet.m_arrSel.GetSize(); ++n)
    {
        CCell* pCell = m_sheet.GetSelectedCell((int)n);
        if (pCell == NULL || pCell->m_nType != CELL_NUMERIC)
            continue;
        char* pszField = nTable == 1 ? pCell->m_szRowItemCode : pCell->m_szColItemCode;
        if (strCode.Compare(pszField) == 0)
            continue;
        CopyCode(pszField, CELL_CODE_LEN, strCode);
        bChanged = TRUE;
    }
    // The template changed: closing it asks to save, and every view shows
    // the new codes of all the cells.
    if (bChanged)
    {
        SetModifiedFlag(TRUE);
        UpdateAllViews(NULL);
    }
}
