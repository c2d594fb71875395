// A table definition of a DAO database: the fields of one SQLite table.
#pragma once

#include "framework/db/DaoDatabase.h"
#include "framework/db/DaoFieldInfo.h"

class CDaoTableDef : public CObject
{
    DECLARE_DYNAMIC(CDaoTableDef)
public:
    explicit CDaoTableDef(CDaoDatabase* pDatabase);
    ~CDaoTableDef() override;

    // Reads the table's fields; an unknown table throws CDaoException 3265.
    virtual void Open(LPCSTR lpszName);
    virtual void Close();
    BOOL IsOpen() const { return m_bOpen; }

    CString GetName() const { return m_strName; }
    LONG GetAttributes() const { return 0; }
    // Tables are local: no source table, no connect string.
    CString GetSourceTableName() const { return CString(); }
    CString GetConnect() const { return CString(); }

    short GetFieldCount() const;
    void GetFieldInfo(int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);
    void GetFieldInfo(LPCSTR lpszName, CDaoFieldInfo& info, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);

    // A new table: name it, add fields, then Append creates it.  Attributes,
    // source table and connect string of attached tables are not supported.
    virtual void Create(LPCSTR lpszName, LONG lAttributes = 0, LPCSTR lpszSrcTable = NULL,
                        LPCSTR lpszConnect = NULL);
    void CreateField(LPCSTR lpszName, short nType, LONG lSize, LONG lAttributes = 0);
    // Creates the table in the database; it is then open.
    virtual void Append();

    CDaoDatabase* m_pDatabase;

private:
    void CheckOpen() const;

    BOOL m_bCreating;

    BOOL m_bOpen;
    CString m_strName;
    CArray<CDaoFieldInfo, const CDaoFieldInfo&> m_fields;
};
