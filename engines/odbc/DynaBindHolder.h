// A result column of a recordset bound at run time: its kind, chosen by the
// column's SQL type, its name and its value, with the conversions between
// the value and the variants the engine interface deals in.
#pragma once

#include "framework/core/OleVariant.h"
#include "framework/db/DBValue.h"

enum
{
    HOLDER_TEXT = 0,
    HOLDER_BOOL = 1,
    HOLDER_INT = 2,
    HOLDER_LONG = 3,
    HOLDER_SINGLE = 4,
    HOLDER_DOUBLE = 5,
    HOLDER_TIMESTAMP = 7,
    HOLDER_BYTE = 9,
    HOLDER_BYTES = 10,
};

// The holder kind of a column.  Wide character and GUID columns, and types
// with no kind of their own, are held as text; the ODBC 3 date, time and
// timestamp types like their ODBC 2 forms.
int DynaHolderKindOfSqlType(SQLSMALLINT nSqlType);

struct CDynaBindHolder
{
    CDynaBindHolder() : m_nKind(HOLDER_TEXT), m_nStamp(0) {}

    int m_nKind;
    CString m_strName;
    CDBValue m_value;
    // The recordset's demand stamp of the row m_value was read from.
    UINT m_nStamp;

    // The value as a variant: text in the ANSI form, timestamps as dates,
    // NULL as VT_NULL.
    COleVariant ToVariant() const;
    // The same into var, whose text buffer is reused when it fits.
    void ToVariant(COleVariant& var) const;
    // Stores the variant changed to the holder's type; a conversion that
    // fails throws COleException and stores nothing.
    void FromVariant(const VARIANT& var);

private:
    COleVariant Variant() const;
};
