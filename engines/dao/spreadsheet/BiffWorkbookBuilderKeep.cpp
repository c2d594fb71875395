// The builder's side of a workbook read: its globals and its sheets'
// records copied into the new workbook.
#include "engines/dao/spreadsheet/BiffWorkbookBuilder.h"

#include <algorithm>
#include <iterator>

#include "engines/dao/spreadsheet/BiffRecordIds.h"
#include "engines/dao/spreadsheet/BiffRecordReader.h"

void CBiffWorkbookBuilder::BeginOnRead(const CBiffWorkbookParts& read)
{
    m_pRead = &read;
    m_strings.Keep(read.m_strings);
    // The cell format PutReadGlobals adds after those of the file.
    m_wCellXf = (WORD)read.m_nXfs;
    if (read.m_nVersion < 8)
        m_nTextCodePage = read.m_nCodePage;
}

void CBiffWorkbookBuilder::PutRecordCopy(const BYTE* pRecord, size_t nSize)
{
    m_stream.PutBytes(pRecord, nSize);
}

// A sheet as the file holds it.  Its cells name the strings of the file at
// the same indexes; the positions its INDEX record gives move with it.
void CBiffWorkbookBuilder::PutReadSheet(const CBiffSheetPart& sheet, size_t nSheet,
                                        std::vector<CPositionPatch>& patches)
{
    const std::vector<BYTE>& stream = m_pRead->m_stream;
    const size_t nBase = m_stream.GetSize();
    PutRecordCopy(stream.data() + sheet.nStart, sheet.nEnd - sheet.nStart);
    // Past rwMic and rwMac: the DEFCOLWIDTH record's position, then each
    // row block's DBCELL record's.
    const size_t nFirstPosition = m_nVersion == 8 ? 12 : 8;
    DWORD nUses = 0;
    CBiffRecordReader reader(stream.data(), sheet.nEnd, sheet.nStart);
    while (reader.Next())
    {
        if (reader.GetId() == BIFF8_LABELSST)
            ++nUses;
        if (reader.GetId() != BIFF_INDEX)
            continue;
        for (size_t nAt = nFirstPosition; nAt + 4 <= reader.GetLength(); nAt += 4)
        {
            const DWORD nPosition = reader.DataDWord(nAt);
            if (nPosition >= sheet.nStart && nPosition < sheet.nEnd)
                patches.push_back({nBase + reader.GetStart() + 4 + nAt - sheet.nStart,
                                   (DWORD)(nPosition - sheet.nStart), nSheet});
        }
    }
    m_strings.CountUses(nUses);
    CSheetFacts facts;
    facts.bKept = TRUE;
    m_facts.push_back(facts);
}

BOOL CBiffWorkbookBuilder::PutReadRecords(const CBiffSheetPart& sheet, const std::vector<WORD>& ids)
{
    const std::vector<BYTE>& stream = m_pRead->m_stream;
    CBiffRecordReader reader(stream.data(), sheet.nEnd, sheet.nStart);
    int nDepth = 0;
    BOOL bPut = FALSE;
    while (reader.Next())
    {
        const WORD wId = reader.GetId();
        if (wId == BIFF5_BOF)
            ++nDepth;
        else if (wId == BIFF_EOF)
            --nDepth;
        else if (nDepth == 1 && std::find(ids.begin(), ids.end(), wId) != ids.end())
        {
            PutRecordCopy(stream.data() + reader.GetStart(), reader.GetEnd() - reader.GetStart());
            bPut = TRUE;
        }
    }
    return bPut;
}

std::vector<WORD> CBiffWorkbookBuilder::ReadFirstRowXfs(const CBiffSheetPart& sheet) const
{
    // Records of one cell: row, column and cell format first.
    static const WORD CELL_IDS[] = {BIFF3_NUMBER, BIFF3_LABEL, BIFF8_LABELSST, BIFF_RK,     BIFF_BLANK,
                                    BIFF_BOOLERR, BIFF_FORMULA, BIFF_RSTRING};
    const std::vector<BYTE>& stream = m_pRead->m_stream;
    std::vector<WORD> xfs;
    CBiffRecordReader reader(stream.data(), sheet.nEnd, sheet.nStart);
    int nDepth = 0;
    while (reader.Next())
    {
        const WORD wId = reader.GetId();
        nDepth += wId == BIFF5_BOF ? 1 : wId == BIFF_EOF ? -1 : 0;
        if (nDepth != 1 || reader.DataWord(0) != 0)
            continue;
        const WORD nColumn = reader.DataWord(2);
        if (std::find(std::begin(CELL_IDS), std::end(CELL_IDS), wId) != std::end(CELL_IDS))
        {
            xfs.resize(std::max<size_t>(xfs.size(), nColumn + 1u));
            xfs[nColumn] = reader.DataWord(4);
        }
        else if (wId == BIFF_MULBLANK)
        {
            // Column after column a cell format, then the last column.
            for (size_t nAt = 4; nAt + 4 <= reader.GetLength(); nAt += 2)
            {
                const size_t nThis = nColumn + (nAt - 4) / 2;
                xfs.resize(std::max(xfs.size(), nThis + 1));
                xfs[nThis] = reader.DataWord(nAt);
            }
        }
    }
    return xfs;
}

// The records of the globals read, up to their EOF, in their order, but
// for the sheets' entries (their positions change) and the shared strings
// (cells of rebuilt sheets add theirs), written where the file had them;
// the rebuilt sheets' cell format follows the file's last one.
std::vector<size_t> CBiffWorkbookBuilder::PutReadGlobals(const CBiffStringTable& strings)
{
    const std::vector<BYTE>& stream = m_pRead->m_stream;
    std::vector<size_t> positionFields;
    BOOL bStringsPut = FALSE;
    WORD wLastId = 0;
    CBiffRecordReader reader(stream.data(), m_pRead->m_nGlobalsEnd);
    while (reader.Next())
    {
        const WORD wId = reader.GetId();
        const BOOL bOfStrings = wId == BIFF_SST || wId == BIFF_EXTSST || (wId == BIFF_CONTINUE && wLastId == BIFF_SST);
        if (wId != BIFF_CONTINUE)
            wLastId = wId;
        if (wId == BIFF_BOUNDSHEET)
        {
            if (positionFields.empty())
            {
                for (const CBiffSheetPart& sheet : m_pRead->m_sheets)
                {
                    CBiffRecordReader entry(stream.data(), stream.size(), sheet.nBoundSheet);
                    entry.Next();
                    m_stream.BeginRecord(BIFF_BOUNDSHEET);
                    positionFields.push_back(m_stream.GetSize());
                    m_stream.PutBytes(entry.GetData(), entry.GetLength());
                    m_stream.EndRecord();
                }
            }
        }
        else if (bOfStrings)
        {
            if (wId == BIFF_SST)
            {
                strings.Write(m_stream);
                bStringsPut = TRUE;
            }
        }
        else
            PutRecordCopy(stream.data() + reader.GetStart(), reader.GetEnd() - reader.GetStart());
        if (reader.GetStart() == m_pRead->m_nLastXf)
            PutXf(FALSE);
    }
    if (m_nVersion == 8 && !bStringsPut)
        strings.Write(m_stream);
    return positionFields;
}
