// Field values of the engines' recordsets as text.  Text fields arrive as
// BSTRs holding the ANSI bytes (the engines' convention), other types are
// shown as the sheet shows variants.
#pragma once

#include "framework/core/String.h"

class CKemRecordset;

// The text of a field value; NULL and empty give "".
CString FieldValueText(const VARIANT& value);
// The leading decimal number of a field value's text, as atof reads it;
// 0 without one.
double FieldValueNumber(const VARIANT& value);
// The leading decimal number of nBytes of text, as atof reads it.
double LeadingDecimal(const char* pText, size_t nBytes);
// The text of a named field of the current row.
CString RecordsetFieldText(CKemRecordset* pRecordset, LPCSTR lpszField);
// The low byte of a numeric field of the current row (the codes of the
// one-byte columns); 0 for a value that is not a number.
int RecordsetFieldByte(CKemRecordset* pRecordset, LPCSTR lpszField);
