#include "engines/dao/spreadsheet/xlsreader/BiffRecordCheck.h"

#include <algorithm>
#include <vector>

#include "engines/dao/spreadsheet/BiffRecordIds.h"
#include "engines/dao/spreadsheet/xlsreader/LittleEndian.h"

namespace
{

struct CRecord
{
    size_t nAt = 0;
    uint16_t nType = 0;
    uint16_t nLength = 0;
    const uint8_t* p = nullptr;
};

// The kind a BOF record names for a sheet of the type BOUNDSHEET gives
// (worksheet, macro sheet, chart, Visual Basic module); 0 for none.
uint16_t SubstreamKind(uint8_t nSheetType)
{
    switch (nSheetType)
    {
    case 0:
        return BOF_WORKSHEET;
    case 1:
        return BOF_MACRO_SHEET;
    case 2:
        return BOF_CHART;
    case 6:
        return BOF_VB_MODULE;
    default:
        return 0;
    }
}

// Record ids of every version lie in a few pages: those of BIFF2, BIFF3
// and BIFF4, Excel 97's, and its charts'.  A walk that lost step with the
// records meets others at once.
bool IsRecordId(uint16_t nType)
{
    switch (nType >> 8)
    {
    case 0x00:
    case 0x01:
    case 0x02:
    case 0x04:
    case 0x08:
    case 0x10:
        return true;
    default:
        return false;
    }
}

// Records of one size in Excel 5.0 and 97, wherever they stand: met with
// another size, or a record of Excel 2.1's met at all, they show a walk
// out of step with the records.
bool HasItsSize(uint16_t nType, uint16_t nLength)
{
    struct CSize
    {
        uint16_t nType;
        uint16_t nLength;
    };
    static const CSize SIZES[] = {
        // CALCCOUNT, CALCMODE, PRECISION, REFMODE, ITERATION, PROTECT,
        // PASSWORD, WINDOWPROTECT, DATEMODE, PRINTHEADERS, PRINTGRIDLINES,
        // BACKUP, CODEPAGE, DEFCOLWIDTH, SAVERECALC, WSBOOL, GRIDSET,
        // HCENTER, VCENTER, HIDEOBJ, STANDARDWIDTH, BOOKBOOL, SCENPROTECT,
        // PROT4REV, REFRESHALL, PROT4REVPASS
        {0x000C, 2}, {0x000D, 2}, {0x000E, 2}, {0x000F, 2}, {0x0011, 2}, {0x0012, 2}, {0x0013, 2},
        {0x0019, 2}, {0x0022, 2}, {0x002A, 2}, {0x002B, 2}, {0x0040, 2}, {0x0042, 2}, {0x0055, 2},
        {0x005F, 2}, {0x0081, 2}, {0x0082, 2}, {0x0083, 2}, {0x0084, 2}, {0x008D, 2}, {0x0099, 2},
        {0x00DA, 2}, {0x00DD, 2}, {0x01AF, 2}, {0x01B7, 2}, {0x01BC, 2},
        // SCL, DEFAULTROWHEIGHT; DELTA, the four margins, GUTS; WINDOW1; SETUP
        {0x00A0, 4}, {0x0225, 4}, {0x0010, 8}, {0x0026, 8}, {0x0027, 8}, {0x0028, 8}, {0x0029, 8},
        {0x0080, 8}, {0x003D, 18}, {0x00A1, 34},
    };
    if (nType <= 0x0009 && nType != BIFF_FORMULA)
        return false;
    for (const CSize& size : SIZES)
        if (size.nType == nType)
            return size.nLength == nLength;
    return true;
}

bool IsBof(uint16_t nType)
{
    return nType == BIFF2_BOF || nType == BIFF3_BOF || nType == BIFF4_BOF || nType == BIFF5_BOF;
}

// Bytes of the shared strings, which run on from the SST record into the
// CONTINUE records after it.
class CSstBytes
{
public:
    explicit CSstBytes(std::vector<CRecord> pieces) : m_pieces(std::move(pieces)) {}

