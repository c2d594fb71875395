#include "engines/odbc/ODBCReportData.h"

#include <memory>

#include "engines/common/ReportDataRules.h"
#include "engines/common/ReportDataTransfer.h"
#include "engines/odbc/ODBCDataDic.h"
#include "engines/odbc/ODBCDatabase.h"
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
        // One transaction: a save that fails midway keeps nothing of it.
        odbc.BeginTrans();
        bInTransaction = TRUE;
        SaveReportCells(cells, rows, prompt, progress);
        rs->Close();
        bInTransaction = FALSE;
        odbc.CommitTrans();
        return 1;
    }
    catch (CException* e)
    {
        if (bInTransaction)
        {
            try
            {
                odbc.Rollback();
            }
            catch (CException* eRollback)
            {
                eRollback->Delete();
            }
        }
        if (!e->IsKindOf(RUNTIME_CLASS(CDBException)))
            throw;
        e->ReportError();
        e->Delete();
        return 0;
    }
}
