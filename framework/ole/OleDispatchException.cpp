#include "framework/ole/OleDispatchException.h"

IMPLEMENT_DYNAMIC(COleDispatchException, CException)

COleDispatchException::COleDispatchException(LPCSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_scError(S_OK), m_strDescription(lpszDescription), m_dwHelpContext(nHelpID)
{
}

BOOL COleDispatchException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = m_dwHelpContext;
    if (!m_strDescription.IsEmpty())
        return AfxCopyErrorMessage(m_strDescription, lpszError, nMaxError);
    CString strCode;
    strCode.Format("Automation error 0x%08X.", (unsigned)(m_scError != S_OK ? m_scError : m_wCode));
    return AfxCopyErrorMessage(strCode, lpszError, nMaxError);
}

void AfxThrowOleDispatchException(WORD wCode, LPCSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}
