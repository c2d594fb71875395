// When a progress window shows a step.  A round of waiting messages and a
// repaint of the bar cost a server request or more each: steps that come
// faster than the eye follows are only recorded.  The first step, a step
// after a pause of INTERVAL_MS and the end of the range show at once.
#pragma once

#include "framework/core/Base.h"

class CProgressPace
{
public:
    enum { INTERVAL_MS = 40 };

    CProgressPace() : m_bShown(FALSE), m_dwShown(0) {}

    // TRUE when the step to nPos, in a range that ends at nUpper, is to be
    // shown; it then counts as the last one shown.
    BOOL IsDue(int nPos, int nUpper)
    {
        DWORD dwNow = ::GetTickCount();
        if (m_bShown && nPos < nUpper && dwNow - m_dwShown < INTERVAL_MS)
            return FALSE;
        m_bShown = TRUE;
        m_dwShown = dwNow;
        return TRUE;
    }

private:
    BOOL m_bShown;
    DWORD m_dwShown;
};
