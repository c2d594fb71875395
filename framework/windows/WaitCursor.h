// Shows the wait cursor for the length of a scope and puts the previous
// cursor back at its end.
#pragma once

#include "framework/core/Base.h"

class CWaitCursor
{
public:
    CWaitCursor() : m_hPrevious(SetCursor(LoadCursor(NULL, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_hPrevious); }

    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hPrevious;
};
