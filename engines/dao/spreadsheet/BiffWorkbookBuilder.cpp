#include "engines/dao/spreadsheet/BiffWorkbookBuilder.h"

#include "engines/dao/SourceNumbers.h"
#include "engines/dao/spreadsheet/BiffRecordIds.h"
#include "framework/core/WideText.h"
#include "framework/db/DBText.h"

namespace
{

const WORD CODEPAGE_UTF16 = 1200;
const WORD FONT_HEIGHT_10PT = 200;  // in twentieths of a point
const WORD COLOUR_AUTOMATIC = 0x7FFF;
const WORD XF_LOCKED = 0x0001, XF_STYLE = 0x0004, XF_NO_PARENT = 0xFFF0;
// Excel expects the fifteen style formats of its built-in styles before the
// first cell format.
const int BIFF5_STYLE_XFS = 15;
const char FONT_NAME[] = "Arial";
const int BIFF5_MAX_TEXT = 255;
// Excel 97 takes 32,767, but FreeXL, which reads the files back, misreads
// a text that runs over more than two of the file's records.
const int BIFF8_MAX_TEXT = 8000;
const char GENERAL_FORMAT[] = "General";
// A column's width is counted in 1/256 of the zero digit of the 10-point
// Arial, 7 pixels at 96 DPI, beside a margin of 5 pixels.
const int DIGIT_PIXELS = 7, COLUMN_MARGIN_PIXELS = 5;
const int MAX_COLUMN_WIDTH = 0xFFFF;
// The columns of a worksheet in every version.
const size_t SHEET_COLUMNS = 256;

WORD ColumnWidthUnits(int nPixels)
{
    const int nUnits = (nPixels - COLUMN_MARGIN_PIXELS) * 256 / DIGIT_PIXELS;
    return (WORD)(nUnits < 0 ? 0 : nUnits > MAX_COLUMN_WIDTH ? MAX_COLUMN_WIDTH : nUnits);
}

} // namespace

CBiffWorkbookBuilder::CBiffWorkbookBuilder(int nBiffVersion)
    : m_nVersion(nBiffVersion), m_wCellXf(nBiffVersion >= 5 ? BIFF5_STYLE_XFS : 1)
{
}

int CBiffWorkbookBuilder::MaxCellText(int nBiffVersion)
{
    return nBiffVersion == 8 ? BIFF8_MAX_TEXT : BIFF5_MAX_TEXT;
}

BOOL CBiffWorkbookBuilder::IsLongerThanCell(const CString& strText, int nBiffVersion)
{
    const int nMax = MaxCellText(nBiffVersion);
    if (strText.GetLength() <= nMax)
        return FALSE;  // no fewer bytes than UTF-16 units
    if (nBiffVersion < 8)
        return TRUE;
    return DBStoredTextToWide(strText, strText.GetLength()).GetLength() > nMax;
}

void CBiffWorkbookBuilder::PutByteString(const CString& strText, BOOL bWordLength)
{
    if (bWordLength)
        m_stream.PutWord((WORD)strText.GetLength());
    else
        m_stream.PutByte((BYTE)strText.GetLength());
    m_stream.PutBytes((LPCSTR)strText, strText.GetLength());
}

// A name of up to 255 characters, given in UTF-8, in UTF-16 (BIFF8's short
// string form).
void CBiffWorkbookBuilder::PutUnicodeString(const CString& strText)
{
    CWideText wide(strText, strText.GetLength(), CP_UTF8);
    m_stream.PutByte((BYTE)wide.GetLength());
    m_stream.PutByte(1);
    for (int i = 0; i < wide.GetLength(); ++i)
        m_stream.PutWord(wide.GetString()[i]);
}

void CBiffWorkbookBuilder::PutBof(WORD wType)
{
    switch (m_nVersion)
    {
    case 2:
        m_stream.BeginRecord(BIFF2_BOF);
        m_stream.PutWord(0);
        m_stream.PutWord(wType);
        break;
    case 3:
    case 4:
        m_stream.BeginRecord(m_nVersion == 3 ? BIFF3_BOF : BIFF4_BOF);
        m_stream.PutWord(0);
        m_stream.PutWord(wType);
        m_stream.PutWord(0);
        break;
    default:
        m_stream.BeginRecord(BIFF5_BOF);
        m_stream.PutWord(m_nVersion == 5 ? 0x0500 : 0x0600);
        m_stream.PutWord(wType);
        // Build and year of the writing program: readers tell Excel 5.0
        // from Excel 95 by them.
        m_stream.PutWord(m_nVersion == 5 ? 0x096C : 0x0DBB);
        m_stream.PutWord(m_nVersion == 5 ? 0x07C9 : 0x07CC);
        if (m_nVersion == 8)
        {
            m_stream.PutDWord(0);  // file history flags
            m_stream.PutDWord(6);  // lowest version that can read all records
        }
        break;
    }
    m_stream.EndRecord();
}

