// One organization of the open organizations recordset, found by its code
// or by its name.
#pragma once

#include "framework/core/String.h"

class CKemRecordset;

// Looks the organization up by code (bByCode) or by name and, when a row
// matches, replaces both texts by the row's.  The recordset's filter is
// put back afterwards, so that others see the organizations they saw.
// 1 found, 0 no row; a database error is reported and gives -1.
int LookUpOrganization(CKemRecordset& rs, BOOL bByCode, CString& strCode, CString& strName);
