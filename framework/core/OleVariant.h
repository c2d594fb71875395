// COleVariant, a VARIANT that owns its contents, and the BSTR text helpers
// of the OLE wrappers.
//
// Text variants come in two forms, both of type VT_BSTR: a wide BSTR (the
// OLE form, made with vtSrc VT_BSTR) and a BSTR holding the ANSI bytes
// unchanged (made with vtSrc VT_BSTRT; SysStringByteLen is the byte count).
// The database engines and the programs exchange text in the ANSI form.  A
// VARIANT cannot tell the two apart, so a conversion of a VT_BSTR source
// (ChangeType, the platform's VariantChangeType) reads it as wide text.
#pragma once

#include "framework/core/Array.h"
#include "framework/core/Exception.h"
#include "framework/core/OleCurrency.h"
#include "framework/core/OleDateTime.h"
#include "framework/core/String.h"

#include <oleauto.h>

// Argument of SetString and ChangeType asking for the ANSI form of a text
// variant; never a variant's own type.
#ifndef VT_BSTRT
#define VT_BSTRT VT_BSTR_BLOB
#endif

typedef const VARIANT* LPCVARIANT;

class COleVariant : public tagVARIANT
{
public:
    COleVariant();
    COleVariant(const VARIANT& varSrc);
    COleVariant(LPCVARIANT pSrc);
    COleVariant(const COleVariant& varSrc);
    // vtSrc VT_BSTR stores wide text, VT_BSTRT the ANSI bytes.
    COleVariant(LPCSTR lpszSrc, VARTYPE vtSrc = VT_BSTR);
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    // vtSrc VT_I2 or VT_BOOL.
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    // vtSrc VT_I4, VT_BOOL or VT_ERROR; LONG is the 32-bit integer.
    COleVariant(LONG lSrc, VARTYPE vtSrc = VT_I4);
    // A 64-bit long must fit in 32 bits (VT_I4); a larger one throws.
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);
    COleVariant(const COleCurrency& curSrc);
    COleVariant(const COleDateTime& dateSrc);
    // VT_ARRAY | VT_UI1 holding a copy of the bytes.
    COleVariant(const CByteArray& arrSrc);
    ~COleVariant();

    COleVariant& operator=(const COleVariant& varSrc);
    COleVariant& operator=(const VARIANT& varSrc);
    COleVariant& operator=(LPCVARIANT pSrc);
    COleVariant& operator=(LPCSTR lpszSrc);
    COleVariant& operator=(const CString& strSrc);
    COleVariant& operator=(BYTE nSrc);
    // A VT_BOOL variant stays boolean; anything else becomes VT_I2 / VT_I4.
    COleVariant& operator=(short nSrc);
    COleVariant& operator=(LONG lSrc);
    COleVariant& operator=(float fltSrc);
    COleVariant& operator=(double dblSrc);
    COleVariant& operator=(const COleCurrency& curSrc);
    COleVariant& operator=(const COleDateTime& dateSrc);
    COleVariant& operator=(const CByteArray& arrSrc);

    // Same type and same value; texts and byte arrays compare byte for byte.
    bool operator==(const VARIANT& varSrc) const;
    bool operator==(LPCVARIANT pSrc) const;
    bool operator!=(const VARIANT& varSrc) const { return !operator==(varSrc); }
    bool operator!=(LPCVARIANT pSrc) const { return !operator==(pSrc); }

    // Frees the contents and leaves VT_EMPTY.
    void Clear();
    // Converts pSrc (this variant when NULL) to vartype into this variant;
    // a failure throws COleException with the conversion's status code.
    // VT_BSTRT gives the ANSI form of the text.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);
    // Takes over varSrc's contents, leaving varSrc VT_EMPTY.
    void Attach(VARIANT& varSrc);
    // Hands the contents to the caller, leaving this variant VT_EMPTY.
    VARIANT Detach();

    // vtSrc VT_BSTR or VT_BSTRT; NULL gives an empty text.
    void SetString(LPCSTR lpszSrc, VARTYPE vtSrc);
    // A VT_ARRAY | VT_UI1 variant holding a copy of the bytes.
    void SetBytes(const void* pData, UINT nCount);

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }
};

// Wide text of a BSTR in the ANSI code page; NULL gives "".
CString AfxStringFromBstr(BSTR bstrSrc);
// The bytes of an ANSI-form BSTR (SysStringByteLen of them); NULL gives "".
CString AfxStringFromBstrBytes(BSTR bstrSrc);
// A new wide BSTR of ANSI text (nLength -1: up to the '\0'); throws
// CMemoryException.  The caller frees it with SysFreeString.
BSTR AfxAllocBstr(LPCSTR lpszSrc, int nLength = -1);
