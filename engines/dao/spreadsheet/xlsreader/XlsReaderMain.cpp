// xlsreader FILE: reads the Excel workbook through FreeXL and writes its
// facts and cells to the standard output (XlsCellStream.h).  The engine
// runs it as a process of its own, so that a damaged workbook that throws
// FreeXL off ends this program, never the one that asked.
#include <freexl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "engines/dao/spreadsheet/FreeXlCells.h"
#include "engines/dao/spreadsheet/XlsCellStream.h"
#include "engines/dao/spreadsheet/xlsreader/XlsFileCheck.h"

namespace
{

// Records gathered in memory.
class CRecordBytes
{
public:
    template<class T>
    void Put(T value)
    {
        Append(&value, sizeof(value));
    }

    void PutText(const char* psz)
    {
        uint32_t nLength = psz != NULL ? (uint32_t)strlen(psz) : 0;
        Put(nLength);
        Append(psz, nLength);
    }

    void PutBytes(const CRecordBytes& other) { Append(other.m_bytes.data(), other.m_nUsed); }

protected:
    void Append(const void* p, size_t nCount)
    {
        if (m_bytes.size() - m_nUsed < nCount)
            m_bytes.resize(std::max(m_bytes.size() * 2, m_nUsed + nCount + 4096));
        memcpy(m_bytes.data() + m_nUsed, p, nCount);
        m_nUsed += nCount;
    }

    std::vector<char> m_bytes;
    size_t m_nUsed = 0;
};

// The records, written to the standard output in large pieces.
class CCellWriter : public CRecordBytes
{
public:
    ~CCellWriter() { Flush(); }

    // Writes what was gathered once it is a large piece.
    void Pass()
    {
        if (m_nUsed >= 1 << 18)
            Flush();
    }

    void Flush()
    {
        if (m_nUsed > 0)
            fwrite(m_bytes.data(), 1, m_nUsed, stdout);
        m_nUsed = 0;
        fflush(stdout);
    }
};

bool HoldsValue(const FreeXL_CellValue& cell)
{
    switch (cell.type)
    {
    case FREEXL_CELL_INT:
    case FREEXL_CELL_DOUBLE:
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return true;
    default:
        return false;
    }
}

void PutCell(CRecordBytes& out, unsigned nRow, unsigned nColumn, const FreeXL_CellValue& cell)
{
    out.Put(cell.type == FREEXL_CELL_INT      ? xlscells::TAG_INTEGER
            : cell.type == FREEXL_CELL_DOUBLE ? xlscells::TAG_DOUBLE
                                              : xlscells::TAG_TEXT);
    out.Put((uint32_t)nRow);
    out.Put((uint16_t)nColumn);
    if (cell.type == FREEXL_CELL_INT)
        out.Put((int32_t)cell.value.int_value);
    else if (cell.type == FREEXL_CELL_DOUBLE)
        out.Put(cell.value.double_value);
    else
        out.PutText(cell.value.text_value);
}

// The sheet's shape (its name, the rows below the first up to the last
// that holds a value, the columns up to the last that holds one) and the
// cells of its first row.
int PutSheetShape(CCellWriter& out, const void* pHandle, unsigned short nSheet, unsigned int nVersion)
{
    const char* pszName = NULL;
    if (nVersion >= 5 && freexl_get_worksheet_name(pHandle, nSheet, &pszName) != FREEXL_OK)
        pszName = NULL;
    uint32_t nLastRow = 0, nColumns = 0;
    CRecordBytes header;
    int nResult = ForEachFreeXlCell(pHandle, nSheet, [&](unsigned nRow, unsigned nColumn, const FreeXL_CellValue& cell) {
        if (!HoldsValue(cell))
            return true;
        nLastRow = nRow;
        nColumns = std::max(nColumns, (uint32_t)nColumn + 1);
        if (nRow == 0)
            PutCell(header, nRow, nColumn, cell);
        return true;
    });
    out.Put(xlscells::TAG_SHEET);
    out.PutText(pszName);
    out.Put(nLastRow);
    out.Put(nColumns);
    out.PutBytes(header);
    return nResult;
}

// The workbook's facts, its sheets' shapes and then their cells; FreeXL's
// result.
int PutWorkbook(CCellWriter& out, const void* pHandle)
{
    unsigned int nVersion = 0, nPassword = 0, nSheets = 0;
    int nResult = freexl_get_info(pHandle, FREEXL_BIFF_VERSION, &nVersion);
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(pHandle, FREEXL_BIFF_PASSWORD, &nPassword);
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(pHandle, FREEXL_BIFF_SHEET_COUNT, &nSheets);
    if (nResult != FREEXL_OK)
        return nResult;
    out.Put(xlscells::TAG_BOOK);
    out.Put((uint32_t)nVersion);
    out.Put((uint32_t)nPassword);
    out.Put((uint32_t)nSheets);
    if (nPassword == FREEXL_BIFF_OBFUSCATED)
        return FREEXL_OK;
    for (unsigned int nSheet = 0; nSheet < nSheets && nResult == FREEXL_OK; ++nSheet)
        nResult = PutSheetShape(out, pHandle, (unsigned short)nSheet, nVersion);
    // The shapes go at once: the engine makes its tables of them while the
    // cells follow.
    out.Flush();
    for (unsigned int nSheet = 0; nSheet < nSheets && nResult == FREEXL_OK; ++nSheet)
    {
        out.Put(xlscells::TAG_ROWS);
        nResult = ForEachFreeXlCell(pHandle, (unsigned short)nSheet,
                                    [&out](unsigned nRow, unsigned nColumn, const FreeXL_CellValue& cell) {
                                        if (nRow > 0 && HoldsValue(cell))
                                        {
                                            PutCell(out, nRow, nColumn, cell);
                                            out.Pass();
                                        }
                                        return true;
                                    });
    }
    return nResult;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: %s WORKBOOK.xls\n", argv[0]);
        return 2;
    }
    // The check runs beside FreeXL's reading, which takes as long: a file
    // it refuses ends the program at once, whatever FreeXL is doing.
    const char* pszPath = argv[1];
    std::thread check([pszPath] {
        if (CheckXlsFile(pszPath))
            return;
        CCellWriter damaged;
        damaged.Put(xlscells::STREAM_MAGIC);
        damaged.Put(xlscells::TAG_DAMAGED);
        damaged.Flush();
        _exit(0);
    });
    const void* pHandle = NULL;
    int nResult = freexl_open(pszPath, &pHandle);
    check.join();
    CCellWriter out;
    out.Put(xlscells::STREAM_MAGIC);
    if (nResult == FREEXL_OK)
        nResult = PutWorkbook(out, pHandle);
    // Closed before the end is told: a heap that the file damaged shows
    // here, and the cells before it count for nothing.
    freexl_close(pHandle);
    if (nResult != FREEXL_OK)
    {
        out.Put(xlscells::TAG_FAILED);
        out.Put((int32_t)nResult);
    }
    else
        out.Put(xlscells::TAG_END);
    return 0;
}
