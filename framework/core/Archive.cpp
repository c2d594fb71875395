#include "framework/core/Archive.h"

#include <stdlib.h>
#include <string.h>
#include <unordered_map>
#include <vector>

IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// Object tags: 0 is a null pointer, 1..0x7FFE a reference to an object read
// or written before, 0x8000|index a class seen before, 0xFFFF a new class
// (u16 schema, u16 name length, name).  Classes and objects share one
// numbering that starts at 1.
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD nMaxMapIndex = 0x7FFE;

// Strings longer than this are read in pieces, so a damaged length costs
// no more memory than the data actually present.
const UINT nStringChunk = 0x10000;

void PutLE(BYTE* pb, ULONGLONG value, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        pb[i] = (BYTE)(value >> (8 * i));
}

ULONGLONG GetLE(const BYTE* pb, int nBytes)
{
    ULONGLONG value = 0;
    for (int i = nBytes - 1; i >= 0; --i)
        value = (value << 8) | pb[i];
    return value;
}

}

struct ArchiveObjectMap
{
    struct Entry
    {
        CObject* pObject;
        CRuntimeClass* pClass;
    };

    std::unordered_map<const void*, DWORD> stored;
    std::vector<Entry> loaded{Entry{NULL, NULL}};
    DWORD nNextIndex = 1;
};

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    LPCSTR format;
    switch (m_cause)
    {
    case none: format = "No error occurred while reading or writing %s."; break;
    case readOnly: format = "An attempt was made to write to %s while it was being read."; break;
    case endOfFile: format = "%s ended unexpectedly: its data is truncated or damaged."; break;
    case writeOnly: format = "An attempt was made to read from %s while it was being written."; break;
    case badIndex: format = "%s refers to an object that it does not contain."; break;
    case badClass: format = "%s contains an object of an unknown or unexpected class."; break;
    case badSchema: format = "%s contains an object of an unsupported version."; break;
    default: format = "An unexpected error occurred while reading or writing %s."; break;
    }
    return AfxFormatFileErrorMessage(format, m_strFileName, lpszError, nMaxError);
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_pFile(pFile), m_nMode(nMode), m_lpBufStart(NULL), m_nBufSize(0),
      m_nBufCur(0), m_nBufMax(0), m_bUserBuf(FALSE), m_pObjectMap(NULL)
{
    if (nBufSize < 16)
    {
        lpBuf = NULL;
        nBufSize = 16;
    }
    m_nBufSize = (UINT)nBufSize;
    if (lpBuf != NULL)
    {
        m_lpBufStart = (BYTE*)lpBuf;
        m_bUserBuf = TRUE;
    }
    else
    {
        m_lpBufStart = (BYTE*)malloc(m_nBufSize);
        if (m_lpBufStart == NULL)
            AfxThrowMemoryException();
    }
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    Abort();
    if (!m_bUserBuf)
        free(m_lpBufStart);
    delete m_pObjectMap;
}

void CArchive::ThrowException(int cause) const
{
    CString name;
    if (m_pFile != NULL)
        name = m_pFile->GetFilePath();
    AfxThrowArchiveException(cause, name);
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading())
    {
        // Hand the bytes read ahead back, so the file continues where the
        // archive stopped.
        UINT nUnread = m_nBufMax - m_nBufCur;
        m_nBufCur = m_nBufMax = 0;
        if (nUnread > 0)
            m_pFile->Seek(-(LONGLONG)nUnread, CFile::current);
    }
    else
    {
        UINT nPending = m_nBufCur;
        m_nBufCur = 0;
        if (nPending > 0)
            m_pFile->Write(m_lpBufStart, nPending);
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    m_nBufCur = m_nBufMax = 0;
}

void CArchive::FillBuffer()
{
    m_nBufCur = 0;
    m_nBufMax = 0;
    m_nBufMax = m_pFile->Read(m_lpBufStart, m_nBufSize);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (IsStoring())
        ThrowException(CArchiveException::writeOnly);
    if (m_pFile == NULL)
        ThrowException(CArchiveException::genericException);

    BYTE* p = (BYTE*)lpBuf;
    UINT nLeft = nMax;
    UINT nTake = m_nBufMax - m_nBufCur;
    if (nTake > nLeft)
        nTake = nLeft;
    memcpy(p, m_lpBufStart + m_nBufCur, nTake);
    m_nBufCur += nTake;
    p += nTake;
    nLeft -= nTake;

    if (nLeft >= m_nBufSize)
    {
        // A large request bypasses the buffer.
        while (nLeft > 0)
        {
            UINT nRead = m_pFile->Read(p, nLeft);
            if (nRead == 0)
                break;
            p += nRead;
            nLeft -= nRead;
        }
    }
    while (nLeft > 0)
    {
        FillBuffer();
        if (m_nBufMax == 0)
            break;
        nTake = m_nBufMax < nLeft ? m_nBufMax : nLeft;
        memcpy(p, m_lpBufStart, nTake);
        m_nBufCur = nTake;
        p += nTake;
        nLeft -= nTake;
    }
    return nMax - nLeft;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (IsLoading())
        ThrowException(CArchiveException::readOnly);
    if (m_pFile == NULL)
        ThrowException(CArchiveException::genericException);
    if (nMax == 0)
        return;

    const BYTE* p = (const BYTE*)lpBuf;
    UINT nSpace = m_nBufSize - m_nBufCur;
    if (nMax <= nSpace)
    {
        memcpy(m_lpBufStart + m_nBufCur, p, nMax);
        m_nBufCur += nMax;
        return;
    }
    memcpy(m_lpBufStart + m_nBufCur, p, nSpace);
    m_nBufCur = m_nBufSize;
    p += nSpace;
    nMax -= nSpace;
    Flush();
    if (nMax >= m_nBufSize)
    {
        m_pFile->Write(p, nMax);
        return;
    }
    memcpy(m_lpBufStart, p, nMax);
    m_nBufCur = nMax;
}

