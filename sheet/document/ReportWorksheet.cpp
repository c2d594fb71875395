#include <string.h>

#include <algorithm>
#include <tuple>

#include "sheet/document/ReportWorksheet.h"

#include "engines/dao/SourceNumbers.h"
#include "engines/dao/spreadsheet/SheetCellGrid.h"
#include "framework/db/DBText.h"
#include "sheet/CellDraw.h"
#include "sheet/SheetGridMap.h"
#include "sheet/document/ExportFileName.h"

namespace
{

// The labels of the first row: each cell holds a label and its value, so
// that no cell of the row is empty or repeats another.
const char kTemplateLabel[] = "Template: ";
const char kPeriodLabel[] = "Period: ";
const char kOrgCodeLabel[] = "Organization code: ";
const char kOrgNameLabel[] = "Organization name: ";
const char* const kKeyLabels[] = { kTemplateLabel, kPeriodLabel, kOrgCodeLabel, kOrgNameLabel };
const int kKeyColumns = 4;

// Excel's rules for a sheet name.
const int kMaxSheetName = 31;
const char kSheetNameBanned[] = ":\\/?*[]";

CString FieldText(const char* pszField, size_t cchField)
{
    return CString(pszField, (int)strnlen(pszField, cchField));
}

// A text as a sheet name: the characters Excel refuses become blanks, and
// it is cut to 31 bytes without splitting a character.
CString SheetNameFrom(CString strName)
{
    BlankCharacters(strName, kSheetNameBanned);
    if (strName.GetLength() > kMaxSheetName)
    {
        // The last character boundary within the limit.
        LPCSTR psz = strName;
        LPCSTR pszCut = psz;
        for (LPCSTR p = psz; p - psz <= kMaxSheetName; p = CharNextA(p))
            pszCut = p;
        strName = strName.Left((int)(pszCut - psz));
    }
    // Excel takes no name that starts or ends with an apostrophe.
    strName.Trim();
    strName.Trim('\'');
    strName.Trim();
    return strName;
}

} // namespace

CString ReportWorksheetName(const CSheet& sheet)
{
    CString strName = SheetNameFrom(FieldText(sheet.m_szTitle, sizeof(sheet.m_szTitle)));
    if (strName.IsEmpty())
        strName = SheetNameFrom(FieldText(sheet.m_szCode, sizeof(sheet.m_szCode)));
    return strName.IsEmpty() ? CString("Report") : strName;
}

CString ReportWorkbookFileName(const CSheet& sheet)
{
    return ExportFileName(ReportWorksheetName(sheet), ".xls");
}

namespace
{

// A cell's value as the worksheet holds it: the number itself for a
// numeric cell of numbers and a calculate cell, else the shown text.
CSourceValue WorksheetValueOf(const CSheet& sheet, const CCell& cell)
{
    CSourceValue value;
    if (cell.m_nType == CELL_NORMAL || cell.m_nType == CELL_PICTURE)
        return value;
    double dNumber = 0;
    const BOOL bNumberCell = cell.m_nType == CELL_FORMULA ||
                             (cell.m_nType == CELL_NUMERIC && cell.m_nValueType == 0);
    if (bNumberCell && ParseSourceNumber(cell.m_strValue, dNumber))
    {
        value.m_strText = SourceNumberText(dNumber);
        value.m_bNumber = true;
    }
    else
    {
        // A ten-day period's text is in the Chinese code page whatever the
        // system's: each text goes to the workbook from its own.
        const CString strShown = sheet.GetContentText(cell);
        DBTextToDriver(strShown, strShown.GetLength(), value.m_strText, CellTextCodePage(sheet, cell));
    }
    value.m_bNull = value.m_strText.IsEmpty();
    return value;
}

} // namespace

CSourceTable MakeReportWorksheet(const CSheet& sheet, const CReportWorksheetKeys& keys)
{
    CSheetGridMap grid(sheet);
    CSourceTable table;
    table.m_strName = DBTextToDriver(ReportWorksheetName(sheet));
    table.m_columns = { kTemplateLabel + DBTextToDriver(keys.m_strTemplate),
                        kPeriodLabel + DBTextToDriver(keys.m_strPeriod),
                        kOrgCodeLabel + DBTextToDriver(keys.m_strOrgCode),
                        kOrgNameLabel + DBTextToDriver(keys.m_strOrgName) };
    // Columns beyond the keys have no name: their first-row cell stays empty.
    const int nColumns = grid.GetColumnCount() > kKeyColumns ? grid.GetColumnCount() : kKeyColumns;
    table.m_columns.resize((size_t)nColumns);
    table.m_columnWidths.assign((size_t)nColumns, 0);
    for (int nColumn = 0; nColumn < grid.GetColumnCount(); ++nColumn)
        table.m_columnWidths[(size_t)nColumn] = grid.GetColumnWidth(nColumn);
    table.m_rows.assign((size_t)grid.GetRowCount(),
                        std::vector<CSourceValue>(table.m_columns.size()));
    for (int i = 0; i < (int)sheet.m_cells.GetSize(); ++i)
    {
        int nRow = 0, nColumn = 0;
        grid.GetPosition(i, nRow, nColumn);
        CSourceValue value = WorksheetValueOf(sheet, sheet.m_cells[i]);
        if (!value.m_bNull)
            table.m_rows[(size_t)nRow][(size_t)nColumn] = value;
    }
    return table;
}

