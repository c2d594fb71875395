// The ODBC engine's recordset: the engine interface over a recordset bound
// at run time.  The framework's database exceptions reach the caller.
#pragma once

#include "engines/common/KemRecordset.h"
#include "engines/odbc/DynaBindRecordset.h"

class CODBCDatabase;

class CODBCRecordset : public CKemRecordset
{
public:
    explicit CODBCRecordset(CODBCDatabase* pDatabase);
    ~CODBCRecordset() override;

    void Open(const char* lpszSQL, BOOL bReadOnly) override;
    void Close() override;
    void Requery() override;
    // The rows reached so far; 0 for an empty result.
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
    void Update() override;
    void Delete() override;
    void CancelUpdate() override;
    // An unknown name or an index outside the columns throws CDBException
    // with AFX_SQL_ERROR_FIELD_NOT_FOUND; with no columns the value is empty.
    COleVariant GetFieldValue(int nIndex) override;
    COleVariant GetFieldValue(const char* lpszName) override;
    void GetFieldValue(int nIndex, COleVariant& varValue) override;
    void GetFieldValue(const char* lpszName, COleVariant& varValue) override;
    // Text only for text columns: any other shows "Field type is not
    // matching." and stores nothing.
    void SetFieldValue(const char* lpszName, const char* lpszValue) override;
    void SetFieldValue(int nIndex, const char* lpszValue) override;
    void SetFieldValue(int nIndex, const COleVariant& varValue) override;
    void SetFieldValue(const char* lpszName, const COleVariant& varValue) override;
    void SetFieldValueNull(int nIndex) override;
    void SetFieldValueNull(const char* lpszName) override;

    // Owned.
    CDynaBindRecordset* m_pDynaRecordset;

private:
    void CopyFilterAndSort();
    // The holder of the column; NULL when the result has no columns.
    CDynaBindHolder* HolderAt(int nIndex);
    CDynaBindHolder* HolderNamed(const char* lpszName);
    void SetText(CDynaBindHolder* pHolder, const char* lpszValue);
};
