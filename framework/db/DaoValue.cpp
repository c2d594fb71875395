#include "framework/db/DaoStatement.h"

#include "framework/core/WideText.h"
#include "framework/db/DBText.h"
#include "framework/db/DaoFieldInfo.h"
#include "framework/db/VariantBytes.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

void DaoBindValue(sqlite3_stmt* pStmt, int nParam, const CDaoRecordset::Value& value,
                  sqlite3_destructor_type pDestructor)
{
    switch (value.nType)
    {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(pStmt, nParam, value.nInteger);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(pStmt, nParam, value.dReal);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(pStmt, nParam, value.strBytes, value.strBytes.GetLength(), pDestructor);
        break;
    case SQLITE_BLOB:
        sqlite3_bind_blob(pStmt, nParam, (LPCSTR)value.strBytes, value.strBytes.GetLength(), pDestructor);
        break;
    default:
        sqlite3_bind_null(pStmt, nParam);
        break;
    }
}

CDaoRecordset::Value DaoNullValue()
{
    CDaoRecordset::Value value;
    value.nType = SQLITE_NULL;
    value.nInteger = 0;
    value.dReal = 0;
    return value;
}

CDaoRecordset::Value DaoIntegerValue(LONGLONG n)
{
    CDaoRecordset::Value value = DaoNullValue();
    value.nType = SQLITE_INTEGER;
    value.nInteger = n;
    return value;
}

CDaoRecordset::Value DaoRealValue(double d)
{
    CDaoRecordset::Value value = DaoNullValue();
    value.nType = SQLITE_FLOAT;
    value.dReal = d;
    return value;
}

CDaoRecordset::Value DaoTextValue(LPCSTR p, int nLength, int nType)
{
    CDaoRecordset::Value value = DaoNullValue();
    value.nType = nType;
    value.strBytes = CString(p, nLength);
    return value;
}

CDaoRecordset::Value DaoStoredTextValue(LPCSTR p, int nLength)
{
    CDaoRecordset::Value value = DaoNullValue();
    value.nType = SQLITE_TEXT;
    DBTextToDriver(p, nLength, value.strBytes);
    return value;
}

void DaoAssignRef(CDaoRecordset::Value& value, const CDaoValueRef& ref)
{
    value.nInteger = 0;
    value.dReal = 0;
    switch (ref.nType)
    {
    case SQLITE_INTEGER:
        value.nType = SQLITE_INTEGER;
        value.nInteger = ref.nInteger;
        break;
    case SQLITE_FLOAT:
        value.nType = SQLITE_FLOAT;
        value.dReal = ref.dReal;
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        value.nType = ref.nType;
        if (ref.nBytes > 0)
        {
            memcpy(value.strBytes.GetBufferSetLength(ref.nBytes), ref.pBytes, (size_t)ref.nBytes);
            value.strBytes.ReleaseBuffer(ref.nBytes);
            return;
        }
        break;
    default:
        value.nType = SQLITE_NULL;
        break;
    }
    value.strBytes.Empty();
}

CDaoRecordset::Value DaoValueOfRef(const CDaoValueRef& ref)
{
    CDaoRecordset::Value value = DaoNullValue();
    DaoAssignRef(value, ref);
    return value;
}

CDaoValueRef DaoRefOf(const CDaoRecordset::Value& value)
{
    CDaoValueRef ref = {value.nType, value.nInteger, value.dReal, value.strBytes, value.strBytes.GetLength()};
    return ref;
}

CDaoValueRef DaoColumnRef(sqlite3_stmt* pStmt, int nColumn)
{
    // One look-up of the column, then its value read directly: each
    // sqlite3_column_* call locks and checks the statement again, and
    // dynasets read every value of every row.  The connections are used by
    // one thread at a time, so the unprotected value is safe to read.
    sqlite3_value* pValue = sqlite3_column_value(pStmt, nColumn);
    CDaoValueRef ref = {sqlite3_value_type(pValue), 0, 0, "", 0};
    switch (ref.nType)
    {
    case SQLITE_INTEGER:
        ref.nInteger = sqlite3_value_int64(pValue);
        break;
    case SQLITE_FLOAT:
        ref.dReal = sqlite3_value_double(pValue);
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
    {
        LPCSTR p = ref.nType == SQLITE_TEXT ? (LPCSTR)sqlite3_value_text(pValue) : (LPCSTR)sqlite3_value_blob(pValue);
        ref.nBytes = sqlite3_value_bytes(pValue);
        if (p != NULL)
            ref.pBytes = p;
        else
            ref.nBytes = 0;
        break;
    }
    default:
        ref.nType = SQLITE_NULL;
        break;
    }
    return ref;
}