BOOL ReadReportWorksheetKeys(const CSourceTable& table, CReportWorksheetKeys& keys)
{
    struct Field { const char* pszLabel; CString* pValue; };
    CReportWorksheetKeys read;
    const Field fields[] = { { kTemplateLabel, &read.m_strTemplate }, { kPeriodLabel, &read.m_strPeriod },
                             { kOrgCodeLabel, &read.m_strOrgCode }, { kOrgNameLabel, &read.m_strOrgName } };
    BOOL bTemplate = FALSE;
    for (const CString& strColumn : table.m_columns)
    {
        for (const Field& field : fields)
        {
            const int nLabel = (int)strlen(field.pszLabel);
            if (strncmp(strColumn, field.pszLabel, (size_t)nLabel) != 0)
                continue;
            *field.pValue = strColumn.Mid(nLabel);
            bTemplate |= field.pszLabel == kTemplateLabel;
            break;
        }
    }
    if (bTemplate)
        keys = read;
    return bTemplate;
}

namespace
{

// A text cell that is no figure: the template's own label.
BOOL IsLabelCell(const CCell& cell)
{
    return cell.m_nType == CELL_TEXT && cell.m_bDynamic == 0;
}

// Where the worksheet holds strFound (UTF-8) and the template strExpected.
CString PlaceDifference(const CString& strAddress, const CString& strFound, const CString& strExpected)
{
    const CString strWhere = " where this template has '" + DBTextFromDriver(strExpected) + "'";
    if (strFound.IsEmpty())
        return strAddress + " is empty" + strWhere;
    return strAddress + " holds '" + DBTextFromDriver(strFound) + "'" + strWhere;
}

} // namespace

CString ReportWorksheetDifference(const CSheet& sheet, const CSourceTable& table)
{
    for (int i = 0; i < kKeyColumns; ++i)
    {
        CString strFound = i < (int)table.m_columns.size() ? table.m_columns[(size_t)i] : CString();
        // The reader names a column whose first cell is empty.
        const size_t nBefore = (size_t)i < table.m_columns.size() ? (size_t)i : table.m_columns.size();
        const std::vector<CString> before(table.m_columns.begin(), table.m_columns.begin() + (long)nBefore);
        if (strFound == SheetColumnName(before, NULL, (size_t)i))
            strFound.Empty();
        if (strncmp(strFound, kKeyLabels[i], strlen(kKeyLabels[i])) != 0)
            return PlaceDifference(ReportWorksheetAddress(-1, i), DBTextToDriver(strFound),
                                   CString(kKeyLabels[i]) + "...");
    }
    // The labels row by row, so the difference named is the first a reader
    // of the worksheet meets.
    const CSheetGridMap grid(sheet);
    std::vector<std::tuple<int, int, int>> labels;
    for (int i = 0; i < (int)sheet.m_cells.GetSize(); ++i)
    {
        int nRow = 0, nColumn = 0;
        if (IsLabelCell(sheet.m_cells[i]) && grid.GetPosition(i, nRow, nColumn))
            labels.emplace_back(nRow, nColumn, i);
    }
    std::sort(labels.begin(), labels.end());
    for (const auto& label : labels)
    {
        const int nRow = std::get<0>(label), nColumn = std::get<1>(label);
        const CSourceValue expected = WorksheetValueOf(sheet, sheet.m_cells[std::get<2>(label)]);
        const CSourceValue* pFound = ReportWorksheetValue(table, nRow, nColumn);
        const CString strFound = pFound != NULL && !pFound->m_bNull ? pFound->m_strText : CString();
        if (strFound != expected.m_strText)
            return PlaceDifference(ReportWorksheetAddress(nRow, nColumn), strFound, expected.m_strText);
    }
    return CString();
}

const CSourceValue* ReportWorksheetValue(const CSourceTable& table, int nRow, int nColumn)
{
    if (nRow < 0 || nColumn < 0 || (size_t)nRow >= table.m_rows.size())
        return NULL;
    const std::vector<CSourceValue>& row = table.m_rows[(size_t)nRow];
    return (size_t)nColumn < row.size() ? &row[(size_t)nColumn] : NULL;
}

CString ReportWorksheetAddress(int nRow, int nColumn)
{
    CString strLetters;
    for (int n = nColumn + 1; n > 0; n = (n - 1) / 26)
        strLetters.Insert(0, (char)('A' + (n - 1) % 26));
    CString strAddress;
    strAddress.Format("%s%d", (LPCSTR)strLetters, nRow + 2);
    return strAddress;
}

BOOL IsImportedFigureCell(const CCell& cell)
{
    if (cell.m_nType == CELL_NUMERIC)
        return cell.m_nValueType == 0 || cell.m_nValueType == 1;
    return cell.m_nType == CELL_TEXT && cell.m_bDynamic != 0;
}

BOOL ImportedFigureText(const CCell& cell, const CSourceValue* pValue, CString& strText)
{
    strText.Empty();
    if (pValue == NULL || pValue->m_bNull)
        return TRUE;
    strText = pValue->m_strText;
    double dNumber = 0;
    if (cell.m_nType != CELL_NUMERIC || cell.m_nValueType != 0 || pValue->m_bNumber)
        return TRUE;
    strText.Trim();
    return strText.IsEmpty() || ParseSourceNumber(strText, dNumber);
}
