// The key cells against the organizations table, and their propagation
// into the numeric cells' data keys.
#include "sheet/document/TallyformDoc.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "reporting/ShownCode.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/KeyCells.h"

namespace
{

int Refuse(LPCSTR pszMessage)
{
    AfxMessageBox(pszMessage, MB_OK);
    return 0;
}

// The report date and the period keys of the data cells are periods of the
// template's period type (a sheet of no known type is not checked).
BOOL HasValidPeriods(const CSheet& sheet, const CKeyCells& keys)
{
    int nType = (int)sheet.m_nReportType;
    if (!IsPeriodType(nType))
        return TRUE;
    if (keys.m_dates.GetSize() > 0 && !CReportPeriod::IsValidCode(sheet.m_cells[keys.m_dates[0]].m_szDateCode, nType))
        return FALSE;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = sheet.m_cells[i];
        if (cell.m_nType == CELL_NUMERIC && cell.m_szPeriodCode[0] != '\0' &&
            !CReportPeriod::IsValidCode(cell.m_szPeriodCode, nType))
            return FALSE;
    }
    return TRUE;
}

// The organization look-up: 1 found, 0 refused with the message, and 0
// without another word when the query failed (its own message was shown),
// so a database error is never taken for an unknown organization.
int LookUpOrganization(const CReportConnection& connection, const CString& strCondition, LPCSTR pszRefusal)
{
    int nFound = connection.RecordExists("ss_Organ", strCondition);
    if (nFound == 1)
        return 1;
    return nFound == 0 ? Refuse(pszRefusal) : 0;
}

} // namespace

int CTallyformDoc::ValidateKeyCells()
{
    if (m_sheet.m_nKind != 0)
        return 1;
    CKeyCells keys(m_sheet);
    CReportConnection& connection = GetConnection();
    if (keys.m_dates.GetSize() > 0 && m_sheet.m_cells[keys.m_dates[0]].m_szDateCode[0] == '\0')
        return Refuse("Report Date cell cannot be empty.");
    if (!HasValidPeriods(m_sheet, keys))
        return Refuse("The report period is damaged or not one of this template's periods.");
    CString strCode, strName;
    if (keys.m_codes.GetSize() == 1)
    {
        strCode = m_sheet.m_cells[keys.m_codes[0]].m_strValue;
        if (strCode.IsEmpty())
            return Refuse("Organ Code cell cannot be empty.");
        if (!LookUpOrganization(connection, "FD_Code=" + SqlQuote(strCode), "Invalid Organ Code."))
            return 0;
    }
    if (keys.m_names.GetSize() == 1)
    {
        strName = m_sheet.m_cells[keys.m_names[0]].m_strValue;
        if (strName.IsEmpty())
            return Refuse("Organ Name cell cannot be empty.");
        if (!LookUpOrganization(connection, "FD_Name=" + SqlQuote(strName), "Invalid Organ Name."))
            return 0;
        if (keys.m_codes.GetSize() == 1 &&
            !LookUpOrganization(connection, "FD_Code=" + SqlQuote(strCode) + " And FD_Name=" + SqlQuote(strName),
                                "Organ Code and Organ Name is not matching."))
            return 0;
    }
    for (INT_PTR i = 0; i < m_sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = m_sheet.m_cells[i];
        if (ValidateCellData(cell) != 0)
            continue;
        if (cell.m_nType == CELL_NUMERIC && !m_sheet.m_bDesignMode)
            EditRejectedCell((int)i);
        return 0;
    }
    return 1;
}

BOOL CTallyformDoc::HasUsableOrgCodes()
{
    CString strChecked;
    for (INT_PTR i = 0; i < m_sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = m_sheet.m_cells[i];
        if (cell.m_nType != CELL_NUMERIC || strChecked == cell.m_szOrgCode)
            continue;
        strChecked = cell.m_szOrgCode;
        if (!CanUseShownCode(GetConnection(), "ss_Organ", strChecked))
            return FALSE;
    }
    return TRUE;
}

CString CTallyformDoc::SelectSingleValue(LPCSTR pszTable, LPCSTR pszField, LPCSTR pszWhere)
{
    CScopedRecordset rs(GetConnection());
    if (rs.Get() == NULL)
        return CString();
    CString strSql;
    strSql.Format("Select %s From %s Where %s", pszField, pszTable, pszWhere);
    try
    {
        rs->Open(strSql, TRUE);
        if (rs->IsEOF())
            return CString();
        return RecordsetFieldText(rs.Get(), pszField);
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
        return CString();
    }
}
