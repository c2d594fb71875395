// The readable form of a formula: cell names told by the row and column
// items that their cells hold in the reporting database.
#include "sheet/document/TallyformDoc.h"

#include <string.h>

#include "framework/db/SqlQuote.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/ReportConnection.h"
#include "sheet/FormulaText.h"

CString CTallyformDoc::GetRowItemName(int nCell)
{
    if (nCell < 0 || nCell >= (int)m_sheet.m_cells.GetSize())
        return CString();
    const CCell& cell = m_sheet.m_cells[nCell];
    CString strResult = cell.m_strName;
    if (!GetConnection().IsDatabaseOpen() || cell.m_szRowItemCode[0] == '\0' ||
        cell.m_szColItemCode[0] == '\0')
        return strResult;
    CString strText = SelectSingleValue("ss_item", "FD_Name",
                                        "FD_Code=" + SqlQuote(cell.m_szRowItemCode));
    const CString strColumn = SelectSingleValue("ss_colitem", "FD_Name",
                                                "FD_Code=" + SqlQuote(cell.m_szColItemCode));
    if (!strColumn.IsEmpty())
        strText += "&" + strColumn;
    if (!strText.IsEmpty())
        strResult = strText;
    return strResult;
}

void CTallyformDoc::ResolveFormulaOperands(CString& strFormula)
{
    CWaitCursor wait;
    const CString strCopy = strFormula;
    int nStart = 0;
    const int nLength = strCopy.GetLength();
    for (int i = 0; i <= nLength; ++i)
    {
        if (i < nLength && strchr("+-*/()", strCopy[i]) == NULL)
            continue;
        const CString strToken = strCopy.Mid(nStart, i - nStart);
        nStart = i + 1;
        double dValue = 0;
        if (strToken.IsEmpty() || ParseNumberText(strToken, dValue) == 1)
            continue;
        const int nCell = GetCellValueByName(strToken, dValue);
        if (nCell < 0)
            continue;
        const CString strName = GetRowItemName(nCell);
        if (strName != strToken)
            ReplaceCellNameInFormula(nCell, strName, strFormula);
    }
}
