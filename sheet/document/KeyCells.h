// The key cells of a template (report date, organization code and
// organization name), by index in array order.
#pragma once

#include "framework/core/Array.h"
#include "sheet/Sheet.h"

struct CKeyCells
{
    explicit CKeyCells(const CSheet& sheet);

    CUIntArray m_dates;     // CELL_REPORTDATE
    CUIntArray m_codes;     // CELL_ORGANCODE
    CUIntArray m_names;     // CELL_ORGAN
};

// Gives every numeric cell the organization code and the period code as
// its data keys (the period code unchanged when NULL).
void SetNumericCellKeys(CSheet& sheet, LPCSTR pszOrgCode, LPCSTR pszPeriodCode);

// " of <organization> for <period>", as far as they are known, to follow
// "The report" in the status bar's word on what was done with it: from the
// key cells, or from an organization and a period code.
CString ReportKeysText(const CSheet& sheet);
CString ReportKeysText(const CString& strOrgan, const CString& strPeriodCode);