void CBiffWorkbookBuilder::PutEof()
{
    m_stream.BeginRecord(BIFF_EOF);
    m_stream.EndRecord();
}

void CBiffWorkbookBuilder::PutCodePage()
{
    m_stream.BeginRecord(BIFF_CODEPAGE);
    m_stream.PutWord(m_nVersion == 8 ? CODEPAGE_UTF16 : (WORD)GetACP());
    m_stream.EndRecord();
}

void CBiffWorkbookBuilder::PutWindow1()
{
    m_stream.BeginRecord(BIFF_WINDOW1);
    m_stream.PutWord(0);       // position and size in twips
    m_stream.PutWord(0);
    m_stream.PutWord(0x3A00);
    m_stream.PutWord(0x2000);
    m_stream.PutWord(0x0038);  // scroll bars and sheet tabs shown
    m_stream.PutWord(0);       // active sheet
    m_stream.PutWord(0);       // first tab shown
    m_stream.PutWord(1);       // selected sheets
    m_stream.PutWord(600);     // width of the tab bar in 1/1000 of the window
    m_stream.EndRecord();
}

void CBiffWorkbookBuilder::PutFont()
{
    if (m_nVersion <= 4)
    {
        m_stream.BeginRecord(m_nVersion == 2 ? BIFF2_FONT : BIFF3_FONT);
        m_stream.PutWord(FONT_HEIGHT_10PT);
        m_stream.PutWord(0);
        if (m_nVersion > 2)
            m_stream.PutWord(COLOUR_AUTOMATIC);
        PutByteString(FONT_NAME, FALSE);
        m_stream.EndRecord();
        return;
    }
    m_stream.BeginRecord(BIFF5_FONT);
    m_stream.PutWord(FONT_HEIGHT_10PT);
    m_stream.PutWord(0);
    m_stream.PutWord(COLOUR_AUTOMATIC);
    m_stream.PutWord(400);  // normal weight
    m_stream.PutWord(0);    // no super- or subscript
    m_stream.PutByte(0);    // no underline
    m_stream.PutByte(0);    // family
    m_stream.PutByte(0);    // character set
    m_stream.PutByte(0);
    if (m_nVersion == 8)
        PutUnicodeString(FONT_NAME);
    else
        PutByteString(FONT_NAME, FALSE);
    m_stream.EndRecord();
}

// Up to BIFF4 every number format is a record; later "General" is built in.
void CBiffWorkbookBuilder::PutGeneralFormat()
{
    m_stream.BeginRecord(m_nVersion == 4 ? BIFF4_FORMAT : BIFF2_FORMAT);
    if (m_nVersion == 4)
        m_stream.PutWord(0);
    PutByteString(GENERAL_FORMAT, FALSE);
    m_stream.EndRecord();
}

