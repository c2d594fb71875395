#include "reporting/CyValueList.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/core/OleCurrency.h"
#include "framework/core/OleVariant.h"
#include "reporting/FieldText.h"

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
    CString strText = FieldValueText(var);
    strText.Trim();
    if (strText.IsEmpty())
        return FALSE;
    value = StrToCurrency(strText);
    return TRUE;
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
