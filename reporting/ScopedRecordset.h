// A recordset of the engine loader for the length of one query: closed and
// handed back to its library when the scope ends, whatever the way out.
#pragma once

#include "framework/core/Base.h"

class CEngineLoader;
class CKemDatabase;
class CKemRecordset;
class CReportConnection;

class CScopedRecordset
{
public:
    // NULL loader or database: no recordset.
    CScopedRecordset(CEngineLoader* pLoader, CKemDatabase* pDatabase);
    // A recordset on the connection's database; none while it is not open.
    explicit CScopedRecordset(const CReportConnection& connection);
    ~CScopedRecordset();

    CScopedRecordset(const CScopedRecordset&) = delete;
    CScopedRecordset& operator=(const CScopedRecordset&) = delete;

    // NULL when the loader had none to give.
    CKemRecordset* Get() const { return m_pRecordset; }
    CKemRecordset* operator->() const { return m_pRecordset; }

private:
    CEngineLoader* m_pLoader;
    CKemRecordset* m_pRecordset;
};
