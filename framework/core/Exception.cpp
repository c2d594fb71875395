#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"

#include <stdio.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(CDatabaseException, CException)

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException()
{
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL AfxCopyErrorMessage(LPCSTR lpszSource, LPSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszSource != NULL ? lpszSource : "", (int)nMaxError);
    return TRUE;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    char szMessage[1024];
    if (GetErrorMessage(szMessage, sizeof(szMessage)) && szMessage[0] != '\0')
        return AfxMessageBox(szMessage, nType);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox("An unsupported operation was attempted.", nType);
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT) const
{
    return AfxCopyErrorMessage("Out of memory.", lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT) const
{
    return AfxCopyErrorMessage("An unsupported operation was attempted.", lpszError, nMaxError);
}

BOOL CInvalidArgException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT) const
{
    return AfxCopyErrorMessage("Invalid argument.", lpszError, nMaxError);
}

BOOL COleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT) const
{
    char text[512];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                             (DWORD)m_sc, 0, text, sizeof(text), NULL);
    if (n == 0)
        snprintf(text, sizeof(text), "OLE error 0x%08lX.", (unsigned long)(ULONG)m_sc);
    return AfxCopyErrorMessage(text, lpszError, nMaxError);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowOleException(SCODE sc) { throw new COleException(sc); }
