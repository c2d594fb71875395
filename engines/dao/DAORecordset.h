// The DAO engine's recordset: the engine interface over the framework's
// DAO recordset.  Filters and SQL get the DAO wildcards; DAO exceptions of
// the recordset operations reach the caller.
#pragma once

#include "engines/common/KemRecordset.h"
#include "framework/db/DaoRecordset.h"

class CDAODatabase;

class CDAORecordset : public CKemRecordset
{
    DECLARE_DYNAMIC(CDAORecordset)
public:
    explicit CDAORecordset(CDAODatabase* pDatabase);
    ~CDAORecordset() override;

    void Open(const char* lpszSQL, BOOL bReadOnly) override;
    void Close() override;
    void Requery() override;
    // The number of rows, wherever the current row is; -1 on a DAO error.
    long GetRecordCount() override;
    short GetFieldCount() override;
    BOOL IsOpen() const override;
    BOOL IsBOF() const override;
    BOOL IsEOF() const override;
    BOOL IsDeleted() const override;
    void MoveNext() override;
    void MovePrev() override;
    void MoveFirst() override;
    void MoveLast() override;
    void Move(long lRows) override;
    BOOL FindNext(const char* lpszCriteria) override;
    BOOL FindPrev(const char* lpszCriteria) override;
    BOOL FindFirst(const char* lpszCriteria) override;
    BOOL FindLast(const char* lpszCriteria) override;
    BOOL Find(long lFindType, const char* lpszCriteria) override;
    void AddNew() override;
    void Edit() override;
    // Update and Delete mark the database modified.
    void Update() override;
    void Delete() override;
    void CancelUpdate() override;
    COleVariant GetFieldValue(int nIndex) override;
    COleVariant GetFieldValue(const char* lpszName) override;
    void GetFieldValue(int nIndex, COleVariant& varValue) override;
    void GetFieldValue(const char* lpszName, COleVariant& varValue) override;
    void SetFieldValue(const char* lpszName, const char* lpszValue) override;
    void SetFieldValue(int nIndex, const char* lpszValue) override;
    void SetFieldValue(int nIndex, const COleVariant& varValue) override;
    void SetFieldValue(const char* lpszName, const COleVariant& varValue) override;
    void SetFieldValueNull(int nIndex) override;
    void SetFieldValueNull(const char* lpszName) override;

    // Opens with a DAO open type and options (dbReadOnly).
    virtual void Open(int nOpenType, const char* lpszSQL, int nOptions);

    // The name a table of the source has in SQL for a data-source type (-1:
    // the database's); "" after "Invalid data source." for a type above 23.
    CString GetTableName(CString strName, int nType);

    // Owned.
    CDaoRecordset* m_pDaoRecordset;
    int m_nType;

private:
    void CopyFilterAndSort();
    CDAODatabase* DaoDatabase() const;
};

// The table name the report query addresses in a source of the type: every
// source but Access is worked on in a temporary database that keeps the
// source's own table names, so the name stands as it is.  FALSE for a type
// the engine does not serve.
BOOL DaoTableNameOfType(const CString& strName, int nType, CString& strTable);
