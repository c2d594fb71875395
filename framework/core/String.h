// CString, the framework's counted single-byte string.
//
// Layout: a CString is one pointer.  m_pchData is NULL for an empty string
// that owns no buffer; otherwise it points at the text, which follows a
// CStringData header {length, capacity} in one block from malloc/realloc:
//     [int nDataLength][int nAllocLength][nAllocLength + 1 chars]
// Every module of the process (programs and engine libraries, each with its
// own copy of the framework) shares the C runtime heap, so a string made in
// one module may be assigned, grown or freed in another.  Nothing is
// compared by address and there is no shared empty-string object: an
// all-zero CString is a valid empty string.  Copies are deep.
//
// The text is always followed by a '\0'; strings built with a length may
// hold embedded '\0' bytes, which GetLength counts and the searches, the
// comparisons and the edits treat as ordinary bytes.  Case mapping
// (MakeUpper, MakeLower, CompareNoCase) folds ASCII letters only, as the C
// runtime does in its default locale; Collate uses the user's locale.
#pragma once

#include "framework/core/Base.h"

#include <stdarg.h>

#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))

class CString
{
public:
    CString() noexcept : m_pchData(NULL) {}
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(LPCSTR lpsz);                       // NULL gives an empty string
    CString(char ch, int nRepeat = 1);
    CString(LPCSTR lpch, int nLength);          // any bytes, '\0' included
    ~CString();

    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(char ch);

    int GetLength() const { return m_pchData != NULL ? GetData()->nDataLength : 0; }
    BOOL IsEmpty() const { return GetLength() == 0; }
    // Frees the buffer.
    void Empty();

    // GetAt(GetLength()) reads the terminating '\0'.
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }
    // Never NULL: an empty string gives "".
    operator LPCTSTR() const { return m_pchData != NULL ? m_pchData : ""; }

    CString& operator+=(const CString& string);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(char ch);

    // Byte order (unsigned): <0, 0 or >0 as -1, 0, 1.
    int Compare(LPCSTR lpsz) const;
    int Compare(const CString& string) const;
    // Byte order after folding ASCII letters to lower case.
    int CompareNoCase(LPCSTR lpsz) const;
    // The user's locale order (CompareStringA).
    int Collate(LPCSTR lpsz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Without an argument these remove white space (" \t\n\v\f\r").
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);

    // These return the number of replacements or removals.
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    // These return the new length; an index past the end appends.
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR lpsz);
    int Delete(int nIndex, int nCount = 1);

    // -1 when not found or when nStart is past the end.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    void Format(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(LPCSTR lpszFormat, va_list argList) AFX_PRINTF_FORMAT(2, 0);
    void AppendFormat(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);

    // A writable buffer of at least nMinBufLength characters plus a '\0',
    // holding the current text; call ReleaseBuffer before other members.
    char* GetBuffer(int nMinBufLength);
    char* GetBufferSetLength(int nNewLength);
    // nNewLength -1 takes the length up to the first '\0' in the buffer.
    void ReleaseBuffer(int nNewLength = -1);

    // Loads a string-table entry of any length; FALSE (and an empty string)
    // when the entry is missing.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    friend CString operator+(const CString& string1, const CString& string2);
    friend CString operator+(const CString& string, LPCSTR lpsz);
    friend CString operator+(LPCSTR lpsz, const CString& string);
    friend CString operator+(const CString& string, char ch);
    friend CString operator+(char ch, const CString& string);

private:
    struct CStringData
    {
        int nDataLength;
        int nAllocLength;
    };

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    int GetAllocLength() const { return m_pchData != NULL ? GetData()->nAllocLength : 0; }
    bool PointsInto(const char* p) const;
    void SetLength(int nLength);
    void Reserve(int nLength, bool bExact);
    void Assign(const char* pch, int nLength);
    void Splice(int nIndex, int nRemove, const char* pch, int nInsert);
    CString& TrimLeftSet(const char* pSet, int nSet);
    CString& TrimRightSet(const char* pSet, int nSet);
    void Adopt(CString& other) noexcept;
    CString Extract(int nFirst, int nCount) const;
    static CString Concat(const char* pch1, int nLength1, const char* pch2, int nLength2);
    static int CompareBytes(const char* p1, int n1, const char* p2, int n2, bool bNoCase);

    char* m_pchData;
};

static_assert(sizeof(CString) == sizeof(char*), "CString is one pointer");

inline bool operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
inline bool operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
inline bool operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }
