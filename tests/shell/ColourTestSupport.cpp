#include "tests/shell/ColourTestSupport.h"

BEGIN_MESSAGE_MAP(CColourRecorder, CWnd)
    ON_MESSAGE(WM_COLOUR_SELCHANGE, OnSelChange)
    ON_MESSAGE(WM_COLOUR_DROPDOWN, OnDropDown)
    ON_MESSAGE(WM_COLOUR_CLOSEUP, OnCloseUp)
    ON_MESSAGE(WM_COLOUR_SELENDOK, OnSelEndOK)
    ON_MESSAGE(WM_COLOUR_SELENDCANCEL, OnSelEndCancel)
END_MESSAGE_MAP()

BOOL CColourRecorder::CreateIn(CWnd& parent)
{
    CRect rc(0, 0, 340, 220);
    return Create(NULL, "", WS_CHILD | WS_VISIBLE, rc, &parent, 100);
}

std::vector<UINT> CColourRecorder::Messages() const
{
    std::vector<UINT> messages;
    for (const ColourMessage& m : m_received)
        messages.push_back(m.nMessage);
    return messages;
}

CColourGridPopup* CapturingPopup()
{
    return dynamic_cast<CColourGridPopup*>(CWnd::FromHandlePermanent(::GetCapture()));
}

void PressKey(CWnd* pWnd, UINT nKey)
{
    pWnd->SendMessage(WM_KEYDOWN, nKey, 1);
}

CPoint CellCentre(const CColourGridPopup& popup, int nIndex)
{
    CRect rc;
    popup.GetCellRect(nIndex, &rc);
    return rc.CenterPoint();
}
