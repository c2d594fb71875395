#include "framework/db/VariantBytes.h"

#include <string.h>

void DBBytesToVariant(LPCSTR pBytes, int nBytes, COleVariant& varValue)
{
    if (V_VT(&varValue) == VT_BSTR && V_BSTR(&varValue) != NULL &&
        SysStringByteLen(V_BSTR(&varValue)) == (UINT)nBytes)
    {
        memcpy(V_BSTR(&varValue), pBytes, (size_t)nBytes);
        return;
    }
    // The ANSI form keeps the bytes exactly, embedded '\0' too.
    BSTR bstr = SysAllocStringByteLen(pBytes, (UINT)nBytes);
    if (bstr == NULL)
        AfxThrowMemoryException();
    varValue.Clear();
    V_VT(&varValue) = VT_BSTR;
    V_BSTR(&varValue) = bstr;
}
