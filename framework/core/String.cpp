#include "framework/core/String.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"

#include <limits.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char kWhitespace[] = " \t\n\v\f\r";

// The largest length a block can hold with its header and terminator.
const int kMaxLength = INT_MAX - 64;

int SafeLength(LPCSTR lpsz)
{
    if (lpsz == NULL)
        return 0;
    size_t n = strlen(lpsz);
    if (n > (size_t)kMaxLength)
        AfxThrowMemoryException();
    return (int)n;
}

int AddLengths(int n1, int n2)
{
    if (n1 > kMaxLength - n2)
        AfxThrowMemoryException();
    return n1 + n2;
}

char FoldLower(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? (char)(ch - 'A' + 'a') : ch;
}

char FoldUpper(char ch)
{
    return (ch >= 'a' && ch <= 'z') ? (char)(ch - 'a' + 'A') : ch;
}

bool InSet(char ch, const char* pSet, int nSet)
{
    return nSet > 0 && memchr(pSet, (unsigned char)ch, (size_t)nSet) != NULL;
}

}

CString::CString(const CString& stringSrc) : m_pchData(NULL)
{
    Assign(stringSrc.m_pchData, stringSrc.GetLength());
}

CString::CString(CString&& stringSrc) noexcept : m_pchData(stringSrc.m_pchData)
{
    stringSrc.m_pchData = NULL;
}

CString::CString(LPCSTR lpsz) : m_pchData(NULL)
{
    Assign(lpsz, SafeLength(lpsz));
}

CString::CString(char ch, int nRepeat) : m_pchData(NULL)
{
    if (nRepeat > 0)
    {
        Reserve(nRepeat, true);
        memset(m_pchData, (unsigned char)ch, (size_t)nRepeat);
        SetLength(nRepeat);
    }
}

CString::CString(LPCSTR lpch, int nLength) : m_pchData(NULL)
{
    if (lpch != NULL && nLength > 0)
        Assign(lpch, nLength);
}

CString::~CString()
{
    free(m_pchData != NULL ? GetData() : NULL);
}

CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc)
        Assign(stringSrc.m_pchData, stringSrc.GetLength());
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
        Adopt(stringSrc);
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    Assign(lpsz, SafeLength(lpsz));
    return *this;
}

CString& CString::operator=(char ch)
{
    Assign(&ch, 1);
    return *this;
}

void CString::Empty()
{
    free(m_pchData != NULL ? GetData() : NULL);
    m_pchData = NULL;
}

char CString::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex <= GetLength());
    if (m_pchData == NULL || nIndex < 0 || nIndex > GetLength())
        return '\0';
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex >= 0 && nIndex < GetLength())
        m_pchData[nIndex] = ch;
}

CString& CString::operator+=(const CString& string)
{
    Splice(GetLength(), 0, string.m_pchData, string.GetLength());
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    Splice(GetLength(), 0, lpsz, SafeLength(lpsz));
    return *this;
}

CString& CString::operator+=(char ch)
{
    Splice(GetLength(), 0, &ch, 1);
    return *this;
}

int CString::Compare(LPCSTR lpsz) const
{
    return CompareBytes(m_pchData, GetLength(), lpsz, SafeLength(lpsz), false);
}

int CString::Compare(const CString& string) const
{
    return CompareBytes(m_pchData, GetLength(), string.m_pchData, string.GetLength(), false);
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    return CompareBytes(m_pchData, GetLength(), lpsz, SafeLength(lpsz), true);
}

int CString::Collate(LPCSTR lpsz) const
{
    int nResult = CompareStringA(LOCALE_USER_DEFAULT, 0, *this, GetLength(),
                                 lpsz != NULL ? lpsz : "", SafeLength(lpsz));
    if (nResult == 0)
        return Compare(lpsz);
    return nResult - CSTR_EQUAL;
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0 || nFirst >= nLength)
        nCount = 0;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    return Extract(nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int nLength = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLength)
        nCount = nLength;
    return Extract(nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    int nSet = SafeLength(lpszCharSet);
    int n = 0;
    while (n < GetLength() && InSet(m_pchData[n], lpszCharSet, nSet))
        ++n;
    return Extract(0, n);
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    int nSet = SafeLength(lpszCharSet);
    int n = 0;
    while (n < GetLength() && !InSet(m_pchData[n], lpszCharSet, nSet))
        ++n;
    return Extract(0, n);
}

