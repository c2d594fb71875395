#include "engines/dao/spreadsheet/XlsBookStream.h"

#include <freexl.h>
#include <string.h>

#include "engines/dao/SourceNumbers.h"
#include "engines/dao/spreadsheet/SheetCellGrid.h"
#include "engines/dao/spreadsheet/XlsCellStream.h"

namespace
{

// No text of a cell or a sheet name is longer (32,767 characters, UTF-8).
const uint32_t MAX_TEXT_BYTES = 4 * 32768;

CString DamagedMessage(const CString& strPath)
{
    return strPath + " is damaged or cut short and cannot be read.";
}

BOOL IsCellTag(char chTag)
{
    return chTag == xlscells::TAG_INTEGER || chTag == xlscells::TAG_DOUBLE || chTag == xlscells::TAG_TEXT;
}

// Reads records that this program wrote into a sheet's buffer.
class CCellCursor
{
public:
    CCellCursor(const std::string& bytes, size_t nAt) : m_pBytes(&bytes), m_nAt(nAt) {}

    template<class T>
    T Get()
    {
        T value;
        memcpy(&value, m_pBytes->data() + m_nAt, sizeof(T));
        m_nAt += sizeof(T);
        return value;
    }

    // The value of the cell record whose place was read, into pValue, or
    // passed over for pValue NULL: numbers flagged, dates and times as
    // their text.
    void GetValue(char chTag, CSourceValue* pValue)
    {
        if (chTag == xlscells::TAG_TEXT)
        {
            uint32_t nLength = Get<uint32_t>();
            if (pValue != NULL)
                SetSourceText(pValue->m_strText, m_pBytes->data() + m_nAt, (int)nLength);
            m_nAt += nLength;
        }
        else if (chTag == xlscells::TAG_INTEGER)
        {
            int32_t nValue = Get<int32_t>();
            if (pValue != NULL)
                SetSourceNumberText(pValue->m_strText, nValue);
        }
        else
        {
            double dValue = Get<double>();
            if (pValue != NULL)
                SetSourceNumberText(pValue->m_strText, dValue);
        }
        if (pValue != NULL)
        {
            pValue->m_bNull = false;
            pValue->m_bNumber = chTag != xlscells::TAG_TEXT;
        }
    }

    size_t At() const { return m_nAt; }

private:
    const std::string* m_pBytes;
    size_t m_nAt;
};

void SetNull(CSourceValue& value)
{
    value.m_bNull = true;
    value.m_bNumber = false;
    SetSourceText(value.m_strText, "", 0);
}

} // namespace

CString FreeXlMessage(const CString& strPath, int nResult)
{
    switch (nResult)
    {
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_BIFF_INVALID_BOF:
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return strPath + " is not an Excel workbook.";
    case FREEXL_INSUFFICIENT_MEMORY:
        return "There is not enough memory to read " + strPath + ".";
    case FREEXL_UNSUPPORTED_CHARSET:
        return strPath + " is written in a character set that cannot be read.";
    default:
        return DamagedMessage(strPath);
    }
}