namespace
{

// The typed variant of a Yes/No, currency or date column's value; FALSE
// when the column or the value is of no such type.
BOOL TypedByColumn(const CDaoValueRef& value, short nFieldType, COleVariant& varValue)
{
    BOOL bNumber = value.nType == SQLITE_INTEGER || value.nType == SQLITE_FLOAT;
    double dNumber = value.nType == SQLITE_INTEGER ? (double)value.nInteger : value.dReal;
    if (nFieldType == dbBoolean && bNumber)
    {
        varValue.Clear();
        V_VT(&varValue) = VT_BOOL;
        V_BOOL(&varValue) = dNumber != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return TRUE;
    }
    if (nFieldType == dbCurrency && bNumber)
    {
        CURRENCY cy;
        cy.int64 = (LONGLONG)(dNumber * 10000.0 + (dNumber < 0 ? -0.5 : 0.5));
        varValue.Clear();
        V_VT(&varValue) = VT_CY;
        V_CY(&varValue) = cy;
        return TRUE;
    }
    if (nFieldType != dbDate || value.nType != SQLITE_TEXT)
        return FALSE;
    SYSTEMTIME st = {};
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int nFields = sscanf(value.pBytes, "%u-%u-%u %u:%u:%u", &year, &month, &day, &hour, &minute, &second);
    st.wYear = (WORD)year;
    st.wMonth = (WORD)month;
    st.wDay = (WORD)day;
    st.wHour = (WORD)hour;
    st.wMinute = (WORD)minute;
    st.wSecond = (WORD)second;
    DATE date;
    // Text that is no date stays text rather than failing the read.
    if ((nFields != 3 && nFields != 6) || !SystemTimeToVariantTime(&st, &date))
        return FALSE;
    varValue.Clear();
    V_VT(&varValue) = VT_DATE;
    V_DATE(&varValue) = date;
    return TRUE;
}

} // namespace

void DaoRefToVariant(const CDaoValueRef& value, short nFieldType, COleVariant& varValue)
{
    if (TypedByColumn(value, nFieldType, varValue))
        return;
    switch (value.nType)
    {
    case SQLITE_INTEGER:
        varValue.Clear();
        if (value.nInteger >= INT32_MIN && value.nInteger <= INT32_MAX)
            varValue = (LONG)value.nInteger;
        else
            varValue = (double)value.nInteger;
        break;
    case SQLITE_FLOAT:
        varValue.Clear();
        varValue = value.dReal;
        break;
    case SQLITE_TEXT:
        if (AfxIsAsciiText(value.pBytes, value.nBytes))
            DBBytesToVariant(value.pBytes, value.nBytes, varValue);
        else
        {
            CString strText;
            DBTextFromDriver(value.pBytes, value.nBytes, strText);
            DBBytesToVariant(strText, strText.GetLength(), varValue);
        }
        break;
    case SQLITE_BLOB:
        varValue.Clear();
        varValue.SetBytes(value.pBytes, value.nBytes);
        break;
    default:
        varValue.Clear();
        V_VT(&varValue) = VT_NULL;
        break;
    }
}

CDaoRecordset::Value DaoValueFromVariant(const VARIANT& varValue)
{
    switch (V_VT(&varValue))
    {
    case VT_EMPTY:
    case VT_NULL:
        return DaoNullValue();
    case VT_I1:
        return DaoIntegerValue(V_I1(&varValue));
    case VT_UI1:
        return DaoIntegerValue(V_UI1(&varValue));
    case VT_I2:
        return DaoIntegerValue(V_I2(&varValue));
    case VT_UI2:
        return DaoIntegerValue(V_UI2(&varValue));
    case VT_I4:
        return DaoIntegerValue(V_I4(&varValue));
    case VT_UI4:
        return DaoIntegerValue(V_UI4(&varValue));
    case VT_INT:
        return DaoIntegerValue(V_INT(&varValue));
    case VT_UINT:
        return DaoIntegerValue(V_UINT(&varValue));
    case VT_I8:
        return DaoIntegerValue(V_I8(&varValue));
    case VT_BOOL:
        // Jet stores True as -1.
        return DaoIntegerValue(V_BOOL(&varValue) ? -1 : 0);
    case VT_R4:
        return DaoRealValue(V_R4(&varValue));
    case VT_R8:
        return DaoRealValue(V_R8(&varValue));
    case VT_CY:
        return DaoRealValue((double)V_CY(&varValue).int64 / 10000.0);
    case VT_DATE:
    {
        SYSTEMTIME st;
        if (!VariantTimeToSystemTime(V_DATE(&varValue), &st))
            AfxThrowDaoException(DAOERR_CONVERSION, "Data type conversion error.");
        char text[32];
        int nLength = snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth,
                               st.wDay, st.wHour, st.wMinute, st.wSecond);
        return DaoTextValue(text, nLength);
    }
    case VT_BSTR:
    {
        BSTR bstr = V_BSTR(&varValue);
        if (bstr == NULL)
            return DaoTextValue("", 0);
        LPCSTR pBytes = (LPCSTR)bstr;
        int nBytes = (int)SysStringByteLen(bstr);
        // ANSI text holds no '\0' byte; wide text of Latin letters always does.
        if (memchr(pBytes, 0, nBytes) != NULL)
        {
            CString ansi = AfxStringFromBstr(bstr);
            return DaoStoredTextValue(ansi, ansi.GetLength());
        }
        return DaoStoredTextValue(pBytes, nBytes);
    }
    case VT_ARRAY | VT_UI1:
    {
        SAFEARRAY* pArray = V_ARRAY(&varValue);
        void* pData = NULL;
        if (pArray == NULL || FAILED(SafeArrayAccessData(pArray, &pData)))
            AfxThrowDaoException(DAOERR_CONVERSION, "Data type conversion error.");
        LONG nLower = 0, nUpper = -1;
        SafeArrayGetLBound(pArray, 1, &nLower);
        SafeArrayGetUBound(pArray, 1, &nUpper);
        CDaoRecordset::Value value = DaoTextValue((LPCSTR)pData, (int)(nUpper - nLower + 1), SQLITE_BLOB);
        SafeArrayUnaccessData(pArray);
        return value;
    }
    default:
        AfxThrowDaoException(DAOERR_CONVERSION, "Data type conversion error.");
    }
}

