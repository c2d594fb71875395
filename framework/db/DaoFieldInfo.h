// Field descriptions of DAO recordsets and table definitions, and the DAO
// field types that SQLite's declared column types stand for.
#pragma once

#include "framework/core/String.h"

// DAO field types.
enum
{
    dbBoolean = 1,
    dbByte = 2,
    dbInteger = 3,
    dbLong = 4,
    dbCurrency = 5,
    dbSingle = 6,
    dbDouble = 7,
    dbDate = 8,
    dbText = 10,
    dbLongBinary = 11,
    dbMemo = 12,
};

// GetFieldInfo's detail level; every level gives the same fields here.
enum { AFX_DAO_PRIMARY_INFO = 1, AFX_DAO_SECONDARY_INFO = 2, AFX_DAO_ALL_INFO = 3 };

struct CDaoFieldInfo
{
    CString m_strName;
    short m_nType;
    LONG m_lSize;
    LONG m_lAttributes;
    short m_nOrdinalPosition;
    BOOL m_bRequired;
    CString m_strSourceTable;
    CString m_strSourceField;
    CString m_strDefaultValue;
};

// The DAO type and size of a declared SQLite column type ("VARCHAR(8)" is
// dbText of 8, "INTEGER" dbLong of 4); no declared type gives dbText, 255.
short DaoFieldTypeOfDecl(LPCSTR lpszDeclType, LONG* plSize);

// The declared SQLite column type that stands for a DAO field type;
// DaoFieldTypeOfDecl reads it back as the same type and size.
CString DaoDeclOfFieldType(short nType, LONG lSize);