// The format every cell uses (font 0, "General"), or a style format.
void CBiffWorkbookBuilder::PutXf(BOOL bStyle)
{
    const WORD wTypeAndParent = bStyle ? (WORD)(XF_NO_PARENT | XF_STYLE | XF_LOCKED) : XF_LOCKED;
    switch (m_nVersion)
    {
    case 3:
        m_stream.BeginRecord(BIFF3_XF);
        m_stream.PutByte(0);  // font
        m_stream.PutByte(0);  // format
        m_stream.PutByte((BYTE)(wTypeAndParent & 0x0F));
        m_stream.PutByte(0);  // attribute groups taken from the parent
        m_stream.PutWord((WORD)(wTypeAndParent & XF_NO_PARENT));
        m_stream.PutWord(0);  // background
        m_stream.PutDWord(0); // borders
        break;
    case 4:
        m_stream.BeginRecord(BIFF4_XF);
        m_stream.PutByte(0);
        m_stream.PutByte(0);
        m_stream.PutWord(wTypeAndParent);
        m_stream.PutByte(0);  // alignment
        m_stream.PutByte(0);
        m_stream.PutWord(0);
        m_stream.PutDWord(0);
        break;
    case 5:
        m_stream.BeginRecord(BIFF5_XF);
        m_stream.PutWord(0);
        m_stream.PutWord(0);
        m_stream.PutWord(wTypeAndParent);
        m_stream.PutByte(0x20);        // bottom aligned
        m_stream.PutByte(0);
        m_stream.PutDWord(0x000020C0); // automatic pattern colours
        m_stream.PutDWord(0);
        break;
    default:
        m_stream.BeginRecord(BIFF5_XF);
        m_stream.PutWord(0);
        m_stream.PutWord(0);
        m_stream.PutWord(wTypeAndParent);
        m_stream.PutByte(0x20);
        m_stream.PutByte(0);     // rotation
        m_stream.PutByte(0);     // indent
        m_stream.PutByte(0);
        m_stream.PutDWord(0);    // borders
        m_stream.PutDWord(0);
        m_stream.PutWord(0x20C0);
        break;
    }
    m_stream.EndRecord();
}

void CBiffWorkbookBuilder::PutNormalStyle()
{
    m_stream.BeginRecord(BIFF_STYLE);
    m_stream.PutWord(0x8000);  // built-in style of format 0
    m_stream.PutByte(0);       // "Normal"
    m_stream.PutByte(0xFF);
    m_stream.EndRecord();
}

// Fonts and cell formats: one style and one cell format up to BIFF4, the
// built-in styles before the cell format later.  BIFF2 cells carry their
// format in themselves.
void CBiffWorkbookBuilder::PutFormats()
{
    int nFonts = m_nVersion >= 5 ? 4 : 1;
    for (int i = 0; i < nFonts; ++i)
        PutFont();
    if (m_nVersion <= 4)
        PutGeneralFormat();
    if (m_nVersion == 2)
        return;
    for (int i = 0; i < m_wCellXf; ++i)
        PutXf(TRUE);
    PutXf(FALSE);
    PutNormalStyle();
}

size_t CBiffWorkbookBuilder::PutBoundSheet(const CString& strName)
{
    m_stream.BeginRecord(BIFF_BOUNDSHEET);
    size_t nPositionAt = m_stream.GetSize();
    m_stream.PutDWord(0);
    m_stream.PutByte(0);  // visible
    m_stream.PutByte(0);  // worksheet
    if (m_nVersion == 8)
        PutUnicodeString(strName);
    else
    {
        CString strBytes;
        DBTextFromDriver(strName, strName.GetLength(), strBytes, m_nTextCodePage);
        PutByteString(strBytes, FALSE);
    }
    m_stream.EndRecord();
    return nPositionAt;
}

void CBiffWorkbookBuilder::PutColumnWidths(const std::vector<int>& widths)
{
    for (size_t i = 0; i < widths.size() && i < SHEET_COLUMNS; ++i)
    {
        if (widths[i] <= 0)
            continue;
        if (m_nVersion == 2)
        {
            m_stream.BeginRecord(BIFF2_COLWIDTH);
            m_stream.PutByte((BYTE)i);
            m_stream.PutByte((BYTE)i);
            m_stream.PutWord(ColumnWidthUnits(widths[i]));
        }
        else
        {
            m_stream.BeginRecord(BIFF_COLINFO);
            m_stream.PutWord((WORD)i);
            m_stream.PutWord((WORD)i);
            m_stream.PutWord(ColumnWidthUnits(widths[i]));
            m_stream.PutWord(m_wCellXf);
            m_stream.PutWord(0);  // shown, no outline
            m_stream.PutWord(0);
        }
        m_stream.EndRecord();
    }
}

size_t CBiffWorkbookBuilder::PutDimensions(WORD nColumns)
{
    m_stream.BeginRecord(m_nVersion == 2 ? BIFF2_DIMENSIONS : BIFF3_DIMENSIONS);
    size_t nRowsAt = 0;
    if (m_nVersion == 8)
    {
        m_stream.PutDWord(0);
        nRowsAt = m_stream.GetSize();
        m_stream.PutDWord(0);
    }
    else
    {
        m_stream.PutWord(0);
        nRowsAt = m_stream.GetSize();
        m_stream.PutWord(0);
    }
    m_stream.PutWord(0);
    m_stream.PutWord(nColumns);
    if (m_nVersion > 2)
        m_stream.PutWord(0);
    m_stream.EndRecord();
    return nRowsAt;
}