ULONGLONG CArchive::GetBytesRemaining() const
{
    if (m_pFile == NULL || IsStoring())
        return (ULONGLONG)-1;
    ULONGLONG nBuffered = m_nBufMax - m_nBufCur;
    try
    {
        ULONGLONG nLength = m_pFile->GetLength();
        ULONGLONG nPosition = m_pFile->GetPosition();
        return (nLength > nPosition ? nLength - nPosition : 0) + nBuffered;
    }
    catch (CException* e)
    {
        e->Delete();
        return (ULONGLONG)-1;
    }
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowException(CArchiveException::endOfFile);
}

CArchive& CArchive::operator<<(BYTE by)
{
    Write(&by, 1);
    return *this;
}

CArchive& CArchive::operator<<(char ch)
{
    Write(&ch, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD w)
{
    BYTE b[2];
    PutLE(b, w, 2);
    Write(b, 2);
    return *this;
}

CArchive& CArchive::operator<<(short n)
{
    return *this << (WORD)n;
}

CArchive& CArchive::operator<<(int n)
{
    return *this << (UINT)n;
}

CArchive& CArchive::operator<<(UINT n)
{
    BYTE b[4];
    PutLE(b, n, 4);
    Write(b, 4);
    return *this;
}

CArchive& CArchive::operator<<(LONGLONG n)
{
    return *this << (ULONGLONG)n;
}

CArchive& CArchive::operator<<(ULONGLONG n)
{
    BYTE b[8];
    PutLE(b, n, 8);
    Write(b, 8);
    return *this;
}

CArchive& CArchive::operator<<(float f)
{
    UINT bits;
    memcpy(&bits, &f, sizeof(bits));
    return *this << bits;
}

CArchive& CArchive::operator<<(double d)
{
    ULONGLONG bits;
    memcpy(&bits, &d, sizeof(bits));
    return *this << bits;
}

CArchive& CArchive::operator>>(BYTE& by)
{
    ReadExact(&by, 1);
    return *this;
}

CArchive& CArchive::operator>>(char& ch)
{
    ReadExact(&ch, 1);
    return *this;
}

CArchive& CArchive::operator>>(WORD& w)
{
    BYTE b[2];
    ReadExact(b, 2);
    w = (WORD)GetLE(b, 2);
    return *this;
}

CArchive& CArchive::operator>>(short& n)
{
    WORD w;
    *this >> w;
    n = (short)w;
    return *this;
}

CArchive& CArchive::operator>>(int& n)
{
    UINT u;
    *this >> u;
    n = (int)u;
    return *this;
}

CArchive& CArchive::operator>>(UINT& n)
{
    BYTE b[4];
    ReadExact(b, 4);
    n = (UINT)GetLE(b, 4);
    return *this;
}

CArchive& CArchive::operator>>(LONGLONG& n)
{
    ULONGLONG u;
    *this >> u;
    n = (LONGLONG)u;
    return *this;
}

CArchive& CArchive::operator>>(ULONGLONG& n)
{
    BYTE b[8];
    ReadExact(b, 8);
    n = GetLE(b, 8);
    return *this;
}

CArchive& CArchive::operator>>(float& f)
{
    UINT bits;
    *this >> bits;
    memcpy(&f, &bits, sizeof(f));
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    ULONGLONG bits;
    *this >> bits;
    memcpy(&d, &bits, sizeof(d));
    return *this;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << (WORD)dwCount;
        return;
    }
    if (dwCount > 0xFFFFFFFFu)
        ThrowException(CArchiveException::genericException);
    *this << (WORD)0xFFFF << (UINT)dwCount;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD w;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    UINT n;
    *this >> n;
    return n;
}

