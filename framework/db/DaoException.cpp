#include "framework/db/DaoException.h"

IMPLEMENT_DYNAMIC(CDaoException, CDatabaseException)

CDaoException::CDaoException()
    : m_scode(S_OK), m_pErrorInfo(NULL)
{
}

CDaoException::~CDaoException()
{
    delete m_pErrorInfo;
}

BOOL CDaoException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = m_pErrorInfo != NULL ? (UINT)m_pErrorInfo->m_lHelpContext : 0;
    CString text;
    if (m_pErrorInfo != NULL)
        text = m_pErrorInfo->m_strDescription;
    else
        text.Format("DAO error 0x%08lX", (unsigned long)(ULONG)m_scode);
    return AfxCopyErrorMessage(text, lpszError, nMaxError);
}

void AfxThrowDaoException(LONG lErrorCode, LPCSTR lpszDescription, SCODE scode)
{
    CDaoException* e = new CDaoException;
    e->m_scode = scode;
    e->m_pErrorInfo = new CDaoErrorInfo;
    e->m_pErrorInfo->m_lErrorCode = lErrorCode;
    e->m_pErrorInfo->m_strSource = "DAO.SQLite";
    e->m_pErrorInfo->m_strDescription = lpszDescription;
    e->m_pErrorInfo->m_lHelpContext = 0;
    throw e;
}
