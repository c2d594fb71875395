#include "engines/dao/spreadsheet/BiffRecordReader.h"

CBiffRecordReader::CBiffRecordReader(const BYTE* pStream, size_t nSize, size_t nStart)
    : m_pStream(pStream), m_nSize(nSize), m_nStart(nStart), m_nNext(nStart)
{
}

BOOL CBiffRecordReader::Next()
{
    if (m_bCut || m_nNext + 4 > m_nSize)
        return FALSE;
    m_nStart = m_nNext;
    m_wId = (WORD)(m_pStream[m_nStart] | m_pStream[m_nStart + 1] << 8);
    m_wLength = (WORD)(m_pStream[m_nStart + 2] | m_pStream[m_nStart + 3] << 8);
    if (m_nStart + 4 + m_wLength > m_nSize)
    {
        m_bCut = TRUE;
        return FALSE;
    }
    m_nNext = GetEnd();
    return TRUE;
}

BYTE CBiffRecordReader::DataByte(size_t nAt) const
{
    return nAt < m_wLength ? GetData()[nAt] : 0;
}

WORD CBiffRecordReader::DataWord(size_t nAt) const
{
    return (WORD)(DataByte(nAt) | DataByte(nAt + 1) << 8);
}

DWORD CBiffRecordReader::DataDWord(size_t nAt) const
{
    return (DWORD)DataWord(nAt) | (DWORD)DataWord(nAt + 2) << 16;
}