void CBiffWorkbookBuilder::PatchDimensionRows(size_t nAt, DWORD nRows)
{
    if (m_nVersion == 8)
        m_stream.PatchDWord(nAt, nRows);
    else
        m_stream.PatchWord(nAt, (WORD)nRows);
}

void CBiffWorkbookBuilder::PutWindow2(BOOL bFirstSheet)
{
    if (m_nVersion == 2)
        return;
    m_stream.BeginRecord(BIFF_WINDOW2);
    // Grid, headers and zeros shown, automatic grid colour, outline
    // symbols; the first sheet is the selected and shown one.
    m_stream.PutWord(bFirstSheet ? 0x06B6 : 0x00B6);
    m_stream.PutWord(0);  // first row and column shown
    m_stream.PutWord(0);
    if (m_nVersion == 8)
    {
        m_stream.PutWord(0x40);  // grid colour index
        m_stream.PutWord(0);
        m_stream.PutWord(0);     // zoom of page break preview and normal view: default
        m_stream.PutWord(0);
        m_stream.PutDWord(0);
    }
    else
    {
        m_stream.PutDWord(0);  // grid colour
    }
    m_stream.EndRecord();
}

// A cell record's start: its position, then its format (BIFF2 cells carry
// their attributes in three bytes).
void CBiffWorkbookBuilder::BeginCell(WORD wBiff2Id, WORD wId, DWORD nRow, WORD nColumn, WORD wXf)
{
    m_stream.BeginRecord(m_nVersion == 2 ? wBiff2Id : wId);
    m_stream.PutWord((WORD)nRow);
    m_stream.PutWord(nColumn);
    if (m_nVersion == 2)
    {
        const BYTE attributes[3] = {0, 0, 0};
        m_stream.PutBytes(attributes, sizeof(attributes));
    }
    else
    {
        m_stream.PutWord(wXf);
    }
}

void CBiffWorkbookBuilder::PutNumber(DWORD nRow, WORD nColumn, double dValue)
{
    BeginCell(BIFF2_NUMBER, BIFF3_NUMBER, nRow, nColumn, m_wCellXf);
    m_stream.PutDouble(dValue);
    m_stream.EndRecord();
}

void CBiffWorkbookBuilder::PutLabel(DWORD nRow, WORD nColumn, const CString& strText, WORD wXf)
{
    if (m_nVersion == 8)
    {
        BeginCell(BIFF2_LABEL, BIFF8_LABELSST, nRow, nColumn, wXf);
        m_stream.PutDWord(m_strings.Add(strText));
    }
    else
    {
        BeginCell(BIFF2_LABEL, BIFF3_LABEL, nRow, nColumn, wXf);
        // Byte strings are in the workbook's code page: the system's, or
        // that of the workbook read.
        CString strBytes;
        DBTextFromDriver(strText, strText.GetLength(), strBytes, m_nTextCodePage);
        PutByteString(strBytes, m_nVersion > 2);
    }
    m_stream.EndRecord();
}

// A value flagged as a number is written as one when its text is one; all
// else is text, so that codes such as "001" keep their zeros.  NULL and the
// empty text leave the cell empty: Excel keeps no empty text in a cell, and
// FreeXL refuses an Excel 97 file that holds one.
void CBiffWorkbookBuilder::PutCell(DWORD nRow, WORD nColumn, const CSourceValue& value, CSheetFacts& facts)
{
    double dValue = 0;
    if (value.m_bNull || value.m_strText.IsEmpty())
        return;
    if (value.m_bNumber && ParseSourceNumber(value.m_strText, dValue))
    {
        PutNumber(nRow, nColumn, dValue);
        return;
    }
    facts.bLongText = facts.bLongText || IsLongerThanCell(value.m_strText, m_nVersion);
    PutLabel(nRow, nColumn, value.m_strText, m_wCellXf);
}

