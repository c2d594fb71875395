#include "engines/common/ReportDataTransfer.h"

#include "engines/common/ReportDataRules.h"
#include "sheet/Cell.h"

namespace
{

CReportOverwriteQuestion MakeQuestion(const CCell& cell, CReportDataRows& rows, const CString& strOld)
{
    CReportOverwriteQuestion question;
    question.m_strPeriodCode = CellPeriodCode(cell);
    question.m_strOrgan = rows.LookupName("ss_Organ", CellOrgCode(cell));
    question.m_strRowItem = rows.LookupName("ss_item", CellRowItemCode(cell));
    question.m_strColItem = rows.LookupName("ss_colitem", CellColItemKey(cell));
    question.m_strLine.Format("%ld", (long)cell.m_nLine);
    question.m_strOldData = strOld;
    question.m_strCurrentData = cell.m_strValue;
    return question;
}

int ProgressOf(INT_PTR nIndex, INT_PTR nCount)
{
    return (int)(nIndex * 100 / nCount);
}

} // namespace

void LoadReportCells(CCellArray& cells, CReportDataRows& rows, CReportProgress& progress, BOOL bNullIsMissing)
{
    INT_PTR nCount = cells.GetSize();
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        progress.SetPos(ProgressOf(i, nCount));
        CCell& cell = cells.ElementAt(i);
        if (cell.m_nType != CELL_NUMERIC)
            continue;
        CString strText;
        if (!rows.FindCellRow(cell))
            strText = MissingValueText(cell.m_nValueType);
        else if (!rows.ReadValue(strText) && bNullIsMissing)
            strText = MissingValueText(cell.m_nValueType);
        cell.m_strValue = strText;
    }
}

const char kReportChangedMeanwhile[] =
    "Another user has saved this report since its values were read. Nothing was saved;\n"
    "save again to see the values now stored.";
const char kReportLockedByOther[] = "Another user is saving this report; try again.";

CReportSavePlan PlanReportSave(CCellArray& cells, CReportDataRows& rows, CReportOverwritePrompt& prompt,
                               CReportProgress& progress)
{
    CReportSavePlan plan;
    int nAnswer = OVERWRITE_UPDATE;
    INT_PTR nCount = cells.GetSize();
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        progress.SetPos(ProgressOf(i, nCount));
        const CCell& cell = cells.ElementAt(i);
        if (cell.m_nType != CELL_NUMERIC)
            continue;
        const CString& strValue = cell.m_strValue;
        BOOL bMissing = IsMissingValue(cell.m_nValueType, strValue);
        if (!rows.FindCellRow(cell))
        {
            if (!bMissing)
                plan.push_back({i, CReportSaveChange::addRow, FALSE, CString()});
            continue;
        }
        CString strStored;
        BOOL bStored = rows.ReadValue(strStored);
        if (strStored == strValue)
            continue;
        // The null mode's placeholder over a stored NULL is the same nothing.
        if (!bStored && bMissing && IsNullMode(cell.m_nValueType))
            continue;
        if (nAnswer == OVERWRITE_UPDATE || nAnswer == OVERWRITE_SKIP)
            nAnswer = prompt.Ask(MakeQuestion(cell, rows, strStored));
        if (nAnswer != OVERWRITE_UPDATE && nAnswer != OVERWRITE_UPDATE_ALL)
            continue;
        plan.push_back({i, bMissing ? CReportSaveChange::clearRow : CReportSaveChange::writeValue, bStored,
                        strStored});
    }
    return plan;
}

void ApplyReportSave(CCellArray& cells, const CReportSavePlan& plan, CReportDataRows& rows)
{
    for (const CReportSaveChange& change : plan)
    {
        const CCell& cell = cells.ElementAt(change.m_nCell);
        if (change.m_action == CReportSaveChange::addRow)
        {
            rows.AddRow(cell, cell.m_strValue);
            continue;
        }
        CString strStored;
        if (!rows.FindCellRow(cell) || rows.ReadValue(strStored) != change.m_bStoredValue ||
            strStored != change.m_strStored)
            throw CReportChangedMeanwhile();
        if (change.m_action == CReportSaveChange::clearRow)
            rows.ClearRow();
        else
            rows.WriteValue(cell.m_strValue);
    }
}
