// Text converted from a fixed code page to UTF-16, so that texts whose bytes
// are not in the system's code page are drawn and shown right on any system.
#pragma once

#include "framework/core/Base.h"
#include "framework/core/String.h"

class CWideText
{
public:
    // An invalid byte sequence becomes the code page's default character.
    CWideText(LPCSTR lpsz, int nLength, UINT nCodePage);
    CWideText(const CWideText& other);
    CWideText& operator=(const CWideText& other);
    ~CWideText();

    LPCWSTR GetString() const { return m_pChars; }
    int GetLength() const { return m_nLength; }

private:
    void Assign(LPCWSTR pChars, int nLength);

    WCHAR* m_pChars;  // ends with a '\0'
    int m_nLength;
};

// TRUE when every byte of the text is an ASCII character: such a text is
// the same in every code page a system can have, and in UTF-8.
BOOL AfxIsAsciiText(LPCSTR lpsz, int nLength);

// A text of the system's code page re-encoded in another, to be put into a
// text of that code page; a character the other lacks becomes its default
// character.
CString AfxRecodeText(LPCSTR lpsz, UINT nCodePage);

// One character in the system's code page (its default character where
// the page lacks it); "" when it cannot be converted.
CString AfxCodePageChar(WCHAR ch);

// The character set of a font for a text of the code page: DEFAULT_CHARSET
// for the system's (CP_ACP), so a face of the asked name is taken as it is.
BYTE AfxCodePageCharSet(UINT nCodePage);
