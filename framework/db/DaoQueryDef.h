// A query definition of a DAO database: a named SELECT, kept as a SQLite
// view, so a recordset opens it by name like a table.
#pragma once

#include "framework/db/DaoDatabase.h"

struct CDaoQueryDefInfo
{
    CString m_strName;
    short m_nType;     // always dbQSelect
    CString m_strSQL;
};

enum { dbQSelect = 0 };

class CDaoQueryDef : public CObject
{
    DECLARE_DYNAMIC(CDaoQueryDef)
public:
    explicit CDaoQueryDef(CDaoDatabase* pDatabase);
    ~CDaoQueryDef() override;

    // A new definition; Append stores it (LIKE patterns in DAO's dialect
    // are turned into SQLite's when the view is made).
    virtual void Create(LPCSTR lpszName, LPCSTR lpszSQL);
    virtual void Append();
    // Reads a stored definition; an unknown name throws CDaoException 3265.
    virtual void Open(LPCSTR lpszName);
    virtual void Close();
    BOOL IsOpen() const { return m_bOpen; }

    CString GetName() const { return m_strName; }
    CString GetSQL() const { return m_strSQL; }
    void SetSQL(LPCSTR lpszSQL) { m_strSQL = lpszSQL; }

    CDaoDatabase* m_pDatabase;

private:
    BOOL m_bOpen;
    BOOL m_bCreating;
    CString m_strName;
    CString m_strSQL;
};

// The SELECT of a stored CREATE VIEW statement.
CString DaoViewSelect(LPCSTR lpszCreateView);