CString& CString::MakeUpper()
{
    for (int i = 0; i < GetLength(); ++i)
        m_pchData[i] = FoldUpper(m_pchData[i]);
    return *this;
}

CString& CString::MakeLower()
{
    for (int i = 0; i < GetLength(); ++i)
        m_pchData[i] = FoldLower(m_pchData[i]);
    return *this;
}

CString& CString::MakeReverse()
{
    for (int i = 0, j = GetLength() - 1; i < j; ++i, --j)
    {
        char ch = m_pchData[i];
        m_pchData[i] = m_pchData[j];
        m_pchData[j] = ch;
    }
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

CString& CString::TrimLeft()
{
    return TrimLeftSet(kWhitespace, sizeof(kWhitespace) - 1);
}

CString& CString::TrimLeft(char chTarget)
{
    return TrimLeftSet(&chTarget, 1);
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    return TrimLeftSet(lpszTargets, SafeLength(lpszTargets));
}

CString& CString::TrimRight()
{
    return TrimRightSet(kWhitespace, sizeof(kWhitespace) - 1);
}

CString& CString::TrimRight(char chTarget)
{
    return TrimRightSet(&chTarget, 1);
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    return TrimRightSet(lpszTargets, SafeLength(lpszTargets));
}

int CString::Replace(char chOld, char chNew)
{
    int nCount = 0;
    if (chOld == chNew)
        return 0;
    for (int i = 0; i < GetLength(); ++i)
    {
        if (m_pchData[i] == chOld)
        {
            m_pchData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOld = SafeLength(lpszOld);
    int nNew = SafeLength(lpszNew);
    if (nOld == 0)
        return 0;

    // Built apart from the old text, which either pattern may point into.
    CString result;
    int nCount = 0;
    int nDone = 0;
    for (int nAt = Find(lpszOld); nAt >= 0; nAt = Find(lpszOld, nAt + nOld))
    {
        result.Splice(result.GetLength(), 0, m_pchData + nDone, nAt - nDone);
        result.Splice(result.GetLength(), 0, lpszNew, nNew);
        nDone = nAt + nOld;
        ++nCount;
    }
    if (nCount > 0)
    {
        result.Splice(result.GetLength(), 0, m_pchData + nDone, GetLength() - nDone);
        Adopt(result);
    }
    return nCount;
}

int CString::Remove(char chRemove)
{
    int nLength = GetLength();
    int nKept = 0;
    for (int i = 0; i < nLength; ++i)
    {
        if (m_pchData[i] != chRemove)
            m_pchData[nKept++] = m_pchData[i];
    }
    if (nKept < nLength)
        SetLength(nKept);
    return nLength - nKept;
}

int CString::Insert(int nIndex, char ch)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    Splice(nIndex, 0, &ch, 1);
    return GetLength();
}

int CString::Insert(int nIndex, LPCSTR lpsz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    Splice(nIndex, 0, lpsz, SafeLength(lpsz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex < nLength && nCount > 0)
    {
        if (nCount > nLength - nIndex)
            nCount = nLength - nIndex;
        Splice(nIndex, nCount, NULL, 0);
    }
    return GetLength();
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (nStart >= GetLength())
        return -1;
    const void* p = memchr(m_pchData + nStart, (unsigned char)ch, (size_t)(GetLength() - nStart));
    return p != NULL ? (int)(static_cast<const char*>(p) - m_pchData) : -1;
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    int nSub = SafeLength(lpszSub);
    int nLength = GetLength();
    if (nStart < 0)
        nStart = 0;
    if (nStart > nLength)
        return -1;
    if (nSub == 0)
        return nStart;
    for (int i = nStart; i <= nLength - nSub; ++i)
    {
        const void* p = memchr(m_pchData + i, (unsigned char)lpszSub[0], (size_t)(nLength - nSub - i + 1));
        if (p == NULL)
            return -1;
        i = (int)(static_cast<const char*>(p) - m_pchData);
        if (memcmp(m_pchData + i, lpszSub, (size_t)nSub) == 0)
            return i;
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i)
    {
        if (m_pchData[i] == ch)
            return i;
    }
    return -1;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    int nSet = SafeLength(lpszCharSet);
    for (int i = 0; i < GetLength(); ++i)
    {
        if (InSet(m_pchData[i], lpszCharSet, nSet))
            return i;
    }
    return -1;
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

// Formats into a new buffer, so the arguments may be this string's own text.
void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    char szFirst[512];
    va_list argCopy;
    va_copy(argCopy, argList);
    int n = vsnprintf(szFirst, sizeof(szFirst), lpszFormat != NULL ? lpszFormat : "", argCopy);
    va_end(argCopy);
    if (n <= 0)
    {
        Empty();
        return;
    }
    if (n > kMaxLength)
        AfxThrowMemoryException();

    CString result;
    result.Reserve(n, true);
    if ((size_t)n < sizeof(szFirst))
        memcpy(result.m_pchData, szFirst, (size_t)n);
    else
        vsnprintf(result.m_pchData, (size_t)n + 1, lpszFormat, argList);
    result.SetLength(n);
    Adopt(result);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    CString text;
    va_list argList;
    va_start(argList, lpszFormat);
    text.FormatV(lpszFormat, argList);
    va_end(argList);
    *this += text;
}

char* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        nMinBufLength = 0;
    int nEnd = nMinBufLength > GetLength() ? nMinBufLength : GetLength();
    if (m_pchData == NULL || nEnd > GetAllocLength())
        Reserve(nEnd, true);
    // A caller that fills the whole buffer without a '\0' still ends here.
    m_pchData[nEnd] = '\0';
    return m_pchData;
}

char* CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_pchData == NULL)
        return;
    int nAlloc = GetAllocLength();
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_pchData, (size_t)nAlloc);
    if (nNewLength > nAlloc)
        nNewLength = nAlloc;
    SetLength(nNewLength);
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    Empty();
    // A zero buffer size makes LoadStringW return the resource's own text.
    const WCHAR* pwch = NULL;
    int nChars = LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&pwch), 0);
    if (nChars <= 0 || pwch == NULL)
        return FALSE;
    int nBytes = WideCharToMultiByte(CP_ACP, 0, pwch, nChars, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return FALSE;
    Reserve(nBytes, true);
    nBytes = WideCharToMultiByte(CP_ACP, 0, pwch, nChars, m_pchData, nBytes, NULL, NULL);
    if (nBytes <= 0)
    {
        Empty();
        return FALSE;
    }
    SetLength(nBytes);
    return TRUE;
}

