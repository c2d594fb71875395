#include "reporting/FieldText.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/OleVariant.h"
#include "sheet/Sheet.h"

CString FieldValueText(const VARIANT& value)
{
    switch (V_VT(&value))
    {
    case VT_EMPTY:
    case VT_NULL:
        return CString();
    case VT_BSTR:
        return AfxStringFromBstrBytes(V_BSTR(&value));
    default:
        return VariantToText(value);
    }
}

CString RecordsetFieldText(CKemRecordset* pRecordset, LPCSTR lpszField)
{
    return FieldValueText(pRecordset->GetFieldValue(lpszField));
}

int RecordsetFieldByte(CKemRecordset* pRecordset, LPCSTR lpszField)
{
    COleVariant value = pRecordset->GetFieldValue(lpszField);
    COleVariant asLong;
    if (FAILED(VariantChangeType(&asLong, &value, 0, VT_I4)))
        return 0;
    return (int)(V_I4(&asLong) & 0xFF);
}
