// Run-mode data entry of the document: storing what the in-place editors
// report and carrying key cells into the numeric cells.
#include "sheet/document/TallyformDoc.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/MessageSink.h"
#include "reporting/OrganLookup.h"
#include "reporting/ReportConnection.h"
#include "reporting/ShownCode.h"
#include "sheet/DataFile.h"
#include "sheet/UndoAction.h"
#include "sheet/document/KeyCells.h"

namespace
{

// Organization codes fit the numeric cells' code field.
const int kMaxOrgCodeLength = CELL_CODE_LEN - 1;
const int kMaxPeriodCodeLength = CELL_PERIOD_LEN - 1;

} // namespace

CKemRecordset* CTallyformDoc::GetOrganRecordset() const
{
    return const_cast<CTallyformDoc*>(this)->GetConnection().m_pOrganRecordset;
}

BOOL CTallyformDoc::IsOrganRecordsetOpen() const
{
    CKemRecordset* pRecordset = GetOrganRecordset();
    return pRecordset != NULL && pRecordset->IsOpen();
}

int CTallyformDoc::FindOrganization(CCell* pCell)
{
    if (pCell == NULL)
        return 0;
    const int nCount = (int)m_sheet.m_cells.GetSize();
    if (pCell->m_nType == CELL_REPORTDATE)
    {
        SetNumericCellKeys(m_sheet, NULL, pCell->m_szDateCode);
        return 1;
    }
    if (pCell->m_nType != CELL_ORGAN && pCell->m_nType != CELL_ORGANCODE)
        return 1;

    const BOOL bByCode = pCell->m_nType == CELL_ORGANCODE;
    CString strCode = bByCode ? pCell->m_strValue : CString();
    CString strName = bByCode ? CString() : pCell->m_strValue;
    if (IsOrganRecordsetOpen())
    {
        const int nFound = LookUpOrganization(*GetOrganRecordset(), bByCode, strCode, strName);
        if (nFound < 0)
            return 0;
        // A code read with '?' for characters this system lacks names no
        // row, or another organization's; one found as typed is stored.
        LPCSTR pszFoundName = nFound == 1 ? (LPCSTR)strName : NULL;
        if (!(bByCode && nFound == 1) &&
            IsCodeShownAsStored(GetConnection(), "ss_Organ", strCode, pszFoundName) == 0)
            return RefuseUnshownCode(strCode);
        if (nFound == 0)
            return 0;
    }
    if (strCode.GetLength() > kMaxOrgCodeLength)
        strCode = strCode.Left(kMaxOrgCodeLength);
    SetNumericCellKeys(m_sheet, strCode, NULL);
    for (int i = 0; i < nCount; ++i)
    {
        CCell& cell = m_sheet.m_cells[i];
        if (cell.m_nType == CELL_ORGAN && !strName.IsEmpty())
            cell.m_strValue = strName;
        else if (cell.m_nType == CELL_ORGANCODE && !strCode.IsEmpty())
            cell.m_strValue = strCode;
    }
    UpdateAllViews(NULL);
    return 1;
}

// The organization chosen cannot be the report's: its key cells are
// emptied and the numeric cells lose their organization, so neither the
// one chosen nor the one before is read or written under them.
int CTallyformDoc::RefuseUnshownCode(const CString& strCode)
{
    AfxMessageBox(UnshownCodeMessage("ss_Organ", strCode), MB_ICONEXCLAMATION);
    SetNumericCellKeys(m_sheet, "", NULL);
    for (INT_PTR i = 0; i < m_sheet.m_cells.GetSize(); ++i)
        if (m_sheet.m_cells[i].m_nType == CELL_ORGAN || m_sheet.m_cells[i].m_nType == CELL_ORGANCODE)
            m_sheet.m_cells[i].m_strValue.Empty();
    UpdateAllViews(NULL);
    return 0;
}

BOOL CTallyformDoc::StoreEnteredText(int nCell, const CString& strText)
{
    if (nCell < 0 || nCell >= (int)m_sheet.m_cells.GetSize())
        return FALSE;
    CCell& cell = m_sheet.m_cells[nCell];
    const CString strBefore = cell.m_nType == CELL_REPORTDATE ? CString(cell.m_szDateCode) : cell.m_strValue;
    switch (cell.m_nType)
    {
    case CELL_REPORTDATE:
        CopyCode(cell.m_szDateCode, CELL_PERIOD_LEN, strText.Left(kMaxPeriodCodeLength));
        break;
    case CELL_ORGANCODE:
        cell.m_strValue = strText.Left(kMaxOrgCodeLength);
        break;
    default:
        cell.m_strValue = strText;
        break;
    }
    // What is typed is asked about at Close and Exit until it is saved.
    if ((cell.m_nType == CELL_REPORTDATE ? CString(cell.m_szDateCode) : cell.m_strValue) != strBefore)
        NoteValueChanged(nCell);
    if (cell.m_nType == CELL_REPORTDATE || cell.m_nType == CELL_ORGAN ||
        cell.m_nType == CELL_ORGANCODE)
        FindOrganization(&m_sheet.m_cells[nCell]);
    // Emptying a figure changes the totals that use it as much as typing one.
    if (m_sheet.m_cells[nCell].m_nFormulaRefs > 0)
        RecalculateDependents(nCell);
    return TRUE;
}

void CTallyformDoc::NoteValueChanged(int nCell)
{
    if (nCell < 0 || nCell >= (int)m_sheet.m_cells.GetSize())
        return;
    const CCell& cell = m_sheet.m_cells[nCell];
    if (!m_sheet.m_bDesignMode && IsReportDataCell(cell) && !m_sheet.IsComputedByDatabase(cell))
        m_bDataModified = TRUE;
    else
        SetModifiedFlag(TRUE);
}

BOOL CTallyformDoc::ReloadReportData()
{
    if (!GetConnection().IsDatabaseOpen())
        return FALSE;
    LoadDataFromDatabase(FALSE);
    return TRUE;
}

BOOL CTallyformDoc::StoreLabelText(int nCell, const CString& strText)
{
    if (nCell < 0 || nCell >= (int)m_sheet.m_cells.GetSize() ||
        m_sheet.m_cells[nCell].m_strValue == strText)
        return FALSE;
    CCellDefineAction* pAction = new CCellDefineAction;
    pAction->m_arrIndices.Add((UINT)nCell);
    pAction->RecordBefore(&m_sheet);
    m_sheet.m_cells[nCell].m_strValue = strText;
    pAction->RecordAfter();
    m_sheet.AddUndoAction(pAction);
    SetModifiedFlag();
    UpdateAllViews(NULL);
    return TRUE;
}
