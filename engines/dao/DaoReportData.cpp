#include "engines/dao/DaoReportData.h"

#include "engines/common/DataSourceType.h"
#include "engines/common/ReportDataRules.h"
#include "engines/common/ReportDataTransfer.h"
#include "engines/dao/DAORecordset.h"
#include "engines/dao/DaoErrorReport.h"
#include "framework/db/DaoRecordset.h"
#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"
#include "sheet/Cell.h"
#include "sheet/Sheet.h"

#include <memory>
#include <set>
#include <string>

namespace
{

// A text field in the ANSI form the DAO classes give; other types as text.
CString FieldText(const COleVariant& value)
{
    if (V_VT(&value) == VT_BSTR)
        return AfxStringFromBstrBytes(V_BSTR(&value));
    return VariantToText(value);
}

BOOL IsNullValue(const COleVariant& value)
{
    return V_VT(&value) == VT_NULL || V_VT(&value) == VT_EMPTY;
}

// The report's rows over one dynaset of the report query.
class CDaoReportRows : public CReportDataRows
{
public:
    CDaoReportRows(CDaoRecordset& rs, CDaoDatabase& db, BOOL bExcel) : m_rs(rs), m_db(db), m_bExcel(bExcel) {}

    BOOL FindCellRow(const CCell& cell) override
    {
        // A report saved for the first time finds no row under its keys:
        // no query need ask.
        if (m_rs.IsBOF() && m_rs.IsEOF())
            return FALSE;
        return m_rs.FindFirst(BuildCellKeyFilter(cell));
    }

    BOOL ReadValue(CString& strText) override
    {
        COleVariant value = m_rs.GetFieldValue(RD_VALUE);
        if (IsNullValue(value))
        {
            strText.Empty();
            return FALSE;
        }
        strText = FieldText(value);
        return TRUE;
    }

    void WriteValue(const CString& strText) override
    {
        m_rs.Edit();
        m_rs.SetFieldValue(RD_VALUE, (LPCSTR)strText);
        m_rs.Update();
    }

    void ClearRow() override
    {
        // Worksheet rows cannot be deleted, only emptied.
        if (m_bExcel)
        {
            m_rs.Edit();
            m_rs.SetFieldValueNull(RD_VALUE);
            m_rs.Update();
        }
        else
            m_rs.Delete();
    }

    void AddRow(const CCell& cell, const CString& strText) override
    {
        if (m_bExcel && m_rs.FindFirst(RD_VALUE " Is Null"))
            m_rs.Edit();
        else
            m_rs.AddNew();
        m_rs.SetFieldValue(RD_TIME, (LPCSTR)CellPeriodCode(cell));
        m_rs.SetFieldValue(RD_ORGCODE, (LPCSTR)CellOrgCode(cell));
        m_rs.SetFieldValue(RD_ROWITEM, (LPCSTR)CellRowItemCode(cell));
        m_rs.SetFieldValue(RD_COLITEM, (LPCSTR)CellColItemKey(cell));
        m_rs.SetFieldValue(RD_LINE, COleVariant((LONG)cell.m_nLine));
        m_rs.SetFieldValue(RD_CURTYPE, COleVariant((BYTE)CellCurrencyKey(cell)));
        m_rs.SetFieldValue(RD_VALUE, (LPCSTR)strText);
        m_rs.Update();
    }

    CString LookupName(LPCSTR lpszTable, const CString& strCode) override
    {
        CString strName;
        try
        {
            CDaoRecordset lookup(&m_db);
            lookup.Open(dbOpenDynaset, CString("Select FD_Name From ") + lpszTable + " Where FD_Code=" + SqlQuote(strCode));
            if (!lookup.IsEOF())
            {
                COleVariant value = lookup.GetFieldValue("FD_Name");
                if (!IsNullValue(value))
                    strName = FieldText(value);
            }
            lookup.Close();
        }
        catch (CDaoException* e)
        {
            ReportDaoException(e);
            e->Delete();
            strName.Empty();
        }
        return strName;
    }

private:
    CDaoRecordset& m_rs;
    CDaoDatabase& m_db;
    BOOL m_bExcel;
};

// "FD_OrgCode In (...) And FD_Time In (...)" over the data cells' codes:
// every find of the load or save looks inside these rows, so the dynaset
// holds only them and not the whole table.
CString ReportKeyFilter(CCellArray& cells)
{
    std::set<std::string> orgs, periods;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        const CCell& cell = cells.ElementAt(i);
        if (cell.m_nType != CELL_NUMERIC)
            continue;
        orgs.insert((LPCSTR)CellOrgCode(cell));
        periods.insert((LPCSTR)CellPeriodCode(cell));
    }
    if (orgs.empty())
        return "1=0";
    CString strOrgs, strPeriods;
    for (const std::string& code : orgs)
        strOrgs += (strOrgs.IsEmpty() ? "" : ",") + SqlQuote(code.c_str());
    for (const std::string& code : periods)
        strPeriods += (strPeriods.IsEmpty() ? "" : ",") + SqlQuote(code.c_str());
    return CString(RD_ORGCODE " In (") + strOrgs + ") And " RD_TIME " In (" + strPeriods + ")";
}

