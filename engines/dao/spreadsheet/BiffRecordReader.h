// Walks the records of a BIFF stream held in memory (an Excel workbook's
// stream, or a BIFF2 to BIFF4 worksheet file): each record is its 16-bit
// id, the 16-bit length of its data and the data, all little-endian.
#pragma once

#include <stddef.h>

#include "framework/core/Base.h"

class CBiffRecordReader
{
public:
    // The nSize bytes at pStream, walked from the record at nStart.
    CBiffRecordReader(const BYTE* pStream, size_t nSize, size_t nStart = 0);

    // Moves to the next record (the first, at the first call); FALSE at the
    // stream's end, or when the record runs past it (IsCut then tells).
    BOOL Next();
    BOOL IsCut() const { return m_bCut; }

    WORD GetId() const { return m_wId; }
    WORD GetLength() const { return m_wLength; }
    const BYTE* GetData() const { return m_pStream + m_nStart + 4; }
    // Stream positions of the record's header and of the byte after it.
    size_t GetStart() const { return m_nStart; }
    size_t GetEnd() const { return m_nStart + 4 + m_wLength; }

    // Fields of the record's data by their offset; 0 where the data ends
    // before them.
    BYTE DataByte(size_t nAt) const;
    WORD DataWord(size_t nAt) const;
    DWORD DataDWord(size_t nAt) const;

private:
    const BYTE* m_pStream;
    size_t m_nSize;
    size_t m_nStart;
    size_t m_nNext;
    WORD m_wId = 0;
    WORD m_wLength = 0;
    BOOL m_bCut = FALSE;
};
