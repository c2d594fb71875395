// COleCurrency, an OLE CURRENCY value: a signed 64-bit count of
// ten-thousandths, exact for sums of decimal amounts.
//
// Two text forms: Format/ParseCurrency go through the platform's
// conversions in a chosen locale (the decimal point and signs of that
// locale); FormatDecimal/ParseDecimal use '.' as the decimal point in every
// locale and keep all 19 digits exact (the platform's parse goes through a
// double and loses the last digits of large values).
#pragma once

#include "framework/core/String.h"

#include <oleauto.h>

class COleCurrency
{
public:
    enum CurrencyStatus { valid = 0, invalid = 1, null = 2 };

    COleCurrency();
    COleCurrency(CURRENCY cySrc);
    COleCurrency(const VARIANT& varSrc);
    // nFractionalUnits in ten-thousandths (-9999..9999), carrying the sign
    // of the amount: (-1, -5000) is -1.5.
    COleCurrency(LONG nUnits, LONG nFractionalUnits);

    COleCurrency& operator=(CURRENCY cySrc);
    COleCurrency& operator=(const VARIANT& varSrc);

    CurrencyStatus GetStatus() const { return m_status; }
    void SetStatus(CurrencyStatus status) { m_status = status; }
    operator CURRENCY() const { return m_cur; }

    void SetCurrency(LONG nUnits, LONG nFractionalUnits);

    // The platform's text in lcid (VarBstrFromCy): no grouping, no trailing
    // zeros ("1234.5", "-0.0001", "0").  Empty unless the value is valid.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // FALSE and an invalid value for text that is no amount or is too large.
    BOOL ParseCurrency(LPCSTR lpszCurrency, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    // The same text as Format in the invariant locale, built from the
    // integer: '.' decimal point, at most four decimals, no trailing zeros.
    CString FormatDecimal() const;
    // Reads [space][sign]digits[.digits][e[sign]digits][space]; more than
    // four decimals are rounded half to even.  FALSE and an invalid value on
    // failure.
    BOOL ParseDecimal(LPCSTR lpszText);
    // The parse of ParseDecimal: S_OK, DISP_E_TYPEMISMATCH for text that is
    // no number, DISP_E_OVERFLOW outside the CURRENCY range.
    static HRESULT DecimalToCurrency(LPCSTR lpszText, CURRENCY& cyResult);

    // Overflow makes the result invalid.
    COleCurrency operator+(const COleCurrency& cur) const;
    COleCurrency operator-(const COleCurrency& cur) const;
    COleCurrency& operator+=(const COleCurrency& cur);
    COleCurrency& operator-=(const COleCurrency& cur);
    COleCurrency operator-() const;

    bool operator==(const COleCurrency& cur) const;
    bool operator!=(const COleCurrency& cur) const;
    bool operator<(const COleCurrency& cur) const;
    bool operator>(const COleCurrency& cur) const;
    bool operator<=(const COleCurrency& cur) const;
    bool operator>=(const COleCurrency& cur) const;

    CURRENCY m_cur;
    CurrencyStatus m_status;
};
