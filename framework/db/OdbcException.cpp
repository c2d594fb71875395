#include "framework/db/OdbcException.h"

#include <string.h>

#include "framework/db/DBText.h"

IMPLEMENT_DYNAMIC(CDBException, CDatabaseException)

CDBException::CDBException(SQLRETURN nRetCode)
    : m_nRetCode(nRetCode)
{
}

void CDBException::BuildErrorString(SQLSMALLINT nHandleType, SQLHANDLE hHandle)
{
    if (hHandle == NULL)
        return;
    for (SQLSMALLINT record = 1;; ++record)
    {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = "";
        SQLINTEGER native = 0;
        SQLCHAR text[SQL_MAX_MESSAGE_LENGTH] = "";
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRec(nHandleType, hHandle, record, state, &native, text,
                                     sizeof(text), &length);
        if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO)
            break;
        CString message;
        DBTextFromDriver((const char*)text, (int)strlen((const char*)text), message);
        if (!m_strError.IsEmpty())
            m_strError += "\n";
        m_strError += message;
        CString line;
        line.Format("State:%s,Native:%ld,Origin:%s\n", (LPCSTR)state, (long)native, (LPCSTR)message);
        m_strStateNativeOrigin += line;
    }
}

BOOL CDBException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    CString text = m_strError;
    if (text.IsEmpty())
        text.Format("ODBC error %d", (int)m_nRetCode);
    return AfxCopyErrorMessage(text, lpszError, nMaxError);
}

void AfxThrowDBException(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE hHandle)
{
    CDBException* e = new CDBException(nRetCode);
    e->BuildErrorString(nHandleType, hHandle);
    throw e;
}
