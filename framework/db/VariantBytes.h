// Text as the engines hand it over: an ANSI-form VT_BSTR variant holding
// the bytes as stored.
#pragma once

#include "framework/core/OleVariant.h"

// Puts the bytes into the variant, reusing its string when that has the
// same byte length, so reading row after row into one variant allocates
// nothing.
void DBBytesToVariant(LPCSTR pBytes, int nBytes, COleVariant& varValue);
