#include "framework/docview/OleStreamFile.h"

IMPLEMENT_DYNAMIC(COleStreamFile, CFile)

CWidePath::CWidePath(LPCSTR lpsz)
{
    m_sz[0] = 0;
    if (lpsz != NULL && MultiByteToWideChar(CP_ACP, 0, lpsz, -1, m_sz, MAX_PATH * 2) == 0)
        AfxThrowFileException(CFileException::badPath, -1, lpsz);
}

void AfxThrowFileExceptionFromScode(SCODE sc, LPCSTR lpszFileName)
{
    int cause = CFileException::genericException;
    switch (sc)
    {
    case STG_E_FILENOTFOUND:       cause = CFileException::fileNotFound; break;
    case STG_E_PATHNOTFOUND:       cause = CFileException::badPath; break;
    case STG_E_TOOMANYOPENFILES:   cause = CFileException::tooManyOpenFiles; break;
    case STG_E_ACCESSDENIED:       cause = CFileException::accessDenied; break;
    case STG_E_INVALIDHANDLE:      cause = CFileException::invalidFile; break;
    case STG_E_SHAREVIOLATION:     cause = CFileException::sharingViolation; break;
    case STG_E_LOCKVIOLATION:      cause = CFileException::lockViolation; break;
    case STG_E_MEDIUMFULL:         cause = CFileException::diskFull; break;
    case STG_E_SEEKERROR:          cause = CFileException::badSeek; break;
    case STG_E_READFAULT:
    case STG_E_WRITEFAULT:         cause = CFileException::hardIO; break;
    case STG_E_FILEALREADYEXISTS:  cause = CFileException::accessDenied; break;
    case STG_E_INVALIDHEADER:
    case STG_E_DOCFILECORRUPT:
    case STG_E_OLDFORMAT:
    case STG_E_NOTFILEBASEDSTORAGE:cause = CFileException::invalidFile; break;
    default: break;
    }
    throw new CFileException(cause, (LONG)sc, lpszFileName);
}

COleStreamFile::COleStreamFile(IStream* lpStream) : m_lpStream(NULL)
{
    Attach(lpStream);
}

COleStreamFile::~COleStreamFile()
{
    Abort();
}

void COleStreamFile::Attach(IStream* lpStream)
{
    if (lpStream != NULL)
        lpStream->AddRef();
    if (m_lpStream != NULL)
        m_lpStream->Release();
    m_lpStream = lpStream;
}

IStream* COleStreamFile::Detach()
{
    IStream* lpStream = m_lpStream;
    m_lpStream = NULL;
    return lpStream;
}

namespace
{
BOOL StreamFailed(HRESULT hr, LPCSTR lpszName, CFileException* pError)
{
    if (pError != NULL)
    {
        pError->m_cause = CFileException::genericException;
        pError->m_lOsError = (LONG)hr;
        pError->m_strFileName = lpszName;
    }
    return FALSE;
}
}

BOOL COleStreamFile::TakeStream(HRESULT hr, IStream* lpStream, LPCSTR lpszStreamName,
                                CFileException* pError)
{
    if (FAILED(hr))
        return StreamFailed(hr, lpszStreamName, pError);
    Attach(lpStream);
    lpStream->Release();
    m_strFileName = lpszStreamName;
    return TRUE;
}

BOOL COleStreamFile::OpenStream(IStorage* lpStorage, LPCSTR lpszStreamName, DWORD nOpenFlags,
                                CFileException* pError)
{
    IStream* lpStream = NULL;
    HRESULT hr = lpStorage->OpenStream(CWidePath(lpszStreamName), NULL, nOpenFlags, 0, &lpStream);
    return TakeStream(hr, lpStream, lpszStreamName, pError);
}

BOOL COleStreamFile::CreateStream(IStorage* lpStorage, LPCSTR lpszStreamName, DWORD nOpenFlags,
                                  CFileException* pError)
{
    IStream* lpStream = NULL;
    HRESULT hr = lpStorage->CreateStream(CWidePath(lpszStreamName), nOpenFlags, 0, 0, &lpStream);
    return TakeStream(hr, lpStream, lpszStreamName, pError);
}

UINT COleStreamFile::Read(void* lpBuf, UINT nCount)
{
    ASSERT(m_lpStream != NULL);
    ULONG nRead = 0;
    HRESULT hr = m_lpStream->Read(lpBuf, nCount, &nRead);
    // S_FALSE with a short count is the end of the stream, not an error.
    if (FAILED(hr))
        AfxThrowFileExceptionFromScode(hr, m_strFileName);
    return (UINT)nRead;
}

void COleStreamFile::Write(const void* lpBuf, UINT nCount)
{
    ASSERT(m_lpStream != NULL);
    ULONG nWritten = 0;
    HRESULT hr = m_lpStream->Write(lpBuf, nCount, &nWritten);
    if (FAILED(hr))
        AfxThrowFileExceptionFromScode(hr, m_strFileName);
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG COleStreamFile::SeekStream(LONGLONG lOff, DWORD dwOrigin) const
{
    ASSERT(m_lpStream != NULL);
    LARGE_INTEGER move;
    move.QuadPart = lOff;
    ULARGE_INTEGER pos;
    pos.QuadPart = 0;
    HRESULT hr = m_lpStream->Seek(move, dwOrigin, &pos);
    if (FAILED(hr))
        AfxThrowFileExceptionFromScode(hr, m_strFileName);
    return pos.QuadPart;
}

ULONGLONG COleStreamFile::Seek(LONGLONG lOff, UINT nFrom)
{
    return SeekStream(lOff, nFrom);
}

ULONGLONG COleStreamFile::GetPosition() const
{
    return SeekStream(0, STREAM_SEEK_CUR);
}

ULONGLONG COleStreamFile::GetLength() const
{
    ASSERT(m_lpStream != NULL);
    STATSTG stat;
    HRESULT hr = m_lpStream->Stat(&stat, STATFLAG_NONAME);
    if (FAILED(hr))
        AfxThrowFileExceptionFromScode(hr, m_strFileName);
    return stat.cbSize.QuadPart;
}

void COleStreamFile::SetLength(ULONGLONG dwNewLen)
{
    ASSERT(m_lpStream != NULL);
    ULARGE_INTEGER size;
    size.QuadPart = dwNewLen;
    HRESULT hr = m_lpStream->SetSize(size);
    if (FAILED(hr))
        AfxThrowFileExceptionFromScode(hr, m_strFileName);
    Seek((LONGLONG)dwNewLen, begin);
}

void COleStreamFile::Flush()
{
    if (m_lpStream == NULL)
        return;
    HRESULT hr = m_lpStream->Commit(STGC_DEFAULT);
    if (FAILED(hr))
        AfxThrowFileExceptionFromScode(hr, m_strFileName);
}

void COleStreamFile::Close()
{
    if (m_lpStream != NULL)
    {
        m_lpStream->Release();
        m_lpStream = NULL;
    }
}

void COleStreamFile::Abort()
{
    Close();
}
