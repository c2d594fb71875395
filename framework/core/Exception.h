// The framework's exception classes.  Exceptions are thrown as pointers
// (throw new CXxxException) and the catcher reports and deletes them:
//     catch (CException* e) { e->ReportError(); e->Delete(); }
#pragma once

#include "framework/core/Object.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE);
    ~CException() override;

    // Frees the exception when it was created on the heap (the usual case).
    void Delete();

    // Copies the exception's message into lpszError; FALSE when it has none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    // Shows the message (or nMessageID's string when there is none) through
    // the message sink and returns the button chosen.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

protected:
    BOOL m_bAutoDelete;
};

// Copies a message into a caller's buffer, always terminated; TRUE when
// the buffer had room for one character at least.
BOOL AfxCopyErrorMessage(LPCSTR lpszSource, LPSTR lpszError, UINT nMaxError);

class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

// Thrown to abandon an operation whose failure was already shown.
class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
};

// An OLE or COM failure, carrying its status code.
class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    SCODE m_sc;
};

// Common base of the database classes' exceptions (the DAO stand-in's and
// the ODBC classes'), so callers can catch either with one handler.
class CDatabaseException : public CException
{
    DECLARE_DYNAMIC(CDatabaseException)
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowOleException(SCODE sc);