    // What is left of the current record.
    size_t Left() const { return m_nPiece < m_pieces.size() ? m_pieces[m_nPiece].nLength - m_nAt : 0; }

    // Moves on to the next record; false after the last one.
    bool NextPiece()
    {
        if (m_nPiece + 1 >= m_pieces.size())
            return false;
        ++m_nPiece;
        m_nAt = 0;
        return true;
    }

    // Reads (or skips, for pBytes NULL) plain bytes, across records.
    bool Take(uint8_t* pBytes, size_t nCount)
    {
        while (nCount > 0)
        {
            if (Left() == 0 && !NextPiece())
                return false;
            size_t nTaken = (std::min)(nCount, Left());
            if (pBytes != nullptr)
            {
                std::copy_n(m_pieces[m_nPiece].p + m_nAt, nTaken, pBytes);
                pBytes += nTaken;
            }
            m_nAt += nTaken;
            nCount -= nTaken;
        }
        return true;
    }

    // The characters of a string: at each new record they go on with a
    // byte of their own that tells their width.
    bool TakeCharacters(uint32_t nCount, bool bWide)
    {
        while (nCount > 0)
        {
            if (Left() == 0)
            {
                uint8_t nFlags = 0;
                if (!NextPiece() || !Take(&nFlags, 1) || nFlags > 1)
                    return false;
                bWide = nFlags == 1;
            }
            size_t nWidth = bWide ? 2 : 1;
            size_t nTaken = (std::min)((size_t)nCount, Left() / nWidth);
            if (nTaken == 0)
                return false;
            m_nAt += nTaken * nWidth;
            nCount -= (uint32_t)nTaken;
        }
        return true;
    }

private:
    std::vector<CRecord> m_pieces;
    size_t m_nPiece = 0;
    size_t m_nAt = 0;
};

class CBiffCheck
{
public:
    explicit CBiffCheck(const CBytes& stream) : m_stream(stream) {}

    bool Check(bool bCompound)
    {
        CRecord record;
        if (!RecordAt(0, record) || !ReadVersion(record, bCompound))
            return false;
        int nDepth = 0;
        size_t nSubstreams = 0;
        for (size_t nAt = 0; nAt < m_stream.size(); nAt += 4 + record.nLength)
        {
            // After the last EOF only zeros may follow.
            if (nDepth == 0 && nSubstreams > 0
                && std::all_of(m_stream.data() + nAt, m_stream.data() + m_stream.size(),
                               [](uint8_t b) { return b == 0; }))
                break;
            if (!RecordAt(nAt, record))
                return false;
            if (IsBof(record.nType))
            {
                if (nDepth == 0)
                {
                    // Where the substream starts and the kind of sheet it holds.
                    m_substreams.push_back({(uint32_t)nAt, m_nVersion >= 5 ? ReadU16(record.p + 2) : (uint16_t)0});
                    ++nSubstreams;
                    m_bDimensions = false;
                }
                // A chart may sit inside a sheet, no deeper.
                if (++nDepth > 2 || !CheckBof(record))
                    return false;
                continue;
            }
            if (nDepth == 0)
                return false;
            if (record.nType == BIFF_EOF)
            {
                --nDepth;
                continue;
            }
            if (nDepth > 1)
                continue;
            // The globals: the first substream, or the one of a worksheet file.
            bool bGlobals = nSubstreams == 1;
            // The records after it are enciphered: the workbook is refused
            // as protected by a password, unread.
            if (bGlobals && record.nType == BIFF_FILEPASS)
                return true;
            if (m_nVersion >= 5 && !HasItsSize(record.nType, record.nLength))
                return false;
            if (bGlobals && !CheckGlobalRecord(record))
                return false;
            if ((m_nVersion <= 4 || !bGlobals) && !CheckSheetRecord(record))
                return false;
        }
        if (nDepth != 0 || nSubstreams == 0 || (m_nVersion <= 4 && nSubstreams != 1))
            return false;
        if (m_nVersion <= 4)
            return true;
        // Each sheet after the globals is listed, once and as the kind it
        // is: a record whose length is off makes the walk skip some.
        std::sort(m_sheets.begin(), m_sheets.end());
        return std::equal(m_sheets.begin(), m_sheets.end(), m_substreams.begin() + 1, m_substreams.end());
    }

private:
    // The record at nAt, whole within the stream and its version's
    // largest size.
    bool RecordAt(size_t nAt, CRecord& record) const
    {
        if (m_stream.size() - nAt < 4)
            return false;
        record.nAt = nAt;
        record.nType = ReadU16(m_stream.data() + nAt);
        record.nLength = ReadU16(m_stream.data() + nAt + 2);
        record.p = m_stream.data() + nAt + 4;
        return IsRecordId(record.nType) && record.nLength <= (m_nVersion == 8 ? 8224 : m_nVersion == 0 ? 0xFFFF : 2080)
               && record.nLength <= m_stream.size() - nAt - 4;
    }

