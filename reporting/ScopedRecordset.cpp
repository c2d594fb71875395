#include "reporting/ScopedRecordset.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "reporting/EngineLoader.h"
#include "reporting/ReportConnection.h"

CScopedRecordset::CScopedRecordset(CEngineLoader* pLoader, CKemDatabase* pDatabase)
    : m_pLoader(pLoader), m_pRecordset(NULL)
{
    if (pLoader != NULL && pDatabase != NULL)
        m_pRecordset = pLoader->GetRecordset(pDatabase);
}

CScopedRecordset::CScopedRecordset(const CReportConnection& connection)
    : CScopedRecordset(connection.m_pLoader, connection.IsDatabaseOpen() ? connection.m_pDatabase : NULL)
{
}

CScopedRecordset::~CScopedRecordset()
{
    if (m_pRecordset == NULL)
        return;
    try
    {
        if (m_pRecordset->IsOpen())
            m_pRecordset->Close();
    }
    catch (CException* e)
    {
        // The query's own failure was told already; a failing close on
        // the way out adds nothing the user can act on.
        e->Delete();
    }
    m_pLoader->ReleaseRecordset(m_pRecordset);
}