void CArchive::WriteClass(const CRuntimeClass* pClass)
{
    auto found = m_pObjectMap->stored.find(pClass);
    if (found != m_pObjectMap->stored.end())
    {
        *this << (WORD)(wClassTag | found->second);
        return;
    }
    if (m_pObjectMap->nNextIndex > nMaxMapIndex)
        ThrowException(CArchiveException::badIndex);
    size_t nLength = strlen(pClass->m_lpszClassName);
    if (nLength >= 0xFFFF)
        ThrowException(CArchiveException::badClass);
    *this << wNewClassTag << (WORD)pClass->m_wSchema << (WORD)nLength;
    Write(pClass->m_lpszClassName, (UINT)nLength);
    m_pObjectMap->stored[pClass] = m_pObjectMap->nNextIndex++;
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    if (m_pObjectMap == NULL)
        m_pObjectMap = new ArchiveObjectMap;
    auto found = m_pObjectMap->stored.find(pOb);
    if (found != m_pObjectMap->stored.end())
    {
        *this << (WORD)found->second;
        return;
    }
    CRuntimeClass* pClass = pOb->GetRuntimeClass();
    if (pClass->m_wSchema == 0xFFFF)
        ThrowException(CArchiveException::badClass);
    WriteClass(pClass);
    if (m_pObjectMap->nNextIndex > nMaxMapIndex)
        ThrowException(CArchiveException::badIndex);
    // Numbered before its contents, so the object's members may refer back to it.
    m_pObjectMap->stored[pOb] = m_pObjectMap->nNextIndex++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(WORD wTag)
{
    std::vector<ArchiveObjectMap::Entry>& loaded = m_pObjectMap->loaded;
    if (wTag != wNewClassTag)
    {
        DWORD nIndex = wTag & ~wClassTag;
        if (nIndex >= loaded.size() || loaded[nIndex].pClass == NULL)
            ThrowException(CArchiveException::badIndex);
        return loaded[nIndex].pClass;
    }

    WORD wSchema, nLength;
    *this >> wSchema >> nLength;
    std::vector<char> name(nLength + 1u, '\0');
    ReadExact(name.data(), nLength);
    CRuntimeClass* pClass = CRuntimeClass::FromName(name.data());
    if (pClass == NULL)
        ThrowException(CArchiveException::badClass);
    if (pClass->m_wSchema != wSchema)
        ThrowException(CArchiveException::badSchema);
    if (loaded.size() > nMaxMapIndex)
        ThrowException(CArchiveException::badIndex);
    loaded.push_back(ArchiveObjectMap::Entry{NULL, pClass});
    return pClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    WORD wTag;
    *this >> wTag;
    if (wTag == wNullTag)
        return NULL;
    if (m_pObjectMap == NULL)
        m_pObjectMap = new ArchiveObjectMap;
    std::vector<ArchiveObjectMap::Entry>& loaded = m_pObjectMap->loaded;

    if (wTag != wNewClassTag && !(wTag & wClassTag))
    {
        if (wTag >= loaded.size() || loaded[wTag].pObject == NULL)
            ThrowException(CArchiveException::badIndex);
        CObject* pOb = loaded[wTag].pObject;
        if (pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            ThrowException(CArchiveException::badClass);
        return pOb;
    }

    CRuntimeClass* pClass = ReadClass(wTag);
    if (pClassRefRequested != NULL && !pClass->IsDerivedFrom(pClassRefRequested))
        ThrowException(CArchiveException::badClass);
    CObject* pOb = pClass->CreateObject();
    if (pOb == NULL)
        ThrowException(CArchiveException::badClass);
    if (loaded.size() > nMaxMapIndex)
    {
        delete pOb;
        ThrowException(CArchiveException::badIndex);
    }
    size_t nIndex = loaded.size();
    loaded.push_back(ArchiveObjectMap::Entry{pOb, NULL});
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        m_pObjectMap->loaded[nIndex].pObject = NULL;
        delete pOb;
        throw;
    }
    return pOb;
}

CArchive& operator<<(CArchive& ar, const CString& str)
{
    UINT nLength = (UINT)str.GetLength();
    if (nLength < 0xFF)
        ar << (BYTE)nLength;
    else if (nLength < 0xFFFE)
        ar << (BYTE)0xFF << (WORD)nLength;
    else
        ar << (BYTE)0xFF << (WORD)0xFFFF << nLength;
    ar.Write((LPCSTR)str, nLength);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& str)
{
    BYTE by;
    ar >> by;
    UINT nLength = by;
    if (by == 0xFF)
    {
        WORD w;
        ar >> w;
        nLength = w;
        // 0xFFFE marks a wide-character string, which this ANSI build never writes.
        if (w == 0xFFFE)
            ar.ThrowException(CArchiveException::genericException);
        if (w == 0xFFFF)
            ar >> nLength;
    }
    if (nLength > 0x7FFFFFFFu)
        ar.ThrowException(CArchiveException::endOfFile);

    ULONGLONG nRemaining = ar.GetBytesRemaining();
    if (nRemaining != (ULONGLONG)-1 && nLength > nRemaining)
        ar.ThrowException(CArchiveException::endOfFile);

    std::vector<char> bytes;
    if (nRemaining != (ULONGLONG)-1)
        bytes.reserve(nLength);
    UINT nRead = 0;
    while (nRead < nLength)
    {
        UINT nChunk = nLength - nRead < nStringChunk ? nLength - nRead : nStringChunk;
        bytes.resize(nRead + nChunk);
        ar.ReadExact(bytes.data() + nRead, nChunk);
        nRead += nChunk;
    }
    str = CString(bytes.data(), (int)nLength);
    return ar;
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}
