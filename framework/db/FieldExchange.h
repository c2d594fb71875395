// Record field exchange: a recordset's DoFieldExchange calls one RFX_
// routine per bound column and parameter, in order; the exchange object says
// which way the values go.  Output columns are bound by position: the n-th
// RFX_ call of the output columns is the n-th column of the result.
#pragma once

#include "framework/core/Array.h"
#include "framework/db/DBValue.h"

class CRecordset;

class CFieldExchange
{
public:
    enum RFX_Operation
    {
        Name,           // collects the output columns' names
        BindParam,      // binds the parameter values to the statement
        Fetch,          // current row into the fields
        StoreField,     // fields into the outgoing row
        SetFieldNull,   // marks the field at m_pvTarget (NULL: every field)
        IsFieldNull,    // asks about the field at m_pvTarget
    };
    enum FieldType
    {
        noFieldType = -1,
        outputColumn = 0,
        param = 1,
    };

    CFieldExchange(UINT nOperation, CRecordset* prs);

    void SetFieldType(UINT nFieldType) { m_nFieldType = nFieldType; }

    // Called by each RFX_ routine: TRUE when the routine should act on its
    // field for this operation.  nIndex receives the field's position.
    BOOL Next(void* pv, int& nIndex);

    // The value the current row holds for output field nIndex.
    const CDBValue& FetchedValue(int nIndex) const;
    // Hands over the field's value for StoreField, or binds it for BindParam.
    void Put(int nIndex, const CDBValue& value, SQLSMALLINT nSqlType);
    // Fetch of a value that is not NULL: the field is not NULL.
    void MarkNotNull(int nIndex);
    // Records the column name for Name.
    void PutName(LPCSTR lpszName) { m_names.Add(lpszName); }

    UINT m_nOperation;
    UINT m_nFieldType;
    CRecordset* m_prs;
    // Fetch: the row (NULL leaves every field NULL).
    const CDBRow* m_pRow;
    // SetFieldNull / IsFieldNull.
    void* m_pvTarget;
    BOOL m_bNull;
    BOOL m_bFound;
    // Results.
    CStringArray m_names;
    CDBRow m_values;
    std::vector<SQLSMALLINT> m_types;

private:
    // Makes room for field nIndex's null state.
    void GrowFields(int nIndex);

    int m_nField;
    int m_nParam;
};

// The routines.  nMaxLength is kept for the callers' sake: texts and byte
// arrays are read whole, never cut.
void RFX_Text(CFieldExchange* pFX, LPCSTR szName, CString& value, int nMaxLength = 255,
              int nColumnType = SQL_VARCHAR, short nScale = 0);
void RFX_Bool(CFieldExchange* pFX, LPCSTR szName, BOOL& value);
void RFX_Int(CFieldExchange* pFX, LPCSTR szName, int& value);
void RFX_Long(CFieldExchange* pFX, LPCSTR szName, LONG& value);
void RFX_Single(CFieldExchange* pFX, LPCSTR szName, float& value);
void RFX_Double(CFieldExchange* pFX, LPCSTR szName, double& value);
void RFX_Date(CFieldExchange* pFX, LPCSTR szName, TIMESTAMP_STRUCT& value);
void RFX_Byte(CFieldExchange* pFX, LPCSTR szName, BYTE& value);
void RFX_Binary(CFieldExchange* pFX, LPCSTR szName, CByteArray& value, int nMaxLength = 255);
// A field that takes the column's value as the driver gives it, for
// recordsets that bind columns of any type at run time.
void RFX_Value(CFieldExchange* pFX, LPCSTR szName, CDBValue& value);
