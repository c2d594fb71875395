#include "framework/core/WideText.h"

#include <string.h>

CWideText::CWideText(LPCSTR lpsz, int nLength, UINT nCodePage) : m_pChars(NULL), m_nLength(0)
{
    int nWide = nLength > 0 ? ::MultiByteToWideChar(nCodePage, 0, lpsz, nLength, NULL, 0) : 0;
    m_pChars = new WCHAR[nWide + 1];
    if (nWide > 0)
        m_nLength = ::MultiByteToWideChar(nCodePage, 0, lpsz, nLength, m_pChars, nWide);
    m_pChars[m_nLength] = 0;
}

CWideText::CWideText(const CWideText& other) : m_pChars(NULL), m_nLength(0)
{
    Assign(other.m_pChars, other.m_nLength);
}

CWideText& CWideText::operator=(const CWideText& other)
{
    if (this != &other)
        Assign(other.m_pChars, other.m_nLength);
    return *this;
}

CWideText::~CWideText()
{
    delete[] m_pChars;
}

void CWideText::Assign(LPCWSTR pChars, int nLength)
{
    WCHAR* pCopy = new WCHAR[nLength + 1];
    memcpy(pCopy, pChars, (nLength + 1) * sizeof(WCHAR));
    delete[] m_pChars;
    m_pChars = pCopy;
    m_nLength = nLength;
}

BOOL AfxIsAsciiText(LPCSTR lpsz, int nLength)
{
    for (int i = 0; i < nLength; ++i)
        if ((unsigned char)lpsz[i] >= 0x80)
            return FALSE;
    return TRUE;
}

CString AfxRecodeText(LPCSTR lpsz, UINT nCodePage)
{
    CWideText text(lpsz, lstrlenA(lpsz), CP_ACP);
    CString str;
    int nLength = ::WideCharToMultiByte(nCodePage, 0, text.GetString(), text.GetLength(), NULL, 0,
                                        NULL, NULL);
    if (nLength <= 0)
        return str;
    LPSTR psz = str.GetBuffer(nLength);
    ::WideCharToMultiByte(nCodePage, 0, text.GetString(), text.GetLength(), psz, nLength, NULL,
                          NULL);
    str.ReleaseBuffer(nLength);
    return str;
}

CString AfxCodePageChar(WCHAR ch)
{
    char szChar[8] = "";
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, &ch, 1, szChar, sizeof(szChar), NULL, NULL);
    return CString(szChar, nBytes > 0 ? nBytes : 0);
}

BYTE AfxCodePageCharSet(UINT nCodePage)
{
    CHARSETINFO info = {};
    if (nCodePage == CP_ACP
        || !::TranslateCharsetInfo((DWORD*)(UINT_PTR)nCodePage, &info, TCI_SRCCODEPAGE))
        return DEFAULT_CHARSET;
    return (BYTE)info.ciCharset;
}