BOOL CXlsBookStream::Open(const CString& strUnixPath, int& nVersion, std::vector<CXlsSheetShape>& shapes,
                          CString& strError)
{
    if (!m_run.Start((LPCSTR)strUnixPath))
    {
        strError = m_strPath + " cannot be read: the workbook reader " + CString(m_run.Program().c_str())
                   + " is missing or cannot be started.";
        return FALSE;
    }
    uint32_t nMagic = 0, nBiff = 0, nPassword = 0, nSheets = 0;
    char chTag = 0;
    if (!Get(nMagic) || nMagic != xlscells::STREAM_MAGIC || !Get(chTag)
        || (chTag == xlscells::TAG_BOOK && !(Get(nBiff) && Get(nPassword) && Get(nSheets))))
        FailDamaged();
    else if (chTag != xlscells::TAG_BOOK)
        FailOn(chTag);
    else if (nPassword == FREEXL_BIFF_OBFUSCATED)
        Fail(m_strPath + " is protected by a password and cannot be read.");
    std::vector<CXlsSheetShape> read;
    while (m_strFailure.IsEmpty() && read.size() < nSheets)
    {
        CXlsSheetShape shape;
        uint32_t nColumns = 0;
        if (!Get(chTag) || chTag != xlscells::TAG_SHEET)
        {
            FailOn(chTag);
            break;
        }
        if (!GetText(shape.m_strName) || !Get(shape.m_nRecords) || !Get(nColumns)
            || shape.m_nRecords >= CSheetCellGrid::MAX_ROWS || nColumns > CSheetCellGrid::MAX_COLUMNS)
        {
            FailDamaged();
            break;
        }
        m_sheets.emplace_back();
        CSheetCells& sheet = m_sheets.back();
        sheet.m_nRecords = shape.m_nRecords;
        sheet.m_nColumns = nColumns;
        // The first row's cells, read as a sheet's cells are.
        uint32_t nRow = 0;
        uint16_t nColumn = 0;
        while (PeekTag(chTag) && IsCellTag(chTag))
        {
            m_nInputAt += 1;
            if (!PullPlace(sheet, nRow, nColumn) || !KeepCell(chTag, nRow, nColumn, sheet))
                break;
        }
        shape.m_header.resize(nColumns);
        for (CSourceValue& value : shape.m_header)
            SetNull(value);
        CCellCursor cursor(sheet.m_bytes, 0);
        while (m_strFailure.IsEmpty() && cursor.At() < sheet.m_bytes.size())
        {
            char chCell = cursor.Get<char>();
            cursor.Get<uint32_t>();
            uint16_t nCellColumn = cursor.Get<uint16_t>();
            cursor.GetValue(chCell, &shape.m_header[nCellColumn]);
        }
        sheet.m_bytes.clear();
        read.push_back(std::move(shape));
    }
    if (!m_strFailure.IsEmpty())
    {
        strError = m_strFailure;
        return FALSE;
    }
    nVersion = (int)nBiff;
    shapes = std::move(read);
    return TRUE;
}

BOOL CXlsBookStream::ReadRow(size_t nSheet, unsigned nRow, std::vector<CSourceValue>& row, CString& strReason)
{
    CSheetCells& sheet = m_sheets[nSheet];
    row.resize(sheet.m_nColumns);
    for (CSourceValue& value : row)
        SetNull(value);
    for (;;)
    {
        if (sheet.m_nAt < sheet.m_bytes.size())
        {
            // The places were checked as the cells came: rows in order,
            // each within the sheet.
            CCellCursor cursor(sheet.m_bytes, sheet.m_nAt);
            char chTag = cursor.Get<char>();
            uint32_t nCellRow = cursor.Get<uint32_t>();
            uint16_t nColumn = cursor.Get<uint16_t>();
            if (nCellRow > nRow)
                return TRUE;
            cursor.GetValue(chTag, nCellRow == nRow ? &row[nColumn] : NULL);
            sheet.m_nAt = cursor.At();
            continue;
        }
        sheet.m_bytes.clear();
        sheet.m_nAt = 0;
        if (sheet.m_bWhole)
            return TRUE;
        // The sheet whose cells are coming takes them straight from the
        // output; a cell of a later row waits in its buffer.
        const bool bComing = nSheet + 1 == m_nStarted && !m_bEnded;
        bool bRowRead = false;
        if (bComing && !ReadCellsInPlace(sheet, nRow, row, bRowRead))
        {
            strReason = m_strFailure;
            return FALSE;
        }
        if (bRowRead)
            return TRUE;
        char chTag = 0;
        bool bPulled;
        if (bComing && PeekTag(chTag) && IsCellTag(chTag))
        {
            m_nInputAt += 1;
            uint32_t nCellRow = 0;
            uint16_t nColumn = 0;
            bPulled = PullPlace(sheet, nCellRow, nColumn);
            if (bPulled && nCellRow > nRow)
            {
                if (KeepCell(chTag, nCellRow, nColumn, sheet))
                    return TRUE;
                bPulled = false;
            }
            else
                bPulled = bPulled && PullValue(chTag, row[nColumn]);
        }
        else
            bPulled = PullRecord() || sheet.m_bWhole;
        if (!bPulled)
        {
            if (m_strFailure.IsEmpty())
                FailDamaged();
            strReason = m_strFailure;
            return FALSE;
        }
    }
}

BOOL CXlsBookStream::ReadPast(size_t nSheet, bool bToEnd, CString& strReason)
{
    while (!(bToEnd ? m_bEnded : m_sheets[nSheet].m_bWhole) && PullRecord())
    {
    }
    strReason = m_strFailure;
    return m_strFailure.IsEmpty();
}

bool CXlsBookStream::Need(size_t nCount)
{
    while (m_input.size() - m_nInputAt < nCount)
    {
        m_input.erase(0, m_nInputAt);
        m_nInputAt = 0;
        if (!m_run.ReadMore(m_input))
            return false;
    }
    return true;
}

bool CXlsBookStream::Take(void* p, size_t nCount)
{
    if (!Need(nCount))
        return false;
    memcpy(p, m_input.data() + m_nInputAt, nCount);
    m_nInputAt += nCount;
    return true;
}

bool CXlsBookStream::GetText(std::string& text)
{
    uint32_t nLength = 0;
    if (!Get(nLength) || nLength > MAX_TEXT_BYTES)
        return false;
    text.resize(nLength);
    return Take(&text[0], nLength);
}

bool CXlsBookStream::PeekTag(char& chTag)
{
    if (!Take(&chTag, 1))
        return false;
    --m_nInputAt;
    return true;
}

bool CXlsBookStream::PullRecord()
{
    if (m_bEnded)
        return false;
    char chTag = 0;
    if (!Get(chTag))
        return FailDamaged();
    if (IsCellTag(chTag))
    {
        if (m_nStarted == 0)
            return FailDamaged();
        CSheetCells& sheet = m_sheets[m_nStarted - 1];
        uint32_t nRow = 0;
        uint16_t nColumn = 0;
        return PullPlace(sheet, nRow, nColumn) && KeepCell(chTag, nRow, nColumn, sheet);
    }
    if (chTag == xlscells::TAG_ROWS || chTag == xlscells::TAG_END)
    {
        if (m_nStarted > 0)
            m_sheets[m_nStarted - 1].m_bWhole = true;
        if (chTag == xlscells::TAG_ROWS)
            return m_nStarted < m_sheets.size() ? (++m_nStarted, true) : FailDamaged();
        // Nothing may follow the end, and the reader must end well: a heap
        // that the file damaged may show only as FreeXL lets go of it.
        char chMore = 0;
        if (m_nStarted != m_sheets.size() || Take(&chMore, 1) || !m_run.Finish())
            return FailDamaged();
        m_bEnded = true;
        return false;
    }
    return FailOn(chTag);
}

bool CXlsBookStream::PullPlace(CSheetCells& sheet, uint32_t& nRow, uint16_t& nColumn)
{
    if (!Get(nRow) || !Get(nColumn) || !TakePlace(sheet, nRow, nColumn))
        return FailDamaged();
    return true;
}

bool CXlsBookStream::TakePlace(CSheetCells& sheet, uint32_t nRow, uint16_t nColumn)
{
    // Rows in order, each cell after the one before; the first row comes
    // with the shape, the others within the records.
    int64_t nPlace = (int64_t)nRow * CSheetCellGrid::MAX_COLUMNS + nColumn;
    if (nPlace <= sheet.m_nLastPlace || nColumn >= sheet.m_nColumns || nRow > sheet.m_nRecords
        || (nRow == 0) != (m_nStarted == 0))
        return false;
    sheet.m_nLastPlace = nPlace;
    return true;
}

