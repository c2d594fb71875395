// The abstract database of the engine libraries.  The programs hold only
// CKemDatabase pointers handed out by an engine library; the order of the
// fields and virtual operations is shared by every module that includes
// this header and must not change.
#pragma once

#include "framework/core/Object.h"
#include "framework/core/String.h"

// Work a caller adds to a report data save (SaveKemReportData): it runs
// inside the save's write transaction, after the data rows and before the
// commit, on the same database.
class CKemSaveStep
{
public:
    virtual ~CKemSaveStep() {}
    // FALSE, or a database exception, rolls the whole save back; the step
    // tells the user why.
    virtual BOOL Run() = 0;
};

class CKemDatabase : public CObject
{
    DECLARE_DYNAMIC(CKemDatabase)
public:
    CKemDatabase();
    ~CKemDatabase() override;

    // The engine's open; the default does nothing.
    virtual void Open(const char* lpszName, BOOL bExclusive, BOOL bReadOnly, const char* lpszConnect);
    // Opens m_strDatabase with the connect string of the type and the four
    // strings the caller wrote.
    virtual void Reopen(BOOL bReadOnly);
    virtual void Close();
    virtual BOOL IsOpen() const;
    // One transaction over the database's recordsets: FALSE from BeginTrans
    // when the engine has none (the default); the others throw the
    // engine's database exception on failure.
    virtual BOOL BeginTrans();
    virtual void CommitTrans();
    virtual void Rollback();
    // TRUE once the connection to a database server is known to be lost
    // (the default: never).
    virtual BOOL IsConnectionLost() const;

    // The connect string of m_nType built from the four strings.
    CString GetConnectString() const;

    int m_nType;
    CString m_strServer;
    CString m_strDatabase;
    CString m_strUser;
    CString m_strPassword;
    // Set by the caller around a report data save; NULL when none.
    CKemSaveStep* m_pSaveStep;
};

// The path without its last component ("C:\\data" for "C:\\data\\a.mdb");
// "" when it has no folder part.
CString DatabaseFolder(const CString& strPath);