BOOL CBiffWorkbookBuilder::PutSheet(const CSourceTable& table, BOOL bFirstSheet, const CBiffSheetPart* pRead,
                                    CString& strReason)
{
    PutBof(BOF_WORKSHEET);
    if (m_nVersion <= 4)
    {
        PutCodePage();
        PutFormats();
    }
    if (pRead != NULL)
        PutReadRecords(*pRead, {BIFF_DEFAULTROWHEIGHT, BIFF_GCW, BIFF_DEFCOLWIDTH, BIFF_STANDARDWIDTH, BIFF_COLINFO});
    else
        PutColumnWidths(table.m_columnWidths);
    const WORD nColumns = (WORD)table.m_columns.size();
    // The count of rows is known when they have been written.
    const size_t nRowsAt = PutDimensions(nColumns);
    // An empty field name leaves its cell empty, as an empty value does.
    // The names keep the formats their cells had in the sheet read.
    const std::vector<WORD> nameXfs = pRead != NULL ? ReadFirstRowXfs(*pRead) : std::vector<WORD>();
    for (WORD nColumn = 0; nColumn < nColumns; ++nColumn)
        if (!table.m_columns[nColumn].IsEmpty())
            PutLabel(0, nColumn, table.m_columns[nColumn],
                     nColumn < nameXfs.size() && nameXfs[nColumn] != 0 ? nameXfs[nColumn] : m_wCellXf);
    CSheetFacts facts;
    DWORD nRow = 1;
    BOOL bRead = ForEachSourceRow(table, strReason, [&](const std::vector<CSourceValue>& row) {
        for (WORD nColumn = 0; nColumn < nColumns && nColumn < row.size(); ++nColumn)
            PutCell(nRow, nColumn, row[nColumn], facts);
        ++nRow;
        return TRUE;
    });
    facts.nRows = nRow - 1;
    m_facts.push_back(facts);
    if (!bRead)
        return FALSE;
    PatchDimensionRows(nRowsAt, nColumns > 0 ? nRow : 0);
    if (pRead == NULL || !PutReadRecords(*pRead, {BIFF_WINDOW2, BIFF_SCL, BIFF_PANE}))
        PutWindow2(bFirstSheet);
    PutEof();
    return TRUE;
}

BOOL CBiffWorkbookBuilder::Build(const std::vector<CSourceTable>& tables, CString& strReason)
{
    if (m_nVersion <= 4)
        return PutSheet(tables.front(), TRUE, NULL, strReason);
    if (m_pRead != NULL && (m_pRead->m_nVersion != m_nVersion || m_pRead->m_sheets.size() != tables.size()))
        m_pRead = NULL;
    // The globals come first but name the sheets' positions and, in BIFF8,
    // hold the strings of all cells: the sheets are built apart and joined.
    CBiffWorkbookBuilder sheets(m_nVersion);
    if (m_pRead != NULL)
        sheets.BeginOnRead(*m_pRead);
    std::vector<size_t> sheetStarts;
    std::vector<CPositionPatch> patches;
    for (size_t i = 0; i < tables.size(); ++i)
    {
        sheetStarts.push_back(sheets.m_stream.GetSize());
        const CBiffSheetPart* pRead = m_pRead != NULL ? &m_pRead->m_sheets[i] : NULL;
        if (pRead != NULL && tables[i].m_bAsInFile)
            sheets.PutReadSheet(*pRead, i, patches);
        else if (!sheets.PutSheet(tables[i], i == 0, pRead, strReason))
            return FALSE;
    }
    m_facts = sheets.m_facts;
    std::vector<size_t> positionFields;
    if (m_pRead != NULL)
        positionFields = PutReadGlobals(sheets.m_strings);
    else
    {
        PutBof(BOF_GLOBALS);
        PutCodePage();
        PutWindow1();
        PutFormats();
        for (const CSourceTable& table : tables)
            positionFields.push_back(PutBoundSheet(table.m_strName));
        if (m_nVersion == 8)
            sheets.m_strings.Write(m_stream);
    }
    PutEof();
    const size_t nGlobals = m_stream.GetSize();
    for (size_t i = 0; i < tables.size(); ++i)
        m_stream.PatchDWord(positionFields[i], (DWORD)(nGlobals + sheetStarts[i]));
    for (const CPositionPatch& patch : patches)
        sheets.m_stream.PatchDWord(patch.nAt, (DWORD)(nGlobals + sheetStarts[patch.nSheet] + patch.nInSheet));
    std::vector<BYTE>& bytes = m_stream.GetBytes();
    std::vector<BYTE>& sheetBytes = sheets.m_stream.GetBytes();
    bytes.insert(bytes.end(), sheetBytes.begin(), sheetBytes.end());
    return TRUE;
}
