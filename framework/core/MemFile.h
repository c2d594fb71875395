// A file held in a growable block of memory: an archive's target when the
// bytes are wanted in memory, and a file for tests that need exact bytes.
#pragma once

#include "framework/core/File.h"

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // The block grows in steps of at least nGrowBytes.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Starts as a copy of nSize bytes at pData, positioned at the start.
    CMemFile(const void* pData, UINT nSize, UINT nGrowBytes = 1024);
    ~CMemFile() override;

    UINT Read(void* lpBuf, UINT nCount) override;
    // Writing past the end grows the file; a gap left by a seek beyond the
    // end reads as zeros.
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;
    // Frees the block; the file is empty afterwards.
    void Close() override;
    void Abort() override;

    // The file's bytes (GetLength() of them); valid until the next write,
    // SetLength or Close.
    const BYTE* GetBufferPtr() const { return m_lpBuffer; }

private:
    void GrowTo(SIZE_T nNewSize);

    BYTE* m_lpBuffer;
    SIZE_T m_nBufferSize;       // allocated
    SIZE_T m_nFileSize;         // in use
    SIZE_T m_nPosition;
    UINT m_nGrowBytes;
};
