// xlsreader FILE: reads the Excel workbook through FreeXL and writes its
// facts and cells to the standard output (XlsCellStream.h).  The engine
// runs it as a process of its own, so that a damaged workbook that throws
// FreeXL off ends this program, never the one that asked.
#include <freexl.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "engines/dao/spreadsheet/FreeXlCells.h"
#include "engines/dao/spreadsheet/XlsCellStream.h"
#include "engines/dao/spreadsheet/xlsreader/XlsFileCheck.h"

namespace
{

// The records, gathered and written in large pieces.
class CCellWriter
{
public:
    ~CCellWriter() { Flush(); }

    template<class T>
    void Put(T value)
    {
        m_buffer.append(reinterpret_cast<const char*>(&value), sizeof(value));
        if (m_buffer.size() >= 1 << 16)
            Flush();
    }

    void PutText(const char* psz)
    {
        uint32_t nLength = psz != NULL ? (uint32_t)strlen(psz) : 0;
        Put(nLength);
        m_buffer.append(psz != NULL ? psz : "", nLength);
    }

    void Flush()
    {
        if (!m_buffer.empty())
            fwrite(m_buffer.data(), 1, m_buffer.size(), stdout);
        m_buffer.clear();
        fflush(stdout);
    }

private:
    std::string m_buffer;
};

bool PutCell(CCellWriter& out, unsigned nRow, unsigned nColumn, const FreeXL_CellValue& cell)
{
    switch (cell.type)
    {
    case FREEXL_CELL_INT:
        out.Put(xlscells::TAG_INTEGER);
        break;
    case FREEXL_CELL_DOUBLE:
        out.Put(xlscells::TAG_DOUBLE);
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        out.Put(xlscells::TAG_TEXT);
        break;
    default:
        return true;
    }
    out.Put((uint32_t)nRow);
    out.Put((uint16_t)nColumn);
    if (cell.type == FREEXL_CELL_INT)
        out.Put((int32_t)cell.value.int_value);
    else if (cell.type == FREEXL_CELL_DOUBLE)
        out.Put(cell.value.double_value);
    else
        out.PutText(cell.value.text_value);
    return true;
}

// The workbook's cells after its facts; FreeXL's result.
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
    {
        const char* pszName = NULL;
        if (nVersion >= 5 && freexl_get_worksheet_name(pHandle, (unsigned short)nSheet, &pszName) != FREEXL_OK)
            pszName = NULL;
        out.Put(xlscells::TAG_SHEET);
        out.PutText(pszName);
        nResult = ForEachFreeXlCell(pHandle, (unsigned short)nSheet,
                                    [&out](unsigned nRow, unsigned nColumn, const FreeXL_CellValue& cell) {
                                        return PutCell(out, nRow, nColumn, cell);
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
    CCellWriter out;
    out.Put(xlscells::STREAM_MAGIC);
    if (!CheckXlsFile(argv[1]))
    {
        out.Put(xlscells::TAG_DAMAGED);
        return 0;
    }
    const void* pHandle = NULL;
    int nResult = freexl_open(argv[1], &pHandle);
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
