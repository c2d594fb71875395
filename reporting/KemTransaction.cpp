#include "reporting/KemTransaction.h"

#include "engines/common/KemDatabase.h"
#include "framework/core/Exception.h"

CKemTransaction::CKemTransaction(CKemDatabase* pDatabase)
    : m_pDatabase(pDatabase), m_bActive(pDatabase != NULL && pDatabase->BeginTrans())
{
}

CKemTransaction::~CKemTransaction()
{
    if (!m_bActive)
        return;
    try
    {
        m_pDatabase->Rollback();
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

void CKemTransaction::Commit()
{
    if (!m_bActive)
        return;
    // A commit that fails leaves the transaction to the rollback.
    m_pDatabase->CommitTrans();
    m_bActive = FALSE;
}
