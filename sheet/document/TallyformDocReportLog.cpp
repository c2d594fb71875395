// The fill-in log ss_reportlog: one row per run of consecutive periods that
// an organization has filled in for a template and report type.
#include "sheet/document/TallyformDoc.h"

#include "engines/common/DataSourceType.h"
#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/db/SqlQuote.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/KeyCells.h"

namespace
{

CString Quoted(LPCSTR pszText)
{
    return SqlQuote(pszText);
}

void ReportFailure(CException* e)
{
    e->ReportError();
    e->Delete();
}

// Sets one end of the current row.
void SetRunEnd(CKemRecordset* pRecordset, LPCSTR pszColumn, const CString& strPeriod)
{
    pRecordset->Edit();
    pRecordset->SetFieldValue(pszColumn, (LPCSTR)strPeriod);
    pRecordset->Update();
}

} // namespace

CString CTallyformDoc::ReportLogQuery(LPCSTR pszColumns, LPCSTR pszOrgCode, LPCSTR pszCondition) const
{
    CString strSql;
    strSql.Format("Select %s From ss_reportlog Where FD_TemplateCode=%s And FD_OrgCode=%s And FD_ReportType=%d",
                  pszColumns, (LPCSTR)Quoted(m_sheet.m_szCode), (LPCSTR)Quoted(pszOrgCode),
                  (int)m_sheet.m_nReportType);
    if (pszCondition != NULL && pszCondition[0] != '\0')
        strSql += CString(" And ") + pszCondition;
    return strSql;
}

// 1 when the query yields a row, 0 when none, -1 without a database or
// recordset or when it fails (reported).
static int QueryHasRow(CReportConnection& connection, const CString& strSql)
{
    CScopedRecordset rs(connection);
    if (rs.Get() == NULL)
        return -1;
    try
    {
        rs->Open(strSql, TRUE);
        return rs->IsEOF() ? 0 : 1;
    }
    catch (CException* e)
    {
        ReportFailure(e);
        return -1;
    }
}

// The condition of a run that covers the range.
static CString CoveringCondition(LPCSTR pszStart, LPCSTR pszEnd)
{
    return "FD_StartDate<=" + Quoted(pszStart) + " And FD_EndDate>=" + Quoted(pszEnd);
}

int CTallyformDoc::IsReportLogged(LPCSTR pszOrgCode, LPCSTR pszPeriodCode)
{
    return QueryHasRow(GetConnection(),
                       ReportLogQuery("*", pszOrgCode, CoveringCondition(pszPeriodCode, pszPeriodCode)));
}

int CTallyformDoc::CheckReportLogRange(LPCSTR pszOrgCode, LPCSTR pszStartCode, LPCSTR pszEndCode)
{
    int nWhole = QueryHasRow(GetConnection(),
                             ReportLogQuery("*", pszOrgCode, CoveringCondition(pszStartCode, pszEndCode)));
    if (nWhole == 1)
        return 1;
    int a = IsReportLogged(pszOrgCode, pszStartCode);
    int b = IsReportLogged(pszOrgCode, pszEndCode);
    if (a == -1 || b == -1)
        return -1;
    return a == 1 || b == 1 ? 2 : 0;
}

CString CTallyformDoc::GetFirstReportLogStart()
{
    CScopedRecordset rs(GetConnection());
    if (rs.Get() == NULL)
        return CString();
    CString strResult = CReportPeriod::GetCurrentCode((int)m_sheet.m_nReportType);
    CString strSql;
    strSql.Format("Select FD_StartDate From ss_reportlog Where FD_TemplateCode=%s And FD_ReportType=%d",
                  (LPCSTR)Quoted(m_sheet.m_szCode), (int)m_sheet.m_nReportType);
    try
    {
        rs->Open(strSql, TRUE);
        if (rs->IsEOF())
            return CString();
        for (; !rs->IsEOF(); rs->MoveNext())
        {
            CString strStart = RecordsetFieldText(rs.Get(), "FD_StartDate");
            if (strStart.Compare(strResult) < 0)
                strResult = strStart;
        }
    }
    catch (CException* e)
    {
        ReportFailure(e);
        return CString();
    }
    return strResult;
}

BOOL CTallyformDoc::GetFilledInKeys(CString& strOrgCode, CString& strPeriod)
{
    const CSheet& sheet = m_sheet;
    CKeyCells keys(sheet);
    CString strName;
    if (keys.m_codes.GetSize() > 0)
    {
        UINT nCode = keys.m_codes[0];
        strOrgCode = sheet.m_cells[nCode].m_strValue;
        for (INT_PTR i = keys.m_names.GetSize() - 1; i >= 0; --i)
        {
            if (keys.m_names[i] < nCode)
            {
                strName = sheet.m_cells[keys.m_names[i]].m_strValue;
                break;
            }
        }
    }
    else if (keys.m_names.GetSize() > 0)
    {
        strName = sheet.m_cells[keys.m_names[keys.m_names.GetSize() - 1]].m_strValue;
    }
    if (strOrgCode.IsEmpty() && !strName.IsEmpty())
        strOrgCode = SelectSingleValue("ss_Organ", "FD_Code", "FD_Name=" + Quoted(strName));
    if (keys.m_dates.GetSize() > 0)
        strPeriod = sheet.m_cells[keys.m_dates[0]].m_szDateCode;
    return sheet.m_szCode[0] != '\0' && !strOrgCode.IsEmpty() && !strPeriod.IsEmpty();
}