CString operator+(const CString& string1, const CString& string2)
{
    return CString::Concat(string1.m_pchData, string1.GetLength(),
                           string2.m_pchData, string2.GetLength());
}

CString operator+(const CString& string, LPCSTR lpsz)
{
    return CString::Concat(string.m_pchData, string.GetLength(), lpsz, SafeLength(lpsz));
}

CString operator+(LPCSTR lpsz, const CString& string)
{
    return CString::Concat(lpsz, SafeLength(lpsz), string.m_pchData, string.GetLength());
}

CString operator+(const CString& string, char ch)
{
    return CString::Concat(string.m_pchData, string.GetLength(), &ch, 1);
}

CString operator+(char ch, const CString& string)
{
    return CString::Concat(&ch, 1, string.m_pchData, string.GetLength());
}

bool CString::PointsInto(const char* p) const
{
    if (m_pchData == NULL || p == NULL)
        return false;
    uintptr_t nAt = reinterpret_cast<uintptr_t>(p);
    uintptr_t nBegin = reinterpret_cast<uintptr_t>(m_pchData);
    return nAt >= nBegin && nAt <= nBegin + (uintptr_t)GetAllocLength();
}

void CString::SetLength(int nLength)
{
    ASSERT(m_pchData != NULL && nLength >= 0 && nLength <= GetAllocLength());
    GetData()->nDataLength = nLength;
    m_pchData[nLength] = '\0';
}

// Makes room for nLength characters, keeping the text; bExact allocates no
// more than asked, otherwise the buffer grows by half again for appends.
void CString::Reserve(int nLength, bool bExact)
{
    int nAlloc = GetAllocLength();
    if (m_pchData != NULL && nLength <= nAlloc)
        return;
    if (nLength > kMaxLength)
        AfxThrowMemoryException();
    if (!bExact && nAlloc < kMaxLength / 2 && nLength < nAlloc + nAlloc / 2)
        nLength = nAlloc + nAlloc / 2;
    if (!bExact && nLength < 16)
        nLength = 16;

    CStringData* pOld = m_pchData != NULL ? GetData() : NULL;
    CStringData* pNew = static_cast<CStringData*>(
        realloc(pOld, sizeof(CStringData) + (size_t)nLength + 1));
    if (pNew == NULL)
        AfxThrowMemoryException();
    if (pOld == NULL)
        pNew->nDataLength = 0;
    pNew->nAllocLength = nLength;
    m_pchData = reinterpret_cast<char*>(pNew + 1);
    m_pchData[pNew->nDataLength] = '\0';
}

