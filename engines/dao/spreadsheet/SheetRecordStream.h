// A stream of worksheet file records built in memory, as both Excel (BIFF)
// and Lotus files frame them: each record is its 16-bit id, the 16-bit
// length of its data and the data, all little-endian.
#pragma once

#include <stddef.h>

#include <vector>

#include "framework/core/Base.h"

class CSheetRecordStream
{
public:
    // Starts a record; its length is filled in by EndRecord.
    void BeginRecord(WORD wId);
    void EndRecord();

    void PutByte(BYTE b) { m_bytes.push_back(b); }
    void PutWord(WORD w);
    void PutDWord(DWORD dw);
    void PutDouble(double d);
    void PutBytes(const void* pData, size_t nCount);
    // Overwrite bytes written before (a position or count known only later).
    void PatchWord(size_t nAt, WORD w);
    void PatchDWord(size_t nAt, DWORD dw);

    // Bytes of the whole stream so far: the stream position of what is put next.
    size_t GetSize() const { return m_bytes.size(); }
    // Stream position of the open record's header.
    size_t GetRecordStart() const { return m_nRecordStart; }
    // Data bytes the open record holds so far.
    size_t GetRecordDataSize() const { return m_bytes.size() - m_nRecordStart - 4; }

    std::vector<BYTE>& GetBytes() { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
    size_t m_nRecordStart = 0;
};
