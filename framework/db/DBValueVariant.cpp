#include "framework/core/OleVariant.h"
#include "framework/db/DBValue.h"

DATE DBTimestampToDate(const TIMESTAMP_STRUCT& ts)
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)ts.year;
    st.wMonth = ts.month;
    st.wDay = ts.day;
    st.wHour = ts.hour;
    st.wMinute = ts.minute;
    st.wSecond = ts.second;
    DATE date = 0;
    SystemTimeToVariantTime(&st, &date);
    return date;
}

TIMESTAMP_STRUCT DBDateToTimestamp(DATE date)
{
    SYSTEMTIME st = {};
    TIMESTAMP_STRUCT ts = {};
    if (!VariantTimeToSystemTime(date, &st))
        AfxThrowOleException(DISP_E_OVERFLOW);
    ts.year = (SQLSMALLINT)st.wYear;
    ts.month = st.wMonth;
    ts.day = st.wDay;
    ts.hour = st.wHour;
    ts.minute = st.wMinute;
    ts.second = st.wSecond;
    return ts;
}

CDBValue DBValueFromVariant(const VARIANT& var)
{
    switch (V_VT(&var))
    {
    case VT_EMPTY:
    case VT_NULL:
        return CDBValue();
    case VT_I1:
        return CDBValue::Integer(V_I1(&var));
    case VT_UI1:
        return CDBValue::Integer(V_UI1(&var));
    case VT_I2:
        return CDBValue::Integer(V_I2(&var));
    case VT_UI2:
        return CDBValue::Integer(V_UI2(&var));
    case VT_I4:
        return CDBValue::Integer(V_I4(&var));
    case VT_UI4:
        return CDBValue::Integer(V_UI4(&var));
    case VT_INT:
        return CDBValue::Integer(V_INT(&var));
    case VT_UINT:
        return CDBValue::Integer(V_UINT(&var));
    case VT_I8:
        return CDBValue::Integer(V_I8(&var));
    case VT_BOOL:
        return CDBValue::Integer(V_BOOL(&var) != VARIANT_FALSE ? 1 : 0);
    case VT_R4:
        return CDBValue::Real(V_R4(&var));
    case VT_R8:
        return CDBValue::Real(V_R8(&var));
    case VT_CY:
        return CDBValue::Real((double)V_CY(&var).int64 / 10000.0);
    case VT_DATE:
        return CDBValue::Timestamp(DBDateToTimestamp(V_DATE(&var)));
    case VT_BSTR:
        return CDBValue::Text(AfxStringFromBstrBytes(V_BSTR(&var)));
    case VT_ARRAY | VT_UI1:
    {
        SAFEARRAY* psa = V_ARRAY(&var);
        LONG lower = 0, upper = -1;
        SafeArrayGetLBound(psa, 1, &lower);
        SafeArrayGetUBound(psa, 1, &upper);
        void* pData = NULL;
        if (FAILED(SafeArrayAccessData(psa, &pData)))
            AfxThrowOleException(DISP_E_TYPEMISMATCH);
        CDBValue value = CDBValue::Binary(pData, (int)(upper - lower + 1));
        SafeArrayUnaccessData(psa);
        return value;
    }
    default:
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
}
