// Exact sums of stored report values: the values of one column of a
// recordset as OLE CURRENCY amounts (64-bit counts of ten-thousandths),
// added as integers, and the conversions between amounts and the value
// texts of the report data table, which always use '.' as the decimal
// point.
#pragma once

#include "framework/core/Array.h"
#include "framework/core/String.h"

#include <oleauto.h>

class CException;
class CKemRecordset;

class CCyValueList
{
public:
    virtual ~CCyValueList();

    // Replaces the contents with the column's value of every row; NULL and
    // empty values are left out (they hold no amount).  1 when all rows
    // were read; 0 after "Record set is empty." for a recordset without
    // rows, or after the currency message of a value that is no amount.
    // Database exceptions reach the caller.
    int LoadFromRecordset(CKemRecordset* pRecordset, LPCSTR lpszColumn);
    // The sum as text ("0" for no values); empty after the currency
    // message when the sum leaves the CURRENCY range.
    CString FormatValues() const;

    INT_PTR GetSize() const { return m_values.GetSize(); }
    void Add(const CURRENCY& value);
    const CURRENCY& GetAt(INT_PTR i) const { return m_values[i]; }
    void RemoveAll() { m_values.RemoveAll(); }

private:
    CArray<CURRENCY, const CURRENCY&> m_values;
};

// The amount of a value text with '.' as decimal point; throws a
// COleException carrying DISP_E_TYPEMISMATCH for text that is no number and
// DISP_E_OVERFLOW outside the CURRENCY range.
CURRENCY StrToCurrency(LPCSTR lpszText);
// The text of an amount: '.' decimal point, at most four decimals, no
// trailing zeros.
CString CurrencyToStr(const CURRENCY& value);
// The amount of a field value: text through StrToCurrency, numbers
// converted directly; FALSE for NULL or empty.  Throws as StrToCurrency.
BOOL VariantToCurrency(const VARIANT& var, CURRENCY& value);
// Shows the message of a currency conversion failure: the type-mismatch
// and overflow texts, or the exception's own report for any other status
// or exception.
void ReportCurrencyError(const CException* pException);
