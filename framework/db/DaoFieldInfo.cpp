#include "framework/db/DaoFieldInfo.h"

#include <stdlib.h>

namespace
{

BOOL Has(const CString& upper, LPCSTR lpszWord)
{
    return upper.Find(lpszWord) >= 0;
}

// The first number in parentheses, 0 when there is none.
LONG SizeInParens(const CString& decl)
{
    int nOpen = decl.Find('(');
    return nOpen >= 0 ? atol((LPCSTR)decl + nOpen + 1) : 0;
}

} // namespace

short DaoFieldTypeOfDecl(LPCSTR lpszDeclType, LONG* plSize)
{
    CString upper(lpszDeclType);
    upper.MakeUpper();
    short nType = dbText;
    LONG lSize = 0;
    if (Has(upper, "TINYINT") || Has(upper, "BYTE"))
        nType = dbByte, lSize = 1;
    else if (Has(upper, "SMALLINT") || Has(upper, "SHORT"))
        nType = dbInteger, lSize = 2;
    else if (Has(upper, "INT") || Has(upper, "COUNTER")
             || (Has(upper, "LONG") && !Has(upper, "LONGTEXT") && !Has(upper, "LONGBINARY")))
        nType = dbLong, lSize = 4;
    else if (Has(upper, "BIT") || Has(upper, "BOOL") || Has(upper, "YESNO"))
        nType = dbBoolean, lSize = 1;
    else if (Has(upper, "MONEY") || Has(upper, "CURRENCY"))
        nType = dbCurrency, lSize = 8;
    else if (Has(upper, "DATE") || Has(upper, "TIME"))
        nType = dbDate, lSize = 8;
    else if (Has(upper, "SINGLE") || Has(upper, "FLOAT4"))
        nType = dbSingle, lSize = 4;
    else if (Has(upper, "REAL") || Has(upper, "FLOA") || Has(upper, "DOUB") || Has(upper, "NUMERIC")
             || Has(upper, "DECIMAL"))
        nType = dbDouble, lSize = 8;
    else if (Has(upper, "BLOB") || Has(upper, "BINARY") || Has(upper, "IMAGE"))
        nType = dbLongBinary, lSize = 0;
    else if (Has(upper, "MEMO") || Has(upper, "LONGTEXT") || Has(upper, "CLOB"))
        nType = dbMemo, lSize = 0;
    else
    {
        nType = dbText;
        lSize = SizeInParens(upper);
        if (lSize <= 0)
            lSize = 255;
    }
    if (plSize != NULL)
        *plSize = lSize;
    return nType;
}

CString DaoDeclOfFieldType(short nType, LONG lSize)
{
    switch (nType)
    {
    case dbBoolean:
        return "BIT";
    case dbByte:
        return "TINYINT";
    case dbInteger:
        return "SMALLINT";
    case dbLong:
        return "INTEGER";
    case dbCurrency:
        return "CURRENCY";
    case dbSingle:
        return "SINGLE";
    case dbDouble:
        return "DOUBLE";
    case dbDate:
        return "DATETIME";
    case dbLongBinary:
        return "LONGBINARY";
    case dbMemo:
        return "MEMO";
    default:
    {
        CString decl;
        decl.Format("VARCHAR(%ld)", (long)(lSize > 0 ? lSize : 255));
        return decl;
    }
    }
}
