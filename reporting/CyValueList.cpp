#include "reporting/CyValueList.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/core/OleCurrency.h"
#include "framework/core/OleVariant.h"
#include "reporting/FieldText.h"

#include <string.h>

CCyValueList::~CCyValueList()
{
}

void CCyValueList::Add(const CURRENCY& value)
{
    m_values.Add(value);
}

int CCyValueList::LoadFromRecordset(CKemRecordset* pRecordset, LPCSTR lpszColumn)
{
    if (pRecordset->IsBOF() && pRecordset->IsEOF())
    {
        AfxMessageBox("Record set is empty.", MB_OK);
        return 0;
    }
    pRecordset->MoveFirst();
    m_values.RemoveAll();
    COleVariant value;
    while (!pRecordset->IsEOF())
    {
        pRecordset->GetFieldValue(lpszColumn, value);
        try
        {
            CURRENCY cy;
            if (VariantToCurrency(value, cy))
                m_values.Add(cy);
        }
        catch (COleException* e)
        {
            ReportCurrencyError(e);
            e->Delete();
            return 0;
        }
        pRecordset->MoveNext();
    }
    return 1;
}

CString CCyValueList::FormatValues() const
{
    LONGLONG nSum = 0;
    for (INT_PTR i = 0; i < m_values.GetSize(); ++i)
    {
        if (__builtin_add_overflow(nSum, m_values[i].int64, &nSum))
        {
            COleException error(DISP_E_OVERFLOW);
            ReportCurrencyError(&error);
            return CString();
        }
    }
    CURRENCY cy;
    cy.int64 = nSum;
    return CurrencyToStr(cy);
}

CURRENCY StrToCurrency(LPCSTR lpszText)
{
    CURRENCY cy;
    HRESULT hr = COleCurrency::DecimalToCurrency(lpszText, cy);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    return cy;
}

CString CurrencyToStr(const CURRENCY& value)
{
    return COleCurrency(value).FormatDecimal();
}

namespace
{

// The characters CString's Trim leaves out.
inline bool IsTrimmed(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// The amount of a value text's bytes with the blanks around it left out, as
// CString's Trim leaves them; FALSE for a text of blanks only.
BOOL BytesToCurrency(const char* pText, size_t nBytes, CURRENCY& value)
{
    const char* pEnd = pText + nBytes;
    while (pText < pEnd && IsTrimmed(*pText))
        ++pText;
    while (pEnd > pText && IsTrimmed(pEnd[-1]))
        --pEnd;
    size_t nLength = (size_t)(pEnd - pText);
    if (nLength == 0)
        return FALSE;
    // Most amounts fit a small buffer: no allocation for each row.
    char szText[64];
    if (nLength >= sizeof(szText))
    {
        value = StrToCurrency(CString(pText, (int)nLength));
        return TRUE;
    }
    memcpy(szText, pText, nLength);
    szText[nLength] = '\0';
    value = StrToCurrency(szText);
    return TRUE;
}

} // namespace

BOOL VariantToCurrency(const VARIANT& var, CURRENCY& value)
{
    switch (V_VT(&var))
    {
    case VT_EMPTY:
    case VT_NULL:
        return FALSE;
    case VT_CY:
        value = V_CY(&var);
        return TRUE;
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_UI1:
    case VT_DECIMAL:
    {
        VARIANT cy;
        VariantInit(&cy);
        HRESULT hr = VariantChangeType(&cy, const_cast<VARIANT*>(&var), 0, VT_CY);
        if (FAILED(hr))
            AfxThrowOleException(hr);
        value = V_CY(&cy);
        return TRUE;
    }
    default:
        break;
    }
    if (V_VT(&var) == VT_BSTR)
    {
        // Text fields hold the ANSI bytes in the BSTR: read in place.
        return BytesToCurrency((const char*)V_BSTR(&var), SysStringByteLen(V_BSTR(&var)), value);
    }
    CString strText = FieldValueText(var);
    return BytesToCurrency(strText, (size_t)strText.GetLength(), value);
}

void ReportCurrencyError(const CException* pException)
{
    const COleException* pOle = dynamic_cast<const COleException*>(pException);
    if (pOle != NULL && pOle->m_sc == DISP_E_TYPEMISMATCH)
        AfxMessageBox("Type mistake,please check cell property and value.", MB_OK);
    else if (pOle != NULL && pOle->m_sc == DISP_E_OVERFLOW)
        AfxMessageBox("Data overflow,ensure the number in correct unit.", MB_OK);
    else
        pException->ReportError();
}
