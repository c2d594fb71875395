#include "framework/core/MemFile.h"

#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_lpBuffer(NULL), m_nBufferSize(0), m_nFileSize(0), m_nPosition(0),
      m_nGrowBytes(nGrowBytes > 0 ? nGrowBytes : 1)
{
}

CMemFile::CMemFile(const void* pData, UINT nSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    if (nSize > 0)
    {
        GrowTo(nSize);
        memcpy(m_lpBuffer, pData, nSize);
        m_nFileSize = nSize;
    }
}

CMemFile::~CMemFile()
{
    free(m_lpBuffer);
}

void CMemFile::GrowTo(SIZE_T nNewSize)
{
    if (nNewSize <= m_nBufferSize)
        return;
    if (nNewSize > ((SIZE_T)-1) / 4)
        AfxThrowMemoryException();
    // Doubling keeps many small writes linear overall.
    SIZE_T nAlloc = m_nBufferSize * 2;
    if (nAlloc < nNewSize)
        nAlloc = nNewSize;
    nAlloc = (nAlloc + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* p = (BYTE*)realloc(m_lpBuffer, nAlloc);
    if (p == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = p;
    m_nBufferSize = nAlloc;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    SIZE_T nLeft = m_nFileSize - m_nPosition;
    UINT nRead = nLeft < nCount ? (UINT)nLeft : nCount;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_nPosition > ((SIZE_T)-1) - nCount)
        AfxThrowMemoryException();
    SIZE_T nEnd = m_nPosition + nCount;
    GrowTo(nEnd);
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (nEnd > m_nFileSize)
        m_nFileSize = nEnd;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base;
    switch (nFrom)
    {
    case begin: base = 0; break;
    case current: base = (LONGLONG)m_nPosition; break;
    case end: base = (LONGLONG)m_nFileSize; break;
    default:
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    }
    // The sum of a non-negative base and a negative offset cannot overflow;
    // a positive offset can.
    if ((lOff > 0 && base > INT64_MAX - lOff) || base + lOff < 0)
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
    m_nPosition = (SIZE_T)(base + lOff);
    return m_nPosition;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > ((SIZE_T)-1) / 4)
        AfxThrowMemoryException();
    SIZE_T nNewLen = (SIZE_T)dwNewLen;
    if (nNewLen > m_nFileSize)
    {
        GrowTo(nNewLen);
        memset(m_lpBuffer + m_nFileSize, 0, nNewLen - m_nFileSize);
    }
    m_nFileSize = nNewLen;
    m_nPosition = nNewLen;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
}

void CMemFile::Abort()
{
    Close();
}
