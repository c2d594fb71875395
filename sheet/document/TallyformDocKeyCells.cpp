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
#include "sheet/document/KeyCells.h"

namespace
{

int Refuse(LPCSTR pszMessage)
{
    AfxMessageBox(pszMessage, MB_OK);
    return 0;
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
    CString strCode, strName;
    if (keys.m_codes.GetSize() == 1)
    {
        strCode = m_sheet.m_cells[keys.m_codes[0]].m_strValue;
        if (strCode.IsEmpty())
            return Refuse("Organ Code cell cannot be empty.");
        // A failed look-up cannot confirm the code either.
        if (connection.RecordExists("ss_Organ", "FD_Code=" + SqlQuote(strCode)) != 1)
            return Refuse("Invalid Organ Code.");
    }
    if (keys.m_names.GetSize() == 1)
    {
        strName = m_sheet.m_cells[keys.m_names[0]].m_strValue;
        if (strName.IsEmpty())
            return Refuse("Organ Name cell cannot be empty.");
        if (connection.RecordExists("ss_Organ", "FD_Name=" + SqlQuote(strName)) != 1)
            return Refuse("Invalid Organ Name.");
        if (keys.m_codes.GetSize() == 1 &&
            connection.RecordExists("ss_Organ", "FD_Code=" + SqlQuote(strCode) + " And FD_Name=" +
                                                    SqlQuote(strName)) != 1)
            return Refuse("Organ Code and Organ Name is not matching.");
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
