// The abstract recordset of the engine libraries.  Callers reach the
// operations by their position in the virtual table, so their order (and
// the order of the overloads) is part of the contract between modules.
#pragma once

#include "framework/core/Object.h"
#include "framework/core/OleVariant.h"
#include "framework/core/String.h"

class CKemDatabase;

class CKemRecordset : public CObject
{
    DECLARE_DYNAMIC(CKemRecordset)
public:
    explicit CKemRecordset(CKemDatabase* pDatabase = NULL);
    ~CKemRecordset() override;

    virtual void Open(const char* lpszSQL, BOOL bReadOnly);
    virtual void Close();
    virtual void Requery();
    virtual long GetRecordCount();
    virtual short GetFieldCount();
    virtual BOOL IsOpen() const;
    virtual BOOL IsBOF() const;
    virtual BOOL IsEOF() const;
    virtual BOOL IsDeleted() const;
    virtual void MoveNext();
    virtual void MovePrev();
    virtual void MoveFirst();
    virtual void MoveLast();
    virtual void Move(long lRows);
    virtual BOOL FindNext(const char* lpszCriteria);
    virtual BOOL FindPrev(const char* lpszCriteria);
    virtual BOOL FindFirst(const char* lpszCriteria);
    virtual BOOL FindLast(const char* lpszCriteria);
    virtual BOOL Find(long lFindType, const char* lpszCriteria);
    virtual void AddNew();
    virtual void Edit();
    virtual void Update();
    virtual void Delete();
    virtual void CancelUpdate();
    virtual COleVariant GetFieldValue(int nIndex);
    virtual COleVariant GetFieldValue(const char* lpszName);
    virtual void GetFieldValue(int nIndex, COleVariant& varValue);
    virtual void GetFieldValue(const char* lpszName, COleVariant& varValue);
    virtual void SetFieldValue(const char* lpszName, const char* lpszValue);
    virtual void SetFieldValue(int nIndex, const char* lpszValue);
    virtual void SetFieldValue(int nIndex, const COleVariant& varValue);
    virtual void SetFieldValue(const char* lpszName, const COleVariant& varValue);
    virtual void SetFieldValueNull(int nIndex);
    virtual void SetFieldValueNull(const char* lpszName);

    // Not owned.
    CKemDatabase* m_pDatabase;
    // A WHERE condition and an ORDER BY list without their keywords; copied
    // into the engine's recordset at every Open and Requery.
    CString m_strFilter;
    CString m_strSort;
};