    bool ReadVersion(const CRecord& first, bool bCompound)
    {
        if (first.nLength < 4)
            return false;
        m_nBofType = first.nType;
        if (first.nType == BIFF5_BOF)
        {
            uint16_t nVersion = ReadU16(first.p);
            m_nVersion = nVersion == 0x0600 ? 8 : nVersion == 0x0500 ? 5 : 0;
            return m_nVersion != 0 && bCompound && first.nLength >= 8;
        }
        m_nVersion = first.nType == BIFF2_BOF ? 2 : first.nType == BIFF3_BOF ? 3 : first.nType == BIFF4_BOF ? 4 : 0;
        return m_nVersion != 0 && !bCompound;
    }

    bool CheckBof(const CRecord& record) const
    {
        if (m_nVersion >= 5)
            return record.nType == BIFF5_BOF && record.nLength >= 8;
        return record.nType == m_nBofType && record.nLength >= 4;
    }

    // Checks a record of the globals; may read the records after it.
    bool CheckGlobalRecord(const CRecord& record)
    {
        const uint8_t* p = record.p;
        const size_t nLength = record.nLength;
        switch (record.nType)
        {
        case BIFF5_XF:
        case BIFF4_XF:
        case BIFF3_XF:
        case BIFF2_XF:
            ++m_nFormats;
            return nLength == (size_t)(m_nVersion == 8 ? 20 : m_nVersion == 5 ? 16 : m_nVersion >= 3 ? 12 : 4);
        case BIFF4_FORMAT:
            if (m_nVersion == 8)
                return nLength >= 5 && nLength == 5 + (size_t)ReadU16(p + 2) * ((p[4] & 1) ? 2 : 1);
            return nLength >= 3 && nLength == 3 + (size_t)p[2];
        case BIFF2_FORMAT:
            return m_nVersion <= 3 && nLength >= 1 && nLength == 1 + (size_t)p[0];
        case BIFF5_FONT:
            if (m_nVersion == 8)
                return nLength >= 16 && nLength == 16 + (size_t)p[14] * ((p[15] & 1) ? 2 : 1);
            return m_nVersion < 5 || (nLength >= 15 && nLength == 15 + (size_t)p[14]);
        case BIFF_BOUNDSHEET:
            if (m_nVersion < 5 || nLength < 7)
                return false;
            m_sheets.push_back({ReadU32(p), SubstreamKind(p[5])});
            if (p[4] > 2)
                return false;
            if (m_nVersion == 8)
                return nLength >= 8 && nLength == 8 + (size_t)p[6] * ((p[7] & 1) ? 2 : 1);
            return nLength == 7 + (size_t)p[6];
        case BIFF_SST:
            return m_nVersion == 8 && !m_bStrings && CheckSst(record);
        default:
            return true;
        }
    }

