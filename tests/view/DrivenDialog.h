// Runs a dialog of the program modally under a test: a hook acts on the
// dialog once it is initialised (sets fields, posts button presses), and
// a watchdog ends it with IDABORT should the test stall.
#pragma once

#include <functional>

#include "framework/windows/Dialog.h"

template<class TDialog>
class CDrivenDialog : public TDialog
{
public:
    using TDialog::TDialog;

    std::function<void(CDrivenDialog*)> m_onInit;
    BOOL m_bWatchdogFired = FALSE;

    void Press(int nID) { this->PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }

protected:
    static const UINT_PTR WATCHDOG_TIMER = 0x7D0;

    BOOL OnInitDialog() override
    {
        BOOL bResult = TDialog::OnInitDialog();
        this->SetTimer(WATCHDOG_TIMER, 5000);
        if (m_onInit)
            m_onInit(this);
        return bResult;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == WATCHDOG_TIMER)
        {
            m_bWatchdogFired = TRUE;
            this->EndDialog(IDABORT);
            return 0;
        }
        return TDialog::WindowProc(message, wParam, lParam);
    }
};