bool CXlsBookStream::ReadCellsInPlace(CSheetCells& sheet, unsigned nRow, std::vector<CSourceValue>& row,
                                      bool& bRowRead)
{
    const char* const pInput = m_input.data();
    const size_t nEnd = m_input.size();
    const size_t nPlaceBytes = 1 + sizeof(uint32_t) + sizeof(uint16_t);
    size_t nAt = m_nInputAt;
    while (nEnd - nAt >= nPlaceBytes + sizeof(uint32_t))
    {
        const char chTag = pInput[nAt];
        if (!IsCellTag(chTag))
            break;
        uint32_t nCellRow, nLength = 0;
        uint16_t nColumn;
        memcpy(&nCellRow, pInput + nAt + 1, sizeof(nCellRow));
        memcpy(&nColumn, pInput + nAt + 5, sizeof(nColumn));
        const char* pValue = pInput + nAt + nPlaceBytes;
        size_t nValue = chTag == xlscells::TAG_INTEGER ? sizeof(int32_t) : sizeof(double);
        if (chTag == xlscells::TAG_TEXT)
        {
            memcpy(&nLength, pValue, sizeof(nLength));
            if (nLength > MAX_TEXT_BYTES)
                return FailDamaged();
            nValue = sizeof(nLength) + nLength;
        }
        if (nEnd - nAt - nPlaceBytes < nValue)
            break;
        // A later row's cell is left for that row, and checked then.
        if (nCellRow > nRow)
        {
            bRowRead = true;
            break;
        }
        if (!TakePlace(sheet, nCellRow, nColumn))
            return FailDamaged();
        if (nCellRow == nRow)
        {
            CSourceValue& value = row[nColumn];
            value.m_bNull = false;
            value.m_bNumber = chTag != xlscells::TAG_TEXT;
            if (chTag == xlscells::TAG_TEXT)
                SetSourceText(value.m_strText, pValue + sizeof(nLength), (int)nLength);
            else if (chTag == xlscells::TAG_INTEGER)
            {
                int32_t nNumber;
                memcpy(&nNumber, pValue, sizeof(nNumber));
                SetSourceNumberText(value.m_strText, nNumber);
            }
            else
            {
                double dNumber;
                memcpy(&dNumber, pValue, sizeof(dNumber));
                SetSourceNumberText(value.m_strText, dNumber);
            }
        }
        nAt += nPlaceBytes + nValue;
    }
    m_nInputAt = nAt;
    return true;
}

bool CXlsBookStream::PullValue(char chTag, CSourceValue& value)
{
    if (chTag == xlscells::TAG_TEXT)
    {
        uint32_t nLength = 0;
        if (!Get(nLength) || nLength > MAX_TEXT_BYTES || !Need(nLength))
            return FailDamaged();
        SetSourceText(value.m_strText, m_input.data() + m_nInputAt, (int)nLength);
        m_nInputAt += nLength;
    }
    else if (chTag == xlscells::TAG_INTEGER)
    {
        int32_t nValue = 0;
        if (!Get(nValue))
            return FailDamaged();
        SetSourceNumberText(value.m_strText, nValue);
    }
    else
    {
        double dValue = 0;
        if (!Get(dValue))
            return FailDamaged();
        SetSourceNumberText(value.m_strText, dValue);
    }
    value.m_bNull = false;
    value.m_bNumber = chTag != xlscells::TAG_TEXT;
    return true;
}

bool CXlsBookStream::KeepCell(char chTag, uint32_t nRow, uint16_t nColumn, CSheetCells& sheet)
{
    std::string& bytes = sheet.m_bytes;
    bytes += chTag;
    bytes.append(reinterpret_cast<const char*>(&nRow), sizeof(nRow));
    bytes.append(reinterpret_cast<const char*>(&nColumn), sizeof(nColumn));
    size_t nValue = chTag == xlscells::TAG_INTEGER ? sizeof(int32_t)
                    : chTag == xlscells::TAG_DOUBLE ? sizeof(double)
                                                    : sizeof(uint32_t);
    size_t nHeld = bytes.size();
    bytes.resize(nHeld + nValue);
    if (!Take(&bytes[nHeld], nValue))
        return FailDamaged();
    if (chTag != xlscells::TAG_TEXT)
        return true;
    uint32_t nLength = 0;
    memcpy(&nLength, &bytes[nHeld], sizeof(nLength));
    if (nLength > MAX_TEXT_BYTES)
        return FailDamaged();
    bytes.resize(nHeld + nValue + nLength);
    return Take(&bytes[nHeld + nValue], nLength) || FailDamaged();
}

bool CXlsBookStream::Fail(const CString& strFailure)
{
    if (m_strFailure.IsEmpty())
        m_strFailure = strFailure;
    m_bEnded = true;
    m_run.Finish();
    return false;
}

bool CXlsBookStream::FailOn(char chTag)
{
    int32_t nResult = 0;
    if (chTag == xlscells::TAG_FAILED && Get(nResult) && nResult != FREEXL_OK)
        return Fail(FreeXlMessage(m_strPath, nResult));
    return FailDamaged();
}

bool CXlsBookStream::FailDamaged()
{
    return Fail(DamagedMessage(m_strPath));
}