    // The SST record's unique strings, each whole within it and the
    // CONTINUE records that follow it.
    bool CheckSst(const CRecord& record)
    {
        if (record.nLength < 8)
            return false;
        m_bStrings = true;
        m_nStrings = ReadU32(record.p + 4);
        std::vector<CRecord> pieces{record};
        pieces[0].p += 8;
        pieces[0].nLength -= 8;
        CRecord next;
        for (size_t nAt = record.nAt + 4 + record.nLength; RecordAt(nAt, next) && next.nType == BIFF_CONTINUE;
             nAt += 4 + next.nLength)
            pieces.push_back(next);
        CSstBytes bytes(std::move(pieces));
        for (uint32_t n = 0; n < m_nStrings; ++n)
        {
            uint8_t head[3];
            if (!bytes.Take(head, sizeof(head)))
                return false;
            uint32_t nRuns = 0, nExtra = 0;
            uint8_t field[4];
            if ((head[2] & 0x08) != 0)
            {
                if (!bytes.Take(field, 2))
                    return false;
                nRuns = ReadU16(field);
            }
            if ((head[2] & 0x04) != 0)
            {
                if (!bytes.Take(field, 4))
                    return false;
                nExtra = ReadU32(field);
            }
            if (nExtra > 0x7FFFFFFF || !bytes.TakeCharacters(ReadU16(head), (head[2] & 1) != 0)
                || !bytes.Take(nullptr, (size_t)nRuns * 4 + nExtra))
                return false;
        }
        return true;
    }

    // A cell at the row and column, with the format index given: inside
    // the sheet's dimensions, which come before its cells.
    bool IsCellInside(uint16_t nRow, uint16_t nColumn) const
    {
        return m_bDimensions && nRow < m_nRows && nColumn < m_nColumns;
    }

    bool IsCell(const uint8_t* p) const
    {
        return IsCellInside(ReadU16(p), ReadU16(p + 2)) && (m_nVersion == 2 || ReadU16(p + 4) < m_nFormats);
    }

    // A run of cells (MULRK, MULBLANK): nEach bytes a cell after the row
    // and first column, then the last column, which must agree.
    bool IsCellRun(const CRecord& record, size_t nEach) const
    {
        const uint8_t* p = record.p;
        if (record.nLength < 6 + nEach || (record.nLength - 6) % nEach != 0)
            return false;
        size_t nCells = (record.nLength - 6) / nEach;
        uint16_t nFirst = ReadU16(p + 2);
        if ((size_t)ReadU16(p + record.nLength - 2) != nFirst + nCells - 1
            || !IsCellInside(ReadU16(p), (uint16_t)(nFirst + nCells - 1)))
            return false;
        for (size_t i = 0; i < nCells; ++i)
            if (ReadU16(p + 4 + i * nEach) >= m_nFormats)
                return false;
        return true;
    }

    // A text of nCount characters of one or two bytes, as the record's
    // flags byte says, fills the record from nFlagsAt.
    static bool IsWholeText(const CRecord& record, size_t nFlagsAt, size_t nCount)
    {
        return record.nLength > nFlagsAt
               && record.nLength == nFlagsAt + 1 + nCount * ((record.p[nFlagsAt] & 1) ? 2 : 1);
    }

    bool CheckDimensions(const CRecord& record)
    {
        const uint8_t* p = record.p;
        uint32_t nFirstRow, nRows;
        uint16_t nFirstColumn, nColumns;
        if (m_bDimensions)
            return false;
        if (m_nVersion == 8)
        {
            if (record.nLength != 14)
                return false;
            nFirstRow = ReadU32(p), nRows = ReadU32(p + 4), nFirstColumn = ReadU16(p + 8), nColumns = ReadU16(p + 10);
        }
        else
        {
            if (record.nLength != (m_nVersion == 2 ? 8 : 10))
                return false;
            nFirstRow = ReadU16(p), nRows = ReadU16(p + 2), nFirstColumn = ReadU16(p + 4), nColumns = ReadU16(p + 6);
        }
        m_bDimensions = true;
        m_nRows = nRows;
        m_nColumns = nColumns;
        return nFirstRow <= nRows && nFirstColumn <= nColumns && nRows <= (m_nVersion == 8 ? 65536u : 16384u)
               && nColumns <= 256;
    }

