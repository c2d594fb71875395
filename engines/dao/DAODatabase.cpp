#include "engines/dao/DAODatabase.h"

#include "engines/common/DataSourceType.h"
#include "engines/dao/DaoErrorReport.h"
#include "framework/core/MessageSink.h"

#include <sqlite3.h>

IMPLEMENT_DYNAMIC(CDAODatabase, CKemDatabase)

CDAODatabase::CDAODatabase() : m_pDaoDatabase(new CDaoDatabase), m_bModified(FALSE)
{
}

CDAODatabase::~CDAODatabase()
{
    if (m_pDaoDatabase->IsOpen())
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->ReportError();
            e->Delete();
        }
    }
    delete m_pDaoDatabase;
}

void CDAODatabase::Open(const char* lpszName, BOOL, BOOL, const char* lpszConnect)
{
    m_strDatabase = lpszName;
    m_strConnect = lpszConnect;
    if (IsImportedType(m_nType))
    {
        if (!ImportDatabase())
            AfxMessageBox("Failed to import.");
        return;
    }
    try
    {
        m_pDaoDatabase->Open("", FALSE, FALSE, m_strConnect);
    }
    catch (CDaoException* e)
    {
        ReportDaoException(e);
        e->Delete();
    }
}

BOOL CDAODatabase::IsOpen() const
{
    return m_pDaoDatabase->IsOpen();
}

void CDAODatabase::Close()
{
    if (IsImportedType(m_nType) && !m_strTempPath.IsEmpty())
    {
        CloseImported();
        return;
    }
    try
    {
        m_pDaoDatabase->Close();
    }
    catch (CDaoException* e)
    {
        ReportDaoException(e);
        e->Delete();
    }
    m_bModified = FALSE;
}

void CDAODatabase::CloseImported()
{
    // Changes are written back as they are committed; what is left here
    // failed before (and was reported) or was never committed.
    BOOL bWritten = WriteBackChanges();
    try
    {
        if (m_pDaoDatabase->IsOpen())
            m_pDaoDatabase->Close();
    }
    catch (CDaoException* e)
    {
        ReportDaoException(e);
        e->Delete();
    }
    // A copy whose changes did not reach the source is all that holds them.
    if (bWritten)
    {
        DeleteFileA(m_strTempPath);
        DeleteFileA(m_strTempPath + "-journal");
    }
    m_bModified = FALSE;
    m_strTempPath.Empty();
    // Last: until the copy is dealt with, no other session may take it.
    m_sourceLock.Release();
}

BOOL CDAODatabase::BeginTrans()
{
    m_pDaoDatabase->BeginTrans();
    return TRUE;
}

void CDAODatabase::CommitTrans()
{
    m_pDaoDatabase->CommitTrans();
    WriteBackChanges();
}

void CDAODatabase::Rollback()
{
    m_pDaoDatabase->Rollback();
}
