#include "engines/dao/spreadsheet/SheetRecordStream.h"

#include <string.h>

void CSheetRecordStream::BeginRecord(WORD wId)
{
    m_nRecordStart = m_bytes.size();
    PutWord(wId);
    PutWord(0);
}

void CSheetRecordStream::EndRecord()
{
    size_t nLength = GetRecordDataSize();
    m_bytes[m_nRecordStart + 2] = (BYTE)(nLength & 0xFF);
    m_bytes[m_nRecordStart + 3] = (BYTE)(nLength >> 8);
}

void CSheetRecordStream::PutWord(WORD w)
{
    m_bytes.push_back((BYTE)(w & 0xFF));
    m_bytes.push_back((BYTE)(w >> 8));
}

void CSheetRecordStream::PutDWord(DWORD dw)
{
    PutWord((WORD)(dw & 0xFFFF));
    PutWord((WORD)(dw >> 16));
}

void CSheetRecordStream::PutDouble(double d)
{
    // IEEE 754 little-endian, as the machine holds it.
    PutBytes(&d, sizeof(d));
}

void CSheetRecordStream::PutBytes(const void* pData, size_t nCount)
{
    const BYTE* p = static_cast<const BYTE*>(pData);
    m_bytes.insert(m_bytes.end(), p, p + nCount);
}

void CSheetRecordStream::PatchWord(size_t nAt, WORD w)
{
    m_bytes[nAt] = (BYTE)(w & 0xFF);
    m_bytes[nAt + 1] = (BYTE)(w >> 8);
}

void CSheetRecordStream::PatchDWord(size_t nAt, DWORD dw)
{
    for (int i = 0; i < 4; ++i)
        m_bytes[nAt + i] = (BYTE)(dw >> (8 * i));
}