int CTallyformDoc::RecordReportLog()
{
    CReportConnection& connection = GetConnection();
    if (!connection.IsDatabaseOpen())
        return 0;
    if (connection.m_pDatabase->m_nType == DSTYPE_FOXPRO60)
        return SaveReportLog();
    CString strOrgCode, strPeriod;
    if (!GetFilledInKeys(strOrgCode, strPeriod))
        return 0;
    return MergeReportLog(strOrgCode, strPeriod, FALSE);
}

int CTallyformDoc::SaveReportLog()
{
    if (!GetConnection().IsDatabaseOpen())
        return 0;
    CString strOrgCode, strPeriod;
    if (!GetFilledInKeys(strOrgCode, strPeriod))
        return 0;
    return MergeReportLog(strOrgCode, strPeriod, TRUE);
}

// Gives the earlier run of a join that could not be finished its old end
// again, so the log is as it was before the join.
static void UndoRunJoin(CKemRecordset* pA, BOOL bOneRecordset, const CString& strAStart,
                        const CString& strPrev)
{
    try
    {
        if (bOneRecordset && !pA->FindFirst("FD_StartDate=" + Quoted(strAStart)))
            return;
        SetRunEnd(pA, "FD_EndDate", strPrev);
    }
    catch (CException* e)
    {
        ReportFailure(e);
    }
}

int CTallyformDoc::MergeReportLog(const CString& strOrgCode, const CString& strPeriod, BOOL bOneRecordset)
{
    CReportConnection& connection = GetConnection();
    int nCovered = QueryHasRow(connection, ReportLogQuery("FD_StartDate,FD_EndDate", strOrgCode,
                                                          CoveringCondition(strPeriod, strPeriod)));
    if (nCovered != 0)
        return nCovered == 1 ? 1 : 0;

    int nType = (int)m_sheet.m_nReportType;
    CString strPrev = CReportPeriod(strPeriod, nType).Previous(1).GetCode();
    CString strNext = CReportPeriod(strPeriod, nType).Next(1).GetCode();
    CString strBefore = "FD_EndDate=" + Quoted(strPrev);
    CString strAfter = "FD_StartDate=" + Quoted(strNext);

    CScopedRecordset rsA(connection.m_pLoader, connection.m_pDatabase);
    CScopedRecordset rsB(connection.m_pLoader, bOneRecordset ? NULL : connection.m_pDatabase);
    if (rsA.Get() == NULL || (!bOneRecordset && rsB.Get() == NULL))
        return 0;
    // With one recordset the neighbouring runs are found in it by criteria;
    // with two each holds only its run.
    CKemRecordset* pA = rsA.Get();
    CKemRecordset* pB = bOneRecordset ? rsA.Get() : rsB.Get();
    BOOL bJoined = FALSE;
    CString strAStart;
    try
    {
        BOOL bHasA, bHasB;
        if (bOneRecordset)
        {
            pA->Open(ReportLogQuery("*", strOrgCode, NULL), FALSE);
            bHasA = pA->FindFirst(strBefore);
            if (bHasA)
                strAStart = RecordsetFieldText(pA, "FD_StartDate");
            bHasB = pB->FindFirst(strAfter);
        }
        else
        {
            pA->Open(ReportLogQuery("*", strOrgCode, strBefore), FALSE);
            pB->Open(ReportLogQuery("*", strOrgCode, strAfter), FALSE);
            bHasA = !pA->IsEOF();
            bHasB = !pB->IsEOF();
        }

        if (!bHasA && !bHasB)
        {
            pA->AddNew();
            pA->SetFieldValue("FD_TemplateCode", m_sheet.m_szCode);
            pA->SetFieldValue("FD_OrgCode", (LPCSTR)strOrgCode);
            pA->SetFieldValue("FD_ReportType", COleVariant((long)nType));
            pA->SetFieldValue("FD_StartDate", (LPCSTR)strPeriod);
            pA->SetFieldValue("FD_EndDate", (LPCSTR)strPeriod);
            pA->Update();
        }
        else if (!bHasA)
        {
            SetRunEnd(pB, "FD_StartDate", strPeriod);
        }
        else if (!bHasB)
        {
            if (bOneRecordset)
                pA->FindFirst(strBefore);
            SetRunEnd(pA, "FD_EndDate", strPeriod);
        }
        else
        {
            // The earlier run takes over the later one's end before the
            // later one goes, so a failure in between loses no period.
            CString strBEnd = RecordsetFieldText(pB, "FD_EndDate");
            if (bOneRecordset)
                pA->FindFirst(strBefore);
            SetRunEnd(pA, "FD_EndDate", strBEnd);
            bJoined = TRUE;
            if (bOneRecordset)
                pB->FindFirst(strAfter);
            pB->Delete();
            bJoined = FALSE;
        }
    }
    catch (CException* e)
    {
        ReportFailure(e);
        if (bJoined)
            UndoRunJoin(pA, bOneRecordset, strAStart, strPrev);
        return 0;
    }
    return 1;
}
