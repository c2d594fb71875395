#include "tests/app/EntryTemplate.h"

#include <string.h>

#include <utility>

#include "tests/sheet/SheetGrid.h"

#include "sheet/FormulaRecalc.h"
#include "sheet/PeriodCode.h"
#include "sheet/document/TallyformDoc.h"

void MakeEntryTemplate(CSheet& sheet)
{
    sheettest::MakeGrid(sheet, 4, 3, 140, 30);
    strcpy(sheet.m_szCode, "TPL01");
    sheet.m_nReportType = PERIOD_MONTH;
    const char* const labels[] = { "Period", "Code", "Organization" };
    for (int i = 0; i < 12; ++i)
    {
        CCell& cell = sheet.m_cells[i];
        cell.m_nTabIndex = 0;
        if (i < 3)
            cell.m_strValue = labels[i];
    }
    struct Entry { int nCell; int nType; int nTab; const char* pszRow; const char* pszCol; };
    const Entry entries[] = {
        { 3, CELL_REPORTDATE, 1, "", "" }, { 4, CELL_ORGANCODE, 2, "", "" },
        { 5, CELL_ORGAN, 3, "", "" },      { 6, CELL_NUMERIC, 4, "R1", "C1" },
        { 7, CELL_NUMERIC, 5, "R1", "C2" }, { 9, CELL_NUMERIC, 6, "R2", "C1" },
    };
    for (const Entry& entry : entries)
    {
        CCell& cell = sheet.m_cells[entry.nCell];
        cell.SetType(entry.nType);
        cell.m_strValue.Empty();
        cell.m_nTabIndex = entry.nTab;
        if (entry.nType == CELL_NUMERIC)
        {
            cell.m_nValueType = 0;
            strcpy(cell.m_szRowItemCode, entry.pszRow);
            strcpy(cell.m_szColItemCode, entry.pszCol);
        }
    }
    const std::pair<int, const char*> formulas[] = { { 8, "A3+B3" }, { 10, "A3-B3" }, { 11, "C3*A4" } };
    for (const auto& formula : formulas)
    {
        CCell& cell = sheet.m_cells[formula.first];
        cell.SetType(CELL_FORMULA);
        cell.m_strValue.Empty();
        cell.m_strFormula = formula.second;
    }
    for (const auto& formula : formulas)
        AdjustFormulaRefCounts(sheet, formula.first, TRUE);
}

BOOL SaveEntryTemplate(const CString& strPath)
{
    CTallyformDoc doc;
    doc.m_bAutoDelete = FALSE;
    MakeEntryTemplate(doc.m_sheet);
    return doc.OnSaveDocument(strPath);
}
