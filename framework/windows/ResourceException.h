// CResourceException: a window, menu or other resource could not be
// loaded or created.
#pragma once

#include "framework/core/Exception.h"

class CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

[[noreturn]] void AfxThrowResourceException();
