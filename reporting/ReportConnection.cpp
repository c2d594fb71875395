#include "reporting/ReportConnection.h"

#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "reporting/ScopedRecordset.h"

CReportConnection::CReportConnection()
    : m_pLoader(NULL), m_pDatabase(NULL), m_pOrganRecordset(NULL), m_pItemRecordset(NULL),
      m_pColItemRecordset(NULL), m_nDataSourceType(0), m_pReconnector(NULL)
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

BOOL CReportConnection::RestoreIfLost()
{
    if (m_pDatabase == NULL || !m_pDatabase->IsConnectionLost() || m_pReconnector == NULL)
        return FALSE;
    // The reconnection empties this object before it fills it again.
    CReportReconnector* pReconnector = m_pReconnector;
    if (pReconnector->Reconnect())
    {
        AfxMessageBox("The connection to the database was lost and has been made again.\nPlease try again.",
                      MB_OK | MB_ICONINFORMATION);
        return TRUE;
    }
    AfxMessageBox("The connection to the database was lost and cannot be made again now.\n"
                  "Connect with Data > Connect Database once the database can be reached.",
                  MB_OK | MB_ICONWARNING);
    return FALSE;
}

CReportConnection& GetReportConnection()
{
    static CReportConnection s_connection;
    return s_connection;
}
