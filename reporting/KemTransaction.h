// One transaction on an engine database for the length of a scope: begun
// by the constructor, rolled back at the end of the scope unless Commit
// ran.  Both ends throw the engine's database exceptions.
#pragma once

#include "framework/core/Base.h"

class CKemDatabase;

class CKemTransaction
{
public:
    explicit CKemTransaction(CKemDatabase* pDatabase);
    ~CKemTransaction();

    CKemTransaction(const CKemTransaction&) = delete;
    CKemTransaction& operator=(const CKemTransaction&) = delete;

    // FALSE when the engine could not begin one: the work must not start.
    BOOL IsActive() const { return m_bActive; }
    void Commit();

private:
    CKemDatabase* m_pDatabase;
    BOOL m_bActive;
};
