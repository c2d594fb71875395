// The DAO stand-in's exception: a DAO-style error code and description,
// thrown as a pointer (AfxThrowDaoException) and caught as CException* or
// CDatabaseException*.
#pragma once

#include "framework/core/Exception.h"
#include "framework/core/String.h"

// DAO error codes the stand-in raises.
enum
{
    DAOERR_GENERIC = 3000,
    DAOERR_UPDATE_WITHOUT_EDIT = 3020,
    DAOERR_NO_CURRENT_RECORD = 3021,
    DAOERR_DUPLICATE = 3022,
    DAOERR_FILE_NOT_FOUND = 3024,
    DAOERR_LOCKED = 3218,
    DAOERR_READ_ONLY = 3027,
    DAOERR_NOT_OPEN = 3420,
    DAOERR_SYNTAX = 3075,
    DAOERR_NO_TABLE = 3078,
    DAOERR_FIELD_READ_ONLY = 3164,
    DAOERR_DELETED = 3167,
    DAOERR_NO_ISAM = 3170,
    DAOERR_NOT_FOUND = 3265,
    DAOERR_UNSUPPORTED_FILE = 3343,
    DAOERR_CONVERSION = 3421,
};

struct CDaoErrorInfo
{
    LONG m_lErrorCode;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    LONG m_lHelpContext;
};

class CDaoException : public CDatabaseException
{
    DECLARE_DYNAMIC(CDaoException)
public:
    CDaoException();
    ~CDaoException() override;

    // The description, or "DAO error N" when there is no error information.
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    // 1 with error information, else 0.
    short GetErrorCount() const { return m_pErrorInfo != NULL ? 1 : 0; }

    SCODE m_scode;
    // Owned; NULL when the failure carries no DAO error.
    CDaoErrorInfo* m_pErrorInfo;
};

// Throws a CDaoException with the code, the description and the source
// "DAO.SQLite".
[[noreturn]] void AfxThrowDaoException(LONG lErrorCode, LPCSTR lpszDescription, SCODE scode = E_FAIL);
