#include "engines/odbc/ODBCReportData.h"

#include <memory>

#include "engines/common/ReportDataRules.h"
#include "engines/common/ReportDataTransfer.h"
#include "engines/odbc/ODBCDataDic.h"
#include "engines/odbc/ODBCDatabase.h"
#include "framework/core/MessageSink.h"
#include "sheet/Cell.h"

namespace
{

// The report's rows over the report data recordset.
class COdbcReportRows : public CReportDataRows
{
public:
    COdbcReportRows(CODBCDataDic& rs, CDatabase& db) : m_rs(rs), m_db(db) {}

    BOOL FindCellRow(const CCell& cell) override
    {
        m_rs.m_FDTimeParam = CellPeriodCode(cell);
        m_rs.m_FDOrgCodeParam = CellOrgCode(cell);
        m_rs.m_FDTargetCodeParam = CellRowItemCode(cell);
        m_rs.m_FDTargetKindsCodeParam = CellColItemKey(cell);
        m_rs.m_FDLineParam = (int)cell.m_nLine;
        m_rs.m_FDCurrencyTypeParam = CellCurrencyKey(cell);
        m_rs.Requery();
        return !m_rs.IsEOF();
    }

    BOOL ReadValue(CString& strText) override
    {
        if (m_rs.IsFieldNull(&m_rs.m_FD_Value))
        {
            strText.Empty();
            return FALSE;
        }
        strText = m_rs.m_FD_Value;
        return TRUE;
    }

    void WriteValue(const CString& strText) override
    {
        m_rs.Edit();
        m_rs.m_FD_Value = strText;
        m_rs.SetFieldNull(&m_rs.m_FD_Value, FALSE);
        m_rs.Update();
    }

    void ClearRow() override
    {
        m_rs.Delete();
    }

    void AddRow(const CCell& cell, const CString& strText) override
    {
        m_rs.AddNew();
        m_rs.m_FD_Time = CellPeriodCode(cell);
        m_rs.m_FD_OrgCode = CellOrgCode(cell);
        m_rs.m_FD_RowItemCode = CellRowItemCode(cell);
        m_rs.m_FD_ColItemCode = CellColItemKey(cell);
        m_rs.m_FD_Line = (int)cell.m_nLine;
        m_rs.m_FD_CurType = CellCurrencyKey(cell);
        m_rs.m_FD_Value = strText;
        m_rs.SetFieldNull(NULL, FALSE);
        m_rs.Update();
    }

    CString LookupName(LPCSTR lpszTable, const CString& strCode) override
    {
        try
        {
            CTable lookup(&m_db);
            lookup.m_FDCodeParam = strCode;
            lookup.Open(CRecordset::snapshot, CString("Select FD_Name From ") + lpszTable + " Where FD_Code=?",
                        CRecordset::noDirtyFieldCheck);
            CString strName = lookup.IsEOF() ? CString() : lookup.m_FD_Name;
            lookup.Close();
            return strName;
        }
        catch (CDBException* e)
        {
            e->ReportError();
            e->Delete();
            return CString();
        }
    }

private:
    CODBCDataDic& m_rs;
    CDatabase& m_db;
};

void RollbackQuietly(CDatabase& odbc, BOOL bInTransaction)
{
    if (!bInTransaction)
        return;
    try
    {
        odbc.Rollback();
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

// TRUE when the diagnostics carry the SQLSTATE.
BOOL HasState(const CDBException* e, LPCSTR lpszState)
{
    return e->m_strStateNativeOrigin.Find(CString("State:") + lpszState) >= 0;
}

// A row another session holds past the lock timeout, or a new value's row
// that another session added meanwhile, in words; other failures as the
// driver tells them.
void ReportSaveFailure(CDBException* e)
{
    if (HasState(e, "55P03") || HasState(e, "HYT00"))
        AfxMessageBox(kReportLockedByOther, MB_OK);
    else if (HasState(e, "23505"))
        AfxMessageBox(kReportChangedMeanwhile, MB_OK);
    else
        e->ReportError();
}

std::unique_ptr<CODBCDataDic> OpenReportRows(CODBCDatabase& db, const CString& strTable)
{
    std::unique_ptr<CODBCDataDic> rs(new CODBCDataDic(db.m_pOdbcDatabase));
    rs->OpenTable(strTable);
    return rs;
}

} // namespace

int LoadOdbcReportData(CCellArray& cells, CODBCDatabase& db, const CString& strTable, CReportProgress& progress)
{
    try
    {
        std::unique_ptr<CODBCDataDic> rs = OpenReportRows(db, strTable);
        COdbcReportRows rows(*rs, *db.m_pOdbcDatabase);
        LoadReportCells(cells, rows, progress, FALSE);
        rs->Close();
        return 1;
    }
    catch (CDBException* e)
    {
        e->ReportError();
        e->Delete();
        return 0;
    }
}

int SaveOdbcReportData(CCellArray& cells, CODBCDatabase& db, const CString& strTable, CReportOverwritePrompt& prompt,
                       CReportProgress& progress)
{
    CDatabase& odbc = *db.m_pOdbcDatabase;
    BOOL bInTransaction = FALSE;
    try
    {
        std::unique_ptr<CODBCDataDic> rs = OpenReportRows(db, strTable);
        COdbcReportRows rows(*rs, odbc);
        // The questions come first, outside any transaction: no row stays
        // locked while a user thinks.
        CReportSavePlan plan = PlanReportSave(cells, rows, prompt, progress);
        // Then one transaction: a save that fails midway keeps nothing of
        // it, and the caller's step (the fill-in log) commits with the rows.
        odbc.BeginTrans();
        bInTransaction = TRUE;
        ApplyReportSave(cells, plan, rows);
        BOOL bStepDone = db.m_pSaveStep == NULL || db.m_pSaveStep->Run();
        rs->Close();
        bInTransaction = FALSE;
        if (!bStepDone)
        {
            odbc.Rollback();
            return 0;
        }
        odbc.CommitTrans();
        return 1;
    }
    catch (CReportChangedMeanwhile&)
    {
        RollbackQuietly(odbc, bInTransaction);
        AfxMessageBox(kReportChangedMeanwhile, MB_OK);
        return 0;
    }
    catch (CException* e)
    {
        RollbackQuietly(odbc, bInTransaction);
        if (!e->IsKindOf(RUNTIME_CLASS(CDBException)))
            throw;
        ReportSaveFailure(static_cast<CDBException*>(e));
        e->Delete();
        return 0;
    }
}