    bool CheckSheetRecord(const CRecord& record)
    {
        const uint8_t* p = record.p;
        const size_t nLength = record.nLength;
        if (m_nVersion == 2)
        {
            switch (record.nType)
            {
            case BIFF2_DIMENSIONS:
                return CheckDimensions(record);
            case BIFF2_BLANK:
                return nLength == 7 && IsCell(p);
            case BIFF2_INTEGER:
                return nLength == 9 && IsCell(p);
            case BIFF2_NUMBER:
                return nLength == 15 && IsCell(p);
            case BIFF2_LABEL:
                return nLength >= 8 && nLength == 8 + (size_t)p[7] && IsCell(p);
            case BIFF2_BOOLERR:
                return nLength == 9 && IsCell(p);
            case BIFF_FORMULA:
                return nLength >= 17 && 17 + (size_t)p[16] <= nLength && IsCell(p);
            default:
                return true;
            }
        }
        switch (record.nType)
        {
        case BIFF3_DIMENSIONS:
            return CheckDimensions(record);
        case BIFF_BLANK:
            return nLength == 6 && IsCell(p);
        case BIFF3_NUMBER:
            return nLength == 14 && IsCell(p);
        case BIFF_BOOLERR:
            return nLength == 8 && IsCell(p);
        case BIFF_RK:
            return nLength == 10 && IsCell(p);
        case BIFF_ROW:
            return nLength == 16;
        case BIFF3_LABEL:
            if (nLength < 8 || !IsCell(p))
                return false;
            return m_nVersion == 8 ? IsWholeText(record, 8, ReadU16(p + 6)) : nLength == 8 + (size_t)ReadU16(p + 6);
        case BIFF8_LABELSST:
            return m_nVersion == 8 && nLength == 10 && IsCell(p) && m_bStrings && ReadU32(p + 6) < m_nStrings;
        case BIFF_MULRK:
            return m_nVersion >= 5 && IsCellRun(record, 6);
        case BIFF_MULBLANK:
            return m_nVersion >= 5 && IsCellRun(record, 2);
        case BIFF_RSTRING:
            return nLength >= 9 && IsCell(p)
                   && nLength >= 9 + (size_t)ReadU16(p + 6) * (m_nVersion == 8 && (p[8] & 1) ? 2 : 1);
        case BIFF_FORMULA:
            return m_nVersion >= 5 && nLength >= 22 && 22 + (size_t)ReadU16(p + 20) <= nLength && IsCell(p);
        case BIFF3_FORMULA:
        case BIFF4_FORMULA:
            return m_nVersion <= 4 && nLength >= 18 && IsCell(p);
        case BIFF_STRING:
            return nLength >= 2;
        default:
            return true;
        }
    }

    const CBytes m_stream;
    int m_nVersion = 0;
    uint16_t m_nBofType = 0;
    // Sheets as the globals list them, and the substreams after the globals
    // as the walk finds them: where each starts and the kind its BOF names.
    std::vector<std::pair<uint32_t, uint16_t>> m_sheets;
    std::vector<std::pair<uint32_t, uint16_t>> m_substreams;
    uint32_t m_nFormats = 0;
    bool m_bStrings = false;
    uint32_t m_nStrings = 0;
    bool m_bDimensions = false;
    uint32_t m_nRows = 0;
    uint32_t m_nColumns = 0;
};

} // namespace

bool CheckBiffRecords(const CBytes& stream, bool bCompound)
{
    return CBiffCheck(stream).Check(bCompound);
}
