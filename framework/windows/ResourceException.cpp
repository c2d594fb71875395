#include "framework/windows/ResourceException.h"

IMPLEMENT_DYNAMIC(CResourceException, CException)

BOOL CResourceException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT) const
{
    return AfxCopyErrorMessage("A required resource was unavailable.", lpszError, nMaxError);
}

void AfxThrowResourceException() { throw new CResourceException; }