// The report query opened as a dynaset over the cells' rows; a worksheet
// source's also holds its free (NULL) rows, which are reused under any key.
std::unique_ptr<CDaoRecordset> OpenReportRows(CCellArray& cells, CDAODatabase& db, const CString& strTable)
{
    std::unique_ptr<CDaoRecordset> rs(new CDaoRecordset(db.m_pDaoDatabase));
    rs->m_strFilter = ReportKeyFilter(cells);
    if (IsExcelType(db.m_nType))
        rs->m_strFilter = "(" + rs->m_strFilter + ") Or " RD_VALUE " Is Null";
    rs->Open(dbOpenDynaset, BuildReportDataSql(strTable, db.m_nType));
    return rs;
}

// TRUE when the report table holds no row at all.
BOOL IsTableEmpty(CDAODatabase& db, const CString& strTable)
{
    CDaoRecordset probe(db.m_pDaoDatabase);
    CString strName;
    DaoTableNameOfType(strTable, db.m_nType, strName);
    probe.Open(dbOpenSnapshot, "Select * From [" + strName + "] Limit 1");
    BOOL bEmpty = probe.IsBOF() && probe.IsEOF();
    probe.Close();
    return bEmpty;
}

} // namespace

CString BuildReportDataSql(const CString& strTable, int nType)
{
    CString strName;
    if (!DaoTableNameOfType(strTable, nType, strName))
        strName = strTable;
    CString strSql;
    strSql.Format("Select * From [%s] Order By %s,%s,%s,%s,%s,%s", (LPCSTR)strName, RD_ORGCODE, RD_TIME, RD_ROWITEM,
                  RD_COLITEM, RD_LINE, RD_CURTYPE);
    return strSql;
}

int LoadDaoReportData(CCellArray& cells, CDAODatabase& db, const CString& strTable, CReportProgress& progress)
{
    try
    {
        if (IsTableEmpty(db, strTable))
            return 0;
        std::unique_ptr<CDaoRecordset> rs = OpenReportRows(cells, db, strTable);
        CDaoReportRows rows(*rs, *db.m_pDaoDatabase, IsExcelType(db.m_nType));
        // One read transaction: every find reads the same state of the
        // file, and the file is locked once rather than at every find.
        CDaoTransaction transaction(*db.m_pDaoDatabase, CDaoTransaction::readOnly);
        LoadReportCells(cells, rows, progress, TRUE);
        transaction.Commit();
        rs->Close();
        return 1;
    }
    catch (CDaoException* e)
    {
        ReportDaoException(e);
        e->Delete();
        return 0;
    }
}

int SaveDaoReportData(CCellArray& cells, CDAODatabase& db, const CString& strTable, CReportOverwritePrompt& prompt,
                      CReportProgress& progress)
{
    int nResult = 0;
    try
    {
        std::unique_ptr<CDaoRecordset> rs = OpenReportRows(cells, db, strTable);
        CDaoReportRows rows(*rs, *db.m_pDaoDatabase, IsExcelType(db.m_nType));
        // The questions come first, outside any transaction: nobody waits
        // for the database while a user thinks.  A file source's working
        // copy is this session's own, and nobody can wait for it: there one
        // read transaction locks the file once rather than at every find.
        CReportSavePlan plan;
        {
            std::unique_ptr<CDaoTransaction> reading;
            if (IsImportedType(db.m_nType))
                reading.reset(new CDaoTransaction(*db.m_pDaoDatabase, CDaoTransaction::readOnly));
            plan = PlanReportSave(cells, rows, prompt, progress);
            if (reading != nullptr)
                reading->Commit();
        }
        // Then one write transaction: a save that fails stores nothing, the
        // caller's step (the fill-in log) commits with the rows, and the
        // rows are written to the file once.
        CDaoTransaction transaction(*db.m_pDaoDatabase);
        rs->Requery();
        ApplyReportSave(cells, plan, rows);
        if (db.m_pSaveStep == NULL || db.m_pSaveStep->Run())
        {
            transaction.Commit();
            nResult = 1;
        }
        rs->Close();
    }
    catch (CDaoException* e)
    {
        // A new value's row that another user added meanwhile.
        if (e->m_pErrorInfo != NULL && e->m_pErrorInfo->m_strDescription.Find("UNIQUE constraint failed") >= 0)
            AfxMessageBox(kReportChangedMeanwhile, MB_OK);
        else
            ReportDaoException(e);
        e->Delete();
    }
    catch (CReportChangedMeanwhile&)
    {
        AfxMessageBox(kReportChangedMeanwhile, MB_OK);
    }
    catch (...)
    {
        if (IsImportedType(db.m_nType))
            db.m_bModified = TRUE;
        throw;
    }
    if (IsImportedType(db.m_nType))
        db.m_bModified = TRUE;
    return nResult;
}
