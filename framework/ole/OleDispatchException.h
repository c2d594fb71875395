// COleDispatchException: an automation call that the called object failed,
// with the object's own error code and description when it gave them.
#pragma once

#include "framework/core/Exception.h"
#include "framework/core/String.h"

class COleDispatchException : public CException
{
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCSTR lpszDescription, UINT nHelpID, WORD wCode);
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    WORD m_wCode;
    SCODE m_scError;
    CString m_strSource;
    CString m_strDescription;
    DWORD m_dwHelpContext;
};

[[noreturn]] void AfxThrowOleDispatchException(WORD wCode, LPCSTR lpszDescription, UINT nHelpID = 0);
