#include "sheet/document/samples/SampleTemplates.h"

#include <string.h>

#include "sheet/BalanceFormula.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/PeriodCode.h"
#include "sheet/TemplateBuilder.h"

namespace
{

const int kLabelWidth = 160;
const int kFigureWidth = 120;

// What one cell of a sample holds: a label, a key cell, a figure keyed to
// a row and a column item, or a formula.
struct SampleCell
{
    int nType;
    const char* pszText;     // label text or formula
    const char* pszRowItem;
    const char* pszColItem;
};

const SampleCell kEmpty = { CELL_TEXT, "", NULL, NULL };

SampleCell Label(const char* pszText) { return { CELL_TEXT, pszText, NULL, NULL }; }
SampleCell Key(int nType) { return { nType, "", NULL, NULL }; }
SampleCell Figure(const char* pszRow, const char* pszCol) { return { CELL_NUMERIC, "", pszRow, pszCol }; }
SampleCell Formula(const char* pszFormula) { return { CELL_FORMULA, pszFormula, NULL, NULL }; }

// A grid of nRows x nCols cells, the first column wider for the labels,
// filled from cells in reading order.  Entry cells take tab indices in
// that order; labels take none.
void BuildSample(CSheet& sheet, const CNewTemplateFields& fields, const SampleCell* cells,
                 int nRows, int nCols)
{
    SetNewTemplateHeader(sheet, fields, 0);
    BuildTextGrid(sheet, nRows, nCols);
    int nTab = 0;
    for (int r = 0; r < nRows; ++r)
    {
        for (int c = 0; c < nCols; ++c)
        {
            const SampleCell& sample = cells[r * nCols + c];
            CCell& cell = sheet.m_cells[r * nCols + c];
            int nLeft = c == 0 ? 0 : kLabelWidth + (c - 1) * kFigureWidth;
            SetRect(&cell.m_rect, nLeft, cell.m_rect.top,
                    nLeft + (c == 0 ? kLabelWidth : kFigureWidth), cell.m_rect.bottom);
            cell.SetType(sample.nType);
            cell.m_nTabIndex = 0;
            cell.m_strValue.Empty();
            if (sample.nType == CELL_TEXT)
            {
                cell.m_strValue = sample.pszText;
                continue;
            }
            if (sample.nType == CELL_FORMULA)
            {
                cell.m_strFormula = sample.pszText;
                cell.m_nHAlign = CELL_ALIGN_RIGHT;
                continue;
            }
            cell.m_nTabIndex = ++nTab;
            if (sample.nType == CELL_NUMERIC)
            {
                strcpy(cell.m_szRowItemCode, sample.pszRowItem);
                strcpy(cell.m_szColItemCode, sample.pszColItem);
                cell.m_nHAlign = CELL_ALIGN_RIGHT;
            }
        }
    }
    for (int n = 0; n < nRows * nCols; ++n)
    {
        if (sheet.m_cells[n].m_nType == CELL_FORMULA)
            AdjustFormulaRefCounts(sheet, n, TRUE);
    }
    sheet.m_arrSel.RemoveAll();
    sheet.m_nCurCell = -1;
    SetRectEmpty(&sheet.m_rcBounds);
    sheet.UpdateBoundingRect();
}

// The header of a sample: its report type, name and code, version 1.
CNewTemplateFields SampleFields(LONG nReportType, LPCSTR pszName, LPCSTR pszCode)
{
    CNewTemplateFields fields;
    fields.nReportType = nReportType;
    fields.strName = pszName;
    fields.strCode = pszCode;
    fields.strVersion = "1";
    return fields;
}

} // namespace

void BuildMonthlySample(CSheet& sheet)
{
    const CNewTemplateFields fields = SampleFields(PERIOD_MONTH, "Monthly Report", "MONTHLY");
    const SampleCell cells[] = {
        Label("Monthly Report"), kEmpty, kEmpty, kEmpty,
        Label("Period"), Key(CELL_REPORTDATE), Label("Code"), Key(CELL_ORGANCODE),
        Label("Organization"), Key(CELL_ORGAN), kEmpty, kEmpty,
        Label("Item"), Label("This period"), Label("Last year"), Label("Change"),
        Label("Sales revenue"), Figure("R001", "C001"), Figure("R001", "C002"), Formula("B5-C5"),
        Label("Cost of sales"), Figure("R002", "C001"), Figure("R002", "C002"), Formula("B6-C6"),
        Label("Staff costs"), Figure("R003", "C001"), Figure("R003", "C002"), Formula("B7-C7"),
        Label("Other expenses"), Figure("R004", "C001"), Figure("R004", "C002"), Formula("B8-C8"),
        Label("Profit"), Formula("B5-B6-B7-B8"), Formula("C5-C6-C7-C8"), Formula("B9-C9"),
    };
    BuildSample(sheet, fields, cells, 9, 4);
    sheet.m_lstBalance.AddTail("D9=D5-D6-D7-D8");
    CountBalanceFormulaRefs(sheet);
}

void BuildTenDaySample(CSheet& sheet)
{
    const CNewTemplateFields fields = SampleFields(PERIOD_TENDAY, "Ten-day Report", "TENDAY");
    const SampleCell cells[] = {
        Label("Ten-day Report"), kEmpty,
        Label("Period"), Key(CELL_REPORTDATE),
        Label("Code"), Key(CELL_ORGANCODE),
        Label("Organization"), Key(CELL_ORGAN),
        Label("Sales revenue"), Figure("R001", "C001"),
        Label("Cost of sales"), Figure("R002", "C001"),
        Label("Margin"), Formula("B5-B6"),
    };
    BuildSample(sheet, fields, cells, 7, 2);
}
