#include "engines/dao/spreadsheet/LotusWorksheetFile.h"

#include <math.h>

#include "engines/dao/SourceNumbers.h"
#include "engines/dao/spreadsheet/LotusRecords.h"
#include "engines/dao/spreadsheet/SheetFileIo.h"
#include "engines/dao/spreadsheet/SheetRecordStream.h"
#include "framework/core/WideText.h"
#include "framework/db/DBText.h"

namespace
{

const size_t MAX_COLUMNS = 256;
const size_t WKS_MAX_ROWS = 2048;
const size_t WK1_MAX_ROWS = 8192;
const int MAX_LABEL = 240;
// Protected, in the sheet's default number format.
const BYTE CELL_FORMAT = 0xFF;
const char LABEL_LEFT_ALIGNED = '\'';

LPCSTR FormatName(LotusFormat nFormat)
{
    return nFormat == LOTUS_WKS ? "WKS" : "WK1";
}

CString FileText(const CString& strText, LotusFormat nFormat)
{
    CString strFileText;
    CString strUtf8 = DBStoredTextAsUtf8(strText, strText.GetLength());
    DBTextFromDriver(strUtf8, strUtf8.GetLength(), strFileText, LotusCodePage(nFormat));
    return strFileText;
}

BOOL IsWrittenAsNumber(const CSourceValue& value, double& dValue)
{
    return value.m_bNumber && ParseSourceNumber(value.m_strText, dValue);
}

// Why the table does not fit the format; "" when it does.
CString FormatMisfit(const CSourceTable& table, LotusFormat nFormat)
{
    const size_t nMaxRows = nFormat == LOTUS_WKS ? WKS_MAX_ROWS : WK1_MAX_ROWS;
    CString strMisfit;
    if (table.m_rows.size() + 1 > nMaxRows)
    {
        strMisfit.Format("the table has %u rows, and a %s worksheet holds %u below the row of field names",
                         (unsigned)table.m_rows.size(), FormatName(nFormat), (unsigned)nMaxRows - 1);
        return strMisfit;
    }
    if (table.m_columns.size() > MAX_COLUMNS)
    {
        strMisfit.Format("the table has %u fields, and a %s worksheet holds %u columns",
                         (unsigned)table.m_columns.size(), FormatName(nFormat), (unsigned)MAX_COLUMNS);
        return strMisfit;
    }
    BOOL bTooLong = FALSE;
    for (const CString& strColumn : table.m_columns)
        bTooLong = bTooLong || FileText(strColumn, nFormat).GetLength() > MAX_LABEL;
    double dValue;
    for (size_t i = 0; i < table.m_rows.size() && !bTooLong; ++i)
    {
        for (const CSourceValue& value : table.m_rows[i])
        {
            if (!value.m_bNull && !IsWrittenAsNumber(value, dValue) &&
                FileText(value.m_strText, nFormat).GetLength() > MAX_LABEL)
                bTooLong = TRUE;
        }
    }
    if (bTooLong)
        strMisfit.Format("a text is longer than the %d characters a %s cell holds", MAX_LABEL, FormatName(nFormat));
    return strMisfit;
}

void PutCellAddress(CSheetRecordStream& stream, WORD nColumn, WORD nRow)
{
    stream.PutByte(CELL_FORMAT);
    stream.PutWord(nColumn);
    stream.PutWord(nRow);
}

void PutLabel(CSheetRecordStream& stream, WORD nColumn, WORD nRow, const CString& strText, LotusFormat nFormat)
{
    CString strFileText = FileText(strText, nFormat);
    stream.BeginRecord(LOTUS_LABEL);
    PutCellAddress(stream, nColumn, nRow);
    stream.PutByte(LABEL_LEFT_ALIGNED);
    stream.PutBytes((LPCSTR)strFileText, strFileText.GetLength());
    stream.PutByte(0);
    stream.EndRecord();
}

// Whole numbers that fit 16 bits go into the shorter INTEGER record.
void PutNumber(CSheetRecordStream& stream, WORD nColumn, WORD nRow, double dValue)
{
    const BOOL bInteger = dValue == floor(dValue) && dValue >= -32768.0 && dValue <= 32767.0;
    stream.BeginRecord(bInteger ? LOTUS_INTEGER : LOTUS_NUMBER);
    PutCellAddress(stream, nColumn, nRow);
    if (bInteger)
        stream.PutWord((WORD)(short)dValue);
    else
        stream.PutDouble(dValue);
    stream.EndRecord();
}

void PutCells(CSheetRecordStream& stream, const CSourceTable& table, LotusFormat nFormat)
{
    const WORD nColumns = (WORD)table.m_columns.size();
    for (WORD nColumn = 0; nColumn < nColumns; ++nColumn)
        PutLabel(stream, nColumn, 0, table.m_columns[nColumn], nFormat);
    WORD nRow = 1;
    for (const std::vector<CSourceValue>& row : table.m_rows)
    {
        for (WORD nColumn = 0; nColumn < nColumns && nColumn < row.size(); ++nColumn)
        {
            // An empty label would read back as an empty cell all the same.
            const CSourceValue& value = row[nColumn];
            double dValue = 0;
            if (value.m_bNull || value.m_strText.IsEmpty())
                continue;
            if (IsWrittenAsNumber(value, dValue))
                PutNumber(stream, nColumn, nRow, dValue);
            else
                PutLabel(stream, nColumn, nRow, value.m_strText, nFormat);
        }
        ++nRow;
    }
}

} // namespace

BOOL WriteLotusFile(const CString& strPath, const CSourceTable& table, LotusFormat nFormat, CString& strError)
{
    CString strMisfit = FormatMisfit(table, nFormat);
    if (!strMisfit.IsEmpty())
    {
        strError.Format("Cannot write %s: %s.", (LPCSTR)strPath, (LPCSTR)strMisfit);
        return FALSE;
    }
    CSheetRecordStream stream;
    stream.BeginRecord(LOTUS_BOF);
    stream.PutWord(nFormat == LOTUS_WKS ? LOTUS_WKS_VERSION : LOTUS_WK1_VERSION);
    stream.EndRecord();
    // The used range: first column and row, last column and row.
    stream.BeginRecord(LOTUS_RANGE);
    stream.PutWord(0);
    stream.PutWord(0);
    stream.PutWord((WORD)(table.m_columns.empty() ? 0 : table.m_columns.size() - 1));
    stream.PutWord((WORD)(table.m_columns.empty() ? 0 : table.m_rows.size()));
    stream.EndRecord();
    PutCells(stream, table, nFormat);
    stream.BeginRecord(LOTUS_EOF);
    stream.EndRecord();
    return WriteSheetFile(strPath, stream.GetBytes(), strError);
}