void CString::Assign(const char* pch, int nLength)
{
    if (nLength <= 0 || pch == NULL)
    {
        if (m_pchData != NULL)
            SetLength(0);
        return;
    }
    if (PointsInto(pch))
    {
        memmove(m_pchData, pch, (size_t)nLength);
        SetLength(nLength);
        return;
    }
    if (nLength > GetAllocLength())
    {
        Empty();
        Reserve(nLength, true);
    }
    memcpy(m_pchData, pch, (size_t)nLength);
    SetLength(nLength);
}

// Replaces nRemove characters at nIndex with nInsert characters from pch,
// which may point into this string's own buffer.
void CString::Splice(int nIndex, int nRemove, const char* pch, int nInsert)
{
    if (pch == NULL)
        nInsert = 0;
    int nLength = GetLength();
    ASSERT(nIndex >= 0 && nRemove >= 0 && nIndex + nRemove <= nLength);
    if (nInsert > 0 && PointsInto(pch))
    {
        CString copy(pch, nInsert);
        Splice(nIndex, nRemove, copy.m_pchData, nInsert);
        return;
    }
    int nNewLength = AddLengths(nLength - nRemove, nInsert);
    if (m_pchData == NULL && nNewLength == 0)
        return;
    Reserve(nNewLength, false);
    memmove(m_pchData + nIndex + nInsert, m_pchData + nIndex + nRemove,
            (size_t)(nLength - nIndex - nRemove));
    if (nInsert > 0)
        memcpy(m_pchData + nIndex, pch, (size_t)nInsert);
    SetLength(nNewLength);
}

CString& CString::TrimLeftSet(const char* pSet, int nSet)
{
    int n = 0;
    while (n < GetLength() && InSet(m_pchData[n], pSet, nSet))
        ++n;
    if (n > 0)
        Splice(0, n, NULL, 0);
    return *this;
}

CString& CString::TrimRightSet(const char* pSet, int nSet)
{
    int n = GetLength();
    while (n > 0 && InSet(m_pchData[n - 1], pSet, nSet))
        --n;
    if (n < GetLength())
        SetLength(n);
    return *this;
}

void CString::Adopt(CString& other) noexcept
{
    free(m_pchData != NULL ? GetData() : NULL);
    m_pchData = other.m_pchData;
    other.m_pchData = NULL;
}

CString CString::Extract(int nFirst, int nCount) const
{
    if (nCount <= 0)
        return CString();
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Concat(const char* pch1, int nLength1, const char* pch2, int nLength2)
{
    CString result;
    int nLength = AddLengths(nLength1, nLength2);
    if (nLength == 0)
        return result;
    result.Reserve(nLength, true);
    if (nLength1 > 0)
        memcpy(result.m_pchData, pch1, (size_t)nLength1);
    if (nLength2 > 0)
        memcpy(result.m_pchData + nLength1, pch2, (size_t)nLength2);
    result.SetLength(nLength);
    return result;
}

int CString::CompareBytes(const char* p1, int n1, const char* p2, int n2, bool bNoCase)
{
    int n = n1 < n2 ? n1 : n2;
    if (!bNoCase)
    {
        // memcmp compares bytes as unsigned char, as the loop below does.
        int nResult = n > 0 ? memcmp(p1, p2, (size_t)n) : 0;
        if (nResult != 0)
            return nResult < 0 ? -1 : 1;
    }
    for (int i = 0; bNoCase && i < n; ++i)
    {
        unsigned char c1 = (unsigned char)FoldLower(p1[i]);
        unsigned char c2 = (unsigned char)FoldLower(p2[i]);
        if (c1 != c2)
            return c1 < c2 ? -1 : 1;
    }
    if (n1 == n2)
        return 0;
    return n1 < n2 ? -1 : 1;
}
