// The ODBC classes' exception: the failing call's return code and the
// driver's diagnostic records.
#pragma once

#include "framework/core/Exception.h"
#include "framework/core/String.h"
#include <sql.h>
#include <sqlext.h>

// Return code raised by the framework itself for a column that is not found.
enum
{
    AFX_SQL_ERROR_FIELD_NOT_FOUND = 1026,
};

class CDBException : public CDatabaseException
{
    DECLARE_DYNAMIC(CDBException)
public:
    explicit CDBException(SQLRETURN nRetCode = SQL_SUCCESS);

    // Fills m_strError and m_strStateNativeOrigin from the handle's records.
    void BuildErrorString(SQLSMALLINT nHandleType, SQLHANDLE hHandle);

    // m_strError, or "ODBC error N" when the driver gave no text.
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    SQLRETURN m_nRetCode;
    CString m_strError;
    // "State:S1000,Native:1,Origin:[...]" for each record, one per line.
    CString m_strStateNativeOrigin;
};

// Throws a CDBException carrying the handle's diagnostics (none for a NULL handle).
[[noreturn]] void AfxThrowDBException(SQLRETURN nRetCode, SQLSMALLINT nHandleType = 0, SQLHANDLE hHandle = NULL);
