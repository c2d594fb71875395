#include "reporting/ReportConnection.h"

#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "reporting/ScopedRecordset.h"

CReportConnection::CReportConnection()
    : m_pLoader(NULL), m_pDatabase(NULL), m_pOrganRecordset(NULL), m_pItemRecordset(NULL),
      m_pColItemRecordset(NULL), m_nDataSourceType(0)
{
}

BOOL CReportConnection::IsDatabaseOpen() const
{
    return m_pDatabase != NULL && m_pDatabase->IsOpen();
}

BOOL CReportConnection::IsOrganRecordsetOpen() const
{
    return m_pOrganRecordset != NULL && m_pOrganRecordset->IsOpen();
}

BOOL CReportConnection::AreItemRecordsetsOpen() const
{
    return m_pItemRecordset != NULL && m_pItemRecordset->IsOpen() && m_pColItemRecordset != NULL &&
           m_pColItemRecordset->IsOpen();
}

int CReportConnection::RecordExists(const CString& strTable, const CString& strCondition) const
{
    if (strTable.IsEmpty() || strCondition.IsEmpty())
        return -1;
    CScopedRecordset rs(*this);
    if (rs.Get() == NULL)
        return -1;
    CString strSql;
    strSql.Format("Select * From %s Where %s", (LPCSTR)strTable, (LPCSTR)strCondition);
    try
    {
        rs->Open(strSql, TRUE);
        return rs->IsEOF() ? 0 : 1;
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
        return -1;
    }
}

CReportConnection& GetReportConnection()
{
    static CReportConnection s_connection;
    return s_connection;
}
